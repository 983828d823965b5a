// Any bytes as a program file: decoding never fails, and a file with one line-break
// style is written back byte for byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/cp1252.h"
#include "text/text_file.h"

using namespace tumbo::text;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const DecodedText d = DecodeText(bytes);
  if (!IsValidUtf8(d.Utf8)) std::abort();
  const EncodedText e = EncodeText(d.Utf8, d.Format);
  if (e.Format != d.Format) std::abort();
  if (ConvertLineBreaks(bytes, d.Format.Break) == bytes && e.Bytes != bytes) std::abort();
  // The core's form is single-byte and converts back losslessly.
  const std::string core = Utf8ToCp1252(d.Utf8);
  if (Utf8ToCp1252(Cp1252ToUtf8(core)) != core) std::abort();
  if (UpperLanguage(core).size() != core.size()) std::abort();
  return 0;
}
