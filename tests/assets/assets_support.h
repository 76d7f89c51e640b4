// Bytes of several kinds for the packer and depacker, and a complete small
// data archive with every member the game loads.
#pragma once

#include <algorithm>
#include <random>

#include "assets/archive_writer.h"
#include "media/media.h"
#include "support/support.h"

// Text-like bytes (a few words in a random order), reproducible from the seed.
inline std::vector<uint8_t> TextBytes(size_t size, uint32_t seed)
{
    static const std::string words[] = {"tile ", "board ", "rises ", "three ", "match ", "the ", "level ", "stars\n"};
    std::mt19937 random(seed);
    std::string out;
    while (out.size() < size)
        out += words[random() % 8];
    return std::vector<uint8_t>(out.begin(), out.begin() + static_cast<long>(size));
}

inline std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> out(size);
    for (uint8_t& b : out)
        b = static_cast<uint8_t>(random() >> 24);
    return out;
}

inline uint32_t TileColour(int i)  // tile i, 1..40
{
    return rgba(i * 6, 255 - i * 5, i * 3 + 20);
}

// Every member of a loadable archive: 16x9 artwork of the given size (left
// half red, right half blue), logo.png of 400 x 100, tiles of TileColour.
inline std::vector<PackMember> CompleteMembers(int artworkWidth, int artworkHeight)
{
    std::vector<PackMember> members;
    const auto add = [&members](const std::string& name, std::vector<uint8_t> bytes) {
        members.push_back({name, std::move(bytes)});
    };
    const std::string font = ReadBytes("/usr/share/fonts/truetype/quicksand/Quicksand-Regular.ttf");
    add("Baloo-Regular.ttf", std::vector<uint8_t>(font.begin(), font.end()));
    const std::vector<uint8_t> ogg = MakeToneOgg(0.25);
    for (const char* sound : {"music1.ogg", "music2.ogg", "music3.ogg", "points_ticker_bonus_score_reward_jingle_01.ogg",
                              "collect_item_14.ogg"})
        add(sound, ogg);
    for (const char* prefix : {"title_", "ngs_", "01_"})
        add(std::string(prefix) + "16x9.png", MakePng(artworkWidth, artworkHeight, [artworkWidth](int x, int) {
                return x < artworkWidth / 2 ? rgba(220, 20, 20) : rgba(20, 20, 220);
            }));
    for (const char* picture : {"shadow.png", "star_4.png", "star_3.png", "star_2.png", "star_1.png", "table.png",
                                "lock.png", "star_1_big.png", "star_2_big.png", "star_3_big.png", "star_4_big.png",
                                "pointer.png", "selected.png", "cursor.png", "gui_menu.png", "credits.png",
                                "levelselect.png", "quit.png", "mainmenu.png", "ingamemenu.png", "quickgame.png",
                                "settings.png", "gamecomplete.png", "getready.png", "gui_prize_1.png",
                                "gui_prize_2.png", "gui_prize_3.png", "gui_prize_4.png", "gui_level.png",
                                "menu_template.png", "settings_template.png"})
        add(picture, MakeSolidPng(48, 48, rgba(200, 180, 40, 200)));
    add("logo.png", MakeSolidPng(400, 100, rgba(240, 200, 100)));
    for (int i = 1; i <= 40; i++)
        add((i < 10 ? "tile0" : "tile") + std::to_string(i) + ".png", MakeSolidPng(96, 96, TileColour(i)));
    return members;
}

// Replaces (or with empty bytes removes) one member of the list.
inline void SetMember(std::vector<PackMember>& members, const std::string& name, std::vector<uint8_t> bytes)
{
    std::erase_if(members, [&name](const PackMember& m) { return m.name == name; });
    if (!bytes.empty())
        members.push_back({name, std::move(bytes)});
}
