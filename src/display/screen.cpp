#include "display/screen.h"

#include <cmath>

#include "assets/asset_numbers.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "display/resolutions.h"
#include "media/media.h"
#include "settings/preferences.h"
#include "startup/log.h"

const char* const GameWindowTitle = "Morvane 1.1.0.0 - Zentoria Interactive (www.zentoria.example)";
int PointerCursor = 0;

namespace {

// Screens flip in step with the display refresh.
constexpr int FlipSynchronised = 2;

// Modes 1 and 2 have a window of their own; full screen does not.
bool IsWindowedMode(int mode)
{
    return mode == ScreenWindowed || mode == ScreenBorderless;
}

// The window, the screen inside it, and the window's own cursor.
bool OpenWindowedGameScreen(const std::string& gameDir, int style)
{
    const int handle = openWindow(0, 0, 0, ScreenWidth, ScreenHeight, GameWindowTitle, style);
    if (handle == 0)
        return false;
    const int screen = openWindowedScreen(handle, 0, 0, ScreenWidth, ScreenHeight, 0, 0, 0,
                                          FlipSynchronised);
    PointerCursor = loadCursorFile(gameDir + "Morvane.pointer");
    return screen != 0;
}

// The log label naming the mode being opened.
const char* ModeLogLabel(int mode)
{
    switch (mode) {
    case ScreenFullscreen: return "Opening screen (Fullscreen):";
    case ScreenWindowed: return "Opening screen (Windowed):";
    default: return "Opening screen (Borderless):";
    }
}

} // namespace

// Full screen and borderless always run at the desktop's own size.
void ComputeScreenSize(bool logLines)
{
    int width = desktopWidth(0);
    int height = desktopHeight(0);
    if (logLines) {
        WriteLogLine("ScreenWidth:", std::to_string(width));
        WriteLogLine("ScreenHeight:", std::to_string(height));
    }
    if (Prefs.gameScreen == ScreenWindowed) {
        width = ResolutionWidth(Prefs.resolution);
        height = ResolutionHeight(Prefs.resolution);
    }
    SetScreenSize(width, height);
}

// Opens the window and screen for the mode and logs how it went.
bool OpenGameScreen(const std::string& gameDir)
{
    const int mode = Prefs.gameScreen;
    bool opened = false;
    if (mode == ScreenFullscreen)
        opened = openFullScreen(ScreenWidth, ScreenHeight, 32, GameWindowTitle, FlipSynchronised) != 0;
    else if (mode == ScreenWindowed)
        opened = OpenWindowedGameScreen(gameDir, WindowFramed);
    else if (mode == ScreenBorderless)
        opened = OpenWindowedGameScreen(gameDir, WindowBorderless);
    else
        return false;
    WriteLogLine(ModeLogLabel(mode), opened ? "OK" : "FAILED");
    if (!opened)
        return false;
    // NOTE: the game draws in real pixels; on a scaled desktop the drawable
    // area can be larger than the size asked for, and that is our size.
    if (screenWidth() > 0 && screenHeight() > 0)
        SetScreenSize(screenWidth(), screenHeight());
    WriteLogLine("Screenwidth:", std::to_string(ScreenWidth));
    WriteLogLine("Screenheight:", std::to_string(ScreenHeight));
    return true;
}

// Picks the artwork family for the screen just opened.
int DetectAndLogAspectRatio()
{
    AspectCode = DetectAspectRatio(ScreenWidth, ScreenHeight);
    WriteLogLine("AspectRatio:", std::to_string(AspectCode));
    return AspectCode;
}

// The logo starts centred and rises to 5% below the top in 25 steps.
void ComputeLayoutValues()
{
    SetScreenSize(ScreenWidth, ScreenHeight);
    LogoX = ScreenWidth / 2 - spriteWidth(SpriteLogo) / 2;
    LogoY = ScreenHeight / 2 - spriteHeight(SpriteLogo) / 2;
    LogoScale = 50;
    LogoStep = static_cast<int>(std::lround((LogoY - ScreenHeight * 0.05) / 25.0));
}

// The window stays hidden until everything is drawn once.
void ShowGameWindow()
{
    if (!IsWindowedMode(Prefs.gameScreen))
        return;
    showWindow(0);
    activateWindow(0);
    if (PointerCursor != 0)
        setWindowCursor(0, PointerCursor);
}

// Every sprite goes with the screen; the caller loads them again.
void CloseGameScreen()
{
    closeScreen();
    if (IsWindowedMode(Prefs.gameScreen))
        closeWindow(0);
}

// The resolution only matters in the windowed mode.
bool ScreenReopenNeeded()
{
    if (Pending.screenMode != Prefs.gameScreen)
        return true;
    return Pending.screenMode == ScreenWindowed && Pending.resolution != Prefs.resolution;
}
