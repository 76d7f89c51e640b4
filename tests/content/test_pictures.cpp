// Checks of the pictures the content build renders: every member exists at
// its design size (or its screen ratio), fits the loader's buffer, decodes
// with the game's own PNG loader, and shows its buttons, cells and stars
// where the screens expect them. Also reads the X cursor file back.
#include "assets/data_archive.h"
#include "media/media.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr size_t SmallLimit = 204800;
constexpr size_t ArtworkLimit = 4194304;

std::string PicturePath(const std::string& member)
{
    return std::string(MORVANE_BUILD_DIR) + "/content/pictures/" + member;
}

// The render step makes this folder whenever the tree builds its own content;
// a tree that copies prebuilt content has none.
bool PicturesBuiltHere()
{
    return std::filesystem::is_directory(std::string(MORVANE_BUILD_DIR) + "/content/pictures");
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t BigEndian32(const std::vector<uint8_t>& b, size_t at)
{
    return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) | b[at + 3];
}

uint32_t LittleEndian32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) | (uint32_t(b[at + 3]) << 24);
}

// The PNG header as written in the file: size and colour type.
struct PngHeader {
    bool valid = false;
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 0;
    int colourType = -1;  // 2 RGB, 3 palette, 6 RGBA
    bool hasTransparencyChunk = false;
};

