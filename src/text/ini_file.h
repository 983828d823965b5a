#pragma once
// A Windows initialisation file: "[Section]" headers followed by "key=value" lines.
// Sections and keys are matched without regard to case; lines the program does not
// know are kept as they are when the file is written again.
#include <string>
#include <vector>

namespace tumbo::text {

// One line of the file that means something, for readers that check every line.
struct IniLine {
    enum Kind { Section, Entry, Other };
    Kind Type = Other;
    int Number = 0;     // from 1
    std::string Name;   // the section's name, or the entry's key
    std::string Value;  // the entry's value (not cut), or the whole line of an Other line
};

class IniFile {
public:
    // Values longer than this are cut when read, as the profile calls do.
    static constexpr std::size_t MaxValueLength = 2047;

    IniFile() = default;

    // Reads the file; a missing file gives an empty one. False when the file exists
    // but cannot be read.
    bool Load(const std::string &path);
    void Parse(const std::string &text);

    // Writes through the safe writer, so a failed write never leaves a half-written
    // settings file. False on any failure, with the German message (Windows-1252) in *error.
    bool Save(const std::string &path, std::string *error = nullptr) const;
    std::string Text() const;

    // The section headers, key=value lines and other lines in file order; blank lines and
    // comments (";") are left out.
    std::vector<IniLine> Lines() const;

    bool HasKey(const std::string &section, const std::string &key) const;
    // The value, or `fallback` when the section or key is missing.
    std::string ReadString(const std::string &section, const std::string &key,
                           const std::string &fallback) const;
    // Replaces the key's line in place, or adds it at the end of its section,
    // or adds the section at the end of the file.
    void WriteString(const std::string &section, const std::string &key, const std::string &value);

private:
    // Index of the section's header line, or npos.
    std::size_t FindSection(const std::string &section) const;
    // Index of the key's line within the section starting after `header`, or npos.
    std::size_t FindKey(std::size_t header, const std::string &key) const;
    std::size_t SectionEnd(std::size_t header) const;

    std::vector<std::string> lines_;
    std::string newline_ = "\r\n";
};

}  // namespace tumbo::text
