// Pictures shared by sprites, images and frames: PNG decoding, resampling
// and compositing, all on premultiplied ARGB pixels through pixman (SIMD,
// fixed point).
#include "media/media_internal.h"

#include <png.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

std::atomic<uint64_t> lastPictureId{0};

// Largest side of any picture; larger requests fail rather than exhaust memory.
constexpr int MaxPictureSide = 16384;

// A picture around a pixman image (its owner from now on).
PicturePtr WrapImage(pixman_image_t* image)
{
    if (!image) {
        return nullptr;
    }
    auto picture = std::make_shared<Picture>();
    picture->image = image;
    picture->id = ++lastPictureId;
    picture->width = pixman_image_get_width(image);
    picture->height = pixman_image_get_height(image);
    return picture;
}

// A picture of one colour at any size: no pixels are kept.
PicturePtr SolidPicture(uint32_t colour, int width, int height)
{
    auto picture = std::make_shared<Picture>();
    picture->id = ++lastPictureId;
    picture->width = width;
    picture->height = height;
    picture->solid = true;
    picture->opaque = (colour >> 24) == 0xFF;
    picture->colour = colour;
    return picture;
}

uint32_t* PixelRow(const Picture& picture, int y)
{
    uint8_t* bits = reinterpret_cast<uint8_t*>(pixman_image_get_data(picture.image));
    return reinterpret_cast<uint32_t*>(bits + static_cast<size_t>(y) * pixman_image_get_stride(picture.image));
}

// Straight-alpha ARGB rows (as libpng writes them) to premultiplied ones,
// noting on the way whether the picture is opaque and of one colour.
// NOTE: no branch per pixel, so the loop vectorises; the rounded division by
// 255 leaves opaque pixels exactly as they were.
void Premultiply(Picture& picture)
{
    const uint32_t first = PixelRow(picture, 0)[0];
    uint32_t alphaAnd = 0xFF000000u;
    uint32_t difference = 0;
    for (int y = 0; y < picture.height; ++y) {
        uint32_t* row = PixelRow(picture, y);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t pixel = row[x];
            const uint32_t a = pixel >> 24;
            alphaAnd &= pixel;
            difference |= pixel ^ first;
            uint32_t rb = (pixel & 0x00FF00FFu) * a + 0x00800080u;
            rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
            uint32_t g = (pixel & 0x0000FF00u) * a + 0x00008000u;
            g = ((g + ((g >> 8) & 0x0000FF00u)) >> 8) & 0x0000FF00u;
            row[x] = (pixel & 0xFF000000u) | rb | g;
        }
    }
    picture.opaque = alphaAnd == 0xFF000000u;
    picture.solid = difference == 0 && picture.width * picture.height > 1;
    if (picture.solid) {
        picture.colour = PixelRow(picture, 0)[0];
    }
}

// One resampling step with pixman: the picture scaled to width x height.
PicturePtr ScaleStep(const Picture& source, int width, int height, pixman_filter_t filter)
{
    PicturePtr target = NewPicture(width, height);
    if (!target) {
        return nullptr;
    }
    pixman_transform_t transform;
    pixman_transform_init_scale(&transform, pixman_int_to_fixed(source.width) / width,
                                pixman_int_to_fixed(source.height) / height);
    pixman_image_set_transform(source.image, &transform);
    pixman_image_set_filter(source.image, filter, nullptr, 0);
    pixman_image_set_repeat(source.image, PIXMAN_REPEAT_PAD);
    pixman_image_composite32(PIXMAN_OP_SRC, source.image, nullptr, target->image, 0, 0, 0, 0, 0, 0, width,
                             height);
    pixman_image_set_transform(source.image, nullptr);
    pixman_image_set_filter(source.image, PIXMAN_FILTER_NEAREST, nullptr, 0);
    pixman_image_set_repeat(source.image, PIXMAN_REPEAT_NONE);
    target->opaque = source.opaque;
    return target;
}

}  // namespace

Picture::~Picture()
{
    if (image) {
        pixman_image_unref(image);
    }
}

// A transparent picture; null for a size that is empty or absurd.
PicturePtr NewPicture(int width, int height)
{
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) {
        return nullptr;
    }
    return WrapImage(pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, nullptr, width * 4));
}

// Reads a PNG's header into `image`; false when the bytes are no PNG.
static bool BeginPng(const uint8_t* bytes, size_t size, png_image& image)
{
    if (!bytes || size < 8) {
        return false;
    }
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    return png_image_begin_read_from_memory(&image, bytes, size) != 0;
}

