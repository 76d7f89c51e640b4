// The three loading passes against archives built here, on the real media
// layer (headless); every start-up test loads the game's own archive.
#include <gtest/gtest.h>

#include <set>

#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "assets_support.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "startup/log.h"

namespace {

class AssetLoading : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(initSprite() && initSound()); }
    static void TearDownTestSuite() { releaseMedia(); }
    void TearDown() override
    {
        CloseLog();
        closeWindow(0);
    }
    static void OpenScreen(int width, int height)
    {
        closeWindow(0);
        ASSERT_NE(openWindow(0, 0, 0, width, height, "Morvane test", WindowFramed), 0);
        ASSERT_NE(openWindowedScreen(1, 0, 0, width, height, 0, 0, 0, 0), 0);
        SetScreenSize(width, height);
        AspectCode = DetectAspectRatio(width, height);
    }
    void Pack(const std::vector<PackMember>& members)
    {
        ASSERT_TRUE(WriteDataArchive(folder.File("Morvane.data"), members, 8, ArchiveFormCurrent));
        ASSERT_TRUE(OpenLog(folder.File("test.log"), "Morvane"));
        EnableLog();
    }
    std::vector<std::string> Log()  // the log so far
    {
        CloseLog();
        return CrLfLines(folder.File("test.log"));
    }
    TempFolder folder;
};

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 3)
            return false;
    return true;
}

TEST_F(AssetLoading, EveryMemberReachesItsNumberAtItsScreenSize)
{
    OpenScreen(1920, 1080);
    Pack(CompleteMembers(1920, 1080));
    std::string failed = "untouched";
    ASSERT_TRUE(LoadFontPass(folder.Folder(), failed) && LoadSoundPass(folder.Folder(), failed) &&
                LoadPicturePass(folder.Folder(), failed)) << failed;
    EXPECT_EQ(failed, "untouched");
    LoadGameFonts();
    FinishAssetLoading(0, 0);
    for (int sprite : {SpriteTitle, SpriteSplash, SpriteBackground, SpriteShade})
        EXPECT_EQ(spriteWidth(sprite) * 10000 + spriteHeight(sprite), 1920 * 10000 + 1080) << sprite;
    EXPECT_TRUE(Near(spritePixel(SpriteTitle, 10, 10), rgba(220, 20, 20)));
    EXPECT_TRUE(Near(spritePixel(SpriteBackground, 1900, 1000), rgba(20, 20, 220)));
    EXPECT_EQ(spriteWidth(SpriteLogo), 950);
    EXPECT_EQ(spriteWidth(SpriteSelected), 128);
    std::set<int> tiles;
    for (int i = 0; i < TileCount; i++) {
        tiles.insert(TileSprites[i]);
        EXPECT_EQ(spriteWidth(TileSprites[i]) + spriteHeight(TileSprites[i]), 256);
        EXPECT_TRUE(Near(spritePixel(TileSprites[i], 64, 64), TileColour(i + 1))) << "tile " << i + 1;
    }
    EXPECT_EQ(tiles.size(), size_t(TileCount));
    EXPECT_FALSE(isSprite(SpriteMainMenuClean)) << "a panel decodes its artwork when it is built";
    setDrawingFont(GameFont(130, false));
    const int big = textWidth("Morvane");
    setDrawingFont(GameFont(25, true));
    EXPECT_GT(big, textWidth("Morvane"));
    const std::vector<std::string> lines = Log();
    EXPECT_EQ(std::ranges::count(lines, "Load asset (temps):\t\tOK"), 40);
    EXPECT_EQ(std::ranges::count(lines, "AspectRatio:  16:9"), 3);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"TileSize:\t\t128", "OffsetX:\t\t0", "OffsetY:\t\t0"}));
}

// A member missing, misnamed, damaged or too big for its buffer stops its
// pass with the member's name, logged last.
TEST_F(AssetLoading, AFailingMemberStopsItsPassWithItsName)
{
    OpenScreen(1280, 720);
    const struct {
        const char* member;
        std::vector<uint8_t> bytes;  // empty: removed
        int pass;                    // 0 font, 1 sounds, 2 pictures
        const char* failed;
    } cases[] = {
        {"tile17.png", {}, 2, "temps"},
        {"music2.ogg", std::vector<uint8_t>(16 * 1024 * 1024, 0), 1, "music2.ogg"},  // over the 15 MB buffer
        {"collect_item_14.ogg", TextBytes(5000, 1), 1, "collect_item_14.ogg"},
        {"lock.png", TextBytes(5000, 1), 2, "lock.png"},
        {"ngs_16x9.png", TextBytes(3000, 2), 2, "image - ngs"},
        {"01_16x9.png", RandomBytes(4194305, 3), 2, "01_16x9.png"},  // over the artwork buffer
        {"logo.png", {}, 2, "logo.png"},  // there as "Logo.png" only: names are exact
        {"Baloo-Regular.ttf", {}, 0, "font"},
    };
    for (const auto& c : cases) {
        std::vector<PackMember> members = CompleteMembers(1280, 720);
        SetMember(members, c.member, c.bytes);
        if (std::string(c.member) == "logo.png")
            members.push_back({"Logo.png", MakeSolidPng(400, 100, rgba(240, 200, 100))});
        Pack(members);
        std::string failed;
        // A start-up (its font pass) lets go of the pictures an earlier one kept.
        const bool loaded = c.pass == 0 ? LoadFontPass(folder.Folder(), failed)
                            : c.pass == 1 ? LoadSoundPass(folder.Folder(), failed)
                                          : LoadFontPass(folder.Folder(), failed) && LoadPicturePass(folder.Folder(), failed);
        EXPECT_FALSE(loaded) << c.member;
        EXPECT_EQ(failed, c.failed);
        const std::vector<std::string> lines = Log();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "Load asset (" + std::string(c.failed) + "):\t\tFAILED");
        if (failed == "temps") {
            EXPECT_EQ(std::ranges::count(lines, "Load asset (temps):\t\tOK"), 16);
        }
    }
    std::filesystem::remove(folder.File("Morvane.data"));  // no archive at all
    std::string font, sounds, pictures = "untouched";
    EXPECT_FALSE(LoadFontPass(folder.Folder(), font) || LoadSoundPass(folder.Folder(), sounds) ||
                 LoadPicturePass(folder.Folder(), pictures));
    EXPECT_EQ(font + "|" + sounds + "|" + pictures, "font|music and sfx|");
}

}  // namespace
