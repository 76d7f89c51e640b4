// Level music and sound effects through the real media layer (dummy audio
// driver): the fade, the choice of piece, keeping it on a restart, the match
// sound and the end-of-level jingle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "support/test_sounds.h"

#include "assets/asset_numbers.h"
#include "board/music.h"
#include "board_support.h"
#include "media/media.h"

namespace {

class Music : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(initSound(), 0);
        for (int sound = MenuMusic; sound <= SoundMatch; sound++) {
            std::vector<uint8_t> tone = MakeToneOgg(2.0, 220.0 + 110.0 * sound);
            ASSERT_FALSE(tone.empty());
            ASSERT_NE(loadSound(sound, tone.data(), tone.size()), 0) << sound;
        }
    }

    static void TearDownTestSuite() { releaseMedia(); }

    void SetUp() override
    {
        PrepareBoard();
        MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, 100);
        ASSERT_NE(MusicChannel, 0);
        ASSERT_EQ(soundStatus(MenuMusic, MusicChannel), SoundPlaying);
    }

    // A level start as the flow makes it, with the given settings.
    void Start(int n, const SoundSettings& settings)
    {
        Game.mode = ModeCampaign;
        Game.levelColumn = LevelColumnOf(n);
        Game.levelRow = LevelRowOf(n);
        ASSERT_TRUE(StartLevel(settings));
        Game.playRunning = true;
    }

    // Clicks three tiles of one picture with the given settings.
    void ClickTriple(const SoundSettings& settings)
    {
        int picture = 0;
        for (const auto& [handle, count] : PictureCounts())
            if (count >= 3) picture = handle;
        int clicked = 0;
        for (int x = 0; x < Game.columns && clicked < 3; x++)
            for (int y = 0; y < Game.rows && clicked < 3; y++)
                if (CellAt(x, y).picture == picture) {
                    const BoardCell& cell = CellAt(x, y);
                    BoardClick((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, settings);
                    clicked++;
                }
        ASSERT_EQ(clicked, 3);
    }

    SoundSettings Loud() const
    {
        SoundSettings settings;
        settings.musicVolume = 70;
        return settings;
    }
};

TEST_F(Music, FadeAndStopSilencesThePiece)
{
    int channel = MusicChannel;
    fadeAndStop(MenuMusic, channel);
    EXPECT_EQ(soundStatus(MenuMusic, channel), SoundStopped);
    EXPECT_EQ(soundVolume(MenuMusic, channel), 0);
    // Another sound's channel is left alone.
    int level = playSound(SoundLevelMusic1, SoundLoop | SoundOwnChannel, 100);
    fadeAndStop(SoundLevelMusic2, level);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, level), SoundPlaying);
    fadeAndStop(SoundLevelMusic1, -1);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, level), SoundStopped);
}

TEST_F(Music, ANewLevelFadesTheMenuMusicAndPlaysByParity)
{
    int menuChannel = MusicChannel;
    Start(1, Loud());
    EXPECT_EQ(soundStatus(MenuMusic, menuChannel), SoundStopped);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic1);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundPlaying);
    EXPECT_EQ(soundVolume(SoundLevelMusic1, MusicChannel), 70);

    int firstChannel = MusicChannel;
    ASSERT_TRUE(AdvanceToNextLevel());
    Start(LevelNumberAt(Game.levelColumn, Game.levelRow), Loud());
    EXPECT_EQ(soundStatus(SoundLevelMusic1, firstChannel), SoundStopped);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic2);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);
    EXPECT_FALSE(Game.keepMusic);
}

TEST_F(Music, ARestartKeepsThePiecePlaying)
{
    Start(3, Loud());
    int channel = MusicChannel;
    Game.keepMusic = true;
    Start(3, Loud());
    EXPECT_EQ(MusicChannel, channel);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundPlaying);
    EXPECT_FALSE(Game.keepMusic);

    // A paused piece starts again on a fresh channel; the old one is stopped.
    pauseSound(SoundLevelMusic1, MusicChannel);
    Game.keepMusic = true;
    Start(3, Loud());
    EXPECT_NE(MusicChannel, channel);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, channel), SoundStopped);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundPlaying);
}

TEST_F(Music, WithMusicOffTheMenuMusicStillFadesAndNothingStarts)
{
    int menuChannel = MusicChannel;
    SoundSettings quiet = Loud();
    quiet.music = false;
    Start(4, quiet);
    EXPECT_EQ(soundStatus(MenuMusic, menuChannel), SoundStopped);
    EXPECT_EQ(Game.levelMusic, SoundLevelMusic2);
    EXPECT_EQ(MusicChannel, menuChannel);
    EXPECT_NE(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);
}

TEST_F(Music, MatchSoundAndEndOfLevelJingle)
{
    Start(1, Loud());
    for (int i = 0; i < 11; i++) {
        ClickTriple(Loud());
        ASSERT_EQ(soundStatus(SoundMatch, JingleChannel), SoundPlaying);
        ASSERT_EQ(soundVolume(SoundMatch, JingleChannel), 25);
        while (Game.falling) UpdateBoard(Loud());
    }
    int levelChannel = MusicChannel;
    for (int frame = 0; frame < 10000 && Game.playRunning; frame++) UpdateBoard(Loud());
    ASSERT_FALSE(Game.playRunning);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, levelChannel), SoundStopped);
    EXPECT_EQ(soundStatus(SoundJingle, JingleChannel), SoundPlaying);
    EXPECT_EQ(soundVolume(SoundJingle, JingleChannel), 70);
}

TEST_F(Music, SoundsOffPlaysNoEffects)
{
    SoundSettings quiet = Loud();
    quiet.sounds = false;
    Start(1, quiet);
    JingleChannel = 0;
    ClickTriple(quiet);
    EXPECT_EQ(Game.tilesCleared, 3);
    EXPECT_EQ(JingleChannel, 0);
    Game.tilesCleared = Game.tilesTotal - 3;
    EndLevel(quiet);
    EXPECT_EQ(JingleChannel, 0);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundStopped);
}

TEST(LevelMusic, ParityAndDifficulty)
{
    for (int n = 1; n <= 25; n++) EXPECT_EQ(LevelMusicFor(ModeCampaign, n), n % 2 == 1 ? 1 : 2) << n;
    EXPECT_EQ(LevelMusicFor(ModeEasy, 0), 1);
    EXPECT_EQ(LevelMusicFor(ModeMedium, 0), 2);
    EXPECT_EQ(LevelMusicFor(ModeHard, 0), 1);
    EXPECT_EQ(LevelMusicFor(ModeInsane, 0), 2);
}

} // namespace
