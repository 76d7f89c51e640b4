// Level select and quick game: which clicks start a game, cell patches that
// touch only their cell, and Escape after an earlier game.
#include "menu_fixture.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "screens/level_select.h"

namespace {

class LevelSelectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMenus();
        OpenScreen(LevelSelectPanel, StateLevelSelect);
    }

    static void OpenScreen(Panel& panel, int state)
    {
        panel.slide = 25;
        ScreenState = state;
        RunLogic(25);
    }

    static int CellCentreX(const LevelRecord& level) { return (level.hitLeft + level.hitRight) / 2; }
    static int CellCentreY(const LevelRecord& level) { return (level.hitTop + level.hitBottom) / 2; }
};

TEST_F(LevelSelectTest, CellsLieOnTheGridInsideThePanel)
{
    const LevelRecord& first = LevelStore[0][0];
    const LevelRecord& last = LevelStore[4][4];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(LevelStore[2][1].number, 8);
    EXPECT_EQ(last.number, 25);
    const int restingY = LevelSelectPanel.y;
    EXPECT_GT(first.hitLeft, LevelSelectPanel.x);
    EXPECT_GE(first.hitTop, restingY - 1);
    EXPECT_LT(last.hitRight, LevelSelectPanel.x + LevelSelectPanel.width);
    EXPECT_LT(last.hitBottom, restingY + LevelSelectPanel.height);
    // Neighbouring cells do not overlap: design gap 27 (columns), 22 (rows).
    EXPECT_LT(LevelStore[0][0].hitRight, LevelStore[1][0].hitLeft);
    EXPECT_LT(LevelStore[0][0].hitBottom, LevelStore[0][1].hitTop);
}

TEST_F(LevelSelectTest, CellsShowTheLockOrTheNumberWithTheStarsOfTheBestRating)
{
    // Fresh progress: level 1 open and unrated, every other level locked.
    int width = 0, height = 0;
    std::vector<uint32_t> pixels = DesignPixels(SpriteLevelSelect, width, height);
    auto at = [&](int column, int row, int dx, int dy) {
        return pixels[static_cast<size_t>(LevelCellY(row) + dy) * width + LevelCellX(column) + dx];
    };
    EXPECT_EQ(at(0, 0, 4, 150), StarColours[0]);
    EXPECT_EQ(at(0, 0, 4, 4), PaperColour) << "no lock on an open level";
    EXPECT_EQ(at(1, 0, 4, 150), LockColour);
    EXPECT_EQ(at(4, 4, 100, 100), LockColour);

    // Ratings 1 to 3 on levels 2 to 4, and a value outside 0..3 on level 5.
    for (int c = 1; c <= 4; ++c) {
        LevelStore[c][0].locked = 0;
        LevelStore[c][0].best = static_cast<uint8_t>(c == 4 ? 7 : c);
    }
    BuildLevelSelectPanel();
    pixels = DesignPixels(SpriteLevelSelect, width, height);
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(at(c, 0, 4, 150), StarColours[c]) << "rating " << c;
    EXPECT_EQ(at(4, 0, 4, 150), PaperColour) << "no picture for an unknown rating";
    ResetMenus(true);
}

TEST_F(LevelSelectTest, OnlyAnOpenCellStartsALevelAndALockedOneLeavesThePanelStill)
{
    LevelRecord& second = LevelStore[1][0];
    ASSERT_TRUE(second.locked);
    ClickAt(CellCentreX(second), CellCentreY(second));
    EXPECT_EQ(LevelSelectPanel.slide, 0);
    EXPECT_FALSE(Game.levelChosen);

    // Strictly inside only: the cell's own edge is not the cell.
    const LevelRecord& first = LevelStore[0][0];
    ClickAt(first.hitLeft, CellCentreY(first));
    EXPECT_EQ(LevelSelectPanel.slide, 0);

    Game.mode = ModeHard;
    ClickAt(CellCentreX(first), CellCentreY(first));
    EXPECT_EQ(LevelSelectPanel.slide, -25);
    EXPECT_TRUE(Game.levelChosen);
    EXPECT_EQ(Game.mode, ModeCampaign);
    EXPECT_EQ(Game.levelColumn, 0);
    EXPECT_EQ(Game.levelRow, 0);
}

