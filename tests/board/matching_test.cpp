// Clicks on the board: the selection rule, hit tests, removal and the fall
// counts it sets, the live rating picture, clicks while tiles fall.
#include <gtest/gtest.h>

#include <vector>

#include "board_support.h"
#include "display/layout.h"

namespace {

constexpr int PictureA = 101;
constexpr int PictureB = 102;
constexpr int PictureC = 103;
constexpr int PictureD = 104;

// A dealt level 1 with chosen pictures laid over some cells.
void DealWith(int level, const std::vector<std::vector<int>>& cells)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(level, 1234));
    for (const std::vector<int>& cell : cells) CellAt(cell[0], cell[1]).picture = cell[2];
}

// Selected cells as (column, row) in selection order.
std::vector<std::vector<int>> SelectedCells()
{
    std::vector<std::vector<int>> cells;
    for (int i = 0; i < Game.selection.count; i++)
        cells.push_back({Game.selection.entries[i].column, Game.selection.entries[i].row});
    return cells;
}

int MarkedCells()
{
    int marked = 0;
    for (const BoardCell& cell : Game.board) marked += cell.selected;
    return marked;
}

// The column's pictures from top to bottom, empty cells left out.
std::vector<int> ColumnTiles(int x)
{
    std::vector<int> tiles;
    for (int y = 0; y < Game.rows; y++)
        if (CellAt(x, y).picture != 0) tiles.push_back(CellAt(x, y).picture);
    return tiles;
}

TEST(Selection, EveryRowOfTheRule)
{
    DealWith(1, {{0, 0, PictureA}, {1, 0, PictureA}, {2, 0, PictureA}, {3, 0, PictureB}, {4, 0, PictureB}});
    using Cells = std::vector<std::vector<int>>;

    ClickCell(0, 0);  // nothing selected: select
    EXPECT_EQ(SelectedCells(), (Cells{{0, 0}}));
    ClickCell(0, 0);  // the same tile again: nothing
    EXPECT_EQ(SelectedCells(), (Cells{{0, 0}}));
    ClickCell(3, 0);  // another picture: it starts a new selection
    EXPECT_EQ(SelectedCells(), (Cells{{3, 0}}));
    EXPECT_EQ(CellAt(0, 0).selected, 0);
    ClickCell(0, 0);
    ClickCell(1, 0);  // same picture as the first: select
    EXPECT_EQ(SelectedCells(), (Cells{{0, 0}, {1, 0}}));
    ClickCell(0, 0);  // either selected tile again: nothing
    ClickCell(1, 0);
    EXPECT_EQ(SelectedCells(), (Cells{{0, 0}, {1, 0}}));
    EXPECT_EQ(MarkedCells(), 2);
    ClickCell(4, 0);  // two selected, another picture: drop both, select it
    EXPECT_EQ(SelectedCells(), (Cells{{4, 0}}));
    EXPECT_EQ(MarkedCells(), 1);
    EXPECT_EQ(Game.tilesCleared, 0);

    ClickCell(0, 0);
    ClickCell(1, 0);
    EXPECT_EQ(ClickCell(2, 0), ClickNothing);  // the third of a kind: removed
    EXPECT_EQ(Game.selection.count, 0);
    EXPECT_EQ(MarkedCells(), 0);
    EXPECT_EQ(Game.tilesCleared, 3);
    EXPECT_EQ(CellAt(0, 0).picture, 0);
    EXPECT_EQ(CellAt(1, 0).picture, 0);
    EXPECT_EQ(CellAt(2, 0).picture, 0);
    EXPECT_EQ(TilesOnBoard(), 33);
    EXPECT_FALSE(Game.falling);  // nothing lay above the top row

    ClickCell(0, 0);  // an empty cell changes nothing
    EXPECT_EQ(Game.selection.count, 0);
}

