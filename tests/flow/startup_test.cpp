// The real start-up and end, headless: folders, log, global keys, focus, an
// orderly end on a signal, start-ups that must fail, hostile files.
#include <algorithm>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "assets/asset_numbers.h"
#include "assets/data_archive.h"
#include "board/music.h"
#include <gtest/gtest.h>

#include "harness.h"
#include "support/support.h"
#include "language/language_files.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "startup/folders.h"
#include "startup/startup.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    for (const std::string& name : listFolder(folder))
        if (name.rfind(prefix, 0) == 0)
            names.push_back(name);
    return names;
}

TEST(Startup, PortableFolderLogKeysFocusAndAnOrderlyEndOnASignal)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    setenv("SDL_AUDIODRIVER", "no-such-sound-system", 1);  // played silently, said so and logged so
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(StartTestGame(folder, true));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("silent"), std::string::npos);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    RunPasses(10);
    const int frames = FrameCounter;  // losing the focus freezes the title intro and pauses the music
    injectWindowEvent(EventDeactivate);
    RunPasses(3);
    EXPECT_EQ(FrameCounter, frames);
    EXPECT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPaused);
    injectWindowEvent(EventActivate);
    RunPasses(3);
    EXPECT_GT(FrameCounter, frames);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    const std::pair<int, int*> toggles[] = {{KeyN, &Prefs.sounds}, {KeyM, &Prefs.music}};
    for (const auto& [key, value] : toggles) {
        TapKey(key);
        EXPECT_EQ(*value, 0) << key;
        EXPECT_EQ(soundStatus(MenuMusic, MusicChannel) == SoundPlaying, Prefs.music == 1);
        TapKey(key);
        EXPECT_EQ(*value, 1) << key;
    }
    EXPECT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPlaying);
    injectKey(KeyPadPlus, true);  // held volume keys stop at the limits
    RunPasses(10);
    injectKey(KeyPadPlus, false);
    RunOnePass();
    EXPECT_EQ(Prefs.musicVolume, 100);
    injectKey(KeyPadMinus, true);
    RunPasses(40);
    EXPECT_EQ(Prefs.musicVolume, 60);
    RunPasses(100);
    injectKey(KeyPadMinus, false);
    RunOnePass();
    EXPECT_EQ(Prefs.musicVolume, 0);
    EXPECT_EQ(soundVolume(MenuMusic, MusicChannel), 0);
    TapKey(KeyF2);

    ASSERT_TRUE(OpenFromMainMenu(3, StateSettings));  // there M and N do nothing
    TapKey(KeyM);
    TapKey(KeyN);
    EXPECT_EQ(Prefs.music + Prefs.sounds, 2);

    LevelByNumber(7).locked = 0;
    std::raise(SIGTERM);
    RunOnePass();
    ASSERT_EQ(QuitFlag, 1);
    StopTestGame();
    EXPECT_FALSE(soundIsSilent());
    std::string prefs = WindowedPreferences(0);
    prefs.replace(prefs.find("MusicVolume = 100"), 17, "MusicVolume = 0");
    EXPECT_EQ(ReadBytes(folder + "Morvane.prefs"), prefs);
    std::string progress;
    for (int n = 1; n <= 25; ++n)
        progress += std::string("0\r\n") + (n == 1 || n == 7 ? "0" : "1") + "\r\n";
    EXPECT_EQ(ReadBytes(folder + "Morvane.scores"), progress);
    EXPECT_FALSE(fs::exists(UserDir));

    const std::vector<std::string> shots = FilesStartingWith(folder, "Morvane ");
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].size(), std::string("Morvane 05-12-2026 14-03-09.bmp").size());  // the end-to-end test reads it
    const std::vector<std::string> logs = FilesStartingWith(folder, "Log");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].size(), std::string("Log2026-12-05--14-50-49.log").size());
    const std::vector<std::string> lines = LogLines(folder);
    ASSERT_GE(lines.size(), 33u);
    EXPECT_EQ(lines[1], logs[0].substr(3, logs[0].size() - 7)) << "the date line";
    EXPECT_EQ(lines[24] + lines[26], "GameDir:\t\t" + folder + "SaveTo:\t\t" + folder);
    for (const char* line : {"[AVAILABLE LANGUAGES]", "[STARTING GAME]", "Load language (en_GB):\t\tOK",
                             "Operating system:\t\t200", "GameScreen:\t\tWindowed", "ScreenMode:\t\t0",
                             "InitSprite:\t\tOK", "InitSound:\t\tOFF (no sound device)", "Number of desktops:\t\t1", "Opening screen (Windowed):\t\tOK",
                             "Screenwidth:\t\t1024", "Screenheight:\t\t576", "AspectRatio:  16:9",
                             "Load asset (temps):\t\tOK", "TileSize:\t\t64", "Saving screenshot:\t\tOK"})
        EXPECT_NE(std::ranges::count(lines, std::string(line)), 0) << line;
}

