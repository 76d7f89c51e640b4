// The level table, the level store, quick-game values, addressing, ratings.
#include <gtest/gtest.h>

#include <type_traits>

#include "board/levels.h"
#include "board_support.h"

namespace {

struct TableRow {
    int columns, rows, tiles, copies, mark1, mark2, mark3;
};

// The campaign as the game is designed, level 1 to 25.
const TableRow Campaign[25] = {
    {6, 6, 36, 9, 9, 18, 36},       {12, 3, 36, 6, 15, 24, 36},    {7, 6, 42, 6, 15, 27, 42},
    {8, 6, 48, 6, 18, 30, 48},      {9, 6, 54, 9, 18, 42, 54},     {6, 10, 60, 9, 18, 30, 60},
    {9, 7, 63, 9, 18, 42, 63},      {8, 9, 72, 9, 30, 42, 72},     {12, 6, 72, 6, 36, 54, 72},
    {9, 9, 81, 9, 18, 57, 81},      {7, 12, 84, 6, 36, 48, 84},    {8, 12, 96, 9, 42, 54, 96},
    {8, 12, 96, 6, 42, 54, 96},     {7, 15, 105, 6, 48, 60, 105},  {6, 18, 108, 9, 27, 78, 108},
    {9, 12, 108, 9, 27, 57, 108},   {12, 9, 108, 9, 51, 87, 108},  {8, 15, 120, 6, 54, 66, 120},
    {7, 18, 126, 9, 60, 78, 126},   {9, 15, 135, 9, 27, 72, 135},  {8, 18, 144, 9, 66, 87, 144},
    {6, 24, 144, 9, 30, 109, 144},  {6, 27, 162, 9, 30, 93, 162},  {9, 18, 162, 9, 75, 99, 162},
    {12, 12, 144, 9, 39, 93, 144},
};

TEST(LevelTable, RecordsHoldTheDesignedLevels)
{
    static_assert(sizeof(LevelTable) == 25 * 11, "eleven bytes per level");
    static_assert(std::is_same_v<decltype(LevelRecord::tiles), int16_t>);
    static_assert(std::is_same_v<decltype(LevelRecord::copies), uint8_t>);
    PrepareBoard();
    for (int n = 1; n <= 25; n++) {
        SCOPED_TRACE(n);
        const LevelRecord& level = LevelByNumber(n);
        const TableRow& row = Campaign[n - 1];
        EXPECT_EQ(level.name, std::to_string(n));
        EXPECT_EQ(level.number, n);
        EXPECT_EQ(level.columns, row.columns);
        EXPECT_EQ(level.rows, row.rows);
        EXPECT_EQ(level.tiles, row.tiles);
        EXPECT_EQ(level.copies, row.copies);
        EXPECT_EQ(level.mark1, row.mark1);
        EXPECT_EQ(level.mark2, row.mark2);
        EXPECT_EQ(level.mark3, row.mark3);
        EXPECT_EQ(level.tiles, level.columns * level.rows);
        EXPECT_EQ(level.tiles % 3, 0);
    }
}

TEST(LevelTable, WithoutProgressOnlyLevelOneIsOpen)
{
    PrepareBoard();
    LevelByNumber(7).best = 2;
    LevelByNumber(7).locked = 0;
    BuildLevelRecords();
    for (int n = 1; n <= 25; n++) {
        EXPECT_EQ(LevelByNumber(n).locked, n == 1 ? 0 : 1) << n;
        EXPECT_EQ(LevelByNumber(n).best, 0) << n;
    }
    EXPECT_EQ(CountLevelsWithStars(), 0);
}

TEST(LevelTable, QuickGameValues)
{
    const TableRow expected[5] = {
        {}, {6, 9, 54, 6, 18, 36, 54}, {9, 24, 216, 18, 72, 144, 216},
        {9, 33, 297, 27, 96, 192, 297}, {12, 24, 288, 18, 108, 219, 288}};
    for (int mode = ModeEasy; mode <= ModeInsane; mode++) {
        SCOPED_TRACE(mode);
        LevelParams quick = QuickGameParams(mode);
        EXPECT_EQ(quick.columns, expected[mode].columns);
        EXPECT_EQ(quick.rows, expected[mode].rows);
        EXPECT_EQ(quick.tiles, expected[mode].tiles);
        EXPECT_EQ(quick.copies, expected[mode].copies);
        EXPECT_EQ(quick.mark1, expected[mode].mark1);
        EXPECT_EQ(quick.mark2, expected[mode].mark2);
        EXPECT_EQ(quick.mark3, expected[mode].mark3);
    }
    EXPECT_EQ(QuickGameParams(ModeInsane).mark2, 219);
    EXPECT_EQ(QuickGameParams(0).tiles, 0);
    EXPECT_EQ(QuickGameParams(5).tiles, 0);
}

TEST(LevelAddressing, NumbersColumnsRowsAndNextLevel)
{
    PrepareBoard();
    for (int n = 1; n <= 25; n++) {
        int column = LevelColumnOf(n);
        int row = LevelRowOf(n);
        EXPECT_GE(column, 0);
        EXPECT_LE(column, 4);
        EXPECT_EQ(LevelNumberAt(column, row), n);
        EXPECT_EQ(&LevelStore[column][row], &LevelByNumber(n));
        EXPECT_EQ(LevelStore[column][row].number, n);
    }
    int column = -1;
    int row = -1;
    ASSERT_TRUE(NextLevelOf(LevelColumnOf(5), LevelRowOf(5), column, row));
    EXPECT_EQ(LevelNumberAt(column, row), 6);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 1);
    ASSERT_TRUE(NextLevelOf(LevelColumnOf(12), LevelRowOf(12), column, row));
    EXPECT_EQ(LevelNumberAt(column, row), 13);
    EXPECT_FALSE(NextLevelOf(LevelColumnOf(25), LevelRowOf(25), column, row));

