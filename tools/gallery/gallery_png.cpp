#include "gallery_png.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "media/media.h"

bool WriteSpritePng(int sprite, const std::string& path)
{
    const int width = spriteWidth(sprite);
    const int height = spriteHeight(sprite);
    if (width <= 0 || height <= 0)
        return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::fclose(file);
        return false;
    }
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    // NOTE: libpng reports its errors by a long jump back to here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Red in the lowest byte, as every colour of the media layer.
            const uint32_t pixel = spritePixel(sprite, x, y);
            row[static_cast<size_t>(x) * 3 + 0] = static_cast<png_byte>(pixel & 0xFF);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<png_byte>((pixel >> 8) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<png_byte>((pixel >> 16) & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
