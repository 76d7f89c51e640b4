// The clock of a level: the board rises half a pixel per frame, tiles fall
// one cell per 8 frames while it stands still, and the stop line ends it.
#include "board/board.h"
#include "display/layout.h"

namespace {

// The pixels a falling tile moves per frame: 8 steps make one cell.
int FallStep()
{
    int step = TileSize / 8;
    return step > 0 ? step : 1;
}

// A landed tile takes its picture, fall and marker into the cell below; the
// cell it left goes back to its grid place, empty.
void LandTile(int x, int y)
{
    BoardCell& from = CellAt(x, y);
    BoardCell& to = CellAt(x, y + 1);
    to.picture = from.picture;
    to.fall = static_cast<int8_t>(from.fall - 1);
    to.selected = from.selected;
    to.top = GridTop(y + 1);
    to.bottom = to.top + TileSize;
    from.picture = 0;
    from.fall = 0;
    from.selected = 0;
    from.top = GridTop(y);
    from.bottom = from.top + TileSize;
    Selection& selection = Game.selection;
    for (int i = 0; i < selection.count; i++)
        if (selection.entries[i].column == x && selection.entries[i].row == y)
            selection.entries[i].row = y + 1;
}

// Moves every falling tile one step and lands those that covered a whole
// cell. Bottom up, so the cell below is always free when a tile lands.
// NOTE: each tile lands by its own distance, not by the shared frame count:
// tiles set falling by a removal in mid-fall start a step of their own.
void AnimateFall()
{
    int step = FallStep();
    for (int x = 0; x < Game.columns; x++) {
        for (int y = 0; y < Game.rows - 1; y++) {
            BoardCell& cell = CellAt(x, y);
            if (cell.fall <= 0) continue;
            cell.top += step;
            cell.bottom += step;
        }
    }
    Game.fallFrame++;
    if (Game.fallFrame >= 8) Game.fallFrame = 0;
    Game.falling = false;
    for (int x = 0; x < Game.columns; x++) {
        for (int y = Game.rows - 2; y >= 0; y--) {
            BoardCell& cell = CellAt(x, y);
            if (cell.fall <= 0) continue;
            if (cell.top - GridTop(y) >= TileSize) LandTile(x, y);
            if (CellAt(x, y + 1).fall > 0 || cell.fall > 0) Game.falling = true;
        }
    }
    if (!Game.falling) {
        Game.fallFrame = 0;
        RecountEmptyRows();
    }
}

// Every second frame the whole board, empty cells too, goes up one pixel.
void RiseBoard()
{
    if (!Game.riseToggle) {
        Game.riseToggle = true;
        return;
    }
    Game.riseToggle = false;
    Game.OffsetY -= 1;
    for (BoardCell& cell : Game.board) {
        cell.top -= 1;
        cell.bottom -= 1;
    }
}

} // namespace

// One frame: the stop line first, then either the fall or the rise.
bool UpdateBoard(const SoundSettings& settings)
{
    if (!Game.playRunning) return false;
    if (Game.OffsetY <= Game.stopY) return EndLevel(settings);
    if (Game.falling)
        AnimateFall();
    else
        RiseBoard();
    KeepCursorInReach();
    return false;
}

// Rows without a tile let the board rise one tile further each.
void RecountEmptyRows()
{
    Game.emptyRows = 0;
    for (int y = 0; y < Game.rows; y++) {
        bool empty = true;
        for (int x = 0; x < Game.columns && empty; x++)
            if (CellAt(x, y).picture != 0) empty = false;
        if (empty) Game.emptyRows++;
    }
    Game.stopY = -Game.emptyRows * TileSize;
}
