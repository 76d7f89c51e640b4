// The end of a level: its rating, the campaign progress, the music.
#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "media/media.h"

namespace {

// Notes a level-select cell the flow must redraw.
void AddRedraw(int column, int row)
{
    if (LastOutcome.redrawCount >= 2) return;
    LastOutcome.redrawColumn[LastOutcome.redrawCount] = column;
    LastOutcome.redrawRow[LastOutcome.redrawCount] = row;
    LastOutcome.redrawCount++;
}

// The best rating only grows; a pass opens the next level for good.
void RecordCampaignProgress()
{
    LevelRecord& level = LevelStore[Game.levelColumn][Game.levelRow];
    if (Game.result > level.best) {
        level.best = Game.result;
        LastOutcome.progressChanged = true;
        AddRedraw(Game.levelColumn, Game.levelRow);
    }
    int nextColumn = 0;
    int nextRow = 0;
    if (!NextLevelOf(Game.levelColumn, Game.levelRow, nextColumn, nextRow)) return;
    LastOutcome.hasNextLevel = Game.result > 0;
    LevelRecord& next = LevelStore[nextColumn][nextRow];
    if (next.locked == 1 && Game.result > 0) {
        next.locked = 0;
        LastOutcome.nextLevelOpened = true;
        LastOutcome.progressChanged = true;
        AddRedraw(nextColumn, nextRow);
    }
}

} // namespace

// Rates the level and winds it down; the flow shows the finished panel.
bool EndLevel(const SoundSettings& settings)
{
    LevelParams level = CurrentLevelParams();
    LastOutcome = {};
    LastOutcome.mode = Game.mode;
    LastOutcome.campaign = Game.mode == ModeCampaign;
    Game.result = static_cast<uint8_t>(RatingFor(Game.tilesCleared, level.mark1, level.mark2, level.mark3));
    if (LastOutcome.campaign) RecordCampaignProgress();
    LastOutcome.result = Game.result;
    LastOutcome.tilesCleared = Game.tilesCleared;
    Game.playRunning = false;
    if (settings.music) fadeAndStop(Game.levelMusic, MusicChannel);
    if (settings.sounds) JingleChannel = playSound(SoundJingle, SoundOwnChannel, settings.musicVolume);
    return true;
}

// The next campaign level becomes the chosen one.
bool AdvanceToNextLevel()
{
    int nextColumn = 0;
    int nextRow = 0;
    if (!NextLevelOf(Game.levelColumn, Game.levelRow, nextColumn, nextRow)) return false;
    Game.mode = ModeCampaign;
    Game.levelColumn = nextColumn;
    Game.levelRow = nextRow;
    Game.levelChosen = true;
    return true;
}
