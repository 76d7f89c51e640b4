// The quit and leave confirmations: two placements of one picture, yes at
// once for quitting, music switched once when leaving a level.
#include "menu_fixture.h"
#include "support/test_sounds.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/play_states.h"
#include "flow/state_table.h"
#include "screens/overlays.h"
#include "settings/preferences.h"

namespace {

class ConfirmTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static std::vector<uint8_t> tone = MakeToneOgg(3.0);
        ASSERT_NE(loadSound(MenuMusic, tone.data(), tone.size()), 0);
        ASSERT_NE(loadSound(SoundLevelMusic1, tone.data(), tone.size()), 0);
    }

    void SetUp() override { ResetMenus(); }

    void TearDown() override
    {
        stopSound(MenuMusic, -1);
        stopSound(SoundLevelMusic1, -1);
    }

    // A level in play, its music on, the leave panel at rest.
    static void OpenLeaveConfirm()
    {
        Game.playRunning = true;
        Game.levelMusic = SoundLevelMusic1;
        MusicChannel = playSound(SoundLevelMusic1, SoundLoop | SoundOwnChannel, 100);
        ASSERT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundPlaying);
        LeaveChoice = 0;
        LeavePanel.slide = 25;
        ScreenState = StateLeaveConfirm;
        RunLogic(25);
    }
};

TEST_F(ConfirmTest, PlacementsRestNearTheBottomAndAtTheCentre)
{
    EXPECT_EQ(QuitPanel.width, MainMenuPanel.width);
    EXPECT_EQ(LeavePanel.workSprite, QuitPanel.workSprite);
    const int quitRest = TestScreenHeight + 1 - 25 * QuitPanel.step;
    const int leaveRest = TestScreenHeight + 1 - 25 * LeavePanel.step;
    EXPECT_LE(quitRest + QuitPanel.height, TestScreenHeight + 25);
    EXPECT_GE(quitRest + QuitPanel.height, TestScreenHeight - 25);
    const int centred = TestScreenHeight / 2 - LeavePanel.height / 2;
    EXPECT_GE(leaveRest, centred);
    EXPECT_LT(leaveRest, centred + 25);
    // Each placement's answer areas come from its own reference y.
    EXPECT_EQ(QuitButtons[1].hitTop - LeaveButtons[1].hitTop, 25 * (LeavePanel.step - QuitPanel.step));
    EXPECT_EQ(QuitButtons[2].hitLeft, LeaveButtons[2].hitLeft);
    EXPECT_LT(QuitButtons[1].hitRight, QuitButtons[2].hitLeft);
}

TEST_F(ConfirmTest, QuitYesEndsAtOnceAndNoSlidesBackToTheMenu)
{
    QuitChoice = 0;
    QuitPanel.slide = 25;
    ScreenState = StateQuitConfirm;
    RunLogic(25);
    ClickAt(CentreXOf(QuitButtons[1]), CentreYOf(QuitButtons[1]));
    EXPECT_EQ(QuitFlag, 1);
    EXPECT_EQ(QuitPanel.slide, 0) << "no slide-out before the end";

    QuitFlag = 0;
    ClickAt(CentreXOf(QuitButtons[2]), CentreYOf(QuitButtons[2]));
    EXPECT_EQ(QuitFlag, 0);
    EXPECT_EQ(QuitPanel.slide, -25);
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);
}

TEST_F(ConfirmTest, LeaveNoGoesBackToTheInGameMenuWithTheMusicPlaying)
{
    OpenLeaveConfirm();
    const int channel = MusicChannel;
    ClickAt(CentreXOf(LeaveButtons[2]), CentreYOf(LeaveButtons[2]));
    EXPECT_EQ(LeaveConfirmed, 0);
    EXPECT_EQ(LeavePanel.slide, -25);
    EXPECT_TRUE(Game.playRunning);
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateInGameMenu);
    EXPECT_EQ(InGameMenuPanel.slide, 25);
    EXPECT_EQ(InGameChoice, 0);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, channel), SoundPlaying);

    // Escape is the same answer.
    ResetMenus();
    OpenLeaveConfirm();
    LeaveConfirmed = 1;
    EscapeCurrentState();
    EXPECT_EQ(LeaveConfirmed, 0);
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateInGameMenu);
}

TEST_F(ConfirmTest, LeaveYesDoubleClickedStartsTheMenuMusicOnce)
{
    OpenLeaveConfirm();
    const int levelChannel = MusicChannel;
    PointAt(CentreXOf(LeaveButtons[1]), CentreYOf(LeaveButtons[1]));
    ClickLeaveConfirm();
    const int menuChannel = MusicChannel;
    EXPECT_NE(menuChannel, levelChannel);
    EXPECT_EQ(soundStatus(MenuMusic, menuChannel), SoundPlaying);
    EXPECT_NE(soundStatus(SoundLevelMusic1, levelChannel), SoundPlaying);
    EXPECT_FALSE(Game.playRunning);
    EXPECT_EQ(LeaveConfirmed, 1);
    ClickLeaveConfirm();
    EXPECT_EQ(MusicChannel, menuChannel) << "the second click started the music again";
    RunLogic(1);
    ClickAt(CentreXOf(LeaveButtons[1]), CentreYOf(LeaveButtons[1]));
    EXPECT_EQ(MusicChannel, menuChannel);
    RunLogic(24);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_EQ(soundStatus(MenuMusic, menuChannel), SoundPlaying);
}

TEST_F(ConfirmTest, LeavingWithMusicOffStartsNoMusic)
{
    OpenLeaveConfirm();
    stopSound(SoundLevelMusic1, MusicChannel);
    Prefs.music = 0;
    const int channel = MusicChannel;
    ClickAt(CentreXOf(LeaveButtons[1]), CentreYOf(LeaveButtons[1]));
    EXPECT_EQ(LeaveConfirmed, 1);
    EXPECT_EQ(MusicChannel, channel);
    EXPECT_NE(soundStatus(MenuMusic, -1), SoundPlaying);
}

}  // namespace
