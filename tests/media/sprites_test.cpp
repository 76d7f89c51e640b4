// Sprites on the real software renderer: what reaches the back buffer.
#include "media_fixture.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr uint32_t Black = rgba(0, 0, 0);
constexpr uint32_t White = rgba(255, 255, 255);
constexpr uint32_t Blue = rgba(0, 0, 255);

// Covers the whole screen with an opaque colour (sprite 50).
void PaintBackground(uint32_t colour)
{
    ASSERT_NE(MakeSolidSprite(50, TestScreenWidth, TestScreenHeight, colour), 0);
    drawSprite(50, 0, 0);
}

}  // namespace

class SpriteTest : public ScreenTest {};

TEST_F(SpriteTest, OpaqueCopyReplacesAndBlendedDrawMixesWithTheBackground)
{
    PaintBackground(Blue);
    ASSERT_NE(MakeSolidSprite(51, 10, 10, rgba(255, 0, 0, 128)), 0);
    drawSprite(51, 0, 0);
    drawSpriteBlended(51, 20, 0);

    uint32_t copied = GrabPixel(5, 5);
    EXPECT_TRUE(ColourNear(copied & 0x00FFFFFF, rgba(255, 0, 0, 0), 1));
    EXPECT_TRUE(ColourNear(GrabPixel(25, 5), rgba(128, 0, 127), 2));
    EXPECT_TRUE(ColourNear(GrabPixel(40, 5), Blue, 0));
    // The grabbed picture is opaque whatever the back buffer's alpha says.
    EXPECT_EQ(spritePixel(0, 25, 5) >> 24, 255u);
}

TEST_F(SpriteTest, SpritesAreClippedAtEveryScreenEdge)
{
    PaintBackground(Black);
    ASSERT_NE(MakeSolidSprite(52, 10, 10, White), 0);
    const int w = TestScreenWidth, h = TestScreenHeight;
    drawSprite(52, -5, 10);      // left edge: columns 0..4 shown
    drawSprite(52, w - 5, 30);   // right edge: last five columns
    drawSprite(52, 20, -5);      // top edge: rows 0..4
    drawSprite(52, 40, h - 5);   // bottom edge: last five rows
    drawSprite(52, -20, 0);      // wholly off every side
    drawSprite(52, w, 0);
    drawSprite(52, 0, -10);
    drawSprite(52, 0, h);
    drawSpriteBlended(52, -100000, 100000);
    ASSERT_NE(grabScreen(0, 0, 0, w, h), 0);

    auto white = [](int x, int y) { return (spritePixel(0, x, y) & 0xFFFFFF) == 0xFFFFFF; };
    EXPECT_TRUE(white(0, 10) && white(4, 19));
    EXPECT_FALSE(white(5, 10));
    EXPECT_TRUE(white(w - 5, 30) && white(w - 1, 39));
    EXPECT_FALSE(white(w - 6, 30));
    EXPECT_TRUE(white(20, 0) && white(29, 4));
    EXPECT_FALSE(white(20, 5));
    EXPECT_TRUE(white(40, h - 5) && white(49, h - 1));
    EXPECT_FALSE(white(40, h - 6));
    // Nothing of the wholly-off draws appears in the corners.
    EXPECT_FALSE(white(0, 0));
    EXPECT_FALSE(white(w - 1, h - 1));
    EXPECT_FALSE(white(0, h - 1));
}

TEST_F(SpriteTest, ZoomResamplesOnceFromTheOriginalPicture)
{
    std::vector<uint8_t> checker = MakePng(2, 2, {Black, White, White, Black});
    ASSERT_NE(loadSprite(53, checker.data(), checker.size(), SpriteKeepDesign), 0);

    zoomSprite(53, 1, 1);
    EXPECT_EQ(spriteWidth(53), 1);
    EXPECT_TRUE(ColourNear(spritePixel(53, 0, 0), rgba(128, 128, 128), 1));

    // Enlarging after a shrink starts again from the 2x2 original, so the
    // corners keep their own colours instead of the averaged grey.
    zoomSprite(53, 8, 8);
    EXPECT_EQ(spriteWidth(53), 8);
    EXPECT_EQ(spriteHeight(53), 8);
    EXPECT_LT(spritePixel(53, 0, 0) & 0xFF, 40u);
    EXPECT_GT(spritePixel(53, 7, 0) & 0xFF, 215u);

    // -1 keeps the picture's own size on that side.
    zoomSprite(53, -1, 6);
    EXPECT_EQ(spriteWidth(53), 2);
    EXPECT_EQ(spriteHeight(53), 6);
    zoomSprite(53, -1, -1);
    EXPECT_EQ(spriteWidth(53), 2);
    EXPECT_EQ(spritePixel(53, 1, 0), White);

    // A zoomed sprite reaches the screen at its zoomed size.
    PaintBackground(Blue);
    ASSERT_NE(MakeSolidSprite(54, 4, 4, White), 0);
    zoomSprite(54, 12, 9);
    drawSprite(54, 0, 0);
    EXPECT_TRUE(ColourNear(GrabPixel(11, 8), White, 0));
    EXPECT_TRUE(ColourNear(spritePixel(0, 12, 8), Blue, 0));
    EXPECT_TRUE(ColourNear(spritePixel(0, 11, 9), Blue, 0));
}

