// Sprites, images and text on the real software renderer: what reaches the
// back buffer, and which frames are shown.
#include "media_support.h"

namespace {

constexpr uint32_t Black = rgba(0, 0, 0), White = rgba(255, 255, 255), Blue = rgba(0, 0, 255);
constexpr uint32_t HalfRed = rgba(255, 0, 0, 128);

int LoadImage(const std::vector<uint8_t>& png)
{
    return loadImage(-1, png.data(), png.size());
}

TEST_F(ScreenTest, SpritesAreCopiedBlendedAndClipped)
{
    PaintBackground(Blue);
    ASSERT_NE(MakeSolidSprite(51, 10, 10, HalfRed), 0);
    drawSprite(51, 0, 0);
    drawSpriteBlended(51, 20, 0);
    EXPECT_TRUE(ColourNear(GrabPixel(5, 5) & 0xFFFFFF, rgba(255, 0, 0, 0), 1));
    EXPECT_TRUE(ColourNear(spritePixel(0, 25, 5), rgba(128, 0, 127), 2));
    EXPECT_EQ(spritePixel(0, 25, 5) >> 24, 255u) << "the grab is opaque";

    // Clipped at every edge; wholly-off draws leave nothing.
    PaintBackground(Black);
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
        EXPECT_EQ((spritePixel(0, p[0], p[1]) & 0xFFFFFF) == 0xFFFFFF, p[2] == 1) << p[0] << "," << p[1];
    EXPECT_EQ(grabScreen(0, w - 4, 0, 8, 8), 0) << "a grab outside the screen fails";
    EXPECT_EQ(grabScreen(0, -1, 0, 8, 8), 0);
    PaintBackground(rgba(10, 200, 30));  // a screenshot: a 24-bit BMP of the grab, blue green red
    GrabPixel(0, 0);
    TempFolder folder;
    ASSERT_NE(saveSpriteBmp(0, folder.File("shot.bmp")), 0);
    const std::string bmp = ReadBytes(folder.File("shot.bmp"));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2) + bmp[28] + bmp.substr(uint8_t(bmp[10]), 3), std::string("BM\x18\x1E\xC8\x0A"));
}

TEST_F(ScreenTest, ZoomAndDrawingIntoSprites)
{
    const std::vector<uint8_t> checker = MakePng(2, 2, [](int x, int y) { return (x + y) % 2 ? White : Black; });
    ASSERT_NE(loadSprite(53, checker.data(), checker.size(), SpriteKeepDesign), 0);
    zoomSprite(53, 1, 1);
    EXPECT_TRUE(ColourNear(spritePixel(53, 0, 0), rgba(128, 128, 128), 1));
    zoomSprite(53, 8, 8);  // from the 2x2 original again, not from the grey
    EXPECT_EQ(spriteWidth(53) * 100 + spriteHeight(53), 808);
    EXPECT_LT(spritePixel(53, 0, 0) & 0xFF, 40u);
    EXPECT_GT(spritePixel(53, 7, 0) & 0xFF, 215u);
    zoomSprite(53, -1, 6);  // -1 keeps the picture's own size on that side
    EXPECT_EQ(spriteWidth(53) * 100 + spriteHeight(53), 206);
    PaintBackground(Blue);
    ASSERT_NE(MakeSolidSprite(54, 4, 4, White), 0);
    zoomSprite(54, 12, 9);
    drawSprite(54, 0, 0);
    EXPECT_EQ(GrabPixel(11, 8), White);
    EXPECT_EQ(spritePixel(0, 12, 8), Blue);
    EXPECT_EQ(spritePixel(0, 11, 9), Blue);

    // Without SpriteKeepDesign a zoomed sprite keeps only its zoomed picture.
    ASSERT_NE(MakeSolidSprite(57, 4, 4, Black), 0);
    zoomSprite(57, 2, 2);
    EXPECT_EQ(beginDrawing(57), 0);
    const std::vector<uint8_t> black = MakeSolidPng(4, 4, Black);
    ASSERT_NE(loadSprite(55, black.data(), black.size(), SpriteKeepDesign), 0);
    zoomSprite(55, 2, 2);
    const int white = LoadImage(MakeSolidPng(4, 4, White));
    ASSERT_NE(beginDrawing(55), 0);
    drawImage(white, 2, 0);  // the right half of the 4x4 design picture
    endDrawing();
    EXPECT_EQ(spriteWidth(55), 2);
    EXPECT_EQ(spritePixel(55, 0, 0), Black);
    EXPECT_EQ(spritePixel(55, 1, 1), White);
    PaintBackground(Blue);
    drawSprite(55, 30, 30);
    EXPECT_EQ(GrabPixel(31, 31), White) << "the texture shown follows the new picture";
    ASSERT_NE(beginDrawing(55), 0);
    drawImage(white, -2, 0);
    ASSERT_NE(beginDrawing(50), 0);  // starting on another target finishes this one
    endDrawing();
    EXPECT_EQ(spritePixel(55, 0, 0), White);

    // Copies are independent; a sprite that gets translucent pixels blends again.
    const int copy = copySprite(50, -1, SpriteAlphaBlending);
    ASSERT_GE(copy, 1000);
    const int red = LoadImage(MakeSolidPng(8, 8, HalfRed));
    ASSERT_NE(beginDrawing(copy), 0);
    drawImage(red, 0, 0);
    endDrawing();
    EXPECT_EQ(spritePixel(50, 3, 3), Blue);
    PaintBackground(Blue);
    drawSpriteBlended(copy, 0, 0);
    EXPECT_TRUE(ColourNear(GrabPixel(4, 4), rgba(128, 0, 127), 2));
}

