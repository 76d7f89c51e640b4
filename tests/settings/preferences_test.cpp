// The preferences file: what is written byte for byte, how tolerant the
// reader is of hand-edited files, and that saving never loses the old file.
#include <gtest/gtest.h>

#include <climits>

#include "settings/ini.h"
#include "settings/preferences.h"
#include "settings/temp_folder.h"

namespace {

// Reads a preferences file given as text, starting from the defaults.
void ReadFromDefaults(const std::string& file)
{
    SetDefaultPreferences();
    const std::vector<uint8_t> bytes = AsBytes(file);
    ReadPreferences(bytes.data(), bytes.size());
}

void ExpectDefaults()
{
    const Preferences defaults;
    EXPECT_EQ(Prefs.language, defaults.language);
    EXPECT_EQ(Prefs.music, defaults.music);
    EXPECT_EQ(Prefs.gameScreen, defaults.gameScreen);
    EXPECT_EQ(Prefs.resolution, defaults.resolution);
    EXPECT_EQ(Prefs.completed, defaults.completed);
    EXPECT_EQ(Prefs.sounds, defaults.sounds);
    EXPECT_EQ(Prefs.musicVolume, defaults.musicVolume);
}

const std::string DefaultFile =
    "\xEF\xBB\xBF\r\n"
    "; Morvane Preferences\r\n"
    "[Settings]\r\n"
    "Language = \r\n"
    "Music = 1\r\n"
    "GameScreen = 2\r\n"
    "Resolution = 1\r\n"
    "Completed = 0\r\n"
    "Sounds = 1\r\n"
    "MusicVolume = 100\r\n";

} // namespace

TEST(PreferencesFile, DefaultsAreWrittenByteForByte)
{
    TempFolder folder;
    SetDefaultPreferences();
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.prefs")), DefaultFile);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(FolderEntries(folder.path), std::vector<std::string>{"Morvane.prefs"});
}

TEST(PreferencesFile, SavedValuesReadBackUnchanged)
{
    TempFolder folder;
    SetDefaultPreferences();
    Prefs = {"de_DE", 0, 1, 7, 1, 0, 40};
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    SetDefaultPreferences();
    ASSERT_TRUE(LoadPreferences(folder.Folder()));
    EXPECT_EQ(Prefs.language, "de_DE");
    EXPECT_EQ(Prefs.music, 0);
    EXPECT_EQ(Prefs.gameScreen, 1);
    EXPECT_EQ(Prefs.resolution, 7);
    EXPECT_EQ(Prefs.completed, 1);
    EXPECT_EQ(Prefs.sounds, 0);
    EXPECT_EQ(Prefs.musicVolume, 40);
}

TEST(PreferencesFile, MusicVolumeFromAFileIsWrittenBackUnchanged)
{
    TempFolder folder;
    WriteBytes(folder.File("Morvane.prefs"), "[Settings]\nMusicVolume=40\n");
    SetDefaultPreferences();
    ASSERT_TRUE(LoadPreferences(folder.Folder()));
    EXPECT_EQ(Prefs.musicVolume, 40);
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    const std::string saved = ReadBytes(folder.File("Morvane.prefs"));
    EXPECT_NE(saved.find("\r\nMusicVolume = 40\r\n"), std::string::npos) << saved;
}

TEST(PreferencesFile, MissingFileLeavesDefaults)
{
    TempFolder folder;
    SetDefaultPreferences();
    EXPECT_FALSE(LoadPreferences(folder.Folder()));
    ExpectDefaults();
}

TEST(PreferencesReader, GroupAndKeysIgnoreCase)
{
    ReadFromDefaults("[SETTINGS]\r\nmusic=0\r\n");
    EXPECT_EQ(Prefs.music, 0);
    ReadFromDefaults("  \t[settings]\n\t  SOUNDS   =\t 0  \nmusicvolume= 55\n");
    EXPECT_EQ(Prefs.sounds, 0);
    EXPECT_EQ(Prefs.musicVolume, 55);
}

TEST(PreferencesReader, KeysOutsideTheSettingsGroupAreIgnored)
{
    const std::string keys =
        "Language=fr_FR\r\nMusic=0\r\nGameScreen=0\r\nResolution=5\r\n"
        "Completed=1\r\nSounds=0\r\nMusicVolume=10\r\n";
    ReadFromDefaults(keys);
    ExpectDefaults();
    ReadFromDefaults("[Setting]\r\n" + keys);
    ExpectDefaults();
    ReadFromDefaults("[Other]\r\n" + keys + "[Settings]\r\n");
    ExpectDefaults();
    // Comment lines that look like a group do not open one.
    ReadFromDefaults("; [Settings]\r\n" + keys);
    ExpectDefaults();
}

