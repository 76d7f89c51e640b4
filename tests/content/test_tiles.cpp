// Checks of the tile pictures and the selection marker as packed into
// Morvane.data: all 40 tiles exist, are square and fit the loader's buffer;
// every pair of tiles is told apart at the smallest tile size (64 pixels) in
// colour, in greyscale, for a red-green colour-blind eye, and by the shape of
// its emblem alone; the selection marker shows on the darkest and the
// lightest tile and leaves the middle of the tile visible.
#include "assets/data_archive.h"

#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t TileBufferBytes = 204800;  // the loader's buffer for a tile
constexpr int TileCount = 40;
constexpr int Small = 64;                   // the smallest size a tile is drawn at

// Margins every pair of tiles must keep (measured values are printed).
constexpr double MinColourDifference = 12.0;     // mean |RGB| difference, 0..255
constexpr double MinGreyDifference = 8.0;        // mean |luma| difference, 0..255
constexpr double MinDeuteranDifference = 9.0;    // mean |RGB| difference as a deuteranope sees it
constexpr double MinShapeDifference = 0.30;      // Jaccard distance of the emblems' edge maps

std::string TileName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "tile%02d.png", number);
    return name;
}

// An RGBA picture, 8 bits per channel, not premultiplied.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};

bool DecodePng(const std::vector<uint8_t>& bytes, Image& out)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    out.width = int(image.width);
    out.height = int(image.height);
    out.rgba.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

// A picture reduced to a linear-light RGB grid over a fixed board colour.
struct Plane {
    int size = 0;
    std::vector<std::array<double, 3>> rgb;  // 0..1, sRGB encoded
    const std::array<double, 3>& at(int x, int y) const { return rgb[size_t(y) * size + x]; }
};

double ToLinear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }
double ToSrgb(double c)
{
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

// Composites the picture over a mid-grey board and shrinks it to size x size
// by area averaging (each output pixel is the mean of the source area it
// covers, with partial source pixels weighted by their overlap), the way the
// game shrinks tiles.
Plane Shrink(const Image& image, int size)
{
    const double board[3] = {0.5, 0.5, 0.5};
    Plane plane;
    plane.size = size;
    plane.rgb.assign(size_t(size) * size, {0, 0, 0});
    const double sx = double(image.width) / size;
    const double sy = double(image.height) / size;
    for (int oy = 0; oy < size; ++oy) {
        for (int ox = 0; ox < size; ++ox) {
            double sum[3] = {0, 0, 0};
            double weightSum = 0;
            const double x0 = ox * sx, x1 = (ox + 1) * sx, y0 = oy * sy, y1 = (oy + 1) * sy;
            for (int y = int(y0); y < int(std::ceil(y1)) && y < image.height; ++y) {
                const double wy = std::min(y1, double(y + 1)) - std::max(y0, double(y));
                for (int x = int(x0); x < int(std::ceil(x1)) && x < image.width; ++x) {
                    const double wx = std::min(x1, double(x + 1)) - std::max(x0, double(x));
                    const double w = wx * wy;
                    const uint8_t* p = image.at(x, y);
                    const double alpha = p[3] / 255.0;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += w * (alpha * p[c] / 255.0 + (1 - alpha) * board[c]);
                    weightSum += w;
                }
            }
            for (int c = 0; c < 3; ++c)
                plane.rgb[size_t(oy) * size + ox][c] = sum[c] / weightSum;
        }
    }
    return plane;
}

double Luma(const std::array<double, 3>& p) { return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]; }

// Deuteranopia as simulated by Viénot, Brettel and Mollon (1999), applied to
// linear RGB.
Plane Deuteranope(const Plane& in)
{
    Plane out = in;
    for (auto& p : out.rgb) {
        const double r = ToLinear(p[0]), g = ToLinear(p[1]), b = ToLinear(p[2]);
        const double rr = 0.29275 * r + 0.70725 * g;
        const double gg = 0.29275 * r + 0.70725 * g;
        const double bb = -0.02234 * r + 0.02234 * g + 1.0 * b;
        p = {ToSrgb(rr), ToSrgb(gg), ToSrgb(bb)};
    }
    return out;
}

double MeanColourDifference(const Plane& a, const Plane& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        for (int c = 0; c < 3; ++c)
            sum += std::fabs(a.rgb[i][c] - b.rgb[i][c]);
    return 255.0 * sum / (3.0 * a.rgb.size());
}

