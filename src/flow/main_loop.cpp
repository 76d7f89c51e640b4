#include "flow/main_loop.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/play_states.h"
#include "flow/state_table.h"
#include "flow/steering.h"
#include "media/media.h"
#include "screens/confirm.h"
#include "screens/kit.h"
#include "settings/preferences.h"
#include "startup/folders.h"
#include "startup/log.h"

namespace {

int MouseLatch = 1;         // full screen: a press is taken once
bool PausedByFocus = false; // full screen: music paused while in the background

bool FullScreen()
{
    return Prefs.gameScreen == ScreenFullscreen;
}

// Pauses both musics on the music channel; only the owner reacts.
void PauseMusic()
{
    if (soundStatus(MenuMusic, MusicChannel) == SoundPlaying)
        pauseSound(MenuMusic, MusicChannel);
    if (soundStatus(Game.levelMusic, MusicChannel) == SoundPlaying)
        pauseSound(Game.levelMusic, MusicChannel);
}

void ResumeMusic()
{
    if (soundStatus(MenuMusic, MusicChannel) == SoundPaused)
        resumeSound(MenuMusic, MusicChannel);
    if (soundStatus(Game.levelMusic, MusicChannel) == SoundPaused)
        resumeSound(Game.levelMusic, MusicChannel);
}

// A mouse click with PointerX and PointerY where the mouse is. If the keys
// had the focus, the hover pass first follows the mouse again, so the click
// acts on what lies under it.
void MouseClick()
{
    if (MouseTakesFocus())
        HoverCurrentState();
    ClickCurrentState();
}

// A click from the window: the pointer is where the button came up.
void WindowClick()
{
    PointerX = windowMouseX(0);
    PointerY = windowMouseY(0);
    MouseClick();
}

// Answers false when the drain must stop (the window is gone).
bool HandleWindowEvent(int event)
{
    switch (event) {
    case EventRepaint:
        presentFrame();
        break;
    case EventClick: {
        const int modeBefore = Prefs.gameScreen;
        WindowClick();
        // A confirm that re-opened the display in full screen: the window the
        // queue belonged to no longer exists.
        if (modeBefore != Prefs.gameScreen && FullScreen())
            return false;
        break;
    }
    case EventMinimize:
        if (Prefs.gameScreen == ScreenWindowed)
            PauseMusic();
        break;
    case EventRestore:
    case EventActivate:
        ResumeMusic();
        break;
    case EventDeactivate:
        if (Prefs.gameScreen == ScreenBorderless) {
            PauseMusic();
            if (ReopenPending == 0)
                minimizeWindow(0);
            else
                ReopenPending = 0;
        }
        break;
    case EventClose:
        QuitFlag = 1;
        break;
    default:
        break;
    }
    return true;
}

void DrainWindowEvents()
{
    for (int event = nextWindowEvent(); event != EventNone; event = nextWindowEvent()) {
        if (FullScreen()) {
            // Full screen takes its clicks from the mouse device; only a close
            // (the window manager, or a signal) matters here.
            if (event == EventClose)
                QuitFlag = 1;
            continue;
        }
        if (!HandleWindowEvent(event))
            break;
    }
    if (quitRequested())
        QuitFlag = 1;
}

void FocusLoss()
{
    PauseMusic();
    PausedByFocus = FullScreen();
    releaseMouse(1);
    sleepMs(100);
    presentFrame();
}

void TakeScreenshot()
{
    bool saved = false;
    if (grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight)) {
        const std::string name = SaveTo + "Morvane " + formatDate("%dd-%mm-%yyyy %hh-%ii-%ss", now()) + ".bmp";
        saved = saveSpriteBmp(SpriteScreenshot, name) != 0;
    }
    WriteLogLine("Saving screenshot:", saved ? "OK" : "FAILED");
}

