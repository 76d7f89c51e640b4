// The clock of a level: rising, falling, the stop line.
#include <gtest/gtest.h>

#include "board_support.h"
#include "display/layout.h"

namespace {

constexpr int PictureC = 103;
constexpr int PictureD = 104;

TEST(Rising, AnUntouchedLevelEndsWhenTheBoardReachesTheTop)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(1, 1));
    Game.riseToggle = false;
    int zeroReachedAt = -1;
    int endedAt = -1;
    for (int frame = 1; frame <= 5000 && endedAt < 0; frame++) {
        if (UpdateBoard(Silent())) {
            endedAt = frame;
            break;
        }
        if (Game.OffsetY == 0 && zeroReachedAt < 0) zeroReachedAt = frame;
        // Every tile rides with the board.
        ASSERT_EQ(CellAt(5, 5).top, Game.OffsetY + 5 * TileSize);
    }
    EXPECT_EQ(zeroReachedAt, 2 * 1081);
    EXPECT_EQ(endedAt, 2 * 1081 + 1);
    EXPECT_EQ(Game.OffsetY, 0);
    EXPECT_FALSE(Game.playRunning);
    EXPECT_FALSE(UpdateBoard(Silent()));  // nothing moves once it has ended
    EXPECT_EQ(Game.OffsetY, 0);
}

TEST(Rising, TheRhythmCarriesAcrossLevels)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(1, 1));
    Game.riseToggle = false;
    UpdateBoard(Silent());  // this frame only flips the rhythm
    EXPECT_EQ(Game.OffsetY, 1081);
    ASSERT_TRUE(StartCampaignLevel(2, 2));
    UpdateBoard(Silent());  // so the new level rises on its first frame
    EXPECT_EQ(Game.OffsetY, 1080);
    EXPECT_EQ(RunUntilEnd(), 2 * 1080 + 1);
}

TEST(Falling, ATileAboveAGapOfTwoLandsInSixteenFrames)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(1, 5));
    CellAt(2, 4).picture = PictureC;
    CellAt(2, 5).picture = PictureC;
    CellAt(3, 5).picture = PictureC;
    int moving = CellAt(2, 3).picture;
    int topmost = CellAt(2, 0).picture;
    ClickCell(2, 4);
    ClickCell(2, 5);
    ClickCell(3, 5);
    ASSERT_EQ(CellAt(2, 3).fall, 2);
    int offsetY = Game.OffsetY;
    int step = TileSize / 8;
    for (int frame = 1; frame <= 15; frame++) {
        UpdateBoard(Silent());
        EXPECT_EQ(Game.OffsetY, offsetY);  // the board stands still
        EXPECT_TRUE(Game.falling);
        // the tile moves one step per frame, whichever cell holds it
        int row = 3 + frame / 8;
        EXPECT_EQ(CellAt(2, row).picture, moving) << frame;
        EXPECT_EQ(CellAt(2, row).top, GridTop(3) + frame * step) << frame;
    }
    UpdateBoard(Silent());
    EXPECT_FALSE(Game.falling);
    EXPECT_EQ(CellAt(2, 5).picture, moving);
    EXPECT_EQ(CellAt(2, 5).top, GridTop(5));
    EXPECT_EQ(CellAt(2, 2).picture, topmost);
    EXPECT_EQ(CellAt(2, 0).picture, 0);
    EXPECT_EQ(CellAt(2, 1).picture, 0);
    EXPECT_EQ(CellAt(3, 0).picture, 0);
    EXPECT_EQ(Game.fallFrame, 0);
    UpdateBoard(Silent());
    UpdateBoard(Silent());
    EXPECT_EQ(Game.OffsetY, offsetY - 1);  // rising again
}

TEST(Falling, AnEmptiedRowLetsTheBoardRiseOneTileFurther)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(2, 8));  // 12 x 3
    for (int x = 0; x < 12; x++) CellAt(x, 2).picture = x < 6 ? PictureC : PictureD;
    for (int x = 0; x < 12; x++) ClickCell(x, 2);
    EXPECT_EQ(Game.tilesCleared, 12);
    Game.riseToggle = false;
    EXPECT_EQ(RunUntilRest(), 8);
    EXPECT_EQ(Game.emptyRows, 1);
    EXPECT_EQ(Game.stopY, -TileSize);
    int rest = RunUntilEnd();
    EXPECT_EQ(rest, 2 * (1081 + TileSize) + 1);
    EXPECT_EQ(Game.OffsetY, -TileSize);
}

TEST(Falling, ARemovalThatDropsNothingLeavesTheStopLine)
{
    PrepareBoard(1920, 1080);
    ASSERT_TRUE(StartCampaignLevel(2, 8));
    for (int x = 0; x < 12; x++) CellAt(x, 0).picture = x < 6 ? PictureC : PictureD;
    for (int x = 0; x < 12; x++) ClickCell(x, 0);
    EXPECT_FALSE(Game.falling);
    EXPECT_EQ(Game.emptyRows, 0);
    EXPECT_EQ(Game.stopY, 0);
}

TEST(Falling, AFullColumnPacksAfterOneStep)
{
    PrepareBoard(1024, 768);
    ASSERT_TRUE(StartCampaignLevel(6, 3));  // 6 x 10
    CellAt(1, 9).picture = PictureC;
    CellAt(2, 9).picture = PictureC;
    CellAt(3, 9).picture = PictureC;
    ClickCell(1, 9);
    ClickCell(2, 9);
    ClickCell(3, 9);
    for (int y = 0; y < 9; y++) EXPECT_EQ(CellAt(1, y).fall, 1);
    EXPECT_EQ(RunUntilRest(), 8);
    EXPECT_EQ(CellAt(1, 0).picture, 0);
    for (int y = 1; y < 10; y++) EXPECT_NE(CellAt(1, y).picture, 0);
    EXPECT_EQ(Game.emptyRows, 0);
}

} // namespace
