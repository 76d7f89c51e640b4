// The yes/no confirmation panel, shown for quitting the game and for
// leaving a level: one picture, two placements.
#pragma once

// Answer areas of quit.png in design units.
constexpr int ConfirmYesLeft = 132, ConfirmYesTop = 826, ConfirmYesRight = 232, ConfirmYesBottom = 924;
constexpr int ConfirmNoLeft = 794, ConfirmNoTop = 826, ConfirmNoRight = 890, ConfirmNoBottom = 924;
