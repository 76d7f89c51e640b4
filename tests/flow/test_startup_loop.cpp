// The start-up's folders and log, the loop's keys and focus handling, and the
// orderly end, through the real program headless.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <vector>

#include "assets/archive_writer.h"
#include "assets/asset_numbers.h"
#include "assets/data_archive.h"
#include "board/board.h"
#include "board/music.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "harness.h"
#include "language/languages.h"
#include "media/media.h"
#include "settings/preferences.h"
#include "startup/folders.h"
#include "startup/startup.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> FilesStartingWith(const std::string& folder, const std::string& prefix)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            found.push_back(entry.path());
    }
    return found;
}

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string DefaultProgressAfterLevelOne()
{
    std::string text;
    for (int n = 1; n <= 25; ++n)
        text += "0\r\n" + std::string(n == 1 ? "0" : "1") + "\r\n";
    return text;
}

} // namespace

TEST(StartupFolders, PreferencesBesideTheProgramKeepEverythingThere)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    EXPECT_EQ(SaveTo, folder);
    EXPECT_FALSE(fs::exists(UserDir));
    injectWindowEvent(EventClose);
    RunOnePass();
    ASSERT_EQ(QuitFlag, 1);
    StopTestGame();
    // Closing the window saves exactly what the game holds.
    EXPECT_EQ(ReadFileText(folder + "Morvane.prefs"), WindowedPreferences(0));
    EXPECT_EQ(ReadFileText(folder + "Morvane.scores"), DefaultProgressAfterLevelOne());
    EXPECT_FALSE(fs::exists(UserDir));
}

TEST(StartupFolders, WithoutPreferencesThePerUserFolderIsCreatedAndUsed)
{
    const std::string folder = MakeGameFolder("");
    OverrideSystemLocale(110, "xx-YY");
    // The per-user folder would open full screen by default; the dummy
    // desktop serves for that too.
    ASSERT_TRUE(StartTestGame(folder));
    EXPECT_EQ(SaveTo, UserDir);
    EXPECT_TRUE(fs::is_directory(UserDir));
    EXPECT_NE(UserDir.find("Quillfen game studio/Morvane/"), std::string::npos);
    EXPECT_EQ(Prefs.language, "en_GB") << "an unknown system language falls back to en_GB";
    QuitFlag = 1;
    StopTestGame();
    EXPECT_TRUE(fs::exists(UserDir + "Morvane.prefs"));
    EXPECT_TRUE(fs::exists(UserDir + "Morvane.scores"));
    EXPECT_FALSE(fs::exists(folder + "Morvane.prefs"));
}

TEST(StartupFolders, ANewPlayerGetsTheSystemLanguageWhenItExists)
{
    const std::string folder = MakeGameFolder("");
    OverrideSystemLocale(110, "de-DE");
    ASSERT_TRUE(StartTestGame(folder));
    EXPECT_EQ(Prefs.language, "de_DE");
    StopTestGame();
}

TEST(StartupLog, OnlyAnExactFirstParameterWritesTheLog)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    SetGameDirForTests(folder);
    ASSERT_TRUE(StartGame({"/log"}));
    EndGame();
    EXPECT_TRUE(FilesStartingWith(folder, "Log").empty());
    ASSERT_TRUE(StartGame({"-x", "/LOG"}));
    EndGame();
    EXPECT_TRUE(FilesStartingWith(folder, "Log").empty());
}