// PNG bytes to a premultiplied picture; null when the bytes do not decode.
PicturePtr DecodePng(const uint8_t* bytes, size_t size)
{
    png_image image;
    if (!BeginPng(bytes, size, image)) {
        return nullptr;
    }
    const bool hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_BGRA;  // little-endian ARGB words, as pixman's a8r8g8b8
    PicturePtr picture = NewPicture(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!picture) {
        png_image_free(&image);
        return nullptr;
    }
    const int stride = pixman_image_get_stride(picture->image);
    if (!png_image_finish_read(&image, nullptr, pixman_image_get_data(picture->image), stride, nullptr)) {
        png_image_free(&image);
        return nullptr;
    }
    if (hasAlpha) {
        Premultiply(*picture);
    } else {
        picture->opaque = true;
    }
    return picture;
}

// Only the header is read, so a picture can be judged before its pixels
// take any memory.
bool pictureSize(const uint8_t* pngBytes, size_t size, int& width, int& height)
{
    png_image image;
    if (!BeginPng(pngBytes, size, image)) {
        return false;
    }
    // libpng refuses sides above a million pixels, so both fit an int.
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    png_image_free(&image);
    return true;
}

// An independent copy with its own pixels (a solid picture's pixels are
// filled in, so the copy can be drawn into).
PicturePtr CopyPicture(const Picture& source)
{
    PicturePtr copy = NewPicture(source.width, source.height);
    if (!copy) {
        return nullptr;
    }
    if (source.image) {
        for (int y = 0; y < source.height; ++y) {
            std::memcpy(PixelRow(*copy, y), PixelRow(source, y), static_cast<size_t>(source.width) * 4);
        }
    } else {
        CompositePicture(PIXMAN_OP_SRC, source, nullptr, *copy, 0, 0);
    }
    copy->opaque = source.opaque;
    copy->solid = source.solid;
    copy->colour = source.colour;
    return copy;
}

// NOTE: bilinear filtering at exactly half the size averages each 2 x 2
// block, so shrinking halves (a box filter) while the size is more than twice
// the target and finishes with one bilinear step. That keeps every source
// pixel in the average, as an area resample does, at a fraction of its cost.
PicturePtr ResamplePicture(const Picture& source, int width, int height, bool smooth)
{
    if (width <= 0 || height <= 0 || width > MaxPictureSide || height > MaxPictureSide) {
        return nullptr;
    }
    if (source.solid) {
        return SolidPicture(source.colour, width, height);
    }
    if (!smooth) {
        return ScaleStep(source, width, height, PIXMAN_FILTER_NEAREST);
    }
    PicturePtr step;
    const Picture* current = &source;
    while (current->width >= 2 * width || current->height >= 2 * height) {
        const int halfWidth = current->width >= 2 * width ? current->width / 2 : current->width;
        const int halfHeight = current->height >= 2 * height ? current->height / 2 : current->height;
        step = ScaleStep(*current, halfWidth, halfHeight, PIXMAN_FILTER_BILINEAR);
        if (!step) {
            return nullptr;
        }
        current = step.get();
    }
    if (current->width == width && current->height == height) {
        return step ? step : CopyPicture(source);
    }
    return ScaleStep(*current, width, height, PIXMAN_FILTER_BILINEAR);
}

// Opaque and one-colour pictures are shown and resampled more cheaply.
void NotePictureKind(Picture& picture)
{
    if (picture.solid || !picture.image) {
        return;
    }
    bool opaque = true;
    bool solid = picture.width * picture.height > 1;
    const uint32_t first = PixelRow(picture, 0)[0];
    for (int y = 0; y < picture.height && (opaque || solid); ++y) {
        const uint32_t* row = PixelRow(picture, y);
        for (int x = 0; x < picture.width; ++x) {
            opaque = opaque && (row[x] >> 24) == 0xFF;
            solid = solid && row[x] == first;
        }
    }
    picture.opaque = opaque;
    if (solid) {
        picture.solid = true;
        picture.colour = first;
    }
}

// One pixel with its colour taken back out of the premultiplied form.
uint32_t PictureRgba(const Picture& picture, int x, int y)
{
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) {
        return 0;
    }
    const uint32_t pixel = picture.solid ? picture.colour : PixelRow(picture, y)[x];
    const uint32_t a = pixel >> 24;
    if (a == 0) {
        return 0;
    }
    auto straight = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return rgba(straight((pixel >> 16) & 0xFF), straight((pixel >> 8) & 0xFF), straight(pixel & 0xFF), a);
}

