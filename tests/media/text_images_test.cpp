// Text and images drawn into sprites, with a font of the system.
#include "media_fixture.h"

#include <algorithm>

namespace {

struct Box {
    int left, top, right, bottom;  // right and bottom exclusive
};

// The bounding box of every pixel that differs from `background`.
Box ChangedBox(int sprite, uint32_t background)
{
    Box box{spriteWidth(sprite), spriteHeight(sprite), -1, -1};
    for (int y = 0; y < spriteHeight(sprite); ++y) {
        for (int x = 0; x < spriteWidth(sprite); ++x) {
            if (spritePixel(sprite, x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
    }
    return box;
}

}  // namespace

class TextTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        std::string path = SystemFontPath();
        if (path.empty()) {
            GTEST_SKIP() << "no TrueType font installed";
        }
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(readWholeFile(path, bytes, 16 << 20));
        ASSERT_NE(registerFontMemory("TestFace", bytes.data(), bytes.size()), 0);
        bytes.assign(bytes.size(), 0);  // the layer keeps its own copy
        font = loadFont(-1, "TestFace", 24, FontHighQuality);
        ASSERT_NE(font, 0);
        setDrawingFont(font);
    }
    void TearDown() override
    {
        freeFont(font);
        ScreenTest::TearDown();
    }
    int font = 0;
};

TEST_F(TextTest, TextColoursOnlyPixelsInsideItsMeasuredBox)
{
    const std::string text = "Hamburgefonstiv Ög";
    int w = textWidth(text), h = textHeight(text);
    ASSERT_GT(w, 0);
    // 24 points at 96 dpi is a 32-pixel em; the line is at least that tall.
    EXPECT_GE(h, 32);
    EXPECT_LT(h, 64);
    int sprite = createSprite(-1, w + 40, h + 40, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(sprite), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(15, 20, text, rgba(255, 0, 0));
    endDrawing();

    Box box = ChangedBox(sprite, 0);
    ASSERT_GE(box.right, 0) << "no pixel changed";
    EXPECT_GE(box.left, 15);
    EXPECT_GE(box.top, 20);
    EXPECT_LE(box.right, 15 + w);
    EXPECT_LE(box.bottom, 20 + h);
    // Glyphs cover a good part of the box's width.
    EXPECT_GT(box.right - box.left, w / 2);
    int solid = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            uint32_t pixel = spritePixel(sprite, x, y);
            if (pixel == 0) {
                continue;
            }
            // On a transparent target the text keeps its own colour; the
            // antialiasing is in the alpha alone.
            EXPECT_EQ(pixel & 0xFFFFFF, 0x0000FFu) << x << "," << y;
            solid += (pixel >> 24) == 255;
        }
    }
    EXPECT_GT(solid, 50);
    freeSprite(sprite);
}

TEST_F(TextTest, ColourAlphaMakesTranslucentTextAndWhiteIsTheDefault)
{
    int sprite = MakeSolidSprite(-1, 120, 60, rgba(255, 255, 255));
    ASSERT_NE(beginDrawing(sprite), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(2, 2, "HHHH", rgba(0, 0, 0, 95));
    endDrawing();
    int darkest = 255;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            uint32_t pixel = spritePixel(sprite, x, y);
            darkest = std::min(darkest, static_cast<int>(pixel & 0xFF));
            EXPECT_EQ(pixel >> 24, 255u);  // an opaque sprite stays opaque
        }
    }
    // 95/255 of black over white: 160, never darker.
    EXPECT_NEAR(darkest, 160, 2);

    int blank = MakeSolidSprite(-1, 120, 60, rgba(0, 0, 0));
    ASSERT_NE(beginDrawing(blank), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(2, 2, "HHHH");
    endDrawing();
    int brightest = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 120; ++x) {
            uint32_t pixel = spritePixel(blank, x, y);
            EXPECT_EQ(pixel & 0xFF, (pixel >> 8) & 0xFF);  // grey: white over black
            brightest = std::max(brightest, static_cast<int>(pixel & 0xFF));
        }
    }
    EXPECT_EQ(brightest, 255);
    freeSprite(sprite);
    freeSprite(blank);
}

TEST_F(TextTest, SizeInPointsAndSyntheticBoldChangeTheMeasure)
{
    const std::string text = "Settings";
    int regular = textWidth(text);
    int big = loadFont(-1, "TestFace", 48, FontHighQuality);
    int bold = loadFont(-1, "TestFace", 24, FontHighQuality | FontBold);
    ASSERT_NE(big, 0);
    ASSERT_NE(bold, 0);
    setDrawingFont(big);
    EXPECT_NEAR(textWidth(text), 2 * regular, 4);
    setDrawingFont(bold);
    EXPECT_GT(textWidth(text), regular);
    EXPECT_EQ(loadFont(-1, "NoSuchFace", 24, 0), 0);
    setDrawingFont(12345);
    EXPECT_EQ(textWidth(text), 0);
    freeFont(big);
    freeFont(bold);
}