TEST(StartupLog, TheHeaderAndTheStartUpLinesAreInPlace)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder, true));
    TapKey(KeyF2);
    StopTestGame();
    const auto logs = FilesStartingWith(folder, "Log");
    ASSERT_EQ(logs.size(), 1u);
    const std::string name = logs[0].filename().string();
    ASSERT_EQ(name.size(), std::string("Log2026-12-05--14-50-49.log").size());
    const std::string text = ReadFileText(logs[0].string());
    ASSERT_GE(text.size(), 3u);
    EXPECT_NE(text.substr(0, 3), "\xEF\xBB\xBF");
    const auto lines = SplitCrLf(text);
    ASSERT_GE(lines.size(), 30u);
    EXPECT_EQ(lines[0], "Morvane");
    EXPECT_EQ(lines[1], name.substr(3, name.size() - 7));
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "[SYSTEM DETAILS]");
    EXPECT_EQ(lines[4].rfind("CPU Name:\t\t", 0), 0u);
    EXPECT_EQ(lines[5].rfind("Total CPU cores:\t\t", 0), 0u);
    EXPECT_EQ(lines[6].rfind("Available CPU cores:\t\t", 0), 0u);
    EXPECT_EQ(lines[7].rfind("Total physical memory:\t\t", 0), 0u);
    EXPECT_EQ(lines[8].rfind("Free physical memory:\t\t", 0), 0u);
    EXPECT_EQ(lines[9].rfind("Number of desktops:\t\t", 0), 0u);
    EXPECT_EQ(lines[10], "Operating system:\t\t200");
    EXPECT_EQ(lines[12], "[GAME DETAILS]");
    EXPECT_EQ(lines[13], "Title:\t\tMorvane");
    EXPECT_EQ(lines[14], "Family:\t\tVelmora");
    EXPECT_EQ(lines[15], "Version:\t\t1.1.0.0");
    EXPECT_EQ(lines[19], "[CODE SUBSYSTEMS]");
    EXPECT_EQ(lines[20], "Language:\t\t2.0");
    EXPECT_EQ(lines[21], "Log:\t\t1.2");
    EXPECT_EQ(lines[23], "[PATHS]");
    EXPECT_EQ(lines[24], "GameDir:\t\t" + folder);
    EXPECT_EQ(lines[26], "SaveTo:\t\t" + folder);
    EXPECT_EQ(lines[28], "[INITIAL SETTINGS]");
    EXPECT_EQ(lines[29], "Language:\t\ten_GB");
    EXPECT_EQ(lines[30], "GameScreen:\t\tWindowed");
    EXPECT_EQ(lines[31], "Music:\t\tOn");
    EXPECT_EQ(lines[32], "ScreenMode:\t\t0");
    auto has = [&](const std::string& line) {
        for (const auto& l : lines)
            if (l == line)
                return true;
        return false;
    };
    EXPECT_TRUE(has("[AVAILABLE LANGUAGES]"));
    EXPECT_TRUE(has("[STARTING GAME]"));
    EXPECT_TRUE(has("Load language (en_GB):\t\tOK"));
    EXPECT_TRUE(has("InitSprite:\t\tOK"));
    EXPECT_TRUE(has("InitSound:\t\tOK"));
    EXPECT_TRUE(has("Opening screen (Windowed):\t\tOK"));
    EXPECT_TRUE(has("Screenwidth:\t\t1024"));
    EXPECT_TRUE(has("Screenheight:\t\t576"));
    EXPECT_TRUE(has("AspectRatio:\t\t3"));
    EXPECT_TRUE(has("AspectRatio:  16:9"));
    EXPECT_TRUE(has("Load asset (Baloo-Regular.ttf):\t\tOK"));
    EXPECT_TRUE(has("Load asset (temps):\t\tOK"));
    EXPECT_TRUE(has("TileSize:\t\t64"));
    EXPECT_TRUE(has("Saving screenshot:\t\tOK"));
}

TEST(MainLoop, ATerminationSignalTakesTheOrderlyEnd)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    LevelByNumber(7).locked = 0;
    std::raise(SIGTERM);
    RunOnePass();
    ASSERT_EQ(QuitFlag, 1);
    StopTestGame();
    const auto lines = SplitCrLf(ReadFileText(folder + "Morvane.scores"));
    ASSERT_EQ(lines.size(), 50u);
    EXPECT_EQ(lines[13], "0") << "level 7 is saved open";
}

TEST(MainLoop, EscapeOnTheMainMenuEndsAndSaves)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    TapKey(KeyEscape);
    EXPECT_EQ(QuitFlag, 1);
    StopTestGame();
    EXPECT_TRUE(fs::exists(folder + "Morvane.scores"));
}

TEST(MainLoop, MusicAndSoundKeysAreIgnoredOnTheSettingsScreen)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    TapKey(KeyN);
    EXPECT_EQ(Prefs.sounds, 0);
    TapKey(KeyN);
    EXPECT_EQ(Prefs.sounds, 1);
    TapKey(KeyM);
    EXPECT_EQ(Prefs.music, 0);
    EXPECT_NE(soundStatus(MenuMusic, MusicChannel), SoundPlaying);
    TapKey(KeyM);
    EXPECT_EQ(Prefs.music, 1);
    EXPECT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPlaying);

    RunPasses(30);
    ClickRecord(MainMenuButtons[3]);
    ASSERT_TRUE(RunUntilState(StateSettings, 60));
    RunPasses(26);
    TapKey(KeyM);
    TapKey(KeyN);
    EXPECT_EQ(Prefs.music, 1);
    EXPECT_EQ(Prefs.sounds, 1);
    StopTestGame();
}

TEST(MainLoop, HeldVolumeKeysStopAtTheLimits)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    injectKey(KeyPadPlus, true);
    RunPasses(10);
    injectKey(KeyPadPlus, false);
    RunOnePass();
    EXPECT_EQ(Prefs.musicVolume, 100);
    injectKey(KeyPadMinus, true);
    RunPasses(40);
    EXPECT_EQ(Prefs.musicVolume, 60);
    RunPasses(100);
    EXPECT_EQ(Prefs.musicVolume, 0);
    injectKey(KeyPadMinus, false);
    RunOnePass();
    EXPECT_EQ(soundVolume(MenuMusic, MusicChannel), 0);
    StopTestGame();
    EXPECT_NE(ReadFileText(folder + "Morvane.prefs").find("MusicVolume = 0\r\n"), std::string::npos);
}

