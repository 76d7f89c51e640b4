// Language sources packed in a ZIP archive: read in memory, member names
// reduced to their last component, oversize members and flags left out.
#include <gtest/gtest.h>

#include <filesystem>

#include "language/language_files.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "settings/temp_folder.h"

namespace {

std::vector<std::string> ListedIds()
{
    std::vector<std::string> ids;
    for (const LanguageEntry& entry : LanguageList)
        ids.push_back(entry.id);
    return ids;
}

} // namespace

TEST(LanguageArchive, ListsLanguageMembersAndTheirFlags)
{
    TempFolder folder;
    const std::string source = folder.File("Morvane.languages");
    // Above the old 16000-byte block, well below the 1 MB cap.
    const std::string bigFlag = MakePng(90, 90, true);
    ASSERT_GT(bigFlag.size(), 16000u);
    ASSERT_TRUE(WriteZip(source, {
        {"languages/", ""},
        {"languages/en_GB.language", LanguageFile("English", "tZipSTART = Start\r\n")},
        {"languages/de_DE.language", LanguageFile("Deutsch", "tZipSTART = Los\r\n")},
        {"languages/en_GB.flag", MakePng(6, 4)},
        {"languages/de_DE.flag", bigFlag},
        {"x_X.LANGUAGE", LanguageFile("Upper", "")},
        {"readme.txt", "not a language"},
    }));
    ASSERT_EQ(LanguageSourceKindOf(source), LanguageSourceArchive);
    ASSERT_TRUE(ScanLanguages(source));
    EXPECT_EQ(ListedIds(), (std::vector<std::string>{"de_DE", "en_GB"}));
    ASSERT_NE(LanguageMap.at("English").flag, 0);
    EXPECT_EQ(imageWidth(LanguageMap.at("English").flag), 6);
    ASSERT_NE(LanguageMap.at("Deutsch").flag, 0);
    EXPECT_EQ(imageWidth(LanguageMap.at("Deutsch").flag), 90);

    ASSERT_TRUE(LoadLanguage(source, "de_DE"));
    EXPECT_EQ(text("tZipSTART"), "Los");
    ASSERT_TRUE(LoadLanguage(source, "en_GB"));
    EXPECT_EQ(text("tZipSTART"), "Start");
    EXPECT_FALSE(LoadLanguage(source, "x_X"));
    // Nothing was unpacked beside the archive.
    EXPECT_EQ(FolderEntries(folder.path), std::vector<std::string>{"Morvane.languages"});
}

TEST(LanguageArchive, MemberNamesCannotReachOutsideTheArchive)
{
    TempFolder folder;
    std::filesystem::create_directories(folder.path / "game" / "deep");
    const std::string source = (folder.path / "game" / "deep" / "Morvane.languages").string();
    ASSERT_TRUE(WriteZip(source, {
        {"../../evil.language", LanguageFile("Evil", "tZipEVIL = read in memory\r\n")},
        {"/tmp/evil.flag", MakePng(2, 2)},
    }));
    ASSERT_TRUE(ScanLanguages(source));
    EXPECT_EQ(ListedIds(), std::vector<std::string>{"evil"});
    EXPECT_NE(LanguageMap.at("Evil").flag, 0);
    ASSERT_TRUE(LoadLanguage(source, "evil"));
    EXPECT_EQ(text("tZipEVIL"), "read in memory");

    EXPECT_FALSE(std::filesystem::exists(folder.path / "evil.language"));
    EXPECT_FALSE(std::filesystem::exists(folder.path / "game" / "evil.language"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::temp_directory_path() / "evil.language"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / "evil.language"));
    EXPECT_EQ(FolderEntries(folder.path / "game" / "deep"), std::vector<std::string>{"Morvane.languages"});
    EXPECT_EQ(FolderEntries(folder.path / "game"), std::vector<std::string>{"deep"});
}

TEST(LanguageArchive, OversizeMembersAreIgnored)
{
    TempFolder folder;
    const std::string source = folder.File("Morvane.languages");
    std::string huge = LanguageFile("Huge", "tZipHUGE = too big\r\n");
    huge += "; " + std::string(LanguageMemberCap, 'x') + "\r\n";
    // A flag above the cap, for a language that is itself fine.
    const std::string hugeFlag = MakePng(600, 600, true);
    ASSERT_GT(hugeFlag.size(), LanguageMemberCap);
    ASSERT_TRUE(WriteZip(source, {
        {"huge.language", huge},
        {"fine.language", LanguageFile("Fine", "tZipFINE = fine\r\n")},
        {"fine.flag", hugeFlag},
        // Small packed, but more pixels than all flags together may take.
        {"wide.language", LanguageFile("Wide", "")},
        {"wide.flag", MakePng(1025, 1024)},
    }));
    ASSERT_TRUE(ScanLanguages(source));
    EXPECT_EQ(ListedIds(), (std::vector<std::string>{"fine", "wide"}));
    EXPECT_EQ(LanguageMap.at("Fine").flag, 0);
    EXPECT_EQ(LanguageMap.at("Wide").flag, 0);
    EXPECT_FALSE(LoadLanguage(source, "huge"));
    EXPECT_EQ(text("tZipHUGE"), "");
    EXPECT_TRUE(LoadLanguage(source, "fine"));
    EXPECT_EQ(text("tZipFINE"), "fine");
}

TEST(LanguageArchive, SameDisplayNameKeepsTheLaterMember)
{
    TempFolder folder;
    const std::string source = folder.File("Morvane.languages");
    ASSERT_TRUE(WriteZip(source, {
        {"zz_ZZ.language", LanguageFile("Twin", "", "1")},
        {"aa_AA.language", LanguageFile("Twin", "", "2")},
        {"undecodable.language", LanguageFile("Broken flag", "")},
        {"undecodable.flag", "\x89PNG but not really"},
    }));
    ASSERT_TRUE(ScanLanguages(source));
    ASSERT_EQ(LanguageList.size(), 2u);
    EXPECT_EQ(LanguageMap.at("Twin").id, "aa_AA");
    EXPECT_EQ(LanguageMap.at("Twin").version, "2");
    EXPECT_EQ(LanguageMap.at("Broken flag").flag, 0);
}