    Game.levelColumn = 4;
    Game.levelRow = 4;
    EXPECT_FALSE(AdvanceToNextLevel());
    Game.levelColumn = 4;
    Game.levelRow = 0;
    Game.mode = ModeCampaign;
    Game.levelChosen = false;
    ASSERT_TRUE(AdvanceToNextLevel());
    EXPECT_EQ(LevelNumberAt(Game.levelColumn, Game.levelRow), 6);
    EXPECT_TRUE(Game.levelChosen);
}

TEST(Rating, MarksAreReachedInStepsOfThree)
{
    BuildLevelRecords();
    const LevelRecord& level22 = LevelByNumber(22);
    EXPECT_EQ(RatingFor(108, level22.mark1, level22.mark2, level22.mark3), 1);
    EXPECT_EQ(RatingFor(111, level22.mark1, level22.mark2, level22.mark3), 2);
    int firstTwo = 0;
    for (int cleared = 0; cleared <= level22.mark3 && firstTwo == 0; cleared += 3)
        if (RatingFor(cleared, level22.mark1, level22.mark2, level22.mark3) == 2) firstTwo = cleared;
    EXPECT_EQ(firstTwo, 111);

    EXPECT_EQ(RatingFor(0, 9, 18, 36), 0);
    EXPECT_EQ(RatingFor(6, 9, 18, 36), 0);
    EXPECT_EQ(RatingFor(9, 9, 18, 36), 1);
    EXPECT_EQ(RatingFor(15, 9, 18, 36), 1);
    EXPECT_EQ(RatingFor(18, 9, 18, 36), 2);
    EXPECT_EQ(RatingFor(33, 9, 18, 36), 2);
    EXPECT_EQ(RatingFor(36, 9, 18, 36), 3);
    EXPECT_EQ(RatingFor(216, 108, 219, 288), 1);
    EXPECT_EQ(RatingFor(219, 108, 219, 288), 2);
    EXPECT_EQ(PrizeSpriteFor(0), 14);
    EXPECT_EQ(PrizeSpriteFor(3), 11);
}

TEST(Progress, GameCompleteOnlyWhenEveryLevelHasAStar)
{
    PrepareBoard();
    for (int n = 1; n <= 24; n++) LevelByNumber(n).best = static_cast<uint8_t>(1 + n % 3);
    EXPECT_EQ(CountLevelsWithStars(), 24);
    EXPECT_FALSE(GameCompleteDue(0));
    LevelByNumber(25).best = 1;
    EXPECT_EQ(CountLevelsWithStars(), 25);
    EXPECT_TRUE(GameCompleteDue(0));
    EXPECT_FALSE(GameCompleteDue(1));
}

} // namespace
