#include "language/languages.h"

#include <algorithm>

#include "language/text_table.h"
#include "media/media.h"
#include "settings/ini.h"
#include "settings/preferences.h"
#include "startup/log.h"

std::unordered_map<std::string, LanguageInfo> LanguageMap;
std::vector<LanguageEntry> LanguageList;
int LanguageIndex = 0;
const char* const FallbackLanguage = "en_GB";

namespace {

const std::string LanguageExtension = ".language";
const std::string FlagExtension = ".flag";
// A flag file in a folder has no member cap, but still a sane one.
constexpr size_t FolderFlagCap = 16u << 20;

bool localeOverridden = false;
int overrideOsVersion = 0;
std::string overrideLocale;

const ZipLimits LanguageZipLimits{LanguageEntryCap, LanguageMemberCap, LanguageTotalCap};

// Archive members match their extension exactly, case included.
bool EndsWith(const std::string& name, const std::string& ending)
{
    return name.size() >= ending.size() &&
           name.compare(name.size() - ending.size(), std::string::npos, ending) == 0;
}

// "*.language" matches without regard to case, as file patterns do.
bool EndsWithIgnoringCase(const std::string& name, const std::string& ending)
{
    return name.size() >= ending.size() &&
           SameTextIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

// Ids become parts of file and member names; one that reaches into another
// folder is never a language of ours.
bool UsableId(const std::string& id)
{
    return id.find('/') == std::string::npos && id.find('\\') == std::string::npos &&
           id.find('\0') == std::string::npos;
}

// The folder's file for id + extension: the exact name, or one whose
// extension differs only in case ("en_GB.LANGUAGE"). "" if none.
std::string FindFolderFile(const std::string& source, const std::string& id,
                           const std::string& extension)
{
    const std::string exact = id + extension;
    if (fileExists(source + "/" + exact))
        return exact;
    std::vector<std::string> names = listFolder(source + "/");
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (name.size() == exact.size() && name.compare(0, id.size(), id) == 0 &&
            EndsWithIgnoringCase(name, extension))
            return name;
    }
    return "";
}

// The first archive member of exactly that name, or nullptr.
const ZipMember* FindMember(const std::vector<ZipMember>& members, const std::string& name)
{
    for (const ZipMember& member : members) {
        if (member.name == name)
            return &member;
    }
    return nullptr;
}

// A flag picture from its bytes, when they decode and its pixels fit in
// what is left of the budget of all flags.
void TakeFlag(LanguageInfo& info, const std::vector<uint8_t>& bytes, int64_t& pixelsLeft)
{
    int width = 0;
    int height = 0;
    if (bytes.empty() || !pictureSize(bytes.data(), bytes.size(), width, height) ||
        static_cast<int64_t>(width) * height > pixelsLeft)
        return;
    info.flag = loadImage(-1, bytes.data(), bytes.size());
    if (info.flag != 0)
        pixelsLeft -= static_cast<int64_t>(width) * height;
}

// Headers of every "*.language" file of a folder, in name order so that the
// later of two files with one display name is always the same one.
void ScanLanguageFolder(const std::string& source)
{
    std::vector<std::string> names = listFolder(source + "/");
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!EndsWithIgnoringCase(name, LanguageExtension))
            continue;
        std::vector<uint8_t> bytes;
        if (!readWholeFile(source + "/" + name, bytes, IniFileCap))
            continue;
        TakeLanguageHeader(bytes.data(), bytes.size(),
                           name.substr(0, name.size() - LanguageExtension.size()));
    }
    BuildLanguageList();
    int64_t flagPixelsLeft = FlagPixelBudget;
    for (auto& [name, info] : LanguageMap) {
        const std::string flagName = FindFolderFile(source, info.id, FlagExtension);
        std::vector<uint8_t> bytes;
        if (!flagName.empty() && fileSize(source + "/" + flagName) > 0 &&
            readWholeFile(source + "/" + flagName, bytes, FolderFlagCap))
            TakeFlag(info, bytes, flagPixelsLeft);
    }
}

// The members of a language archive that are read: language files and flags.
bool IsLanguageMember(const std::string& name)
{
    return EndsWith(name, LanguageExtension) || EndsWith(name, FlagExtension);
}

// NOTE: the archive is read into memory and never unpacked to disk; member
// names arrive reduced to their last component, so "../x.language" is read
// as "x.language". Only language files and flags are read, within the limits.
bool ScanLanguageArchive(const std::string& source)
{
    std::vector<ZipMember> members;
    if (!readZipMembers(source, LanguageZipLimits, IsLanguageMember, members))
        return false;
    for (const ZipMember& member : members) {
        if (EndsWith(member.name, LanguageExtension))
            TakeLanguageHeader(member.bytes.data(), member.bytes.size(),
                               member.name.substr(0, member.name.size() - LanguageExtension.size()));
    }
    BuildLanguageList();
    int64_t flagPixelsLeft = FlagPixelBudget;
    for (auto& [name, info] : LanguageMap) {
        if (const ZipMember* flag = FindMember(members, info.id + FlagExtension))
            TakeFlag(info, flag->bytes, flagPixelsLeft);
    }
    return true;
}

// The bytes of the language file id from either kind of source.
bool ReadLanguageFile(const std::string& source, const std::string& id, std::vector<uint8_t>& bytes)
{
    const int kind = LanguageSourceKindOf(source);
    if (kind == LanguageSourceFolder) {
        const std::string name = FindFolderFile(source, id, LanguageExtension);
        return !name.empty() && readWholeFile(source + "/" + name, bytes, IniFileCap);
    }
    if (kind == LanguageSourceArchive) {
        // NOTE: read as the scan reads, every language member: a member whose
        // header lies ends up read by the one and stepped over by the other
        // otherwise, and the two would then see different members after it.
        std::vector<ZipMember> members;
        if (!readZipMembers(source, LanguageZipLimits, IsLanguageMember, members))
            return false;
        const ZipMember* member = FindMember(members, id + LanguageExtension);
        if (!member)
            return false;
        bytes = member->bytes;
        return true;
    }
    return false;
}

