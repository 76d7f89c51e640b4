// Without a mouse, in the real game: every menu and level 1 by keyboard or
// virtual controller alone, held directions, the mouse taking the focus back.
#include "flow/steering.h"
#include <gtest/gtest.h>

#include "assets/asset_numbers.h"
#include "display/layout.h"
#include "harness.h"
#include "support/support.h"
#include "screens/overlays.h"
#include "screens/quick_game.h"

namespace {

enum Input { Up, Down, Left, Right, Choose, Back, Pause };
constexpr int Keys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeyReturn, KeyEscape, KeyEscape};
constexpr int ChooseKeys[] = {KeyReturn, KeySpace, KeyPadEnter};
constexpr int Pads[] = {PadUp, PadDown, PadLeft, PadRight, PadA, PadB, PadStart};

// One step of a walk: an input pressed `times` times, then the state reached
// once its panel rests, the area focused there (-1: not checked) and,
// optionally, a value it left.
struct Step {
    Input input;
    int times;
    int state;
    int focused;
    const int* value = nullptr;
    int expected = 0;
};

const Step MenuWalk[] = {
    {Down, 1, StateMainMenu, 1}, {Down, 3, StateMainMenu, 4},  // the first press only shows the focus
    {Choose, 1, StateHelp, 1}, {Choose, 1, StateMainMenu, 1},  // help: its close badge
    {Up, 2, StateMainMenu, 5}, {Choose, 1, StateCredits, 1}, {Back, 1, StateMainMenu, 1},  // round past the top
    {Up, 1, StateMainMenu, 6}, {Choose, 1, StateQuitConfirm, 1}, {Right, 1, StateQuitConfirm, 2},  // yes, then no
    {Choose, 1, StateMainMenu, 1}, {Down, 1, StateMainMenu, 2}, {Choose, 1, StateQuickGame, 1},
    {Up, 1, StateQuickGame, 5}, {Choose, 1, StateMainMenu, 1},  // round to the close badge
    {Down, 2, StateMainMenu, 3}, {Choose, 1, StateSettings, 1}, {Down, 1, StateSettings, 2},
    {Right, 1, StateSettings, 2, &Pending.music, 0}, {Down, 2, StateSettings, 4},
    {Left, 1, StateSettings, 4, &Pending.screenMode, ScreenFullscreen},
    {Down, 1, StateSettings, 6}, {Right, 1, StateSettings, 7},  // the resolution row is disabled now
    {Choose, 1, StateMainMenu, 1, &Prefs.music, 1},  // cancelled
    {Choose, 1, StateLevelSelect, 2}, {Right, 1, StateLevelSelect, 3},  // level 1's cell, level 2's
    {Down, 1, StateLevelSelect, 8},  // level 7, under level 2
    {Up, 2, StateLevelSelect, 1},    // level 2, then the close badge above the grid
    {Down, 1, StateLevelSelect, 6},  // the cell under the badge: level 5
    {Left, 4, StateLevelSelect, 2}, {Choose, 1, StatePlay, -1},
};

const Step AfterLevelTwo[] = {
    {Up, 1, StateLevelFinished, 3},  // from RETRY round to MENU: NEXT cannot be chosen
    {Choose, 1, StateGameComplete, 1}, {Choose, 1, StateMainMenu, 1}, {Down, 1, StateMainMenu, 2},
    {Choose, 1, StateQuickGame, 1}, {Choose, 1, StatePlay, -1},  // EASY
    {Pause, 1, StateInGameMenu, 1}, {Down, 2, StateInGameMenu, 3}, {Choose, 1, StateLeaveConfirm, 1},
    {Right, 1, StateLeaveConfirm, 2}, {Choose, 1, StateInGameMenu, 1}, {Pause, 1, StatePlay, -1},
};

class WithoutMouse : public ::testing::TestWithParam<bool> {  // true: a controller
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartTestGame(MakeGameFolder(WindowedPreferences(0))));
        if (GetParam()) {
            pad = attachVirtualController();
            ASSERT_NE(pad, 0);
        }
        ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    }
    void TearDown() override
    {
        if (pad)
            detachVirtualController(pad);
        StopTestGame();
    }

    void Hold(Input input, bool down)
    {
        if (pad)
            setVirtualControllerButton(pad, Pads[input], down);
        else
            injectKey(input == Choose ? ChooseKeys[chosen % 3] : Keys[input], down);
        RunOnePass();
    }
    void Press(Input input, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            Hold(input, true);
            Hold(input, false);
            chosen += input == Choose;
        }
    }
    // Each step's input on a panel at rest, then its state must be reached.
    template <size_t N>
    void Walk(const Step (&steps)[N])
    {
        for (const Step& step : steps) {
            SCOPED_TRACE(&step - steps);
            Settle();
            Press(step.input, step.times);
            ASSERT_TRUE(RunUntilState(step.state, 300));
            Settle();
            if (step.focused >= 0) {
                EXPECT_EQ(FocusedArea(), step.focused);
            }
            if (step.value) {
                EXPECT_EQ(*step.value, step.expected);
            }
        }
    }
    // The tile cursor's area as drawn, the cursor shown or not: the frozen
    // board under a panel at rest looks the same either way.
    static std::vector<uint32_t> CursorArea(bool shown)
    {
        Game.cursorShown = shown;
        RunOnePass();
        EXPECT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
        std::vector<uint32_t> pixels;
        for (int y = CursorTop() - TileSize / 8; y < CursorTop() + TileSize * 9 / 8; ++y)
            for (int x = CursorLeft() - TileSize / 8; x < CursorLeft() + TileSize * 9 / 8; ++x)
                pixels.push_back(spritePixel(SpriteScreenshot, x, y));
        return pixels;
    }
    static void ExpectNoCursorUnderPanel()
    {
        Settle();
        Game.cursorColumn = 0;  // clear of the centred panel
        const std::vector<uint32_t> hidden = CursorArea(false);
        EXPECT_TRUE(CursorArea(true) == hidden) << "the tile cursor is drawn under " << ScreenState;
    }
    // Triples of visible tiles picked with the tile cursor, as a player would.
    void ClearWithCursor()
    {
        for (int guard = 0; guard < 400 && !Game.cursorShown; ++guard)
            Press(Down);  // no row within reach yet, then the cursor shows
        for (int guard = 0; guard < 5000 && ScreenState == StatePlay; ++guard) {
            const std::vector<int> triple = Game.falling ? std::vector<int>() : VisibleTriple();
            if (triple.empty())
                RunOnePass();
            for (int cell : triple) {
                const int column = cell / Game.rows;
                const int row = cell % Game.rows;
                Press(column > Game.cursorColumn ? Right : Left, std::abs(column - Game.cursorColumn));
                Press(row > Game.cursorRow ? Down : Up, std::abs(row - Game.cursorRow));
                Press(Choose);
            }
        }
    }

    int pad = 0;
    int chosen = 0;
};

