// The music channels, the fade that stops music, and the level-music rule.
#include "board/music.h"

#include "assets/asset_numbers.h"
#include "board/levels.h"
#include "media/media.h"

int MusicChannel = 0;
int JingleChannel = 0;

// Eleven volume settings without a pause, then stop.
void fadeAndStop(int sound, int channel)
{
    for (int volume = 100; volume >= 0; volume -= 10)
        setSoundVolume(sound, volume, channel);
    stopSound(sound, channel);
}

// Sound 1 or 2 for a level.
int LevelMusicFor(int mode, int levelNumber)
{
    if (mode == ModeCampaign)
        return (levelNumber % 2 == 1) ? SoundLevelMusic1 : SoundLevelMusic2;
    if (mode == ModeEasy || mode == ModeHard) return SoundLevelMusic1;
    return SoundLevelMusic2;
}
