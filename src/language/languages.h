// The languages found beside the program, the one in use, and the player's
// system language. A language source is a folder of id + ".language" files
// (with id + ".flag" pictures) or a ZIP archive holding them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct LanguageInfo {
    std::string name;     // display name, tLangFileNAME
    std::string id;       // file name without ".language", "en_GB"
    std::string version;
    std::string date;
    std::string author;
    std::string langid;
    std::string software;
    int flag = 0;         // image handle of the flag picture, 0 if none
};

// One entry of the list the settings screen steps through.
struct LanguageEntry {
    std::string id;
    std::string name;
};

// Display name to language; a later file with the same name takes the entry.
extern std::unordered_map<std::string, LanguageInfo> LanguageMap;
// The map's entries ordered alphabetically by display name.
extern std::vector<LanguageEntry> LanguageList;
// Position of the current language in LanguageList.
extern int LanguageIndex;

enum LanguageSourceKind { LanguageSourceNone = 0, LanguageSourceFolder = 1, LanguageSourceArchive = 2 };

// What a language source may cost, so that no pack can exhaust memory. A
// language file or flag above 1 MB is ignored. Of an archive, at most 256
// members are looked at (a language file and a flag each for 128 languages,
// far more than any pack holds) and at most 8 MB are kept in all. Flags are
// decoded only while their pixels together stay within 1 M (4 MB).
constexpr size_t LanguageMemberCap = 1 << 20;
constexpr int LanguageEntryCap = 256;
constexpr size_t LanguageTotalCap = 8 << 20;
constexpr int64_t FlagPixelBudget = 1 << 20;
// The fallback language when the wanted one is not there.
extern const char* const FallbackLanguage;

// gameDir + "Morvane.languages".
std::string LanguageSource(const std::string& gameDir);
// A folder, a non-empty file (a ZIP archive), or nothing usable.
int LanguageSourceKindOf(const std::string& source);

// Reads the header of every language file of the source into LanguageMap,
// builds LanguageList and loads the flags. False if the source is neither a
// folder nor a readable archive (the map and list are then empty).
bool ScanLanguages(const std::string& source);
// Frees the flag pictures and empties LanguageMap and LanguageList.
void ClearLanguages();
// Takes one language file held in memory: its header group into LanguageMap
// under the given id. Answers true.
bool TakeLanguageHeader(const uint8_t* bytes, size_t size, const std::string& id);
// Loads the language id into the text table; true if its file was read.
bool LoadLanguage(const std::string& source, const std::string& id);
// Every key line of a language file held in memory into the text table, in
// file order (later lines win); answers the number of key lines taken.
int TakeLanguageTexts(const uint8_t* bytes, size_t size);
// LoadLanguage plus its log line "Load language (id):" OK or FAILED.
bool LoadLanguageAndLog(const std::string& source, const std::string& id);
// Position of the first LanguageList entry with that id; 0 if none.
int FindLanguage(const std::string& id);
// Rebuilds LanguageList from LanguageMap.
void BuildLanguageList();
// A Language preference naming no language found becomes "en_GB".
void SettleLanguagePreference();

// From the user's locale "de-DE": part 0 "de_DE", 1 "de", 2 "DE", other "".
std::string SystemLanguage(int part);
// Test hook: answer as if the OS version code and locale name were these.
void OverrideSystemLocale(int osVersion, const std::string& locale);
// Test hook: ask the media layer again.
void ClearSystemLocaleOverride();