PngHeader ReadPngHeader(const std::vector<uint8_t>& bytes)
{
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PngHeader h;
    if (bytes.size() < 33 || !std::equal(signature, signature + 8, bytes.begin()))
        return h;
    if (std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR")
        return h;
    h.width = BigEndian32(bytes, 16);
    h.height = BigEndian32(bytes, 20);
    h.bitDepth = bytes[24];
    h.colourType = bytes[25];
    // walk the chunks up to the first image data for a tRNS chunk
    size_t at = 8;
    while (at + 8 <= bytes.size()) {
        const uint32_t length = BigEndian32(bytes, at);
        const std::string type(bytes.begin() + at + 4, bytes.begin() + at + 8);
        if (type == "tRNS")
            h.hasTransparencyChunk = true;
        if (type == "IDAT" || type == "IEND")
            break;
        at += 12 + size_t(length);
    }
    h.valid = true;
    return h;
}

struct Rgba {
    int r, g, b, a;
};

// A picture decoded by the game's own loader, read pixel by pixel.
class Picture {
public:
    explicit Picture(const std::string& member)
    {
        bytes = ReadFile(PicturePath(member));
        if (!bytes.empty())
            sprite = loadSprite(-1, bytes.data(), bytes.size(), SpriteAlphaBlending);
    }
    ~Picture()
    {
        if (sprite)
            freeSprite(sprite);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool loaded() const { return sprite != 0; }
    int width() const { return spriteWidth(sprite); }
    int height() const { return spriteHeight(sprite); }
    Rgba at(int x, int y) const
    {
        const uint32_t p = spritePixel(sprite, x, y);
        return {int(p & 0xff), int((p >> 8) & 0xff), int((p >> 16) & 0xff), int(p >> 24)};
    }

    std::vector<uint8_t> bytes;

private:
    int sprite = 0;
};

bool IsTeal(const Rgba& p)
{
    return p.a > 200 && p.g > p.r + 40 && p.b > p.r + 40;
}

bool IsGold(const Rgba& p)
{
    return p.a > 200 && p.r > 225 && p.g > 150 && p.b < 150;
}

// The glazes of the close/no badges (red) and the confirm/yes badges (green).
bool IsBadgeRed(const Rgba& p)
{
    return p.a > 200 && p.r > 130 && p.g < 110 && p.b < 120 && p.r - p.g > 70;
}

bool IsBadgeGreen(const Rgba& p)
{
    return p.a > 200 && p.g > 100 && p.g > p.r + 40 && p.g > p.b + 15;
}

struct Rect {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct Badge {
    Rect area;
    bool confirm;  // a tick on green; otherwise a cross on red
};

struct PanelLayout {
    const char* member;
    int width;
    int height;
    int titleLine;
    std::vector<Badge> badges;
};

const std::vector<PanelLayout>& Panels()
{
    static const std::vector<PanelLayout> panels = {
        {"mainmenu.png", 1030, 1404, 117, {}},
        {"levelselect.png", 1272, 1601, 116, {{{1140, 104, 1252, 222}, false}}},
        {"quickgame.png", 1030, 1118, 117, {{{880, 70, 995, 185}, false}}},
        {"settings.png", 1262, 1120, 115, {{{94, 830, 192, 928}, true}, {{1066, 830, 1162, 928}, false}}},
        {"ingamemenu.png", 1030, 1118, 117, {}},
        {"gamecomplete.png", 1263, 1120, 115, {{{1129, 97, 1245, 216}, false}}},
        {"credits.png", 1272, 1601, 116, {{{1138, 100, 1254, 220}, false}}},
        {"quit.png", 1030, 1118, 108, {{{132, 826, 232, 924}, true}, {{794, 826, 890, 924}, false}}},
        {"getready.png", 1030, 580, 90, {}},
    };
    return panels;
}

struct SmallPicture {
    const char* member;
    int width;
    int height;
};

const std::vector<SmallPicture>& SmallPictures()
{
    static const std::vector<SmallPicture> pictures = {
        {"menu_template.png", 1030, 90}, {"settings_template.png", 1262, 65},
        {"table.png", 192, 192}, {"lock.png", 192, 192},
        {"star_1.png", 192, 192}, {"star_2.png", 192, 192}, {"star_3.png", 192, 192}, {"star_4.png", 192, 192},
        {"star_1_big.png", 720, 420}, {"star_2_big.png", 720, 420}, {"star_3_big.png", 720, 420},
        {"star_4_big.png", 720, 420}, {"shadow.png", 64, 64}, {"pointer.png", 48, 48},
        {"logo.png", 1600, 520}, {"gui_menu.png", 128, 128}, {"gui_level.png", 356, 178},
        {"gui_prize_1.png", 356, 178}, {"gui_prize_2.png", 356, 178}, {"gui_prize_3.png", 356, 178},
        {"gui_prize_4.png", 356, 178},
    };
    return pictures;
}

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initSprite(); }
    void SetUp() override
    {
        if (!PicturesBuiltHere())
            GTEST_SKIP() << "this tree copies prebuilt content; its pictures are not rendered here";
    }
};

// The member file exists, fits its buffer and has the given size; its colour
// type keeps an alpha channel (true colour with alpha, or a palette with a
// transparency chunk).
void ExpectSmallPictureFile(const std::string& member, int width, int height)
{
    SCOPED_TRACE(member);
    const std::vector<uint8_t> bytes = ReadFile(PicturePath(member));
    ASSERT_FALSE(bytes.empty()) << "missing " << PicturePath(member);
    EXPECT_LE(bytes.size(), SmallLimit);
    const PngHeader h = ReadPngHeader(bytes);
    ASSERT_TRUE(h.valid);
    EXPECT_EQ(h.width, uint32_t(width));
    EXPECT_EQ(h.height, uint32_t(height));
    EXPECT_EQ(h.bitDepth, 8);
    EXPECT_TRUE(h.colourType == 6 || (h.colourType == 3 && h.hasTransparencyChunk))
        << "colour type " << h.colourType;
}

TEST_F(PictureTest, PanelsHaveTheirDesignSizeAndFitTheSmallBuffer)
{
    for (const PanelLayout& panel : Panels()) {
        ExpectSmallPictureFile(panel.member, panel.width, panel.height);
        Picture picture(panel.member);
        ASSERT_TRUE(picture.loaded()) << panel.member;
        EXPECT_EQ(picture.width(), panel.width);
        EXPECT_EQ(picture.height(), panel.height);
    }
}

TEST_F(PictureTest, SmallPicturesHaveTheirSizeAndDecode)
{
    for (const SmallPicture& small : SmallPictures()) {
        ExpectSmallPictureFile(small.member, small.width, small.height);
        Picture picture(small.member);
        EXPECT_TRUE(picture.loaded()) << small.member;
    }
}

TEST_F(PictureTest, TitleRibbonSitsOnEveryTitleLine)
{
    for (const PanelLayout& panel : Panels()) {
        SCOPED_TRACE(panel.member);
        Picture picture(panel.member);
        ASSERT_TRUE(picture.loaded());
        // the ribbon spans the title's height and a good part of the width
        for (int dx : {-200, -100, 0, 100, 200}) {
            for (int dy : {-40, 0, 40}) {
                const Rgba p = picture.at(panel.width / 2 + dx, panel.titleLine + dy);
                EXPECT_TRUE(IsTeal(p)) << "at " << dx << "," << dy << ": " << p.r << " " << p.g << " " << p.b;
            }
        }
    }
}

// A player sees a button exactly where a click works: each badge is drawn
// inside its rectangle, and no badge glaze appears anywhere else.
TEST_F(PictureTest, BadgesSitInsideTheirClickAreasAndNowhereElse)
{
    for (const PanelLayout& panel : Panels()) {
        SCOPED_TRACE(panel.member);
        Picture picture(panel.member);
        ASSERT_TRUE(picture.loaded());
        for (const Badge& badge : panel.badges) {
            const int cx = (badge.area.left + badge.area.right) / 2;
            const int cy = (badge.area.top + badge.area.bottom) / 2;
            const int r = std::min(badge.area.right - badge.area.left, badge.area.bottom - badge.area.top) / 2;
            // below the glyph, on the glaze
            const Rgba glaze = picture.at(cx, cy + r * 6 / 10);
            EXPECT_TRUE(badge.confirm ? IsBadgeGreen(glaze) : IsBadgeRed(glaze))
                << "badge at " << cx << "," << cy << ": " << glaze.r << " " << glaze.g << " " << glaze.b;
            // the glyph is light and crosses the middle (cross) or the lower left (tick)
            const Rgba glyph = badge.confirm ? picture.at(cx - r / 10, cy + r * 26 / 100) : picture.at(cx, cy);
            EXPECT_GT(glyph.r + glyph.g + glyph.b, 600) << "glyph of the badge at " << cx << "," << cy;
        }
        int stray = 0;
        for (int y = 0; y < panel.height; ++y) {
            for (int x = 0; x < panel.width; ++x) {
                const Rgba p = picture.at(x, y);
                if (!IsBadgeRed(p) && !IsBadgeGreen(p))
                    continue;
                const bool inside = std::any_of(panel.badges.begin(), panel.badges.end(),
                                                [&](const Badge& b) { return b.area.contains(x, y); });
                if (!inside)
                    ++stray;
            }
        }
        EXPECT_EQ(stray, 0) << "badge-coloured pixels outside every click area";
    }
}

// The cells of the level-select panel are the same plain well as table.png,
// which the game paints over a cell to redraw it.
TEST_F(PictureTest, LevelSelectCellsMatchTheTablePiece)
{
    Picture panel("levelselect.png");
    Picture table("table.png");
    ASSERT_TRUE(panel.loaded());
    ASSERT_TRUE(table.loaded());
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            const int ox = 97 + 219 * c, oy = 320 + 214 * r;
            for (auto [x, y] : {std::pair{96, 96}, std::pair{30, 160}, std::pair{160, 30}, std::pair{12, 96}}) {
                const Rgba a = panel.at(ox + x, oy + y);
                const Rgba b = table.at(x, y);
                EXPECT_NEAR(a.r, b.r, 12) << "cell " << c << "," << r << " at " << x << "," << y;
                EXPECT_NEAR(a.g, b.g, 12) << "cell " << c << "," << r << " at " << x << "," << y;
                EXPECT_NEAR(a.b, b.b, 12) << "cell " << c << "," << r << " at " << x << "," << y;
                EXPECT_EQ(b.a, 255);
            }
            // between the cells the paper shows, lighter than the well
            const Rgba gap = panel.at(ox + 192 + 13, oy + 96);
            const Rgba well = panel.at(ox + 96, oy + 96);
            EXPECT_GT(gap.r + gap.g + gap.b, well.r + well.g + well.b + 20) << "cell " << c << "," << r;
        }
    }
}

