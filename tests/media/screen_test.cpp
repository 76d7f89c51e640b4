// Sprites, images and text on the real software renderer: what reaches the
// back buffer, and which frames are shown.
#include "media_support.h"

namespace {

constexpr uint32_t Black = rgba(0, 0, 0), White = rgba(255, 255, 255), Blue = rgba(0, 0, 255);
constexpr uint32_t HalfRed = rgba(255, 0, 0, 128), Mixed = rgba(128, 0, 127);

int LoadImage(const std::vector<uint8_t>& png)
{
    return loadImage(-1, png.data(), png.size());
}

TEST_F(ScreenTest, SpritesAreCopiedBlendedClippedZoomedAndGrabbed)
{
    PaintBackground(Blue);
    ASSERT_NE(MakeSolidSprite(51, 10, 10, HalfRed), 0);
    drawSprite(51, 0, 0);
    drawSpriteBlended(51, 20, 0);
    EXPECT_EQ(GrabPixel(5, 5) & 0xFFFFFF, 0x0000FFu);
    EXPECT_TRUE(ColourNear(spritePixel(0, 25, 5), Mixed, 2)) << "the grab is opaque, the draw blended";

    PaintBackground(Black);  // clipped at every edge; wholly-off draws leave nothing
    ASSERT_NE(MakeSolidSprite(52, 10, 10, White), 0);
    const int w = TestScreenWidth, h = TestScreenHeight;
    for (const auto& [x, y] : {std::pair{-5, 10}, {w - 5, 30}, {20, -5}, {40, h - 5}, {-20, 0}, {w, 0}, {0, -10}, {0, h}})
        drawSprite(52, x, y);
    drawSpriteBlended(52, -100000, 100000);
    GrabPixel(0, 0);
    const int probes[][3] = {{0, 10, 1}, {4, 19, 1}, {5, 10, 0}, {w - 5, 30, 1}, {w - 1, 39, 1}, {w - 6, 30, 0},
                             {20, 0, 1}, {29, 4, 1}, {20, 5, 0}, {40, h - 5, 1}, {49, h - 1, 1}, {40, h - 6, 0},
                             {0, 0, 0}, {w - 1, h - 1, 0}, {0, h - 1, 0}};
    for (const auto& p : probes)
        EXPECT_EQ(spritePixel(0, p[0], p[1]) == White, p[2] == 1) << p[0] << "," << p[1];
    EXPECT_EQ(grabScreen(0, w - 4, 0, 8, 8) + grabScreen(0, -1, 0, 8, 8), 0) << "a grab outside the screen";

    // A zoom resamples from the original picture each time; -1 keeps a side.
    const std::vector<uint8_t> checker = MakePng(2, 2, [](int x, int y) { return (x + y) % 2 ? White : Black; });
    ASSERT_NE(loadSprite(53, checker.data(), checker.size(), SpriteKeepDesign), 0);
    zoomSprite(53, 1, 1);
    EXPECT_TRUE(ColourNear(spritePixel(53, 0, 0), rgba(128, 128, 128), 1));
    zoomSprite(53, 8, -1);
    EXPECT_EQ(spriteWidth(53) * 100 + spriteHeight(53), 802);
    EXPECT_LT(spritePixel(53, 0, 0) & 0xFF, 40u);
    EXPECT_GT(spritePixel(53, 7, 0) & 0xFF, 215u);
    PaintBackground(Blue);
    drawSprite(53, 0, 0);
    EXPECT_EQ(GrabPixel(8, 1), Blue) << "drawn at its zoomed size";

    // A screenshot is a 24-bit BMP of the grab, blue green red.
    PaintBackground(rgba(10, 200, 30));
    GrabPixel(0, 0);
    TempFolder folder;
    ASSERT_NE(saveSpriteBmp(0, folder.File("shot.bmp")), 0);
    const std::string bmp = ReadBytes(folder.File("shot.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2) + bmp[28] + bmp.substr(uint8_t(bmp[10]), 3), std::string("BM\x18\x1E\xC8\x0A"));
}

TEST_F(ScreenTest, DrawingIntoSpritesTextAndImages)
{
    // Drawing into a zoomed sprite needs its design picture, and the shown
    // picture follows; a copy is independent; translucent pixels make it blend.
    ASSERT_NE(MakeSolidSprite(57, 4, 4, Black), 0);
    zoomSprite(57, 2, 2);
    EXPECT_EQ(beginDrawing(57), 0);
    const std::vector<uint8_t> black = MakeSolidPng(4, 4, Black);
    ASSERT_NE(loadSprite(55, black.data(), black.size(), SpriteKeepDesign), 0);
    zoomSprite(55, 2, 2);
    const int white = LoadImage(MakeSolidPng(4, 4, White)), red = LoadImage(MakeSolidPng(8, 8, HalfRed));
    ASSERT_NE(beginDrawing(55), 0);
    drawImage(white, 2, 0);  // the right half of the 4x4 design picture
    ASSERT_NE(MakeSolidSprite(56, 6, 6, Blue), 0);
    const int copy = copySprite(56, -1, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(copy), 0);  // starting on another target finishes this one
    drawImage(red, 0, 0);
    endDrawing();
    EXPECT_EQ(spritePixel(55, 0, 0), Black);
    EXPECT_EQ(spritePixel(55, 1, 1) + spritePixel(56, 3, 3), White + Blue);
    PaintBackground(Blue);
    drawSprite(55, 30, 30);
    drawSpriteBlended(copy, 0, 0);
    EXPECT_EQ(GrabPixel(31, 31), White);
    EXPECT_TRUE(ColourNear(spritePixel(0, 1, 1), Mixed, 2));

    // Text: 24 points at 96 dpi is a 32-pixel em; on a transparent target it
    // keeps its colour (antialiased in the alpha) inside its measured box;
    // its colour's alpha makes it translucent.
    const std::string font = ReadBytes("/usr/share/fonts/truetype/quicksand/Quicksand-Regular.ttf");
    ASSERT_NE(registerFontMemory("TestFace", reinterpret_cast<const uint8_t*>(font.data()), font.size()), 0);
    const int regular = loadFont(-1, "TestFace", 24, FontHighQuality), bold = loadFont(-1, "TestFace", 24, FontBold);
    setDrawingFont(bold);
    const int boldWidth = textWidth("Hamburgefonstiv");
    setDrawingFont(regular);
    const int tw = textWidth("Hamburgefonstiv"), th = textHeight("Hamburgefonstiv");
    EXPECT_TRUE(th >= 32 && th < 64 && boldWidth > tw) << th;
    const int sprite = createSprite(-1, tw + 40, th + 40, SpriteAlphaBlending), paper = MakeSolidSprite(-1, 200, 60, White);
    ASSERT_NE(beginDrawing(sprite), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(15, 20, "Hamburgefonstiv", rgba(255, 0, 0));
    ASSERT_NE(beginDrawing(paper), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(2, 2, "HHHH", rgba(0, 0, 0, 95));
    endDrawing();
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1, darkest = 255;
    for (int y = 0; y < th + 40; ++y)
        for (int x = 0; x < tw + 40; ++x)
            if (const uint32_t pixel = spritePixel(sprite, x, y)) {
                EXPECT_EQ(pixel & 0xFFFFFF, 0x0000FFu) << x << "," << y;
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
            }
    EXPECT_TRUE(left >= 15 && top >= 20 && right < 15 + tw && bottom < 20 + th && right - left > tw / 2);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            darkest = std::min(darkest, int(spritePixel(paper, x, y) & 0xFF));
    EXPECT_NEAR(darkest, 160, 2) << "95/255 of black over white";

    // Images: a smooth resize averages; a copy keeps alpha, a blended draw mixes.
    const int image = LoadImage(MakePng(4, 4, [](int x, int y) { return (x + y) % 2 ? White : Black; }));
    ASSERT_NE(resizeImage(image, 2, 2, 1), 0);
    const int target = MakeSolidSprite(-1, 6, 2, Blue);
    ASSERT_NE(beginDrawing(target), 0);
    drawImage(image, 4, 0);
    drawImageBlended(red, -4, 0);
    drawImage(red, -6, 0);
    endDrawing();
    EXPECT_TRUE(ColourNear(spritePixel(target, 5, 1), rgba(128, 128, 128), 1));
    EXPECT_EQ(spritePixel(target, 0, 0), HalfRed);
    EXPECT_TRUE(ColourNear(spritePixel(target, 3, 1), Mixed, 1));

    // Bad numbers and bad pictures do nothing; sprites go with the screen, images stay.
    const uint8_t garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(loadSprite(-1, garbage, sizeof garbage, 0) + loadImage(-1, black.data(), black.size() / 2), 0);
    for (int number : {-1, 777, 123456}) {
        drawSprite(number, 0, 0);
        zoomSprite(number, 10, 10);
        freeSprite(number);
        EXPECT_EQ(spriteWidth(number) + beginDrawing(number) + copySprite(number, -1, 0) + resizeImage(number, 2, 2, 1), 0);
    }
    EXPECT_GE(createSprite(-1, 4, 4, SpriteOpaque), 1000);
    EXPECT_EQ(createSprite(0, 3, 3, SpriteOpaque), 1);  // object 0 answers non-zero
    closeScreen();
    EXPECT_FALSE(isSprite(copy));
    EXPECT_TRUE(isImage(image));
}

// A frame is composed and shown only where it differs from the one on
// screen; a picture changed after it was drawn still shows as drawn; an
// exposed window is shown again.
TEST_F(ScreenTest, OnlyFramesThatChangeAreComposedAndShown)
{
    ASSERT_NE(MakeSolidSprite(50, TestScreenWidth, TestScreenHeight, Blue), 0);
    ASSERT_NE(MakeSolidSprite(58, 8, 8, rgba(255, 255, 255, 128)), 0);
    const auto pass = [](int x) {
        drawSprite(50, 0, 0);
        drawSpriteBlended(58, x, 10);
        presentFrame();
    };
    pass(10);
    const int64_t shown = framesShown();
    pass(10);
    pass(10);
    EXPECT_EQ(framesShown(), shown) << "a still frame was shown again";
    pass(20);  // moved: shown once, and the old place shows the background again
    EXPECT_EQ(framesShown(), shown + 1);
    EXPECT_EQ(GrabPixel(12, 12), Blue);
    EXPECT_TRUE(ColourNear(spritePixel(0, 22, 12), rgba(128, 128, 255), 2));

    drawSprite(50, 0, 0);
    drawSpriteBlended(58, 30, 30);
    const int black = LoadImage(MakeSolidPng(8, 8, Black));
    ASSERT_TRUE(beginDrawing(58));
    drawImage(black, 0, 0);
    endDrawing();
    freeSprite(58);
    EXPECT_TRUE(ColourNear(GrabPixel(32, 32), rgba(128, 128, 255), 2));

    presentFrame();
    for (int frame = 0; frame < 2; frame++) {
        drawSprite(50, 0, 0);
        presentFrame();
    }
    const int64_t beforeExpose = framesShown();
    injectWindowEvent(EventRepaint);
    DrainEvents();
    drawSprite(50, 0, 0);
    presentFrame();
    EXPECT_EQ(framesShown(), beforeExpose + 1);
}

}  // namespace
