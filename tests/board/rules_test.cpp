// Clicks and frames on a dealt level: the selection rule, strict hit tests,
// removals and falls, the rise, the stop line and the tile cursor.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "board_support.h"

namespace {

constexpr int A = 101, B = 102, C = 103, D = 104;
using Cells = std::vector<std::vector<int>>;

// Campaign level n dealt on a 1920 x 1080 screen, chosen pictures laid over
// some cells as (column, row, picture).
void DealWith(int level, const Cells& cells)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(Deal(ModeCampaign, level, 1234));
    for (const std::vector<int>& cell : cells)
        CellAt(cell[0], cell[1]).picture = cell[2];
}

Cells Selected()
{
    Cells cells;
    for (int i = 0; i < Game.selection.count; i++)
        cells.push_back({Game.selection.entries[i].column, Game.selection.entries[i].row});
    return cells;
}

int Marked()
{
    return int(std::ranges::count_if(Game.board, [](const BoardCell& cell) { return cell.selected; }));
}

// The column's pictures from top to bottom, empty cells left out.
std::vector<int> ColumnTiles(int x)
{
    std::vector<int> tiles;
    for (int y = 0; y < Game.rows; y++)
        if (CellAt(x, y).picture != 0)
            tiles.push_back(CellAt(x, y).picture);
    return tiles;
}

TEST(Selection, EveryRowOfTheRuleAndTheRemovalOfATriple)
{
    DealWith(1, {{0, 0, A}, {1, 0, A}, {2, 0, A}, {3, 0, B}, {4, 0, B}});
    const struct {
        int x, y;
        Cells selected;
    } clicks[] = {
        {0, 0, {{0, 0}}},          // nothing selected: select
        {0, 0, {{0, 0}}},          // the same tile again: nothing
        {3, 0, {{3, 0}}},          // another picture starts a new selection
        {0, 0, {{0, 0}}},
        {1, 0, {{0, 0}, {1, 0}}},  // the same picture: added
        {1, 0, {{0, 0}, {1, 0}}},  // a selected tile again: nothing
        {4, 0, {{4, 0}}},          // two selected, another picture: both dropped
        {0, 0, {{0, 0}}},
        {1, 0, {{0, 0}, {1, 0}}},
        {2, 0, {}},                // the third of a kind: removed
        {0, 0, {}},                // an empty cell changes nothing
    };
    for (const auto& click : clicks) {  // markers follow the selection: the property test's invariant
        ClickCell(click.x, click.y);
        EXPECT_EQ(Selected(), click.selected) << "after a click on " << click.x << "," << click.y;
    }
    EXPECT_EQ(Game.tilesCleared, 3);  // which tiles go is the falls' test
    EXPECT_FALSE(Game.falling);       // nothing lay above the top row
}

// A click exactly on an edge of a cell or of the menu button hits nothing;
// one pixel inside hits.
TEST(Selection, HitTestsAreStrictOnEverySide)
{
    DealWith(1, {});
    // (0, 0) on the board's outer edges, (1, 1) inside it, then the menu button.
    const BoardCell &outer = CellAt(0, 0), &inner = CellAt(1, 1);
    const BoardCell button{0, 0, MenuButtonLeft, MenuButtonTop, MenuButtonRight, MenuButtonBottom, 0};
    for (const BoardCell* c : {&outer, &inner, &button})
        for (int d : {0, 1}) {  // on each edge, then one pixel inside it
            const int mx = (c->left + c->right) / 2, my = (c->top + c->bottom) / 2;
            for (const auto& [x, y] : {std::pair{c->left + d, my}, {c->right - d, my}, {mx, c->top + d}, {mx, c->bottom - d}}) {
                Game.selection = {};
                for (BoardCell& any : Game.board)
                    any.selected = 0;
                const bool hit = c == &button ? BoardClick(x, y, Silent()) == ClickOpenMenu
                                              : BoardClick(x, y, Silent()) == ClickNothing && c->selected && Marked() == 1;
                EXPECT_EQ(hit, d == 1) << x << "," << y;
            }
        }
    const int mx = (MenuButtonLeft + MenuButtonRight) / 2, my = (MenuButtonTop + MenuButtonBottom) / 2;
    Game.playRunning = false;
    EXPECT_EQ(BoardClick(mx, my, Silent()), ClickNothing);
}

