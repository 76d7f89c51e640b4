// Scripted games in the real game, headless: levels cleared, lost, restarted
// and left, what the screen shows, the game-complete panel, and what a crash
// leaves on disk.
#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include "assets/asset_numbers.h"
#include "board/music.h"
#include "display/layout.h"
#include <gtest/gtest.h>

#include "harness.h"
#include "support/support.h"
#include "screens/overlays.h"
#include "screens/play_screen.h"

namespace {

class PlayFlow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(StartTestGame(MakeGameFolder(WindowedPreferences(0)))); }
    void TearDown() override { StopTestGame(); }
    // The screen as drawn this pass, sampled every 16 pixels left of x.
    static std::vector<uint32_t> Sample(int right)
    {
        EXPECT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
        std::vector<uint32_t> pixels;
        for (int y = 2; y < ScreenHeight; y += 16)
            for (int x = 2; x < right; x += 16)
                pixels.push_back(spritePixel(SpriteScreenshot, x, y));
        return pixels;
    }
};

TEST_F(PlayFlow, ClearedNextLostRetriedPausedRestartedAndLeft)
{
    ASSERT_TRUE(PlayCampaignLevel(1));
    RunPasses(450);  // three rows of the board come into view
    const std::vector<int> cells = VisibleTriple();
    ASSERT_EQ(cells.size(), 3u);
    // The marker's opaque pixels cover the selected tile on the screen.
    ClickCell(cells[0]);
    const BoardCell marked = Game.board[size_t(cells[0])];  // as drawn in the next pass
    RunOnePass();
    ASSERT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
    int markerPixels = 0;
    for (int dy = 0; dy < TileSize; dy += 2)
        for (int dx = 0; dx < TileSize; dx += 2) {
            const uint32_t marker = spritePixel(SpriteSelected, dx, dy);
            if (marker >> 24 == 255 && ++markerPixels) {
                EXPECT_EQ(spritePixel(SpriteScreenshot, marked.left + dx, marked.top + dy) & 0xFFFFFF, marker & 0xFFFFFF);
            }
        }
    EXPECT_GT(markerPixels, 0);
    // Emptied cells show the background.
    ClickCell(cells[1]);
    ClickCell(cells[2]);
    while (Game.falling)
        RunOnePass();
    const std::vector<BoardCell> drawn = Game.board;
    RunOnePass();
    ASSERT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
    int empty = 0;
    for (const BoardCell& cell : drawn)
        if (!cell.picture && cell.top >= 0 && cell.bottom < ScreenHeight && ++empty) {
            const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
            EXPECT_EQ(spritePixel(SpriteScreenshot, cx, cy) & 0xFFFFFF, spritePixel(SpriteBackground, cx, cy) & 0xFFFFFF);
        }
    EXPECT_EQ(empty, 3);

    ASSERT_TRUE(ClearBoard());
    ASSERT_EQ(ScreenState, StateLevelFinished);
    EXPECT_EQ(Game.result, 3);
    EXPECT_EQ(LevelByNumber(2).locked, 0);
    ASSERT_TRUE(ClickThrough(FinishedButtons[1], StateGetReady));  // NEXT
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);
    int frames = 0;
    for (; ScreenState == StateGetReady && frames < 500; ++frames)
        RunOnePass();
    EXPECT_EQ(frames, 110) << "frames of the get-ready sequence";
    // Nothing clicked: the board reaches the top; NEXT cannot be chosen, RETRY can.
    ASSERT_TRUE(RunUntilState(StateLevelFinished, 2 * (ScreenHeight + 1) + 10));
    EXPECT_EQ(Game.result, 0);
    Settle();
    ClickRecord(FinishedButtons[1]);
    EXPECT_EQ(FinishedChoice, 0);
    RunPasses(30);
    EXPECT_EQ(ScreenState, StateLevelFinished);
    ASSERT_TRUE(ClickThrough(FinishedButtons[2], StatePlay, 300));
    EXPECT_EQ(Game.levelColumn, 1);
    const int channel = MusicChannel;
    EXPECT_EQ(soundStatus(SoundLevelMusic2, channel), SoundPlaying);

    // Escape pauses the same board; an overlay shows the field as it is now.
    RunPasses(200);
    TapKey(KeyEscape);
    ASSERT_EQ(ScreenState, StateInGameMenu);
    const int offsetY = Game.OffsetY;
    RunPasses(60);
    EXPECT_EQ(Game.OffsetY, offsetY);
    TapKey(KeyEscape);
    ASSERT_TRUE(RunUntilState(StatePlay, 40));
    RunPasses(120);  // the board has risen since
    ClickAt((MenuButtonLeft + MenuButtonRight) / 2, (MenuButtonTop + MenuButtonBottom) / 2);  // the corner button
    ASSERT_EQ(ScreenState, StateInGameMenu);
    Settle();
    const std::vector<uint32_t> shown = Sample(InGameMenuPanel.x);
    DrawPlayField(true, false);
    DrawShade();
    EXPECT_EQ(Sample(InGameMenuPanel.x), shown);

    // Restart deals a new board and keeps the music; leave goes back to the menu music.
    const std::vector<int> deck = Game.deck;
    ASSERT_TRUE(ClickThrough(InGameMenuButtons[2], StatePlay, 300));
    EXPECT_NE(Game.deck, deck);
    EXPECT_EQ(MusicChannel, channel);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, channel), SoundPlaying);
    TapKey(KeyEscape);
    ASSERT_TRUE(ClickThrough(InGameMenuButtons[3], StateLeaveConfirm));
    // No: back to the in-game menu, the music playing on.
    ASSERT_TRUE(ClickThrough(LeaveButtons[2], StateInGameMenu));
    EXPECT_EQ(soundStatus(SoundLevelMusic2, channel), SoundPlaying);
    ASSERT_TRUE(ClickThrough(InGameMenuButtons[3], StateLeaveConfirm));
    Settle();
    ClickRecord(LeaveButtons[1]);
    const int menuChannel = MusicChannel;
    ClickLeaveConfirm();  // a second click on yes starts nothing more
    EXPECT_FALSE(Game.playRunning);
    EXPECT_EQ(MusicChannel, menuChannel);
    // M while the panel slides out acts on the menu music, which plays already.
    TapKey(KeyM);
    EXPECT_EQ(Prefs.music * 10 + soundStatus(MenuMusic, menuChannel), SoundStopped);
    TapKey(KeyM);
    ASSERT_EQ(ScreenState, StateLeaveConfirm);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));
    EXPECT_EQ(Prefs.music * 10 + soundStatus(MenuMusic, MusicChannel), 10 + SoundPlaying);
    EXPECT_NE(soundStatus(SoundLevelMusic2, channel), SoundPlaying);
}

