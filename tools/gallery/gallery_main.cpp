// morvane_gallery: starts the real game in a temporary program folder, drives
// it with real input events through every screen state and writes one PNG of
// each, taken from the picture the main loop has just drawn:
//   morvane_gallery <resolution index> <output folder> [keys | language <id>]
// The game runs windowed at the resolution given (0 = 1024x576,
// 4 = 1920x1080); scripts/gallery.sh runs it in a virtual X display. With
// "keys" it plays by the keyboard alone instead and shows the focus on the
// menus and the tile cursor on the board. With "language <id>" it shows the
// main menu, How to Play, the credits and the settings in that language.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "flow/steering.h"
#include "gallery_png.h"
#include "harness.h"
#include "media/media.h"
#include "screens/overlays.h"

namespace {

std::string OutputFolder;
int Written = 0;

// Stops the run with a message naming the step that failed.
[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "morvane_gallery: %s (screen state %d)\n", what.c_str(), ScreenState);
    StopTestGame();
    std::exit(1);
}

// The picture the last pass drew, as <NN>-<name>.png.
void Shoot(int number, const std::string& name)
{
    if (!grabScreen(SpriteScreenshot, 0, 0, ScreenWidth, ScreenHeight))
        Fail("cannot grab the screen for " + name);
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02d-", number);
    const std::string path = OutputFolder + prefix + name + ".png";
    if (!WriteSpritePng(SpriteScreenshot, path))
        Fail("cannot write " + path);
    std::printf("%s\n", path.c_str());
    ++Written;
}

void Reach(int state, int maxPasses = 3000)
{
    if (!RunUntilState(state, maxPasses))
        Fail("screen state " + std::to_string(state) + " not reached");
}

// Waits in a state until its panel is at rest, then draws one more pass so
// that the picture shows the panel at rest.
void Settle(int state, const Panel* panel)
{
    Reach(state);
    for (int guard = 0; guard < 200 && panel && panel->slide != 0 && ScreenState == state; ++guard)
        RunOnePass();
    RunOnePass();
    if (ScreenState != state || (panel && panel->slide != 0))
        Fail("the panel of state " + std::to_string(state) + " did not come to rest");
}

void SettleAndShoot(int state, const Panel* panel, const std::string& name)
{
    Settle(state, panel);
    Shoot(state + 1, name);
}

// The pointer leaves the window, so that no button shows its hover colour.
void PointerAway()
{
    injectMouseLeave();
    RunOnePass();
}

void Click(const ButtonRecord& record)
{
    ClickRecord(record);
    PointerAway();
}

void ClickLevel(int number)
{
    const LevelRecord& level = LevelByNumber(number);
    ClickAt((level.hitLeft + level.hitRight) / 2, (level.hitTop + level.hitBottom) / 2);
    PointerAway();
}

// --- playing: triples of equal pictures as they come into view -------------

// Removes triples until the level is over.
void ClearLevel()
{
    if (!ClearBoard(40000))
        Fail("the board was not cleared");
    PointerAway();
}

// --- the tour ----------------------------------------------------------------

void MenuScreens()
{
    Reach(StateSplash);
    RunPasses(50);
    if (ScreenState != StateSplash)
        Fail("the splash ended early");
    Shoot(StateSplash + 1, "splash");

    // The logo halfway through its shrink, the menu halfway in.
    Reach(StateTitleIntro);
    while (ScreenState == StateTitleIntro && FrameCounter < 112)
        RunOnePass();
    RunOnePass();
    if (ScreenState != StateTitleIntro)
        Fail("the title intro ended early");
    Shoot(StateTitleIntro + 1, "intro");

    // NOTE: the display's own pointer rests at its centre, over the window:
    // the window learns of it when it opens, and it would light up a button.
    Reach(StateMainMenu);
    PointerAway();
    SettleAndShoot(StateMainMenu, &MainMenuPanel, "main-menu");

    // Main menu buttons 1..6: start, quick game, settings, help, credits, quit.
    struct Visit {
        int button;
        int state;
        const Panel* panel;
        const char* name;
    };
    const Visit visits[] = {
        {1, StateLevelSelect, &LevelSelectPanel, "level-select"},
        {2, StateQuickGame, &QuickGamePanel, "quick-game"},
        {4, StateHelp, &HelpPanel, "help"},
        {5, StateCredits, &CreditsPanel, "credits"},
        {3, StateSettings, &SettingsPanel, "settings"},
        {6, StateQuitConfirm, &QuitPanel, "quit"},
    };
    for (const Visit& visit : visits) {
        Settle(StateMainMenu, &MainMenuPanel);
        Click(MainMenuButtons[visit.button]);
        SettleAndShoot(visit.state, visit.panel, visit.name);
        // Escape closes each of them without acting.
        TapKey(KeyEscape);
    }
}

