#include "text/ini_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "text/atomic_file.h"

namespace tumbo::text {
namespace {

constexpr std::size_t npos = std::string::npos;

std::string Trim(const std::string &s)
{
    const char *blanks = " \t\r\n";
    std::size_t b = s.find_first_not_of(blanks);
    if (b == npos)
        return {};
    std::size_t e = s.find_last_not_of(blanks);
    return s.substr(b, e - b + 1);
}

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool SameText(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// The section name of a header line, or false when the line is none.
bool SectionName(const std::string &line, std::string &name)
{
    std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    std::size_t close = t.find(']');
    if (close == npos)
        return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// Splits "key=value"; false for lines without an equals sign, blank lines and comments.
bool KeyValue(const std::string &line, std::string &key, std::string &value)
{
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '[')
        return false;
    std::size_t eq = t.find('=');
    if (eq == npos)
        return false;
    key = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    // A value in matching quotes is read without them.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

}  // namespace

bool IniFile::Load(const std::string &path)
{
    lines_.clear();
    newline_ = "\r\n";
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return true;  // a missing file reads as an empty one
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    Parse(buffer.str());
    return true;
}

void IniFile::Parse(const std::string &text)
{
    lines_.clear();
    std::size_t firstLf = text.find('\n');
    newline_ = (firstLf != npos && firstLf > 0 && text[firstLf - 1] == '\r') || firstLf == npos ? "\r\n" : "\n";
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == npos ? npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines_.push_back(line);
        if (end == npos)
            break;
        start = end + 1;
    }
}

std::string IniFile::Text() const
{
    std::string out;
    for (const std::string &l : lines_)
        out += l + newline_;
    return out;
}

bool IniFile::Save(const std::string &path, std::string *error) const
{
    std::string message;
    if (tumbo::text::WriteFileAtomic(path, Text(), message))
        return true;
    if (error)
        *error = message;
    return false;
}

std::vector<IniLine> IniFile::Lines() const
{
    std::vector<IniLine> out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        IniLine line;
        line.Number = int(i) + 1;
        if (SectionName(lines_[i], line.Name))
            line.Type = IniLine::Section;
        else if (KeyValue(lines_[i], line.Name, line.Value))
            line.Type = IniLine::Entry;
        else if (std::string t = Trim(lines_[i]); !t.empty() && t[0] != ';')
            line.Value = t;
        else
            continue;
        out.push_back(std::move(line));
    }
    return out;
}

std::size_t IniFile::FindSection(const std::string &section) const
{
    std::string name;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (SectionName(lines_[i], name) && SameText(name, section))
            return i;
    return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const
{
    std::string name;
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i], name))
        ++i;
    return i;
}

std::size_t IniFile::FindKey(std::size_t header, const std::string &wanted) const
{
    std::string key, value;
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
        if (KeyValue(lines_[i], key, value) && SameText(key, wanted))
            return i;
    return npos;
}

bool IniFile::HasKey(const std::string &section, const std::string &key) const
{
    std::size_t header = FindSection(section);
    return header != npos && FindKey(header, key) != npos;
}

std::string IniFile::ReadString(const std::string &section, const std::string &key,
                                const std::string &fallback) const
{
    std::size_t header = FindSection(section);
    if (header == npos)
        return fallback;
    std::size_t at = FindKey(header, key);
    if (at == npos)
        return fallback;
    std::string k, value;
    KeyValue(lines_[at], k, value);
    if (value.size() > MaxValueLength)
        value.resize(MaxValueLength);
    return value;
}

void IniFile::WriteString(const std::string &section, const std::string &key, const std::string &value)
{
    const std::string line = key + "=" + value;
    std::size_t header = FindSection(section);
    if (header == npos) {
        lines_.push_back("[" + section + "]");
        lines_.push_back(line);
        return;
    }
    std::size_t at = FindKey(header, key);
    if (at != npos) {
        lines_[at] = line;
        return;
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    std::size_t end = SectionEnd(header);
    while (end > header + 1 && Trim(lines_[end - 1]).empty())
        --end;
    lines_.insert(lines_.begin() + std::ptrdiff_t(end), line);
}

}  // namespace tumbo::text
