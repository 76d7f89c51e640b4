#include "screens/play_screen.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "media/media.h"

// Tiles are drawn wherever their cells are; the media layer skips the ones
// wholly off the screen. A falling tile is drawn at its moving rectangle.
static void DrawBoard(bool withCursor)
{
    const int count = static_cast<int>(Game.board.size());
    for (int i = 0; i < count; ++i) {
        const BoardCell& cell = Game.board[static_cast<size_t>(i)];
        if (cell.picture == 0)
            continue;
        drawSpriteBlended(cell.picture, cell.left, cell.top);
        if (cell.selected)
            drawSpriteBlended(SpriteSelected, cell.left, cell.top);
    }
    // The tile cursor frames its cell's grid place, over the tiles around it.
    if (withCursor && Game.cursorShown)
        drawSpriteBlended(SpriteCursor, CursorLeft() - TileSize / 8, CursorTop() - TileSize / 8);
}

void DrawPlayField(bool withBoard, bool withCursor)
{
    const int t = TileSize;
    drawSprite(SpriteBackground, 0, 0);
    drawSpriteBlended(SpriteLevelLabel, t / 4, t / 4);
    drawSpriteBlended(Game.prizeSprite, t / 4, t / 4 + t / 2 + t / 4);
    drawSpriteBlended(SpriteMenuButton, ScreenWidth - t / 2 - t / 4, t / 4);
    if (withBoard)
        DrawBoard(withCursor);
}

void DrawShade()
{
    drawSpriteBlended(SpriteShade, 0, 0);
}

// NOTE: without the tile cursor: it stays set while the board is frozen under
// a panel (play resumes with it where it was), but nothing on the board can
// be chosen then.
void DrawShadedField()
{
    DrawPlayField(true, false);
    DrawShade();
}
