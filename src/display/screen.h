// Opening, showing and closing the game's screen in the chosen mode, and the
// values worked out from its size.
#pragma once

#include <string>

// Title of the window and the screen.
extern const char* const GameWindowTitle;
// The window's own cursor in the windowed modes; 0 when it could not be read.
extern int PointerCursor;

// Screen size for the current mode: the first desktop's size, or in the
// windowed mode the chosen resolution. Logs the desktop size when asked.
void ComputeScreenSize(bool logLines);
// Opens the screen in Prefs.gameScreen; logs the outcome. False if it did not
// open (a mode outside 0..2 opens nothing and logs nothing).
bool OpenGameScreen(const std::string& gameDir);
// AspectCode for the screen size, logged.
int DetectAndLogAspectRatio();
// The logo place and rise and the corner values; needs the logo sprite loaded
// and zoomed.
void ComputeLayoutValues();
// Windowed modes: shows window 0, activates it and gives it the cursor.
void ShowGameWindow();
// Closes the screen, and window 0 in the windowed modes.
void CloseGameScreen();
// True when the pending settings need the screen opened anew: another mode,
// or another resolution while windowed.
bool ScreenReopenNeeded();
