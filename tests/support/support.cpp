#include "support/support.h"

#include <png.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

std::vector<uint8_t> MakeToneOgg(double seconds, double frequency, int rate)
{
    std::vector<uint8_t> out;
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, rate, 0.1f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    ogg_packet header[3];
    vorbis_analysis_headerout(&dsp, &comment, &header[0], &header[1], &header[2]);
    for (ogg_packet& packet : header)
        ogg_stream_packetin(&stream, &packet);
    ogg_page page;
    const auto append = [&out, &page] {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    while (ogg_stream_flush(&stream, &page))
        append();
    const int total = static_cast<int>(seconds * rate);
    for (int written = 0; written <= total;) {
        const int count = std::min(1024, total - written);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, count);
            for (int i = 0; i < count; ++i)
                buffer[0][i] = 0.5f * static_cast<float>(std::sin(2 * M_PI * frequency * (written + i) / rate));
        }
        vorbis_analysis_wrote(&dsp, count);  // 0 marks the end
        written += count > 0 ? count : 1;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page))
                    append();
            }
        }
    }
    while (ogg_stream_flush(&stream, &page))
        append();
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

std::vector<uint8_t> MakePng(int width, int height, const std::function<uint32_t(int, int)>& pixel)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = pixel(x, y);  // rgba(): red in the lowest byte
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
        return {};
    bytes.resize(size);
    return bytes;
}

std::vector<uint8_t> MakeSolidPng(int width, int height, uint32_t colour)
{
    return MakePng(width, height, [colour](int, int) { return colour; });
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TempFolder::TempFolder()
    : path(std::filesystem::temp_directory_path() / ("morvane-test-" + std::to_string(std::random_device{}())))
{
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
