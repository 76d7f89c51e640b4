// Shared helpers of the media tests: a small windowed screen on the real
// (headless) SDL layer, and pictures made in memory.
#pragma once

#include "media/media.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr int TestScreenWidth = 64;
constexpr int TestScreenHeight = 48;

// A PNG of w x h pixels, every pixel given as an rgba() value, row by row.
std::vector<uint8_t> MakePng(int width, int height, const std::vector<uint32_t>& pixels);
std::vector<uint8_t> MakeSolidPng(int width, int height, uint32_t colour);

// Loads a solid-colour sprite; answers its number (0 on failure).
int MakeSolidSprite(int number, int width, int height, uint32_t colour);

// A TTF of the system for text tests, "" when none is installed.
std::string SystemFontPath();

// Channel-wise comparison with a tolerance.
::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance);

// Opens a framed window with a windowed screen, shown and unpaced.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Takes every window event still queued.
    void DrainEvents();
    // Copies the back buffer into sprite `number` and answers its pixel.
    uint32_t GrabPixel(int x, int y);
};
