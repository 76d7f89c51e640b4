// Reads screenshots (binary PPM, as written by `import -window root ppm:FILE`)
// for the end-to-end script: region differences, colour counts and the tiles
// of the board. Knows nothing of the game but what a player sees.
//
//   e2e_look mad A.ppm B.ppm X Y W H        mean absolute difference per channel
//   e2e_look count A.ppm X Y W H R G B TOL  pixels within TOL of the colour
//   e2e_look board A.ppm LEFT TOP WIDTH HEIGHT TILE COLUMNS
//       finds the tiles of the board inside the area (screen coordinates of
//       the game's picture), groups them by picture and prints "phase P",
//       "fullrows N" (rows with a tile in every column), "tiles N", one
//       "cell X Y GROUP" line per tile, then "triple X1 Y1 X2 Y2 X3 Y3" (centres, area
//       coordinates added) for one group of at least three, or "triple none",
//       and "cursor X Y", the centre of the cell the tile cursor (a frame in
//       the hover colour around a cell) is on, or "cursor none".
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Next header token of a PPM, skipping blanks and comments.
bool Token(std::istream& in, std::string& token)
{
    token.clear();
    int c = in.get();
    while (c != EOF) {
        if (c == '#') {
            while (c != EOF && c != '\n')
                c = in.get();
        } else if (!std::isspace(c)) {
            break;
        }
        c = in.get();
    }
    while (c != EOF && !std::isspace(c)) {
        token += static_cast<char>(c);
        c = in.get();
    }
    return !token.empty();
}

bool Load(const std::string& path, Image& image)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic, w, h, max;
    if (!Token(in, magic) || magic != "P6" || !Token(in, w) || !Token(in, h) || !Token(in, max))
        return false;
    image.width = std::atoi(w.c_str());
    image.height = std::atoi(h.c_str());
    if (image.width <= 0 || image.height <= 0 || std::atoi(max.c_str()) != 255)
        return false;
    image.rgb.resize(static_cast<size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    return in.gcount() == static_cast<std::streamsize>(image.rgb.size());
}

struct Rect {
    int x, y, w, h;
};

