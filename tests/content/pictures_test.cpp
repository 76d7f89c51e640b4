// The shipped pictures: design sizes, artwork proportions, the loader's
// buffers, alpha (opaque RGB for the artwork).
#include <algorithm>

#include "content_support.h"

namespace {

TEST(Pictures, SizesLimitsAndKindsOfPixels)
{
    const struct {
        const char* member;
        int width, height;
    } pictures[] = {
        {"mainmenu.png", 1030, 1404}, {"levelselect.png", 1272, 1601}, {"quickgame.png", 1030, 1118},
        {"settings.png", 1262, 1120}, {"ingamemenu.png", 1030, 1118}, {"gamecomplete.png", 1263, 1120},
        {"credits.png", 1272, 1601}, {"quit.png", 1030, 1118}, {"getready.png", 1030, 580},
        {"menu_template.png", 1030, 90}, {"settings_template.png", 1262, 65}, {"table.png", 192, 192},
        {"lock.png", 192, 192}, {"star_1.png", 192, 192}, {"star_2.png", 192, 192}, {"star_3.png", 192, 192},
        {"star_4.png", 192, 192}, {"star_1_big.png", 720, 420}, {"star_2_big.png", 720, 420},
        {"star_3_big.png", 720, 420}, {"star_4_big.png", 720, 420}, {"shadow.png", 64, 64}, {"pointer.png", 48, 48},
        {"logo.png", 1600, 520}, {"gui_menu.png", 128, 128}, {"gui_level.png", 356, 178}, {"gui_prize_1.png", 356, 178},
        {"gui_prize_2.png", 356, 178}, {"gui_prize_3.png", 356, 178}, {"gui_prize_4.png", 356, 178},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.member);
        const std::vector<uint8_t> bytes = Member(picture.member, 204800);
        ASSERT_FALSE(bytes.empty()) << "missing, or larger than the buffer of its kind";
        const Image image = Decode(bytes);
        EXPECT_EQ(image.width * 10000 + image.height, picture.width * 10000 + picture.height);
        // True colour with alpha, or a palette with a transparency chunk.
        const auto idat = std::search(bytes.begin(), bytes.end(), "IDAT", "IDAT" + 4);
        EXPECT_TRUE(bytes[25] == 6 || (bytes[25] == 3 && std::search(bytes.begin(), idat, "tRNS", "tRNS" + 4) != idat));
    }
    const int ratios[][2] = {{3, 2}, {4, 3}, {5, 4}, {16, 9}, {16, 10}, {17, 9}};
    for (const auto& [across, down] : ratios)
        for (const char* scene : {"title_", "ngs_", "01_"}) {
            const std::string member = scene + std::to_string(across) + "x" + std::to_string(down) + ".png";
            const std::vector<uint8_t> bytes = Member(member, 4194304);
            ASSERT_GT(bytes.size(), 25u) << member << " missing, or larger than the artwork buffer";
            EXPECT_EQ(bytes[25], 2) << member << ": full-screen pictures are opaque RGB";
            const Image image = Decode(bytes);
            EXPECT_TRUE(image.width >= 1920 && image.width <= 3840) << member;
            EXPECT_LE(std::abs(image.height * across - image.width * down), across) << member;
        }
}

}  // namespace
