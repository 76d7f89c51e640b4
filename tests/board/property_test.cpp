// Many seeded games of random clicks and frames, with clicks while tiles
// fall and clicks aimed at the selected picture. After every click and
// every frame the board must be one a player could believe in.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <string>
#include <vector>

#include "board_support.h"

namespace {

// What one game went through, for the checks that the random play really
// reached the cases that matter.
struct PlayTally {
    int removals = 0;
    int removalsDuringFalls = 0;
    int selectionsOfFallingTiles = 0;
};

// Tiles of each picture; the tests deal the handles 1..40.
using Tally = std::array<int, 41>;

Tally CountPictures()
{
    Tally counts{};
    const BoardCell* cells = Game.board.data();
    for (size_t i = 0; i < Game.board.size(); i++)
        if (cells[i].picture > 0 && cells[i].picture <= 40) counts[cells[i].picture]++;
    return counts;
}

// Empty cells below each cell of column x, by the cells that hold the tiles.
std::vector<int> EmptiesBelow(int x)
{
    std::vector<int> empties(Game.rows, 0);
    int count = 0;
    for (int y = Game.rows - 1; y >= 0; y--) {
        empties[y] = count;
        if (CellAt(x, y).picture == 0) count++;
    }
    return empties;
}

std::string Where(int x, int y)
{
    return " at " + std::to_string(x) + "," + std::to_string(y);
}

// Each column's tiles from the bottom up: where they are drawn and whether
// they fall, as (column, top, fall) triples. Tiles never pass one another,
// so the k-th tile from the bottom of a column is the same tile before and
// after a frame.
void TileTops(std::vector<int>& tops)
{
    const BoardCell* cells = Game.board.data();
    tops.clear();
    for (int x = 0; x < Game.columns; x++)
        for (int y = Game.rows - 1; y >= 0; y--) {
            const BoardCell& cell = cells[x * Game.rows + y];
            if (cell.picture == 0) continue;
            tops.push_back(x);
            tops.push_back(cell.top);
            tops.push_back(cell.fall);
        }
}

// Every tile moved smoothly through the frame: one fall step if it was
// falling, one pixel up with the board if the board rose, else not at all.
std::string BrokenMotion(const std::vector<int>& before, std::vector<int>& after, int risen)
{
    TileTops(after);
    const int step = TileSize / 8;
    if (after.size() != before.size()) return "a frame changed the number of tiles";
    for (size_t i = 0; i < after.size(); i += 3) {
        if (after[i] != before[i]) return "a frame moved a tile to another column";
        int expected = before[i + 1] + (before[i + 2] > 0 ? step : 0) - risen;
        if (after[i + 1] != expected) return "a tile jumped in column " + std::to_string(after[i]);
    }
    return "";
}

// The board's physical and bookkeeping invariants; answers the first broken
// one, or an empty text.
std::string BrokenInvariant()
{
    const BoardCell* cells = Game.board.data();
    const int step = TileSize / 8;
    if (Game.tilesCleared != Game.tilesTotal - TilesOnBoard()) return "cleared count";
    if (Game.tilesCleared % 3 != 0) return "cleared not a multiple of 3";
    bool anyFall = false;
    int marked = 0;
    for (int x = 0; x < Game.columns; x++) {
        std::vector<int> empties = EmptiesBelow(x);
        int previousBottom = INT32_MIN;
        for (int y = 0; y < Game.rows; y++) {
            const BoardCell& cell = cells[x * Game.rows + y];
            if (cell.left != Game.OffsetX + x * TileSize || cell.right != cell.left + TileSize)
                return "column rectangle" + Where(x, y);
            if (cell.bottom != cell.top + TileSize) return "cell height" + Where(x, y);
            int offset = cell.top - GridTop(y);
            if (cell.picture == 0) {
                if (cell.fall != 0 || cell.selected != 0 || offset != 0) return "empty cell" + Where(x, y);
                continue;
            }
            marked += cell.selected;
            if (cell.fall == 0 && offset != 0) return "tile at rest off its grid" + Where(x, y);
            if (cell.fall > 0) {
                anyFall = true;
                if (y == Game.rows - 1) return "bottom tile falling" + Where(x, y);
                if (offset < 0 || offset >= TileSize || offset % step != 0) return "fall offset" + Where(x, y);
            }
            if (cell.fall != empties[y]) return "fall is not where gravity puts it" + Where(x, y);
            if (cell.top < previousBottom) return "two tiles overlap" + Where(x, y);
            previousBottom = cell.bottom;
        }
    }
    if (anyFall != Game.falling) return "falling flag";
    const Selection& selection = Game.selection;
    int limit = Game.playRunning ? 2 : 3;
    if (selection.count < 0 || selection.count > limit) return "selection size";
    if (Game.playRunning) {
        if (marked != selection.count) return "markers and selection differ";
        for (int i = 0; i < selection.count; i++) {
            const SelectionEntry& entry = selection.entries[i];
            const BoardCell& cell = CellAt(entry.column, entry.row);
            if (cell.picture == 0 || cell.selected != 1) return "selection entry without its tile";
            const SelectionEntry& first = selection.entries[0];
            if (cell.picture != CellAt(first.column, first.row).picture) return "selection mixes pictures";
            for (int j = 0; j < i; j++)
                if (selection.entries[j].column == entry.column && selection.entries[j].row == entry.row)
                    return "selection repeats a cell";
        }
    }
    if (!Game.falling && Game.playRunning) {
        int emptyRows = 0;
        for (int y = 0; y < Game.rows; y++) {
            bool empty = true;
            for (int x = 0; x < Game.columns; x++)
                if (CellAt(x, y).picture != 0) empty = false;
            emptyRows += empty;
        }
        if (Game.emptyRows > emptyRows) return "more empty rows counted than there are";
    }
    return "";
}

// Before and after a click: no change, or three tiles of one picture gone.
std::string BrokenRemoval(const Tally& before, int clearedBefore)
{
    Tally after = CountPictures();
    int changed = 0;
    for (int picture = 0; picture <= 40; picture++) {
        if (after[picture] == before[picture]) continue;
        if (after[picture] != before[picture] - 3) return "a removal took other than three of a picture";
        changed++;
    }
    if (changed > 1) return "a removal took several pictures";
    if (Game.tilesCleared != clearedBefore + 3 * changed) return "cleared count does not match the removal";
    return "";
}

// A point inside the tile of (x, y), anywhere in its present rectangle.
void PointIn(std::mt19937& random, const BoardCell& cell, int& mx, int& my)
{
    mx = cell.left + 1 + static_cast<int>(random() % (TileSize - 1));
    my = cell.top + 1 + static_cast<int>(random() % (TileSize - 1));
}

// A random cell holding a tile, preferably of `picture` (0 = any).
bool PickTile(std::mt19937& random, int picture, int& x, int& y)
{
    std::vector<int> candidates;
    for (int i = 0; i < static_cast<int>(Game.board.size()); i++) {
        int here = Game.board[i].picture;
        if (here != 0 && (picture == 0 || here == picture)) candidates.push_back(i);
    }
    if (candidates.empty()) return false;
    int chosen = candidates[random() % candidates.size()];
    x = chosen / Game.rows;
    y = chosen % Game.rows;
    return true;
}

// One random click; the tally notes the interesting ones.
void RandomClick(std::mt19937& random, PlayTally& tally)
{
    int kind = static_cast<int>(random() % 10);
    int mx = 0;
    int my = 0;
    int x = 0;
    int y = 0;
    const Selection& selection = Game.selection;
    if (kind < 5 && selection.count > 0) {
        const SelectionEntry& first = selection.entries[0];
        if (!PickTile(random, CellAt(first.column, first.row).picture, x, y)) return;
        PointIn(random, CellAt(x, y), mx, my);
    } else if (kind < 9) {
        if (!PickTile(random, 0, x, y)) return;
        PointIn(random, CellAt(x, y), mx, my);
    } else {
        // anywhere over the board, grid lines and empty cells included
        mx = Game.OffsetX + static_cast<int>(random() % (Game.columns * TileSize + 1));
        my = Game.OffsetY + static_cast<int>(random() % (Game.rows * TileSize + 1));
    }
    bool wasFalling = Game.falling;
    int clickedFall = CellAt(x, y).fall;
    int selectedBefore = selection.count;
    int clearedBefore = Game.tilesCleared;
    BoardClick(mx, my, Silent());
    if (Game.tilesCleared > clearedBefore) {
        tally.removals++;
        if (wasFalling) tally.removalsDuringFalls++;
    } else if (kind < 9 && clickedFall > 0 && selection.count > selectedBefore) {
        tally.selectionsOfFallingTiles++;
    }
}

TEST(BoardProperties, RandomPlayKeepsTheBoardSound)
{
    // A low screen: the board reaches the top sooner, so more games fit.
    PrepareBoard(1024, 200);
    PlayTally total;
    std::vector<BoardCell> cellsBefore;
    std::vector<int> topsBefore;
    std::vector<int> topsAfter;
    const int games = 200;
    for (int game = 0; game < games; game++) {
        std::mt19937 random(1000u + game);
        int mode = static_cast<int>(random() % 5);
        ASSERT_TRUE(Deal(mode, 1 + static_cast<int>(random() % 25), game));
        ASSERT_EQ(BrokenInvariant(), "") << "game " << game << " at the start";
        // Busy players click often; lazy ones let the board climb.
        int clickChance = 30 + static_cast<int>(random() % 60);
        bool ended = false;
        for (int frame = 0; frame < 60000 && !ended; frame++) {
            while (Game.playRunning && static_cast<int>(random() % 100) < clickChance) {
                Tally before = CountPictures();
                int clearedBefore = Game.tilesCleared;
                cellsBefore = Game.board;
                RandomClick(random, total);
                for (size_t i = 0; i < Game.board.size(); i++) {
                    if (Game.board[i].picture == 0) continue;
                    ASSERT_EQ(Game.board[i].top, cellsBefore[i].top) << "a click moved a tile, game " << game;
                    ASSERT_EQ(Game.board[i].picture, cellsBefore[i].picture) << "game " << game;
                }
                ASSERT_EQ(BrokenRemoval(before, clearedBefore), "") << "game " << game << " frame " << frame;
                ASSERT_EQ(BrokenInvariant(), "") << "game " << game << " after a click, frame " << frame;
                if (!Game.playRunning) break;
            }
            if (!Game.playRunning) {
                ended = true;
                break;
            }
            Tally before = CountPictures();
            bool wasFalling = Game.falling;
            int offsetY = Game.OffsetY;
            TileTops(topsBefore);
            ended = UpdateBoard(Silent());
            if (!ended) {
                ASSERT_EQ(BrokenMotion(topsBefore, topsAfter, offsetY - Game.OffsetY), "") << "game " << game;
            }
            ASSERT_EQ(CountPictures(), before) << "a frame changed the tiles, game " << game;
            if (wasFalling) {
                ASSERT_EQ(Game.OffsetY, offsetY) << "the board rose during a fall";
            }
            ASSERT_EQ(BrokenInvariant(), "") << "game " << game << " frame " << frame;
        }
        ASSERT_TRUE(ended) << "game " << game << " never ended";
        ASSERT_FALSE(Game.playRunning);
        EXPECT_EQ(LastOutcome.tilesCleared, Game.tilesCleared);
    }
    // The random play reached the cases the rules had to be made sound for.
    EXPECT_GT(total.removals, 1000);
    EXPECT_GT(total.removalsDuringFalls, 200);
    EXPECT_GT(total.selectionsOfFallingTiles, 200);
}

} // namespace