// star_1 is the best rating (three gold stars), star_4 the worst (none).
void ExpectStars(const std::string& member, const std::vector<std::pair<int, int>>& centres, int gold)
{
    SCOPED_TRACE(member);
    Picture picture(member);
    ASSERT_TRUE(picture.loaded());
    for (size_t i = 0; i < centres.size(); ++i) {
        const Rgba p = picture.at(centres[i].first, centres[i].second);
        EXPECT_EQ(IsGold(p), int(i) < gold) << "star " << i << ": " << p.r << " " << p.g << " " << p.b << " " << p.a;
        EXPECT_GT(p.a, 150) << "star " << i << " is drawn";  // empty stars are a little see-through
    }
}

TEST_F(PictureTest, RatingPicturesShowTheirNumberOfGoldStars)
{
    for (int n = 1; n <= 4; ++n) {
        const int gold = 4 - n;
        ExpectStars("star_" + std::to_string(n) + ".png", {{46, 146}, {96, 134}, {146, 146}}, gold);
        ExpectStars("star_" + std::to_string(n) + "_big.png", {{168, 256}, {360, 196}, {552, 256}}, gold);
        ExpectStars("gui_prize_" + std::to_string(n) + ".png", {{100, 88}, {178, 80}, {256, 88}}, gold);
    }
}

