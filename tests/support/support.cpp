#include "support/support.h"

#include "synth.h"

#include <png.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

// Every test program runs the real SDL layer headless, whoever starts it.
// (These were ctest properties, but gtest's test discovery kept only the
// first entry of the list: the tests played through the host's sound.)
static const bool HeadlessDrivers = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LC_ALL", "C.UTF-8", 0);
    return true;
}();

std::vector<uint8_t> MakeToneOgg(double seconds)
{
    synth::Audio tone{22050, 1, {}};
    for (int i = 0; i < static_cast<int>(seconds * tone.rate); ++i)
        tone.samples.push_back(0.5f * static_cast<float>(std::sin(2 * M_PI * 440 * i / tone.rate)));
    TempFolder folder;
    std::string error;
    if (!synth::EncodeOgg(tone, folder.File("tone.ogg"), 0.1f, "tone", false, error))
        return {};
    const std::string bytes = ReadBytes(folder.File("tone.ogg"));
    return {bytes.begin(), bytes.end()};
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
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> CrLfLines(const std::string& path)
{
    const std::string all = ReadBytes(path);
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(all.substr(at, end - at));
    return lines;
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