TEST_F(LevelSelectTest, EscapeAfterAnEarlierGameReturnsToTheMenuAndStartsNothing)
{
    // As left by a level played before.
    Game.levelChosen = true;
    Game.levelColumn = 0;
    Game.levelRow = 0;
    EscapeCurrentState();
    EXPECT_EQ(LevelSelectPanel.slide, -25);
    EscapeCurrentState();
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_FALSE(Game.levelChosen);
    EXPECT_EQ(MainMenuPanel.slide, 25);
    EXPECT_EQ(LevelSelectPanel.y, TestScreenHeight + 1);

    // The same through the quick game.
    ResetMenus();
    OpenScreen(QuickGamePanel, StateQuickGame);
    Game.levelChosen = true;
    EscapeCurrentState();
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_FALSE(Game.levelChosen);
}

TEST_F(LevelSelectTest, RedrawLevelCellChangesOnlyThatCell)
{
    const int column = 2, row = 0;  // level 3, locked after a fresh start
    LevelRecord& level = LevelStore[column][row];
    ASSERT_TRUE(level.locked);
    const int shownWidth = spriteWidth(SpriteLevelSelect);
    const int shownHeight = spriteHeight(SpriteLevelSelect);
    int width = 0, height = 0;
    const std::vector<uint32_t> before = DesignPixels(SpriteLevelSelect, width, height);
    ASSERT_EQ(width, 1272);
    ASSERT_EQ(before[static_cast<size_t>(LevelCellY(row) + 10) * width + LevelCellX(column) + 10], LockColour);

    level.locked = 0;
    level.best = 2;
    RedrawLevelCell(column, row);
    EXPECT_EQ(spriteWidth(SpriteLevelSelect), shownWidth) << "zoomed back to its screen size";
    EXPECT_EQ(spriteHeight(SpriteLevelSelect), shownHeight);

    const std::vector<uint32_t> after = DesignPixels(SpriteLevelSelect, width, height);
    int changedInside = 0, changedOutside = 0;
    const int left = LevelCellX(column), top = LevelCellY(row);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (before[i] == after[i])
                continue;
            const bool inside = x >= left && x < left + LevelCellSize && y >= top && y < top + LevelCellSize;
            ++(inside ? changedInside : changedOutside);
        }
    }
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(changedInside, 1000);
    // The lock is gone: the table shows at the top, the star below.
    EXPECT_EQ(after[static_cast<size_t>(top + 4) * width + left + 4], TableColour);
    EXPECT_EQ(after[static_cast<size_t>(top + 150) * width + left + 4], StarColours[2]);
    // The number is written in the text colour near the cell's top centre.
    int numberPixels = 0;
    for (int y = top + 24; y < top + 96; ++y) {
        for (int x = left + 60; x < left + 132; ++x)
            numberPixels += after[static_cast<size_t>(y) * width + x] != TableColour;
    }
    EXPECT_GT(numberPixels, 50);
    ResetMenus(true);
}

TEST_F(LevelSelectTest, QuickGameStartsTheHoveredDifficultyOrCloses)
{
    ResetMenus();
    OpenScreen(QuickGamePanel, StateQuickGame);
    EXPECT_EQ(QuickGamePanel.width, MainMenuPanel.width);
    const ButtonRecord& hard = QuickGameButtons[3];
    ClickAt(CentreXOf(hard), CentreYOf(hard));
    EXPECT_EQ(QuickGameChoice, 3);
    EXPECT_EQ(QuickGamePanel.slide, -25);
    EXPECT_TRUE(Game.levelChosen);
    EXPECT_EQ(Game.mode, ModeHard);

    ResetMenus();
    OpenScreen(QuickGamePanel, StateQuickGame);
    Game.levelChosen = true;
    const ButtonRecord& close = QuickGameButtons[5];
    ClickAt(CentreXOf(close), CentreYOf(close));
    EXPECT_EQ(QuickGameChoice, 0) << "the close area has no hover";
    EXPECT_FALSE(Game.levelChosen);
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);

    // Between the strips nothing is chosen and nothing moves.
    ResetMenus();
    OpenScreen(QuickGamePanel, StateQuickGame);
    ClickAt(CentreXOf(hard), (QuickGameButtons[2].hitBottom + QuickGameButtons[3].hitTop) / 2);
    EXPECT_EQ(QuickGamePanel.slide, 0);
}

}  // namespace
