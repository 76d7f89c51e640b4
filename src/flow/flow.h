// The screen flow: the sixteen screen states, the main loop's run-long
// values, and the transitions several screens share.
#pragma once

#include <string>

enum ScreenStateValue {
    StateSplash = 0,
    StateTitleIntro = 1,
    StateMainMenu = 2,
    StateLevelSelect = 3,
    StateQuickGame = 4,
    StateHelp = 5,
    StateCredits = 6,
    StateSettings = 7,
    StateQuitConfirm = 8,
    StateGetReady = 9,
    StatePlay = 10,
    StateInGameMenu = 11,
    StateLeaveConfirm = 12,
    StateLevelFinished = 13,
    StateQuickFinished = 14,
    StateGameComplete = 15,
    StateCount = 16
};

extern int ScreenState;
extern int QuitFlag;
extern int FrameCounter;     // frames spent in the splash or the title intro
extern int ReopenPending;    // the display is being opened again from the settings
extern int LevelsWithStars;  // campaign levels whose best rating is above 0
extern bool GameEndedByError;  // a failed re-open ended the game (box shown)

// Main menu slides in again: hover 0, slide counter 25, StateMainMenu.
void BackToMainMenu();
// Stops the level music if it plays and starts the menu music if Music is on
// (callers that act only with Music on test it first).
void SwitchToMenuMusic();
// Deals the level of Game.mode / levelColumn / levelRow and shows get-ready.
void StartLevel();
// Opens the in-game menu over the board (its button, Escape, back from leave).
void EnterInGameMenu();
// Rebuilds every panel in the current language (language change, re-open).
// place = false keeps the panels' positions and hit rectangles.
void RebuildAllPanels(bool place);
// Closes the display and opens it again with the pending screen mode and
// resolution, reloading every picture; the title intro then plays again.
// A language change is taken here too. If the new mode cannot be opened the
// previous one is opened again.
void ReopenScreen();
// "Fullscreen", "Windowed", "Borderless" for the screen modes 0..2.
std::string GameScreenModeName(int mode);
