// The quick-game panel: four difficulty buttons and a close area, as wide
// as the main menu.
#include "screens/quick_game.h"

#include "assets/asset_numbers.h"
#include "language/text_table.h"
#include "screens/main_menu.h"

Panel QuickGamePanel;
ButtonRecord QuickGameButtons[6];
int QuickGameChoice = 0;

namespace {

struct QuickGameRow {
    const char* key;
    int rowTop;
};

// Index i starts difficulty i (EASY 1 .. INSANE 4).
constexpr QuickGameRow QuickGameRows[5] = {
    {"", 0},
    {"tQuickGameEASY", 280},
    {"tQuickGameMEDIUM", 440},
    {"tQuickGameHARD", 600},
    {"tQuickGameINSANE", 760},
};

int NormalStrip(int i) { return QuickGameStripBase + 2 * (i - 1); }
int HoverStrip(int i) { return QuickGameStripBase + 2 * (i - 1) + 1; }

}  // namespace

void BuildQuickGamePanel()
{
    QuickGamePanel.workSprite = SpriteQuickGame;
    QuickGamePanel.cleanSprite = SpriteQuickGameClean;
    if (!BeginPanel(QuickGamePanel, GameFont(80, false), text("tQuickGameTITLE"), 117))
        return;
    const int buttonFont = GameFont(60, true);
    setDrawingFont(buttonFont);
    ScalePanelToWidth(QuickGamePanel, MainMenuPanel.width);
    PlacePanelBelow(QuickGamePanel);

    const int referenceY = ReferenceY(QuickGamePanel);
    const int stripHeight = MenuStripHeight(QuickGamePanel.width);
    const int designHeight = QuickGamePanel.designHeight;
    for (int i = 1; i <= 4; ++i) {
        const std::string& label = text(QuickGameRows[i].key);
        setDrawingFont(buttonFont);
        ButtonRecord& record = QuickGameButtons[i];
        const int rowOffset = QuickGamePanel.height * QuickGameRows[i].rowTop / designHeight;
        TextExtentToRecord(QuickGamePanel, textWidth(label), record);
        record.hitTop = referenceY + rowOffset;
        record.hitBottom = record.hitTop + stripHeight;
        record.x = QuickGamePanel.x;
        record.y = QuickGamePanel.y + rowOffset;
        MakeMenuStrip(NormalStrip(i), buttonFont, label, TextColour, QuickGamePanel.width);
        MakeMenuStrip(HoverStrip(i), buttonFont, label, HoverColour, QuickGamePanel.width);
        // A rebuild keeps the hover: entering the screen does not reset it.
        record.sprite = i == QuickGameChoice ? HoverStrip(i) : NormalStrip(i);
    }
    QuickGameButtons[5].sprite = 0;
    DesignAreaToRecord(QuickGamePanel, 880, 70, 995, 185, QuickGameButtons[5]);
}

// All four strips normal, then the hovered one (1..4) in its hover colour.
void SetQuickGameHover(int index)
{
    for (int i = 1; i <= 4; ++i)
        QuickGameButtons[i].sprite = NormalStrip(i);
    if (index >= 1 && index <= 4)
        QuickGameButtons[index].sprite = HoverStrip(index);
}
