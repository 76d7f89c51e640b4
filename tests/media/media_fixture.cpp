// The helpers of media_fixture.h and the environment that releases the
// media layer once all media tests have run (so leaks show up).
#include "media_fixture.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

std::vector<uint8_t> MakePng(int width, int height, const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> rgbaBytes(pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            rgbaBytes[i * 4 + c] = static_cast<uint8_t>(pixels[i] >> (8 * c));
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgbaBytes.data(), 0, nullptr)) {
        return {};
    }
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgbaBytes.data(), 0, nullptr)) {
        return {};
    }
    bytes.resize(size);
    return bytes;
}

std::vector<uint8_t> MakeSolidPng(int width, int height, uint32_t colour)
{
    return MakePng(width, height, std::vector<uint32_t>(static_cast<size_t>(width * height), colour));
}

int MakeSolidSprite(int number, int width, int height, uint32_t colour)
{
    std::vector<uint8_t> png = MakeSolidPng(width, height, colour);
    return loadSprite(number, png.data(), png.size(), SpriteAlphaBlending);
}

std::string SystemFontPath()
{
    const char* candidates[] = {
        "/usr/share/fonts/truetype/quicksand/Quicksand-Regular.ttf",
        "/usr/share/fonts/truetype/comfortaa/Comfortaa-Regular.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    };
    for (const char* path : candidates) {
        if (fileExists(path)) {
            return path;
        }
    }
    return "";
}

::testing::AssertionResult ColourNear(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int c = 0; c < 4; ++c) {
        int a = static_cast<int>((actual >> (8 * c)) & 0xFF);
        int e = static_cast<int>((expected >> (8 * c)) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[128];
            std::snprintf(text, sizeof text, "colour %08X differs from %08X (rgba as ABGR)",
                          actual, expected);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

void ScreenTest::SetUp()
{
    ASSERT_TRUE(initSprite());
    ASSERT_TRUE(initKeyboard());
    ASSERT_TRUE(initMouse());
    ASSERT_NE(openWindow(0, 0, 0, TestScreenWidth, TestScreenHeight, "Morvane test", WindowFramed), 0);
    ASSERT_NE(openWindowedScreen(1, 0, 0, TestScreenWidth, TestScreenHeight, 0, 0, 0, 2), 0);
    showWindow(0);
    setFrameRate(0);
    DrainEvents();
}

void ScreenTest::TearDown()
{
    closeWindow(0);
}

void ScreenTest::DrainEvents()
{
    while (nextWindowEvent() != EventNone) {
    }
}

uint32_t ScreenTest::GrabPixel(int x, int y)
{
    if (!grabScreen(0, 0, 0, TestScreenWidth, TestScreenHeight)) {
        ADD_FAILURE() << "grabScreen failed";
        return 0;
    }
    return spritePixel(0, x, y);
}

namespace {

// Everything is released once at the end, as the game does at its end.
class MediaEnvironment : public ::testing::Environment {
public:
    void TearDown() override { releaseMedia(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new MediaEnvironment);

}  // namespace