// NOTE: per row the longest run of opaque pixels, and rows grouped into at
// most 16 bands, each band the run all its rows share. A handful of
// rectangles covers nearly all of a rounded tile or a paper panel, and few
// rectangles keep the frame's occlusion sums cheap.
const std::vector<pixman_box32_t>& OpaqueBands(Picture& picture)
{
    if (picture.bandsKnown) {
        return picture.opaqueBands;
    }
    picture.bandsKnown = true;
    picture.opaqueBands.clear();
    if (picture.opaque || (picture.solid && (picture.colour >> 24) == 0xFF)) {
        picture.opaqueBands.push_back(pixman_box32_t{0, 0, picture.width, picture.height});
        return picture.opaqueBands;
    }
    if (!picture.image) {
        return picture.opaqueBands;
    }
    std::vector<int> left(static_cast<size_t>(picture.height)), right(static_cast<size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const uint32_t* row = PixelRow(picture, y);
        int best = 0, bestStart = 0, start = -1;
        for (int x = 0; x <= picture.width; ++x) {
            const bool opaque = x < picture.width && (row[x] >> 24) == 0xFF;
            if (opaque && start < 0) {
                start = x;
            } else if (!opaque && start >= 0) {
                if (x - start > best) {
                    best = x - start;
                    bestStart = start;
                }
                start = -1;
            }
        }
        left[y] = bestStart;
        right[y] = bestStart + best;
    }
    const int bandHeight = std::max(1, (picture.height + 15) / 16);
    for (int top = 0; top < picture.height; top += bandHeight) {
        const int bottom = std::min(picture.height, top + bandHeight);
        int l = 0, r = picture.width;
        for (int y = top; y < bottom; ++y) {
            l = std::max(l, left[y]);
            r = std::min(r, right[y]);
        }
        if (l < r) {
            picture.opaqueBands.push_back(pixman_box32_t{l, top, r, bottom});
        }
    }
    return picture.opaqueBands;
}

// The picture's colours with their alpha taken out: what an opaque copy of
// a translucent picture shows.
PicturePtr OpaqueColours(const Picture& source)
{
    PicturePtr copy = CopyPicture(source);
    if (!copy) {
        return nullptr;
    }
    for (int y = 0; y < copy->height; ++y) {
        uint32_t* row = PixelRow(*copy, y);
        for (int x = 0; x < copy->width; ++x) {
            const uint32_t rgbaValue = PictureRgba(*copy, x, y);
            row[x] = 0xFF000000u | ((rgbaValue & 0xFF) << 16) | (rgbaValue & 0xFF00) | ((rgbaValue >> 16) & 0xFF);
        }
    }
    copy->opaque = true;
    copy->solid = false;
    return copy;
}

// A pixman image to composite from; the caller unrefs it.
pixman_image_t* PictureSource(const Picture& picture)
{
    if (!picture.solid) {
        return pixman_image_ref(picture.image);
    }
    auto wide = [&](int shift) { return static_cast<uint16_t>(((picture.colour >> shift) & 0xFF) * 0x101); };
    pixman_color_t colour{wide(16), wide(8), wide(0), wide(24)};
    return pixman_image_create_solid_fill(&colour);
}

// Composites a picture onto another at x, y, clipped to the target.
void CompositePicture(pixman_op_t op, const Picture& source, pixman_image_t* mask, Picture& target, int x, int y)
{
    if (!target.image) {
        return;
    }
    pixman_image_t* from = PictureSource(source);
    if (!from) {
        return;
    }
    pixman_image_composite32(op, from, mask, target.image, 0, 0, 0, 0, x, y, source.width, source.height);
    pixman_image_unref(from);
}

// rgba() (straight alpha, red lowest) to premultiplied a8r8g8b8.
uint32_t PremultipliedColour(uint32_t colour)
{
    const uint32_t a = colour >> 24;
    auto scale = [a](uint32_t c) { uint32_t t = c * a + 128; return (t + (t >> 8)) >> 8; };
    return (a << 24) | (scale(colour & 0xFF) << 16) | (scale((colour >> 8) & 0xFF) << 8) |
           scale((colour >> 16) & 0xFF);
}
