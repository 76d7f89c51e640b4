// Level music and effects through the real mixer (dummy audio driver): the
// fade, the piece by level, keeping it on a restart, the match sound and the
// jingle, and nothing at all with music or sounds off.
#include <gtest/gtest.h>

#include "assets/asset_numbers.h"
#include "board/music.h"
#include "board_support.h"
#include "support/support.h"

namespace {

void Start(int n, const SoundSettings& settings)
{
    Game.levelColumn = LevelColumnOf(n);
    Game.levelRow = LevelRowOf(n);
    ASSERT_TRUE(StartLevel(settings));
    Game.playRunning = true;
}

// Clicks three tiles of one picture with the settings given.
void RemoveTriple(const SoundSettings& settings)
{
    const int picture = PictureCounts().rbegin()->first;  // level 1: 9 tiles of each picture
    for (size_t i = 0, clicked = 0; i < Game.board.size() && clicked < 3; i++)
        if (Game.board[i].picture == picture && ++clicked) {
            const BoardCell& cell = Game.board[i];
            BoardClick((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, settings);
        }
}

TEST(Music, PiecesEffectsAndTheirSettings)
{
    ASSERT_NE(initSound(), 0);
    for (int sound = MenuMusic; sound <= SoundMatch; sound++) {
        const std::vector<uint8_t> tone = MakeToneOgg(2.0, 220.0 + 110.0 * sound);
        ASSERT_NE(loadSound(sound, tone.data(), tone.size()), 0) << sound;
    }
    PrepareBoard();
    const int menu = MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, 100);
    const int other = playSound(SoundLevelMusic1, SoundLoop | SoundOwnChannel, 100);
    fadeAndStop(SoundLevelMusic2, other);  // another sound's channel is left alone
    EXPECT_EQ(soundStatus(SoundLevelMusic1, other), SoundPlaying);
    fadeAndStop(SoundLevelMusic1, -1);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, other) * 100 + soundVolume(SoundLevelMusic1, other), SoundStopped);

    const SoundSettings loud{true, true, 70};
    Start(1, loud);  // the menu music fades; odd levels play piece 1 at the music volume
    EXPECT_EQ(soundStatus(MenuMusic, menu), SoundStopped);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel) * 100 + soundVolume(SoundLevelMusic1, MusicChannel), 170);
    const int first = MusicChannel;
    Start(2, loud);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, first), SoundStopped);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);
    const int playing = MusicChannel;
    Game.keepMusic = true;  // a restart keeps the piece playing...
    Start(2, loud);
    EXPECT_EQ(MusicChannel, playing);
    EXPECT_FALSE(Game.keepMusic);
    pauseSound(SoundLevelMusic2, playing);  // ...or starts a paused one again on a fresh channel
    Game.keepMusic = true;
    Start(2, loud);
    EXPECT_NE(MusicChannel, playing);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, playing), SoundStopped);
    EXPECT_EQ(soundStatus(SoundLevelMusic2, MusicChannel), SoundPlaying);
    for (const auto& [mode, piece] : {std::pair{ModeEasy, 1}, {ModeMedium, 2}, {ModeHard, 1}, {ModeInsane, 2}})
        EXPECT_EQ(LevelMusicFor(mode, 0), piece) << mode;

    // Each removal plays the match sound at 25; the end stops the piece and plays the jingle.
    Start(1, loud);
    for (int i = 0; i < 11; i++) {
        RemoveTriple(loud);
        ASSERT_EQ(soundStatus(SoundMatch, JingleChannel) * 100 + soundVolume(SoundMatch, JingleChannel), 125);
        RunUntilRest();
    }
    while (Game.playRunning)
        UpdateBoard(loud);
    EXPECT_EQ(soundStatus(SoundLevelMusic1, MusicChannel), SoundStopped);
    EXPECT_EQ(soundStatus(SoundJingle, JingleChannel) * 100 + soundVolume(SoundJingle, JingleChannel), 170);

    const int level = MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, 100);
    Start(1, {false, false, 70});  // music and sounds off: the menu music still fades, nothing starts
    JingleChannel = 0;
    RemoveTriple({false, false, 70});
    EndLevel({false, false, 70});
    EXPECT_EQ(soundStatus(MenuMusic, level), SoundStopped);
    EXPECT_EQ(MusicChannel, level);
    EXPECT_EQ(JingleChannel, 0);
    releaseMedia();
}

}  // namespace
