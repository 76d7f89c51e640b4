// The start of a level: the deck, the deal, the placement, the counters.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "assets/asset_numbers.h"
#include "board_support.h"
#include "display/layout.h"

namespace {

// Copies per picture on the board, largest first.
std::vector<int> CopiesPerPicture()
{
    std::vector<int> copies;
    for (const auto& [picture, count] : PictureCounts()) copies.push_back(count);
    std::sort(copies.rbegin(), copies.rend());
    return copies;
}

// Every cell on its grid rectangle one pixel below the screen, centred.
void ExpectFreshBoard(int columns, int rows)
{
    EXPECT_EQ(Game.columns, columns);
    EXPECT_EQ(Game.rows, rows);
    EXPECT_EQ(Game.tilesTotal, columns * rows);
    ASSERT_EQ(Game.board.size(), static_cast<size_t>(columns * rows));
    EXPECT_EQ(Game.OffsetY, ScreenHeight + 1);
    int leftMargin = Game.OffsetX;
    int rightMargin = ScreenWidth - (Game.OffsetX + columns * TileSize);
    EXPECT_LE(std::abs(leftMargin - rightMargin), TileSize);
    for (int x = 0; x < columns; x++) {
        for (int y = 0; y < rows; y++) {
            const BoardCell& cell = CellAt(x, y);
            EXPECT_GE(cell.top, ScreenHeight + 1);
            EXPECT_EQ(cell.left, Game.OffsetX + x * TileSize);
            EXPECT_EQ(cell.top, Game.OffsetY + y * TileSize);
            EXPECT_EQ(cell.right - cell.left, TileSize);
            EXPECT_EQ(cell.bottom - cell.top, TileSize);
            EXPECT_NE(cell.picture, 0);
            EXPECT_EQ(cell.selected, 0);
            EXPECT_EQ(cell.fall, 0);
        }
    }
    EXPECT_EQ(Game.selection.count, 0);
    EXPECT_EQ(Game.tilesCleared, 0);
    EXPECT_EQ(Game.prizeSprite, 14);
    EXPECT_FALSE(Game.falling);
    EXPECT_EQ(Game.stopY, 0);
}

TEST(Dealing, CampaignDecksGroupPicturesByCopies)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(1, 11));
    EXPECT_EQ(CopiesPerPicture(), std::vector<int>(4, 9));
    ExpectFreshBoard(6, 6);
    EXPECT_EQ(Game.OffsetX, 576);

    ASSERT_TRUE(StartCampaignLevel(14, 12));
    std::vector<int> expected(17, 6);
    expected.push_back(3);
    EXPECT_EQ(CopiesPerPicture(), expected);
    ExpectFreshBoard(7, 15);

    ASSERT_TRUE(StartCampaignLevel(6, 13));
    expected.assign(6, 9);
    expected.push_back(6);
    EXPECT_EQ(CopiesPerPicture(), expected);
}

TEST(Dealing, QuickGameDecks)
{
    PrepareBoard(1024, 768);
    ASSERT_TRUE(StartQuickGame(ModeEasy, 21));
    EXPECT_EQ(CopiesPerPicture(), std::vector<int>(9, 6));
    ExpectFreshBoard(6, 9);
    EXPECT_EQ(Game.OffsetX, 512 - (6 * 64) / 2);

    ASSERT_TRUE(StartQuickGame(ModeHard, 22));
    EXPECT_EQ(CopiesPerPicture(), std::vector<int>(11, 27));
    ExpectFreshBoard(9, 33);

    ASSERT_TRUE(StartQuickGame(ModeInsane, 23));
    EXPECT_EQ(CopiesPerPicture(), std::vector<int>(16, 18));
    ExpectFreshBoard(12, 24);
}