// Without preferences beside the program the per-user folder is created and
// used, in the system's language when there is a file for it; preferences
// beside the program that cannot be read still keep the game there, and a
// long file keeps its settings. Only an exact first parameter "/LOG" writes a log.
TEST(Startup, PerUserOrPortableFolder)
{
    // Chinese of Taiwan is not Simplified Chinese: no file for it, so English.
    for (const auto& [locale, chosen] : {std::pair{"de-DE", "de_DE"}, {"xx-YY", "en_GB"}, {"ja-JP", "ja_JP"},
                                         {"zh-CN", "zh_CN"}, {"zh-TW", "en_GB"}}) {
        const std::string folder = MakeGameFolder("");
        OverrideSystemLocale(110, locale);
        SetGameDirForTests(folder);
        ASSERT_TRUE(StartGame({locale[0] == 'd' ? "/log" : "-x", "/LOG"}));
        EXPECT_EQ(SaveTo, UserDir);
        EXPECT_NE(UserDir.find("xdg/Quillfen game studio/Morvane/"), std::string::npos);
        EXPECT_EQ(Prefs.language, chosen);
        QuitFlag = 1;
        StopTestGame();
        EXPECT_EQ(listFolder(UserDir), (std::vector<std::string>{"Morvane.prefs", "Morvane.scores"}));
        EXPECT_FALSE(fs::exists(folder + "Morvane.prefs"));
        fs::remove_all(folder);
    }
    ClearSystemLocaleOverride();
    const char bad[] = "\xEF\xBB\xBF\0\xFF[Set\0tings]\r\nMusic\0= 0\r\n\x80";
    for (const auto& [contents, music] : {std::pair{"[Settings]\r\nMusic = 0\r\n;" + std::string(3 << 20, 'x'), 0},
                                          std::pair{std::string(bad, sizeof bad - 1), 1}}) {
        const std::string folder = MakeGameFolder(contents);
        ASSERT_TRUE(StartTestGame(folder));
        EXPECT_EQ(Prefs.music, music);
        QuitFlag = 1;
        StopTestGame();
        EXPECT_EQ(ReadBytes(folder + "Morvane.prefs"), PreferencesText());
        EXPECT_FALSE(fs::exists(UserDir)) << UserDir;
        fs::remove_all(folder);
    }
}

