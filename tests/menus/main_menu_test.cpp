// The title intro and the main menu: timing of the intro, hit ranges that
// follow the texts, clicks that miss, Escape, and the choices' targets.
#include "menu_fixture.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "language/text_table.h"
#include "settings/preferences.h"

namespace {

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMenus(); }
};

TEST_F(MainMenuTest, IntroHoldsHundredFramesShrinksForTwentyFiveAndRestsInTheNext)
{
    BuildMainMenuPanel();
    ResetTitleIntro();
    ScreenState = StateTitleIntro;
    const int startLogoY = LogoY;
    const int startPanelY = MainMenuPanel.y;
    const int relativeTop = MainMenuButtons[1].hitTop;
    ASSERT_EQ(startPanelY, TestScreenHeight + 1);
    ASSERT_EQ(spriteWidth(SpriteLogo), TestScreenWidth / 100 * 50);
    EXPECT_EQ(LogoX, TestScreenWidth / 2 - spriteWidth(SpriteLogo) / 2);

    RunLogic(100);
    EXPECT_EQ(LogoScale, 50);
    EXPECT_EQ(LogoY, startLogoY);
    EXPECT_EQ(MainMenuPanel.y, startPanelY);

    RunLogic(25);
    EXPECT_EQ(ScreenState, StateTitleIntro);
    EXPECT_EQ(LogoScale, 25);
    EXPECT_EQ(LogoY, startLogoY - 25 * LogoStep);
    EXPECT_EQ(spriteWidth(SpriteLogo), TestScreenWidth / 100 * 25);
    // 400 x 100 logo: a quarter as high as wide.
    EXPECT_EQ(spriteHeight(SpriteLogo), TestScreenWidth / 100 * 25 / 4);
    EXPECT_EQ(LogoX, TestScreenWidth / 2 - spriteWidth(SpriteLogo) / 2);
    EXPECT_EQ(MainMenuPanel.y, startPanelY - 25 * MainMenuPanel.step);
    EXPECT_EQ(MainMenuButtons[1].y, MainMenuPanel.y + relativeTop);
    EXPECT_EQ(MainMenuButtons[1].hitTop, relativeTop) << "still relative before the 126th frame";

    RunLogic(1);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_EQ(FrameCounter, 0);
    EXPECT_EQ(MainMenuPanel.slide, 0);
    EXPECT_EQ(MainMenuButtons[1].hitTop, relativeTop + MainMenuPanel.y);
    EXPECT_EQ(MainMenuButtons[1].hitTop, MainMenuButtons[1].y) << "hit rectangle lies on its strip";
    EXPECT_LT(MainMenuButtons[6].hitBottom, TestScreenHeight);
}

TEST_F(MainMenuTest, HitRangesFollowTheTextsAndGapsHitNothing)
{
    for (int i = 1; i <= 6; ++i) {
        const ButtonRecord& b = MainMenuButtons[i];
        EXPECT_GT(b.hitLeft, MainMenuPanel.x) << i;
        EXPECT_LT(b.hitRight, MainMenuPanel.x + MainMenuPanel.width) << i;
        EXPECT_NEAR(b.hitLeft + b.hitRight, 2 * MainMenuPanel.x + MainMenuPanel.width, 2) << "centred " << i;
    }
    // "Quick Game" is a longer text than "Play": its hit range is wider.
    const int playWidth = MainMenuButtons[1].hitRight - MainMenuButtons[1].hitLeft;
    const int quickWidth = MainMenuButtons[2].hitRight - MainMenuButtons[2].hitLeft;
    EXPECT_GT(quickWidth, playWidth + 20);

    const ButtonRecord& play = MainMenuButtons[1];
    const ButtonRecord& quick = MainMenuButtons[2];
    const int centreX = (play.hitLeft + play.hitRight) / 2;
    ASSERT_LT(play.hitBottom + 1, quick.hitTop);
    // The gap between two strips, the strip beside its text, and the edges.
    const int misses[][2] = {{centreX, (play.hitBottom + quick.hitTop) / 2},
                             {play.hitLeft - 2, (play.hitTop + play.hitBottom) / 2},
                             {play.hitRight, (play.hitTop + play.hitBottom) / 2},
                             {centreX, play.hitTop}};
    for (const auto& miss : misses) {
        ClickAt(miss[0], miss[1]);
        EXPECT_EQ(MainMenuChoice, 0) << miss[0] << "," << miss[1];
        EXPECT_EQ(MainMenuPanel.slide, 0);
    }
    PointAt(centreX, (quick.hitTop + quick.hitBottom) / 2);
    EXPECT_EQ(MainMenuChoice, 2);
    EXPECT_NE(MainMenuButtons[2].sprite, MainMenuButtons[1].sprite);
    const int hoverSprite = MainMenuButtons[2].sprite;
    PointAt(centreX, (play.hitTop + play.hitBottom) / 2);
    EXPECT_EQ(MainMenuChoice, 1);
    EXPECT_NE(MainMenuButtons[2].sprite, hoverSprite) << "the strip left behind turns normal";
    PointAt(5, 5);
    EXPECT_EQ(MainMenuChoice, 0);
}

TEST_F(MainMenuTest, EscapeEndsTheGameWithoutTheConfirmation)
{
    EscapeCurrentState();
    EXPECT_EQ(QuitFlag, 1);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_EQ(MainMenuPanel.slide, 0);
}

TEST_F(MainMenuTest, EveryChoiceSlidesOutAndOpensItsScreenSlidingIn)
{
    struct Target {
        int choice;
        int state;
        Panel* panel;
    };
    const Target targets[] = {{1, StateLevelSelect, &LevelSelectPanel}, {2, StateQuickGame, &QuickGamePanel},
                              {3, StateSettings, &SettingsPanel},       {4, StateHelp, &HelpPanel},
                              {5, StateCredits, &CreditsPanel},         {6, StateQuitConfirm, &QuitPanel}};
    for (const Target& target : targets) {
        ResetMenus();
        Game.levelColumn = 3;
        Game.levelRow = 4;
        QuitChoice = 2;
        const ButtonRecord& b = MainMenuButtons[target.choice];
        ClickAt(CentreXOf(b), CentreYOf(b));
        ASSERT_EQ(MainMenuPanel.slide, -25) << target.choice;
        RunLogic(24);
        EXPECT_EQ(ScreenState, StateMainMenu) << "the screen changes only when the slide ends";
        RunLogic(1);
        EXPECT_EQ(ScreenState, target.state) << target.choice;
        EXPECT_EQ(target.panel->slide, 25);
        EXPECT_EQ(MainMenuChoice, 0);
        EXPECT_EQ(MainMenuPanel.y, TestScreenHeight + 1) << "back below the screen";
        if (target.choice == 1) {
            EXPECT_EQ(Game.levelColumn, 0);
            EXPECT_EQ(Game.levelRow, 0);
        }
        if (target.choice == 6) {
            EXPECT_EQ(QuitChoice, 0);
        }
    }
}

TEST_F(MainMenuTest, ClicksDuringTheSlideInDoNothing)
{
    BackToMainMenu();
    RunLogic(10);
    const ButtonRecord& b = MainMenuButtons[4];
    ClickAt(CentreXOf(b), CentreYOf(b));
    EXPECT_EQ(MainMenuChoice, 0);
    EXPECT_EQ(MainMenuPanel.slide, 15);
    RunLogic(15);
    ClickAt(CentreXOf(b), CentreYOf(b));
    EXPECT_EQ(MainMenuPanel.slide, -25);
}

}  // namespace
