#include "asset_fixtures.h"

#include "media/media.h"

#include "support/test_sounds.h"
#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

void PutBig32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data)
{
    PutBig32(png, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    png.insert(png.end(), body.begin(), body.end());
    PutBig32(png, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

uint32_t SolidPixel(int, int, uint32_t colour)
{
    return colour;
}

uint32_t HalvesLeft = 0;
uint32_t HalvesRight = 0;
int HalvesWidth = 0;
uint32_t HalvesPixel(int x, int, uint32_t)
{
    return x < HalvesWidth / 2 ? HalvesLeft : HalvesRight;
}

} // namespace

std::vector<uint8_t> MakePng(int width, int height, uint32_t (*pixel)(int, int, uint32_t), uint32_t seed)
{
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 4 * static_cast<size_t>(width)));
    for (int y = 0; y < height; y++) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; x++) {
            const uint32_t c = pixel(x, y, seed);
            for (int k = 0; k < 4; k++)
                raw.push_back(static_cast<uint8_t>(c >> (8 * k)));
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 1);
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::vector<uint8_t> header;
    PutBig32(header, static_cast<uint32_t>(width));
    PutBig32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

std::vector<uint8_t> MakeSolidPng(int width, int height, uint32_t colour)
{
    return MakePng(width, height, SolidPixel, colour);
}

std::vector<uint8_t> MakeHalvesPng(int width, int height, uint32_t left, uint32_t right)
{
    HalvesLeft = left;
    HalvesRight = right;
    HalvesWidth = width;
    return MakePng(width, height, HalvesPixel, 0);
}

std::vector<uint8_t> TextBytes(size_t size, uint32_t seed)
{
    static const char* const words[] = {"tile ", "board ", "rises ", "three ", "match ", "the ",
                                        "of ", "level ", "stars\n", "panel ", "glazed ", "a "};
    std::mt19937 random(seed);
    std::vector<uint8_t> out;
    while (out.size() < size) {
        const char* word = words[random() % 12];
        while (*word && out.size() < size)
            out.push_back(static_cast<uint8_t>(*word++));
    }
    return out;
}

std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> out(size);
    for (uint8_t& b : out)
        b = static_cast<uint8_t>(random() >> 24);
    return out;
}

std::vector<uint8_t> MixedBytes(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> out;
    while (out.size() < size) {
        const size_t stretch = std::min<size_t>(size - out.size(), 4096 + random() % 65536);
        std::vector<uint8_t> part;
        switch (random() % 3) {
        case 0: part = TextBytes(stretch, random()); break;
        case 1: part = RandomBytes(stretch, random()); break;
        default: part.assign(stretch, static_cast<uint8_t>(random())); break;
        }
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

uint32_t TileColour(int i)
{
    return rgba(static_cast<uint32_t>(i * 6), static_cast<uint32_t>(255 - i * 5), static_cast<uint32_t>(i * 3 + 20));
}

std::vector<PackMember> CompleteMembers(int artworkWidth, int artworkHeight)
{
    std::vector<PackMember> members;
    auto add = [&members](const std::string& name, std::vector<uint8_t> bytes) {
        members.push_back(PackMember{name, std::move(bytes)});
    };
    std::ifstream font("/usr/share/fonts/truetype/quicksand/Quicksand-Regular.ttf", std::ios::binary);
    add("Baloo-Regular.ttf", std::vector<uint8_t>(std::istreambuf_iterator<char>(font), {}));
    const std::vector<uint8_t> ogg = MakeToneOgg(0.25);
    for (const char* sound : {"music1.ogg", "music2.ogg", "music3.ogg",
                              "points_ticker_bonus_score_reward_jingle_01.ogg", "collect_item_14.ogg"})
        add(sound, ogg);
    const uint32_t red = rgba(220, 20, 20);
    const uint32_t blue = rgba(20, 20, 220);
    for (const char* prefix : {"title_", "ngs_", "01_"})
        add(std::string(prefix) + "16x9.png", MakeHalvesPng(artworkWidth, artworkHeight, red, blue));
    for (const char* picture : {"shadow.png", "star_4.png", "star_3.png", "star_2.png", "star_1.png", "table.png",
                                "lock.png", "star_1_big.png", "star_2_big.png", "star_3_big.png",
                                "star_4_big.png", "pointer.png", "selected.png", "cursor.png"})
        add(picture, MakeSolidPng(48, 48, rgba(200, 180, 40, 200)));
    add("logo.png", MakeSolidPng(400, 100, rgba(240, 200, 100)));
    add("gui_menu.png", MakeSolidPng(64, 64, rgba(40, 140, 150)));
    add("gui_level.png", MakeSolidPng(200, 60, rgba(250, 240, 220)));
    for (const char* prize : {"gui_prize_1.png", "gui_prize_2.png", "gui_prize_3.png", "gui_prize_4.png"})
        add(prize, MakeSolidPng(200, 50, rgba(230, 150, 50)));
    for (const char* panel : {"credits.png", "levelselect.png", "quit.png", "mainmenu.png", "ingamemenu.png",
                              "quickgame.png", "settings.png", "gamecomplete.png", "getready.png"})
        add(panel, MakeSolidPng(300, 200, rgba(238, 220, 190)));
    add("menu_template.png", MakeSolidPng(240, 60, rgba(170, 110, 60)));
    add("settings_template.png", MakeSolidPng(260, 60, rgba(170, 110, 60)));
    for (int i = 1; i <= 40; i++) {
        char name[16];
        std::snprintf(name, sizeof name, "tile%02d.png", i);
        add(name, MakeSolidPng(96, 96, TileColour(i)));
    }
    return members;
}

void SetMember(std::vector<PackMember>& members, const std::string& name, std::vector<uint8_t> bytes)
{
    std::erase_if(members, [&name](const PackMember& m) { return m.name == name; });
    if (!bytes.empty())
        members.push_back(PackMember{name, std::move(bytes)});
}

std::string FreshFolder(const std::string& tag)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("morvane-assets-" + tag + "-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string() + "/";
}