// The screens most of a language's texts are on.
void LanguageScreens()
{
    Reach(StateMainMenu);
    PointerAway();
    SettleAndShoot(StateMainMenu, &MainMenuPanel, "main-menu");
    const std::pair<int, const Panel*> visits[] = {{4, &HelpPanel}, {5, &CreditsPanel}, {3, &SettingsPanel}};
    const char* const names[] = {"help", "credits", "settings"};
    const int states[] = {StateHelp, StateCredits, StateSettings};
    for (int i = 0; i < 3; ++i) {
        Settle(StateMainMenu, &MainMenuPanel);
        Click(MainMenuButtons[visits[i].first]);
        SettleAndShoot(states[i], visits[i].second, names[i]);
        TapKey(KeyEscape);
    }
}

// The board rises until it fills about half the screen and shows three
// equal tiles; answers their cells.
std::vector<int> RiseUntilTriple()
{
    std::vector<int> triple;
    for (int guard = 0; guard < 4000 && ScreenState == StatePlay; ++guard) {
        if (Game.OffsetY < ScreenHeight / 2) {
            triple = VisibleTriple();
            if (!triple.empty())
                return triple;
        }
        RunOnePass();
    }
    Fail("no three equal tiles in view");
}

// Level 1 from the main menu: get ready, play with a tile selected, the
// in-game menu and the leave question; then the level cleared. With every
// other level holding a star, MENU then shows the game complete.
void CampaignScreens()
{
    Settle(StateMainMenu, &MainMenuPanel);
    Click(MainMenuButtons[1]);
    Settle(StateLevelSelect, &LevelSelectPanel);
    ClickLevel(1);
    Reach(StateGetReady);
    SettleAndShoot(StateGetReady, &GetReadyPanel, "get-ready");

    Reach(StatePlay);
    const std::vector<int> triple = RiseUntilTriple();
    ClickCell(triple[0]);
    PointerAway();
    if (Game.board[static_cast<size_t>(triple[0])].selected != 1)
        Fail("the tile was not selected");
    Shoot(StatePlay + 1, "play");

    TapKey(KeyEscape);
    SettleAndShoot(StateInGameMenu, &InGameMenuPanel, "in-game-menu");
    Click(InGameMenuButtons[3]);
    SettleAndShoot(StateLeaveConfirm, &LeavePanel, "leave");
    TapKey(KeyEscape);  // no: back to the in-game menu
    Settle(StateInGameMenu, &InGameMenuPanel);
    TapKey(KeyEscape);  // resume
    Reach(StatePlay, 60);
    // The selected tile's two partners complete the first triple.
    ClickCell(triple[1]);
    ClickCell(triple[2]);

    for (int n = 2; n <= 25; ++n) {
        LevelByNumber(n).best = 1;
        LevelByNumber(n).locked = 0;
    }
    ClearLevel();
    SettleAndShoot(StateLevelFinished, &FinishedPanel, "level-finished");
    if (Game.result != 3)
        std::fprintf(stderr, "morvane_gallery: level 1 was rated %d\n", Game.result);
    Click(FinishedButtons[3]);
    SettleAndShoot(StateGameComplete, &GameCompletePanel, "game-complete");
    Click(GameCompleteButtons[1]);
}

