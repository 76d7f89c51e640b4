// The start of a level: pictures, deck, board, selection, music, counters.
#include <utility>

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "display/layout.h"
#include "media/media.h"

GameState Game;
LevelOutcome LastOutcome;

namespace {

// The quick-game difficulty words, by mode; used to make language keys.
const char* const QuickGameWords[5] = {"", "EASY", "MEDIUM", "HARD", "INSANE"};

// A fresh per-level record that keeps what outlives one level: the choice
// of level, the music in use, the running flag and the rise rhythm.
void ResetGameState()
{
    GameState kept = std::move(Game);
    Game = {};
    Game.mode = kept.mode;
    Game.levelColumn = kept.levelColumn;
    Game.levelRow = kept.levelRow;
    Game.levelChosen = kept.levelChosen;
    Game.riseToggle = kept.riseToggle;
    Game.playRunning = kept.playRunning;
    Game.levelMusic = kept.levelMusic;
    Game.keepMusic = kept.keepMusic;
}

// The deck: copies of each picture in turn, the last picture taking the
// remainder when the tiles do not divide evenly.
void BuildDeck(const int* tileList, int tiles, int copies)
{
    Game.deck.assign(tiles, 0);
    int k = 0;
    int c = 0;
    for (int i = 0; i < tiles; i++) {
        Game.deck[i] = tileList[k];
        c++;
        if (c == copies) {
            k++;
            c = 0;
        }
    }
}

// Lays the deck onto a new board, column by column, one pixel below the
// screen and centred across it.
void DealBoard(const LevelParams& level)
{
    Game.OffsetX = ScreenWidth / 2 - (TileSize * level.columns) / 2;
    Game.OffsetY = ScreenHeight + 1;
    Game.columns = level.columns;
    Game.rows = level.rows;
    Game.tilesTotal = level.tiles;
    Game.board.assign(static_cast<size_t>(level.columns) * level.rows, BoardCell{});
    int k = 0;
    for (int x = 0; x < Game.columns; x++) {
        for (int y = 0; y < Game.rows; y++) {
            BoardCell& cell = CellAt(x, y);
            cell.picture = Game.deck[k];
            cell.left = Game.OffsetX + x * TileSize;
            cell.top = Game.OffsetY + y * TileSize;
            cell.right = cell.left + TileSize;
            cell.bottom = cell.top + TileSize;
            cell.fall = 0;
            k++;
        }
    }
}

// Starts the level's music unless a restart keeps the piece that plays.
void SwitchLevelMusic(const SoundSettings& settings)
{
    bool validMusic = Game.levelMusic == SoundLevelMusic1 || Game.levelMusic == SoundLevelMusic2;
    if (!Game.keepMusic || !validMusic) {
        if (soundStatus(MenuMusic, MusicChannel) == SoundPlaying)
            fadeAndStop(MenuMusic, MusicChannel);
        if (validMusic && soundStatus(Game.levelMusic, MusicChannel) == SoundPlaying)
            fadeAndStop(Game.levelMusic, MusicChannel);
        int number = Game.mode == ModeCampaign ? LevelNumberAt(Game.levelColumn, Game.levelRow) : 0;
        Game.levelMusic = LevelMusicFor(Game.mode, number);
        if (settings.music)
            MusicChannel = playSound(Game.levelMusic, SoundLoop | SoundOwnChannel, settings.musicVolume);
        return;
    }
    if (!settings.music) return;
    int status = soundStatus(Game.levelMusic, MusicChannel);
    if (status == SoundPlaying) return;
    // NOTE: a paused piece is started again from its beginning; the paused
    // channel is stopped first so it does not linger unheard.
    if (status == SoundPaused) stopSound(Game.levelMusic, MusicChannel);
    MusicChannel = playSound(Game.levelMusic, SoundLoop | SoundOwnChannel, settings.musicVolume);
}

} // namespace

// Campaign level from the store, or a quick-game difficulty.
LevelParams CurrentLevelParams()
{
    if (Game.mode == ModeCampaign)
        return ParamsOfLevel(LevelStore[Game.levelColumn][Game.levelRow]);
    return QuickGameParams(Game.mode);
}

// The campaign level's name; quick games are named by language texts.
std::string CurrentLevelName()
{
    if (Game.mode != ModeCampaign) return "";
    return LevelStore[Game.levelColumn][Game.levelRow].name;
}

// "tGetReadyLEVEL" (its "#" stands for the level name) or the difficulty's.
std::string GetReadyTextKey()
{
    if (Game.mode == ModeCampaign) return "tGetReadyLEVEL";
    return std::string("tGetReady") + QuickGameWords[Game.mode];
}

// A campaign label is the level's name itself, so no key.
std::string LevelLabelKey()
{
    if (Game.mode == ModeCampaign) return "";
    return std::string("tGuiLevel") + QuickGameWords[Game.mode];
}

// The set-up steps in order: pictures, deck, two shuffles, placement, deal,
// selection, music, counters.
bool StartLevel(const SoundSettings& settings)
{
    if (Game.mode < ModeCampaign || Game.mode > ModeInsane) return false;
    if (Game.levelColumn < 0 || Game.levelColumn > 4 || Game.levelRow < 0 || Game.levelRow > 4)
        return false;
    LevelParams level = CurrentLevelParams();
    if (level.tiles <= 0 || level.copies <= 0) return false;
    ResetGameState();

    // NOTE: the board shuffles its own copy of the tile handles; a uniform
    // shuffle of any order is as good as one of last level's order, and the
    // asset module's list keeps its load order.
    int tileList[TileCount];
    for (int i = 0; i < TileCount; i++) tileList[i] = TileSprites[i];
    shuffle(tileList, TileCount);
    BuildDeck(tileList, level.tiles, level.copies);
    shuffle(Game.deck);
    shuffle(Game.deck);
    DealBoard(level);
    Game.selection = {};
    SwitchLevelMusic(settings);

    Game.falling = false;
    Game.fallFrame = 0;
    Game.tilesCleared = 0;
    Game.emptyRows = 0;
    Game.stopY = 0;
    Game.result = 0;
    Game.prizeSprite = 14;
    Game.keepMusic = false;
    return true;
}

// Cells are stored column by column.
BoardCell& CellAt(int x, int y)
{
    return Game.board[static_cast<size_t>(x) * Game.rows + y];
}

// Where row y sits when its tile is at rest.
int GridTop(int y)
{
    return Game.OffsetY + y * TileSize;
}
