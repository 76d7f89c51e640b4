// Language sources (folder and ZIP archive), the language list and the text
// table, with the files made here.
#include <gtest/gtest.h>

#include <filesystem>

#include "language/language_files.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "settings/preferences.h"
#include "settings/temp_folder.h"
#include "startup/log.h"

namespace {

// The flag pictures of the last scan are freed when the suite ends.
class LanguageSuite : public testing::Environment {
public:
    void TearDown() override
    {
        ClearLanguages();
        releaseMedia();
    }
};
const testing::Environment* const Suite = testing::AddGlobalTestEnvironment(new LanguageSuite);

std::vector<std::string> ListedIds()
{
    std::vector<std::string> ids;
    for (const LanguageEntry& entry : LanguageList)
        ids.push_back(entry.id);
    return ids;
}

// A folder source with three languages, a stray file and flags.
std::string MakeLanguageFolder(const TempFolder& folder)
{
    const std::filesystem::path source = folder.path / "Morvane.languages";
    std::filesystem::create_directories(source);
    WriteBytes((source / "en_GB.language").string(),
               LanguageFile("English", "tMenuSTART = Start\r\ntHelpTEXT04 = Last page\r\n", "2.1"));
    WriteBytes((source / "de_DE.LANGUAGE").string(), LanguageFile("Deutsch", "tMenuSTART = Los\r\n"));
    // Latin-1, no mark: "Français".
    WriteBytes((source / "fr_FR.language").string(),
               "[LANGUAGE FILE]\ntLangFileNAME=Fran\xE7" "ais\n[Menu]\ntMenuSTART=Jouer\n");
    WriteBytes((source / "notes.txt").string(), LanguageFile("Notes", ""));
    WriteBytes((source / "pl_PL.language.bak").string(), LanguageFile("Polski", ""));
    WriteBytes((source / "en_GB.flag").string(), MakePng(4, 3));
    WriteBytes((source / "de_DE.flag").string(), "");
    return source.string();
}

} // namespace

TEST(LanguageFolder, ListsEveryLanguageFileAlphabetically)
{
    TempFolder folder;
    const std::string source = MakeLanguageFolder(folder);
    ASSERT_EQ(LanguageSourceKindOf(source), LanguageSourceFolder);
    ASSERT_TRUE(ScanLanguages(source));
    EXPECT_EQ(ListedIds(), (std::vector<std::string>{"de_DE", "en_GB", "fr_FR"}));
    EXPECT_EQ(LanguageList[2].name, "Fran\xC3\xA7" "ais");

    const LanguageInfo& english = LanguageMap.at("English");
    EXPECT_EQ(english.id, "en_GB");
    EXPECT_EQ(english.version, "2.1");
    EXPECT_EQ(english.date, "2026-12-07");
    EXPECT_EQ(english.author, "Morvane tests");
    EXPECT_EQ(english.langid, "En");
    EXPECT_EQ(english.software, "Morvane");
    ASSERT_NE(english.flag, 0);
    EXPECT_EQ(imageWidth(english.flag), 4);
    EXPECT_EQ(imageHeight(english.flag), 3);
    // An empty flag file and a missing one give no flag.
    EXPECT_EQ(LanguageMap.at("Deutsch").flag, 0);
    EXPECT_EQ(LanguageMap.at("Fran\xC3\xA7" "ais").flag, 0);

    EXPECT_EQ(FindLanguage("en_GB"), 1);
    EXPECT_EQ(FindLanguage("fr_FR"), 2);
    EXPECT_EQ(FindLanguage("xx_XX"), 0);
    EXPECT_EQ(FindLanguage("EN_GB"), 0);
}

TEST(LanguageFolder, LoadsTextsWhateverTheCaseOfTheExtension)
{
    TempFolder folder;
    const std::string source = MakeLanguageFolder(folder);
    ASSERT_TRUE(ScanLanguages(source));
    ASSERT_TRUE(LoadLanguage(source, "de_DE"));
    EXPECT_EQ(text("tMenuSTART"), "Los");
    EXPECT_EQ(text("tLangFileNAME"), "Deutsch");
    ASSERT_TRUE(LoadLanguage(source, "fr_FR"));
    EXPECT_EQ(text("tMenuSTART"), "Jouer");
    EXPECT_FALSE(LoadLanguage(source, "pl_PL"));
    EXPECT_FALSE(LoadLanguage(source, "../Morvane.languages/en_GB"));
    EXPECT_EQ(text("tMenuSTART"), "Jouer");
}

TEST(LanguageFolder, SameDisplayNameKeepsTheLaterFile)
{
    TempFolder folder;
    const std::filesystem::path source = folder.path / "Morvane.languages";
    std::filesystem::create_directories(source);
    WriteBytes((source / "aa_AA.language").string(), LanguageFile("Twin", "", "1"));
    WriteBytes((source / "zz_ZZ.language").string(), LanguageFile("Twin", "", "2"));
    WriteBytes((source / "nameless.language").string(), "[Texts]\ntMenuQUIT=Bye\n");
    ASSERT_TRUE(ScanLanguages(source.string()));
    ASSERT_EQ(LanguageList.size(), 2u);
    EXPECT_EQ(LanguageMap.at("Twin").id, "zz_ZZ");
    EXPECT_EQ(LanguageMap.at("Twin").version, "2");
    // A file without the header group is listed under the empty name.
    EXPECT_EQ(LanguageList[0].name, "");
    EXPECT_EQ(LanguageList[0].id, "nameless");
    EXPECT_EQ(LanguageMap.at("").version, "");
}

