#pragma once
// Output and input helpers of tumbo-cli: the core's Windows-1252 texts are printed as UTF-8.
#include <optional>
#include <string>
#include <string_view>

// One line (Windows-1252) to stdout as UTF-8, followed by a line feed.
void PrintLine(std::string_view cp1252);
// Raw bytes to stdout.
void PrintBytes(std::string_view bytes);
// A German message (Windows-1252) to stderr as UTF-8.
void PrintError(std::string_view cp1252);
// False when something written to stdout did not arrive (a full disk, a closed pipe); then a
// message says so on stderr. Called once, at the end.
bool FinishOutput();
// Prints "usage" to stderr and returns the usage exit code.
int UsageError(std::string_view message, std::string_view usage);

// A program file read as the editor reads it: UTF-8 when valid, else Windows-1252.
struct TProgramFile {
  std::string Text;    // Windows-1252
  std::string Folder;  // native path of its folder, ending in a separator
};
// Reads a program file; prints a message and returns nothing when it cannot be read.
std::optional<TProgramFile> ReadProgramFile(const std::string& path);

// A whole number argument within [min, max]; nothing when it is not one.
std::optional<long long> ParseNumber(std::string_view text, long long min, long long max);
