#include "flow/flow.h"

#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "display/screen.h"
#include "flow/menu_states.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "screens/overlays.h"
#include "settings/preferences.h"
#include "settings/progress.h"
#include "startup/folders.h"
#include "startup/log.h"
#include "startup/startup.h"

void RebuildAllPanels(bool place)
{
    BuildMainMenuPanel();
    if (place) {
        ResetTitleIntro();
        FrameCounter = 0;
    } else
        RestMainMenuHitRectangles();
    BuildInGameMenuPanel();
    BuildCreditsPanel();
    BuildHelpPanel();
    BuildQuitPanel();
    BuildGameCompletePanel();
    BuildLevelSelectPanel();
    BuildQuickGamePanel();
    BuildSettingsPanel(place ? 1 : 0);
    BuildLevelFinishedPanel(0, 1);
    BuildQuickFinishedPanel(0, 0, 1);
}

namespace {

// Opens the screen in Prefs' mode and loads every picture and font again.
// Answers false with `screenFailed` telling which part failed.
bool OpenDisplayAndAssets(bool& screenFailed)
{
    ComputeScreenSize(false);
    screenFailed = true;
    if (!OpenGameScreen(GameDir))
        return false;
    screenFailed = false;
    DetectAndLogAspectRatio();
    std::string failed;
    if (!LoadPicturePass(GameDir, failed))
        return false;
    ComputeLayoutValues();
    LoadGameFonts();
    return true;
}

// NOTE: the run's progress is saved before the error box, so a display that
// cannot be opened again never costs the player what was played.
void EndAfterReopenFailure(bool screenFailed)
{
    SavePreferences(SaveTo);
    SaveProgress(SaveTo);
    if (isScreenOpen())
        CloseGameScreen();
    ShowFatalError(text(screenFailed ? "tErrorSCREEN" : "tErrorASSET"));
    GameEndedByError = true;
    QuitFlag = 1;
}

} // namespace

bool GameEndedByError = false;

void ReopenScreen()
{
    const bool needed = ScreenReopenNeeded();
    if (Pending.language != Prefs.language) {
        Prefs.language = Pending.language;
        LoadLanguageAndLog(LanguageSource(GameDir), Prefs.language);
        PreferScriptFacesFor(Prefs.language);
        if (!needed)
            RebuildAllPanels(false);
    }
    if (!needed)
        return;

    const int previousMode = Prefs.gameScreen;
    const int previousResolution = Prefs.resolution;
    CloseGameScreen();
    Prefs.gameScreen = Pending.screenMode;
    Prefs.resolution = Pending.resolution;
    bool screenFailed = false;
    if (!OpenDisplayAndAssets(screenFailed)) {
        // The new mode did not open: carry on in the one that worked.
        if (isScreenOpen())
            CloseGameScreen();
        Prefs.gameScreen = previousMode;
        Prefs.resolution = previousResolution;
        WriteLogLine("Reopening previous screen:", GameScreenModeName(previousMode));
        if (!OpenDisplayAndAssets(screenFailed)) {
            EndAfterReopenFailure(screenFailed);
            return;
        }
    }
    // The title intro follows a re-open, never the splash: its picture goes.
    freeSprite(SpriteSplash);
    RebuildAllPanels(true);
    FinishAssetLoading(Game.OffsetX, Game.OffsetY);
    setFrameRate(60);
    setSpriteFiltering(1);
    if (Prefs.gameScreen == ScreenWindowed || Prefs.gameScreen == ScreenBorderless)
        ShowGameWindow();
    else
        setMousePosition(ScreenWidth / 2, ScreenHeight / 2);
    FrameCounter = 0;
    ScreenState = StateTitleIntro;
}