double MeanGreyDifference(const Plane& a, const Plane& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i)
        sum += std::fabs(Luma(a.rgb[i]) - Luma(b.rgb[i]));
    return 255.0 * sum / a.rgb.size();
}

// The emblem's drawing as edge pixels: Sobel gradient of the greyscale
// picture above a threshold, inside the glazed face only (the token's rim is
// the same on every tile and is left out).
struct EdgeMap {
    int size = 0;
    std::vector<uint8_t> on;
    int count = 0;
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < size && y < size && on[size_t(y) * size + x]; }
};

EdgeMap Edges(const Plane& plane)
{
    const int n = plane.size;
    const int inset = n * 9 / 64;  // inside the face, clear of its sunk border
    EdgeMap map;
    map.size = n;
    map.on.assign(size_t(n) * n, 0);
    auto grey = [&](int x, int y) { return 255.0 * Luma(plane.at(x, y)); };
    for (int y = inset; y < n - inset; ++y) {
        for (int x = inset; x < n - inset; ++x) {
            const double gx = (grey(x + 1, y - 1) + 2 * grey(x + 1, y) + grey(x + 1, y + 1)) -
                              (grey(x - 1, y - 1) + 2 * grey(x - 1, y) + grey(x - 1, y + 1));
            const double gy = (grey(x - 1, y + 1) + 2 * grey(x, y + 1) + grey(x + 1, y + 1)) -
                              (grey(x - 1, y - 1) + 2 * grey(x, y - 1) + grey(x + 1, y - 1));
            if (std::hypot(gx, gy) / 4.0 >= 24.0) {
                map.on[size_t(y) * n + x] = 1;
                ++map.count;
                map.left = std::min(map.left, x);
                map.right = std::max(map.right, x);
                map.top = std::min(map.top, y);
                map.bottom = std::max(map.bottom, y);
            }
        }
    }
    return map;
}

// The edges that belong to the token itself (its gloss and shading, the same
// on every tile): pixels that are edges on at least three quarters of the tiles.
std::vector<uint8_t> TokenEdges(const std::vector<EdgeMap>& maps)
{
    const size_t pixels = maps.empty() ? 0 : maps[0].on.size();
    std::vector<int> frequency(pixels, 0);
    for (const EdgeMap& m : maps)
        for (size_t i = 0; i < pixels; ++i)
            frequency[i] += m.on[i];
    std::vector<uint8_t> token(pixels, 0);
    for (size_t i = 0; i < pixels; ++i)
        token[i] = 4 * frequency[i] >= 3 * int(maps.size()) ? 1 : 0;
    return token;
}

// The emblem's own edges: the map without the token's edges.
EdgeMap EmblemOnly(const EdgeMap& map, const std::vector<uint8_t>& token)
{
    EdgeMap out;
    out.size = map.size;
    out.on.assign(map.on.size(), 0);
    for (int y = 0; y < map.size; ++y)
        for (int x = 0; x < map.size; ++x) {
            const size_t i = size_t(y) * map.size + x;
            if (!map.on[i] || token[i])
                continue;
            out.on[i] = 1;
            ++out.count;
            out.left = std::min(out.left, x);
            out.right = std::max(out.right, x);
            out.top = std::min(out.top, y);
            out.bottom = std::max(out.bottom, y);
        }
    return out;
}

// How far apart two emblem drawings are: the Jaccard distance of their edge
// maps, pixel by pixel (0 for the same drawing, 1 when no edge pixel is shared).
double ShapeDifference(const EdgeMap& a, const EdgeMap& b)
{
    int both = 0, either = 0;
    for (size_t i = 0; i < a.on.size(); ++i) {
        both += a.on[i] && b.on[i];
        either += a.on[i] || b.on[i];
    }
    return either ? 1.0 - double(both) / either : 0.0;
}

struct Member {
    size_t size = 0;
    std::vector<uint8_t> bytes;
};