TEST_F(SpriteTest, DrawingIntoAZoomedSpriteUpdatesItsShownPicture)
{
    // Without SpriteKeepDesign a zoomed sprite keeps only its zoomed picture.
    ASSERT_NE(MakeSolidSprite(57, 4, 4, Black), 0);
    zoomSprite(57, 2, 2);
    EXPECT_EQ(beginDrawing(57), 0);
    EXPECT_EQ(spriteWidth(57), 2);

    std::vector<uint8_t> black = MakeSolidPng(4, 4, Black);
    ASSERT_NE(loadSprite(55, black.data(), black.size(), SpriteKeepDesign), 0);
    zoomSprite(55, 2, 2);
    std::vector<uint8_t> white = MakeSolidPng(4, 4, White);
    int image = loadImage(-1, white.data(), white.size());
    ASSERT_NE(image, 0);

    ASSERT_NE(beginDrawing(55), 0);
    drawImage(image, 2, 0);  // the right half of the 4x4 design picture
    endDrawing();
    EXPECT_EQ(spriteWidth(55), 2);
    EXPECT_TRUE(ColourNear(spritePixel(55, 0, 0), Black, 0));
    EXPECT_TRUE(ColourNear(spritePixel(55, 1, 1), White, 0));

    // And the texture shown follows the new picture.
    PaintBackground(Blue);
    drawSprite(55, 30, 30);
    EXPECT_TRUE(ColourNear(GrabPixel(31, 31), White, 0));

    // Starting on another target finishes the drawing into this one.
    ASSERT_NE(beginDrawing(55), 0);
    drawImage(image, -2, 0);
    ASSERT_NE(beginDrawing(50), 0);
    endDrawing();
    EXPECT_TRUE(ColourNear(spritePixel(55, 0, 0), White, 0));
    freeImage(image);
}

TEST_F(SpriteTest, CopiesAreIndependentOfTheirSource)
{
    ASSERT_NE(MakeSolidSprite(56, 6, 6, Blue), 0);
    int copy = copySprite(56, -1, SpriteAlphaBlending);
    ASSERT_GE(copy, 1000);
    std::vector<uint8_t> white = MakeSolidPng(6, 6, White);
    int image = loadImage(-1, white.data(), white.size());
    ASSERT_NE(beginDrawing(copy), 0);
    drawImage(image, 0, 0);
    endDrawing();
    EXPECT_EQ(spritePixel(copy, 3, 3), White);
    EXPECT_EQ(spritePixel(56, 3, 3), Blue);
    freeImage(image);
    freeSprite(copy);
}

TEST_F(SpriteTest, ObjectNumbersAreChosenFreedAndReused)
{
    int first = createSprite(-1, 4, 4, SpriteOpaque);
    ASSERT_GE(first, 1000);
    ASSERT_NE(createSprite(1500, 4, 4, SpriteOpaque), 0);
    int second = createSprite(-1, 4, 4, SpriteOpaque);
    EXPECT_GT(second, 1500);
    EXPECT_EQ(createSprite(0, 3, 3, SpriteOpaque), 1);  // object 0 answers non-zero
    EXPECT_EQ(spriteWidth(0), 3);
    EXPECT_EQ(createSprite(-7, 4, 4, SpriteOpaque), 0);
    EXPECT_EQ(createSprite(-1, 0, 4, SpriteOpaque), 0);

    freeSprite(1500);
    EXPECT_FALSE(isSprite(1500));
    EXPECT_NE(createSprite(1500, 8, 2, SpriteOpaque), 0);
    EXPECT_EQ(spriteWidth(1500), 8);

    // Sprites go with the screen; images stay.
    std::vector<uint8_t> png = MakeSolidPng(2, 2, White);
    int image = loadImage(-1, png.data(), png.size());
    closeScreen();
    EXPECT_FALSE(isSprite(first));
    EXPECT_FALSE(isSprite(1500));
    EXPECT_TRUE(isImage(image));
    freeImage(image);
}

TEST_F(SpriteTest, BadNumbersAndBadPicturesDoNothing)
{
    const uint8_t garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(loadSprite(-1, garbage, sizeof garbage, SpriteOpaque), 0);
    EXPECT_EQ(loadSprite(-1, nullptr, 0, SpriteOpaque), 0);
    std::vector<uint8_t> cut = MakeSolidPng(16, 16, White);
    cut.resize(cut.size() / 2);
    EXPECT_EQ(loadSprite(-1, cut.data(), cut.size(), SpriteOpaque), 0);
    EXPECT_EQ(loadImage(-1, garbage, sizeof garbage), 0);

    for (int number : {-1, -99, 777, 123456}) {
        drawSprite(number, 0, 0);
        drawSpriteBlended(number, 0, 0);
        zoomSprite(number, 10, 10);
        freeSprite(number);
        EXPECT_EQ(spriteWidth(number), 0);
        EXPECT_EQ(spritePixel(number, 0, 0), 0u);
        EXPECT_EQ(beginDrawing(number), 0);
        EXPECT_EQ(copySprite(number, -1, 0), 0);
        EXPECT_EQ(saveSpriteBmp(number, "/tmp/never.bmp"), 0);
        EXPECT_EQ(resizeImage(number, 2, 2, 1), 0);
    }
    // Drawing without a target is ignored.
    drawText(0, 0, "nothing");
    drawImage(1, 0, 0);
    endDrawing();
    // A grab outside the screen fails rather than reading past it.
    EXPECT_EQ(grabScreen(0, TestScreenWidth - 4, 0, 8, 8), 0);
    EXPECT_EQ(grabScreen(0, -1, 0, 8, 8), 0);
}

