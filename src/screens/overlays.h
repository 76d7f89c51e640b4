// The panels shown over the playing field: get ready, the in-game menu, the
// level-finished and quick-finished panels and the game-complete panel.
#pragma once

#include <string>

#include "screens/kit.h"

extern Panel GetReadyPanel;
extern int GetReadyHold;             // frames the get-ready panel stays at rest

extern Panel InGameMenuPanel;
extern ButtonRecord InGameMenuButtons[4];   // 1 resume, 2 restart, 3 leave
extern int InGameChoice;

extern Panel FinishedPanel;
extern ButtonRecord FinishedButtons[4];     // 1 next, 2 retry, 3 menu
extern int FinishedChoice;

extern Panel QuickFinishedPanel;
extern ButtonRecord QuickFinishedButtons[3];  // 1 retry, 2 menu
extern int QuickFinishedChoice;

extern Panel GameCompletePanel;
extern ButtonRecord GameCompleteButtons[2];   // 1 close area

// The buttons from top to bottom; NEXT only when it can be chosen.
bool FinishedAreaUsable(int index);
constexpr int InGameFocusItems[] = {1, 2, 3};
constexpr FocusOrder InGameMenuFocus{InGameMenuButtons, InGameFocusItems, 3, false, nullptr};
constexpr FocusOrder FinishedFocus{FinishedButtons, InGameFocusItems, 3, false, FinishedAreaUsable};
constexpr FocusOrder QuickFinishedFocus{QuickFinishedButtons, InGameFocusItems, 2, false, nullptr};
constexpr FocusOrder GameCompleteFocus{GameCompleteButtons, InGameFocusItems, 1, false, nullptr};

// The get-ready panel with its one line (the level or the difficulty).
void BuildGetReadyPanel(const std::string& line);
void BuildInGameMenuPanel();
void SetInGameMenuHover(int index);
// The panel for a rating; the strips and records only when withButtons.
void BuildLevelFinishedPanel(int rating, int withButtons);
// NEXT shows its disabled strip after the last level or a rating of 0.
void SetFinishedHover(int index, int rating);
// True when NEXT may be chosen after this rating of the current level.
bool NextLevelChoosable(int rating);
void BuildQuickFinishedPanel(int rating, int tilesCleared, int withButtons);
void SetQuickFinishedHover(int index);
// The stars collected over all 25 levels, with the lines that go with them.
void BuildGameCompletePanel();
