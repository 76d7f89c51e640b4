#include "board_support.h"

#include "assets/asset_numbers.h"
#include "display/layout.h"
#include "media/media.h"

void PrepareBoard(int width, int height)
{
    SetScreenSize(width, height);
    for (int i = 0; i < TileCount; i++) TileSprites[i] = i + 1;
    BuildLevelRecords();
    Game = {};
    LastOutcome = {};
}

SoundSettings Silent()
{
    SoundSettings settings;
    settings.music = false;
    settings.sounds = false;
    return settings;
}

bool StartCampaignLevel(int n, uint64_t seed)
{
    Game.mode = ModeCampaign;
    Game.levelColumn = LevelColumnOf(n);
    Game.levelRow = LevelRowOf(n);
    seedShuffle(seed);
    if (!StartLevel(Silent())) return false;
    Game.playRunning = true;
    return true;
}

bool StartQuickGame(int mode, uint64_t seed)
{
    Game.mode = static_cast<GameMode>(mode);
    seedShuffle(seed);
    if (!StartLevel(Silent())) return false;
    Game.playRunning = true;
    return true;
}

ClickResult ClickCell(int x, int y)
{
    const BoardCell& cell = CellAt(x, y);
    return BoardClick((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2, Silent());
}

int RunUntilRest()
{
    int frames = 0;
    while (Game.falling && Game.playRunning) {
        UpdateBoard(Silent());
        frames++;
    }
    return frames;
}

int RunUntilEnd(int limit)
{
    for (int frame = 1; frame <= limit; frame++)
        if (UpdateBoard(Silent())) return frame;
    return -1;
}

bool RemoveOneTriple()
{
    std::map<int, int> counts = PictureCounts();
    for (const auto& [picture, count] : counts) {
        if (count < 3) continue;
        int clicked = 0;
        for (int x = 0; x < Game.columns && clicked < 3; x++) {
            for (int y = 0; y < Game.rows && clicked < 3; y++) {
                if (CellAt(x, y).picture != picture) continue;
                ClickCell(x, y);
                clicked++;
            }
        }
        RunUntilRest();
        return true;
    }
    return false;
}

int TilesOnBoard()
{
    int tiles = 0;
    for (const BoardCell& cell : Game.board)
        if (cell.picture != 0) tiles++;
    return tiles;
}

std::map<int, int> PictureCounts()
{
    std::map<int, int> counts;
    for (const BoardCell& cell : Game.board)
        if (cell.picture != 0) counts[cell.picture]++;
    return counts;
}
