// Reads screenshots (binary PPM from `import`) for the end-to-end script,
// knowing nothing of the game but what a player sees:
//   mad A.ppm B.ppm X Y W H        mean absolute difference per channel
//   count A.ppm X Y W H R G B TOL  pixels within TOL of the colour
//   board A.ppm LEFT TOP W H TILE COLUMNS   the board in the game's picture:
//       "fullrows N", "triple X1 Y1 X2 Y2 X3 Y3" (three tiles of one picture)
//       or "triple none", "cursor X Y" (the cell framed in the hover colour) or "cursor none"
//   near "A..." "B..." TOL          six numbers each, none further apart than TOL
//   keys TILE X Y X1 Y1 ...        arrows and Space taking the tile cursor onto each cell
//   sound REC.raw                   s16le stereo 44100 Hz: "rms R gap MS", level and longest silence within
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
};

bool Load(const std::string& path, Image& image)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int max = 0;
    in >> magic >> image.width >> image.height >> max;
    in.get();
    if (magic != "P6" || image.width <= 0 || image.height <= 0 || max != 255)
        return false;
    image.rgb.resize(size_t(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), std::streamsize(image.rgb.size()));
    return in.gcount() == std::streamsize(image.rgb.size());
}

// Mean absolute difference per channel between two areas of one size.
double Mad(const Image& a, int ax, int ay, const Image& b, int bx, int by, int w, int h)
{
    long long sum = 0;
    for (int y = 0; y < h; ++y)
        for (int i = 0; i < w * 3; ++i)
            sum += std::abs(int(a.at(ax, ay + y)[i]) - int(b.at(bx, by + y)[i]));
    return w > 0 && h > 0 ? double(sum) / (double(w) * h * 3) : 0.0;
}

// Differences between neighbouring pixels, per pixel: near 0 on a smooth
// background, large on a tile's picture.
double Detail(const Image& image, int x0, int y0, int w, int h)
{
    long long sum = 0;
    for (int y = y0 + 1; y < y0 + h; ++y)
        for (int x = x0 + 1; x < x0 + w; ++x)
            for (int c = 0; c < 3; ++c)
                sum += std::abs(image.at(x, y)[c] - image.at(x, y - 1)[c]) + std::abs(image.at(x, y)[c] - image.at(x - 1, y)[c]);
    return double(sum) / (double(w) * h);
}

bool Within(const unsigned char* p, int r, int g, int b, int tolerance)
{
    return std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance && std::abs(p[2] - b) <= tolerance;
}

