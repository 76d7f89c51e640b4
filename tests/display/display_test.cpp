// Screen sizes, aspect codes and tile sizes for real desktop sizes, the
// resolution list, and opening the screen for real with the dummy driver.
#include <gtest/gtest.h>

#include "assets/asset_numbers.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "display/resolutions.h"
#include "display/screen.h"
#include "media/media.h"
#include "settings/preferences.h"
#include "settings/temp_folder.h"
#include "startup/log.h"

namespace {

struct DesktopCase {
    int width;
    int height;
    int aspect;
    int tileSize;
    const char* suffix;
};

// An Xcursor file with one 8 x 8 frame, hotspot (1, 2).
std::string MakeXcursor()
{
    std::string file;
    const auto put = [&file](uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            file += static_cast<char>((value >> shift) & 0xFF);
    };
    file += "Xcur";
    put(16);
    put(0x10000);
    put(1);
    put(0xFFFD0002);  // table of contents: one image of nominal size 8
    put(8);
    put(28);
    put(36);          // the image chunk
    put(0xFFFD0002);
    put(8);
    put(1);
    put(8);
    put(8);
    put(1);
    put(2);
    put(0);
    for (int i = 0; i < 64; i++)
        put(0xFF336699);
    return file;
}

// Each test opens and closes its own screen on a started video subsystem.
class GameScreen : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(initSprite(), 0);
        SetDefaultPreferences();
        setFrameRate(0);
    }
    void TearDown() override
    {
        CloseLog();
        releaseMedia();
    }

    std::vector<std::string> LogLines() const
    {
        CloseLog();
        const std::string log = ReadBytes(folder.File("test.log"));
        std::vector<std::string> lines;
        size_t start = 0;
        while (start < log.size()) {
            const size_t end = log.find("\r\n", start);
            lines.push_back(log.substr(start, end - start));
            start = end == std::string::npos ? log.size() : end + 2;
        }
        return lines;
    }

    void StartLog()
    {
        ASSERT_TRUE(OpenLog(folder.File("test.log"), "Morvane"));
        EnableLog();
    }

    TempFolder folder;
};

} // namespace

TEST(AspectAndTileSize, CommonDesktopSizes)
{
    const DesktopCase cases[] = {
        {1920, 1080, 3, 128, "16x9"}, {1280, 1024, 2, 80, "5x4"},   {1366, 768, 3, 88, "16x9"},
        {1440, 900, 4, 96, "16x10"},  {1680, 1050, 4, 112, "16x10"}, {1280, 800, 4, 80, "16x10"},
        {1600, 1200, 1, 104, "4x3"},  {2560, 1080, 6, 168, "16x9"},  {1024, 576, 3, 64, "16x9"},
        {1440, 960, 0, 96, "3x2"},    {2048, 1080, 5, 136, "17x9"},  {1000, 1000, 7, 64, "16x9"},
    };
    for (const DesktopCase& c : cases) {
        SetScreenSize(c.width, c.height);
        EXPECT_EQ(DetectAspectRatio(c.width, c.height), c.aspect) << c.width << "x" << c.height;
        EXPECT_EQ(TileSize, c.tileSize) << c.width << "x" << c.height;
        EXPECT_EQ(TileSize % 8, 0);
        EXPECT_EQ(AspectSuffix(c.aspect), c.suffix) << c.width << "x" << c.height;
    }
}

TEST(Resolutions, EveryEntryParsesIntoWidthAndHeight)
{
    EXPECT_EQ(ResolutionWidth(0), 1024);
    EXPECT_EQ(ResolutionHeight(0), 576);
    EXPECT_EQ(ResolutionWidth(2), 1366);
    EXPECT_EQ(ResolutionHeight(2), 768);
    EXPECT_EQ(ResolutionWidth(HighestResolution), 3840);
    EXPECT_EQ(ResolutionHeight(HighestResolution), 2160);
    int previous = 0;
    for (int i = 0; i <= HighestResolution; i++) {
        EXPECT_EQ(ResolutionText(i), std::to_string(ResolutionWidth(i)) + "x" +
                                         std::to_string(ResolutionHeight(i)));
        EXPECT_GT(ResolutionWidth(i), previous) << "the list grows";
        previous = ResolutionWidth(i);
        // Every choice is a 16:9 window.
        EXPECT_EQ(DetectAspectRatio(ResolutionWidth(i), ResolutionHeight(i)), Aspect16x9) << i;
    }
    // Outside the list: the default entry, never a read past its end.
    EXPECT_EQ(ResolutionText(10), "1280x720");
    EXPECT_EQ(ResolutionWidth(-1), 1280);
    EXPECT_EQ(ResolutionHeight(1000), 720);
}

TEST(ReopenDecision, OnlyModeOrWindowedResolutionChangesReopen)
{
    SetDefaultPreferences();
    EXPECT_FALSE(ScreenReopenNeeded());
    Pending.resolution = 5;  // borderless ignores the resolution
    EXPECT_FALSE(ScreenReopenNeeded());
    Pending.screenMode = ScreenWindowed;
    EXPECT_TRUE(ScreenReopenNeeded());
    Prefs.gameScreen = ScreenWindowed;
    EXPECT_TRUE(ScreenReopenNeeded());
    Prefs.resolution = 5;
    EXPECT_FALSE(ScreenReopenNeeded());
    Pending.language = "de_DE";  // a language alone re-renders, no re-open
    EXPECT_FALSE(ScreenReopenNeeded());
}