TEST(MainLoop, F2SavesAScreenshotNamedByTheDate)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    RunPasses(5);
    TapKey(KeyF2);
    StopTestGame();
    const auto shots = FilesStartingWith(folder, "Morvane ");
    ASSERT_EQ(shots.size(), 1u);
    const std::string name = shots[0].filename().string();
    EXPECT_EQ(name.size(), std::string("Morvane 05-12-2026 14-03-09.bmp").size());
    EXPECT_EQ(name.substr(name.size() - 4), ".bmp");
    const std::string bmp = ReadFileText(shots[0].string());
    ASSERT_GT(bmp.size(), 26u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    const auto le32 = [&](size_t at) {
        return static_cast<int>(static_cast<uint8_t>(bmp[at]) | static_cast<uint8_t>(bmp[at + 1]) << 8 |
                                static_cast<uint8_t>(bmp[at + 2]) << 16 | static_cast<uint8_t>(bmp[at + 3]) << 24);
    };
    EXPECT_EQ(le32(18), 1024);
    EXPECT_EQ(std::abs(le32(22)), 576);
}

TEST(MainLoop, LosingTheFocusFreezesTheGame)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    ASSERT_TRUE(StartTestGame(folder));
    RunPasses(10);
    const int frames = FrameCounter;
    injectWindowEvent(EventDeactivate);
    RunPasses(3);
    EXPECT_EQ(FrameCounter, frames);
    EXPECT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPaused);
    injectWindowEvent(EventActivate);
    RunPasses(3);
    EXPECT_GT(FrameCounter, frames);
    EXPECT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPlaying);
    StopTestGame();
}

TEST(FatalStart, AMissingArchiveShowsTheErrorAndSavesNothing)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    fs::remove(folder + "Morvane.data");
    SetGameDirForTests(folder);
    EXPECT_FALSE(StartGame({"/LOG"}));
    EXPECT_FALSE(fs::exists(folder + "Morvane.scores"));
    EXPECT_EQ(ReadFileText(folder + "Morvane.prefs"), WindowedPreferences(0));
    const auto logs = FilesStartingWith(folder, "Log");
    ASSERT_EQ(logs.size(), 1u);
    const auto lines = SplitCrLf(ReadFileText(logs[0].string()));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Load asset (font):\t\tFAILED");
}

// The splash is on screen before the pictures load; a picture that fails
// after it still ends the start-up as it always did: its FAILED line last,
// the window closed, nothing saved.
TEST(FatalStart, ATilePictureMissingAfterTheSplashEndsTheStart)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    DataArchive built;
    ASSERT_TRUE(OpenDataArchive(built, folder + "Morvane.data"));
    std::vector<PackMember> members;
    for (const std::string& name : MemberNames(built)) {
        uint64_t size = 0;
        ASSERT_TRUE(FindMember(built, name, &size));
        PackMember member{name, std::vector<uint8_t>(size)};
        ASSERT_EQ(ExtractMember(built, member.bytes.data(), member.bytes.size(), name), size);
        if (name != "tile17.png")
            members.push_back(std::move(member));
    }
    CloseDataArchive(built);
    ASSERT_TRUE(WriteDataArchive(folder + "Morvane.data", members, 0, ArchiveFormCurrent));

    const int64_t framesBefore = framesShown();
    SetGameDirForTests(folder);
    EXPECT_FALSE(StartGame({"/LOG"}));
    EXPECT_EQ(framesShown(), framesBefore + 1) << "the splash was not shown before the pictures";
    EXPECT_FALSE(isScreenOpen());
    EXPECT_FALSE(fs::exists(folder + "Morvane.scores"));
    const auto logs = FilesStartingWith(folder, "Log");
    ASSERT_EQ(logs.size(), 1u);
    const auto lines = SplitCrLf(ReadFileText(logs[0].string()));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Load asset (temps):\t\tOK");
    EXPECT_EQ(lines.back(), "Load asset (temps):\t\tFAILED");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Load asset (ngs):\t\tOK"), lines.end());
}

TEST(FatalStart, AMissingLanguageFolderStartsWithEmptyTexts)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    fs::remove_all(folder + "Morvane.languages");
    ASSERT_TRUE(StartTestGame(folder, true));
    EXPECT_TRUE(LanguageList.empty());
    EXPECT_EQ(Prefs.language, "en_GB");
    StopTestGame();
    const auto logs = FilesStartingWith(folder, "Log");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_NE(ReadFileText(logs[0].string()).find("Load language (en_GB):\t\tFAILED\r\n"), std::string::npos);
}
