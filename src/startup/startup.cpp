#include "startup/startup.h"

#include <chrono>
#include <cstdio>

#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "display/layout.h"
#include "display/screen.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "settings/preferences.h"
#include "settings/progress.h"
#include "startup/folders.h"
#include "startup/log.h"

namespace {

const char* const GameTitle = "Morvane";
const char* const ProductFamily = "Velmora";
const char* const GameVersion = "1.1.0.0";
const char* const UserSubFolder = "Quillfen game studio/Morvane";

std::string GameDirOverride;

// Seconds since the previous lap (or the start), for StartupTimings.
class StartupClock {
public:
    double Lap()
    {
        const auto now = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(now - last).count();
        last = now;
        return seconds;
    }

private:
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
};

// The log's header, from the title line to the starting language.
void WriteLogHeader(const std::string& dateText)
{
    WriteLog(dateText);
    WriteLog("");
    WriteLog("[SYSTEM DETAILS]");
    WriteLogLine("CPU Name:", cpuName());
    WriteLogLine("Total CPU cores:", std::to_string(cpuCountTotal()));
    WriteLogLine("Available CPU cores:", std::to_string(cpuCountAvailable()));
    WriteLogLine("Total physical memory:", std::to_string(totalMemoryBytes()));
    WriteLogLine("Free physical memory:", std::to_string(freeMemoryBytes()));
    WriteLogLine("Number of desktops:", std::to_string(countDesktops()));
    WriteLogLine("Operating system:", std::to_string(osVersionCode()));
    WriteLog("");
    WriteLog("[GAME DETAILS]");
    WriteLogLine("Title:", GameTitle);
    WriteLogLine("Family:", ProductFamily);
    WriteLogLine("Version:", GameVersion);
    WriteLogLine("Directory:", UserSubFolder);
    WriteLogLine("Bit:", buildWord());
    WriteLog("");
    WriteLog("[CODE SUBSYSTEMS]");
    WriteLogLine("Language:", "2.0");
    WriteLogLine("Log:", "1.2");
    WriteLog("");
    WriteLog("[PATHS]");
    WriteLogLine("GameDir:", GameDir);
    WriteLogLine("UserDir:", UserDir);
    WriteLogLine("SaveTo:", SaveTo);
    WriteLog("");
    WriteLog("[INITIAL SETTINGS]");
    WriteLogLine("Language:", Prefs.language);
}

// Folders and preferences: the game's folder when it holds preferences,
// otherwise the per-user folder (created when missing).
void ChooseFolders()
{
    // MORVANE_DATA_FROM_PROGRAM: the install's data folder relative to its
    // program folder, set by the build.
    GameDir = GameDirOverride.empty() ? DataFolder(programFolder(), MORVANE_DATA_FROM_PROGRAM)
                                      : GameDirOverride;
    UserDir = UserDataPath(UserSubFolder);
    SaveTo = GameDir;
    if (LoadPreferences(GameDir))
        return;
    if (!folderExists(UserDir))
        CreatePath(UserDir);
    LoadPreferences(UserDir);
    SaveTo = UserDir;
    if (Prefs.language.empty()) {
        Prefs.language = SystemLanguage(0);
        if (Prefs.language.empty())
            Prefs.language = "en_GB";
    }
}

void StartLog(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0] != "/LOG")
        return;
    const std::string dateText = formatDate("%yyyy-%mm-%dd--%hh-%ii-%ss", now());
    if (!OpenLog(SaveTo + "Log" + dateText + ".log", GameTitle))
        return;
    EnableLog();
    WriteLogHeader(dateText);
    const std::string screenName = GameScreenModeName(Prefs.gameScreen);
    if (!screenName.empty())
        WriteLogLine("GameScreen:", screenName);
    WriteLogLine("Music:", Prefs.music ? "On" : "Off");
    WriteLogLine("ScreenMode:", std::to_string(Prefs.resolution));
}

void StartLanguages()
{
    const std::string source = LanguageSource(GameDir);
    ScanLanguages(source);
    WriteLog("");
    WriteLog("[AVAILABLE LANGUAGES]");
    for (const LanguageEntry& entry : LanguageList)
        WriteLogLine("Language:", entry.name);
    WriteLog("");
    WriteLog("[STARTING GAME]");
    SettleLanguagePreference();
    LoadLanguageAndLog(source, Prefs.language);
    LanguageIndex = FindLanguage(Prefs.language);
}

// One media subsystem with its log line; false (and the box) on failure.
bool StartSubsystem(int (*init)(), const char* label, const char* name)
{
    if (init()) {
        // Sound without a device plays on silently: the log says so.
        WriteLogLine(label, init == initSound && soundIsSilent() ? "OFF (no sound device)" : "OK");
        return true;
    }
    WriteLogLine(label, "FAILED");
    ShowFatalError(JoinLabel(text("tErrorSUBSYSTEM"), name));
    return false;
}

