// The level in play: the board, the selection, the counters and the motion,
// with the procedures that deal a level, take clicks, move the board every
// frame and end the level. Nothing here draws or changes the screen state;
// the flow acts on the answers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "board/levels.h"

// One board position and the tile lying in it.
struct BoardCell {
    int8_t fall = 0;       // cells the tile still has to move down; 0 = at rest
    int picture = 0;       // tile sprite handle; 0 = empty
    int32_t left = 0;      // the tile's rectangle on the screen (it moves
    int32_t top = 0;       // with the board and while the tile falls)
    int32_t right = 0;
    int32_t bottom = 0;
    uint8_t selected = 0;  // 1 = drawn with the selection marker
};

struct SelectionEntry {
    int column = 0;
    int row = 0;
};

// Up to three selected tiles in the order they were picked. The entries
// follow their tiles when these fall.
struct Selection {
    int count = 0;
    SelectionEntry entries[3];
};

// Everything about the level in progress. A level start resets the per-level
// part in one assignment; the choice of level, the music in use, playRunning
// and riseToggle carry over.
struct GameState {
    GameMode mode = ModeCampaign;
    int32_t levelColumn = 0;   // the campaign level (mode 0)
    int32_t levelRow = 0;
    bool levelChosen = false;  // a level or difficulty was picked on a menu
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t tilesTotal = 0;
    std::vector<int> deck;     // the pictures in dealing order
    std::vector<BoardCell> board;  // column by column: (x, y) is x * rows + y
    Selection selection;
    int32_t tilesCleared = 0;
    uint8_t result = 0;        // rating 0..3 once the level has ended
    int prizeSprite = 14;      // live rating picture, sprite 11..14
    bool falling = false;      // some tile has fall > 0
    int32_t fallFrame = 0;     // frames into the running fall's one-cell step
    int32_t emptyRows = 0;     // rows without any tile, as last counted
    int32_t stopY = 0;         // the level ends when OffsetY <= stopY
    bool riseToggle = false;   // the board rises on every second frame
    int32_t OffsetX = 0;       // screen position of the board's top-left
    int32_t OffsetY = 0;
    bool playRunning = false;  // board input and motion happen only while set
    int levelMusic = 0;        // sound 1 or 2
    bool keepMusic = false;    // a restart keeps the music that is playing
    bool cursorShown = false;  // the tile cursor of a keyboard or controller player
    int32_t cursorColumn = -1; // its cell; -1 until it is first shown in a level
    int32_t cursorRow = -1;
};

extern GameState Game;

// The preferences the board needs, handed in by the flow.
struct SoundSettings {
    bool music = true;
    bool sounds = true;
    int musicVolume = 100;
};

// What a board click asks of the flow.
enum ClickResult {
    ClickNothing = 0,     // handled on the board (or nothing hit)
    ClickOpenMenu = 1,    // the menu button: open the in-game menu
    ClickLevelEnded = 2   // the last triple went: read LastOutcome
};

// What the end of a level did, for the flow to show.
struct LevelOutcome {
    bool campaign = false;      // level-finished panel, else quick-finished
    int mode = 0;
    int result = 0;             // rating 0..3
    int tilesCleared = 0;
    bool nextLevelOpened = false;
    bool hasNextLevel = false;  // the next-level button may be chosen
    bool progressChanged = false;  // a best rating or a lock changed: save it
    // Level-select cells to redraw, in order; the records already hold their
    // new best and lock when the flow redraws them.
    int redrawCount = 0;
    int redrawColumn[2] = {0, 0};
    int redrawRow[2] = {0, 0};
};

extern LevelOutcome LastOutcome;

// --- dealing.cpp ----------------------------------------------------------
// Parameters of the level chosen by Game.mode, levelColumn, levelRow.
LevelParams CurrentLevelParams();
// The level's own name ("1".."25") in a campaign; empty for a quick game.
std::string CurrentLevelName();
// Language keys of the get-ready text and of the level label
// ("tGetReadyLEVEL" and "" for a campaign level: its label is its name).
std::string GetReadyTextKey();
std::string LevelLabelKey();
// Deals the current level, picks its music and clears the counters; the
// flow builds the texts first and switches to get-ready afterwards.
bool StartLevel(const SoundSettings& settings);
// The cell (x, y) of the board.
BoardCell& CellAt(int x, int y);
// Screen y of row y's grid rectangle at the board's present height.
int GridTop(int y);

// --- matching.cpp ---------------------------------------------------------
// A left click at (mx, my) while playing.
ClickResult BoardClick(int mx, int my, const SoundSettings& settings);
// Sets every tile's fall to the empty cells below it and starts the fall.
void CountFalls();

// --- motion.cpp -----------------------------------------------------------
// One frame of play: rising, falling, the stop line, the tile cursor kept
// within reach. True when the level ended in this frame (read LastOutcome).
bool UpdateBoard(const SoundSettings& settings);
// Counts the rows without tiles and moves the stop line.
void RecountEmptyRows();

// --- cursor.cpp -----------------------------------------------------------
// The tile cursor sits on a cell and is drawn at the cell's grid place, so it
// rises with the board and stays on its cell while tiles fall through it. It
// only ever sits on a row whose middle is on the screen.
// Shows it: on the cell under (mx, my) when that is within reach, else where
// it was, else in the middle of the lowest row within reach. False (and
// nothing shown) while no row has risen into reach.
bool ShowCursor(int mx, int my);
// Moves it by whole cells, stopping at the board's sides and at the rows
// within reach.
void MoveCursor(int dx, int dy);
// Keeps it on the rows within reach as the board rises (UpdateBoard does).
void KeepCursorInReach();
// A click on the middle of the cursor's cell, exactly as the mouse makes it.
ClickResult CursorClick(const SoundSettings& settings);
// Where the cursor's cell lies on the screen now (its grid place).
int CursorLeft();
int CursorTop();

// --- outcome.cpp ----------------------------------------------------------
// Rates the level, records progress, stops the music and plays the jingle.
// Fills LastOutcome; the flow builds the finished panel from it.
bool EndLevel(const SoundSettings& settings);
// Moves the campaign choice to the next level; false after level 25.
bool AdvanceToNextLevel();