// The cell star pictures are drawn over the level number, so they must leave
// the top of the cell clear; the lock covers its whole cell.
TEST_F(PictureTest, CellStarsLeaveRoomForTheNumberAndTheLockCoversTheCell)
{
    for (int n = 1; n <= 4; ++n) {
        Picture stars("star_" + std::to_string(n) + ".png");
        ASSERT_TRUE(stars.loaded());
        for (int y = 20; y < 96; y += 2)
            for (int x = 40; x < 152; x += 2)
                ASSERT_EQ(stars.at(x, y).a, 0) << "star_" << n << " covers the number at " << x << "," << y;
    }
    Picture lock("lock.png");
    ASSERT_TRUE(lock.loaded());
    for (auto [x, y] : {std::pair{20, 20}, std::pair{170, 20}, std::pair{20, 170}, std::pair{170, 170},
                        std::pair{96, 96}})
        EXPECT_EQ(lock.at(x, y).a, 255) << x << "," << y;
}

// The button strips lie over the panel: mostly see-through, with a faint mark.
TEST_F(PictureTest, ButtonStripsAreSubtle)
{
    for (const char* member : {"menu_template.png", "settings_template.png"}) {
        SCOPED_TRACE(member);
        Picture strip(member);
        ASSERT_TRUE(strip.loaded());
        long sum = 0;
        int maxAlpha = 0;
        for (int y = 0; y < strip.height(); ++y) {
            for (int x = 0; x < strip.width(); ++x) {
                const int a = strip.at(x, y).a;
                sum += a;
                maxAlpha = std::max(maxAlpha, a);
            }
        }
        const double mean = double(sum) / (strip.width() * strip.height());
        EXPECT_GT(mean, 2.0) << "the strip shows nothing";
        EXPECT_LT(mean, 40.0);
        EXPECT_LT(maxAlpha, 128);
    }
}

TEST_F(PictureTest, ShadeIsTranslucentAndEven)
{
    Picture shade("shadow.png");
    ASSERT_TRUE(shade.loaded());
    const Rgba first = shade.at(0, 0);
    EXPECT_GT(first.a, 100);
    EXPECT_LT(first.a, 200);
    EXPECT_LT(first.r + first.g + first.b, 300) << "the shade darkens";
    for (int y = 0; y < shade.height(); y += 7)
        for (int x = 0; x < shade.width(); x += 7)
            EXPECT_EQ(shade.at(x, y).a, first.a);
}

// The hotspot of the pointer is its top-left pixel: the tip must be there.
TEST_F(PictureTest, PointerTipIsAtTheTopLeft)
{
    Picture pointer("pointer.png");
    ASSERT_TRUE(pointer.loaded());
    EXPECT_GT(pointer.at(1, 1).a, 128);
    EXPECT_GT(pointer.at(2, 6).a, 128);
    EXPECT_EQ(pointer.at(40, 4).a, 0);
    EXPECT_EQ(pointer.at(4, 46).a, 0);
    // a dark outline and a light fill, so it reads on any background
    const Rgba outline = pointer.at(2, 12);
    const Rgba fill = pointer.at(7, 20);
    EXPECT_LT(outline.r + outline.g + outline.b, 250);
    EXPECT_GT(fill.r + fill.g + fill.b, 600);
}

