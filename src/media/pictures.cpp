// Picture helpers shared by sprites and images: PNG decoding, resampling and
// compositing of RGBA surfaces.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include "media/media_internal.h"

#include <png.h>
#include <stb_image_resize.h>

#include <algorithm>
#include <cstring>

// An empty (transparent black) RGBA surface.
SDL_Surface* NewRgbaSurface(int width, int height)
{
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        return nullptr;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, MediaPixelFormat);
    if (surface) {
        SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_NONE);
    }
    return surface;
}

// PNG bytes to an RGBA surface with the alpha channel kept; null when the
// bytes do not decode.
SDL_Surface* DecodePng(const uint8_t* bytes, size_t size)
{
    if (!bytes || size < 8) {
        return nullptr;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes, size)) {
        return nullptr;
    }
    image.format = PNG_FORMAT_RGBA;
    SDL_Surface* surface = NewRgbaSurface(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!surface) {
        png_image_free(&image);
        return nullptr;
    }
    if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr)) {
        png_image_free(&image);
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

// Area average when shrinking, bilinear (triangle) when enlarging, with the
// colours weighted by alpha so transparent pixels do not darken the edges.
SDL_Surface* ResampleSurface(SDL_Surface* source, int width, int height)
{
    if (!source) {
        return nullptr;
    }
    SDL_Surface* target = NewRgbaSurface(width, height);
    if (!target) {
        return nullptr;
    }
    stbir_filter filterX = width > source->w ? STBIR_FILTER_TRIANGLE : STBIR_FILTER_BOX;
    stbir_filter filterY = height > source->h ? STBIR_FILTER_TRIANGLE : STBIR_FILTER_BOX;
    int ok = stbir_resize(source->pixels, source->w, source->h, source->pitch, target->pixels,
                          width, height, target->pitch, STBIR_TYPE_UINT8, 4, 3, 0,
                          STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, filterX, filterY,
                          STBIR_COLORSPACE_LINEAR, nullptr);
    if (!ok) {
        SDL_FreeSurface(target);
        return nullptr;
    }
    return target;
}

// Clips a w x h rectangle placed at x, y against the target; false when
// nothing is left. sx, sy answer the first source pixel.
static bool ClipRect(int targetW, int targetH, int& x, int& y, int& w, int& h, int& sx, int& sy)
{
    sx = 0;
    sy = 0;
    if (x < 0) {
        sx = -x;
        w += x;
        x = 0;
    }
    if (y < 0) {
        sy = -y;
        h += y;
        y = 0;
    }
    if (x + w > targetW) {
        w = targetW - x;
    }
    if (y + h > targetH) {
        h = targetH - y;
    }
    return w > 0 && h > 0;
}

// Straight copy, alpha included, clipped to the target.
void CopyOpaque(SDL_Surface* source, SDL_Surface* target, int x, int y)
{
    if (!source || !target) {
        return;
    }
    int w = source->w, h = source->h, sx = 0, sy = 0;
    if (!ClipRect(target->w, target->h, x, y, w, h, sx, sy)) {
        return;
    }
    for (int row = 0; row < h; ++row) {
        const uint8_t* from = static_cast<const uint8_t*>(source->pixels) + (sy + row) * source->pitch + sx * 4;
        uint8_t* to = static_cast<uint8_t*>(target->pixels) + (y + row) * target->pitch + x * 4;
        std::memcpy(to, from, static_cast<size_t>(w) * 4);
    }
}

// Porter-Duff "over" with straight (not premultiplied) alpha on both sides,
// so text and images blend correctly also onto translucent sprite pixels.
static inline void BlendPixel(const uint8_t* s, uint8_t* d, int alpha)
{
    int sa = s[3] * alpha / 255;
    if (sa == 0) {
        return;
    }
    if (sa == 255) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = 255;
        return;
    }
    int da = d[3];
    int keep = da * (255 - sa) / 255;  // what is left of the target's coverage
    int outA = sa + keep;
    for (int c = 0; c < 3; ++c) {
        d[c] = static_cast<uint8_t>((s[c] * sa + d[c] * keep + outA / 2) / outA);
    }
    d[3] = static_cast<uint8_t>(outA);
}

// Blends a whole picture at x, y, clipped to the target.
void CompositeOver(SDL_Surface* source, SDL_Surface* target, int x, int y, int alpha)
{
    if (!source || !target || alpha <= 0) {
        return;
    }
    alpha = std::min(alpha, 255);
    int w = source->w, h = source->h, sx = 0, sy = 0;
    if (!ClipRect(target->w, target->h, x, y, w, h, sx, sy)) {
        return;
    }
    for (int row = 0; row < h; ++row) {
        const uint8_t* from = static_cast<const uint8_t*>(source->pixels) + (sy + row) * source->pitch + sx * 4;
        uint8_t* to = static_cast<uint8_t*>(target->pixels) + (y + row) * target->pitch + x * 4;
        for (int column = 0; column < w; ++column) {
            BlendPixel(from + column * 4, to + column * 4, alpha);
        }
    }
}
