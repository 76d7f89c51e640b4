#include "language/text_table.h"

// 512 buckets from the start: panels look texts up every time they render.
std::unordered_map<std::string, std::string> TextTable(512);

// operator[] enters a missing key with an empty text, as intended.
const std::string& text(const std::string& key)
{
    return TextTable[key];
}
