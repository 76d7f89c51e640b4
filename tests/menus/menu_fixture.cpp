// The shared headless set-up of the menu tests (see menu_fixture.h).
#include "menu_fixture.h"

#include <png.h>
#include "support/test_sounds.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/levels.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "settings/preferences.h"
#include "startup/folders.h"

namespace fs = std::filesystem;

std::vector<uint8_t> MakePng(int width, int height, uint32_t (*pixel)(int x, int y))
{
    std::vector<uint8_t> rgbaBytes(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = pixel(x, y);
            for (int c = 0; c < 4; ++c)
                rgbaBytes[(static_cast<size_t>(y) * width + x) * 4 + c] = static_cast<uint8_t>(colour >> (8 * c));
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgbaBytes.data(), 0, nullptr))
        return {};
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, rgbaBytes.data(), 0, nullptr))
        return {};
    bytes.resize(size);
    return bytes;
}

namespace {

uint32_t Paper(int, int) { return PaperColour; }
uint32_t Table(int, int) { return TableColour; }
uint32_t Lock(int, int) { return LockColour; }
uint32_t Clear(int, int) { return 0; }
// Star pictures: transparent top half, a colour per rating below.
uint32_t Star0(int, int y) { return y >= 96 ? StarColours[0] : 0; }
uint32_t Star1(int, int y) { return y >= 96 ? StarColours[1] : 0; }
uint32_t Star2(int, int y) { return y >= 96 ? StarColours[2] : 0; }
uint32_t Star3(int, int y) { return y >= 96 ? StarColours[3] : 0; }

std::string gameFolder;

void LoadPicture(int sprite, int width, int height, uint32_t (*pixel)(int, int))
{
    const std::vector<uint8_t> png = MakePng(width, height, pixel);
    ASSERT_NE(loadSprite(sprite, png.data(), png.size(), SpriteAlphaBlending), 0) << "sprite " << sprite;
}

void LoadTestImage(int image, uint32_t (*pixel)(int, int))
{
    const std::vector<uint8_t> png = MakePng(192, 192, pixel);
    ASSERT_NE(loadImage(image, png.data(), png.size()), 0) << "image " << image;
}

class MenuEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_NE(initSprite(), 0);
        ASSERT_NE(initKeyboard(), 0);
        ASSERT_NE(initMouse(), 0);
        ASSERT_NE(initSound(), 0);
        ASSERT_NE(openWindow(0, 0, 0, TestScreenWidth, TestScreenHeight, "Morvane menus", WindowFramed), 0);
        ASSERT_NE(openWindowedScreen(1, 0, 0, TestScreenWidth, TestScreenHeight, 0, 0, 0, 2), 0);
        setFrameRate(0);
        SetScreenSize(TestScreenWidth, TestScreenHeight);

        std::vector<uint8_t> font;
        ASSERT_TRUE(readWholeFile("/usr/share/fonts/truetype/quicksand/Quicksand-Bold.ttf", font, 1 << 24));
        ASSERT_NE(registerFontMemory("Baloo", font.data(), font.size()), 0);
        LoadGameFonts();

        LoadPicture(SpriteTitle, TestScreenWidth, TestScreenHeight, Paper);
        LoadPicture(SpriteLogo, 400, 100, Table);
        LoadPicture(SpriteShade, TestScreenWidth, TestScreenHeight, Clear);
        LoadPicture(SpriteMainMenuClean, 1030, 1404, Paper);
        LoadPicture(SpriteLevelSelectClean, 1272, 1601, Paper);
        LoadPicture(SpriteQuickGameClean, 1030, 1118, Paper);
        LoadPicture(SpriteSettingsClean, 1262, 1120, Paper);
        LoadPicture(SpriteCreditsClean, 1272, 1601, Paper);
        LoadPicture(SpriteHelpClean, 1272, 1601, Paper);
        LoadPicture(SpriteQuitClean, 1030, 1118, Paper);
        LoadPicture(SpriteInGameMenuClean, 1030, 1118, Paper);
        // The overlays a language change rebuilds too.
        LoadPicture(SpriteFinishedClean, 1030, 1404, Paper);
        LoadPicture(SpriteQuickFinishedClean, 1030, 1404, Paper);
        LoadPicture(SpriteGameCompleteClean, 1263, 1120, Paper);
        LoadPicture(SpriteGetReadyClean, 1030, 700, Paper);
        LoadPicture(SpriteMenuTemplate, 1030, 90, Clear);
        LoadPicture(SpriteSettingsTemplate, 1262, 65, Clear);
        LoadTestImage(ImageTable, Table);
        LoadTestImage(ImageLock, Lock);
        LoadTestImage(ImageStar4, Star0);
        LoadTestImage(ImageStar3, Star1);
        LoadTestImage(ImageStar2, Star2);
        LoadTestImage(ImageStar1, Star3);

        // The real language files, reached as the game reaches them.
        gameFolder = (fs::temp_directory_path() / ("morvane-menus-" + std::to_string(std::random_device{}()))).string() + "/";
        fs::create_directories(gameFolder);
        fs::create_directory_symlink(fs::path(MORVANE_SOURCE_DIR) / "content" / "languages",
                                     gameFolder + "Morvane.languages");
        GameDir = gameFolder;
        ASSERT_TRUE(ScanLanguages(LanguageSource(gameFolder)));
        ASSERT_TRUE(LoadLanguage(LanguageSource(gameFolder), "en_GB"));
    }

    void TearDown() override
    {
        releaseMedia();
        std::error_code ignored;
        fs::remove_all(gameFolder, ignored);
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new MenuEnvironment);

}  // namespace

