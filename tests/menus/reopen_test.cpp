// Confirming another window size opens the display again and replays the
// title intro. It replaces the test screen and artwork with the game's own,
// so it runs in a child process of its own (needs the built content).
#include "menu_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "display/layout.h"
#include "display/resolutions.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "settings/preferences.h"

namespace {

const char* const GameData = MORVANE_GAME_DIR "/Morvane.data";

// Reports one broken expectation of the child and ends it with a failure.
void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "not as expected: %s\n", what);
        std::_Exit(1);
    }
}

void ReopenScenario()
{
    std::filesystem::create_symlink(GameData, TestGameFolder() + "Morvane.data");
    ResetMenus();
    const ButtonRecord& settings = MainMenuButtons[3];
    ClickAt(CentreXOf(settings), CentreYOf(settings));
    RunLogic(50);
    Require(ScreenState == StateSettings, "settings open");
    const int wanted = Prefs.resolution + 1;
    ClickAt(CentreXOf(SettingsButtons[5]), CentreYOf(SettingsButtons[5]));
    Require(Pending.resolution == wanted, "resolution stepped");
    ClickAt(CentreXOf(SettingsButtons[6]), CentreYOf(SettingsButtons[6]));
    Require(ReopenPending == 1, "re-open pending");
    Require(ScreenState == StateTitleIntro, "title intro after the re-open");
    Require(SettingsPanel.slide == 0, "no slide-out after a re-open");
    Require(Prefs.resolution == wanted, "resolution taken");
    Require(screenWidth() == ResolutionWidth(wanted) && ScreenWidth == ResolutionWidth(wanted), "new width");
    Require(MainMenuPanel.y == ScreenHeight + 1, "menu rebuilt below the new screen");
    RunLogic(126);
    Require(ScreenState == StateMainMenu, "intro played to the end");
    Require(MainMenuButtons[1].hitTop == MainMenuButtons[1].y, "hit rectangles on their strips");
    Require(MainMenuButtons[6].hitBottom < ScreenHeight, "menu on the new screen");
    std::fprintf(stderr, "reopened\n");
    std::_Exit(0);
}

TEST(SettingsReopen, AnotherWindowSizeOpensTheDisplayAgainAndReplaysTheIntro)
{
    if (!std::filesystem::exists(GameData))
        GTEST_SKIP() << "needs the built content";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ReopenScenario(), ::testing::ExitedWithCode(0), "reopened");
}

}  // namespace