TEST_F(ScreenTest, ObjectNumbersAndBadInput)
{
    const int first = createSprite(-1, 4, 4, SpriteOpaque);
    ASSERT_GE(first, 1000);
    ASSERT_NE(createSprite(1500, 4, 4, SpriteOpaque), 0);
    EXPECT_GT(createSprite(-1, 4, 4, SpriteOpaque), 1500);
    EXPECT_EQ(createSprite(0, 3, 3, SpriteOpaque), 1);  // object 0 answers non-zero
    EXPECT_EQ(createSprite(-7, 4, 4, SpriteOpaque), 0);
    EXPECT_EQ(createSprite(-1, 0, 4, SpriteOpaque), 0);
    freeSprite(1500);
    EXPECT_FALSE(isSprite(1500));
    EXPECT_NE(createSprite(1500, 8, 2, SpriteOpaque), 0);
    EXPECT_EQ(spriteWidth(1500), 8);
    const uint8_t garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::vector<uint8_t> cut = MakeSolidPng(16, 16, White);
    cut.resize(cut.size() / 2);
    for (const auto& bytes : {std::vector<uint8_t>(garbage, garbage + 16), cut, std::vector<uint8_t>()}) {
        EXPECT_EQ(loadSprite(-1, bytes.data(), bytes.size(), SpriteOpaque), 0);
        EXPECT_EQ(loadImage(-1, bytes.data(), bytes.size()), 0);
    }
    for (int number : {-1, -99, 777, 123456}) {
        drawSprite(number, 0, 0);
        drawSpriteBlended(number, 0, 0);
        zoomSprite(number, 10, 10);
        freeSprite(number);
        EXPECT_EQ(spriteWidth(number) + beginDrawing(number) + copySprite(number, -1, 0) + resizeImage(number, 2, 2, 1), 0);
        EXPECT_EQ(spritePixel(number, 0, 0), 0u);
    }
    drawText(0, 0, "nothing");  // no target: ignored
    drawImage(1, 0, 0);
    endDrawing();
    const int image = LoadImage(MakeSolidPng(2, 2, White));
    closeScreen();  // sprites go with the screen; images stay
    EXPECT_FALSE(isSprite(first) || isSprite(1500));
    EXPECT_TRUE(isImage(image));
}

// A frame is composed and shown only where it differs from the one on
// screen; a picture changed after it was drawn still shows as drawn.
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
    injectWindowEvent(EventRepaint);  // an exposed window is shown whole again
    DrainEvents();
    drawSprite(50, 0, 0);
    presentFrame();
    EXPECT_EQ(framesShown(), beforeExpose + 1);
}

