// The pictures as they ship: every picture at its
// design size (or its screen's proportions) within its buffer and with the
// right kind of pixels, and badges drawn exactly where their clicks work.
#include <algorithm>

#include "content_support.h"

namespace {

constexpr size_t Small = 204800, Artwork = 4194304;

struct Badge {
    int left, top, right, bottom;
    bool confirm;  // a tick on green; otherwise a cross on red
};

struct Picture {
    const char* member;
    int width, height;
    std::vector<Badge> badges;
};

const Picture Pictures[] = {
    {"mainmenu.png", 1030, 1404, {}}, {"levelselect.png", 1272, 1601, {{1140, 104, 1252, 222, false}}},
    {"quickgame.png", 1030, 1118, {{880, 70, 995, 185, false}}},
    {"settings.png", 1262, 1120, {{94, 830, 192, 928, true}, {1066, 830, 1162, 928, false}}},
    {"ingamemenu.png", 1030, 1118, {}}, {"gamecomplete.png", 1263, 1120, {{1129, 97, 1245, 216, false}}},
    {"credits.png", 1272, 1601, {{1138, 100, 1254, 220, false}}},
    {"quit.png", 1030, 1118, {{132, 826, 232, 924, true}, {794, 826, 890, 924, false}}},
    {"getready.png", 1030, 580, {}}, {"menu_template.png", 1030, 90, {}}, {"settings_template.png", 1262, 65, {}},
    {"table.png", 192, 192, {}}, {"lock.png", 192, 192, {}}, {"star_1.png", 192, 192, {}}, {"star_2.png", 192, 192, {}},
    {"star_3.png", 192, 192, {}}, {"star_4.png", 192, 192, {}}, {"star_1_big.png", 720, 420, {}},
    {"star_2_big.png", 720, 420, {}}, {"star_3_big.png", 720, 420, {}}, {"star_4_big.png", 720, 420, {}},
    {"shadow.png", 64, 64, {}}, {"pointer.png", 48, 48, {}}, {"logo.png", 1600, 520, {}},
    {"gui_menu.png", 128, 128, {}}, {"gui_level.png", 356, 178, {}}, {"gui_prize_1.png", 356, 178, {}},
    {"gui_prize_2.png", 356, 178, {}}, {"gui_prize_3.png", 356, 178, {}}, {"gui_prize_4.png", 356, 178, {}},
};

bool Red(const uint8_t* p)
{
    return p[3] > 200 && p[0] > 130 && p[1] < 110 && p[2] < 120 && p[0] - p[1] > 70;
}

bool Green(const uint8_t* p)
{
    return p[3] > 200 && p[1] > 100 && p[1] > p[0] + 40 && p[1] > p[2] + 15;
}

TEST(Pictures, SizesLimitsAndKindsOfPixels)
{
    for (const Picture& picture : Pictures) {
        SCOPED_TRACE(picture.member);
        const std::vector<uint8_t> bytes = Member(picture.member, Small);
        ASSERT_FALSE(bytes.empty()) << "missing, or larger than the buffer of its kind";
        const Image image = Decode(bytes);
        EXPECT_EQ(image.width * 10000 + image.height, picture.width * 10000 + picture.height);
        // An alpha channel: true colour with alpha, or a palette with a transparency chunk.
        const auto idat = std::search(bytes.begin(), bytes.end(), "IDAT", "IDAT" + 4);
        EXPECT_TRUE(bytes[25] == 6 || (bytes[25] == 3 && std::search(bytes.begin(), idat, "tRNS", "tRNS" + 4) != idat));
    }
    const int ratios[][2] = {{3, 2}, {4, 3}, {5, 4}, {16, 9}, {16, 10}, {17, 9}};
    for (const auto& [across, down] : ratios)
        for (const char* scene : {"title_", "ngs_", "01_"}) {
            const std::string member = scene + std::to_string(across) + "x" + std::to_string(down) + ".png";
            const std::vector<uint8_t> bytes = Member(member, Artwork);
            ASSERT_GT(bytes.size(), 25u) << member << " missing, or larger than the artwork buffer";
            EXPECT_EQ(bytes[25], 2) << member << ": full-screen pictures are opaque RGB";
            const Image image = Decode(bytes);
            EXPECT_TRUE(image.width >= 1920 && image.width <= 3840) << member;
            EXPECT_LE(std::abs(image.height * across - image.width * down), across) << member;
        }
}

// A player sees a button exactly where a click works: each badge's glaze
// and glyph lie inside its click area, and no badge glaze anywhere else.
TEST(Pictures, BadgesSitInsideTheirClickAreasAndNowhereElse)
{
    for (const Picture& picture : Pictures) {
        if (picture.badges.empty())
            continue;
        SCOPED_TRACE(picture.member);
        const Image image = Decode(Member(picture.member, Small));
        ASSERT_EQ(image.width, picture.width);
        for (const Badge& b : picture.badges) {
            const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
            const int r = std::min(b.right - b.left, b.bottom - b.top) / 2;
            EXPECT_TRUE(b.confirm ? Green(image.at(cx, cy + r * 6 / 10)) : Red(image.at(cx, cy + r * 6 / 10))) << cx;
            const uint8_t* glyph = b.confirm ? image.at(cx - r / 10, cy + r * 26 / 100) : image.at(cx, cy);
            EXPECT_GT(glyph[0] + glyph[1] + glyph[2], 600) << "the glyph of the badge at " << cx << "," << cy;
        }
        int stray = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                stray += (Red(image.at(x, y)) || Green(image.at(x, y))) &&
                         std::none_of(picture.badges.begin(), picture.badges.end(), [x, y](const Badge& b) {
                             return x >= b.left && x < b.right && y >= b.top && y < b.bottom;
                         });
        EXPECT_EQ(stray, 0) << "badge-coloured pixels outside every click area";
    }
}

}  // namespace
