// Every text the player sees, by its key ("tMenuSTART"), in the language
// loaded last. The table only grows: loading a language adds or overwrites
// entries, so a key a language lacks keeps the text of the one before it.
#pragma once

#include <string>
#include <unordered_map>

extern std::unordered_map<std::string, std::string> TextTable;

// The text of a key; a missing key is entered with an empty text, which is
// what it answers. The reference stays valid for the whole run.
const std::string& text(const std::string& key);