Rect Clip(const Image& image, Rect r)
{
    const int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    const int x1 = std::min(image.width, r.x + r.w), y1 = std::min(image.height, r.y + r.h);
    return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

// Mean absolute difference per channel between two equal-size areas.
double Mad(const Image& a, int ax, int ay, const Image& b, int bx, int by, int w, int h)
{
    long long sum = 0;
    for (int y = 0; y < h; ++y) {
        const unsigned char* pa = a.at(ax, ay + y);
        const unsigned char* pb = b.at(bx, by + y);
        for (int i = 0; i < w * 3; ++i)
            sum += std::abs(static_cast<int>(pa[i]) - static_cast<int>(pb[i]));
    }
    return w > 0 && h > 0 ? static_cast<double>(sum) / (static_cast<double>(w) * h * 3) : 0.0;
}

// Sum of absolute differences between vertically adjacent pixels of an area,
// per pixel: near 0 on a smooth background, large on a tile's picture.
double Detail(const Image& image, int x, int y, int w, int h)
{
    long long sum = 0;
    for (int yy = y + 1; yy < y + h; ++yy) {
        for (int xx = x; xx < x + w; ++xx) {
            const unsigned char* p = image.at(xx, yy);
            const unsigned char* q = image.at(xx, yy - 1);
            const unsigned char* r = image.at(xx - 1 >= x ? xx - 1 : xx, yy);
            for (int c = 0; c < 3; ++c)
                sum += std::abs(p[c] - q[c]) + std::abs(p[c] - r[c]);
        }
    }
    return static_cast<double>(sum) / (static_cast<double>(w) * h);
}

int Board(const Image& image, Rect area, int tile, int columns)
{
    const int left = area.x + area.w / 2 - tile * columns / 2;
    const int boardWidth = tile * columns;
    if (left < 0 || left + boardWidth > image.width || area.y < 0 || area.y + area.h > image.height)
        return 2;
    // Tile edges are the strong horizontal lines of the board's columns; the
    // grid's phase is where their energy, folded by the tile size, peaks.
    std::vector<double> fold(static_cast<size_t>(tile), 0.0);
    for (int y = area.y + 1; y < area.y + area.h; ++y) {
        long long energy = 0;
        for (int x = left; x < left + boardWidth; ++x) {
            const unsigned char* p = image.at(x, y);
            const unsigned char* q = image.at(x, y - 1);
            for (int c = 0; c < 3; ++c)
                energy += std::abs(p[c] - q[c]);
        }
        fold[static_cast<size_t>((y - area.y) % tile)] += static_cast<double>(energy);
    }
    // Smooth over a few lines so that a tile's top and bottom outline, which
    // lie a few pixels apart across the cell boundary, add up.
    int phase = 0;
    double best = -1.0;
    for (int p = 0; p < tile; ++p) {
        double s = 0.0;
        for (int d = -tile / 16; d <= tile / 16; ++d)
            s += fold[static_cast<size_t>(((p + d) % tile + tile) % tile)];
        if (s > best) {
            best = s;
            phase = p;
        }
    }
    struct Cell {
        int cx, cy, group;
    };
    std::vector<Cell> cells;
    std::vector<Cell> representatives;  // one per group: where its first member is
    const int inset = tile / 4;
    const int crop = tile - 2 * inset;
    int fullRows = 0;
    for (int top = area.y + phase - tile; top + tile <= area.y + area.h; top += tile) {
        if (top < area.y)
            continue;
        int inRow = 0;
        for (int c = 0; c < columns; ++c) {
            const int x = left + c * tile;
            if (Detail(image, x + inset, top + inset, crop, crop) < 12.0)
                continue;  // background: no tile here
            ++inRow;
            Cell cell{x + tile / 2, top + tile / 2, -1};
            for (size_t g = 0; g < representatives.size(); ++g) {
                const Cell& r = representatives[g];
                if (Mad(image, cell.cx - crop / 2, cell.cy - crop / 2, image, r.cx - crop / 2, r.cy - crop / 2,
                        crop, crop) < 12.0) {
                    cell.group = static_cast<int>(g);
                    break;
                }
            }
            if (cell.group < 0) {
                cell.group = static_cast<int>(representatives.size());
                representatives.push_back(cell);
            }
            cells.push_back(cell);
        }
        fullRows += inRow == columns;
    }
    // The tile cursor: the cell with the most hover-coloured pixels in the
    // band an eighth of a tile wide around it.
    int cursorX = 0, cursorY = 0;
    long cursorPixels = tile;  // at least a tile's width of them
    for (int top = area.y + phase - tile; top < area.y + area.h; top += tile) {
        for (int c = 0; c < columns; ++c) {
            const int x = left + c * tile;
            long count = 0;
            for (int y = std::max(0, top - tile / 8); y < std::min(image.height, top + tile + tile / 8); ++y)
                for (int xx = std::max(0, x - tile / 8); xx < std::min(image.width, x + tile + tile / 8); ++xx) {
                    const unsigned char* p = image.at(xx, y);
                    const bool inside = xx >= x + tile / 16 && xx < x + tile - tile / 16 && y >= top + tile / 16 &&
                                        y < top + tile - tile / 16;
                    count += !inside && std::abs(p[0] - 219) <= 12 && std::abs(p[1] - 63) <= 12 &&
                             std::abs(p[2] - 81) <= 12;
                }
            if (count > cursorPixels) {
                cursorPixels = count;
                cursorX = x + tile / 2;
                cursorY = top + tile / 2;
            }
        }
    }
    if (cursorX)
        std::printf("cursor %d %d\n", cursorX, cursorY);
    else
        std::printf("cursor none\n");
    std::printf("phase %d\n", phase);
    std::printf("fullrows %d\n", fullRows);
    std::printf("tiles %zu\n", cells.size());
    for (const Cell& cell : cells)
        std::printf("cell %d %d %d\n", cell.cx, cell.cy, cell.group);
    for (size_t g = 0; g < representatives.size(); ++g) {
        std::vector<const Cell*> members;
        for (const Cell& cell : cells)
            if (cell.group == static_cast<int>(g))
                members.push_back(&cell);
        if (members.size() >= 3) {
            std::printf("triple %d %d %d %d %d %d\n", members[0]->cx, members[0]->cy, members[1]->cx,
                        members[1]->cy, members[2]->cx, members[2]->cy);
            return 0;
        }
    }
    std::printf("triple none\n");
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: e2e_look mad|count|board ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    Image a;
    if (!Load(argv[2], a)) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    auto number = [&](int i) { return std::atoi(argv[i]); };
    if (command == "mad" && argc == 8) {
        Image b;
        if (!Load(argv[3], b) || b.width != a.width || b.height != a.height) {
            std::fprintf(stderr, "cannot compare with %s\n", argv[3]);
            return 2;
        }
        const Rect r = Clip(a, {number(4), number(5), number(6), number(7)});
        std::printf("%.3f\n", Mad(a, r.x, r.y, b, r.x, r.y, r.w, r.h));
        return 0;
    }
    if (command == "count" && argc == 11) {
        const Rect r = Clip(a, {number(3), number(4), number(5), number(6)});
        const int colour[3] = {number(7), number(8), number(9)};
        const int tolerance = number(10);
        long count = 0;
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                const unsigned char* p = a.at(x, y);
                bool near = true;
                for (int c = 0; c < 3; ++c)
                    near = near && std::abs(p[c] - colour[c]) <= tolerance;
                count += near;
            }
        }
        std::printf("%ld\n", count);
        return 0;
    }
    if (command == "board" && argc == 9)
        return Board(a, {number(3), number(4), number(5), number(6)}, number(7), number(8));
    return Usage();
}
