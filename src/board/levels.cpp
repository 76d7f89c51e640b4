// The level table, the level store built from it, quick-game parameters,
// level addressing and ratings.
#include "board/levels.h"

LevelRecord LevelStore[5][5];

const uint8_t LevelTable[LevelCount * LevelTableRecordSize] = {
    0x06, 0x06, 0x24, 0x00, 0x09, 0x09, 0x00, 0x12, 0x00, 0x24, 0x00,  //  1: 6 x 6, 36 tiles, copies 9, marks 9 / 18 / 36
    0x0C, 0x03, 0x24, 0x00, 0x06, 0x0F, 0x00, 0x18, 0x00, 0x24, 0x00,  //  2: 12 x 3, 36 tiles, copies 6, marks 15 / 24 / 36
    0x07, 0x06, 0x2A, 0x00, 0x06, 0x0F, 0x00, 0x1B, 0x00, 0x2A, 0x00,  //  3: 7 x 6, 42 tiles, copies 6, marks 15 / 27 / 42
    0x08, 0x06, 0x30, 0x00, 0x06, 0x12, 0x00, 0x1E, 0x00, 0x30, 0x00,  //  4: 8 x 6, 48 tiles, copies 6, marks 18 / 30 / 48
    0x09, 0x06, 0x36, 0x00, 0x09, 0x12, 0x00, 0x2A, 0x00, 0x36, 0x00,  //  5: 9 x 6, 54 tiles, copies 9, marks 18 / 42 / 54
    0x06, 0x0A, 0x3C, 0x00, 0x09, 0x12, 0x00, 0x1E, 0x00, 0x3C, 0x00,  //  6: 6 x 10, 60 tiles, copies 9, marks 18 / 30 / 60
    0x09, 0x07, 0x3F, 0x00, 0x09, 0x12, 0x00, 0x2A, 0x00, 0x3F, 0x00,  //  7: 9 x 7, 63 tiles, copies 9, marks 18 / 42 / 63
    0x08, 0x09, 0x48, 0x00, 0x09, 0x1E, 0x00, 0x2A, 0x00, 0x48, 0x00,  //  8: 8 x 9, 72 tiles, copies 9, marks 30 / 42 / 72
    0x0C, 0x06, 0x48, 0x00, 0x06, 0x24, 0x00, 0x36, 0x00, 0x48, 0x00,  //  9: 12 x 6, 72 tiles, copies 6, marks 36 / 54 / 72
    0x09, 0x09, 0x51, 0x00, 0x09, 0x12, 0x00, 0x39, 0x00, 0x51, 0x00,  // 10: 9 x 9, 81 tiles, copies 9, marks 18 / 57 / 81
    0x07, 0x0C, 0x54, 0x00, 0x06, 0x24, 0x00, 0x30, 0x00, 0x54, 0x00,  // 11: 7 x 12, 84 tiles, copies 6, marks 36 / 48 / 84
    0x08, 0x0C, 0x60, 0x00, 0x09, 0x2A, 0x00, 0x36, 0x00, 0x60, 0x00,  // 12: 8 x 12, 96 tiles, copies 9, marks 42 / 54 / 96
    0x08, 0x0C, 0x60, 0x00, 0x06, 0x2A, 0x00, 0x36, 0x00, 0x60, 0x00,  // 13: 8 x 12, 96 tiles, copies 6, marks 42 / 54 / 96
    0x07, 0x0F, 0x69, 0x00, 0x06, 0x30, 0x00, 0x3C, 0x00, 0x69, 0x00,  // 14: 7 x 15, 105 tiles, copies 6, marks 48 / 60 / 105
    0x06, 0x12, 0x6C, 0x00, 0x09, 0x1B, 0x00, 0x4E, 0x00, 0x6C, 0x00,  // 15: 6 x 18, 108 tiles, copies 9, marks 27 / 78 / 108
    0x09, 0x0C, 0x6C, 0x00, 0x09, 0x1B, 0x00, 0x39, 0x00, 0x6C, 0x00,  // 16: 9 x 12, 108 tiles, copies 9, marks 27 / 57 / 108
    0x0C, 0x09, 0x6C, 0x00, 0x09, 0x33, 0x00, 0x57, 0x00, 0x6C, 0x00,  // 17: 12 x 9, 108 tiles, copies 9, marks 51 / 87 / 108
    0x08, 0x0F, 0x78, 0x00, 0x06, 0x36, 0x00, 0x42, 0x00, 0x78, 0x00,  // 18: 8 x 15, 120 tiles, copies 6, marks 54 / 66 / 120
    0x07, 0x12, 0x7E, 0x00, 0x09, 0x3C, 0x00, 0x4E, 0x00, 0x7E, 0x00,  // 19: 7 x 18, 126 tiles, copies 9, marks 60 / 78 / 126
    0x09, 0x0F, 0x87, 0x00, 0x09, 0x1B, 0x00, 0x48, 0x00, 0x87, 0x00,  // 20: 9 x 15, 135 tiles, copies 9, marks 27 / 72 / 135
    0x08, 0x12, 0x90, 0x00, 0x09, 0x42, 0x00, 0x57, 0x00, 0x90, 0x00,  // 21: 8 x 18, 144 tiles, copies 9, marks 66 / 87 / 144
    0x06, 0x18, 0x90, 0x00, 0x09, 0x1E, 0x00, 0x6D, 0x00, 0x90, 0x00,  // 22: 6 x 24, 144 tiles, copies 9, marks 30 / 109 / 144
    0x06, 0x1B, 0xA2, 0x00, 0x09, 0x1E, 0x00, 0x5D, 0x00, 0xA2, 0x00,  // 23: 6 x 27, 162 tiles, copies 9, marks 30 / 93 / 162
    0x09, 0x12, 0xA2, 0x00, 0x09, 0x4B, 0x00, 0x63, 0x00, 0xA2, 0x00,  // 24: 9 x 18, 162 tiles, copies 9, marks 75 / 99 / 162
    0x0C, 0x0C, 0x90, 0x00, 0x09, 0x27, 0x00, 0x5D, 0x00, 0x90, 0x00,  // 25: 12 x 12, 144 tiles, copies 9, marks 39 / 93 / 144
};

