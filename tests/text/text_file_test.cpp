#include "text/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "text/cp1252.h"

using namespace tumbo::text;

namespace {

const char* Name(LineBreak b) {
  switch (b) {
    case LineBreak::CrLf: return "CRLF";
    case LineBreak::Lf: return "LF";
    case LineBreak::Cr: return "CR";
  }
  return "?";
}

// The same three lines with umlauts in each encoding and line-break style.
std::string SampleBytes(const TextFormat& f) {
  const std::string br = LineBreakChars(f.Break);
  const std::string utf8 = "Programm Grüße" + br + "  MarkeLöschen" + br + "*Programm" + br;
  if (f.Encoding == TextEncoding::Cp1252) return Utf8ToCp1252(utf8);
  return (f.Bom ? "\xEF\xBB\xBF" : "") + utf8;
}

}  // namespace

TEST(TextFile, EveryEncodingAndLineBreakStyleReadsAndSavesByteForByte) {
  const TextFormat formats[] = {
      {TextEncoding::Cp1252, false, LineBreak::CrLf}, {TextEncoding::Cp1252, false, LineBreak::Lf},
      {TextEncoding::Cp1252, false, LineBreak::Cr},   {TextEncoding::Utf8, false, LineBreak::CrLf},
      {TextEncoding::Utf8, false, LineBreak::Lf},     {TextEncoding::Utf8, false, LineBreak::Cr},
      {TextEncoding::Utf8, true, LineBreak::CrLf},    {TextEncoding::Utf8, true, LineBreak::Lf},
      {TextEncoding::Utf8, true, LineBreak::Cr},
  };
  for (const TextFormat& f : formats) {
    SCOPED_TRACE(std::string(f.Encoding == TextEncoding::Utf8 ? "UTF-8" : "cp1252") +
                 (f.Bom ? "+BOM " : " ") + Name(f.Break));
    const std::string bytes = SampleBytes(f);
    const DecodedText d = DecodeText(bytes);
    EXPECT_EQ(d.Format, f);
    EXPECT_NE(d.Utf8.find("Grüße"), std::string::npos);
    EXPECT_FALSE(d.Utf8.starts_with("\xEF\xBB\xBF"));
    const EncodedText e = EncodeText(d.Utf8, d.Format);
    EXPECT_EQ(e.Bytes, bytes);
    EXPECT_EQ(e.Format, f);
    // The core's view of the same file.
    EXPECT_EQ(DecodeToCp1252(bytes), Utf8ToCp1252(d.Utf8));
    EXPECT_EQ(EncodeFromCp1252(DecodeToCp1252(bytes), f), bytes);
    TextFormat taken;
    EXPECT_EQ(DecodeToCp1252(std::string(bytes), &taken), Utf8ToCp1252(d.Utf8))
        << "bytes handed over decode alike";
    EXPECT_EQ(taken, f);
  }
}

TEST(TextFile, DetectionEdgeCases) {
  // Plain ASCII is the same in both encodings and stays Windows-1252 (a new file's format).
  EXPECT_EQ(DecodeText("Schritt\r\n").Format.Encoding, TextEncoding::Cp1252);
  // No line break at all: CR LF, the style of a new file.
  EXPECT_EQ(DecodeText("Schritt").Format.Break, LineBreak::CrLf);
  EXPECT_EQ(DecodeText("").Format, kNewFileFormat);
  // The first break decides.
  EXPECT_EQ(DecodeText("a\nb\r\nc").Format.Break, LineBreak::Lf);
  EXPECT_EQ(DecodeText("a\rb\nc").Format.Break, LineBreak::Cr);
  // A BOM in front of bytes that are not UTF-8: the whole file is Windows-1252, BOM bytes
  // included, so nothing is lost on saving.
  const std::string odd = "\xEF\xBB\xBF\xE4\r\n";
  const DecodedText d = DecodeText(odd);
  EXPECT_EQ(d.Format.Encoding, TextEncoding::Cp1252);
  EXPECT_EQ(EncodeText(d.Utf8, d.Format).Bytes, odd);
  // A BOM alone marks an empty UTF-8 file.
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF").Format.Bom, true);
  EXPECT_EQ(EncodeText("", DecodeText("\xEF\xBB\xBF").Format).Bytes, "\xEF\xBB\xBF");
}

