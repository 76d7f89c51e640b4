// Clicks during play: the menu button, the selection rule, the removal of
// a matching triple and the falls it sets off.
#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "display/layout.h"
#include "media/media.h"

namespace {

// Strictly inside the menu button in the top-right corner.
bool InMenuButton(int mx, int my)
{
    return MenuButtonLeft < mx && mx < MenuButtonRight && MenuButtonTop < my && my < MenuButtonBottom;
}

// The first cell, column by column, whose rectangle strictly holds the
// point; false when the point lies on no cell (grid lines hit nothing).
bool FindClickedCell(int mx, int my, int& cellX, int& cellY)
{
    for (int x = 0; x < Game.columns; x++) {
        for (int y = 0; y < Game.rows; y++) {
            const BoardCell& cell = CellAt(x, y);
            if (cell.left < mx && mx < cell.right && cell.top < my && my < cell.bottom) {
                cellX = x;
                cellY = y;
                return true;
            }
        }
    }
    return false;
}

// Marks a tile and appends it to the selection.
void SelectCell(int x, int y)
{
    CellAt(x, y).selected = 1;
    Game.selection.entries[Game.selection.count] = {x, y};
    Game.selection.count++;
}

// Unmarks every selected tile and empties the selection.
void DropAll()
{
    for (int i = 0; i < Game.selection.count; i++) {
        const SelectionEntry& entry = Game.selection.entries[i];
        CellAt(entry.column, entry.row).selected = 0;
    }
    Game.selection = {};
}

// The selection rule for a click on a tile; the picture is always compared
// with the tile of the first entry.
void ApplySelectionRule(int x, int y)
{
    Selection& selection = Game.selection;
    const BoardCell& clicked = CellAt(x, y);
    if (selection.count == 0) {
        SelectCell(x, y);
        return;
    }
    if (selection.count >= 3 || clicked.selected) return;
    const SelectionEntry& first = selection.entries[0];
    if (clicked.picture != CellAt(first.column, first.row).picture) DropAll();
    SelectCell(x, y);
}

// Takes a tile off the board. NOTE: a tile may be removed in the middle of
// a fall, so its cell is put back on its grid rectangle as well.
void RemoveTile(int x, int y)
{
    BoardCell& cell = CellAt(x, y);
    cell.selected = 0;
    cell.picture = 0;
    cell.fall = 0;
    cell.top = GridTop(y);
    cell.bottom = cell.top + TileSize;
}

// The three selected tiles go; answers true when that ended the level.
bool EvaluateSelection(const SoundSettings& settings)
{
    if (settings.sounds) JingleChannel = playSound(SoundMatch, SoundOwnChannel, 25);
    for (int i = 0; i < 3; i++) {
        const SelectionEntry& entry = Game.selection.entries[i];
        RemoveTile(entry.column, entry.row);
    }
    Game.tilesCleared += 3;
    LevelParams level = CurrentLevelParams();
    Game.prizeSprite = PrizeSpriteFor(RatingFor(Game.tilesCleared, level.mark1, level.mark2, level.mark3));
    if (Game.tilesCleared >= Game.tilesTotal) {
        // NOTE: the last tiles may go while one of them was still falling;
        // with the board empty nothing falls any more. The selection keeps
        // its three entries until the next level start.
        Game.falling = false;
        Game.fallFrame = 0;
        EndLevel(settings);
        return true;
    }
    // NOTE: a removal during a running fall adds to that fall instead of
    // starting over, so the tiles already moving keep their step.
    bool fallRunning = Game.falling;
    CountFalls();
    if (!fallRunning) Game.fallFrame = 0;
    Game.selection = {};
    return false;
}

} // namespace

// One click while playing: menu button, else the tile under the pointer.
ClickResult BoardClick(int mx, int my, const SoundSettings& settings)
{
    if (!Game.playRunning) return ClickNothing;
    if (InMenuButton(mx, my)) return ClickOpenMenu;
    int x = 0;
    int y = 0;
    if (FindClickedCell(mx, my, x, y) && CellAt(x, y).picture != 0) ApplySelectionRule(x, y);
    if (Game.selection.count == 3 && EvaluateSelection(settings)) return ClickLevelEnded;
    return ClickNothing;
}

// Gravity: every tile falls by the number of empty cells below it in its
// column. A tile that is already on its way counts from the cell it left,
// which is the cell that still holds it.
void CountFalls()
{
    Game.falling = false;
    for (int x = 0; x < Game.columns; x++) {
        int empties = 0;
        for (int y = Game.rows - 1; y >= 0; y--) {
            BoardCell& cell = CellAt(x, y);
            if (cell.picture == 0) {
                empties++;
                continue;
            }
            cell.fall = static_cast<int8_t>(empties);
            if (empties > 0) Game.falling = true;
        }
    }
}
