// The game's music channels and the one way a piece of music is stopped.
#pragma once

// Channel of the music piece playing now (menu or level music).
extern int MusicChannel;
// Channel of the last match sound or end-of-level jingle.
extern int JingleChannel;

// Stops a sound by turning its volume down 100, 90, ... 0 and then stopping
// it; channel -1 is the sound's default channel.
void fadeAndStop(int sound, int channel);

// The level music: campaign levels alternate by number (odd 1, even 2),
// EASY and HARD take 1, MEDIUM and INSANE take 2.
int LevelMusicFor(int mode, int levelNumber);