TEST_F(ScreenTest, TextAndImagesDrawnIntoSprites)
{
    const std::string font = ReadBytes("/usr/share/fonts/truetype/quicksand/Quicksand-Regular.ttf");
    ASSERT_NE(registerFontMemory("TestFace", reinterpret_cast<const uint8_t*>(font.data()), font.size()), 0);
    const int regular = loadFont(-1, "TestFace", 24, FontHighQuality), big = loadFont(-1, "TestFace", 48, FontHighQuality);
    const int bold = loadFont(-1, "TestFace", 24, FontHighQuality | FontBold), plain = loadFont(-1, "TestFace", 24, 0);
    ASSERT_TRUE(regular && big && bold && plain);
    setDrawingFont(regular);
    const std::string text = "Hamburgefonstiv \xC3\x96g";
    const int w = textWidth(text), h = textHeight(text);
    EXPECT_GE(h, 32);  // 24 points at 96 dpi: a 32-pixel em
    EXPECT_LT(h, 64);
    setDrawingFont(big);
    EXPECT_NEAR(textWidth(text), 2 * w, 6);
    setDrawingFont(bold);
    EXPECT_GT(textWidth(text), w);
    EXPECT_EQ(loadFont(-1, "NoSuchFace", 24, 0), 0);

    // On a transparent target text keeps its colour, antialiased in the alpha
    // alone (plain quality: solid), and stays inside its measured box.
    for (int font : {regular, plain}) {
        setDrawingFont(font);
        const int sprite = createSprite(-1, w + 40, h + 40, SpriteAlphaBlending);
        ASSERT_NE(beginDrawing(sprite), 0);
        setDrawingMode(DrawTransparent | DrawAlphaBlend);
        drawText(15, 20, text, rgba(255, 0, 0));
        endDrawing();
        int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1, solid = 0;
        for (int y = 0; y < spriteHeight(sprite); ++y)
            for (int x = 0; x < spriteWidth(sprite); ++x) {
                const uint32_t pixel = spritePixel(sprite, x, y);
                if (pixel == 0)
                    continue;
                EXPECT_EQ(pixel & 0xFFFFFF, 0x0000FFu) << x << "," << y;
                EXPECT_TRUE(font == regular || pixel >> 24 == 255);
                solid += pixel >> 24 == 255;
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
            }
        EXPECT_TRUE(left >= 15 && top >= 20 && right < 15 + w && bottom < 20 + h) << left << " " << top << " " << right << " " << bottom;
        EXPECT_GT(right - left, w / 2);
        EXPECT_GT(solid, 50);
    }
    // Translucent black over white is never darker than its alpha allows;
    // white is the default colour; without transparent mode the box is filled.
    setDrawingFont(regular);
    const int paper = MakeSolidSprite(-1, 200, 60, White);
    ASSERT_NE(beginDrawing(paper), 0);
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(2, 2, "HHHH", rgba(0, 0, 0, 95));
    setDrawingMode(0);
    drawText(160, 2, "ii", rgba(255, 255, 0));
    endDrawing();
    int darkest = 255;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 150; ++x)
            darkest = std::min(darkest, int(spritePixel(paper, x, y) & 0xFF));
    EXPECT_NEAR(darkest, 160, 2);
    EXPECT_EQ(spritePixel(paper, 160, 2), Black);
    EXPECT_EQ(spritePixel(paper, 160 + textWidth("ii"), 2), White);

    // Images: a smooth resize averages; a copy keeps alpha, a blended draw
    // mixes and stays opaque, and over a transparent target keeps the colour.
    const int image = LoadImage(MakePng(4, 4, [](int x, int y) { return (x + y) % 2 ? White : Black; }));
    ASSERT_NE(resizeImage(image, 2, 2, 1), 0);
    EXPECT_EQ(imageWidth(image) * 10 + imageHeight(image), 22);
    const int overlay = LoadImage(MakeSolidPng(2, 2, HalfRed));
    const int target = MakeSolidSprite(-1, 6, 2, Blue), clear = createSprite(-1, 2, 2, SpriteAlphaBlending);
    ASSERT_NE(beginDrawing(target), 0);
    drawImage(image, 4, 0);
    drawImage(overlay, 0, 0);
    drawImageBlended(overlay, 2, 0);
    ASSERT_NE(beginDrawing(clear), 0);
    drawImageBlended(overlay, 1, 1);  // partly outside: clipped
    endDrawing();
    EXPECT_TRUE(ColourNear(spritePixel(target, 5, 1), rgba(128, 128, 128), 1));
    EXPECT_EQ(spritePixel(target, 0, 0), HalfRed);
    EXPECT_TRUE(ColourNear(spritePixel(target, 3, 1), rgba(128, 0, 127), 1));
    EXPECT_TRUE(ColourNear(spritePixel(clear, 1, 1), HalfRed, 1));
    EXPECT_EQ(spritePixel(clear, 0, 1), 0u);
}

}  // namespace