// Removals set each tile above a gap falling by the empty cells below it;
// the fall ends when the last tile has covered its distance, 8 frames a cell.
// (Clicks while tiles fall are the property test's: the marker and the
// selection follow a falling tile, a removal adds to a running fall.)
TEST(Falls, ByTheEmptyCellsBelowAtEightFramesACell)
{
    const struct {
        int level;
        Cells removed;      // three cells of one picture
        Cells falls;        // (column, row, fall) after the removal
        int frames;
    } cases[] = {
        {1, {{0, 2}, {0, 3}, {0, 4}}, {{0, 0, 3}, {0, 1, 3}, {0, 5, 0}, {1, 0, 0}}, 24},
        {6, {{0, 0}, {0, 5}, {1, 9}}, {{0, 1, 1}, {0, 4, 1}, {0, 6, 0}, {1, 0, 1}, {1, 8, 1}}, 8},
        {1, {{0, 5}, {1, 5}, {2, 5}}, {{0, 4, 1}, {1, 0, 1}, {3, 4, 0}}, 8},
    };
    for (const auto& c : cases) {
        DealWith(c.level, {});
        std::vector<std::vector<int>> expected(Game.columns);
        for (const auto& cell : c.removed)
            CellAt(cell[0], cell[1]).picture = C;
        for (int x = 0; x < Game.columns; x++)
            expected[x] = ColumnTiles(x);
        for (auto& column : expected)
            std::erase(column, C);
        for (const auto& cell : c.removed)
            ClickCell(cell[0], cell[1]);
        ASSERT_EQ(Game.tilesCleared, 3);
        for (const auto& f : c.falls)
            EXPECT_EQ(CellAt(f[0], f[1]).fall, f[2]) << f[0] << "," << f[1];
        const int offsetY = Game.OffsetY;
        EXPECT_EQ(RunUntilRest(), c.frames);
        EXPECT_EQ(Game.OffsetY, offsetY) << "the board stood still during the fall";
        for (int x = 0; x < Game.columns; x++) {
            EXPECT_EQ(ColumnTiles(x), expected[x]) << "column " << x;
            for (int y = 0; y < Game.rows; y++) {
                EXPECT_EQ(CellAt(x, y).picture != 0, y >= Game.rows - int(expected[x].size())) << x << "," << y;
                EXPECT_EQ(CellAt(x, y).top, GridTop(y));
            }
        }
    }
}

TEST(Rising, TheBoardRisesEverySecondFrameUntilTheStopLine)
{
    // An emptied row lets the board rise one tile further; a removal that
    // empties the top row drops nothing and leaves the stop line. Once the
    // level has ended, frames change nothing.
    for (int row : {2, 0}) {
        PrepareBoard(1920, 1080);
        ASSERT_TRUE(Deal(ModeCampaign, 2, 8));  // 12 x 3
        for (int x = 0; x < 12; x++)
            CellAt(x, row).picture = x < 6 ? C : D;
        for (int x = 0; x < 12; x++)
            ClickCell(x, row);
        Game.riseToggle = false;
        EXPECT_EQ(RunUntilRest(), row ? 8 : 0);
        EXPECT_EQ(Game.stopY, row ? -TileSize : 0);
        EXPECT_EQ(RunUntilEnd(), row ? 2 * (1081 + TileSize) + 1 : 2 * 1081 + 1);
        EXPECT_FALSE(UpdateBoard(Silent()));
        EXPECT_EQ(Game.OffsetY, row ? -TileSize : 0);
    }
}

TEST(TileCursor, StaysWithinReachAndChoosesAsAClickOnItsCell)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(Deal(ModeCampaign, 1, 1));
    while (GridTop(0) + TileSize / 2 >= 1080)
        UpdateBoard(Silent());
    ASSERT_TRUE(ShowCursor(-1, -1));
    EXPECT_EQ(Game.cursorColumn, Game.columns / 2);
    EXPECT_EQ(Game.cursorRow, 0);
    MoveCursor(-10, 1);  // the row below is not within reach yet
    EXPECT_EQ(Game.cursorColumn, 0);
    EXPECT_EQ(Game.cursorRow, 0);
    EXPECT_EQ(CursorClick(Silent()), ClickNothing);
    EXPECT_EQ(Selected(), (Cells{{0, 0}}));

    // The top row emptied: the cursor goes down a row as that row's middle leaves the screen.
    for (int x = 0; x < Game.columns; ++x)
        CellAt(x, 0).picture = 0;
    RecountEmptyRows();
    while (GridTop(0) + TileSize / 2 >= 0) {
        EXPECT_EQ(Game.cursorRow, 0);
        UpdateBoard(Silent());
    }
    EXPECT_EQ(Game.cursorRow, 1);
    EXPECT_EQ(CursorTop(), GridTop(1));

    // The rows it reaches with the board at several heights: those whose middle
    // (64 below their top) is on the screen, never one the board does not have.
    const int heights[][3] = {{1016, -1, -1}, {1015, 0, 0}, {400, 0, 4}, {100, 0, 5},
                              {-64, 0, 5},    {-65, 1, 5},  {-704, 5, 5}, {-705, -1, -1}};
    for (const auto& [offsetY, first, last] : heights) {
        Game.OffsetY = offsetY;
        Game.cursorShown = false;
        EXPECT_EQ(ShowCursor(-1, -1), first >= 0) << offsetY;
        MoveCursor(0, -99);
        const int top = Game.cursorShown ? Game.cursorRow : -1;
        MoveCursor(0, 99);
        EXPECT_EQ(top * 10 + (Game.cursorShown ? Game.cursorRow : -1), first * 10 + last) << offsetY;
    }
}

}  // namespace