TEST(Dealing, PicturesComeFromTheTileListAndChangeBetweenDeals)
{
    PrepareBoard();
    std::set<int> tiles(TileSprites, TileSprites + TileCount);
    std::set<std::set<int>> pictureSets;
    std::set<std::vector<int>> boards;
    for (uint64_t seed = 1; seed <= 8; seed++) {
        ASSERT_TRUE(StartCampaignLevel(1, seed));
        std::set<int> used;
        std::vector<int> pictures;
        for (const BoardCell& cell : Game.board) {
            EXPECT_TRUE(tiles.count(cell.picture)) << cell.picture;
            used.insert(cell.picture);
            pictures.push_back(cell.picture);
        }
        pictureSets.insert(used);
        boards.insert(pictures);
    }
    EXPECT_GT(pictureSets.size(), 1u);
    EXPECT_EQ(boards.size(), 8u);

    // The same seed deals the same board: the shuffle is the only chance.
    ASSERT_TRUE(StartCampaignLevel(9, 77));
    std::vector<int> first;
    for (const BoardCell& cell : Game.board) first.push_back(cell.picture);
    ASSERT_TRUE(StartCampaignLevel(9, 77));
    std::vector<int> second;
    for (const BoardCell& cell : Game.board) second.push_back(cell.picture);
    EXPECT_EQ(first, second);
}

TEST(Dealing, CellsAreStoredColumnByColumn)
{
    PrepareBoard();
    ASSERT_TRUE(StartCampaignLevel(2, 5));
    EXPECT_EQ(Game.board.size(), 36u);
    EXPECT_EQ(&CellAt(11, 2), &Game.board.back());
    EXPECT_EQ(&CellAt(3, 1) + 1, &CellAt(3, 2));
    EXPECT_EQ(CellAt(11, 2).left, Game.OffsetX + 11 * TileSize);
    // The deck is laid in order, down each column first.
    for (int x = 0; x < Game.columns; x++)
        for (int y = 0; y < Game.rows; y++)
            EXPECT_EQ(CellAt(x, y).picture, Game.deck[x * Game.rows + y]);
}

TEST(Dealing, StartResetsThePlayButKeepsWhatOutlivesALevel)
{
    PrepareBoard();
    ASSERT_TRUE(StartCampaignLevel(1, 3));
    for (int i = 0; i < 3; i++) ASSERT_TRUE(RemoveOneTriple());
    ClickCell(0, 5);
    Game.riseToggle = true;
    Game.keepMusic = true;
    Game.levelChosen = true;
    ASSERT_TRUE(StartLevel(Silent()));
    ExpectFreshBoard(6, 6);
    EXPECT_TRUE(Game.riseToggle);
    EXPECT_TRUE(Game.levelChosen);
    EXPECT_TRUE(Game.playRunning);
    EXPECT_FALSE(Game.keepMusic);
    EXPECT_EQ(Game.result, 0);
    EXPECT_EQ(Game.fallFrame, 0);
    EXPECT_EQ(Game.emptyRows, 0);

    Game.riseToggle = false;
    ASSERT_TRUE(StartLevel(Silent()));
    EXPECT_FALSE(Game.riseToggle);
}

TEST(Dealing, TextKeysAndNames)
{
    PrepareBoard();
    Game.mode = ModeCampaign;
    Game.levelColumn = LevelColumnOf(7);
    Game.levelRow = LevelRowOf(7);
    EXPECT_EQ(CurrentLevelName(), "7");
    EXPECT_EQ(GetReadyTextKey(), "tGetReadyLEVEL");
    EXPECT_EQ(LevelLabelKey(), "");
    Game.mode = ModeMedium;
    EXPECT_EQ(GetReadyTextKey(), "tGetReadyMEDIUM");
    EXPECT_EQ(LevelLabelKey(), "tGuiLevelMEDIUM");
    EXPECT_EQ(CurrentLevelName(), "");
}

TEST(Dealing, RefusesALevelThatDoesNotExist)
{
    PrepareBoard();
    Game.mode = static_cast<GameMode>(7);
    EXPECT_FALSE(StartLevel(Silent()));
    Game.mode = ModeCampaign;
    Game.levelColumn = 5;
    EXPECT_FALSE(StartLevel(Silent()));
}

} // namespace
