// A level's start (deck, deal, placement), the level table, ratings, and a
// level's end: best, unlocking, the report to the flow.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "board_support.h"

namespace {

TEST(Dealing, DecksBoardsAndWhereTheyLie)
{
    const struct {
        int mode, level, width, height, columns, rows;
        std::vector<int> copies;  // copies per picture, largest first
    } cases[] = {
        {ModeCampaign, 1, 1920, 1080, 6, 6, std::vector<int>(4, 9)},
        {ModeCampaign, 6, 1920, 1080, 6, 10, {9, 9, 9, 9, 9, 9, 6}},
        {ModeCampaign, 14, 1920, 1080, 7, 15, {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 3}},
        {ModeEasy, 0, 1024, 768, 6, 9, std::vector<int>(9, 6)},
        {ModeMedium, 0, 1024, 768, 9, 24, std::vector<int>(12, 18)},
        {ModeHard, 0, 1024, 768, 9, 33, std::vector<int>(11, 27)},
        {ModeInsane, 0, 1024, 768, 12, 24, std::vector<int>(16, 18)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode * 100 + c.level);
        PrepareBoard(c.width, c.height);
        ASSERT_TRUE(Deal(c.mode, c.level, 11));
        std::vector<int> copies;
        for (const auto& [picture, count] : PictureCounts()) {
            EXPECT_TRUE(picture >= 1 && picture <= 40) << picture;
            copies.push_back(count);
        }
        std::sort(copies.rbegin(), copies.rend());
        EXPECT_EQ(copies, c.copies);
        ASSERT_EQ(Game.board.size(), size_t(c.columns * c.rows));
        EXPECT_EQ(Game.OffsetX, c.width / 2 - c.columns * TileSize / 2);
        EXPECT_EQ(Game.OffsetY, c.height + 1);
        // Where each cell lies is the property test's (its invariant holds from the deal on).
        for (int x = 0; x < c.columns; x++)
            for (int y = 0; y < c.rows; y++) {
                const BoardCell& cell = Game.board[size_t(x * c.rows + y)];  // column by column
                EXPECT_EQ(&cell, &CellAt(x, y));
                EXPECT_EQ(cell.picture, Game.deck[size_t(x * c.rows + y)]);
            }
        EXPECT_EQ(Game.tilesCleared + Game.selection.count + Game.stopY + Game.falling, 0);
        EXPECT_EQ(Game.prizeSprite, 14);
    }
}

TEST(Dealing, TheShuffleIsTheOnlyChanceAndAStartResetsThePlay)
{
    PrepareBoard();
    std::set<std::vector<int>> boards;
    std::set<int> lowest;  // the pictures of a deck change too, not only their order
    for (uint64_t seed = 1; seed <= 8; seed++) {
        ASSERT_TRUE(Deal(ModeCampaign, 1, seed));
        boards.insert(Game.deck);
        lowest.insert(PictureCounts().begin()->first);
        ASSERT_TRUE(Deal(ModeCampaign, 1, seed));  // the same seed, the same board
        EXPECT_TRUE(boards.count(Game.deck));
    }
    EXPECT_EQ(boards.size() * 10 + (lowest.size() > 1), 81u);

    // What outlives a level is kept; the play itself starts afresh.
    for (int i = 0; i < 3; i++)
        ASSERT_TRUE(RemoveOneTriple());
    ClickCell(0, 5);
    Game.riseToggle = Game.keepMusic = Game.levelChosen = true;
    ASSERT_TRUE(StartLevel(Silent()));
    EXPECT_TRUE(Game.riseToggle && Game.levelChosen && Game.playRunning && !Game.keepMusic);
    EXPECT_EQ(TilesOnBoard(), 36);
    EXPECT_EQ(Game.tilesCleared + Game.selection.count + Game.result + Game.emptyRows, 0);
    Game.mode = static_cast<GameMode>(7);
    EXPECT_FALSE(StartLevel(Silent()));
    Game.mode = ModeCampaign;
    Game.levelColumn = 5;
    EXPECT_FALSE(StartLevel(Silent()));
}

TEST(Levels, TableAddressingAndRatings)
{
    PrepareBoard();
    for (int n = 1; n <= 25; n++) {
        const LevelRecord& level = LevelByNumber(n);
        SCOPED_TRACE(n);
        EXPECT_EQ(level.number, n);
        EXPECT_EQ(level.name, std::to_string(n));  // its lock and best as built: the outcome test's last loop
        EXPECT_EQ(level.tiles, level.columns * level.rows);
        EXPECT_EQ(level.tiles % 3 + level.copies % 3, 0);
        EXPECT_LE((level.tiles + level.copies - 1) / level.copies, 40) << "more pictures than tiles";
        EXPECT_TRUE(0 < level.mark1 && level.mark1 < level.mark2 && level.mark2 < level.mark3);
        EXPECT_EQ(level.mark3, level.tiles);
        EXPECT_EQ(&LevelStore[LevelColumnOf(n)][LevelRowOf(n)], &level);
        EXPECT_EQ(LevelNumberAt(LevelColumnOf(n), LevelRowOf(n)), n);
    }
    // Level 1's size and marks are the deal's and the outcome test's; so are
    // the ratings at each mark, the next level across the first row and at the end.
    const LevelParams last = ParamsOfLevel(LevelByNumber(25));
    EXPECT_EQ(std::vector<int>({last.columns, last.rows, last.copies, last.mark1, last.mark2}),
              std::vector<int>({12, 12, 9, 39, 93}));
    EXPECT_EQ(LevelColumnOf(6) * 10 + LevelRowOf(6), 1);
    int column = -1, row = -1;  // into the last row
    ASSERT_TRUE(NextLevelOf(LevelColumnOf(20), LevelRowOf(20), column, row));
    EXPECT_EQ(LevelNumberAt(column, row), 21);
    for (int rating = 0; rating <= 3; rating++)
        EXPECT_EQ(PrizeSpriteFor(rating), 14 - rating);
}

// Plays campaign level n: `triples` removals, then the board rises to the top.
void PlayCampaign(int n, int triples)
{
    ASSERT_TRUE(Deal(ModeCampaign, n, 42));
    for (int i = 0; i < triples && Game.playRunning; i++)
        ASSERT_TRUE(RemoveOneTriple());
    if (Game.playRunning) {
        ASSERT_GT(RunUntilEnd(), 0);
    }
}

TEST(Outcome, RatingsBestUnlockingAndTheCellsToRedraw)
{
    PrepareBoard();
    const struct {
        int level, triples, result, best;
        std::vector<int> redraw;  // level numbers, in order
        bool hasNext, opened;
    } plays[] = {
        {1, 2, 0, 0, {}, false, false},
        {1, 3, 1, 1, {1, 2}, true, true},
        {1, 6, 2, 2, {1}, true, false},
        {1, 3, 1, 2, {}, true, false},  // the best is never lowered
        {1, 0, 0, 2, {}, false, false},  // and level 2 stays open
        {5, 6, 1, 1, {5, 6}, true, true},  // across a row
        {25, 13, 1, 1, {25}, false, false},
    };
    for (const auto& p : plays) {
        SCOPED_TRACE(p.level * 100 + p.triples);
        PlayCampaign(p.level, p.triples);
        EXPECT_FALSE(Game.playRunning);
        EXPECT_EQ(Game.result, p.result);
        EXPECT_TRUE(LastOutcome.campaign);
        EXPECT_EQ(LastOutcome.result, p.result);
        EXPECT_EQ(LastOutcome.tilesCleared, 3 * p.triples);
        EXPECT_EQ(LevelByNumber(p.level).best, p.best);
        std::vector<int> redraw;
        for (int i = 0; i < LastOutcome.redrawCount; i++)
            redraw.push_back(LevelNumberAt(LastOutcome.redrawColumn[i], LastOutcome.redrawRow[i]));
        EXPECT_EQ(redraw, p.redraw);
        EXPECT_EQ(LastOutcome.hasNextLevel, p.hasNext);
        EXPECT_EQ(LastOutcome.nextLevelOpened, p.opened);
    }
    for (int n = 1; n <= 25; n++)
        EXPECT_EQ(LevelByNumber(n).locked, n == 1 || n == 2 || n == 6 ? 0 : 1) << n;
    EXPECT_EQ(CountLevelsWithStars(), 3);

    // The last triple ends the level in the click that removes it.
    ASSERT_TRUE(Deal(ModeCampaign, 1, 7));
    for (int i = 0; i < 11; i++)
        ASSERT_TRUE(RemoveOneTriple());
    EXPECT_EQ(Game.prizeSprite, 12);
    ClickResult last = ClickNothing;
    for (int x = 0; x < Game.columns; x++)
        for (int y = 0; y < Game.rows; y++)
            if (CellAt(x, y).picture != 0)
                last = ClickCell(x, y);
    EXPECT_EQ(last, ClickLevelEnded);
    EXPECT_FALSE(Game.playRunning || Game.falling);
    EXPECT_EQ(Game.result, 3);
    EXPECT_EQ(Game.prizeSprite, 11);
    EXPECT_EQ(LevelByNumber(1).best, 3);
    EXPECT_EQ(Game.selection.count, 3);  // kept until the next level start
}

TEST(Outcome, QuickGamesAreRatedAndTheTwentyFifthStarCompletesTheGame)
{
    PrepareBoard(1024, 768);
    for (int triples : {72, 73}) {
        ASSERT_TRUE(Deal(ModeInsane, 0, 3));
        for (int i = 0; i < triples; i++)
            ASSERT_TRUE(RemoveOneTriple());
        ASSERT_GT(RunUntilEnd(), 0);
        EXPECT_FALSE(LastOutcome.campaign || LastOutcome.hasNextLevel);
        EXPECT_EQ(LastOutcome.mode, ModeInsane);
        EXPECT_EQ(LastOutcome.result, triples == 72 ? 1 : 2);
        EXPECT_EQ(LastOutcome.redrawCount, 0);
    }
    EXPECT_EQ(CountLevelsWithStars(), 0);
    EXPECT_EQ(LevelByNumber(2).locked, 1);

    PrepareBoard();
    for (int n = 1; n <= 25; n++) {
        LevelByNumber(n).locked = 0;
        LevelByNumber(n).best = n == 13 ? 0 : 1 + n % 2;
    }
    PlayCampaign(13, 13);  // 39 cleared: below mark 1 (42)
    EXPECT_EQ(Game.result, 0);
    EXPECT_FALSE(GameCompleteDue(0));
    PlayCampaign(13, 14);
    EXPECT_EQ(Game.result, 1);
    EXPECT_EQ(CountLevelsWithStars(), 25);
    EXPECT_TRUE(GameCompleteDue(0));
    EXPECT_FALSE(GameCompleteDue(1));
}

}  // namespace
