// Scripted games through the real start-up and main loop, headless.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "harness.h"
#include "media/media.h"
#include "screens/overlays.h"
#include "screens/play_screen.h"
#include "settings/preferences.h"

namespace {

// From the main menu, through the level select, to the first frame of play.
void PlayCampaignLevel(int number)
{
    ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    ClickRecord(MainMenuButtons[1]);
    ASSERT_TRUE(RunUntilState(StateLevelSelect, 60));
    RunPasses(26);
    const LevelRecord& level = LevelByNumber(number);
    ClickAt((level.hitLeft + level.hitRight) / 2, (level.hitTop + level.hitBottom) / 2);
    ASSERT_TRUE(RunUntilState(StateGetReady, 60));
    ASSERT_TRUE(RunUntilState(StatePlay, 200));
}

class PlayFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeGameFolder(WindowedPreferences(0));
        ASSERT_TRUE(StartTestGame(folder));
    }
    void TearDown() override { StopTestGame(); }
    std::string folder;
};

TEST_F(PlayFlow, CampaignLevelClearedThenNextThenLostToTheStopLine)
{
    PlayCampaignLevel(1);
    ASSERT_TRUE(ClearBoard(20000));
    ASSERT_EQ(ScreenState, StateLevelFinished);
    EXPECT_EQ(Game.result, 3);
    EXPECT_EQ(LevelByNumber(1).best, 3);
    EXPECT_EQ(LevelByNumber(2).locked, 0);
    EXPECT_EQ(Game.tilesCleared, 36);

    RunPasses(26);
    ClickRecord(FinishedButtons[1]);
    ASSERT_TRUE(RunUntilState(StateGetReady, 40));
    EXPECT_EQ(Game.levelColumn, 1);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic2);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);

    // The get-ready sequence lasts 110 frames.
    int frames = 0;
    while (ScreenState == StateGetReady && frames < 500) {
        RunOnePass();
        ++frames;
    }
    EXPECT_EQ(frames, 110);
    ASSERT_EQ(ScreenState, StatePlay);

    // Nothing clicked: the board reaches the top of the screen.
    ASSERT_TRUE(RunUntilState(StateLevelFinished, 2 * (ScreenHeight + 1) + 10));
    EXPECT_EQ(Game.result, 0);
    EXPECT_EQ(LevelByNumber(2).best, 0);
    EXPECT_EQ(LevelByNumber(3).locked, 1);
    RunPasses(26);
    // NEXT cannot be hovered after a rating of 0; RETRY can.
    PointAt(CentreX(FinishedButtons[1]), CentreY(FinishedButtons[1]));
    EXPECT_EQ(FinishedChoice, 0);
    ClickAt(CentreX(FinishedButtons[1]), CentreY(FinishedButtons[1]));
    RunPasses(30);
    EXPECT_EQ(ScreenState, StateLevelFinished);

    ClickRecord(FinishedButtons[2]);
    ASSERT_TRUE(RunUntilState(StateGetReady, 40));
    EXPECT_EQ(Game.levelColumn, 1);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic2);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);
}

TEST_F(PlayFlow, EscapePausesAndResumesTheSameBoard)
{
    PlayCampaignLevel(1);
    RunPasses(40);
    TapKey(KeyEscape);
    EXPECT_EQ(ScreenState, StateInGameMenu);
    const int offsetY = Game.OffsetY;
    RunPasses(60);
    EXPECT_EQ(Game.OffsetY, offsetY);
    TapKey(KeyEscape);
    ASSERT_TRUE(RunUntilState(StatePlay, 40));
    EXPECT_EQ(Game.OffsetY, offsetY);
    EXPECT_EQ(InGameChoice, 0);
}