TEST(Selection, HitTestsAreStrict)
{
    DealWith(1, {});
    const BoardCell& first = CellAt(0, 0);
    int middleY = (first.top + first.bottom) / 2;
    BoardClick(first.right, middleY, Silent());  // the edge shared with (1, 0)
    EXPECT_EQ(Game.selection.count, 0);
    BoardClick(first.left + 10, first.bottom, Silent());  // the edge shared with (0, 1)
    EXPECT_EQ(Game.selection.count, 0);
    BoardClick(first.left, middleY, Silent());  // the board's outer edge
    EXPECT_EQ(Game.selection.count, 0);
    BoardClick(first.right - 1, first.bottom - 1, Silent());
    EXPECT_EQ(Game.selection.count, 1);
    EXPECT_EQ(CellAt(0, 0).selected, 1);

    int buttonX = (MenuButtonLeft + MenuButtonRight) / 2;
    int buttonY = (MenuButtonTop + MenuButtonBottom) / 2;
    EXPECT_EQ(BoardClick(buttonX, buttonY, Silent()), ClickOpenMenu);
    EXPECT_EQ(BoardClick(MenuButtonLeft, buttonY, Silent()), ClickNothing);
    EXPECT_EQ(BoardClick(buttonX, MenuButtonBottom, Silent()), ClickNothing);
    EXPECT_EQ(BoardClick(MenuButtonRight - 1, MenuButtonTop + 1, Silent()), ClickOpenMenu);
    EXPECT_EQ(Game.selection.count, 1);

    Game.playRunning = false;
    EXPECT_EQ(BoardClick(buttonX, buttonY, Silent()), ClickNothing);
    ClickCell(2, 2);
    EXPECT_EQ(Game.selection.count, 1);
}

TEST(Falls, ThreeRemovedFromOneColumn)
{
    DealWith(1, {{0, 2, PictureC}, {0, 3, PictureC}, {0, 4, PictureC}});
    std::vector<int> survivors = {CellAt(0, 0).picture, CellAt(0, 1).picture, CellAt(0, 5).picture};
    ClickCell(0, 2);
    ClickCell(0, 3);
    ClickCell(0, 4);
    EXPECT_TRUE(Game.falling);
    EXPECT_EQ(CellAt(0, 0).fall, 3);
    EXPECT_EQ(CellAt(0, 1).fall, 3);
    EXPECT_EQ(CellAt(0, 5).fall, 0);
    for (int x = 1; x < 6; x++)
        for (int y = 0; y < 6; y++) EXPECT_EQ(CellAt(x, y).fall, 0);
    EXPECT_EQ(RunUntilRest(), 24);
    EXPECT_EQ(ColumnTiles(0), survivors);
    EXPECT_EQ(CellAt(0, 3).picture, survivors[0]);
    EXPECT_EQ(CellAt(0, 2).picture, 0);
}

TEST(Falls, GapsWithTilesBetween)
{
    DealWith(6, {{0, 0, PictureC}, {0, 5, PictureC}, {1, 9, PictureC}});
    ClickCell(0, 0);
    ClickCell(0, 5);
    ClickCell(1, 9);
    EXPECT_EQ(CellAt(0, 0).picture, 0);
    for (int y = 1; y <= 4; y++) EXPECT_EQ(CellAt(0, y).fall, 1) << y;
    for (int y = 6; y <= 9; y++) EXPECT_EQ(CellAt(0, y).fall, 0) << y;
    for (int y = 0; y <= 8; y++) EXPECT_EQ(CellAt(1, y).fall, 1) << y;
    EXPECT_EQ(RunUntilRest(), 8);
    EXPECT_EQ(CellAt(0, 0).picture, 0);
    EXPECT_EQ(CellAt(0, 1).picture, 0);
    EXPECT_NE(CellAt(0, 5).picture, 0);
}