namespace {

// The quick-game modes share no table with the campaign: their numbers are
// fixed. NOTE: INSANE's second mark is 219, not 216.
const LevelParams QuickGames[5] = {
    {},
    {6, 9, 54, 6, 18, 36, 54},
    {9, 24, 216, 18, 72, 144, 216},
    {9, 33, 297, 27, 96, 192, 297},
    {12, 24, 288, 18, 108, 219, 288},
};

// A little-endian signed 16-bit field of the table.
int16_t ReadInt16(const uint8_t* bytes)
{
    return static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}

} // namespace

// Level n (1..25); numbers outside are clamped so a bad number never reads
// outside the store.
LevelRecord& LevelByNumber(int n)
{
    if (n < 1) n = 1;
    if (n > LevelCount) n = LevelCount;
    return LevelStore[LevelColumnOf(n)][LevelRowOf(n)];
}

// Reads the table record by record into the store, then opens level 1.
void BuildLevelRecords()
{
    for (int n = 1; n <= LevelCount; n++) {
        const uint8_t* record = LevelTable + (n - 1) * LevelTableRecordSize;
        LevelRecord level;
        level.name = std::to_string(n);
        level.number = n;
        level.locked = 1;
        level.columns = record[0];
        level.rows = record[1];
        level.tiles = ReadInt16(record + 2);
        level.copies = record[4];
        level.mark1 = ReadInt16(record + 5);
        level.mark2 = ReadInt16(record + 7);
        level.mark3 = ReadInt16(record + 9);
        level.best = 0;
        LevelByNumber(n) = level;
    }
    LevelByNumber(1).locked = 0;
}

// The fixed numbers of a quick-game difficulty.
LevelParams QuickGameParams(int mode)
{
    if (mode < ModeEasy || mode > ModeInsane) return {};
    return QuickGames[mode];
}

// The deal and rating numbers of a campaign level.
LevelParams ParamsOfLevel(const LevelRecord& level)
{
    return {level.columns, level.rows, level.tiles, level.copies,
            level.mark1, level.mark2, level.mark3};
}

// Level number of a store position.
int LevelNumberAt(int column, int row)
{
    return row * 5 + column + 1;
}

// Store column of level n.
int LevelColumnOf(int number)
{
    return (number - 1) % 5;
}

// Store row of level n.
int LevelRowOf(int number)
{
    return (number - 1) / 5;
}

// The next level: along the row, then the start of the next row.
bool NextLevelOf(int column, int row, int& nextColumn, int& nextRow)
{
    if (column < 4) {
        nextColumn = column + 1;
        nextRow = row;
        return true;
    }
    if (row < 4) {
        nextColumn = 0;
        nextRow = row + 1;
        return true;
    }
    return false;
}

// Rating of a cleared count; the marks are tested in order.
int RatingFor(int cleared, int mark1, int mark2, int mark3)
{
    if (cleared < mark1) return 0;
    if (cleared < mark2) return 1;
    if (cleared < mark3) return 2;
    return 3;
}

// Sprites 11..14 show three stars down to none.
int PrizeSpriteFor(int rating)
{
    return 14 - rating;
}

// Levels that have been passed at least once.
int CountLevelsWithStars()
{
    int count = 0;
    for (int n = 1; n <= LevelCount; n++)
        if (LevelByNumber(n).best > 0) count++;
    return count;
}

// All 25 levels rated and the game-complete panel not yet shown.
bool GameCompleteDue(int completedPref)
{
    return CountLevelsWithStars() == LevelCount && completedPref == 0;
}
