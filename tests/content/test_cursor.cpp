// The tile cursor as packed into Morvane.data, against all 40 tiles and the
// selection marker: at the smallest tile size it changes what it covers
// clearly and holds a bright and a dark band on every tile around it; it
// never covers the tile it frames nor the marker, and it is drawn in the
// hover colour, which the marker is not.
#include "assets/data_archive.h"

#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Tile = 256;   // tiles and the marker
constexpr int Frame = 320;  // the cursor: a cell and an eighth of one on each side
constexpr int Inset = (Frame - Tile) / 2;
constexpr int Block = 4;    // 256 -> 64, the smallest tile size

// RGBA, 0..1, straight alpha.
struct Picture {
    int size = 0;
    std::vector<double> rgba;
    double* at(int x, int y) { return &rgba[(size_t(y) * size + x) * 4]; }
};

Picture Member(DataArchive& archive, const std::string& name)
{
    std::vector<uint8_t> bytes(204800);
    bytes.resize(ExtractMember(archive, bytes.data(), bytes.size(), name));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture out;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> raw(PNG_IMAGE_SIZE(image));
    if (image.width == image.height && png_image_finish_read(&image, nullptr, raw.data(), 0, nullptr)) {
        out.size = int(image.width);
        out.rgba.assign(raw.begin(), raw.end());
        for (double& value : out.rgba)
            value /= 255.0;
    }
    return out;
}

// `over` drawn at (x, y) onto `under`.
void Blend(Picture& under, Picture& over, int x, int y)
{
    for (int v = std::max(0, -y); v < over.size && y + v < under.size; ++v)
        for (int u = std::max(0, -x); u < over.size && x + u < under.size; ++u) {
            double* d = under.at(x + u, y + v);
            const double* s = over.at(u, v);
            const double a = s[3] + d[3] * (1 - s[3]);
            for (int c = 0; c < 3; ++c)
                d[c] = a > 0 ? (s[c] * s[3] + d[c] * d[3] * (1 - s[3])) / a : 0;
            d[3] = a;
        }
}

// The mean luma (0..255, over mid grey) and alpha of a block at 64 px a tile.
void Shrunk(Picture& p, int bx, int by, double& luma, double& alpha)
{
    luma = alpha = 0;
    for (int y = by * Block; y < (by + 1) * Block; ++y)
        for (int x = bx * Block; x < (bx + 1) * Block; ++x) {
            const double* q = p.at(x, y);
            luma += 0.2126 * q[0] * q[3] + 0.7152 * q[1] * q[3] + 0.0722 * q[2] * q[3] + 0.5 * (1 - q[3]);
            alpha += q[3];
        }
    luma *= 255.0 / (Block * Block);
    alpha /= Block * Block;
}

// Opaque pixels near the hover colour (219, 63, 81).
int HoverPixels(const Picture& p)
{
    int count = 0;
    for (size_t i = 0; i < p.rgba.size(); i += 4)
        count += p.rgba[i + 3] > 0.99 && std::fabs(p.rgba[i] * 255 - 219) < 20 &&
                 std::fabs(p.rgba[i + 1] * 255 - 63) < 20 && std::fabs(p.rgba[i + 2] * 255 - 81) < 20;
    return count;
}

TEST(TileCursor, ShowsOnEveryTileAroundItAndLeavesTheTileAndTheMarkerInSight)
{
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchive(archive, std::string(MORVANE_GAME_DIR) + "/Morvane.data"));
    Picture cursor = Member(archive, "cursor.png");
    Picture marker = Member(archive, "selected.png");
    std::vector<Picture> tiles;
    for (int i = 1; i <= 40; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "tile%02d.png", i);
        tiles.push_back(Member(archive, name));
        ASSERT_EQ(tiles.back().size, Tile) << name;
    }
    CloseDataArchive(archive);
    ASSERT_EQ(cursor.size, Frame);
    ASSERT_EQ(marker.size, Tile);

    // Nothing of the cursor over its tile or the marker (only over the
    // cell's rounded-off corners).
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x) {
            double under = marker.at(x, y)[3];
            for (Picture& tile : tiles)
                under = std::max(under, tile.at(x, y)[3]);
            ASSERT_TRUE(under < 0.5 || cursor.at(x + Inset, y + Inset)[3] < 0.1)
                << "the cursor covers the tile or the marker at " << x << "," << y;
        }
    EXPECT_GT(HoverPixels(cursor), Frame * 8);
    EXPECT_EQ(HoverPixels(marker), 0);

    // Each tile all around the cursor, at 64 pixels a tile: under the
    // cursor's solid band the picture changes clearly, bright and dark.
    double leastChange = 1e9;
    for (int i = 0; i < 40; ++i) {
        Picture field;
        field.size = Frame;
        field.rgba.assign(size_t(Frame) * Frame * 4, 0.0);
        for (int row = -1; row <= 1; ++row)
            for (int column = -1; column <= 1; ++column)
                Blend(field, tiles[size_t(i)], Inset + column * Tile, Inset + row * Tile);
        Picture framed = field;
        Blend(framed, cursor, 0, 0);
        double change = 0, brightest = 0, darkest = 255, before = 0, after = 0, band = 0, unused = 0;
        int covered = 0;
        for (int by = 0; by < Frame / Block; ++by)
            for (int bx = 0; bx < Frame / Block; ++bx) {
                Shrunk(cursor, bx, by, unused, band);
                if (band < 0.9)
                    continue;
                Shrunk(field, bx, by, before, unused);
                Shrunk(framed, bx, by, after, unused);
                ++covered;
                change += std::fabs(after - before);
                brightest = std::max(brightest, after);
                darkest = std::min(darkest, after);
            }
        ASSERT_GT(covered, 4 * Frame / Block) << "the band is too thin at 64 pixels a tile";
        leastChange = std::min(leastChange, change / covered);
        EXPECT_GE(change / covered, 40.0) << "tile " << i + 1 << ": the cursor hardly changes it";
        EXPECT_GE(brightest, 220.0) << "tile " << i + 1 << ": no bright band";
        EXPECT_LE(darkest, 60.0) << "tile " << i + 1 << ": no dark band";
    }
    std::printf("[ measured ] cursor: least mean luma change under its band %.1f of 255\n", leastChange);
}

}  // namespace
