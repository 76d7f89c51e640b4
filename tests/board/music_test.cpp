// Level music and sound effects through the real mixer (dummy audio
// driver): the fade, the piece by level, keeping it on a restart, the match
// sound and the end-of-level jingle.
#include <gtest/gtest.h>

#include "assets/asset_numbers.h"
#include "board/music.h"
#include "board_support.h"
#include "support/support.h"

namespace {

class Music : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(initSound(), 0);
        for (int sound = MenuMusic; sound <= SoundMatch; sound++) {
            const std::vector<uint8_t> tone = MakeToneOgg(2.0, 220.0 + 110.0 * sound);
            ASSERT_NE(loadSound(sound, tone.data(), tone.size()), 0) << sound;
        }
    }
    static void TearDownTestSuite() { releaseMedia(); }
    void SetUp() override
    {
        PrepareBoard();
        MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, 100);
        ASSERT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPlaying);
    }
    // A level start as the flow makes it.
    static void Start(int n, const SoundSettings& settings)
    {
        Game.mode = ModeCampaign;
        Game.levelColumn = LevelColumnOf(n);
        Game.levelRow = LevelRowOf(n);
        ASSERT_TRUE(StartLevel(settings));
        Game.playRunning = true;
    }
    static void ClickTriple(const SoundSettings& settings)
    {
        const int picture = PictureCounts().rbegin()->first;  // every picture has 9 tiles in level 1
        for (int i = 0, clicked = 0; i < int(Game.board.size()); i++)
            if (Game.board[size_t(i)].picture == picture && clicked++ < 3) {
                const BoardCell& cell = Game.board[size_t(i)];
                BoardClick((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, settings);
            }
    }
    const SoundSettings loud{true, true, 70};
};

TEST_F(Music, PiecesFadeStartByLevelAndOutliveARestart)
{
    const int menu = MusicChannel;
    const int other = playSound(SoundLevelMusic1, SoundLoop | SoundOwnChannel, 100);
    fadeAndStop(SoundLevelMusic2, other);  // another sound's channel is left alone
    EXPECT_EQ(soundStatus(SoundLevelMusic1, other), SoundPlaying);
    fadeAndStop(SoundLevelMusic1, -1);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, other), SoundStopped);
    EXPECT_EQ(soundVolume(SoundLevelMusic1, other), 0);

    Start(1, loud);
    EXPECT_EQ(soundStatus(MenuMusic, menu), SoundStopped);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic1);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundPlaying);
    EXPECT_EQ(soundVolume(SoundLevelMusic1, MusicChannel), 70);
    const int first = MusicChannel;
    Start(2, loud);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, first), SoundStopped);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic2);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);

    const int playing = MusicChannel;
    Game.keepMusic = true;
    Start(2, loud);
    EXPECT_EQ(MusicChannel, playing);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, playing), SoundPlaying);
    EXPECT_FALSE(Game.keepMusic);
    // A paused piece starts again on a fresh channel; the old one is stopped.
    pauseSound(SoundLevelMusic2, playing);
    Game.keepMusic = true;
    Start(2, loud);
    EXPECT_NE(MusicChannel, playing);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, playing), SoundStopped);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);

    const int modes[][2] = {{ModeEasy, 1}, {ModeMedium, 2}, {ModeHard, 1}, {ModeInsane, 2}};
    for (const auto& [mode, piece] : modes)
        EXPECT_EQ(LevelMusicFor(mode, 0), piece) << mode;
}

TEST_F(Music, MatchSoundsAndTheJingleOnlyWithSoundsOn)
{
    Start(1, loud);
    for (int i = 0; i < 11; i++) {
        ClickTriple(loud);
        ASSERT_EQ(soundStatus(SoundMatch, JingleChannel), SoundPlaying);
        ASSERT_EQ(soundVolume(SoundMatch, JingleChannel), 25);
        while (Game.falling)
            UpdateBoard(loud);
    }
    const int level = MusicChannel;
    while (Game.playRunning)
        UpdateBoard(loud);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, level), SoundStopped);
    EXPECT_EQ(soundStatus(SoundJingle, JingleChannel), SoundPlaying);
    EXPECT_EQ(soundVolume(SoundJingle, JingleChannel), 70);

    // Sounds off: no effects; music off: the menu music still fades and nothing starts.
    const SoundSettings quiet{true, false, 70};
    Start(1, quiet);
    JingleChannel = 0;
    ClickTriple(quiet);
    EXPECT_EQ(Game.tilesCleared, 3);
    Game.tilesCleared = Game.tilesTotal - 3;
    EndLevel(quiet);
    EXPECT_EQ(JingleChannel, 0);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundStopped);
    const int menu = MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, 100);
    Start(4, {false, true, 70});
    EXPECT_EQ(soundStatus(MenuMusic, menu), SoundStopped);
    EXPECT_EQ(MusicChannel, menu);
}

}  // namespace