TEST(FatalStart, AMissingArchiveOrTileEndsTheStartAndSavesNothing)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    DataArchive built;
    ASSERT_TRUE(OpenDataArchive(built, folder + "Morvane.data"));
    std::vector<std::string> names = MemberNames(built);
    std::erase(names, "tile17.png");
    std::vector<uint8_t> withoutTile;
    ASSERT_EQ(CopyMemberEntries(built, names, withoutTile), int(names.size()));
    CloseDataArchive(built);
    fs::remove(folder + "Morvane.data");
    SetGameDirForTests(folder);
    EXPECT_FALSE(StartGame({"/LOG"}));
    EXPECT_EQ(LogLines(folder).back(), "Load asset (font):\t\tFAILED");

    // The splash is on screen before the pictures load; a tile missing after
    // it still ends the start-up: its FAILED line last, the window closed.
    ASSERT_TRUE(writeFileAtomic(folder + "Morvane.data", std::string(withoutTile.begin(), withoutTile.end())));
    for (const std::string& log : FilesStartingWith(folder, "Log"))
        fs::remove(folder + log);
    const int64_t framesBefore = framesShown();
    EXPECT_FALSE(StartGame({"/LOG"}));
    EXPECT_EQ(framesShown(), framesBefore + 1) << "the splash was not shown before the pictures";
    EXPECT_FALSE(isScreenOpen());
    const std::vector<std::string> lines = LogLines(folder);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Load asset (temps):\t\tOK");
    EXPECT_EQ(lines.back(), "Load asset (temps):\t\tFAILED");
    EXPECT_NE(std::ranges::count(lines, "Load asset (ngs):\t\tOK"), 0);
    EXPECT_EQ(ReadBytes(folder + "Morvane.prefs"), WindowedPreferences(0));
    EXPECT_FALSE(fs::exists(folder + "Morvane.scores"));

    // Without its language files the game still starts, with empty texts.
    const std::string bare = MakeGameFolder(WindowedPreferences(0));
    fs::remove_all(bare + "Morvane.languages");
    ASSERT_TRUE(StartTestGame(bare, true));
    EXPECT_TRUE(LanguageList.empty());
    EXPECT_EQ(Prefs.language, "en_GB");
    StopTestGame();
    EXPECT_NE(std::ranges::count(LogLines(bare), "Load language (en_GB):\t\tFAILED"), 0);
}

// Peak resident kilobytes of a child process that takes the languages of
// the folder as the start-up does; 0 when they were not all there.
long LanguagePeakKilobytes(const std::string& folder, size_t languages)
{
    const pid_t child = fork();
    if (child == 0) {
        const std::string source = LanguageSource(folder);
        _exit(ScanLanguages(source) && LanguageList.size() == languages && LoadLanguage(source, FallbackLanguage) ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 0;
    return usage.ru_maxrss;
}

TEST(HostileFiles, ALanguageArchiveCannotExhaustMemoryNorWriteOutsideTheGame)
{
    const std::string normal = MakeGameFolder(WindowedPreferences(0)), hostile = MakeGameFolder(WindowedPreferences(0));
    const std::vector<std::string> names = listFolder(normal + "Morvane.languages/");
    const size_t languages = std::ranges::count_if(names, [](const std::string& name) { return name.ends_with(".language"); });
    fs::remove_all(hostile + "Morvane.languages");
    ASSERT_TRUE(writeFileAtomic(hostile + "Morvane.languages", HostileArchive(normal + "Morvane.languages/")));
    const long normalPeak = LanguagePeakKilobytes(normal, languages), hostilePeak = LanguagePeakKilobytes(hostile, languages);
    ASSERT_GT(normalPeak, 0);
    ASSERT_GT(hostilePeak, 0) << "the archive lost the languages";
    // At most 8 MB kept, with room to read and parse; a sanitizer build also
    // holds back what the scan and then the load freed.
#if defined(__SANITIZE_ADDRESS__)
    const long bound = 28 * 1024;
#else
    const long bound = 16 * 1024;
#endif
    EXPECT_LT(hostilePeak - normalPeak, bound) << normalPeak << " KB shipped, " << hostilePeak << " KB hostile";

    ASSERT_TRUE(StartTestGame(hostile));
    EXPECT_EQ(LanguageList.size(), languages);
    EXPECT_FALSE(text("tMenuSTART").empty());
    QuitFlag = 1;
    StopTestGame();
    EXPECT_EQ(listFolder(hostile), (std::vector<std::string>{"Morvane.data", "Morvane.languages", "Morvane.pointer",
                                                             "Morvane.prefs", "Morvane.scores"}));
    EXPECT_FALSE(fs::exists(hostile + "xdg"));
    for (const std::string& name : names)
        EXPECT_FALSE(fs::exists("/tmp/" + name)) << name;
    fs::remove_all(normal);
    fs::remove_all(hostile);
}

}  // namespace
