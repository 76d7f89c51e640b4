// The program's entry: start-up, the main loop, the orderly end.
#pragma once

#include <string>
#include <vector>

// Runs the whole game; answers the process exit code.
int RunGame(int argc, char** argv);

// The start-up sequence up to the first pass of the main loop. False when a
// fatal error ended it (the error box was shown, nothing was saved).
bool StartGame(const std::vector<std::string>& arguments);
// Diagnostic: seconds (steady clock) each step of the last StartGame took,
// for the start-up benchmark. Nothing in the game reads it.
struct StartupTimings {
    double folders = 0;      // folders, preferences, log, languages
    double subsystems = 0;   // video, keyboard, mouse, sound
    double fontPass = 0;     // asset pass 1
    double soundPass = 0;    // asset pass 2
    double screen = 0;       // window and screen, aspect, level records, progress
    double splashShown = 0;  // from the start of StartGame to the splash on screen
    double picturePass = 0;  // asset pass 3
    double gameFonts = 0;    // the 26 fonts
    double panels = 0;       // pre-rendering every panel
    double finish = 0;       // showing the window, starting the music
    double total = 0;
};
extern StartupTimings LastStartupTimings;

// The orderly end: preferences, then progress, then every media resource.
void EndGame();

// Test hook: the folder taken as the program's own (its data files beside it).
void SetGameDirForTests(const std::string& folder);

// The fatal-error convention: one box titled "Morvane::" + the "tErrorERROR"
// text with the given message, then everything is released; nothing saved.
void ShowFatalError(const std::string& message);
