// The level-select grid: 5 x 5 cells with a lock, or the level number and
// the star picture of its best rating, and a close area.
#pragma once

#include "screens/kit.h"

extern Panel LevelSelectPanel;
// 1: the close area; 2..26: the cells of levels 1..25 as areas (undrawn;
// the cells' own hit rectangles live in the level records).
extern ButtonRecord LevelSelectButtons[27];

// The arrows cross the grid in two dimensions; after the last cell (and
// above the first row) comes the close area.
constexpr int LevelSelectFocusItems[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                         15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 1};
constexpr FocusOrder LevelSelectFocus{LevelSelectButtons, LevelSelectFocusItems, 26, true, nullptr};

// Design origin of cell (column, row); cells are 192 x 192 design units.
int LevelCellX(int column);
int LevelCellY(int row);
constexpr int LevelCellSize = 192;
// The star image for a best rating 0..3; -1 for any other value.
int StarImageFor(int best);

// The whole panel from the level records; places it below the screen.
void BuildLevelSelectPanel();
// Redraws one cell after its level was rated or opened, without a rebuild.
void RedrawLevelCell(int column, int row);
