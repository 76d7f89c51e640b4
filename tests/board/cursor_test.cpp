// The tile cursor: shown once a row has risen within reach, kept on the rows
// whose middle is on the screen, stopped by the board's sides, and choosing
// exactly as a click on the middle of its cell.
#include <gtest/gtest.h>

#include "board_support.h"
#include "display/layout.h"

namespace {

TEST(TileCursor, StaysWithinReachAndChoosesAsAClickOnItsCell)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(1, 1));
    EXPECT_FALSE(ShowCursor(-1, -1)) << "nothing has risen into reach";
    while (GridTop(0) + TileSize / 2 >= 1080)
        UpdateBoard(Silent());
    ASSERT_TRUE(ShowCursor(-1, -1));
    EXPECT_EQ(Game.cursorColumn, Game.columns / 2);
    EXPECT_EQ(Game.cursorRow, 0);
    MoveCursor(-10, 1);  // the row below is not within reach yet
    EXPECT_EQ(Game.cursorColumn, 0);
    EXPECT_EQ(Game.cursorRow, 0);

    EXPECT_EQ(CursorClick(Silent()), ClickNothing);
    EXPECT_EQ(CellAt(0, 0).selected, 1);
    EXPECT_EQ(Game.selection.count, 1);
    Game.selection = {};

    // The top row emptied: the board may rise until it has left the screen,
    // and the cursor goes down a row as that row's middle leaves.
    for (int x = 0; x < Game.columns; ++x)
        CellAt(x, 0).picture = 0;
    RecountEmptyRows();
    while (GridTop(0) > 0)
        UpdateBoard(Silent());
    EXPECT_EQ(Game.cursorRow, 0);
    while (GridTop(0) + TileSize / 2 >= 0) {
        EXPECT_EQ(Game.cursorRow, 0);
        UpdateBoard(Silent());
    }
    EXPECT_EQ(Game.cursorRow, 1);
    EXPECT_EQ(CursorTop(), GridTop(1));
}

}  // namespace