class Tiles : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        DataArchive archive;
        archiveOpen = OpenDataArchive(archive, std::string(MORVANE_GAME_DIR) + "/Morvane.data");
        if (!archiveOpen)
            return;
        std::vector<uint8_t> buffer(TileBufferBytes);
        for (int i = 1; i <= TileCount + 1; ++i) {
            const std::string name = i <= TileCount ? TileName(i) : "selected.png";
            Member m;
            uint64_t size = 0;
            if (FindMember(archive, name, &size)) {
                m.size = size_t(size);
                const size_t got = ExtractMember(archive, buffer.data(), buffer.size(), name);
                m.bytes.assign(buffer.begin(), buffer.begin() + got);
            }
            members.push_back(m);
        }
        CloseDataArchive(archive);
        for (const Member& m : members) {
            Image image;
            decoded.push_back(!m.bytes.empty() && DecodePng(m.bytes, image));
            images.push_back(image);
        }
        if (!allDecoded())
            return;
        std::vector<EdgeMap> raw;
        for (int i = 0; i < TileCount; ++i) {
            colour.push_back(Shrink(images[i], Small));
            raw.push_back(Edges(colour.back()));
        }
        token = TokenEdges(raw);
        for (const EdgeMap& m : raw)
            emblems.push_back(EmblemOnly(m, token));
    }

    static void TearDownTestSuite()
    {
        members.clear();
        images.clear();
        decoded.clear();
        colour.clear();
        emblems.clear();
        token.clear();
    }

    static bool allDecoded()
    {
        return archiveOpen && decoded.size() == size_t(TileCount + 1) &&
               std::all_of(decoded.begin(), decoded.end(), [](bool ok) { return ok; });
    }

    static inline bool archiveOpen = false;
    static inline std::vector<Member> members;   // tile01..tile40, then selected.png
    static inline std::vector<Image> images;
    static inline std::vector<bool> decoded;
    static inline std::vector<Plane> colour;      // each tile at 64 px
    static inline std::vector<EdgeMap> emblems;   // each tile's emblem edges at 64 px
    static inline std::vector<uint8_t> token;     // the edges all tiles share
};

TEST_F(Tiles, EveryTileAndTheMarkerArePackedSquareAndFitTheBuffer)
{
    ASSERT_TRUE(archiveOpen) << "Morvane.data missing from " << MORVANE_GAME_DIR;
    ASSERT_EQ(members.size(), size_t(TileCount + 1));
    for (int i = 0; i <= TileCount; ++i) {
        const std::string name = i < TileCount ? TileName(i + 1) : "selected.png";
        SCOPED_TRACE(name);
        EXPECT_GT(members[i].size, 0u) << "member missing";
        EXPECT_LE(members[i].size, TileBufferBytes) << "does not fit the loader's buffer";
        ASSERT_TRUE(decoded[i]) << "does not decode as PNG";
        EXPECT_EQ(images[i].width, images[i].height) << "not square";
        EXPECT_GE(images[i].width, 256) << "too small to stay sharp at 4K (tiles are drawn up to 256 pixels)";
    }
    // same size for all, so they shrink alike
    for (int i = 1; i <= TileCount; ++i)
        EXPECT_EQ(images[i].width, images[0].width) << (i < TileCount ? TileName(i + 1) : "selected.png");
}

TEST_F(Tiles, AllTilesShareOneTokenShapeWithTransparentCornersAndAnOpaqueFace)
{
    ASSERT_TRUE(allDecoded());
    for (int i = 0; i < TileCount; ++i) {
        SCOPED_TRACE(TileName(i + 1));
        const Image& im = images[i];
        const int n = im.width;
        // rounded token: the very corner shows the board
        EXPECT_LT(im.at(0, 0)[3], 16);
        EXPECT_LT(im.at(n - 1, 0)[3], 16);
        // the face is opaque from edge to edge along the middle lines
        for (int t = n / 10; t < n - n / 10; ++t) {
            ASSERT_EQ(im.at(t, n / 2)[3], 255) << "at " << t << "," << n / 2;
            ASSERT_EQ(im.at(n / 2, t)[3], 255) << "at " << n / 2 << "," << t;
        }
    }
}

TEST_F(Tiles, EmblemsAreLargeAt64Pixels)
{
    ASSERT_TRUE(allDecoded());
    for (int i = 0; i < TileCount; ++i) {
        SCOPED_TRACE(TileName(i + 1));
        const EdgeMap& edges = emblems[i];
        ASSERT_GT(edges.count, 0) << "no emblem drawing found";
        const int extent = std::max(edges.right - edges.left + 1, edges.bottom - edges.top + 1);
        EXPECT_GE(extent, Small / 2) << "the emblem spans only " << extent << " of " << Small << " pixels";
    }
}

