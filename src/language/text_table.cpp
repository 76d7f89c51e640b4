#include "language/text_table.h"

#include "media/media.h"

// 512 buckets from the start: panels look texts up every time they render.
std::unordered_map<std::string, std::string> TextTable(512);

// operator[] enters a missing key with an empty text, as intended.
const std::string& text(const std::string& key)
{
    return TextTable[key];
}

std::string TextOr(const std::string& key, const std::string& english)
{
    const std::string& shown = text(key);
    return shown.empty() ? english : shown;
}

std::string JoinLabel(const std::string& label, const std::string& rest)
{
    const std::string mark = TextOr("tTextCOLON", ":");
    // A full-width mark (U+3000..U+303F, U+FF00..U+FF60) carries its own space.
    const uint32_t last = codePointBefore(mark, mark.size());
    const bool fullWidth = (last >= 0x3000 && last <= 0x303F) || (last >= 0xFF00 && last <= 0xFF60);
    return label + mark + (fullWidth ? "" : " ") + rest;
}