TEST(TextFile, LineBreaksAreConvertedToTheFileStyle) {
  const std::string mixed = "a\r\nb\nc\rd\r";
  EXPECT_EQ(ConvertLineBreaks(mixed, LineBreak::CrLf), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(ConvertLineBreaks(mixed, LineBreak::Lf), "a\nb\nc\nd\n");
  EXPECT_EQ(ConvertLineBreaks(mixed, LineBreak::Cr), "a\rb\rc\rd\r");
  EXPECT_EQ(ConvertLineBreaks("\r\r\n\n", LineBreak::Lf), "\n\n\n");
}

TEST(TextFile, ACharacterWindows1252CannotHoldSwitchesTheFileToUtf8) {
  const EncodedText e = EncodeText("Pfeil → hier\n", kNewFileFormat);
  EXPECT_EQ(e.Format.Encoding, TextEncoding::Utf8);
  EXPECT_FALSE(e.Format.Bom);
  EXPECT_EQ(e.Bytes, "Pfeil → hier\r\n");
  // Reading it back gives the character again.
  EXPECT_EQ(DecodeText(e.Bytes).Utf8, "Pfeil → hier\r\n");
  // Umlauts alone fit Windows-1252.
  EXPECT_EQ(EncodeText("Grüße", kNewFileFormat).Bytes, "Gr\xFC\xDF" "e");
}

TEST(TextFile, ReadAndWriteThroughTheDisk) {
  const auto dir = std::filesystem::temp_directory_path() / "tumbo_text_file_test";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "prog.tdp").string();
  const std::string bytes = "\xEF\xBB\xBFProgramm \xC3\xA4\nSchritt\n";
  {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  DecodedText d;
  std::string error;
  ASSERT_TRUE(ReadTextFile(path, d, error)) << error;
  TextFormat written;
  ASSERT_TRUE(WriteTextFile(path, d.Utf8 + "Schritt\n", d.Format, error, &written)) << error;
  EXPECT_EQ(written, d.Format);
  std::string back;
  ASSERT_TRUE(ReadFileBytes(path, back, error));
  EXPECT_EQ(back, bytes + "Schritt\n");

  EXPECT_FALSE(ReadFileBytes((dir / "fehlt.tdp").string(), back, error));
  EXPECT_NE(error.find("fehlt.tdp"), std::string::npos) << error;
  EXPECT_FALSE(ReadFileBytes(dir.string(), back, error));  // a folder

  // Reading only the start: a line break early on ends it after its block.
  std::string big = "erste Zeile\n" + std::string(300000, 'x');
  { std::ofstream(path, std::ios::binary) << big; }
  ASSERT_TRUE(ReadFileStart(path, back, error, std::string::npos, true));
  EXPECT_TRUE(back.starts_with("erste Zeile\n"));
  EXPECT_LT(back.size(), big.size());
  ASSERT_TRUE(ReadFileStart(path, back, error, 10, false));
  EXPECT_GE(back.size(), 10u);
  EXPECT_LT(back.size(), big.size());
  ASSERT_TRUE(ReadFileStart(path, back, error, std::string::npos, false));
  EXPECT_EQ(back, big);
  std::filesystem::remove_all(dir);
}

// A FIFO would block the reader and a device never ends: both are refused before reading.
TEST(TextFile, OnlyPlainFilesAreRead) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("tumbo_text_plain_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "ordner.tdp");
  ASSERT_EQ(mkfifo((dir / "pipe.tdp").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "null.tdp");
  struct TCase {
    std::string Path;
    std::string Says;
  };
  const TCase cases[] = {
      {(dir / "pipe.tdp").string(), "keine gew\xF6hnliche Datei"},
      {"/dev/zero", "keine gew\xF6hnliche Datei"},
      {(dir / "null.tdp").string(), "keine gew\xF6hnliche Datei"},
      {(dir / "ordner.tdp").string(), "ist ein Ordner"},
  };
  for (const TCase& c : cases) {
    std::string bytes, error;
    EXPECT_FALSE(ReadFileBytes(c.Path, bytes, error)) << c.Path;
    EXPECT_NE(error.find(c.Says), std::string::npos) << error;
    EXPECT_FALSE(ReadFileStart(c.Path, bytes, error, 100, true)) << c.Path;
  }
  std::filesystem::remove_all(dir);
}

TEST(TextFile, FilesAboveTheSizeLimitAreRefused) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("tumbo_text_size_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const auto path = dir / "gross.tdp";
  std::ofstream(path, std::ios::binary) << "0123456789";
  std::string bytes, error;
  EXPECT_TRUE(ReadFileBytes(path.string(), bytes, error, 10)) << error;
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_FALSE(ReadFileBytes(path.string(), bytes, error, 9));
  EXPECT_NE(error.find("zu gro\xDF: h\xF6" "chstens 9 Bytes"), std::string::npos) << error;

  std::filesystem::resize_file(path, kMaxTextFileBytes + 1);  // sparse: nothing is written
  DecodedText text;
  EXPECT_FALSE(ReadTextFile(path.string(), text, error));
  EXPECT_NE(error.find("h\xF6" "chstens 16 MB"), std::string::npos) << error;
  std::filesystem::resize_file(path, kMaxTextFileBytes);
  EXPECT_TRUE(ReadFileBytes(path.string(), bytes, error)) << error;
  EXPECT_EQ(bytes.size(), kMaxTextFileBytes);
  std::filesystem::remove_all(dir);
}