TEST_F(PlayFlow, OverlaysShowTheFieldAsItIsNow)
{
    PlayCampaignLevel(1);
    RunPasses(200);
    TapKey(KeyEscape);
    RunPasses(30);
    TapKey(KeyEscape);
    ASSERT_TRUE(RunUntilState(StatePlay, 40));
    RunPasses(120);  // the board has risen since the first visit
    TapKey(KeyEscape);
    RunPasses(30);
    ASSERT_EQ(ScreenState, StateInGameMenu);
    ASSERT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
    std::vector<uint32_t> shown;
    for (int y = 2; y < ScreenHeight; y += 16)
        for (int x = 2; x < InGameMenuPanel.x; x += 16)
            shown.push_back(spritePixel(SpriteScreenshot, x, y));
    // The same layers drawn afresh.
    DrawPlayField(true);
    DrawShade();
    ASSERT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
    size_t i = 0;
    int boardPixels = 0;
    for (int y = 2; y < ScreenHeight; y += 16) {
        for (int x = 2; x < InGameMenuPanel.x; x += 16, ++i) {
            ASSERT_EQ(spritePixel(SpriteScreenshot, x, y), shown[i]) << x << "," << y;
            boardPixels += x >= Game.OffsetX && y >= Game.OffsetY;
        }
    }
    EXPECT_GT(boardPixels, 0);
}

TEST_F(PlayFlow, RestartKeepsTheMusicAndLeaveReturnsToTheMenuMusic)
{
    PlayCampaignLevel(1);
    RunPasses(10);
    const int channel = MusicChannel;
    const std::vector<BoardCell> before = Game.board;
    // The corner button opens the in-game menu.
    ClickAt((MenuButtonLeft + MenuButtonRight) / 2, (MenuButtonTop + MenuButtonBottom) / 2);
    ASSERT_EQ(ScreenState, StateInGameMenu);
    RunPasses(26);
    ClickRecord(InGameMenuButtons[2]);
    ASSERT_TRUE(RunUntilState(StateGetReady, 40));
    EXPECT_EQ(MusicChannel, channel);
    EXPECT_EQ(soundStatus(Game.levelMusic, channel), SoundPlaying);
    int differing = 0;
    for (size_t i = 0; i < before.size(); ++i)
        differing += before[i].picture != Game.board[i].picture;
    EXPECT_GT(differing, 0) << "a restart deals a new board";

    ASSERT_TRUE(RunUntilState(StatePlay, 200));
    TapKey(KeyEscape);
    RunPasses(26);
    ClickRecord(InGameMenuButtons[3]);
    ASSERT_TRUE(RunUntilState(StateLeaveConfirm, 40));
    RunPasses(26);
    ClickRecord(LeaveButtons[1]);
    EXPECT_FALSE(Game.playRunning);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));
    EXPECT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPlaying);
}

// Every level but level 1 already has a star: clearing level 1 completes the
// game once.
void GiveStarsToAllButLevelOne()
{
    for (int n = 2; n <= 25; ++n) {
        LevelByNumber(n).best = 1;
        LevelByNumber(n).locked = 0;
    }
}

TEST_F(PlayFlow, TheTwentyFifthStarShowsGameCompleteOnceByTheMenuButton)
{
    GiveStarsToAllButLevelOne();
    PlayCampaignLevel(1);
    ASSERT_TRUE(ClearBoard(20000));
    RunPasses(26);
    ClickRecord(FinishedButtons[3]);
    ASSERT_TRUE(RunUntilState(StateGameComplete, 40));
    EXPECT_EQ(Prefs.completed, 1);
    RunPasses(26);
    ClickRecord(GameCompleteButtons[1]);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));

    RunPasses(26);
    PlayCampaignLevel(1);
    ASSERT_TRUE(ClearBoard(20000));
    RunPasses(26);
    ClickRecord(FinishedButtons[3]);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));
}

