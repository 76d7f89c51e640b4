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

// The text of a key, or the given English text while no language has one.
std::string TextOr(const std::string& key, const std::string& english);

// A label and what follows it, joined by the language's mark (tTextCOLON;
// ":" when it has none): "Label: rest", French "Label : rest" with its
// no-break space, and no blank after a full-width mark ("ラベル：rest").
std::string JoinLabel(const std::string& label, const std::string& rest);
