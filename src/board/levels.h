// The campaign's 25 level records and the quick-game parameters.
#pragma once

#include <cstdint>
#include <string>

// Kind of level: 0 campaign, 1..4 quick game.
enum GameMode { ModeCampaign = 0, ModeEasy = 1, ModeMedium = 2, ModeHard = 3, ModeInsane = 4 };

struct LevelRecord {
    std::string name;      // "1".."25": the level label and get-ready text
    int32_t number = 0;    // 1..25; its parity picks the music
    uint8_t locked = 1;    // 1 = cannot be chosen; saved progress
    uint8_t columns = 0;
    uint8_t rows = 0;
    int16_t tiles = 0;
    uint8_t copies = 0;
    int32_t mark1 = 0;
    int32_t mark2 = 0;
    int32_t mark3 = 0;
    uint8_t best = 0;      // best rating 0..3, never lowered; saved progress
    int32_t buttonX = 0;   // the cell's design origin on the level-select panel
    int32_t buttonY = 0;
    int32_t hitLeft = 0;   // the cell's hit rectangle on the screen
    int32_t hitTop = 0;
    int32_t hitRight = 0;
    int32_t hitBottom = 0;
};

// The level store, addressed [levelColumn][levelRow]; level n lives at
// column (n - 1) mod 5, row (n - 1) div 5.
extern LevelRecord LevelStore[5][5];

// Level n (1..25).
LevelRecord& LevelByNumber(int n);

// ---------------------------------------------------------------------------
// The level table as shipped: 25 records of 11 bytes, little-endian:
// columns u8, rows u8, tiles s16, copies u8, mark1 s16, mark2 s16, mark3 s16.
constexpr int LevelCount = 25;
constexpr int LevelTableRecordSize = 11;
extern const uint8_t LevelTable[LevelCount * LevelTableRecordSize];

// The numbers a level is dealt and rated with, campaign or quick game.
struct LevelParams {
    int columns = 0;
    int rows = 0;
    int tiles = 0;
    int copies = 0;
    int mark1 = 0;
    int mark2 = 0;
    int mark3 = 0;
};

// Fills the 25 records from the level table: all locked but level 1, best 0.
void BuildLevelRecords();
// The fixed parameters of a quick-game mode (1..4); an empty record otherwise.
LevelParams QuickGameParams(int mode);
// The parameters of a level record.
LevelParams ParamsOfLevel(const LevelRecord& level);

// Level addressing: number 1..25 <-> (column, row), each 0..4.
int LevelNumberAt(int column, int row);
int LevelColumnOf(int number);
int LevelRowOf(int number);
// The level after (column, row); false for level 25, which has none.
bool NextLevelOf(int column, int row, int& nextColumn, int& nextRow);

// The rating 0..3 of a cleared count against the three marks.
int RatingFor(int cleared, int mark1, int mark2, int mark3);
// The live rating sprite for a rating: 14 for 0 down to 11 for 3.
int PrizeSpriteFor(int rating);

// Number of campaign levels whose best rating is above 0.
int CountLevelsWithStars();
// True when every level has a star and the game-complete panel was never
// shown (the flow owns the "Completed" preference and sets it afterwards).
bool GameCompleteDue(int completedPref);
