// The level-select grid: 5 x 5 cells with a lock, or the level number and
// the star picture of its best rating.
#pragma once

// Design origin of cell (column, row); cells are 192 x 192 design units.
int LevelCellX(int column);
int LevelCellY(int row);
constexpr int LevelCellSize = 192;
// The star image for a best rating 0..3; -1 for any other value.
int StarImageFor(int best);