TEST_F(Tiles, EveryPairDiffersInColourGreyColourBlindViewAndEmblemShape)
{
    ASSERT_TRUE(allDecoded());
    std::vector<Plane> deuteran;
    for (int i = 0; i < TileCount; ++i)
        deuteran.push_back(Deuteranope(colour[i]));
    const std::vector<EdgeMap>& edges = emblems;
    std::vector<std::pair<double, std::string>> nearestShapes;
    struct Least {
        double value = 1e9;
        int a = 0, b = 0;
        void take(double v, int i, int j)
        {
            if (v < value) {
                value = v;
                a = i + 1;
                b = j + 1;
            }
        }
    } leastColour, leastGrey, leastDeuteran, leastShape;
    for (int i = 0; i < TileCount; ++i) {
        for (int j = i + 1; j < TileCount; ++j) {
            const double c = MeanColourDifference(colour[i], colour[j]);
            const double g = MeanGreyDifference(colour[i], colour[j]);
            const double d = MeanColourDifference(deuteran[i], deuteran[j]);
            const double s = ShapeDifference(edges[i], edges[j]);
            leastColour.take(c, i, j);
            leastGrey.take(g, i, j);
            leastDeuteran.take(d, i, j);
            leastShape.take(s, i, j);
            nearestShapes.push_back({s, TileName(i + 1) + "/" + TileName(j + 1)});
            const std::string pair = TileName(i + 1) + " / " + TileName(j + 1);
            EXPECT_GE(c, MinColourDifference) << pair << " look alike in colour";
            EXPECT_GE(g, MinGreyDifference) << pair << " look alike in greyscale";
            EXPECT_GE(d, MinDeuteranDifference) << pair << " look alike to a red-green colour-blind player";
            EXPECT_GE(s, MinShapeDifference) << pair << " have alike emblem shapes";
        }
    }
    std::printf("[ measured ] least pair differences at %d px: colour %.1f (tiles %d/%d), grey %.1f (%d/%d), "
                "deuteranope %.1f (%d/%d), emblem shape %.3f (%d/%d)\n",
                Small, leastColour.value, leastColour.a, leastColour.b, leastGrey.value, leastGrey.a,
                leastGrey.b, leastDeuteran.value, leastDeuteran.a, leastDeuteran.b, leastShape.value,
                leastShape.a, leastShape.b);
    std::sort(nearestShapes.begin(), nearestShapes.end());
    std::printf("[ measured ] nearest emblem shapes:");
    for (size_t k = 0; k < 6 && k < nearestShapes.size(); ++k)
        std::printf(" %s %.3f", nearestShapes[k].second.c_str(), nearestShapes[k].first);
    std::printf("\n");
}

TEST_F(Tiles, TheShapeMeasureTellsAnEmblemFromItselfAndFromAnEmptyFace)
{
    ASSERT_TRUE(allDecoded());
    // The measure itself: zero for a tile against itself, well below the
    // margin for the same tile moved by one source pixel and for a copy in
    // inverted colours (a same-shaped emblem must not pass as different),
    // large against the tile whose emblem area was painted over with its
    // glaze colour.
    const Image& original = images[0];
    const int n = original.width;
    Image moved = original;
    for (int y = 0; y < n; ++y)
        for (int x = 1; x < n; ++x)
            std::copy(original.at(x - 1, y), original.at(x - 1, y) + 4, &moved.rgba[(size_t(y) * n + x) * 4]);
    Image inverted = original;
    for (size_t k = 0; k < inverted.rgba.size(); k += 4)
        for (int c = 0; c < 3; ++c)
            inverted.rgba[k + c] = uint8_t(255 - inverted.rgba[k + c]);
    Image blank = original;
    const uint8_t* glaze = original.at(n / 2, n / 6);
    for (int y = n / 6; y < n - n / 6; ++y)
        for (int x = n / 6; x < n - n / 6; ++x)
            std::copy(glaze, glaze + 4, &blank.rgba[(size_t(y) * n + x) * 4]);
    const EdgeMap& a = emblems[0];
    const EdgeMap b = EmblemOnly(Edges(Shrink(moved, Small)), token);
    const EdgeMap c = EmblemOnly(Edges(Shrink(blank, Small)), token);
    EXPECT_EQ(ShapeDifference(a, a), 0.0);
    EXPECT_LT(ShapeDifference(a, b), 0.25);
    EXPECT_LT(ShapeDifference(a, EmblemOnly(Edges(Shrink(inverted, Small)), token)), MinShapeDifference);
    EXPECT_GT(ShapeDifference(a, c), 0.8);
    EXPECT_GT(MeanColourDifference(colour[0], Shrink(blank, Small)), MinColourDifference);
}

