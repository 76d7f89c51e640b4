// The end of a level: rating, best, the next level, the report to the flow.
#include <gtest/gtest.h>

#include "board_support.h"

namespace {

// Plays campaign level n: `triples` removals, then the board rises to the
// top (unless the removals cleared it).
void PlayCampaign(int n, int triples, uint64_t seed = 42)
{
    ASSERT_TRUE(StartCampaignLevel(n, seed));
    for (int i = 0; i < triples && Game.playRunning; i++) ASSERT_TRUE(RemoveOneTriple());
    if (Game.playRunning) {
        ASSERT_GT(RunUntilEnd(), 0);
    }
    ASSERT_FALSE(Game.playRunning);
}

TEST(Outcome, LevelOneRatings)
{
    PrepareBoard();
    PlayCampaign(1, 2);
    EXPECT_EQ(Game.result, 0);
    EXPECT_TRUE(LastOutcome.campaign);
    EXPECT_EQ(LastOutcome.result, 0);
    EXPECT_EQ(LastOutcome.tilesCleared, 6);
    EXPECT_FALSE(LastOutcome.hasNextLevel);
    EXPECT_EQ(LastOutcome.redrawCount, 0);
    EXPECT_EQ(LevelByNumber(1).best, 0);
    EXPECT_EQ(LevelByNumber(2).locked, 1);

    PlayCampaign(1, 3);
    EXPECT_EQ(Game.result, 1);
    EXPECT_EQ(LevelByNumber(1).best, 1);
    EXPECT_EQ(LevelByNumber(2).locked, 0);
    EXPECT_TRUE(LastOutcome.hasNextLevel);
    EXPECT_TRUE(LastOutcome.nextLevelOpened);
    ASSERT_EQ(LastOutcome.redrawCount, 2);  // the played level, then the next
    EXPECT_EQ(LevelNumberAt(LastOutcome.redrawColumn[0], LastOutcome.redrawRow[0]), 1);
    EXPECT_EQ(LevelNumberAt(LastOutcome.redrawColumn[1], LastOutcome.redrawRow[1]), 2);

    PlayCampaign(1, 6);
    EXPECT_EQ(Game.result, 2);
    EXPECT_EQ(LevelByNumber(1).best, 2);
    EXPECT_FALSE(LastOutcome.nextLevelOpened);
    ASSERT_EQ(LastOutcome.redrawCount, 1);
    EXPECT_EQ(LevelNumberAt(LastOutcome.redrawColumn[0], LastOutcome.redrawRow[0]), 1);
}

TEST(Outcome, TheLastTripleEndsTheLevelInTheSameClick)
{
    PrepareBoard();
    ASSERT_TRUE(StartCampaignLevel(1, 7));
    for (int i = 0; i < 11; i++) ASSERT_TRUE(RemoveOneTriple());
    ASSERT_TRUE(Game.playRunning);
    ASSERT_EQ(TilesOnBoard(), 3);
    ClickResult last = ClickNothing;
    for (int x = 0; x < Game.columns; x++)
        for (int y = 0; y < Game.rows; y++)
            if (CellAt(x, y).picture != 0) last = ClickCell(x, y);
    EXPECT_EQ(last, ClickLevelEnded);
    EXPECT_FALSE(Game.playRunning);
    EXPECT_EQ(Game.tilesCleared, 36);
    EXPECT_EQ(Game.result, 3);
    EXPECT_EQ(Game.prizeSprite, 11);
    EXPECT_EQ(LevelByNumber(1).best, 3);
    EXPECT_FALSE(Game.falling);
    EXPECT_EQ(Game.selection.count, 3);  // kept until the next level start
    EXPECT_EQ(TilesOnBoard(), 0);
}

TEST(Outcome, BestIsNeverLoweredAndLevelsNeverLockAgain)
{
    PrepareBoard();
    LevelByNumber(1).best = 3;
    LevelByNumber(2).locked = 0;
    PlayCampaign(1, 3);
    EXPECT_EQ(Game.result, 1);
    EXPECT_EQ(LevelByNumber(1).best, 3);
    EXPECT_EQ(LastOutcome.redrawCount, 0);
    PlayCampaign(1, 0);
    EXPECT_EQ(Game.result, 0);
    EXPECT_EQ(LevelByNumber(2).locked, 0);
}

TEST(Outcome, NextLevelAcrossARowAndAfterTheLast)
{
    PrepareBoard();
    PlayCampaign(5, 6);  // 18 cleared: mark 1 of level 5
    EXPECT_EQ(Game.result, 1);
    EXPECT_EQ(LevelByNumber(6).locked, 0);
    ASSERT_EQ(LastOutcome.redrawCount, 2);
    EXPECT_EQ(LastOutcome.redrawColumn[1], 0);
    EXPECT_EQ(LastOutcome.redrawRow[1], 1);

    PlayCampaign(25, 13);  // 39 cleared: mark 1 of level 25
    EXPECT_EQ(Game.result, 1);
    EXPECT_FALSE(LastOutcome.hasNextLevel);
    EXPECT_FALSE(LastOutcome.nextLevelOpened);
    ASSERT_EQ(LastOutcome.redrawCount, 1);
    EXPECT_EQ(LevelNumberAt(LastOutcome.redrawColumn[0], LastOutcome.redrawRow[0]), 25);
    for (int n = 2; n <= 25; n++)
        if (n != 6) {
            EXPECT_EQ(LevelByNumber(n).locked, 1) << n;
        }
}

TEST(Outcome, QuickGamesAreRatedAndLeaveTheCampaignAlone)
{
    PrepareBoard(1024, 768);
    ASSERT_TRUE(StartQuickGame(ModeInsane, 3));
    for (int i = 0; i < 72; i++) ASSERT_TRUE(RemoveOneTriple());
    ASSERT_GT(RunUntilEnd(), 0);
    EXPECT_FALSE(LastOutcome.campaign);
    EXPECT_EQ(LastOutcome.mode, ModeInsane);
    EXPECT_EQ(LastOutcome.tilesCleared, 216);
    EXPECT_EQ(LastOutcome.result, 1);
    EXPECT_EQ(LastOutcome.redrawCount, 0);
    EXPECT_FALSE(LastOutcome.hasNextLevel);

    ASSERT_TRUE(StartQuickGame(ModeInsane, 4));
    for (int i = 0; i < 73; i++) ASSERT_TRUE(RemoveOneTriple());
    ASSERT_GT(RunUntilEnd(), 0);
    EXPECT_EQ(LastOutcome.tilesCleared, 219);
    EXPECT_EQ(LastOutcome.result, 2);
    EXPECT_EQ(CountLevelsWithStars(), 0);
    EXPECT_EQ(LevelByNumber(2).locked, 1);
}

TEST(Outcome, TheTwentyFifthStarMakesTheGameComplete)
{
    PrepareBoard();
    for (int n = 1; n <= 25; n++) {
        LevelByNumber(n).locked = 0;
        if (n != 13) LevelByNumber(n).best = 2;
    }
    PlayCampaign(13, 13);  // 39 cleared: below mark 1 (42)
    EXPECT_EQ(Game.result, 0);
    EXPECT_FALSE(GameCompleteDue(0));
    PlayCampaign(13, 14);  // 42 cleared
    EXPECT_EQ(Game.result, 1);
    EXPECT_EQ(CountLevelsWithStars(), 25);
    EXPECT_TRUE(GameCompleteDue(0));
    EXPECT_FALSE(GameCompleteDue(1));
}

} // namespace
