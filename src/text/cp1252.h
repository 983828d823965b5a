// Windows-1252 <-> UTF-8 conversion and the upper-casing rules of the language.
// The core keeps all texts as std::string holding Windows-1252 bytes; UTF-8 appears
// only at the edges (files, Qt, terminal output).
#pragma once

#include <string>
#include <string_view>

namespace tumbo::text {

// Every byte becomes its Unicode character. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 … U+009D, so that
// Utf8ToCp1252(Cp1252ToUtf8(s)) == s for every s.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters without a Windows-1252 form, and bytes that are not valid UTF-8, become
// `replacement` ('?' lies outside the characters the language keeps, so the scanner
// drops it silently).
std::string Utf8ToCp1252(std::string_view utf8, char replacement = '?');

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// True when every character of the (valid) UTF-8 text has a Windows-1252 form.
bool FitsCp1252(std::string_view utf8);

// The language's upper-casing: a-z to A-Z and ä, ö, ü to Ä, Ö, Ü; every other byte
// unchanged (ß and accented letters stay as they are).
char UpperLanguage(char c);
std::string UpperLanguage(std::string_view cp1252);

// Full upper-casing of Windows-1252 letters (à to À, š to Š, ÿ to Ÿ …; ß stays), for
// places that compare words the way a locale-aware upper-casing would.
char UpperCp1252(char c);
std::string UpperCp1252(std::string_view cp1252);

}  // namespace tumbo::text
