// The quick-game panel: four difficulty buttons and a close area, as wide
// as the main menu.
#pragma once

#include "screens/kit.h"

extern Panel QuickGamePanel;
extern ButtonRecord QuickGameButtons[6];  // 1..4 EASY .. INSANE, 5 the close area
extern int QuickGameChoice;               // the hover index, 0..4

// Normal strip of difficulty i at QuickGameStripBase + 2 (i - 1), hover one above.
constexpr int QuickGameStripBase = 320;

// The four difficulties from top to bottom, then the close area.
constexpr int QuickGameFocusItems[] = {1, 2, 3, 4, 5};
constexpr FocusOrder QuickGameFocus{QuickGameButtons, QuickGameFocusItems, 5, false, nullptr};

// Builds the panel below the screen with its records in screen coordinates.
void BuildQuickGamePanel();
void SetQuickGameHover(int index);