TEST_F(Tiles, TheSelectionMarkerShowsOnDarkAndLightTilesAndKeepsTheMiddleClear)
{
    ASSERT_TRUE(allDecoded());
    const Image& marker = images[TileCount];
    const int n = marker.width;
    // the middle of the tile shows through untouched
    for (int y = n / 4; y < n - n / 4; ++y)
        for (int x = n / 4; x < n - n / 4; ++x)
            ASSERT_EQ(marker.at(x, y)[3], 0) << "marker covers the tile at " << x << "," << y;

    // the darkest and the lightest tile by mean luma
    std::vector<double> meanLuma;
    for (int i = 0; i < TileCount; ++i) {
        const Plane p = Shrink(images[i], Small);
        double sum = 0;
        for (const auto& px : p.rgb)
            sum += Luma(px);
        meanLuma.push_back(sum / p.rgb.size());
    }
    const int darkest = int(std::min_element(meanLuma.begin(), meanLuma.end()) - meanLuma.begin());
    const int lightest = int(std::max_element(meanLuma.begin(), meanLuma.end()) - meanLuma.begin());
    ASSERT_NE(darkest, lightest);

    // Every tile, the darkest and lightest named in the output: the marker,
    // composited and shrunk to 64 px, changes the ring it covers clearly, and
    // the ring holds both a bright and a dark band, so it reads by brightness
    // on any glaze.
    double leastChange = 1e9;
    for (int i = 0; i < TileCount; ++i) {
        Image withMarker = images[i];
        for (size_t k = 0; k < withMarker.rgba.size(); k += 4) {
            const double a = marker.rgba[k + 3] / 255.0;
            const double under = withMarker.rgba[k + 3] / 255.0;
            const double outA = a + under * (1 - a);
            for (int c = 0; c < 3; ++c) {
                const double mixed = outA > 0 ? (marker.rgba[k + c] * a + withMarker.rgba[k + c] * under * (1 - a)) / outA : 0;
                withMarker.rgba[k + c] = uint8_t(std::lround(mixed));
            }
            withMarker.rgba[k + 3] = uint8_t(std::lround(outA * 255));
        }
        const Plane before = Shrink(images[i], Small);
        const Plane after = Shrink(withMarker, Small);
        const Plane markerAlone = Shrink(marker, Small);
        double change = 0;
        int covered = 0;
        double brightest = 0, darkestBand = 1;
        for (int y = 0; y < Small; ++y) {
            for (int x = 0; x < Small; ++x) {
                // marker pixels: where the shrunk marker over grey differs from grey
                const auto& m = markerAlone.at(x, y);
                if (std::fabs(m[0] - 0.5) + std::fabs(m[1] - 0.5) + std::fabs(m[2] - 0.5) < 0.15)
                    continue;
                ++covered;
                change += std::fabs(Luma(after.at(x, y)) - Luma(before.at(x, y)));
                brightest = std::max(brightest, Luma(after.at(x, y)));
                darkestBand = std::min(darkestBand, Luma(after.at(x, y)));
            }
        }
        ASSERT_GT(covered, Small * 4) << "the marker ring is too thin to see at " << Small << " px";
        const double meanChange = 255.0 * change / covered;
        leastChange = std::min(leastChange, meanChange);
        const std::string which = TileName(i + 1) + (i == darkest ? " (darkest)" : i == lightest ? " (lightest)" : "");
        EXPECT_GE(meanChange, 40.0) << which << ": the marker hardly changes the tile";
        EXPECT_GE(255.0 * brightest, 220.0) << which << ": no bright band";
        EXPECT_LE(255.0 * darkestBand, 60.0) << which << ": no dark band";
    }
    std::printf("[ measured ] marker: least mean luma change under the ring %.1f of 255; darkest tile %s, lightest %s\n",
                leastChange, TileName(darkest + 1).c_str(), TileName(lightest + 1).c_str());
}

}  // namespace
