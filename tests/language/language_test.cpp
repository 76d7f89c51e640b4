// Language sources (a folder or a ZIP archive read in memory), the language
// list, the text table and the choice of language, with files made here.
#include <gtest/gtest.h>

#include "language/languages.h"
#include "media/media.h"
#include "language/text_table.h"
#include "language_files.h"
#include "settings/preferences.h"
#include "support/support.h"

namespace {

// A PNG flag as text; with `noisy` the pixels do not compress, which makes a
// large file of a modest picture.
std::string MakeFlag(int width, int height, bool noisy = false)
{
    uint32_t seed = 12345;
    const std::vector<uint8_t> png = MakePng(width, height, [&seed, noisy](int x, int y) {
        seed = seed * 1103515245u + 12345u;
        return noisy ? seed | 0xFF000000u : rgba(x * 37 + y, y * 11, 90);
    });
    return std::string(png.begin(), png.end());
}

struct ReleaseAtEnd : testing::Environment {
    void TearDown() override
    {
        ClearLanguages();
        releaseMedia();
    }
};
const testing::Environment* const Suite = testing::AddGlobalTestEnvironment(new ReleaseAtEnd);

// A ZIP archive of the members, stored, in order; a name ending in "/" is a folder.
void WriteZip(const std::string& path, const std::vector<NamedBytes>& members)
{
    std::vector<RawMember> stored;
    for (const auto& [name, bytes] : members)
        stored.push_back(StoredMember(name, bytes));
    WriteBytes(path, RawZip(stored));
}

std::vector<std::string> ListedIds()
{
    std::vector<std::string> ids;
    for (const LanguageEntry& entry : LanguageList)
        ids.push_back(entry.id + "=" + entry.name);
    return ids;
}

// Each source as a folder and as an archive of the same files.
std::vector<std::string> BothSources(const TempFolder& temp, const std::vector<NamedBytes>& files)
{
    const std::filesystem::path folder = temp.path / "folder" / "Morvane.languages";
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : files)
        WriteBytes((folder / name).string(), bytes);
    WriteZip(temp.File("Morvane.languages"), files);
    return {folder.string(), temp.File("Morvane.languages")};
}

TEST(Languages, ListedAlphabeticallyWithFlagsAndLoadedFromFolderOrArchive)
{
    TempFolder temp;
    for (const std::string& source : BothSources(temp, {
             {"en_GB.language", LanguageFile("English", "tMenuSTART = Start\r\ntTestSTART = One\r\ntTestSTART = Two\r\n", "2.1")},
             {"de_DE.language", LanguageFile("Deutsch", "tMenuSTART = Los\r\n[More]\r\ntTestLAST = Ende\r\n")},
             {"fr_FR.language", "[LANGUAGE FILE]\ntLangFileNAME=Fran\xE7" "ais\n[Menu]\ntMenuSTART=Jouer\ntTextCOLON= \xA0:\n"},  // Latin-1
             {"aa_AA.language", LanguageFile("Twin", "", "1")},
             {"zz_ZZ.language", LanguageFile("Twin", "", "2")},  // the same name: the later file wins
             {"up_UP.LANGUAGE", LanguageFile("Upper", "")},  // a folder's extensions ignore case
             {"notes.txt", LanguageFile("Notes", "")},
             {"pl_PL.language.bak", LanguageFile("Polski", "")},
             {"en_GB.flag", MakeFlag(4, 3)},
             {"de_DE.flag", MakeFlag(90, 90, true)},  // above the old 16000-byte block
             {"fr_FR.flag", "\x89PNG but not really"},
         })) {
        SCOPED_TRACE(source);
        ASSERT_TRUE(ScanLanguages(source));
        std::vector<std::string> ids = {"de_DE=Deutsch", "en_GB=English", "fr_FR=Fran\xC3\xA7" "ais", "zz_ZZ=Twin"};
        if (LanguageSourceKindOf(source) == LanguageSourceFolder)
            ids.push_back("up_UP=Upper");
        EXPECT_EQ(ListedIds(), ids);
        const LanguageInfo& english = LanguageMap.at("English");
        EXPECT_EQ(english.version + english.date + english.author + english.langid + english.software,
                  "2.12026-12-07Morvane testsEnMorvane");
        EXPECT_EQ(imageWidth(english.flag) * 10 + imageHeight(english.flag), 43);
        EXPECT_EQ(imageWidth(LanguageMap.at("Deutsch").flag), 90);
        EXPECT_EQ(LanguageMap.at("Fran\xC3\xA7" "ais").flag, 0);
        EXPECT_EQ(FindLanguage("fr_FR"), 2);
        EXPECT_EQ(FindLanguage("EN_GB"), 0);
        ASSERT_TRUE(LoadLanguage(source, "en_GB"));
        EXPECT_EQ(text("tTestSTART"), "Two");  // later lines win
        ASSERT_TRUE(LoadLanguage(source, "de_DE"));
        EXPECT_EQ(text("tMenuSTART") + text("tTestLAST") + text("tTestSTART"), "LosEndeTwo");  // missing keys keep texts
        EXPECT_EQ(text("ttestlast"), "");
        ASSERT_TRUE(LoadLanguage(source, "fr_FR"));
        EXPECT_EQ(text("tTextCOLON"), "\xC2\xA0:") << "a leading no-break space is part of the text";
        EXPECT_FALSE(LoadLanguage(source, "pl_PL"));
        EXPECT_FALSE(LoadLanguage(source, "../Morvane.languages/en_GB"));
    }
    // Each language's mark where the game joins a label and a text; the
    // English line while a language has no text for a key.
    for (const auto& [mark, joined] : {std::pair{"", "Error: Sound"}, {":", "Error: Sound"},
                                       {"\xC2\xA0:", "Error\xC2\xA0: Sound"}, {"\xEF\xBC\x9A", "Error\xEF\xBC\x9ASound"}}) {
        TextTable["tTextCOLON"] = mark;
        EXPECT_EQ(JoinLabel("Error", "Sound"), joined) << mark;
    }
    EXPECT_EQ(TextOr("tCreditsARTWORK", "Art") + TextOr("tMenuSTART", "Play"), "ArtJouer");
    // Nothing was unpacked beside the archive. A preference that names no listed id falls back to English.
    EXPECT_EQ(listFolder(temp.Folder()), std::vector<std::string>{"Morvane.languages"});
    for (const auto& [preference, settled] : {std::pair{"fr_FR", "fr_FR"}, {"Deutsch", "en_GB"}, {"xx_XX", "en_GB"}}) {
        Prefs.language = preference;
        SettleLanguagePreference();
        EXPECT_EQ(Prefs.language, settled) << preference;
    }
}