std::string TestGameFolder()
{
    return gameFolder;
}

void BuildMenuPanels()
{
    BuildMainMenuPanel();
    BuildLevelSelectPanel();
    BuildQuickGamePanel();
    BuildSettingsPanel(1);
    BuildHelpPanel();
    BuildCreditsPanel();
    BuildQuitPanel();
}

namespace {

// The panels, records and level store as built, restored by each reset so
// that only the tests that change pictures pay for a rebuild.
struct MenuSnapshot {
    Panel mainMenu, levelSelect, quickGame, settings, help, credits, quit, leave;
    ButtonRecord mainButtons[7], levelButtons[27], quickButtons[6], settingsButtons[8], helpButtons[2],
        creditsButtons[2], quitButtons[3], leaveButtons[3];
    LevelRecord levels[5][5];
};
MenuSnapshot snapshot;
bool built = false;

template <typename T, size_t N>
void CopyArray(T (&to)[N], const T (&from)[N])
{
    for (size_t i = 0; i < N; ++i)
        to[i] = from[i];
}

void TakeSnapshot()
{
    snapshot.mainMenu = MainMenuPanel;
    snapshot.levelSelect = LevelSelectPanel;
    snapshot.quickGame = QuickGamePanel;
    snapshot.settings = SettingsPanel;
    snapshot.help = HelpPanel;
    snapshot.credits = CreditsPanel;
    snapshot.quit = QuitPanel;
    snapshot.leave = LeavePanel;
    CopyArray(snapshot.mainButtons, MainMenuButtons);
    CopyArray(snapshot.levelButtons, LevelSelectButtons);
    CopyArray(snapshot.quickButtons, QuickGameButtons);
    CopyArray(snapshot.settingsButtons, SettingsButtons);
    CopyArray(snapshot.helpButtons, HelpButtons);
    CopyArray(snapshot.creditsButtons, CreditsButtons);
    CopyArray(snapshot.quitButtons, QuitButtons);
    CopyArray(snapshot.leaveButtons, LeaveButtons);
    for (int c = 0; c < 5; ++c)
        CopyArray(snapshot.levels[c], LevelStore[c]);
}

void RestoreSnapshot()
{
    MainMenuPanel = snapshot.mainMenu;
    LevelSelectPanel = snapshot.levelSelect;
    QuickGamePanel = snapshot.quickGame;
    SettingsPanel = snapshot.settings;
    HelpPanel = snapshot.help;
    CreditsPanel = snapshot.credits;
    QuitPanel = snapshot.quit;
    LeavePanel = snapshot.leave;
    CopyArray(MainMenuButtons, snapshot.mainButtons);
    CopyArray(LevelSelectButtons, snapshot.levelButtons);
    CopyArray(QuickGameButtons, snapshot.quickButtons);
    CopyArray(SettingsButtons, snapshot.settingsButtons);
    CopyArray(HelpButtons, snapshot.helpButtons);
    CopyArray(CreditsButtons, snapshot.creditsButtons);
    CopyArray(QuitButtons, snapshot.quitButtons);
    CopyArray(LeaveButtons, snapshot.leaveButtons);
    for (int c = 0; c < 5; ++c)
        CopyArray(LevelStore[c], snapshot.levels[c]);
}

}  // namespace

void ResetMenus(bool rebuild)
{
    SetDefaultPreferences();
    Prefs.language = "en_GB";
    Prefs.gameScreen = ScreenWindowed;
    Prefs.resolution = 1;
    CopyPreferencesToPending();
    LanguageIndex = FindLanguage("en_GB");
    Game = GameState{};
    QuitFlag = 0;
    ReopenPending = 0;
    if (rebuild || !built) {
        LoadLanguage(LanguageSource(gameFolder), "en_GB");
        BuildLevelRecords();
        BuildMenuPanels();
        RestMainMenuHitRectangles();
        TakeSnapshot();
        built = true;
    } else {
        RestoreSnapshot();
    }
    MainMenuChoice = 0;
    SetMainMenuHover(0);
    ScreenState = StateMainMenu;
    MainMenuPanel.slide = 25;
    RunLogic(25);
}

void RunLogic(int frames)
{
    for (int i = 0; i < frames; ++i)
        RunCurrentStateLogic();
}

void PointAt(int x, int y)
{
    PointerX = x;
    PointerY = y;
    HoverCurrentState();
}

void ClickAt(int x, int y)
{
    PointAt(x, y);
    ClickCurrentState();
}

std::vector<uint32_t> DesignPixels(int sprite, int& width, int& height)
{
    const int shownWidth = spriteWidth(sprite);
    const int shownHeight = spriteHeight(sprite);
    zoomSprite(sprite, -1, -1);
    width = spriteWidth(sprite);
    height = spriteHeight(sprite);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = spritePixel(sprite, x, y);
    }
    zoomSprite(sprite, shownWidth, shownHeight);
    return pixels;
}

int CentreXOf(const ButtonRecord& record)
{
    return (record.hitLeft + record.hitRight) / 2;
}

int CentreYOf(const ButtonRecord& record)
{
    return (record.hitTop + record.hitBottom) / 2;
}
