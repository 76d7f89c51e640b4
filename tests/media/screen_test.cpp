// Sprites on the real compositor: what reaches the frame, and which frames are shown.
#include "media_support.h"
#include "media/frame_pacing.h"

namespace {

constexpr uint32_t Black = rgba(0, 0, 0), White = rgba(255, 255, 255), Blue = rgba(0, 0, 255);
constexpr uint32_t HalfRed = rgba(255, 0, 0, 128), Mixed = rgba(128, 0, 127);

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
    const std::vector<uint8_t> blackPng = MakeSolidPng(8, 8, Black);
    const int black = loadImage(-1, blackPng.data(), blackPng.size());
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

// The pace followed frame by frame on a counter of 1000 ticks a frame: early
// frames wait for their beat, a late one keeps the beat, and after a stall the
// frames that follow come a whole period apart, neither rushed nor shifted.
TEST(FramePacing, TheBeatSurvivesLateFramesAndAStall)
{
    const int work[] = {300, 999, 1000, 1500, 300, 1999, 2001, 300, 30000, 300, 700, 1200, 100};
    const uint64_t shownAt[] = {1000, 2000, 3000, 4500, 5000, 6999, 9000, 10000, 40000, 41000, 42000, 43200, 44000};
    uint64_t clock = 0, beat = 0;
    for (size_t i = 0; i < std::size(work); ++i) {
        clock += uint64_t(work[i]);
        const FramePace pace = NextFramePace(beat, clock, 1000);
        clock = std::max(clock, pace.waitUntil);
        beat = pace.shownAt;
        EXPECT_EQ(clock, shownAt[i]) << i;
    }
}

}  // namespace
