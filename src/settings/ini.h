// The tolerant reader of INI-style text shared by the preferences and the
// language files. Works on bytes in memory, so it never needs a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One key line: the key up to the first "=", the value after it, both
// trimmed of spaces and TABs on either side.
struct IniKeyLine {
    std::string key;
    std::string value;
};

// A group line "[name]" and the key lines up to the next group line.
struct IniGroup {
    std::string name;
    std::vector<IniKeyLine> lines;
};

// A whole file: the key lines before the first group line (they belong to no
// group) and the groups in file order. All text is UTF-8.
struct IniFile {
    std::vector<IniKeyLine> ungrouped;
    std::vector<IniGroup> groups;
};

// Larger language files than this are not read at all.
constexpr size_t IniFileCap = 1 << 20;

// Text of a file as UTF-8: after a UTF-8 byte-order mark the bytes as they
// are, otherwise every byte is one ISO 8859-1 character.
std::string IniBytesToUtf8(const uint8_t* bytes, size_t size);
// The length of the bytes up to the end of their last whole line (its CR or
// LF included); 0 when no line ends in them. A file read only in part keeps
// its whole lines and drops the one cut short.
size_t WholeLinesLength(const uint8_t* bytes, size_t size);
// Splits the bytes into groups and key lines; answers the number of groups.
int ParseIni(const uint8_t* bytes, size_t size, IniFile& out);

// The first group of that name, regardless of ASCII case; nullptr if none.
const IniGroup* FindIniGroup(const IniFile& file, const std::string& name);
// The value of the first key line of that key (ASCII case ignored).
bool FindIniValue(const IniGroup* group, const std::string& key, std::string& value);
// Replaces `number` with the group's value for the key, read as a number.
void ReadIniNumber(const IniGroup* group, const std::string& key, int& number);
// Replaces `text` with the group's value for the key.
void ReadIniText(const IniGroup* group, const std::string& key, std::string& text);

// A decimal integer read from the start of the text (optional sign), stopping
// at the first other character; no leading digits give 0. Saturates at the
// 32-bit limits.
int IniNumber(const std::string& text);
// ASCII case-insensitive equality.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
