#include "language/text_table.h"

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
    bool fullWidth = false;
    if (mark.size() >= 3) {
        const auto byte = [&](size_t from_end) { return static_cast<unsigned char>(mark[mark.size() - from_end]); };
        const unsigned c = ((byte(3) & 0x0Fu) << 12) | ((byte(2) & 0x3Fu) << 6) | (byte(1) & 0x3Fu);
        fullWidth = (byte(3) & 0xF0u) == 0xE0u && ((c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF60));
    }
    return label + mark + (fullWidth ? "" : " ") + rest;
}
