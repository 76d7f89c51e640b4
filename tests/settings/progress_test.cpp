// The progress file: round trip, short and damaged files, a missing file.
#include <gtest/gtest.h>

#include "board/levels.h"
#include "settings/progress.h"
#include "settings/temp_folder.h"

namespace {

// A campaign part-way through: ratings cycling 0..3, the first 13 open.
void FillProgress()
{
    BuildLevelRecords();
    for (int n = 1; n <= 25; n++) {
        LevelByNumber(n).best = static_cast<uint8_t>((n * 7) % 4);
        LevelByNumber(n).locked = n > 13 ? 1 : 0;
    }
}

int ReadProgressText(const std::string& text)
{
    const std::vector<uint8_t> bytes = AsBytes(text);
    return ReadProgress(bytes.data(), bytes.size());
}

} // namespace

TEST(ProgressFile, RoundTrip)
{
    TempFolder folder;
    FillProgress();
    ASSERT_TRUE(SaveProgress(folder.Folder()));
    const std::string saved = ReadBytes(folder.File("Morvane.scores"));
    // 50 lines ended by CR LF, no mark, no other line ends.
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 50);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\r'), 50);
    EXPECT_EQ(saved.find("\r\n"), 1u);
    EXPECT_NE(saved[0], '\xEF');

    BuildLevelRecords();
    ASSERT_TRUE(LoadProgress(folder.Folder()));
    for (int n = 1; n <= 25; n++) {
        EXPECT_EQ(LevelByNumber(n).best, (n * 7) % 4) << "level " << n;
        EXPECT_EQ(LevelByNumber(n).locked, n > 13 ? 1 : 0) << "level " << n;
    }
}

TEST(ProgressFile, FirstLinesAreBestThenLockedOfLevelOne)
{
    BuildLevelRecords();
    LevelByNumber(1).best = 2;
    LevelByNumber(1).locked = 0;
    LevelByNumber(2).best = 1;
    LevelByNumber(2).locked = 0;
    EXPECT_EQ(ProgressText().substr(0, 12), "2\r\n0\r\n1\r\n0\r\n");
}

TEST(ProgressFile, ShortFileOpensTheLevelsItDoesNotMention)
{
    BuildLevelRecords();
    EXPECT_EQ(ReadProgressText("3\r\n0\r\n2\r\n0\r\n1\r\n0\r\n3\r\n0\r\n2\r\n1\r\n"), 10);
    const int best[5] = {3, 2, 1, 3, 2};
    const int locked[5] = {0, 0, 0, 0, 1};
    for (int n = 1; n <= 5; n++) {
        EXPECT_EQ(LevelByNumber(n).best, best[n - 1]) << "level " << n;
        EXPECT_EQ(LevelByNumber(n).locked, locked[n - 1]) << "level " << n;
    }
    for (int n = 6; n <= 25; n++) {
        EXPECT_EQ(LevelByNumber(n).best, 0) << "level " << n;
        EXPECT_EQ(LevelByNumber(n).locked, 0) << "level " << n;
    }
}

TEST(ProgressFile, MissingFileLeavesTheBuiltRecords)
{
    TempFolder folder;
    BuildLevelRecords();
    EXPECT_FALSE(LoadProgress(folder.Folder()));
    EXPECT_EQ(LevelByNumber(1).locked, 0);
    for (int n = 2; n <= 25; n++)
        EXPECT_EQ(LevelByNumber(n).locked, 1) << "level " << n;
    for (int n = 1; n <= 25; n++)
        EXPECT_EQ(LevelByNumber(n).best, 0) << "level " << n;
}

TEST(ProgressFile, LineEndsOfEveryKindAndExtraLines)
{
    BuildLevelRecords();
    // LF only, a lone CR, then CR LF; an empty line reads as 0.
    std::string text = "1\n1\r2\r\n\r\n";
    for (int i = 4; i < 50; i++)
        text += "1\n";
    text += "3\n3\n3\n";
    EXPECT_EQ(ReadProgressText(text), 50);
    EXPECT_EQ(LevelByNumber(1).best, 1);
    EXPECT_EQ(LevelByNumber(1).locked, 1);
    EXPECT_EQ(LevelByNumber(2).best, 2);
    EXPECT_EQ(LevelByNumber(2).locked, 0);
    EXPECT_EQ(LevelByNumber(25).best, 1);
    EXPECT_EQ(LevelByNumber(25).locked, 1);
}

TEST(ProgressFile, DamagedValuesStayInRange)
{
    BuildLevelRecords();
    ReadProgressText("\xEF\xBB\xBF" "2\r\n0\r\n7\r\n-1\r\n-5\r\n255\r\n  3x\r\nabc\r\n");
    EXPECT_EQ(LevelByNumber(1).best, 2);  // a mark from an editor is skipped
    EXPECT_EQ(LevelByNumber(1).locked, 0);
    EXPECT_EQ(LevelByNumber(2).best, 3);
    EXPECT_EQ(LevelByNumber(2).locked, 1);
    EXPECT_EQ(LevelByNumber(3).best, 0);
    EXPECT_EQ(LevelByNumber(3).locked, 1);
    EXPECT_EQ(LevelByNumber(4).best, 3);
    EXPECT_EQ(LevelByNumber(4).locked, 0);
}

TEST(ProgressFile, FailedSaveLeavesTheOldFileIntact)
{
    TempFolder folder;
    FillProgress();
    ASSERT_TRUE(SaveProgress(folder.Folder()));
    const std::string before = ReadBytes(folder.File("Morvane.scores"));
    LevelByNumber(25).best = 3;
    EXPECT_FALSE(SaveProgress(folder.File("Morvane.scores") + "/"));
    EXPECT_EQ(ReadBytes(folder.File("Morvane.scores")), before);
    EXPECT_EQ(FolderEntries(folder.path), std::vector<std::string>{"Morvane.scores"});
}