// A quick game at the first difficulty, cleared.
void QuickScreens()
{
    Settle(StateMainMenu, &MainMenuPanel);
    Click(MainMenuButtons[2]);
    Settle(StateQuickGame, &QuickGamePanel);
    Click(QuickGameButtons[1]);
    Reach(StatePlay, 400);
    ClearLevel();
    SettleAndShoot(StateQuickFinished, &QuickFinishedPanel, "quick-finished");
}

// --- without a mouse -----------------------------------------------------------

void Keys(int scanCode, int times = 1)
{
    for (int i = 0; i < times; ++i)
        TapKey(scanCode);
}

// The focus on the main menu, on the quit question and on the level grid,
// then the tile cursor beside a selected tile.
void KeyboardScreens()
{
    Reach(StateMainMenu);
    PointerAway();
    Settle(StateMainMenu, &MainMenuPanel);
    Keys(KeyDown, 2);  // the first press shows the focus on START
    Settle(StateMainMenu, &MainMenuPanel);
    Shoot(1, "main-menu-focus");

    Keys(KeyUp, 2);  // round to QUIT
    Keys(KeyReturn);
    Settle(StateQuitConfirm, &QuitPanel);
    Keys(KeyRight);
    RunOnePass();
    Shoot(2, "quit-focus");
    Keys(KeyReturn);

    Settle(StateMainMenu, &MainMenuPanel);
    Keys(KeyReturn);
    Settle(StateLevelSelect, &LevelSelectPanel);
    Keys(KeyDown);  // level 6, locked: it takes the focus but refuses
    RunOnePass();
    Shoot(3, "level-select-focus");
    Keys(KeyUp);
    Keys(KeyReturn);

    Reach(StatePlay);
    const std::vector<int> triple = RiseUntilTriple();
    Keys(KeyDown);  // shows the cursor
    for (int k = 0; k < 2; ++k) {
        const int column = triple[k] / Game.rows;
        const int row = triple[k] % Game.rows;
        Keys(column > Game.cursorColumn ? KeyRight : KeyLeft, std::abs(column - Game.cursorColumn));
        Keys(row > Game.cursorRow ? KeyDown : KeyUp, std::abs(row - Game.cursorRow));
        if (k == 0)
            Keys(KeySpace);
    }
    if (!Game.cursorShown || Game.board[static_cast<size_t>(triple[0])].selected != 1)
        Fail("the cursor did not select the tile");
    Shoot(4, "play-cursor");
}

} // namespace

int main(int argc, char** argv)
{
    const bool keys = argc == 4 && std::string(argv[3]) == "keys";
    const bool language = argc == 5 && std::string(argv[3]) == "language";
    if (argc != 3 && !keys && !language) {
        std::fprintf(stderr, "usage: %s <resolution index> <output folder> [keys | language <id>]\n", argv[0]);
        return 2;
    }
    const int resolution = std::atoi(argv[1]);
    OutputFolder = argv[2];
    if (!OutputFolder.empty() && OutputFolder.back() != '/')
        OutputFolder += '/';
    std::filesystem::create_directories(OutputFolder);

    std::string preferences = WindowedPreferences(resolution);
    if (language)
        preferences.replace(preferences.find("en_GB"), 5, argv[4]);
    const std::string folder = MakeGameFolder(preferences);
    if (!StartTestGame(folder)) {
        std::fprintf(stderr, "morvane_gallery: the game did not start\n");
        return 1;
    }
    if (keys) {
        KeyboardScreens();
    } else if (language) {
        LanguageScreens();
    } else {
        MenuScreens();
        CampaignScreens();
        QuickScreens();
    }
    StopTestGame();
    std::filesystem::remove_all(folder);
    std::printf("%d screenshots in %s\n", Written, OutputFolder.c_str());
    return Written == (keys ? 4 : language ? 4 : StateCount) ? 0 : 1;
}
