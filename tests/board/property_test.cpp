// Seeded random games of clicks and frames: after each the board must be one a player could believe in.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "board_support.h"

namespace {

std::string At(const std::string& what, int x, int y)
{
    return what + " at " + std::to_string(x) + "," + std::to_string(y);
}

// Each column's tiles from the bottom up as (column, top, fall). Tiles never
// pass one another, so the k-th of a column is the same tile after a frame.
std::vector<int> TileTops()
{
    std::vector<int> tops;
    for (int x = 0; x < Game.columns; x++)
        for (int y = Game.rows - 1; y >= 0; y--)
            if (CellAt(x, y).picture)
                tops.insert(tops.end(), {x, CellAt(x, y).top, CellAt(x, y).fall});
    return tops;
}

// Every tile moved smoothly through the frame: one fall step if it was
// falling, one pixel up with the board if the board rose, else not at all.
std::string BrokenMotion(const std::vector<int>& before, int risen)
{
    const std::vector<int> after = TileTops();
    if (after.size() != before.size())
        return "a frame changed the number of tiles";
    for (size_t i = 0; i < after.size(); i += 3)
        if (after[i] != before[i] || after[i + 1] != before[i + 1] + (before[i + 2] > 0 ? TileSize / 8 : 0) - risen)
            return "a tile jumped in column " + std::to_string(after[i]);
    return "";
}

// The board's physical and bookkeeping invariants: the first one broken, or "".
std::string BrokenInvariant()
{
    const int step = TileSize / 8;
    if (Game.tilesCleared != Game.tilesTotal - TilesOnBoard() || Game.tilesCleared % 3)
        return "cleared count";
    bool anyFall = false;
    int marked = 0, emptyRows = 0;
    for (int x = 0; x < Game.columns; x++) {
        int previousBottom = INT_MIN, emptiesBelow = 0;
        for (int y = Game.rows - 1; y >= 0; y--)
            emptiesBelow += CellAt(x, y).picture == 0;
        for (int y = 0; y < Game.rows; y++) {
            const BoardCell& cell = CellAt(x, y);
            const int offset = cell.top - GridTop(y);
            emptiesBelow -= cell.picture == 0;
            if (cell.left != Game.OffsetX + x * TileSize || cell.right != cell.left + TileSize ||
                cell.bottom != cell.top + TileSize)
                return At("cell rectangle", x, y);
            if (cell.picture == 0) {
                if (cell.fall != 0 || cell.selected != 0 || offset != 0)
                    return At("empty cell", x, y);
                continue;
            }
            marked += cell.selected;
            anyFall |= cell.fall > 0;
            if (cell.fall == 0 ? offset != 0 : offset < 0 || offset >= TileSize || offset % step || y == Game.rows - 1)
                return At("tile off its grid or its fall", x, y);
            if (cell.fall != emptiesBelow)
                return At("fall is not where gravity puts it", x, y);
            if (cell.top < previousBottom)
                return At("two tiles overlap", x, y);
            previousBottom = cell.bottom;
        }
    }
    for (int y = 0; y < Game.rows; y++) {
        bool empty = true;
        for (int x = 0; x < Game.columns; x++)
            empty &= CellAt(x, y).picture == 0;
        emptyRows += empty;
    }
    const Selection& selection = Game.selection;
    if (anyFall != Game.falling)
        return "falling flag";
    if (selection.count < 0 || selection.count > (Game.playRunning ? 2 : 3))
        return "selection size";
    if (!Game.playRunning)
        return "";
    if (!Game.falling && Game.emptyRows > emptyRows)
        return "more empty rows counted than there are";
    if (marked != selection.count)
        return "markers and selection differ";
    for (int i = 0; i < selection.count; i++) {
        const BoardCell& cell = CellAt(selection.entries[i].column, selection.entries[i].row);
        if (cell.picture == 0 || cell.selected != 1)
            return "selection entry without its tile";
        if (cell.picture != CellAt(selection.entries[0].column, selection.entries[0].row).picture)
            return "selection mixes pictures";
        for (int j = 0; j < i; j++)
            if (selection.entries[j].column == selection.entries[i].column && selection.entries[j].row == selection.entries[i].row)
                return "selection repeats a cell";
    }
    return "";
}

// Before and after a click: no change, or three tiles of one picture gone.
std::string BrokenRemoval(std::map<int, int> before, int clearedBefore)
{
    std::map<int, int> after = PictureCounts();
    int changed = 0;
    for (auto& [picture, count] : before) {
        const int now = after.count(picture) ? after[picture] : 0;
        if (now != count && (now != count - 3 || ++changed > 1))
            return "a removal took other than three of one picture";
    }
    return Game.tilesCleared == clearedBefore + 3 * changed ? "" : "cleared count does not match the removal";
}

struct Tally {
    int removals = 0, removalsDuringFalls = 0, selectionsOfFallingTiles = 0;
};

// One random click: at a tile of the selected picture, any tile, or
// anywhere over the board (grid lines and empty cells included).
void RandomClick(std::mt19937& random, Tally& tally)
{
    const int kind = static_cast<int>(random() % 10);
    const Selection& selection = Game.selection;
    const int wanted = kind < 5 && selection.count ? CellAt(selection.entries[0].column, selection.entries[0].row).picture : 0;
    std::vector<int> candidates;
    for (int i = 0; i < static_cast<int>(Game.board.size()); i++)
        if (Game.board[size_t(i)].picture && (!wanted || Game.board[size_t(i)].picture == wanted))
            candidates.push_back(i);
    if (candidates.empty())
        return;
    const BoardCell& cell = Game.board[size_t(candidates[random() % candidates.size()])];
    int mx = cell.left + 1 + static_cast<int>(random() % (TileSize - 1));
    int my = cell.top + 1 + static_cast<int>(random() % (TileSize - 1));
    if (kind == 9) {
        mx = Game.OffsetX + static_cast<int>(random() % (Game.columns * TileSize + 1));
        my = Game.OffsetY + static_cast<int>(random() % (Game.rows * TileSize + 1));
    }
    const bool wasFalling = Game.falling, fallingTile = cell.fall > 0;
    const int selectedBefore = selection.count, clearedBefore = Game.tilesCleared;
    BoardClick(mx, my, Silent());
    if (Game.tilesCleared > clearedBefore) {
        tally.removals++;
        tally.removalsDuringFalls += wasFalling;
    } else {
        tally.selectionsOfFallingTiles += kind < 9 && fallingTile && selection.count > selectedBefore;
    }
}

TEST(BoardProperties, RandomPlayKeepsTheBoardSound)
{
    PrepareBoard(1024, 200);  // a low screen: the board reaches the top sooner, so more games fit
    Tally tally;
    for (int game = 0; game < 200; game++) {
        SCOPED_TRACE(game);
        std::mt19937 random(1000u + game);
        const int mode = static_cast<int>(random() % 5);
        ASSERT_TRUE(Deal(mode, 1 + static_cast<int>(random() % 25), game));
        ASSERT_EQ(BrokenInvariant(), "") << "at the start";
        const int clickChance = 30 + static_cast<int>(random() % 60);  // busy players and lazy ones
        for (int frame = 0; frame < 60000 && Game.playRunning; frame++) {
            while (Game.playRunning && static_cast<int>(random() % 100) < clickChance) {
                const std::map<int, int> before = PictureCounts();
                const std::vector<BoardCell> cellsBefore = Game.board;
                const int clearedBefore = Game.tilesCleared;
                RandomClick(random, tally);
                for (size_t i = 0; i < Game.board.size(); i++)
                    ASSERT_TRUE(!Game.board[i].picture || (Game.board[i].top == cellsBefore[i].top &&
                                                           Game.board[i].picture == cellsBefore[i].picture))
                        << "a click moved or changed a tile";
                ASSERT_EQ(BrokenRemoval(before, clearedBefore), "") << "frame " << frame;
                ASSERT_EQ(BrokenInvariant(), "") << "after a click, frame " << frame;
            }
            if (!Game.playRunning)
                break;
            const std::map<int, int> before = PictureCounts();
            const std::vector<int> tops = TileTops();
            const bool wasFalling = Game.falling;
            const int offsetY = Game.OffsetY;
            if (!UpdateBoard(Silent())) {
                ASSERT_EQ(BrokenMotion(tops, offsetY - Game.OffsetY), "");
            }
            ASSERT_EQ(PictureCounts(), before) << "a frame changed the tiles";
            ASSERT_TRUE(!wasFalling || Game.OffsetY == offsetY) << "the board rose during a fall";
            ASSERT_EQ(BrokenInvariant(), "") << "frame " << frame;
        }
        ASSERT_FALSE(Game.playRunning) << "never ended";
    }
    // The random play reached the cases the rules had to be made sound for.
    EXPECT_GT(tally.removals, 1000);
    EXPECT_GT(tally.removalsDuringFalls, 200);
    EXPECT_GT(tally.selectionsOfFallingTiles, 200);
}

}  // namespace
