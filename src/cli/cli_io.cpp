#include "cli/cli_io.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "text/atomic_file.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace {

int outputError = 0;  // errno of the first failed write to stdout

void NoteOutputError() {
  if (!outputError) outputError = errno ? errno : EIO;
}

void FlushOutput() {
  if (std::fflush(stdout) != 0) NoteOutputError();
}

}  // namespace

void PrintLine(std::string_view cp1252) {
  std::string utf8 = tumbo::text::Cp1252ToUtf8(cp1252);
  utf8 += '\n';
  PrintBytes(utf8);
}

void PrintBytes(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) NoteOutputError();
}

bool FinishOutput() {
  FlushOutput();
  if (std::ferror(stdout)) NoteOutputError();
  if (!outputError) return true;
  PrintError("Die Ausgabe kann nicht geschrieben werden: " + tumbo::text::ErrnoText(outputError) + ".");
  return false;
}

void PrintError(std::string_view cp1252) {
  std::string utf8 = tumbo::text::Cp1252ToUtf8(cp1252);
  utf8 += '\n';
  FlushOutput();  // the order of both streams stays as it happened
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

int UsageError(std::string_view message, std::string_view usage) {
  if (!message.empty()) PrintError(message);
  PrintError(std::string("Aufruf: ") + std::string(usage));
  return 2;
}

std::optional<TProgramFile> ReadProgramFile(const std::string& path) {
  std::string bytes, error;
  if (!tumbo::text::ReadFileBytes(path, bytes, error)) {
    PrintError(error);
    return std::nullopt;
  }
  TProgramFile file;
  file.Text = tumbo::text::DecodeToCp1252(std::move(bytes));
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  file.Folder = folder;
  return file;
}

std::optional<long long> ParseNumber(std::string_view text, long long min, long long max) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
    return std::nullopt;
  return value;
}
