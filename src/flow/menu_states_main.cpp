// The title intro, the main menu, the level select and the quick game:
// their pictures, clicks, Escape and the actions taken after a slide-out.
#include "flow/menu_states.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "language/languages.h"
#include "screens/main_menu.h"
#include "settings/preferences.h"

// --- title intro and main menu -----------------------------------------------

// The full-screen title artwork and the logo under every menu panel.
void DrawTitleAndLogo()
{
    drawSprite(SpriteTitle, 0, 0);
    drawSpriteBlended(SpriteLogo, LogoX, LogoY);
}

// Intro and main menu: title, logo, panel and its six strips.
void DrawTitleScreen()
{
    DrawTitleAndLogo();
    drawSpriteBlended(MainMenuPanel.workSprite, MainMenuPanel.x, MainMenuPanel.y);
    DrawStrips(MainMenuButtons, 1, 6);
}

// 100 still frames, 25 frames in which the logo shrinks and rises while the
// menu slides in, and in the 126th the menu comes to rest.
void LogicTitleIntro()
{
    ++FrameCounter;
    if (FrameCounter <= 100)
        return;
    if (LogoScale != 25) {
        --LogoScale;
        LogoY -= LogoStep;
        ZoomLogo(LogoScale);
        MainMenuPanel.y -= MainMenuPanel.step;
        for (int i = 1; i <= 6; ++i)
            MainMenuButtons[i].y -= MainMenuPanel.step;
        return;
    }
    // The panel's final y is known only now: the hit tops become absolute.
    for (int i = 1; i <= 6; ++i) {
        MainMenuButtons[i].hitTop += MainMenuPanel.y;
        MainMenuButtons[i].hitBottom += MainMenuPanel.y;
    }
    FrameCounter = 0;
    MainMenuPanel.slide = 0;
    ScreenState = StateMainMenu;
}

// The strip under the pointer turns to its hover colour.
void HoverMainMenu()
{
    const int hit = HitIndex(MainMenuButtons, 1, 6, PointerX, PointerY);
    if (hit != MainMenuChoice) {
        MainMenuChoice = hit;
        SetMainMenuHover(hit);
    }
}

// A click acts on the button the last hover pass found.
void ClickMainMenu()
{
    if (MainMenuPanel.slide == 0 && MainMenuChoice > 0)
        MainMenuPanel.slide = -25;
}

// Escape on the main menu ends the game without asking.
void EscapeMainMenu()
{
    QuitFlag = 1;
}

// Opens the settings with the preferences copied into the pending values.
static void EnterSettings()
{
    SettingsHover = 0;
    CopyPreferencesToPending();
    LanguageIndex = FindLanguage(Prefs.language);
    SetSettingsHover(0);
    SettingsPanel.slide = 25;
    ScreenState = StateSettings;
}

// After the slide-out: the chosen screen slides in.
void ExitMainMenu()
{
    switch (MainMenuChoice) {
    case 1:
        Game.levelColumn = 0;
        Game.levelRow = 0;
        LevelSelectPanel.slide = 25;
        ScreenState = StateLevelSelect;
        break;
    case 2:
        // The hover is kept: the difficulty chosen last shows highlighted
        // while the panel slides in, until the pointer moves off it.
        QuickGamePanel.slide = 25;
        ScreenState = StateQuickGame;
        break;
    case 3:
        EnterSettings();
        break;
    case 4:
        HelpPanel.slide = 25;
        ScreenState = StateHelp;
        break;
    case 5:
        CreditsPanel.slide = 25;
        ScreenState = StateCredits;
        break;
    case 6:
        QuitChoice = 0;
        QuitPanel.slide = 25;
        ScreenState = StateQuitConfirm;
        break;
    default:
        break;
    }
    MainMenuChoice = 0;
}

// --- level select -------------------------------------------------------------

// Title, logo and the grid panel (its cells are part of the picture).
void DrawLevelSelect()
{
    DrawTitleAndLogo();
    drawSpriteBlended(LevelSelectPanel.workSprite, LevelSelectPanel.x, LevelSelectPanel.y);
}

// Strict hit test of a level cell's rectangle.
static bool HitLevelCell(const LevelRecord& level, int mx, int my)
{
    return mx > level.hitLeft && mx < level.hitRight && my > level.hitTop && my < level.hitBottom;
}

// The close area, or an open cell; a locked cell or nothing does nothing.
void ClickLevelSelect()
{
    if (LevelSelectPanel.slide != 0)
        return;
    Game.levelChosen = false;
    if (HitButton(LevelSelectButtons[1], PointerX, PointerY)) {
        LevelSelectPanel.slide = -25;
        return;
    }
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            const LevelRecord& level = LevelStore[c][r];
            if (level.locked || !HitLevelCell(level, PointerX, PointerY))
                continue;
            Game.levelColumn = c;
            Game.levelRow = r;
            Game.levelChosen = true;
            Game.mode = ModeCampaign;
            LevelSelectPanel.slide = -25;
            return;
        }
    }
}

// Escape closes the screen; a level chosen earlier is forgotten.
void EscapeLevelSelect()
{
    if (LevelSelectPanel.slide != 0)
        return;
    Game.levelChosen = false;
    LevelSelectPanel.slide = -25;
}

// After the slide-out: the chosen level, or the main menu.
void ExitLevelSelect()
{
    if (Game.levelChosen)
        StartLevel();
    else
        BackToMainMenu();
}

// --- quick game ---------------------------------------------------------------

// Title, logo, the panel and its four difficulty strips.
void DrawQuickGame()
{
    DrawTitleAndLogo();
    drawSpriteBlended(QuickGamePanel.workSprite, QuickGamePanel.x, QuickGamePanel.y);
    DrawStrips(QuickGameButtons, 1, 4);
}

// Hover over the four difficulties only; the close area has no strip.
void HoverQuickGame()
{
    const int hit = HitIndex(QuickGameButtons, 1, 4, PointerX, PointerY);
    if (hit != QuickGameChoice) {
        QuickGameChoice = hit;
        SetQuickGameHover(hit);
    }
}

// The close area, or the difficulty the last hover pass found.
void ClickQuickGame()
{
    if (QuickGamePanel.slide != 0)
        return;
    if (HitButton(QuickGameButtons[5], PointerX, PointerY)) {
        Game.levelChosen = false;
        QuickGamePanel.slide = -25;
    } else if (QuickGameChoice > 0) {
        Game.mode = static_cast<GameMode>(QuickGameChoice);
        Game.levelChosen = true;
        QuickGamePanel.slide = -25;
    }
}

// Escape closes the screen like the close area.
void EscapeQuickGame()
{
    if (QuickGamePanel.slide != 0)
        return;
    Game.levelChosen = false;
    QuickGamePanel.slide = -25;
}

// After the slide-out: the chosen difficulty, or the main menu.
void ExitQuickGame()
{
    if (Game.levelChosen)
        StartLevel();
    else
        BackToMainMenu();
}
