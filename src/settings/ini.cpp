#include "settings/ini.h"

#include <climits>

namespace {

// Spaces and TABs are the only blanks these files know.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Keys and group names are ASCII; other bytes compare as they are.
char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text without trailing spaces and TABs.
std::string TrimEnd(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        end--;
    return text.substr(0, end);
}

// Index of the first character that is not a space or TAB.
size_t SkipBlanks(const std::string& text, size_t from)
{
    while (from < text.size() && IsBlank(text[from]))
        from++;
    return from;
}

// A key line split at its first "="; a line without one is a bare key.
IniKeyLine SplitKeyLine(const std::string& line)
{
    IniKeyLine keyLine;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
        keyLine.key = TrimEnd(line);
        return keyLine;
    }
    keyLine.key = TrimEnd(line.substr(0, equals));
    keyLine.value = TrimEnd(line.substr(SkipBlanks(line, equals + 1)));
    return keyLine;
}

// Takes one line (without its line end) into the file being built.
void TakeIniLine(const std::string& raw, IniFile& out)
{
    const size_t start = SkipBlanks(raw, 0);
    if (start >= raw.size() || raw[start] == ';')
        return;
    if (raw[start] == '[') {
        const size_t close = raw.find(']', start + 1);
        IniGroup group;
        group.name = raw.substr(start + 1, close == std::string::npos ? std::string::npos
                                                                      : close - start - 1);
        out.groups.push_back(std::move(group));
        return;
    }
    IniKeyLine keyLine = SplitKeyLine(raw.substr(start));
    if (out.groups.empty())
        out.ungrouped.push_back(std::move(keyLine));
    else
        out.groups.back().lines.push_back(std::move(keyLine));
}

} // namespace

// The mark says UTF-8; without it the file is taken as ISO 8859-1, the
// encoding of the editors these files were first written with.
std::string IniBytesToUtf8(const uint8_t* bytes, size_t size)
{
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        return std::string(reinterpret_cast<const char*>(bytes) + 3, size - 3);
    std::string text;
    text.reserve(size + size / 8);
    for (size_t i = 0; i < size; i++) {
        const uint8_t b = bytes[i];
        if (b < 0x80) {
            text += static_cast<char>(b);
        } else {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return text;
}

size_t WholeLinesLength(const uint8_t* bytes, size_t size)
{
    while (size > 0 && bytes[size - 1] != '\r' && bytes[size - 1] != '\n')
        size--;
    return size;
}

// Lines end at CR or LF; empty lines and comment lines are dropped.
int ParseIni(const uint8_t* bytes, size_t size, IniFile& out)
{
    out = IniFile{};
    const std::string text = IniBytesToUtf8(bytes, size);
    size_t lineStart = 0;
    for (size_t i = 0; i <= text.size(); i++) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n')
            continue;
        if (i > lineStart)
            TakeIniLine(text.substr(lineStart, i - lineStart), out);
        lineStart = i + 1;
    }
    return static_cast<int>(out.groups.size());
}

// Hand-edited files write "MUSIC" as readily as "Music".
bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); i++) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

// The first group of the name wins, like the first key of a name.
const IniGroup* FindIniGroup(const IniFile& file, const std::string& name)
{
    for (const IniGroup& group : file.groups) {
        if (SameTextIgnoringCase(group.name, name))
            return &group;
    }
    return nullptr;
}

// First match wins, so a key pasted in twice takes its first value.
bool FindIniValue(const IniGroup* group, const std::string& key, std::string& value)
{
    if (!group)
        return false;
    for (const IniKeyLine& line : group->lines) {
        if (SameTextIgnoringCase(line.key, key)) {
            value = line.value;
            return true;
        }
    }
    return false;
}

// An absent key leaves the number as it was (the default).
void ReadIniNumber(const IniGroup* group, const std::string& key, int& number)
{
    std::string value;
    if (FindIniValue(group, key, value))
        number = IniNumber(value);
}

// An absent key leaves the text as it was.
void ReadIniText(const IniGroup* group, const std::string& key, std::string& text)
{
    std::string value;
    if (FindIniValue(group, key, value))
        text = value;
}

// NOTE: a hand-edited number too large for 32 bits is held at the limit
// rather than wrapped round to a value of the other sign.
int IniNumber(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        i++;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