TEST_F(TextTest, PlainQualityTextIsSolidAndStaysInItsBox)
{
    int plain = loadFont(-1, "TestFace", 20, 0);
    ASSERT_NE(plain, 0);
    setDrawingFont(plain);
    const std::string text = "Quick Game";
    int w = textWidth(text), h = textHeight(text);
    int sprite = createSprite(-1, w + 20, h + 20, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(sprite), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(10, 10, text, rgba(0, 255, 0));
    endDrawing();
    Box box = ChangedBox(sprite, 0);
    ASSERT_GE(box.right, 0) << "no pixel changed";
    EXPECT_GE(box.left, 10);
    EXPECT_LE(box.right, 10 + w);
    EXPECT_LE(box.bottom, 10 + h);
    for (int y = 0; y < spriteHeight(sprite); ++y) {
        for (int x = 0; x < spriteWidth(sprite); ++x) {
            uint32_t pixel = spritePixel(sprite, x, y);
            EXPECT_TRUE(pixel == 0 || pixel == rgba(0, 255, 0)) << x << "," << y;
        }
    }
    freeSprite(sprite);
    freeFont(plain);
}

TEST_F(TextTest, WithoutTransparentModeTheTextBoxIsFilled)
{
    int sprite = createSprite(-1, 100, 60, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(sprite), 0);
    drawText(4, 4, "ii", rgba(255, 255, 0));
    endDrawing();
    EXPECT_EQ(spritePixel(sprite, 4, 4), rgba(0, 0, 0));
    EXPECT_EQ(spritePixel(sprite, 4 + textWidth("ii"), 4), 0u);
    freeSprite(sprite);
}

TEST(ImageTest, SmoothResizeAveragesAndBlendedDrawHonoursAlpha)
{
    ASSERT_TRUE(initSprite());
    const uint32_t black = rgba(0, 0, 0), white = rgba(255, 255, 255);
    std::vector<uint8_t> checker = MakePng(4, 4, {black, white, black, white,
                                                  white, black, white, black,
                                                  black, white, black, white,
                                                  white, black, white, black});
    int image = loadImage(-1, checker.data(), checker.size());
    ASSERT_NE(image, 0);
    EXPECT_EQ(imageWidth(image), 4);
    ASSERT_NE(resizeImage(image, 2, 2, 1), 0);
    EXPECT_EQ(imageWidth(image), 2);
    EXPECT_EQ(imageHeight(image), 2);

    int target = createSprite(-1, 4, 2, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(target), 0);
    drawImage(image, 0, 0);
    endDrawing();
    EXPECT_TRUE(ColourNear(spritePixel(target, 1, 1), rgba(128, 128, 128), 1));

    // Half-transparent red over opaque blue: a copy keeps red with its alpha,
    // a blended draw mixes and stays opaque.
    std::vector<uint8_t> red = MakeSolidPng(2, 2, rgba(255, 0, 0, 128));
    int overlay = loadImage(-1, red.data(), red.size());
    std::vector<uint8_t> blue = MakeSolidPng(4, 2, rgba(0, 0, 255));
    ASSERT_NE(loadSprite(target, blue.data(), blue.size(), SpriteAlphaBlending), 0);
    ASSERT_NE(beginDrawing(target), 0);
    drawImage(overlay, 0, 0);
    drawImageBlended(overlay, 2, 0);
    endDrawing();
    EXPECT_EQ(spritePixel(target, 0, 0), rgba(255, 0, 0, 128));
    EXPECT_TRUE(ColourNear(spritePixel(target, 2, 0), rgba(128, 0, 127), 1));
    EXPECT_EQ(spritePixel(target, 3, 1), spritePixel(target, 2, 0));

    // Blending onto a transparent target keeps the source colour.
    int clear = createSprite(-1, 2, 2, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(clear), 0);
    drawImageBlended(overlay, 1, 1);  // partly outside: clipped
    drawImage(overlay, -1, -1);
    endDrawing();
    EXPECT_TRUE(ColourNear(spritePixel(clear, 1, 1), rgba(255, 0, 0, 128), 1));
    EXPECT_EQ(spritePixel(clear, 0, 0), rgba(255, 0, 0, 128));
    EXPECT_EQ(spritePixel(clear, 1, 0), 0u);
    EXPECT_EQ(spritePixel(clear, 0, 1), 0u);

    freeImage(image);
    freeImage(overlay);
    freeSprite(target);
    freeSprite(clear);
    EXPECT_FALSE(isImage(image));
}