int Board(const Image& image, int areaX, int areaY, int areaW, int areaH, int tile, int columns)
{
    const int left = areaX + areaW / 2 - tile * columns / 2, right = left + tile * columns;
    if (left < 0 || right > image.width || areaY < 0 || areaY + areaH > image.height)
        return 2;
    // Tile edges are the strong horizontal lines of the columns; the grid's
    // phase is where their energy, folded by the tile size and smoothed over
    // a few lines (a tile's outlines lie a few pixels apart), peaks.
    std::vector<double> fold(size_t(tile), 0.0);
    for (int y = areaY + 1; y < areaY + areaH; ++y)
        for (int x = left; x < right; ++x)
            for (int c = 0; c < 3; ++c)
                fold[size_t((y - areaY) % tile)] += std::abs(image.at(x, y)[c] - image.at(x, y - 1)[c]);
    int phase = 0;
    double best = -1;
    for (int p = 0; p < tile; ++p) {
        double s = 0;
        for (int d = -tile / 16; d <= tile / 16; ++d)
            s += fold[size_t(((p + d) % tile + tile) % tile)];
        if (s > best)
            best = s, phase = p;
    }
    struct Cell {
        int cx, cy;
    };
    std::vector<std::vector<Cell>> groups;  // the cells of each picture, in the order seen
    const int inset = tile / 4, crop = tile - 2 * inset;
    int fullRows = 0, cursorX = 0, cursorY = 0;
    long cursorPixels = tile;  // at least a tile's width of them
    for (int top = areaY + phase - tile; top < areaY + areaH; top += tile) {
        int inRow = 0;
        for (int x = left; x < right; x += tile) {
            // The tile cursor: the most hover-coloured pixels in the band an eighth of a tile wide around a cell.
            long count = 0;
            for (int y = std::max(0, top - tile / 8); y < std::min(image.height, top + tile + tile / 8); ++y)
                for (int xx = std::max(0, x - tile / 8); xx < std::min(image.width, x + tile + tile / 8); ++xx)
                    count += Within(image.at(xx, y), 219, 63, 81, 12) && !(xx >= x + tile / 16 && xx < x + tile - tile / 16 &&
                                                         y >= top + tile / 16 && y < top + tile - tile / 16);
            if (count > cursorPixels)
                cursorPixels = count, cursorX = x + tile / 2, cursorY = top + tile / 2;
            if (top < areaY || top + tile > areaY + areaH || Detail(image, x + inset, top + inset, crop, crop) < 12.0)
                continue;  // off the area, or the background: no tile here
            ++inRow;
            const Cell cell{x + tile / 2, top + tile / 2};
            auto group = std::ranges::find_if(groups, [&](const std::vector<Cell>& g) {
                return Mad(image, cell.cx - crop / 2, cell.cy - crop / 2, image, g[0].cx - crop / 2, g[0].cy - crop / 2, crop,
                           crop) < 12.0;
            });
            if (group == groups.end())
                group = groups.insert(group, std::vector<Cell>());
            group->push_back(cell);
        }
        fullRows += inRow == columns;
    }
    std::printf("fullrows %d\n", fullRows);
    std::printf("cursor %s\n", cursorX ? (std::to_string(cursorX) + " " + std::to_string(cursorY)).c_str() : "none");
    for (const std::vector<Cell>& g : groups)
        if (g.size() >= 3) {
            std::printf("triple %d %d %d %d %d %d\n", g[0].cx, g[0].cy, g[1].cx, g[1].cy, g[2].cx, g[2].cy);
            return 0;
        }
    std::printf("triple none\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const auto number = [argv](int i) { return std::atoi(argv[i]); };
    if (command == "near" && argc == 5) {
        std::istringstream a(argv[2]), b(argv[3]);
        int x = 0, y = 0, n = 0;
        while (a >> x && b >> y && std::abs(x - y) <= number(4))
            ++n;
        return n == 6 && !(a >> x) ? 0 : 1;
    }
    if (command == "keys" && argc >= 5 && argc % 2 == 1) {
        const int tile = number(2);
        for (int i = 5; i + 1 < argc; i += 2) {
            const int dx = number(i) - number(i - 2), dy = number(i + 1) - number(i - 1);
            for (int k = (std::abs(dx) + tile / 2) / tile; k > 0; --k)
                std::printf("%s ", dx < 0 ? "Left" : "Right");
            for (int k = (std::abs(dy) + tile / 2) / tile; k > 0; --k)
                std::printf("%s ", dy < 0 ? "Up" : "Down");
            std::printf("space ");
        }
        std::printf("\n");
        return 0;
    }
    if (command == "sound" && argc == 3) {
        std::ifstream in(argv[2], std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<int16_t> pcm(bytes.size() / 4 * 2);
        std::memcpy(pcm.data(), bytes.data(), pcm.size() * 2);
        size_t first = 0, last = 0, run = 0, longest = 0;
        double sum = 0;
        for (size_t i = 0; i < pcm.size(); i += 2) {
            const bool quiet = std::abs(pcm[i]) <= 1 && std::abs(pcm[i + 1]) <= 1;
            longest = quiet || !last ? longest : std::max(longest, run);
            run = quiet ? run + 1 : 0, first = quiet || last ? first : i, last = quiet ? last : i + 2;
        }
        for (size_t i = first; i < last; ++i)
            sum += double(pcm[i]) * pcm[i];
        std::printf("rms %.0f gap %.2f\n", last ? std::sqrt(sum / double(last - first)) : 0.0, double(longest) / 44.1);
        return 0;
    }
    Image a, b;
    if (argc < 3 || !Load(argv[2], a)) {
        std::fprintf(stderr, "usage: e2e_look mad|count|board|near|keys ... (or an unreadable picture)\n");
        return 2;
    }
    const auto clip = [&a](int& x, int& y, int& w, int& h) {
        const int x1 = std::min(a.width, x + w), y1 = std::min(a.height, y + h);
        x = std::max(0, x), y = std::max(0, y), w = std::max(0, x1 - x), h = std::max(0, y1 - y);
    };
    if (command == "mad" && argc == 8 && Load(argv[3], b) && b.width == a.width && b.height == a.height) {
        int x = number(4), y = number(5), w = number(6), h = number(7);
        clip(x, y, w, h);
        std::printf("%.3f\n", Mad(a, x, y, b, x, y, w, h));
        return 0;
    }
    if (command == "count" && argc == 11) {
        int x = number(3), y = number(4), w = number(5), h = number(6);
        clip(x, y, w, h);
        long count = 0;
        for (int yy = y; yy < y + h; ++yy)
            for (int xx = x; xx < x + w; ++xx)
                count += Within(a.at(xx, yy), number(7), number(8), number(9), number(10));
        std::printf("%ld\n", count);
        return 0;
    }
    if (command == "board" && argc == 9)
        return Board(a, number(3), number(4), number(5), number(6), number(7), number(8));
    return 2;
}