// Whether the music of the screen is the menu's. The menu states play the
// menu music; from get-ready on, the level's. NOTE: YES on the leave
// confirmation gives the channel to the menu music at once, while the panel
// still slides out over the board.
bool MenuMusicScreen()
{
    if (ScreenState <= StateQuitConfirm)
        return true;
    return ScreenState == StateLeaveConfirm && LeaveConfirmed && LeavePanel.slide < 0;
}

void ToggleMusic()
{
    const bool menuState = MenuMusicScreen();
    if (Prefs.music) {
        if (menuState)
            fadeAndStop(MenuMusic, MusicChannel);
        else if (soundStatus(Game.levelMusic, MusicChannel) == SoundPlaying)
            fadeAndStop(Game.levelMusic, MusicChannel);
        Prefs.music = 0;
        return;
    }
    if (menuState) {
        MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, Prefs.musicVolume);
    } else {
        const int number = Game.mode == ModeCampaign ? LevelNumberAt(Game.levelColumn, Game.levelRow) : 0;
        Game.levelMusic = LevelMusicFor(Game.mode, number);
        MusicChannel = playSound(Game.levelMusic, SoundLoop | SoundOwnChannel, Prefs.musicVolume);
    }
    Prefs.music = 1;
}

void ChangeMusicVolume(int delta)
{
    Prefs.musicVolume += delta;
    setSoundVolume(Game.levelMusic, Prefs.musicVolume, MusicChannel);
    setSoundVolume(MenuMusic, Prefs.musicVolume, MusicChannel);
}

void HandleKeys()
{
    pollKeyboard();
    if (keyReleased(KeyF2))
        TakeScreenshot();
    if (keyReleased(KeyM) && ScreenState != StateSettings)
        ToggleMusic();
    // NOTE: a hand-edited Sounds value such as 5 means "on"; N turns any
    // "on" off rather than computing 1 - 5.
    if (keyReleased(KeyN) && ScreenState != StateSettings)
        Prefs.sounds = Prefs.sounds ? 0 : 1;
    if (keyReleased(KeyEscape))
        EscapeCurrentState();
    if (keyDown(KeyPadPlus) && Prefs.musicVolume < 100)
        ChangeMusicVolume(+1);
    if (keyDown(KeyPadMinus) && Prefs.musicVolume > 0)
        ChangeMusicVolume(-1);
    HandleSteering();
}

} // namespace

void ResetMainLoop()
{
    // What the start-up read (and settled) is written when it next changes.
    TakePreferencesAsSaved();
    MouseLatch = 1;
    PausedByFocus = false;
    ResetSteering();
}

void RunOnePass()
{
    DrainWindowEvents();
    if (QuitFlag)
        return;
    presentFrame();
    if (!isScreenActive()) {
        FocusLoss();
        return;
    }
    if (PausedByFocus) {
        ResumeMusic();
        PausedByFocus = false;
    }

    DrawCurrentState();
    DrawFocus();
    if (FullScreen()) {
        pollMouse();
        if (ScreenState > StateTitleIntro)
            drawSpriteBlended(SpritePointer, mouseX(), mouseY());
    }

    RunCurrentStateLogic();

    if (FullScreen()) {
        pollMouse();
        PointerX = mouseX();
        PointerY = mouseY();
    } else {
        PointerX = windowMouseX(0);
        PointerY = windowMouseY(0);
    }
    // While the keys have the focus, the hover pass is aimed at it.
    AimPointer();
    HoverCurrentState();

    if (FullScreen()) {
        if (mouseButtonDown(1)) {
            if (MouseLatch) {
                MouseLatch = 0;
                PointerX = mouseX();
                PointerY = mouseY();
                MouseClick();
            }
        } else {
            MouseLatch = 1;
        }
    }

    HandleKeys();
    // Preferences reach the disk in the pass they change (settings confirmed,
    // M, N), so a crash later loses none; a held volume key writes them once,
    // when it is let go.
    if (!keyDown(KeyPadPlus) && !keyDown(KeyPadMinus))
        SaveChangedPreferences(SaveTo);
}