// The level name is written on the label plate centred on (178, 67).
TEST_F(PictureTest, LevelLabelIsPlainWhereTheNameGoes)
{
    Picture label("gui_level.png");
    ASSERT_TRUE(label.loaded());
    const Rgba centre = label.at(178, 67);
    EXPECT_EQ(centre.a, 255);
    for (int y = 40; y <= 100; y += 3) {
        for (int x = 60; x <= 296; x += 4) {
            const Rgba p = label.at(x, y);
            EXPECT_EQ(p.a, 255);
            EXPECT_NEAR(p.r, centre.r, 12) << x << "," << y;
            EXPECT_NEAR(p.g, centre.g, 14) << x << "," << y;
            EXPECT_NEAR(p.b, centre.b, 18) << x << "," << y;
        }
    }
}

TEST_F(PictureTest, LogoAndMenuButtonAreShapedPictures)
{
    Picture logo("logo.png");
    ASSERT_TRUE(logo.loaded());
    EXPECT_GT(logo.width(), 2 * logo.height());
    EXPECT_EQ(logo.at(0, 0).a, 0);
    EXPECT_EQ(logo.at(logo.width() - 1, logo.height() - 1).a, 0);
    int opaque = 0;
    for (int x = 0; x < logo.width(); x += 4)
        opaque += logo.at(x, logo.height() / 2).a > 200;
    EXPECT_GT(opaque, logo.width() / 4 / 3) << "the wordmark crosses the middle line";

    Picture button("gui_menu.png");
    ASSERT_TRUE(button.loaded());
    EXPECT_EQ(button.width(), button.height());
    EXPECT_EQ(button.at(0, 0).a, 0);
    EXPECT_EQ(button.at(64, 64).a, 255);
}

struct Ratio {
    const char* suffix;
    int across;
    int down;
};

TEST_F(PictureTest, ArtworkExistsForEveryRatioInItsProportions)
{
    const Ratio ratios[] = {{"3x2", 3, 2}, {"4x3", 4, 3}, {"5x4", 5, 4},
                            {"16x9", 16, 9}, {"16x10", 16, 10}, {"17x9", 17, 9}};
    for (const Ratio& ratio : ratios) {
        for (const char* scene : {"title_", "ngs_", "01_"}) {
            const std::string member = std::string(scene) + ratio.suffix + ".png";
            SCOPED_TRACE(member);
            const std::vector<uint8_t> bytes = ReadFile(PicturePath(member));
            ASSERT_FALSE(bytes.empty()) << "missing " << PicturePath(member);
            EXPECT_LE(bytes.size(), ArtworkLimit);
            const PngHeader h = ReadPngHeader(bytes);
            ASSERT_TRUE(h.valid);
            EXPECT_EQ(h.colourType, 2) << "full-screen pictures are opaque RGB";
            EXPECT_GE(h.width, 1920u);
            EXPECT_LE(h.width, 3840u);
            // the height is the width in the suffix's proportion, to the pixel
            EXPECT_LE(std::abs(int(h.height) * ratio.across - int(h.width) * ratio.down), ratio.across)
                << h.width << "x" << h.height;
        }
    }
}

// The background behind the board: calm in the middle band where the
// columns rise, so the tiles read.
TEST_F(PictureTest, GameBackgroundIsCalmBehindTheBoard)
{
    Picture background("01_16x9.png");
    ASSERT_TRUE(background.loaded());
    const int w = background.width(), h = background.height();
    double sum = 0, sumSq = 0;
    int n = 0;
    for (int y = h / 10; y < h * 9 / 10; y += 8) {
        for (int x = w * 3 / 10; x < w * 7 / 10; x += 8) {
            const Rgba p = background.at(x, y);
            const double lum = 0.299 * p.r + 0.587 * p.g + 0.114 * p.b;
            sum += lum;
            sumSq += lum * lum;
            ++n;
        }
    }
    const double mean = sum / n;
    const double spread = std::sqrt(sumSq / n - mean * mean);
    EXPECT_LT(spread, 25.0) << "too busy behind the board";
    EXPECT_GT(mean, 60.0);
    EXPECT_LT(mean, 190.0) << "mid-tone, so light and dark tiles both read";
}