TEST(PreferencesReader, Latin1FileIsReadAndWrittenBackAsUtf8)
{
    TempFolder folder;
    WriteBytes(folder.File("Morvane.prefs"), "[Settings]\r\nLanguage = Fran\xE7" "ais r\xE9gion \t\r\n");
    SetDefaultPreferences();
    ASSERT_TRUE(LoadPreferences(folder.Folder()));
    EXPECT_EQ(Prefs.language, "Fran\xC3\xA7" "ais r\xC3\xA9gion");
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    const std::string saved = ReadBytes(folder.File("Morvane.prefs"));
    EXPECT_EQ(saved.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(saved.find("\r\nLanguage = Fran\xC3\xA7" "ais r\xC3\xA9gion\r\n"), std::string::npos);
}

TEST(PreferencesReader, Utf8AfterTheMarkIsTakenAsItIs)
{
    ReadFromDefaults("\xEF\xBB\xBF[Settings]\r\nLanguage = \xC3\xA9t\xC3\xA9\r\n");
    EXPECT_EQ(Prefs.language, "\xC3\xA9t\xC3\xA9");
}

TEST(PreferencesReader, NumbersAreReadFromTheStartOfTheValue)
{
    ReadFromDefaults("[Settings]\nMusicVolume=12abc\nCompleted=abc\nMusic=-3\nSounds=+4\n");
    EXPECT_EQ(Prefs.musicVolume, 12);
    EXPECT_EQ(Prefs.completed, 0);
    EXPECT_EQ(Prefs.music, -3);
    EXPECT_EQ(Prefs.sounds, 4);
    EXPECT_EQ(IniNumber("-"), 0);
    EXPECT_EQ(IniNumber(""), 0);
    EXPECT_EQ(IniNumber(" 5"), 0);
    EXPECT_EQ(IniNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(IniNumber("-99999999999999999999"), INT_MIN);
    EXPECT_EQ(IniNumber("-2147483648"), INT_MIN);
}

TEST(PreferencesReader, FirstMatchWins)
{
    ReadFromDefaults("[Settings]\nMusic=0\nMUSIC=1\n[settings]\nSounds=0\n");
    EXPECT_EQ(Prefs.music, 0);
    // Only the first Settings group is looked at.
    EXPECT_EQ(Prefs.sounds, 1);
}

TEST(PreferencesReader, LinesEndAtCrOrLfAndKeepTheirValues)
{
    ReadFromDefaults("[Settings]\rMusic=0\r\r\n\nLanguage=  pl_PL  =x\rSounds\r");
    EXPECT_EQ(Prefs.music, 0);
    EXPECT_EQ(Prefs.language, "pl_PL  =x");
    // A key line without "=" has an empty value, which reads as 0.
    EXPECT_EQ(Prefs.sounds, 0);
    // A group line without "]" runs to the end of the line.
    ReadFromDefaults("[Settings\nMusic=0\n");
    EXPECT_EQ(Prefs.music, 0);
}

TEST(PreferencesReader, ScreenModeAndResolutionOutsideTheirRangesFallBack)
{
    ReadFromDefaults("[Settings]\nGameScreen=3\nResolution=10\n");
    EXPECT_EQ(Prefs.gameScreen, 2);
    EXPECT_EQ(Prefs.resolution, 1);
    ReadFromDefaults("[Settings]\nGameScreen=-1\nResolution=-4\n");
    EXPECT_EQ(Prefs.gameScreen, 2);
    EXPECT_EQ(Prefs.resolution, 1);
    ReadFromDefaults("[Settings]\nGameScreen=0\nResolution=9\n");
    EXPECT_EQ(Prefs.gameScreen, 0);
    EXPECT_EQ(Prefs.resolution, 9);
    ReadFromDefaults("[Settings]\nGameScreen=1\nResolution=0\n");
    EXPECT_EQ(Prefs.gameScreen, 1);
    EXPECT_EQ(Prefs.resolution, 0);
}

TEST(PreferencesSave, FailedSaveLeavesTheOldFileIntact)
{
    TempFolder folder;
    WriteBytes(folder.File("Morvane.prefs"), DefaultFile);
    SetDefaultPreferences();
    Prefs.music = 0;
    // A "folder" that is a file, and a folder that does not exist.
    EXPECT_FALSE(SavePreferences(folder.File("Morvane.prefs") + "/"));
    EXPECT_FALSE(SavePreferences(folder.File("missing") + "/"));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.prefs")), DefaultFile);
    EXPECT_EQ(FolderEntries(folder.path), std::vector<std::string>{"Morvane.prefs"});
}

TEST(PreferencesSave, TargetThatCannotBeReplacedIsLeftAloneWithoutLeftovers)
{
    TempFolder folder;
    // Something in the file's place that a rename cannot replace.
    std::filesystem::create_directories(folder.path / "Morvane.prefs" / "keep");
    SetDefaultPreferences();
    EXPECT_FALSE(SavePreferences(folder.Folder()));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path / "Morvane.prefs" / "keep"));
    EXPECT_EQ(FolderEntries(folder.path), std::vector<std::string>{"Morvane.prefs"});
}

TEST(PreferencesSave, LongerOldFileIsReplacedWhole)
{
    TempFolder folder;
    WriteBytes(folder.File("Morvane.prefs"), DefaultFile + std::string(4000, ';') + "\r\n");
    SetDefaultPreferences();
    ASSERT_TRUE(SavePreferences(folder.Folder()));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.prefs")), DefaultFile);
}

TEST(PendingSettings, CopiesTheLiveValues)
{
    SetDefaultPreferences();
    EXPECT_EQ(Pending.screenMode, 2);
    EXPECT_EQ(Pending.resolution, 1);
    EXPECT_EQ(Pending.music, 1);
    Prefs = {"fr_FR", 0, 1, 4, 1, 0, 70};
    CopyPreferencesToPending();
    EXPECT_EQ(Pending.language, "fr_FR");
    EXPECT_EQ(Pending.music, 0);
    EXPECT_EQ(Pending.sounds, 0);
    EXPECT_EQ(Pending.screenMode, 1);
    EXPECT_EQ(Pending.resolution, 4);
}
