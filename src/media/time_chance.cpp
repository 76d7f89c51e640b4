// Time and chance: sleeping, the clock, date masks and the game's shuffle.
#include "media/media_internal.h"

#include <cctype>
#include <chrono>
#include <ctime>
#include <random>

namespace {

struct ChanceRecord {
    bool seeded = false;
    std::mt19937_64 generator;
};

ChanceRecord chance;

// The shuffle's generator, seeded from the clock at first use.
std::mt19937_64& Generator()
{
    if (!chance.seeded) {
        auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        chance.generator.seed(static_cast<uint64_t>(ticks) ^ static_cast<uint64_t>(std::time(nullptr)));
        chance.seeded = true;
    }
    return chance.generator;
}

// True when `mask` holds `word` (lower case) at `at`, ignoring case.
bool MaskAt(const std::string& mask, size_t at, const char* word)
{
    for (size_t i = 0; word[i]; ++i) {
        if (at + i >= mask.size() ||
            std::tolower(static_cast<unsigned char>(mask[at + i])) != word[i]) {
            return false;
        }
    }
    return true;
}

// A number 0..99 with a leading zero.
std::string TwoDigits(int value)
{
    value = value < 0 ? -value : value;
    std::string text;
    text += static_cast<char>('0' + (value / 10) % 10);
    text += static_cast<char>('0' + value % 10);
    return text;
}

}  // namespace

// Sleeps the main thread.
void sleepMs(int ms)
{
    if (ms > 0) {
        SDL_Delay(static_cast<uint32_t>(ms));
    }
}

// The current time in whole seconds since the epoch.
int64_t now()
{
    return static_cast<int64_t>(std::time(nullptr));
}

// Replaces the masks by the parts of `date` in local time, leading zeros.
std::string formatDate(const std::string& mask, int64_t date)
{
    std::time_t when = static_cast<std::time_t>(date);
    std::tm local{};
    if (!localtime_r(&when, &local)) {
        return mask;
    }
    struct Part {
        const char* word;
        std::string text;
    };
    const Part parts[] = {
        {"%yyyy", std::to_string(local.tm_year + 1900)},
        {"%yy", TwoDigits((local.tm_year + 1900) % 100)},
        {"%mm", TwoDigits(local.tm_mon + 1)},
        {"%dd", TwoDigits(local.tm_mday)},
        {"%hh", TwoDigits(local.tm_hour)},
        {"%ii", TwoDigits(local.tm_min)},
        {"%ss", TwoDigits(local.tm_sec)},
    };
    std::string result;
    size_t at = 0;
    while (at < mask.size()) {
        bool replaced = false;
        for (const Part& part : parts) {
            if (MaskAt(mask, at, part.word)) {
                result += part.text;
                at += std::char_traits<char>::length(part.word);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            result += mask[at++];
        }
    }
    return result;
}

// For i from 1 to n-1: j uniform in 0..i, swap elements i and j.
void shuffle(int* items, int count)
{
    if (!items || count < 2) {
        return;
    }
    std::mt19937_64& generator = Generator();
    for (int i = 1; i < count; ++i) {
        std::uniform_int_distribution<int> pick(0, i);
        int j = pick(generator);
        int kept = items[i];
        items[i] = items[j];
        items[j] = kept;
    }
}

// Shuffles a whole vector.
void shuffle(std::vector<int>& items)
{
    shuffle(items.data(), static_cast<int>(items.size()));
}

// Test hook: a repeatable shuffle sequence.
void seedShuffle(uint64_t seed)
{
    chance.generator.seed(seed);
    chance.seeded = true;
}