TEST(TextTable, LaterLinesWinAndMissingKeysKeepEarlierTexts)
{
    TempFolder folder;
    const std::filesystem::path source = folder.path / "Morvane.languages";
    std::filesystem::create_directories(source);
    WriteBytes((source / "full.language").string(),
               LanguageFile("Full", "tTestSTART = One\r\ntTestSTART = Two\r\ntTestLAST = Full last\r\n"));
    WriteBytes((source / "part.language").string(),
               LanguageFile("Part", "tTestSTART = Three\r\n[More]\r\ntTestSTART = Four\r\n"));
    ASSERT_TRUE(ScanLanguages(source.string()));
    ASSERT_TRUE(LoadLanguage(source.string(), "full"));
    EXPECT_EQ(text("tTestSTART"), "Two");
    EXPECT_EQ(text("tTestLAST"), "Full last");
    ASSERT_TRUE(LoadLanguage(source.string(), "part"));
    EXPECT_EQ(text("tTestSTART"), "Four");
    EXPECT_EQ(text("tTestLAST"), "Full last");
    // Keys compare exactly in the table.
    EXPECT_EQ(text("ttestlast"), "");
}

TEST(TextTable, MissingKeyAnswersEmptyAndIsEntered)
{
    ASSERT_EQ(TextTable.count("tTestNEVERDEFINED"), 0u);
    const std::string& missing = text("tTestNEVERDEFINED");
    EXPECT_EQ(missing, "");
    EXPECT_EQ(TextTable.count("tTestNEVERDEFINED"), 1u);
    // The answer stays valid as the table grows.
    for (int i = 0; i < 2000; i++)
        text("tTestFILLER" + std::to_string(i));
    TextTable["tTestNEVERDEFINED"] = "now defined";
    EXPECT_EQ(missing, "now defined");
}

TEST(LanguageSource, MissingOrEmptySourceFindsNothing)
{
    TempFolder folder;
    EXPECT_FALSE(ScanLanguages(folder.File("Morvane.languages")));
    EXPECT_TRUE(LanguageList.empty());
    EXPECT_TRUE(LanguageMap.empty());
    EXPECT_FALSE(LoadLanguage(folder.File("Morvane.languages"), "en_GB"));
    WriteBytes(folder.File("Morvane.languages"), "");
    EXPECT_EQ(LanguageSourceKindOf(folder.File("Morvane.languages")), LanguageSourceNone);
    EXPECT_FALSE(ScanLanguages(folder.File("Morvane.languages")));
    // A file that is not an archive at all.
    WriteBytes(folder.File("Morvane.languages"), "not a zip archive");
    EXPECT_EQ(LanguageSourceKindOf(folder.File("Morvane.languages")), LanguageSourceArchive);
    EXPECT_FALSE(ScanLanguages(folder.File("Morvane.languages")));
    EXPECT_TRUE(LanguageList.empty());
    EXPECT_EQ(LanguageSource("/games/morvane/"), "/games/morvane/Morvane.languages");
}

TEST(LanguageChoice, UnknownPreferenceFallsBackToEnglish)
{
    TempFolder folder;
    const std::string source = MakeLanguageFolder(folder);
    ASSERT_TRUE(ScanLanguages(source));
    SetDefaultPreferences();
    Prefs.language = "fr_FR";
    SettleLanguagePreference();
    EXPECT_EQ(Prefs.language, "fr_FR");
    // A display name is not an id.
    Prefs.language = "Deutsch";
    SettleLanguagePreference();
    EXPECT_EQ(Prefs.language, "en_GB");
    ScanLanguages(folder.File("nothing here"));
    Prefs.language = "de_DE";
    SettleLanguagePreference();
    EXPECT_EQ(Prefs.language, "en_GB");
}

TEST(LanguageChoice, LoadIsLoggedWithItsOutcome)
{
    TempFolder folder;
    const std::string source = MakeLanguageFolder(folder);
    ASSERT_TRUE(ScanLanguages(source));
    ASSERT_TRUE(OpenLog(folder.File("test.log"), "Morvane"));
    EnableLog();
    EXPECT_TRUE(LoadLanguageAndLog(source, "en_GB"));
    EXPECT_FALSE(LoadLanguageAndLog(source, "xx_XX"));
    CloseLog();
    EXPECT_EQ(ReadBytes(folder.File("test.log")),
              "Morvane\r\nLoad language (en_GB):\t\tOK\r\nLoad language (xx_XX):\t\tFAILED\r\n");
}

TEST(SystemLanguage, PartsOfTheLocaleName)
{
    OverrideSystemLocale(200, "de-DE");
    EXPECT_EQ(SystemLanguage(0), "de_DE");
    EXPECT_EQ(SystemLanguage(1), "de");
    EXPECT_EQ(SystemLanguage(2), "DE");
    EXPECT_EQ(SystemLanguage(3), "");
    EXPECT_EQ(SystemLanguage(-1), "");
    OverrideSystemLocale(66, "pt-BR");
    EXPECT_EQ(SystemLanguage(0), "pt_BR");
    // Too old to name a locale: English whatever the locale.
    OverrideSystemLocale(60, "de-DE");
    EXPECT_EQ(SystemLanguage(0), "en_GB");
    EXPECT_EQ(SystemLanguage(1), "en");
    EXPECT_EQ(SystemLanguage(2), "GB");
    EXPECT_EQ(SystemLanguage(5), "");
    OverrideSystemLocale(65, "fr-FR");
    EXPECT_EQ(SystemLanguage(0), "en_GB");
    // No locale at all, or one without a region.
    OverrideSystemLocale(200, "");
    EXPECT_EQ(SystemLanguage(0), "");
    EXPECT_EQ(SystemLanguage(2), "");
    OverrideSystemLocale(200, "fi");
    EXPECT_EQ(SystemLanguage(1), "fi");
    EXPECT_EQ(SystemLanguage(2), "");
    ClearSystemLocaleOverride();
}
