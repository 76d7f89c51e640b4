// Helpers for the board tests: a level dealt on a known screen, clicks on
// cells where they are drawn, frames run until something happens.
#pragma once

#include <cstdint>
#include <map>

#include "board/board.h"

// Screen size, tile handles 1..40, fresh level records and game state.
void PrepareBoard(int width = 1920, int height = 1080);
// Music and sounds off, so no test depends on the sound device.
SoundSettings Silent();
// Deals campaign level n (or a quick game) with a seeded shuffle and lets
// play begin, as the end of the get-ready overlay does.
bool StartCampaignLevel(int n, uint64_t seed);
bool StartQuickGame(int mode, uint64_t seed);
// A click in the middle of the cell's present rectangle.
ClickResult ClickCell(int x, int y);
// Frames until nothing falls; answers the frames run.
int RunUntilRest();
// Frames until the level ends, at most `limit`; answers the frames run
// including the one that ended it, or -1.
int RunUntilEnd(int limit = 100000);
// Clicks three tiles of one picture and lets them settle; false if the
// board holds no three tiles of one picture.
bool RemoveOneTriple();
// Tiles on the board, and how many of each picture.
int TilesOnBoard();
std::map<int, int> PictureCounts();
