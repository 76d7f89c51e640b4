// The preferences and progress files: byte-exact writes, tolerant readers, saves that never lose the old file.
#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "board/levels.h"
#include "media/media.h"
#include "settings/ini.h"
#include "settings/preferences.h"
#include "settings/progress.h"
#include "support/support.h"

namespace {

const std::string DefaultFile = "\xEF\xBB\xBF\r\n; Morvane Preferences\r\n[Settings]\r\nLanguage = \r\nMusic = 1\r\n"
                                "GameScreen = 2\r\nResolution = 1\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n";

using Values = std::tuple<std::string, int, int, int, int, int, int>;
Values Live()
{
    return {Prefs.language, Prefs.music, Prefs.gameScreen, Prefs.resolution, Prefs.completed, Prefs.sounds,
            Prefs.musicVolume};
}

TEST(PreferencesReader, HandEditedFiles)
{
    const std::string keys = "Language=fr_FR\r\nMusic=0\r\nGameScreen=0\r\nResolution=5\r\nCompleted=1\r\nSounds=0\r\n"
                             "MusicVolume=10\r\n";
    const Values defaults{"", 1, 2, 1, 0, 1, 100};
    const struct {
        std::string file;
        Values expected;
    } cases[] = {
        {"  \t[settings]\n\t  SOUNDS   =\t 0  \nmusicvolume= 55\n", {"", 1, 2, 1, 0, 0, 55}},
        {"[Settings]\r\n" + keys, {"fr_FR", 0, 0, 5, 1, 0, 10}},
        {keys, defaults},  // keys outside the group
        {"[Setting]\r\n" + keys, defaults},
        {"[Other]\r\n" + keys + "[Settings]\r\n", defaults},
        {"; [Settings]\r\n" + keys, defaults},  // a comment opens no group
        {"[Settings]\r\nLanguage = Fran\xE7" "ais r\xE9gion \t\r\n", {"Fran\xC3\xA7" "ais r\xC3\xA9gion", 1, 2, 1, 0, 1, 100}},
        {"\xEF\xBB\xBF[Settings]\r\nLanguage = \xC3\xA9t\xC3\xA9\r\n", {"\xC3\xA9t\xC3\xA9", 1, 2, 1, 0, 1, 100}},
        {"[Settings]\nMusicVolume=12abc\nCompleted=abc\nMusic=-3\nSounds=+4\n", {"", -3, 2, 1, 0, 4, 12}},
        {"[Settings]\nMusic=0\nMUSIC=1\n[settings]\nSounds=0\n", {"", 0, 2, 1, 0, 1, 100}},  // first match wins
        {"[Settings]\rMusic=0\r\r\n\nLanguage=  pl_PL  =x\rSounds\r", {"pl_PL  =x", 0, 2, 1, 0, 0, 100}},
        {"[Settings\nMusic=0\n", {"", 0, 2, 1, 0, 1, 100}},
        {"[Settings]\nGameScreen=3\nResolution=10\n", defaults},  // out of range: the defaults
        {"[Settings]\nGameScreen=-1\nResolution=-4\n", defaults},
        {"[Settings]\nGameScreen=0\nResolution=9\n", {"", 1, 0, 9, 0, 1, 100}},
        {"[Settings]\nGameScreen=1\nResolution=0\n", {"", 1, 1, 0, 0, 1, 100}},
    };
    for (const auto& c : cases) {
        SetDefaultPreferences();
        ReadPreferences(reinterpret_cast<const uint8_t*>(c.file.data()), c.file.size());
        EXPECT_EQ(Live(), c.expected) << c.file;
    }
    IniFile comments;  // comment lines are neither keys nor groups
    const std::string commented = "; a = b\r\n  ; [c]\r\n";
    ParseIni(reinterpret_cast<const uint8_t*>(commented.data()), commented.size(), comments);
    EXPECT_EQ(comments.groups.size() + comments.ungrouped.size(), 0u);
    const std::pair<const char*, int> numbers[] = {{"-", 0}, {"", 0}, {" 5", 0}, {"99999999999999999999", INT_MAX},
                                                   {"-99999999999999999999", INT_MIN}, {"-2147483648", INT_MIN}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(IniNumber(text), value) << text;
}

TEST(PreferencesFile, WrittenByteForByteAndReadBack)
{
    TempFolder folder;
    SetDefaultPreferences();
    EXPECT_FALSE(LoadPreferences(folder.Folder()));
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.prefs")), DefaultFile);
    Prefs = {"de_DE", 0, 1, 7, 1, 0, 40};
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    SetDefaultPreferences();
    ASSERT_TRUE(LoadPreferences(folder.Folder()));
    EXPECT_EQ(Live(), Values("de_DE", 0, 1, 7, 1, 0, 40));
    EXPECT_EQ(listFolder(folder.Folder()), std::vector<std::string>{"Morvane.prefs"});

    // A Latin-1 file is written back as UTF-8 with its mark.
    WriteBytes(folder.File("Morvane.prefs"), "[Settings]\r\nLanguage = Fran\xE7" "ais\r\nMusicVolume=40\n");
    SetDefaultPreferences();
    ASSERT_TRUE(LoadPreferences(folder.Folder()));
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    std::string expected = DefaultFile;
    expected.replace(expected.find("Language = "), 11, "Language = Fran\xC3\xA7" "ais");
    expected.replace(expected.find("MusicVolume = 100"), 17, "MusicVolume = 40");
    EXPECT_EQ(ReadBytes(folder.File("Morvane.prefs")), expected);

    // A long file: its whole lines within the bound are read; the line the
    // bound cuts ("Language = de_D|E") and those after it are not.
    std::string head = "[Settings]\r\nMusic = 0\r\n;";
    head += std::string(PreferencesReadBound - head.size() - 17, 'x') + "\r\nLanguage = de_DE\r\nSounds = 0\r\n";
    WriteBytes(folder.File("Morvane.prefs"), head);
    SetDefaultPreferences();
    ASSERT_TRUE(LoadPreferences(folder.Folder()));
    EXPECT_EQ(Live(), Values("", 0, 2, 1, 0, 1, 100));

    CopyPreferencesToPending();
    EXPECT_EQ(std::tie(Pending.language, Pending.music, Pending.sounds, Pending.screenMode, Pending.resolution),
              std::tie(Prefs.language, Prefs.music, Prefs.sounds, Prefs.gameScreen, Prefs.resolution));

    // A failed save leaves what is there. (Partial writes and missing folders
    // are the atomic write's own test; here something in the file's place
    // that a rename cannot replace.)
    std::filesystem::remove(folder.File("Morvane.prefs"));
    std::filesystem::create_directories(folder.path / "Morvane.prefs" / "keep");
    EXPECT_FALSE(SavePreferences(folder.Folder()));
    EXPECT_FALSE(SavePreferences(folder.File("missing") + "/"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path / "Morvane.prefs" / "keep"));
    EXPECT_TRUE(listFolder(folder.Folder()).empty()) << "a temporary file left";  // files only
}

// Best and lock of each level, as (best, locked) pairs from level 1 on.
std::vector<std::pair<int, int>> Progress(int levels = 25)
{
    std::vector<std::pair<int, int>> values;
    for (int n = 1; n <= levels; n++)
        values.push_back({LevelByNumber(n).best, LevelByNumber(n).locked});
    return values;
}

int ReadText(const std::string& text)
{
    BuildLevelRecords();
    return ReadProgress(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

TEST(ProgressFile, WrittenByteForByteAndReadBack)
{
    TempFolder folder;
    BuildLevelRecords();
    EXPECT_FALSE(LoadProgress(folder.Folder()));
    EXPECT_EQ(Progress(3), (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {0, 1}}));
    std::string expected;
    for (int n = 1; n <= 25; n++) {
        LevelByNumber(n).best = static_cast<uint8_t>((n * 7) % 4);
        LevelByNumber(n).locked = n > 13 ? 1 : 0;
        expected += std::to_string((n * 7) % 4) + "\r\n" + (n > 13 ? "1" : "0") + "\r\n";
    }
    const auto saved = Progress();
    ASSERT_TRUE(SaveProgress(folder.Folder()));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.scores")), expected);
    BuildLevelRecords();
    ASSERT_TRUE(LoadProgress(folder.Folder()));
    EXPECT_EQ(Progress(), saved);

    LevelByNumber(25).best = 0;
    EXPECT_FALSE(SaveProgress(folder.File("Morvane.scores") + "/"));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.scores")), expected);
    EXPECT_EQ(listFolder(folder.Folder()), std::vector<std::string>{"Morvane.scores"});
}

TEST(ProgressFile, ShortDamagedAndHandEditedFiles)
{
    // A short file: the levels it does not mention are open and unrated. So
    // are they after a line cut by the read bound: only whole lines within
    // it are read (this one, read whole, would rate and lock level 6).
    const std::string ten = "3\r\n0\r\n2\r\n0\r\n1\r\n0\r\n3\r\n0\r\n2\r\n1\r\n";
    EXPECT_EQ(ReadText(ten), 10);
    std::vector<std::pair<int, int>> expected = {{3, 0}, {2, 0}, {1, 0}, {3, 0}, {2, 1}};
    expected.resize(25, {0, 0});
    EXPECT_EQ(Progress(), expected);
    TempFolder folder;
    WriteBytes(folder.File("Morvane.scores"), ten + "3" + std::string(ProgressReadBound, ' ') + "\r\n1\r\n");
    ASSERT_TRUE(LoadProgress(folder.Folder()));
    EXPECT_EQ(Progress(), expected);

    // LF only, a lone CR, CR LF; an empty line reads as 0; lines past 50 are ignored.
    std::string text = "1\n1\r2\r\n\r\n";
    for (int i = 4; i < 50; i++)
        text += "1\n";
    EXPECT_EQ(ReadText(text + "3\n3\n3\n"), 50);
    expected.assign(25, {1, 1});
    expected[1] = {2, 0};
    EXPECT_EQ(Progress(), expected);

    // A mark from an editor is skipped; values are held in range.
    ReadText("\xEF\xBB\xBF" "2\r\n0\r\n7\r\n-1\r\n-5\r\n255\r\n  3x\r\nabc\r\n");
    EXPECT_EQ(Progress(4), (std::vector<std::pair<int, int>>{{2, 0}, {3, 1}, {0, 1}, {3, 0}}));
}

}  // namespace