// Alphabetical by display name, letters of either case together.
bool ListsBefore(const LanguageEntry& a, const LanguageEntry& b)
{
    const auto lower = [](std::string s) {
        for (char& c : s)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return s;
    };
    const std::string la = lower(a.name), lb = lower(b.name);
    return la != lb ? la < lb : a.name < b.name;
}

} // namespace

// The languages live beside the program.
std::string LanguageSource(const std::string& gameDir)
{
    return gameDir + "Morvane.languages";
}

// An empty file is neither a folder nor an archive.
int LanguageSourceKindOf(const std::string& source)
{
    if (folderExists(source))
        return LanguageSourceFolder;
    if (fileSize(source) > 0)
        return LanguageSourceArchive;
    return LanguageSourceNone;
}

// Flags of an earlier scan go with it, so a second scan leaks nothing.
void ClearLanguages()
{
    for (auto& [name, info] : LanguageMap) {
        if (info.flag != 0 && isImage(info.flag))
            freeImage(info.flag);
    }
    LanguageMap.clear();
    LanguageList.clear();
}

// Starts afresh: the map, the list and the flags of a former scan go.
bool ScanLanguages(const std::string& source)
{
    ClearLanguages();
    const int kind = LanguageSourceKindOf(source);
    if (kind == LanguageSourceFolder) {
        ScanLanguageFolder(source);
        return true;
    }
    if (kind == LanguageSourceArchive)
        return ScanLanguageArchive(source);
    return false;
}

// A file without the header group is listed under the empty name.
bool TakeLanguageHeader(const uint8_t* bytes, size_t size, const std::string& id)
{
    IniFile file;
    ParseIni(bytes, size, file);
    const IniGroup* header = FindIniGroup(file, "LANGUAGE FILE");
    std::string name;
    ReadIniText(header, "tLangFileNAME", name);
    LanguageInfo& info = LanguageMap[name];
    info.name = name;
    info.id = id;
    info.version.clear();
    info.date.clear();
    info.author.clear();
    info.langid.clear();
    info.software.clear();
    ReadIniText(header, "tLangFileVERSION", info.version);
    ReadIniText(header, "tLangFileDATE", info.date);
    ReadIniText(header, "tLangFileAUTHOR", info.author);
    ReadIniText(header, "tLangFileLANGID", info.langid);
    ReadIniText(header, "tLangFileSOFTWARE", info.software);
    return true;
}

// NOTE: the table is never cleared, so texts the new language lacks keep
// the words of the language loaded before it.
int TakeLanguageTexts(const uint8_t* bytes, size_t size)
{
    IniFile file;
    ParseIni(bytes, size, file);
    int taken = 0;
    for (const IniGroup& group : file.groups) {
        for (const IniKeyLine& line : group.lines) {
            TextTable[line.key] = line.value;
            taken++;
        }
    }
    return taken;
}

// Opens id + ".language" of the source and takes its texts.
bool LoadLanguage(const std::string& source, const std::string& id)
{
    std::vector<uint8_t> bytes;
    if (!UsableId(id) || !ReadLanguageFile(source, id, bytes))
        return false;
    TakeLanguageTexts(bytes.data(), bytes.size());
    return true;
}

// The one log line of every language load, at start-up and on a switch.
bool LoadLanguageAndLog(const std::string& source, const std::string& id)
{
    const bool loaded = LoadLanguage(source, id);
    WriteLogLine("Load language (" + id + "):", loaded ? "OK" : "FAILED");
    return loaded;
}

// NOTE: an unknown id answers 0, the same as the first entry.
int FindLanguage(const std::string& id)
{
    for (size_t i = 0; i < LanguageList.size(); i++) {
        if (LanguageList[i].id == id)
            return static_cast<int>(i);
    }
    return 0;
}

// Sorted, so the settings row always cycles in the same order.
void BuildLanguageList()
{
    LanguageList.clear();
    for (const auto& [name, info] : LanguageMap)
        LanguageList.push_back({info.id, name});
    std::sort(LanguageList.begin(), LanguageList.end(), ListsBefore);
}

// The check is against the ids found, not whether "en_GB" itself exists.
void SettleLanguagePreference()
{
    for (const auto& [name, info] : LanguageMap) {
        if (info.id == Prefs.language)
            return;
    }
    Prefs.language = FallbackLanguage;
}

// Platforms too old to name a locale (version code 65 or below) get English.
std::string SystemLanguage(int part)
{
    const int osVersion = localeOverridden ? overrideOsVersion : osVersionCode();
    std::string locale = "en-GB";
    if (osVersion > 65)
        locale = localeOverridden ? overrideLocale : localeName();
    const size_t dash = locale.find('-');
    switch (part) {
    case 0:
        std::replace(locale.begin(), locale.end(), '-', '_');
        return locale;
    case 1:
        return locale.substr(0, dash);
    case 2: {
        if (dash == std::string::npos)
            return "";
        const size_t next = locale.find('-', dash + 1);
        return locale.substr(dash + 1, next == std::string::npos ? std::string::npos : next - dash - 1);
    }
    default:
        return "";
    }
}

// Lets tests try locales and old platforms without changing the machine.
void OverrideSystemLocale(int osVersion, const std::string& locale)
{
    localeOverridden = true;
    overrideOsVersion = osVersion;
    overrideLocale = locale;
}

// Back to what the media layer reports.
void ClearSystemLocaleOverride()
{
    localeOverridden = false;
}