// The splash on screen before the pictures, panels and fonts load: the
// window is shown with it at once. The main loop's splash starts counting
// only after loading, so it never ends before loading has.
void ShowSplashEarly()
{
    if (!LoadSplashArtwork(GameDir))
        return;  // the picture pass meets the failure in its turn
    ShowGameWindow();
    drawSprite(SpriteSplash, 0, 0);
    presentFrame();
}

// An asset that cannot be loaded ends the start-up (its line is logged).
bool AssetFailed()
{
    if (isScreenOpen())
        CloseGameScreen();
    ShowFatalError(text("tErrorASSET"));
    return false;
}

// The display went away while the game ran: what the orderly end writes is
// written, and the log says why (the media layer then ends the program).
void SaveForLostDisplay(const std::string& why)
{
    WriteLogLine("Display lost:", why);
    SavePreferences(SaveTo);
    SaveProgress(SaveTo);
    CloseLog();
}

} // namespace

StartupTimings LastStartupTimings;

std::string GameScreenModeName(int mode)
{
    switch (mode) {
    case ScreenFullscreen: return "Fullscreen";
    case ScreenWindowed: return "Windowed";
    case ScreenBorderless: return "Borderless";
    default: return "";
    }
}

void SetGameDirForTests(const std::string& folder)
{
    GameDirOverride = folder;
    if (!GameDirOverride.empty() && GameDirOverride.back() != '/')
        GameDirOverride += '/';
}

void ShowFatalError(const std::string& message)
{
    showMessageBox(std::string("Morvane::") + text("tErrorERROR"), message);
    releaseMedia();
    CloseLog();
}

bool StartGame(const std::vector<std::string>& arguments)
{
    StartupClock clock;
    StartupTimings& timings = LastStartupTimings;
    timings = StartupTimings{};
    SetDefaultPreferences();
    CopyPreferencesToPending();
    Game = GameState{};
    ScreenState = StateSplash;
    QuitFlag = 0;
    FrameCounter = 0;
    GameEndedByError = false;

    ChooseFolders();
    StartLog(arguments);
    StartLanguages();
    timings.folders = clock.Lap();

    if (!StartSubsystem(initSprite, "InitSprite:", "Sprite") ||
        !StartSubsystem(initKeyboard, "InitKeyboard:", "Keyboard") ||
        !StartSubsystem(initMouse, "InitMouse:", "Mouse") ||
        !StartSubsystem(initSound, "InitSound:", "Sound"))
        return false;
    installQuitSignals();
    timings.subsystems = clock.Lap();

    ComputeScreenSize(true);

    std::string failed;
    if (!LoadFontPass(GameDir, failed))
        return AssetFailed();
    PreferScriptFacesFor(Prefs.language);
    timings.fontPass = clock.Lap();
    if (!LoadSoundPass(GameDir, failed))
        return AssetFailed();
    timings.soundPass = clock.Lap();

    if (!OpenGameScreen(GameDir)) {
        ShowFatalError(text("tErrorSCREEN"));
        return false;
    }
    DetectAndLogAspectRatio();

    BuildLevelRecords();
    LoadProgress(SaveTo);
    timings.screen = clock.Lap();
    ShowSplashEarly();
    timings.splashShown = timings.folders + timings.subsystems + timings.fontPass + timings.soundPass +
                          timings.screen + clock.Lap();

    if (!LoadPicturePass(GameDir, failed))
        return AssetFailed();
    ComputeLayoutValues();
    timings.picturePass = clock.Lap();
    LoadGameFonts();
    timings.gameFonts = clock.Lap();

    RebuildAllPanels(true);
    FinishAssetLoading(Game.OffsetX, Game.OffsetY);
    timings.panels = clock.Lap();

    setFrameRate(60);
    setSpriteFiltering(1);
    if (Prefs.gameScreen == ScreenWindowed || Prefs.gameScreen == ScreenBorderless)
        ShowGameWindow();

    if (Prefs.music)
        MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, Prefs.musicVolume);
    ResetMainLoop();
    setDisplayLostHandler(SaveForLostDisplay);  // only now is there progress to keep
    timings.finish = clock.Lap();
    timings.total = timings.splashShown + timings.picturePass + timings.gameFonts + timings.panels + timings.finish;
    return true;
}

void EndGame()
{
    setDisplayLostHandler(nullptr);
    SavePreferences(SaveTo);
    SaveProgress(SaveTo);
    releaseMedia();
    CloseLog();
}

int RunGame(int argc, char** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    if (!StartGame(arguments))
        return 1;
    while (!QuitFlag)
        RunOnePass();
    if (GameEndedByError)
        return 1;
    EndGame();
    return 0;
}