TEST_F(PlayFlow, TheTwentyFifthStarShowsGameCompleteByEscape)
{
    GiveStarsToAllButLevelOne();
    PlayCampaignLevel(1);
    ASSERT_TRUE(ClearBoard(20000));
    // Right after the last triple, while the panel still slides in.
    ASSERT_NE(FinishedPanel.slide, 0);
    TapKey(KeyEscape);
    EXPECT_EQ(ScreenState, StateGameComplete);
    EXPECT_EQ(Prefs.completed, 1);
}

TEST_F(PlayFlow, EdgesHitNothingAndSlidesIgnoreInput)
{
    ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    const ButtonRecord start = MainMenuButtons[1];
    PointAt(start.hitLeft, CentreY(start));
    EXPECT_EQ(MainMenuChoice, 0);
    PointAt(start.hitLeft + 1, CentreY(start));
    EXPECT_EQ(MainMenuChoice, 1);
    PointAt(CentreX(start), start.hitBottom);
    EXPECT_EQ(MainMenuChoice, 0);

    ClickRecord(MainMenuButtons[1]);
    ASSERT_TRUE(RunUntilState(StateLevelSelect, 60));
    // Sliding in: Escape and clicks change nothing.
    TapKey(KeyEscape);
    const LevelRecord& level1 = LevelByNumber(1);
    ClickAt((level1.hitLeft + level1.hitRight) / 2, (level1.hitTop + level1.hitBottom) / 2);
    RunPasses(30);
    EXPECT_EQ(ScreenState, StateLevelSelect);
    EXPECT_EQ(LevelSelectPanel.slide, 0);
    EXPECT_FALSE(Game.levelChosen);
}

TEST_F(PlayFlow, SelectedTileShowsTheMarkerAndEmptiedCellsShowTheBackground)
{
    PlayCampaignLevel(1);
    RunPasses(450);  // three rows of the board come into view
    auto visible = VisibleTiles();
    int picture = 0;
    for (const auto& [p, cells] : visible) {
        if (cells.size() >= 3) {
            picture = p;
            break;
        }
    }
    ASSERT_NE(picture, 0);
    const std::vector<int> cells = visible[picture];

    // The marker's opaque pixels cover the selected tile on the screen.
    ClickCell(cells[0]);
    ASSERT_EQ(Game.board[static_cast<size_t>(cells[0])].selected, 1);
    // The grab holds this pass's picture, drawn before the board moved on.
    const BoardCell marked = Game.board[static_cast<size_t>(cells[0])];
    RunOnePass();
    ASSERT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
    int markerPixels = 0;
    for (int dy = 0; dy < TileSize; dy += 2) {
        for (int dx = 0; dx < TileSize; dx += 2) {
            const uint32_t marker = spritePixel(SpriteSelected, dx, dy);
            if ((marker >> 24) != 255)
                continue;
            ++markerPixels;
            EXPECT_EQ(spritePixel(SpriteScreenshot, marked.left + dx, marked.top + dy) & 0xFFFFFF, marker & 0xFFFFFF);
        }
    }
    EXPECT_GT(markerPixels, 0);

    ClickCell(cells[1]);
    ClickCell(cells[2]);
    EXPECT_EQ(Game.tilesCleared, 3);
    for (int guard = 0; guard < 100 && Game.falling; ++guard)
        RunOnePass();
    const std::vector<BoardCell> drawn = Game.board;
    RunOnePass();
    ASSERT_TRUE(grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight));
    int emptyOnScreen = 0;
    for (const BoardCell& cell : drawn) {
        if (cell.picture || cell.top < 0 || cell.bottom >= ScreenHeight)
            continue;
        ++emptyOnScreen;
        const int cx = (cell.left + cell.right) / 2;
        const int cy = (cell.top + cell.bottom) / 2;
        EXPECT_EQ(spritePixel(SpriteScreenshot, cx, cy) & 0xFFFFFF, spritePixel(SpriteBackground, cx, cy) & 0xFFFFFF);
    }
    EXPECT_EQ(emptyOnScreen, 3);
}

} // namespace
