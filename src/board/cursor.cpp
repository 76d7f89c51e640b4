// The tile cursor: the pointer of a player without a mouse. It names a cell,
// not a tile, and a choice is a board click on the middle of that cell, so
// the rules and the strict hit test are the mouse's own.
#include <algorithm>

#include "board/board.h"
#include "display/layout.h"

namespace {

// The middle of row y's grid place on the screen.
int RowMiddle(int y)
{
    return GridTop(y) + TileSize / 2;
}

// A row is within reach while the middle of its cells is on the screen: a
// click there is one a mouse could make.
bool RowInReach(int y)
{
    const int middle = RowMiddle(y);
    return middle >= 0 && middle < ScreenHeight;
}

// The first and last rows within reach; false when no row is.
bool RowsInReach(int& first, int& last)
{
    first = -1;
    last = -1;
    for (int y = 0; y < Game.rows; ++y) {
        if (!RowInReach(y))
            continue;
        if (first < 0)
            first = y;
        last = y;
    }
    return first >= 0;
}

// The grid cell under a screen point, strictly inside (grid lines hit none).
bool GridCellAt(int mx, int my, int& column, int& row)
{
    const int dx = mx - Game.OffsetX;
    const int dy = my - Game.OffsetY;
    if (dx <= 0 || dy <= 0 || dx >= Game.columns * TileSize || dy >= Game.rows * TileSize)
        return false;
    if (dx % TileSize == 0 || dy % TileSize == 0)
        return false;
    column = dx / TileSize;
    row = dy / TileSize;
    return true;
}

} // namespace

bool ShowCursor(int mx, int my)
{
    int first = 0;
    int last = 0;
    if (!RowsInReach(first, last))
        return false;
    int column = 0;
    int row = 0;
    if (GridCellAt(mx, my, column, row) && RowInReach(row)) {
        Game.cursorColumn = column;
        Game.cursorRow = row;
    } else if (Game.cursorColumn < 0) {
        Game.cursorColumn = Game.columns / 2;
        Game.cursorRow = last;
    }
    Game.cursorShown = true;
    KeepCursorInReach();
    return true;
}

void MoveCursor(int dx, int dy)
{
    if (!Game.cursorShown)
        return;
    Game.cursorColumn = std::clamp(Game.cursorColumn + dx, 0, Game.columns - 1);
    Game.cursorRow += dy;
    KeepCursorInReach();
}

void KeepCursorInReach()
{
    if (!Game.cursorShown)
        return;
    int first = 0;
    int last = 0;
    if (!RowsInReach(first, last)) {
        Game.cursorShown = false;
        return;
    }
    Game.cursorRow = std::clamp(Game.cursorRow, first, last);
}

ClickResult CursorClick(const SoundSettings& settings)
{
    if (!Game.cursorShown || !RowInReach(Game.cursorRow))
        return ClickNothing;
    return BoardClick(CursorLeft() + TileSize / 2, RowMiddle(Game.cursorRow), settings);
}

int CursorLeft()
{
    return Game.OffsetX + Game.cursorColumn * TileSize;
}

int CursorTop()
{
    return GridTop(Game.cursorRow);
}