TEST_F(GameScreen, WindowedSizeIgnoresTheDesktop)
{
    Prefs.gameScreen = ScreenWindowed;
    Prefs.resolution = 0;
    ComputeScreenSize(false);
    EXPECT_EQ(ScreenWidth, 1024);
    EXPECT_EQ(ScreenHeight, 576);
    EXPECT_EQ(TileSize, 64);
    Prefs.gameScreen = ScreenBorderless;
    ComputeScreenSize(false);
    EXPECT_EQ(ScreenWidth, desktopWidth(0));
    EXPECT_EQ(ScreenHeight, desktopHeight(0));
}

TEST_F(GameScreen, WindowedOpenLogsInOrder)
{
    WriteBytes(folder.File("Morvane.pointer"), MakeXcursor());
    StartLog();
    Prefs.gameScreen = ScreenWindowed;
    Prefs.resolution = 0;
    ComputeScreenSize(true);
    ASSERT_TRUE(OpenGameScreen(folder.Folder()));
    EXPECT_TRUE(isScreenOpen());
    EXPECT_EQ(DetectAndLogAspectRatio(), Aspect16x9);
    EXPECT_EQ(AspectCode, Aspect16x9);
    // NOTE: the dummy video driver has no cursors, so PointerCursor stays 0
    // here; the file is still read on the way.
    const std::vector<std::string> expected = {
        "Morvane",
        "ScreenWidth:\t\t" + std::to_string(desktopWidth(0)),
        "ScreenHeight:\t\t" + std::to_string(desktopHeight(0)),
        "Opening screen (Windowed):\t\tOK",
        "Screenwidth:\t\t1024",
        "Screenheight:\t\t576",
        "AspectRatio:\t\t3",
    };
    EXPECT_EQ(LogLines(), expected);
    ShowGameWindow();
    EXPECT_EQ(screenWidth(), 1024);
    CloseGameScreen();
    EXPECT_FALSE(isScreenOpen());
    // The window is gone too, so a new one can be opened.
    ASSERT_TRUE(OpenGameScreen(folder.Folder()));
    CloseGameScreen();
}

TEST_F(GameScreen, BorderlessAndFullscreenRunAtTheDesktopSize)
{
    StartLog();
    for (int mode : {ScreenBorderless, ScreenFullscreen}) {
        Prefs.gameScreen = mode;
        ComputeScreenSize(false);
        ASSERT_TRUE(OpenGameScreen(folder.Folder())) << mode;
        EXPECT_EQ(screenWidth(), desktopWidth(0));
        CloseGameScreen();
        EXPECT_FALSE(isScreenOpen());
    }
    const std::string w = std::to_string(desktopWidth(0));
    const std::string h = std::to_string(desktopHeight(0));
    const std::vector<std::string> expected = {
        "Morvane",
        "Opening screen (Borderless):\t\tOK", "Screenwidth:\t\t" + w, "Screenheight:\t\t" + h,
        "Opening screen (Fullscreen):\t\tOK", "Screenwidth:\t\t" + w, "Screenheight:\t\t" + h,
    };
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(GameScreen, MissingPointerFileStillOpens)
{
    Prefs.gameScreen = ScreenBorderless;
    ComputeScreenSize(false);
    ASSERT_TRUE(OpenGameScreen(folder.Folder()));
    EXPECT_EQ(PointerCursor, 0);
    ShowGameWindow();
    CloseGameScreen();
}

TEST_F(GameScreen, FailedOpenIsLoggedAndUnknownModeOpensNothing)
{
    StartLog();
    Prefs.gameScreen = ScreenWindowed;
    ComputeScreenSize(false);
    ASSERT_TRUE(OpenGameScreen(folder.Folder()));
    // A second window cannot be opened over the first.
    EXPECT_FALSE(OpenGameScreen(folder.Folder()));
    CloseGameScreen();
    Prefs.gameScreen = 3;
    EXPECT_FALSE(OpenGameScreen(folder.Folder()));
    EXPECT_FALSE(isScreenOpen());
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "Opening screen (Windowed):\t\tOK");
    EXPECT_EQ(lines[4], "Opening screen (Windowed):\t\tFAILED");
}

TEST_F(GameScreen, LayoutValuesFollowTheZoomedLogo)
{
    Prefs.gameScreen = ScreenWindowed;
    Prefs.resolution = 0;
    ComputeScreenSize(false);
    ASSERT_TRUE(OpenGameScreen(folder.Folder()));
    ASSERT_NE(createSprite(SpriteLogo, 100, 25, SpriteAlphaBlending), 0);
    zoomSprite(SpriteLogo, 512, 128);
    ComputeLayoutValues();
    EXPECT_EQ(LogoX, 256);
    EXPECT_EQ(LogoY, 224);
    EXPECT_EQ(LogoScale, 50);
    EXPECT_EQ(LogoStep, 8);  // (224 - 28.8) / 25 = 7.81
    EXPECT_EQ(CornerInset, 16);
    EXPECT_EQ(MenuButtonLeft, 1024 - 32 - 16);
    EXPECT_EQ(MenuButtonTop, 16);
    EXPECT_EQ(MenuButtonRight, MenuButtonLeft + 32);
    EXPECT_EQ(MenuButtonBottom, 48);
    zoomSprite(SpriteLogo, 512, 400);
    ComputeLayoutValues();
    EXPECT_EQ(LogoY, 88);
    EXPECT_EQ(LogoStep, 2);  // (88 - 28.8) / 25 = 2.37
    CloseGameScreen();
}
