// The tiles, marker and cursor as they ship: at 64 pixels every pair of tiles
// differs in colour, grey, to a colour-blind eye and in emblem shape; the
// marker and cursor show on every tile and leave it in sight.
#include <algorithm>
#include <array>
#include <cmath>

#include "content_support.h"

namespace {

constexpr int TileCount = 40, Small = 64;

// Straight-alpha RGBA in 0..1, square.
struct Canvas {
    int size = 0;
    std::vector<std::array<double, 4>> px;
    explicit Canvas(int n) : size(n), px(size_t(n) * n, {0, 0, 0, 0}) {}
    std::array<double, 4>& at(int x, int y) { return px[size_t(y) * size + x]; }
};

// `image` drawn over the canvas with its top-left at (ox, oy).
void Blend(Canvas& canvas, const Image& image, int ox, int oy)
{
    for (int y = std::max(0, -oy); y < image.height && oy + y < canvas.size; ++y)
        for (int x = std::max(0, -ox); x < image.width && ox + x < canvas.size; ++x) {
            auto& d = canvas.at(ox + x, oy + y);
            const uint8_t* s = image.at(x, y);
            const double sa = s[3] / 255.0, a = sa + d[3] * (1 - sa);
            for (int c = 0; c < 3; ++c)
                d[c] = a > 0 ? (s[c] / 255.0 * sa + d[c] * d[3] * (1 - sa)) / a : 0;
            d[3] = a;
        }
}

// The canvas over a mid-grey board, shrunk by area averaging `block` to one.
using Plane = std::vector<std::array<double, 4>>;  // r, g, b, alpha
Plane Shrink(Canvas& canvas, int block)
{
    const int n = canvas.size / block;
    Plane plane(size_t(n) * n, {0, 0, 0, 0});
    for (int y = 0; y < canvas.size; ++y)
        for (int x = 0; x < canvas.size; ++x) {
            auto& p = plane[size_t(y / block) * n + x / block];
            const auto& q = canvas.at(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] += (q[c] * q[3] + 0.5 * (1 - q[3])) / (block * block);
            p[3] += q[3] / (block * block);
        }
    return plane;
}

double Luma(const std::array<double, 4>& p)
{
    return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
}

// Deuteranopia as simulated by Vienot, Brettel and Mollon (1999), in linear light.
Plane Deuteranope(Plane plane)
{
    const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const auto srgb = [](double c) {
        c = std::clamp(c, 0.0, 1.0);
        return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    };
    for (auto& p : plane) {
        const double r = linear(p[0]), g = linear(p[1]), b = linear(p[2]);
        p = {srgb(0.29275 * r + 0.70725 * g), srgb(0.29275 * r + 0.70725 * g), srgb(-0.02234 * r + 0.02234 * g + b), p[3]};
    }
    return plane;
}

double MeanDifference(const Plane& a, const Plane& b, bool grey)
{
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i)
        sum += grey ? std::fabs(Luma(a[i]) - Luma(b[i]))
                    : (std::fabs(a[i][0] - b[i][0]) + std::fabs(a[i][1] - b[i][1]) + std::fabs(a[i][2] - b[i][2])) / 3;
    return 255 * sum / a.size();
}

// The emblem's drawing as edge pixels: the Sobel gradient of the grey
// picture above a threshold, inside the glazed face.
std::vector<uint8_t> Edges(const Plane& plane)
{
    const int inset = Small * 9 / 64;
    std::vector<uint8_t> on(plane.size(), 0);
    const auto g = [&plane](int x, int y) { return 255 * Luma(plane[size_t(y) * Small + x]); };
    for (int y = inset; y < Small - inset; ++y)
        for (int x = inset; x < Small - inset; ++x) {
            const double gx = g(x + 1, y - 1) + 2 * g(x + 1, y) + g(x + 1, y + 1) - g(x - 1, y - 1) - 2 * g(x - 1, y) - g(x - 1, y + 1);
            const double gy = g(x - 1, y + 1) + 2 * g(x, y + 1) + g(x + 1, y + 1) - g(x - 1, y - 1) - 2 * g(x, y - 1) - g(x + 1, y - 1);
            on[size_t(y) * Small + x] = std::hypot(gx, gy) / 4 >= 24;
        }
    return on;
}

class Tiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (int i = 1; i <= TileCount; ++i)
            tiles.push_back(Decode(Member((i < 10 ? "tile0" : "tile") + std::to_string(i) + ".png", 204800)));
        marker = Decode(Member("selected.png", 204800));
        cursor = Decode(Member("cursor.png", 204800));
    }
    static inline std::vector<Image> tiles;
    static inline Image marker, cursor;
};

TEST_F(Tiles, EveryTileIsASquareTokenOfOneSize)
{
    const int n = tiles[0].width;
    EXPECT_GE(n, 256) << "too small to stay sharp at 4K";
    ASSERT_EQ(n % Small, 0);
    for (int i = 0; i < TileCount; ++i) {
        const Image& tile = tiles[size_t(i)];
        ASSERT_EQ(tile.width * 10000 + tile.height, n * 10001) << "tile " << i + 1 << ": missing, not square or not as the others";
        EXPECT_LT(tile.at(0, 0)[3] + tile.at(n - 1, 0)[3], 32) << "tile " << i + 1 << ": the corners show the board";
        for (int t = n / 10; t < n - n / 10; ++t)
            ASSERT_EQ(tile.at(t, n / 2)[3] + tile.at(n / 2, t)[3], 510) << "tile " << i + 1 << ": a hole in the face at " << t;
    }
    EXPECT_EQ(marker.width * 10000 + marker.height, n * 10001);
}