INSTANTIATE_TEST_SUITE_P(KeyboardOrController, WithoutMouse, ::testing::Bool());

TEST_P(WithoutMouse, EveryMenuAndLevelOneWithThreeStars)
{
    for (int n = 2; n <= 25; ++n) {
        LevelByNumber(n).best = 1;  // level 1 will be the 25th with a star
        LevelByNumber(n).locked = 0;
    }
    Walk(MenuWalk);
    ClearWithCursor();
    ASSERT_EQ(ScreenState, StateLevelFinished);
    ExpectNoCursorUnderPanel();
    EXPECT_EQ(Game.result, 3);
    EXPECT_EQ(LevelByNumber(1).best, 3);
    Walk({{Choose, 1, StatePlay, -1, &Game.levelColumn, 1}});  // NEXT, then level 2 is lost
    ASSERT_TRUE(RunUntilState(StateLevelFinished, 5000));  // the board reaches the top
    ASSERT_EQ(Game.result, 0);
    Walk(AfterLevelTwo);
    // Escape or B while the finished panel slides in: the main menu at once.
    ASSERT_TRUE(RunUntilState(StateQuickFinished, 5000));
    Press(Back);
    Walk({{Down, 1, StateMainMenu, 2}});
    Press(Choose);
    ASSERT_TRUE(RunUntilState(StateQuickGame, 40));
    EXPECT_EQ(QuickGameButtons[1].sprite, QuickGameStripBase + 1) << "EASY, chosen last, is not highlighted";
    Walk({{Choose, 1, StatePlay, -1}});
    ASSERT_TRUE(RunUntilState(StateQuickFinished, 5000));
    Settle();
    for (int i = 1; i <= 2; ++i)
        EXPECT_EQ(QuickFinishedButtons[i].y, QuickFinishedButtons[i].hitTop + 1) << "strip off its row: " << i;
    Walk({{Down, 1, StateQuickFinished, 2}, {Choose, 1, StateMainMenu, 1}});
}

TEST_P(WithoutMouse, AHeldDirectionRepeatsAndTheMouseTakesTheFocusBack)
{
    RunPasses(26);
    Press(Down);
    ASSERT_EQ(FocusedArea(), 1);
    if (pad)
        setVirtualControllerStick(pad, 0, 30000);
    else
        injectKey(KeyDown, true);
    RunPasses(18);
    EXPECT_EQ(FocusedArea(), 2);
    RunPasses(1);
    EXPECT_EQ(FocusedArea(), 3);
    RunPasses(18);
    EXPECT_EQ(FocusedArea(), 6);
    if (pad)
        setVirtualControllerStick(pad, 0, 9000);  // back within the dead zone
    else
        injectKey(KeyDown, false);
    RunPasses(30);
    EXPECT_EQ(FocusedArea(), 6);

    // The mouse takes the focus back, and the keys start where it points.
    const ButtonRecord& settings = MainMenuButtons[3];
    PointAt(CentreX(settings), CentreY(settings));
    EXPECT_EQ(FocusedArea(), 0);
    EXPECT_EQ(MainMenuChoice, 3);
    Press(Down);
    EXPECT_EQ(FocusedArea(), 3);
    Press(Down);
    ASSERT_EQ(FocusedArea(), 4);
    // A click where the mouse still is acts there, not on the focus.
    ClickAt(CentreX(settings), CentreY(settings));
    ASSERT_TRUE(RunUntilState(StateSettings, 60));

    Settle();
    TapKey(KeyEscape);
    ASSERT_TRUE(PlayCampaignLevel(1));
    for (int guard = 0; guard < 400 && !Game.cursorShown; ++guard)
        Press(Up);
    Press(Pause);
    ASSERT_TRUE(RunUntilState(StateInGameMenu, 40));
    ExpectNoCursorUnderPanel();
    Press(Pause);
    ASSERT_TRUE(RunUntilState(StatePlay, 40));
    ASSERT_TRUE(Game.cursorShown);
    PointAt(10, 10);
    EXPECT_FALSE(Game.cursorShown);
}

}  // namespace
