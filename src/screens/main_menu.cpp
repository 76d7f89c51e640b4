// The main menu panel: title, six buttons whose hit range is the width of
// their text, and the logo that the title intro shrinks.
#include "screens/main_menu.h"

#include <cmath>

#include "assets/asset_numbers.h"
#include "display/layout.h"
#include "language/text_table.h"

Panel MainMenuPanel;
ButtonRecord MainMenuButtons[7];
int MainMenuChoice = 0;

namespace {

// One button of the menu: its text key and the top of its row in design units.
struct MainMenuRow {
    const char* key;
    int rowTop;
};

constexpr MainMenuRow MainMenuRows[7] = {
    {"", 0},
    {"tMenuSTART", 260},
    {"tMenuQUICKGAME", 420},
    {"tMenuSETTINGS", 580},
    {"tMenuHELP", 740},
    {"tMenuCREDITS", 900},
    {"tMenuQUIT", 1060},
};

int NormalStrip(int i) { return MainMenuStripBase + 2 * (i - 1); }
int HoverStrip(int i) { return MainMenuStripBase + 2 * (i - 1) + 1; }

}  // namespace

// Builds the panel below the screen with hit tops relative to the panel top.
void BuildMainMenuPanel()
{
    MainMenuPanel.workSprite = SpriteMainMenu;
    MainMenuPanel.cleanSprite = SpriteMainMenuClean;
    if (!BeginPanel(MainMenuPanel, GameFont(130, false), text("tMenuTITLE"), 117))
        return;
    const int buttonFont = GameFont(60, true);
    setDrawingFont(buttonFont);
    ScalePanelByHeight(MainMenuPanel, 65);
    PlacePanelBelow(MainMenuPanel);

    const int stripHeight = MenuStripHeight(MainMenuPanel.width);
    for (int i = 1; i <= 6; ++i) {
        const std::string& label = text(MainMenuRows[i].key);
        setDrawingFont(buttonFont);
        ButtonRecord& record = MainMenuButtons[i];
        TextExtentToRecord(MainMenuPanel, textWidth(label), record);
        // NOTE: relative to the panel top until the intro (or a language
        // change) adds the resting y; the panel's final y is not known yet.
        record.hitTop = MainMenuPanel.height * MainMenuRows[i].rowTop / 1404;
        record.hitBottom = record.hitTop + stripHeight;
        record.x = MainMenuPanel.x;
        record.y = MainMenuPanel.y + record.hitTop;
        MakeMenuStrip(NormalStrip(i), buttonFont, label, TextColour, MainMenuPanel.width);
        MakeMenuStrip(HoverStrip(i), buttonFont, label, HoverColour, MainMenuPanel.width);
        record.sprite = NormalStrip(i);
    }
}

// All strips normal, then the hovered one (1..6) in its hover colour.
void SetMainMenuHover(int index)
{
    for (int i = 1; i <= 6; ++i)
        MainMenuButtons[i].sprite = NormalStrip(i);
    if (index >= 1 && index <= 6)
        MainMenuButtons[index].sprite = HoverStrip(index);
}

// After a rebuild outside the intro: the hit tops become screen coordinates
// at the panel's resting y.
void RestMainMenuHitRectangles()
{
    const int restingY = MainMenuPanel.y - 25 * MainMenuPanel.step;
    for (int i = 1; i <= 6; ++i) {
        MainMenuButtons[i].hitTop += restingY;
        MainMenuButtons[i].hitBottom += restingY;
    }
}

// The logo at k percent of the screen width, height from its own proportion.
void ZoomLogo(int k)
{
    zoomSprite(SpriteLogo, -1, -1);
    const int ownWidth = spriteWidth(SpriteLogo);
    const int ownHeight = spriteHeight(SpriteLogo);
    const int width = (ScreenWidth / 100) * k;
    if (ownWidth <= 0 || width <= 0)
        return;
    // NOTE: the height follows the exact share of the screen width, not the
    // width truncated to whole percent steps: at 1280 wide that would be
    // (1280 / 100) * k = 12 k instead of 12.8 k, a logo 6 % too flat.
    const double exactWidth = ScreenWidth / 100.0 * k;
    const int height = static_cast<int>(std::lround(static_cast<double>(ownHeight) / ownWidth * exactWidth));
    zoomSprite(SpriteLogo, width, height);
    LogoX = ScreenWidth / 2 - spriteWidth(SpriteLogo) / 2;
}

// Logo back at half the screen width in the centre, the intro from frame 0.
void ResetTitleIntro()
{
    LogoScale = 50;
    ZoomLogo(LogoScale);
    LogoY = ScreenHeight / 2 - spriteHeight(SpriteLogo) / 2;
    LogoStep = static_cast<int>(std::lround((LogoY - ScreenHeight * 0.05) / 25.0));
    MainMenuChoice = 0;
    SetMainMenuHover(0);
    // NOTE: the intro moves the panel itself (LogicTitleIntro), so its slide
    // counter stays 0 and a slide step of the state table leaves it alone.
    MainMenuPanel.slide = 0;
}