TEST(Falls, LivePictureFollowsTheMarks)
{
    PrepareBoard();
    ASSERT_TRUE(StartCampaignLevel(1, 99));
    ASSERT_TRUE(RemoveOneTriple());
    ASSERT_TRUE(RemoveOneTriple());
    EXPECT_EQ(Game.prizeSprite, 14);
    ASSERT_TRUE(RemoveOneTriple());  // 9 cleared: mark 1
    EXPECT_EQ(Game.tilesCleared, 9);
    EXPECT_EQ(Game.prizeSprite, 13);
    for (int i = 0; i < 3; i++) ASSERT_TRUE(RemoveOneTriple());
    EXPECT_EQ(Game.prizeSprite, 12);
}

TEST(ClicksDuringFalls, ASelectedTileKeepsItsMarkerAsItFalls)
{
    DealWith(1, {{0, 3, PictureC}, {0, 4, PictureC}, {0, 5, PictureC}, {0, 0, PictureA}, {4, 5, PictureA}});
    ClickCell(0, 3);
    ClickCell(0, 4);
    ClickCell(0, 5);
    for (int frame = 0; frame < 4; frame++) UpdateBoard(Silent());
    EXPECT_GT(CellAt(0, 0).top, GridTop(0));
    ClickCell(0, 0);  // the falling tile, where it is drawn now
    ASSERT_EQ(Game.selection.count, 1);
    EXPECT_EQ(CellAt(0, 0).selected, 1);
    RunUntilRest();
    EXPECT_EQ(CellAt(0, 3).picture, PictureA);
    EXPECT_EQ(CellAt(0, 3).selected, 1);
    EXPECT_EQ(CellAt(0, 0).selected, 0);
    EXPECT_EQ(MarkedCells(), 1);
    ASSERT_EQ(Game.selection.count, 1);
    EXPECT_EQ(Game.selection.entries[0].row, 3);
    ClickCell(4, 5);  // the pair is still recognised after the fall
    EXPECT_EQ(Game.selection.count, 2);
}

TEST(ClicksDuringFalls, ARemovalAddsToARunningFall)
{
    DealWith(1, {{0, 4, PictureC}, {0, 5, PictureC}, {1, 5, PictureC},
                 {0, 1, PictureD}, {2, 5, PictureD}, {3, 5, PictureD}});
    std::vector<std::vector<int>> expected(6);
    for (int x = 0; x < 6; x++)
        for (int y = 0; y < 6; y++) {
            int picture = CellAt(x, y).picture;
            if (picture != PictureC && picture != PictureD) expected[x].push_back(picture);
        }
    ClickCell(0, 4);
    ClickCell(0, 5);
    ClickCell(1, 5);
    for (int frame = 0; frame < 3; frame++) UpdateBoard(Silent());
    int offsetY = Game.OffsetY;
    ClickCell(0, 1);  // falling, three steps into its first cell
    ClickCell(2, 5);
    ClickCell(3, 5);
    EXPECT_EQ(Game.tilesCleared, 6);
    EXPECT_EQ(CellAt(0, 0).fall, 3);
    EXPECT_EQ(CellAt(0, 2).fall, 2);
    EXPECT_EQ(CellAt(2, 4).fall, 1);
    // The tile that was already moving finishes its third cell 21 frames on.
    EXPECT_EQ(RunUntilRest(), 21);
    EXPECT_EQ(Game.OffsetY, offsetY);
    for (int x = 0; x < 6; x++) {
        EXPECT_EQ(ColumnTiles(x), expected[x]) << x;
        int first = Game.rows - static_cast<int>(expected[x].size());
        for (int y = 0; y < Game.rows; y++) {
            EXPECT_EQ(CellAt(x, y).picture != 0, y >= first) << x << "," << y;
            EXPECT_EQ(CellAt(x, y).top, GridTop(y));
        }
    }
    EXPECT_EQ(TilesOnBoard(), Game.tilesTotal - Game.tilesCleared);
}

} // namespace
