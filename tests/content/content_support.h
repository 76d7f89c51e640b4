// The game's content as it ships: members of the built Morvane.data, and
// pictures decoded to RGBA.
#pragma once

#include <png.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "assets/data_archive.h"

// A member extracted through a buffer of `capacity` bytes; empty when it is
// missing or does not fit.
inline std::vector<uint8_t> Member(const std::string& name, size_t capacity = 15728640)
{
    DataArchive archive;
    std::vector<uint8_t> bytes;
    if (OpenDataArchive(archive, std::string(MORVANE_GAME_DIR) + "/Morvane.data")) {
        bytes.resize(capacity);
        bytes.resize(ExtractMember(archive, bytes.data(), capacity, name));
        CloseDataArchive(archive);
    }
    return bytes;
}

// An RGBA picture, 8 bits per channel, not premultiplied.
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};

inline Image Decode(const std::vector<uint8_t>& bytes)
{
    Image out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        return out;
    image.format = PNG_FORMAT_RGBA;
    out.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
        out.width = int(image.width);
        out.height = int(image.height);
    }
    return out;
}
