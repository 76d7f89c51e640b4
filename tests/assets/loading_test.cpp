// The three loading passes against archives built here, on the real media
// layer (headless: dummy video, software renderer, dummy audio).
#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"

#include "asset_fixtures.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "media/media.h"
#include "startup/log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

class AssetLoading : public ::testing::Test {
protected:
    std::string folder;

    static void SetUpTestSuite()
    {
        ASSERT_NE(initSprite(), 0);
        ASSERT_NE(initSound(), 0);
    }
    static void TearDownTestSuite() { releaseMedia(); }
    void SetUp() override { folder = FreshFolder("loading"); }
    void TearDown() override
    {
        CloseLog();
        closeWindow(0);
        std::filesystem::remove_all(folder);
    }

    // Opens a windowed screen of this size and sets the layout values.
    void OpenScreen(int width, int height)
    {
        closeWindow(0);
        ASSERT_NE(openWindow(0, 0, 0, width, height, "Morvane test", WindowFramed), 0);
        ASSERT_NE(openWindowedScreen(1, 0, 0, width, height, 0, 0, 0, 0), 0);
        SetScreenSize(width, height);
        AspectCode = DetectAspectRatio(width, height);
    }
    void Pack(const std::vector<PackMember>& members)
    {
        ASSERT_TRUE(WriteDataArchive(folder + "Morvane.data", members, 8, ArchiveFormCurrent));
    }
    void StartLog()
    {
        ASSERT_TRUE(OpenLog(folder + "test.log", "Morvane"));
        EnableLog();
    }
    std::vector<std::string> LogLines()
    {
        CloseLog();
        std::ifstream file(folder + "test.log", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        std::vector<std::string> lines;
        std::string all = text.str();
        for (size_t at = 0; at < all.size();) {
            const size_t end = all.find("\r\n", at);
            if (end == std::string::npos)
                break;
            lines.push_back(all.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
    bool LoadEverything(std::string& failed)
    {
        return LoadFontPass(folder, failed) && LoadSoundPass(folder, failed) && LoadPicturePass(folder, failed);
    }
};

int CountLines(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

bool Near(uint32_t a, uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int da = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (da > 3 || da < -3)
            return false;
    }
    return true;
}

} // namespace

// A complete archive on a 1920 x 1080 screen: every number filled, every
// picture at its zoomed size, the log in order.
TEST_F(AssetLoading, LoadsACompleteArchiveIntoTheRightNumbers)
{
    OpenScreen(1920, 1080);
    Pack(CompleteMembers(1920, 1080));
    StartLog();
    std::string failed = "untouched";
    ASSERT_TRUE(LoadEverything(failed)) << failed;
    EXPECT_EQ(failed, "untouched");
    LoadGameFonts();
    FinishAssetLoading(0, 0);

    for (int sprite : {SpriteTitle, SpriteSplash, SpriteBackground, SpriteShade}) {
        EXPECT_EQ(spriteWidth(sprite), 1920) << sprite;
        EXPECT_EQ(spriteHeight(sprite), 1080) << sprite;
    }
    EXPECT_TRUE(Near(spritePixel(SpriteTitle, 10, 10), rgba(220, 20, 20)));
    EXPECT_TRUE(Near(spritePixel(SpriteBackground, 1900, 1000), rgba(20, 20, 220)));
    EXPECT_EQ(spriteWidth(SpriteLogo), 950);
    EXPECT_EQ(spriteHeight(SpriteLogo), 240);  // 100 / 400 x 1920 / 100 x 50
    EXPECT_EQ(spriteWidth(SpriteMenuButton), 64);
    EXPECT_EQ(spriteHeight(SpriteMenuButton), 64);
    for (int prize = SpritePrize1; prize <= SpritePrize4; prize++) {
        EXPECT_EQ(spriteWidth(prize), 128);
        EXPECT_EQ(spriteHeight(prize), 64);
    }
    EXPECT_EQ(spriteWidth(SpriteSelected), 128);
    EXPECT_EQ(spriteWidth(SpriteMenuTemplate), 240);
    EXPECT_EQ(spriteWidth(SpriteSettingsTemplate), 260);
    EXPECT_EQ(spriteWidth(SpritePointer), 48);
    EXPECT_EQ(spriteWidth(SpriteLevelLabel), spriteWidth(SpriteLevelLabelClean));
    // Panel artwork is checked, not kept: each panel reads it again when built.
    for (int working : {15, 17, 19, 21, 23, 25, 28, 30, 32, 34, 36, 38}) {
        EXPECT_FALSE(isSprite(working + 1)) << working + 1;
        EXPECT_TRUE(LoadPanelArtwork(working + 1, working, SpriteAlphaBlending)) << working;
        EXPECT_GT(spriteWidth(working), 0) << working;
    }
    for (int image : {0, 1, 2, 3, 4, 5, 6, 7, 8, 27})
        EXPECT_TRUE(isImage(image)) << image;

    std::set<int> tiles;
    for (int i = 0; i < TileCount; i++) {
        tiles.insert(TileSprites[i]);
        EXPECT_EQ(spriteWidth(TileSprites[i]), 128);
        EXPECT_EQ(spriteHeight(TileSprites[i]), 128);
        EXPECT_TRUE(Near(spritePixel(TileSprites[i], 64, 64), TileColour(i + 1))) << "tile " << i + 1;
    }
    EXPECT_EQ(tiles.size(), size_t(TileCount));

    // The sounds play and the fonts draw text.
    const int channel = playSound(SoundMatch, 0, 100);
    EXPECT_NE(channel, 0);
    stopSound(SoundMatch, channel);
    ASSERT_NE(beginDrawing(SpriteMainMenu), 0);
    setDrawingFont(GameFont(60, true));
    EXPECT_GT(textWidth("Morvane"), 0);
    setDrawingFont(GameFont(130, false));
    const int big = textWidth("Morvane");
    setDrawingFont(GameFont(25, true));
    EXPECT_GT(big, textWidth("Morvane"));
    endDrawing();

    const std::vector<std::string> lines = LogLines();
    EXPECT_EQ(CountLines(lines, "Load asset (Baloo-Regular.ttf):\t\tOK"), 1);
    EXPECT_EQ(CountLines(lines, "Load asset (collect_item_14.ogg):\t\tOK"), 1);
    EXPECT_EQ(CountLines(lines, "Load asset (temps):\t\tOK"), 40);
    EXPECT_EQ(CountLines(lines, "Load asset (mainmenu.png):\t\tOK"), 3);
    EXPECT_EQ(CountLines(lines, "AspectRatio:  16:9"), 3);
    const auto title = std::find(lines.begin(), lines.end(), "Load asset (title):\t\tOK");
    ASSERT_NE(title, lines.end());
    EXPECT_EQ(*(title - 1), "AspectRatio:  16:9");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "TileSize:\t\t128");
    EXPECT_EQ(lines[lines.size() - 2], "OffsetX:\t\t0");
    EXPECT_EQ(lines[lines.size() - 1], "OffsetY:\t\t0");
}

// A 1920 x 1080 title on a 1366-pixel screen becomes 1366 x 768, and an
// ultra-wide screen gets the 16x9 artwork at its own width.
TEST_F(AssetLoading, FitsTheArtworkToTheScreenWidth)
{
    Pack(CompleteMembers(1920, 1080));
    std::string failed;
    ASSERT_TRUE(LoadFontPass(folder, failed));

    OpenScreen(1366, 768);
    ASSERT_TRUE(LoadPicturePass(folder, failed)) << failed;
    EXPECT_EQ(spriteWidth(SpriteTitle), 1366);
    EXPECT_EQ(spriteHeight(SpriteTitle), 768);
    EXPECT_TRUE(Near(spritePixel(SpriteTitle, 100, 700), rgba(220, 20, 20)));
    EXPECT_TRUE(Near(spritePixel(SpriteTitle, 1300, 100), rgba(20, 20, 220)));
    EXPECT_EQ(spriteWidth(TileSprites[0]), 88);
    EXPECT_EQ(spriteWidth(SpriteLogo), 13 * 50);

    OpenScreen(2560, 1080);
    ASSERT_EQ(AspectCode, AspectUltraWide);
    StartLog();
    ASSERT_TRUE(LoadPicturePass(folder, failed)) << failed;
    EXPECT_EQ(spriteWidth(SpriteSplash), 2560);
    EXPECT_EQ(spriteHeight(SpriteSplash), 1440);
    EXPECT_EQ(CountLines(LogLines(), "AspectRatio:  ultra-wide"), 3);
}

// Missing, misnamed and oversized members stop the pass with the right name.
TEST_F(AssetLoading, FailsWithTheNameOfTheMissingMember)
{
    OpenScreen(1280, 720);
    std::vector<PackMember> members = CompleteMembers(1280, 720);
    SetMember(members, "tile17.png", {});
    Pack(members);
    StartLog();
    std::string failed;
    EXPECT_FALSE(LoadPicturePass(folder, failed));
    EXPECT_EQ(failed, "temps");
    std::vector<std::string> lines = LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Load asset (temps):\t\tFAILED");
    EXPECT_EQ(CountLines(lines, "Load asset (temps):\t\tOK"), 16);

    // A sound of more than 15728640 bytes (16 MB of zeros packs to a few bytes).
    members = CompleteMembers(1280, 720);
    SetMember(members, "music2.ogg", std::vector<uint8_t>(16 * 1024 * 1024, 0));
    Pack(members);
    StartLog();
    EXPECT_FALSE(LoadSoundPass(folder, failed));
    EXPECT_EQ(failed, "music2.ogg");
    lines = LogLines();
    EXPECT_EQ(lines.back(), "Load asset (music2.ogg):\t\tFAILED");
    EXPECT_EQ(CountLines(lines, "Load asset (music1.ogg):\t\tOK"), 1);

    // Names that differ in case are not the member.
    members = CompleteMembers(1280, 720);
    for (PackMember& member : members)
        if (member.name == "logo.png")
            member.name = "Logo.png";
    Pack(members);
    EXPECT_FALSE(LoadPicturePass(folder, failed));
    EXPECT_EQ(failed, "logo.png");

    // A sound that is not OGG, a picture that is not PNG.
    members = CompleteMembers(1280, 720);
    SetMember(members, "collect_item_14.ogg", TextBytes(5000, 1));
    SetMember(members, "lock.png", TextBytes(5000, 1));
    Pack(members);
    EXPECT_FALSE(LoadSoundPass(folder, failed));
    EXPECT_EQ(failed, "collect_item_14.ogg");
    EXPECT_FALSE(LoadPicturePass(folder, failed));
    EXPECT_EQ(failed, "lock.png");
}

// The artwork and the archive itself have names of their own.
TEST_F(AssetLoading, NamesArtworkAndArchiveFailures)
{
    OpenScreen(1280, 720);
    std::string failed;
    StartLog();
    EXPECT_FALSE(LoadFontPass(folder, failed));
    EXPECT_EQ(failed, "font");
    EXPECT_FALSE(LoadSoundPass(folder, failed));
    EXPECT_EQ(failed, "music and sfx");
    EXPECT_FALSE(LoadPicturePass(folder, failed));
    EXPECT_EQ(failed, "");
    EXPECT_EQ(LogLines().back(), "Load asset ():\t\tFAILED");

    std::vector<PackMember> members = CompleteMembers(1280, 720);
    SetMember(members, "ngs_16x9.png", TextBytes(3000, 2));
    Pack(members);
    EXPECT_FALSE(LoadPicturePass(folder, failed));
    EXPECT_EQ(failed, "image - ngs");

    // Artwork over the 4194304-byte buffer cannot be extracted.
    SetMember(members, "ngs_16x9.png", MakeHalvesPng(1280, 720, rgba(1, 2, 3), rgba(4, 5, 6)));
    SetMember(members, "01_16x9.png", RandomBytes(4194305, 3));
    Pack(members);
    EXPECT_FALSE(LoadPicturePass(folder, failed));
    EXPECT_EQ(failed, "01_16x9.png");

    members = CompleteMembers(1280, 720);
    SetMember(members, "Baloo-Regular.ttf", {});
    Pack(members);
    EXPECT_FALSE(LoadFontPass(folder, failed));
    EXPECT_EQ(failed, "font");
}

// The font table: every size and weight the screens ask for.
TEST(GameFont, FindsTheTableFontOfASizeAndWeight)
{
    EXPECT_EQ(GameFont(60, true), 0);
    EXPECT_EQ(GameFont(130, false), 1);
    EXPECT_EQ(GameFont(80, false), 3);
    EXPECT_EQ(GameFont(120, true), 19);
    EXPECT_EQ(GameFont(48, false), 12);
    EXPECT_EQ(GameFont(60, false), 25);
    EXPECT_EQ(GameFont(25, true), 10);
    EXPECT_EQ(GameFont(61, true), -1);
    EXPECT_EQ(GameFont(130, true), -1);
}

// The game's own archive, when this build made one: every member the passes
// ask for is there under its exact name and fits its buffer, at the two most
// common screen sizes.
TEST_F(AssetLoading, LoadsTheBuiltGameArchive)
{
    const std::string gameDir = std::string(MORVANE_GAME_DIR) + "/";
    if (!std::filesystem::exists(gameDir + "Morvane.data"))
        GTEST_SKIP() << "this build has no content";
    std::string failed;
    ASSERT_TRUE(LoadFontPass(gameDir, failed)) << failed;
    ASSERT_TRUE(LoadSoundPass(gameDir, failed)) << failed;
    for (auto [width, height] : {std::pair{1920, 1080}, std::pair{1280, 1024}}) {
        OpenScreen(width, height);
        ASSERT_TRUE(LoadPicturePass(gameDir, failed)) << failed << " at " << width << "x" << height;
        LoadGameFonts();
        FinishAssetLoading(0, 0);
        EXPECT_EQ(spriteWidth(SpriteTitle), width);
        EXPECT_EQ(spriteWidth(SpriteLogo), (width / 100) * 50);
        EXPECT_EQ(spriteWidth(SpriteSelected), TileSize);
        for (int tile : TileSprites)
            EXPECT_EQ(spriteHeight(tile), TileSize);
    }
}