TEST_F(SpriteTest, ScreenshotIsA24BitBmpOfTheGrab)
{
    PaintBackground(rgba(10, 200, 30));
    ASSERT_NE(grabScreen(0, 0, 0, TestScreenWidth, TestScreenHeight), 0);
    std::string path = ::testing::TempDir() + "morvane_shot.bmp";
    ASSERT_NE(saveSpriteBmp(0, path), 0);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(readWholeFile(path, bytes, 1 << 20));
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28], 24);  // bits per pixel
    uint32_t offset = bytes[10] | bytes[11] << 8 | bytes[12] << 16 | static_cast<uint32_t>(bytes[13]) << 24;
    ASSERT_LT(offset + 3, bytes.size());
    EXPECT_EQ(bytes[offset], 30);      // blue, green, red
    EXPECT_EQ(bytes[offset + 1], 200);
    EXPECT_EQ(bytes[offset + 2], 10);
    removeFile(path);
}

TEST_F(SpriteTest, ASpriteThatLosesItsOpacityBlendsAgain)
{
    PaintBackground(Blue);
    ASSERT_NE(MakeSolidSprite(58, 8, 8, White), 0);
    drawSpriteBlended(58, 0, 0);
    EXPECT_TRUE(ColourNear(GrabPixel(4, 4), White, 0));

    // Copying translucent pixels into it makes it a picture with alpha.
    std::vector<uint8_t> red = MakeSolidPng(8, 8, rgba(255, 0, 0, 128));
    int image = loadImage(-1, red.data(), red.size());
    ASSERT_NE(beginDrawing(58), 0);
    drawImage(image, 0, 0);
    endDrawing();
    PaintBackground(Blue);
    drawSpriteBlended(58, 0, 0);
    EXPECT_TRUE(ColourNear(GrabPixel(4, 4), rgba(128, 0, 127), 2));
    freeImage(image);
}

// A frame is composed and shown only where it differs from the one on
// screen: a still pass shows nothing, a change shows exactly the new
// picture, and a picture changed after it was drawn still shows as drawn.
TEST_F(SpriteTest, OnlyFramesThatChangeAreComposedAndShown)
{
    auto pass = []() {
        drawSprite(50, 0, 0);
        drawSpriteBlended(58, 10, 10);
        presentFrame();
    };
    ASSERT_NE(MakeSolidSprite(50, TestScreenWidth, TestScreenHeight, Blue), 0);
    ASSERT_NE(MakeSolidSprite(58, 8, 8, rgba(255, 255, 255, 128)), 0);
    pass();
    const int64_t shown = framesShown();
    pass();
    pass();
    EXPECT_EQ(framesShown(), shown) << "a still frame was shown again";

    // Moved: shown once, and the old place shows the background again.
    drawSprite(50, 0, 0);
    drawSpriteBlended(58, 20, 10);
    presentFrame();
    EXPECT_EQ(framesShown(), shown + 1);
    ASSERT_NE(grabScreen(0, 0, 0, TestScreenWidth, TestScreenHeight), 0);
    EXPECT_TRUE(ColourNear(spritePixel(0, 12, 12), Blue, 0));
    EXPECT_TRUE(ColourNear(spritePixel(0, 22, 12), rgba(128, 128, 255), 2));

    // Drawn, then changed and freed before the frame is shown: the frame
    // shows the picture as it was when drawn.
    drawSprite(50, 0, 0);
    drawSpriteBlended(58, 30, 30);
    std::vector<uint8_t> black = MakeSolidPng(8, 8, Black);
    int image = loadImage(-1, black.data(), black.size());
    ASSERT_TRUE(beginDrawing(58));
    drawImage(image, 0, 0);
    endDrawing();
    freeSprite(58);
    freeImage(image);
    EXPECT_TRUE(ColourNear(GrabPixel(32, 32), rgba(128, 128, 255), 2));

    // An exposed window is shown whole again, though nothing changed.
    presentFrame();
    drawSprite(50, 0, 0);
    presentFrame();
    const int64_t beforeExpose = framesShown();
    drawSprite(50, 0, 0);
    presentFrame();
    EXPECT_EQ(framesShown(), beforeExpose);
    injectWindowEvent(EventRepaint);
    DrainEvents();
    drawSprite(50, 0, 0);
    presentFrame();
    EXPECT_EQ(framesShown(), beforeExpose + 1);
}
