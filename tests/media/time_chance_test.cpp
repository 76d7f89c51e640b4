// Date masks and the shuffle, the game's only source of chance.
#include "media/media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <ctime>
#include <map>

namespace {

// Seconds since the epoch of a local date and time.
int64_t LocalDate(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

}  // namespace

TEST(FormatDateTest, MasksBecomeLocalDatePartsWithLeadingZeros)
{
    int64_t date = LocalDate(2026, 12, 5, 14, 3, 9);
    EXPECT_EQ(formatDate("%dd-%mm-%yyyy %hh-%ii-%ss", date), "05-12-2026 14-03-09");
    EXPECT_EQ(formatDate("%DD.%Mm.%YY", date), "05.12.26");
    EXPECT_EQ(formatDate("Log%YYYY%MM%DD.log", date), "Log20261205.log");
    EXPECT_EQ(formatDate("100% %x %y", date), "100% %x %y");
    EXPECT_EQ(formatDate("", date), "");
    EXPECT_EQ(formatDate("%hh:%ii:%ss", LocalDate(2031, 1, 1, 0, 0, 0)), "00:00:00");
    EXPECT_EQ(formatDate("%hh %yy", LocalDate(2009, 2, 28, 23, 59, 59)), "23 09");
}

TEST(FormatDateTest, NowFormatsAsTheCurrentYear)
{
    std::time_t clock = std::time(nullptr);
    std::tm local{};
    localtime_r(&clock, &local);
    EXPECT_EQ(formatDate("%yyyy", now()), std::to_string(local.tm_year + 1900));
}

TEST(ShuffleTest, AllPermutationsOfFourAreEquallyLikely)
{
    seedShuffle(20261205);
    const int rounds = 240000;
    std::map<std::array<int, 4>, int> seen;
    for (int round = 0; round < rounds; ++round) {
        std::array<int, 4> items{0, 1, 2, 3};
        shuffle(items.data(), 4);
        ++seen[items];
    }
    ASSERT_EQ(seen.size(), 24u);
    double expected = rounds / 24.0, chiSquare = 0;
    for (const auto& entry : seen) {
        std::array<int, 4> sorted = entry.first;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::array<int, 4>{0, 1, 2, 3}));
        double difference = entry.second - expected;
        chiSquare += difference * difference / expected;
    }
    // 23 degrees of freedom: 49.73 is the 99.9 % point.
    EXPECT_LT(chiSquare, 49.73);
}

TEST(ShuffleTest, EveryItemReachesEveryPlaceEvenly)
{
    seedShuffle(77);
    const int size = 10, rounds = 50000;
    std::vector<std::vector<int>> counts(size, std::vector<int>(size, 0));
    for (int round = 0; round < rounds; ++round) {
        std::vector<int> items(size);
        for (int i = 0; i < size; ++i) {
            items[i] = i;
        }
        shuffle(items);
        for (int place = 0; place < size; ++place) {
            ++counts[items[place]][place];
        }
    }
    for (int item = 0; item < size; ++item) {
        for (int place = 0; place < size; ++place) {
            EXPECT_NEAR(counts[item][place], rounds / size, 300) << item << " at " << place;
        }
    }
}

TEST(ShuffleTest, SeedingRepeatsTheSequenceAndTinyArraysAreSafe)
{
    std::vector<int> first(40), second(40);
    for (int i = 0; i < 40; ++i) {
        first[i] = second[i] = i;
    }
    seedShuffle(5);
    shuffle(first);
    seedShuffle(5);
    shuffle(second);
    EXPECT_EQ(first, second);

    std::vector<int> empty;
    shuffle(empty);
    int one = 9;
    shuffle(&one, 1);
    EXPECT_EQ(one, 9);
    shuffle(nullptr, 5);
}

TEST(SleepTest, SleepsAtLeastTheTimeAsked)
{
    auto start = std::chrono::steady_clock::now();
    sleepMs(30);
    auto slept = std::chrono::steady_clock::now() - start;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(slept).count(), 29);
    sleepMs(-5);
}
