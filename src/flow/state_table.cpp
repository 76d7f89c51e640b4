#include "flow/state_table.h"

#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/play_states.h"
#include "screens/overlays.h"

namespace {

// Draw, logic, hover, click, Escape, exit; the sliding panel and its strips;
// the areas the arrows visit and what left and right do there.
const StateSteps StateTable[StateCount] = {
    /* StateSplash */ {DrawSplash, LogicSplash, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr,
                       nullptr},
    /* StateTitleIntro */ {DrawTitleScreen, LogicTitleIntro, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           0, nullptr, nullptr},
    /* StateMainMenu */ {DrawTitleScreen, nullptr, HoverMainMenu, ClickMainMenu, EscapeMainMenu, ExitMainMenu,
                         &MainMenuPanel, MainMenuButtons, 6, &MainMenuFocus, nullptr},
    /* StateLevelSelect */ {DrawLevelSelect, nullptr, nullptr, ClickLevelSelect, EscapeLevelSelect,
                            ExitLevelSelect, &LevelSelectPanel, nullptr, 0, &LevelSelectFocus, nullptr},
    /* StateQuickGame */ {DrawQuickGame, nullptr, HoverQuickGame, ClickQuickGame, EscapeQuickGame, ExitQuickGame,
                          &QuickGamePanel, QuickGameButtons, 4, &QuickGameFocus, nullptr},
    /* StateHelp */ {DrawHelp, nullptr, nullptr, ClickHelp, EscapeHelp, ExitHelp, &HelpPanel, nullptr, 0,
                     &HelpFocus, nullptr},
    /* StateCredits */ {DrawCredits, nullptr, nullptr, ClickCredits, EscapeCredits, ExitCredits, &CreditsPanel,
                        nullptr, 0, &CreditsFocus, nullptr},
    /* StateSettings */ {DrawSettings, nullptr, HoverSettings, ClickSettings, EscapeSettings, ExitSettings,
                         &SettingsPanel, SettingsButtons, 5, &SettingsFocus, StepSettingsRow},
    /* StateQuitConfirm */ {DrawQuitConfirm, nullptr, HoverQuitConfirm, ClickQuitConfirm, EscapeQuitConfirm,
                            ExitQuitConfirm, &QuitPanel, nullptr, 0, &QuitFocus, nullptr},
    /* StateGetReady */ {DrawGetReady, LogicGetReady, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                         nullptr, nullptr},
    /* StatePlay */ {DrawPlay, LogicPlay, nullptr, ClickPlay, EscapePlay, nullptr, nullptr, nullptr, 0, nullptr,
                     nullptr},
    /* StateInGameMenu */ {DrawInGameMenu, nullptr, HoverInGameMenu, ClickInGameMenu, EscapeInGameMenu,
                           ExitInGameMenu, &InGameMenuPanel, InGameMenuButtons, 3, &InGameMenuFocus, nullptr},
    /* StateLeaveConfirm */ {DrawLeaveConfirm, nullptr, HoverLeaveConfirm, ClickLeaveConfirm, EscapeLeaveConfirm,
                             ExitLeaveConfirm, &LeavePanel, nullptr, 0, &LeaveFocus, nullptr},
    /* StateLevelFinished */ {DrawLevelFinished, nullptr, HoverLevelFinished, ClickLevelFinished,
                              EscapeLevelFinished, ExitLevelFinished, &FinishedPanel, FinishedButtons, 3,
                              &FinishedFocus, nullptr},
    /* StateQuickFinished */ {DrawQuickFinished, nullptr, HoverQuickFinished, ClickQuickFinished,
                              EscapeQuickFinished, ExitQuickFinished, &QuickFinishedPanel, QuickFinishedButtons, 2,
                              &QuickFinishedFocus, nullptr},
    /* StateGameComplete */ {DrawGameComplete, nullptr, nullptr, ClickGameComplete, EscapeGameComplete,
                             ExitGameComplete, &GameCompletePanel, nullptr, 0, &GameCompleteFocus, nullptr},
};

bool AtRest(const StateSteps& steps)
{
    return steps.panel == nullptr || steps.panel->slide == 0;
}

} // namespace

const StateSteps& CurrentStateSteps()
{
    const int state = ScreenState >= 0 && ScreenState < StateCount ? ScreenState : StateSplash;
    return StateTable[state];
}

bool CurrentPanelAtRest()
{
    return AtRest(CurrentStateSteps());
}

void DrawCurrentState()
{
    CurrentStateSteps().draw();
}

// The slide convention: a panel moves while its counter is not 0, and the
// state's exit action runs in the frame a slide-out ends.
void RunCurrentStateLogic()
{
    const StateSteps& steps = CurrentStateSteps();
    if (steps.panel && steps.panel->slide != 0) {
        if (SlidePanel(*steps.panel, steps.strips, 1, steps.lastStrip) && steps.exit)
            steps.exit();
        return;
    }
    if (steps.logic)
        steps.logic();
}

void HoverCurrentState()
{
    const StateSteps& steps = CurrentStateSteps();
    if (steps.hover && AtRest(steps))
        steps.hover();
}

void ClickCurrentState()
{
    const StateSteps& steps = CurrentStateSteps();
    if (steps.click && AtRest(steps))
        steps.click();
}

// NOTE: Escape is not held back by a sliding panel here: a key that starts a
// slide-out checks its own panel, while the ones that act at once (ending the
// game from the main menu, leaving a finished panel) act at any time.
void EscapeCurrentState()
{
    const StateSteps& steps = CurrentStateSteps();
    if (steps.escape)
        steps.escape();
}
