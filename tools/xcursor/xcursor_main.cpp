// morvane_xcursor: writes an X cursor file from PNG images of the same
// pointer at several sizes, then loads it back with libXcursor.
//
//   morvane_xcursor -o <out> --hot <x> <y> <png> [<png> ...]
//
// The hotspot is given for the largest image and scaled for the others. The
// nominal size of each image is its width.
#include <X11/Xcursor/Xcursor.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Image {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> argb;  // premultiplied, one word per pixel
};

constexpr uint32_t kImageType = 0xfffd0002u;
constexpr uint32_t kFileHeaderSize = 16;
constexpr uint32_t kTocEntrySize = 12;
constexpr uint32_t kImageHeaderSize = 36;

bool ReadPng(const std::string& path, Image& image)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        std::fprintf(stderr, "morvane_xcursor: %s: %s\n", path.c_str(), png.message);
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) {
        std::fprintf(stderr, "morvane_xcursor: %s: %s\n", path.c_str(), png.message);
        return false;
    }
    image.width = png.width;
    image.height = png.height;
    image.argb.resize(static_cast<size_t>(png.width) * png.height);
    for (size_t i = 0; i < image.argb.size(); ++i) {
        const uint32_t a = rgba[i * 4 + 3];
        // X wants the colour already multiplied by alpha
        auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
        image.argb[i] = (a << 24) | (pre(rgba[i * 4]) << 16) | (pre(rgba[i * 4 + 1]) << 8)
                        | pre(rgba[i * 4 + 2]);
    }
    png_image_free(&png);
    return true;
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

struct Hotspot {
    uint32_t x;
    uint32_t y;
};

std::vector<uint8_t> BuildCursorFile(const std::vector<Image>& images, const std::vector<Hotspot>& hots)
{
    std::vector<uint8_t> out;
    out.insert(out.end(), {'X', 'c', 'u', 'r'});
    Put32(out, kFileHeaderSize);
    Put32(out, 0x10000);  // file version
    Put32(out, static_cast<uint32_t>(images.size()));
    uint32_t position = kFileHeaderSize + kTocEntrySize * static_cast<uint32_t>(images.size());
    for (const Image& image : images) {
        Put32(out, kImageType);
        Put32(out, image.width);  // nominal size
        Put32(out, position);
        position += kImageHeaderSize + 4 * image.width * image.height;
    }
    for (size_t i = 0; i < images.size(); ++i) {
        const Image& image = images[i];
        Put32(out, kImageHeaderSize);
        Put32(out, kImageType);
        Put32(out, image.width);
        Put32(out, 1);  // chunk version
        Put32(out, image.width);
        Put32(out, image.height);
        Put32(out, hots[i].x);
        Put32(out, hots[i].y);
        Put32(out, 0);  // delay: a still cursor
        for (uint32_t pixel : image.argb)
            Put32(out, pixel);
    }
    return out;
}

// Loads the written file with libXcursor and compares every image with what
// was meant to be written.
bool VerifyWithXcursor(const std::string& path, const std::vector<Image>& images,
                       const std::vector<Hotspot>& hots)
{
    XcursorImages* loaded = XcursorFilenameLoadImages(path.c_str(), static_cast<int>(images[0].width));
    if (!loaded) {
        std::fprintf(stderr, "morvane_xcursor: libXcursor cannot read %s\n", path.c_str());
        return false;
    }
    // libXcursor returns only the images of the size nearest to the one asked
    // for, so ask for each size in turn.
    XcursorImagesDestroy(loaded);
    for (size_t i = 0; i < images.size(); ++i) {
        XcursorImages* set = XcursorFilenameLoadImages(path.c_str(), static_cast<int>(images[i].width));
        bool ok = set && set->nimage == 1;
        if (ok) {
            const XcursorImage* x = set->images[0];
            ok = x->width == images[i].width && x->height == images[i].height && x->xhot == hots[i].x
                 && x->yhot == hots[i].y && x->size == images[i].width
                 && std::equal(images[i].argb.begin(), images[i].argb.end(), x->pixels);
        }
        if (set)
            XcursorImagesDestroy(set);
        if (!ok) {
            std::fprintf(stderr, "morvane_xcursor: the %u-pixel image of %s does not read back\n",
                         images[i].width, path.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string outPath;
    double hotX = 0;
    double hotY = 0;
    std::vector<std::string> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc) {
            outPath = argv[++i];
        } else if (arg == "--hot" && i + 2 < argc) {
            hotX = std::atof(argv[++i]);
            hotY = std::atof(argv[++i]);
        } else {
            inputs.push_back(arg);
        }
    }
    if (outPath.empty() || inputs.empty()) {
        std::fprintf(stderr, "usage: morvane_xcursor -o <out> --hot <x> <y> <png>...\n");
        return 2;
    }
    std::vector<Image> images(inputs.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!ReadPng(inputs[i], images[i]))
            return 1;
    }
    std::sort(images.begin(), images.end(), [](const Image& a, const Image& b) { return a.width < b.width; });
    for (size_t i = 1; i < images.size(); ++i) {
        if (images[i].width == images[i - 1].width) {
            std::fprintf(stderr, "morvane_xcursor: two images of size %u\n", images[i].width);
            return 1;
        }
    }
    const double largest = images.back().width;
    std::vector<Hotspot> hots;
    for (const Image& image : images) {
        const double scale = image.width / largest;
        Hotspot h{static_cast<uint32_t>(std::floor(hotX * scale)), static_cast<uint32_t>(std::floor(hotY * scale))};
        h.x = std::min(h.x, image.width - 1);
        h.y = std::min(h.y, image.height - 1);
        hots.push_back(h);
    }
    const std::vector<uint8_t> bytes = BuildCursorFile(images, hots);
    FILE* file = std::fopen(outPath.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::fprintf(stderr, "morvane_xcursor: cannot write %s\n", outPath.c_str());
        if (file)
            std::fclose(file);
        return 1;
    }
    if (std::fclose(file) != 0) {
        std::fprintf(stderr, "morvane_xcursor: cannot write %s\n", outPath.c_str());
        return 1;
    }
    if (!VerifyWithXcursor(outPath, images, hots)) {
        std::remove(outPath.c_str());
        return 1;
    }
    return 0;
}
