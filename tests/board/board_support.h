// Helpers of the board tests: a level dealt on a known screen with tile
// handles 1..40, clicks in the middle of cells, frames run until rest.
#pragma once

#include <map>

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "media/media.h"

inline SoundSettings Silent() { return {false, false, 100}; }

// Screen size, tile handles 1..40, fresh level records and game state.
inline void PrepareBoard(int width = 1920, int height = 1080)
{
    SetScreenSize(width, height);
    for (int i = 0; i < TileCount; i++)
        TileSprites[i] = i + 1;
    BuildLevelRecords();
    Game = {};
    LastOutcome = {};
}

// Deals campaign level n (mode 0) or a quick game (mode 1..4) with a seeded
// shuffle and lets play begin, as the end of the get-ready overlay does.
inline bool Deal(int mode, int n, uint64_t seed)
{
    Game.mode = static_cast<GameMode>(mode);
    Game.levelColumn = mode == ModeCampaign ? LevelColumnOf(n) : 0;
    Game.levelRow = mode == ModeCampaign ? LevelRowOf(n) : 0;
    seedShuffle(seed);
    return (Game.playRunning = StartLevel(Silent()));
}

inline ClickResult ClickCell(int x, int y)
{
    const BoardCell& cell = CellAt(x, y);
    return BoardClick((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, Silent());
}

// Frames until nothing falls; answers the frames run.
inline int RunUntilRest()
{
    int frames = 0;
    for (; Game.falling && Game.playRunning; frames++)
        UpdateBoard(Silent());
    return frames;
}

// Frames until the level ends (at most `limit`), counting the one that ends it; -1 if it goes on.
inline int RunUntilEnd(int limit = 100000)
{
    for (int frame = 1; frame <= limit; frame++)
        if (UpdateBoard(Silent()))
            return frame;
    return -1;
}

inline std::map<int, int> PictureCounts()
{
    std::map<int, int> counts;
    for (const BoardCell& cell : Game.board)
        if (cell.picture != 0)
            counts[cell.picture]++;
    return counts;
}

inline int TilesOnBoard()
{
    int tiles = 0;
    for (const auto& [picture, count] : PictureCounts())
        tiles += count;
    return tiles;
}

// Clicks three tiles of one picture and lets them settle; false if there are none.
inline bool RemoveOneTriple()
{
    for (const auto& [picture, count] : PictureCounts()) {
        if (count < 3)
            continue;
        int clicked = 0;
        for (int x = 0; x < Game.columns && clicked < 3; x++)
            for (int y = 0; y < Game.rows && clicked < 3; y++)
                if (CellAt(x, y).picture == picture) {
                    ClickCell(x, y);
                    clicked++;
                }
        RunUntilRest();
        return true;
    }
    return false;
}
