// The yes/no confirmation panel, shown for quitting the game and for
// leaving a level: one picture, two placements.
#pragma once

#include "screens/kit.h"

extern Panel QuitPanel;                // the quit placement
extern ButtonRecord QuitButtons[3];    // 1 yes, 2 no
extern int QuitChoice;                 // the hover index, 0..2
extern Panel LeavePanel;               // the same picture, leave placement
extern ButtonRecord LeaveButtons[3];
extern int LeaveChoice;
extern int LeaveConfirmed;             // the answer, until the panel has slid out

// Yes, then no.
constexpr int ConfirmFocusItems[] = {1, 2};
constexpr FocusOrder QuitFocus{QuitButtons, ConfirmFocusItems, 2, false, nullptr};
constexpr FocusOrder LeaveFocus{LeaveButtons, ConfirmFocusItems, 2, false, nullptr};

// Builds the picture once and both placements with their answer areas.
void BuildQuitPanel();

// Answer areas of quit.png in design units.
constexpr int ConfirmYesLeft = 132, ConfirmYesTop = 826, ConfirmYesRight = 232, ConfirmYesBottom = 924;
constexpr int ConfirmNoLeft = 794, ConfirmNoTop = 826, ConfirmNoRight = 890, ConfirmNoBottom = 924;
