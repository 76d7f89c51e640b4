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