TEST_F(Tiles, EveryPairDiffersInColourGreyColourBlindViewAndEmblemShape)
{
    std::vector<Plane> colour, deuteran;
    std::vector<std::vector<uint8_t>> edges;
    std::vector<int> frequency(Small * Small, 0);
    for (const Image& tile : tiles) {
        Canvas canvas(tile.width);
        Blend(canvas, tile, 0, 0);
        colour.push_back(Shrink(canvas, tile.width / Small));
        deuteran.push_back(Deuteranope(colour.back()));
        edges.push_back(Edges(colour.back()));
        for (size_t p = 0; p < frequency.size(); ++p)
            frequency[p] += edges.back()[p];
    }
    // The token's own gloss and shading (edges on three quarters of the tiles) are no emblem.
    for (int i = 0; i < TileCount; ++i) {
        int left = Small, right = -1, top = Small, bottom = -1;
        for (size_t p = 0; p < frequency.size(); ++p) {
            edges[size_t(i)][p] &= 4 * frequency[p] < 3 * TileCount;
            if (edges[size_t(i)][p]) {
                left = std::min(left, int(p) % Small), right = std::max(right, int(p) % Small);
                top = std::min(top, int(p) / Small), bottom = std::max(bottom, int(p) / Small);
            }
        }
        EXPECT_GE(std::max(right - left, bottom - top) + 1, Small / 2) << "tile " << i + 1 << ": a small emblem";
    }
    for (int i = 0; i < TileCount; ++i)
        for (int j = i + 1; j < TileCount; ++j) {
            int both = 0, either = 0;
            for (size_t p = 0; p < frequency.size(); ++p) {
                both += edges[size_t(i)][p] && edges[size_t(j)][p];
                either += edges[size_t(i)][p] || edges[size_t(j)][p];
            }
            const double measures[4] = {MeanDifference(colour[size_t(i)], colour[size_t(j)], false),
                                        MeanDifference(colour[size_t(i)], colour[size_t(j)], true),
                                        MeanDifference(deuteran[size_t(i)], deuteran[size_t(j)], false),
                                        either ? 1.0 - double(both) / either : 0.0};
            const double margins[4] = {12.0, 8.0, 9.0, 0.30};
            const char* views[4] = {"colour", "greyscale", "to a red-green colour-blind player", "emblem shape"};
            for (int k = 0; k < 4; ++k)
                EXPECT_GE(measures[k], margins[k]) << "tiles " << i + 1 << " and " << j + 1 << " look alike in " << views[k]
                                                   << " (" << measures[k] << ")";
        }
}

// Under the solid part of a ring (the marker over its tile, the cursor
// around a tile with its neighbours), at 64 pixels a tile, the picture
// changes clearly and holds both a bright and a dark band.
TEST_F(Tiles, TheMarkerAndTheCursorShowOnEveryTileAndLeaveItInSight)
{
    const int n = tiles[0].width, frame = cursor.width, inset = (frame - n) / 2, block = n / Small;
    ASSERT_EQ(frame, n * 5 / 4);
    for (int y = n / 4; y < n - n / 4; ++y)
        for (int x = n / 4; x < n - n / 4; ++x)
            ASSERT_EQ(marker.at(x, y)[3], 0) << "the marker covers the middle of the tile at " << x << "," << y;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            int under = marker.at(x, y)[3];
            for (const Image& tile : tiles)
                under = std::max<int>(under, tile.at(x, y)[3]);
            ASSERT_TRUE(under < 128 || cursor.at(x + inset, y + inset)[3] < 26) << "the cursor covers a tile at " << x << "," << y;
        }
    const auto hover = [](const Image& image) {  // opaque pixels of the hover colour (219, 63, 81)
        int count = 0;
        for (size_t i = 0; i < image.rgba.size(); i += 4)
            count += image.rgba[i + 3] == 255 && std::abs(image.rgba[i] - 219) < 20 && std::abs(image.rgba[i + 1] - 63) < 20 &&
                     std::abs(image.rgba[i + 2] - 81) < 20;
        return count;
    };
    EXPECT_GT(hover(cursor), frame * 8);
    EXPECT_EQ(hover(marker), 0);

    for (int i = 0; i < TileCount; ++i)
        for (int which = 0; which < 2; ++which) {
            const Image& ring = which ? cursor : marker;
            Canvas field(ring.width), alone(ring.width);
            for (int row = -which; row <= which; ++row)
                for (int column = -which; column <= which; ++column)
                    Blend(field, tiles[size_t(i)], which * inset + column * n, which * inset + row * n);
            Canvas framed = field;
            Blend(framed, ring, 0, 0);
            Blend(alone, ring, 0, 0);
            const Plane before = Shrink(field, block), after = Shrink(framed, block), band = Shrink(alone, block);
            double change = 0, brightest = 0, darkest = 1;
            int covered = 0;
            for (size_t p = 0; p < band.size(); ++p) {
                if (band[p][3] < 0.9)
                    continue;
                ++covered;
                change += std::fabs(Luma(after[p]) - Luma(before[p]));
                brightest = std::max(brightest, Luma(after[p]));
                darkest = std::min(darkest, Luma(after[p]));
            }
            const std::string what = std::string(which ? "the cursor" : "the marker") + " on tile " + std::to_string(i + 1);
            ASSERT_GT(covered, 4 * ring.width / block) << what << ": the band is too thin at 64 pixels a tile";
            EXPECT_GE(255 * change / covered, 40.0) << what << " hardly changes it";
            EXPECT_GE(255 * brightest, 220.0) << what << ": no bright band";
            EXPECT_LE(255 * darkest, 60.0) << what << ": no dark band";
        }
}

}  // namespace