TEST(Languages, ArchiveMembersCannotReachOutNorExceedTheirLimits)
{
    TempFolder temp;
    std::filesystem::create_directories(temp.path / "game" / "deep");
    const std::string source = (temp.path / "game" / "deep" / "Morvane.languages").string();
    std::string huge = LanguageFile("Huge", "tZipHUGE = too big\r\n");
    huge += "; " + std::string(LanguageMemberCap, 'x') + "\r\n";
    const std::string hugeFlag = MakeFlag(600, 600, true);
    ASSERT_GT(hugeFlag.size(), LanguageMemberCap);
    WriteZip(source, {
        {"languages/", ""},
        {"../../evil.language", LanguageFile("Evil", "tZipEVIL = read in memory\r\n")},
        {"/tmp/evil.flag", MakeFlag(2, 2)},
        {"huge.language", huge},
        {"fine.language", LanguageFile("Fine", "tZipFINE = fine\r\n")},
        {"fine.flag", hugeFlag},
        {"wide.language", LanguageFile("Wide", "")},
        {"wide.flag", MakeFlag(1025, 1024)},  // small packed, more pixels than all flags may take
    });
    ASSERT_TRUE(ScanLanguages(source));
    EXPECT_EQ(ListedIds(), (std::vector<std::string>{"evil=Evil", "fine=Fine", "wide=Wide"}));
    EXPECT_NE(LanguageMap.at("Evil").flag, 0);
    EXPECT_EQ(LanguageMap.at("Fine").flag + LanguageMap.at("Wide").flag, 0);
    ASSERT_TRUE(LoadLanguage(source, "evil"));
    EXPECT_EQ(text("tZipEVIL"), "read in memory");
    EXPECT_FALSE(LoadLanguage(source, "huge"));
    EXPECT_EQ(text("tZipHUGE"), "");
    for (const auto& folder : {temp.path, temp.path / "game", std::filesystem::temp_directory_path()})
        EXPECT_FALSE(std::filesystem::exists(folder / "evil.language")) << folder;
    EXPECT_EQ(listFolder((temp.path / "game" / "deep").string()), std::vector<std::string>{"Morvane.languages"});

    // A member with its sizes after its data, whose header still claims a
    // packed size far past the end: loading passes it as the scan did, so
    // every language listed loads.
    const RawMember first = DeflatedMember("de_DE.language", LanguageFile("Deutsch", "tZipLIE = ja\r\n"), 1);
    std::string lying = RawZip({first, StoredMember("en_GB.language", LanguageFile("English", "tZipLIE = yes\r\n"))});
    std::string sizes = "PK\x07\x08";
    for (uint32_t value : {first.crc, uint32_t(first.data.size()), first.size})
        AppendLittleEndian(sizes, value, 4);
    lying.insert(30 + first.name.size() + first.data.size(), sizes);
    lying[6] = 8;
    lying.replace(18, 4, "\xFF\xFF\xFF\x0F");
    WriteBytes(source, lying);
    ASSERT_TRUE(ScanLanguages(source));
    EXPECT_EQ(ListedIds(), (std::vector<std::string>{"de_DE=Deutsch", "en_GB=English"}));
    ASSERT_TRUE(LoadLanguage(source, "en_GB"));
    EXPECT_EQ(text("tZipLIE"), "yes");

    // Missing, empty and damaged sources find nothing.
    for (const std::string& bytes : {std::string("-"), std::string(), std::string("not a zip archive")}) {
        if (bytes != "-")
            WriteBytes(temp.File("Morvane.languages"), bytes);
        EXPECT_FALSE(ScanLanguages(temp.File("Morvane.languages"))) << bytes;
        EXPECT_TRUE(LanguageList.empty() && LanguageMap.empty());
    }
    EXPECT_EQ(LanguageSourceKindOf(temp.File("nothing")), LanguageSourceNone);
    EXPECT_EQ(LanguageSource("/games/morvane/"), "/games/morvane/Morvane.languages");
}

}  // namespace
