// The media tests' screen: a small framed window on the real (headless) SDL
// layer, shown and unpaced, and a few ways of reading what reached it.
#pragma once

#include <gtest/gtest.h>

#include "media/media.h"
#include "support/support.h"

constexpr int TestScreenWidth = 64;
constexpr int TestScreenHeight = 48;

inline int MakeSolidSprite(int number, int width, int height, uint32_t colour)
{
    const std::vector<uint8_t> png = MakeSolidPng(width, height, colour);
    return loadSprite(number, png.data(), png.size(), SpriteAlphaBlending);
}

// Channel by channel within a tolerance.
inline ::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int c = 0; c < 32; c += 8)
        if (std::abs(int((actual >> c) & 0xFF) - int((expected >> c) & 0xFF)) > tolerance)
            return ::testing::AssertionFailure() << std::hex << actual << " is not " << expected;
    return ::testing::AssertionSuccess();
}

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(initSprite() && initKeyboard() && initMouse());
        ASSERT_NE(openWindow(0, 0, 0, TestScreenWidth, TestScreenHeight, "Morvane test", WindowFramed), 0);
        ASSERT_NE(openWindowedScreen(1, 0, 0, TestScreenWidth, TestScreenHeight, 0, 0, 0, 2), 0);
        showWindow(0);
        setFrameRate(0);
        DrainEvents();
    }
    void TearDown() override { closeWindow(0); }
    static void DrainEvents()
    {
        while (nextWindowEvent() != EventNone) {
        }
    }
    // The back buffer grabbed into sprite 0, one pixel of it.
    static uint32_t GrabPixel(int x, int y)
    {
        EXPECT_NE(grabScreen(0, 0, 0, TestScreenWidth, TestScreenHeight), 0);
        return spritePixel(0, x, y);
    }
    // Covers the whole screen with an opaque colour (sprite 50).
    static void PaintBackground(uint32_t colour)
    {
        ASSERT_NE(MakeSolidSprite(50, TestScreenWidth, TestScreenHeight, colour), 0);
        drawSprite(50, 0, 0);
    }
};

// Everything is released once at the end, as the game does, so that leaks show.
struct ReleaseMediaAtEnd : ::testing::Environment {
    void TearDown() override { releaseMedia(); }
};
inline const auto* const ReleaseAtEnd = ::testing::AddGlobalTestEnvironment(new ReleaseMediaAtEnd);