// With every other level rated, clearing level 1 completes the game: shown
// by Escape while the finished panel still slides in (the keyboard walk
// takes its MENU button), and once only. The next finished panel shows its
// strips on the rows that take the clicks.
TEST_F(PlayFlow, TheTwentyFifthStarShowsGameCompleteOnce)
{
    for (int n = 2; n <= 25; ++n) {
        LevelByNumber(n).best = 1;
        LevelByNumber(n).locked = 0;
    }
    ASSERT_TRUE(PlayCampaignLevel(1));
    ASSERT_TRUE(ClearBoard());
    ASSERT_NE(FinishedPanel.slide, 0);
    TapKey(KeyEscape);
    EXPECT_EQ(ScreenState, StateGameComplete);
    EXPECT_EQ(Prefs.completed, 1);
    Settle();
    ClickRecord(GameCompleteButtons[1]);
    ASSERT_TRUE(PlayCampaignLevel(1));
    ASSERT_TRUE(ClearBoard());
    Settle();
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(FinishedButtons[i].y, FinishedButtons[i].hitTop + 1) << i;
    ASSERT_TRUE(ClickThrough(FinishedButtons[3], StateMainMenu));
}

// A run killed (SIGKILL) right after a level end has its progress on disk,
// one killed right after a settings confirm its preferences, each file as the
// orderly end writes it.
TEST(Crash, AKillAfterALevelEndOrASettingsConfirmLosesNothing)
{
    const std::string folder = MakeGameFolder(WindowedPreferences(0));
    std::string progress = "3\r\n0\r\n0\r\n0\r\n";
    for (int n = 3; n <= 25; ++n)
        progress += "0\r\n1\r\n";
    const auto musicOffConfirmed = [] {
        ClickRecord(SettingsButtons[2]);
        ClickRecord(SettingsButtons[6]);
        return Prefs.music == 0;
    };
    for (int settings : {0, 1}) {
        const pid_t child = fork();
        if (child == 0 && StartTestGame(folder) &&
            (settings ? RunUntilState(StateMainMenu, 400) && OpenFromMainMenu(3, StateSettings) && musicOffConfirmed()
                      : PlayCampaignLevel(1) && ClearBoard()))
            std::raise(SIGKILL);
        if (child == 0)
            _exit(1);
        int status = 0;
        ASSERT_TRUE(waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(ReadBytes(folder + "Morvane.scores"), progress);
        EXPECT_EQ(ReadBytes(folder + "Morvane.prefs"), WindowedPreferences(0, 1 - settings));
    }
}

}  // namespace