// What the game loads is the packed archive: every picture is there under its
// member name, byte for byte, and comes out through a buffer of its kind.
TEST(PictureMembers, ArePackedAndExtractThroughTheLoadersBuffers)
{
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchive(archive, std::string(MORVANE_GAME_DIR) + "/Morvane.data"));
    std::vector<std::pair<std::string, size_t>> members;
    for (const PanelLayout& panel : Panels())
        members.emplace_back(panel.member, SmallLimit);
    for (const SmallPicture& small : SmallPictures())
        members.emplace_back(small.member, SmallLimit);
    for (const char* suffix : {"3x2", "4x3", "5x4", "16x9", "16x10", "17x9"})
        for (const char* scene : {"title_", "ngs_", "01_"})
            members.emplace_back(std::string(scene) + suffix + ".png", ArtworkLimit);
    std::vector<uint8_t> buffer;
    for (const auto& [name, capacity] : members) {
        SCOPED_TRACE(name);
        buffer.assign(capacity, 0);
        const size_t size = ExtractMember(archive, buffer.data(), buffer.size(), name);
        ASSERT_GT(size, 0u) << "not in the archive, or too big for its buffer";
        buffer.resize(size);
        EXPECT_EQ(ReadPngHeader(buffer).valid, true) << "not a PNG";
        if (PicturesBuiltHere()) {
            EXPECT_EQ(buffer, ReadFile(PicturePath(name))) << "the packed member differs from the built picture";
        }
    }
    CloseDataArchive(archive);
}

// The X cursor file beside the game: header, table of contents and three
// still images (24, 32, 48) with the hotspot at the tip.
TEST(CursorFile, HoldsThreeSizesWithTheHotspotAtTheTip)
{
    const std::vector<uint8_t> bytes = ReadFile(std::string(MORVANE_GAME_DIR) + "/Morvane.pointer");
    ASSERT_GE(bytes.size(), 16u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "Xcur");
    const uint32_t headerSize = LittleEndian32(bytes, 4);
    const uint32_t count = LittleEndian32(bytes, 12);
    ASSERT_EQ(count, 3u);
    std::vector<uint32_t> sizes;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = headerSize + 12 * i;
        ASSERT_LE(entry + 12, bytes.size());
        EXPECT_EQ(LittleEndian32(bytes, entry), 0xfffd0002u);
        const uint32_t nominal = LittleEndian32(bytes, entry + 4);
        const uint32_t position = LittleEndian32(bytes, entry + 8);
        ASSERT_LE(size_t(position) + 36, bytes.size());
        EXPECT_EQ(LittleEndian32(bytes, position), 36u);
        EXPECT_EQ(LittleEndian32(bytes, position + 4), 0xfffd0002u);
        EXPECT_EQ(LittleEndian32(bytes, position + 8), nominal);
        const uint32_t width = LittleEndian32(bytes, position + 16);
        const uint32_t height = LittleEndian32(bytes, position + 20);
        EXPECT_EQ(width, nominal);
        EXPECT_EQ(height, nominal);
        EXPECT_EQ(LittleEndian32(bytes, position + 24), 0u) << "x hotspot";
        EXPECT_EQ(LittleEndian32(bytes, position + 28), 0u) << "y hotspot";
        ASSERT_LE(size_t(position) + 36 + 4 * size_t(width) * height, bytes.size());
        int visible = 0;
        for (uint32_t p = 0; p < width * height; ++p) {
            const uint32_t argb = LittleEndian32(bytes, position + 36 + 4 * p);
            const uint32_t a = argb >> 24;
            // premultiplied: no channel brighter than its alpha
            ASSERT_LE((argb >> 16) & 0xff, a);
            ASSERT_LE((argb >> 8) & 0xff, a);
            ASSERT_LE(argb & 0xff, a);
            visible += a > 0;
        }
        EXPECT_GT(visible, int(width * height / 8));
        // the tip: the pixel at the hotspot's corner is drawn
        const uint32_t tip = LittleEndian32(bytes, position + 36 + 4 * (width + 1));
        EXPECT_GT(tip >> 24, 100u) << nominal << "-pixel cursor";
        sizes.push_back(nominal);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<uint32_t>{24, 32, 48}));
}

}  // namespace
