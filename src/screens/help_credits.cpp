// The help panel (four wrapped paragraphs) and the credits panel (fixed
// lines), both on the credits artwork with a close area top right.
#include "screens/help_credits.h"

#include "assets/asset_numbers.h"
#include "language/text_table.h"

Panel HelpPanel;
ButtonRecord HelpButtons[2];
Panel CreditsPanel;
ButtonRecord CreditsButtons[2];

// Names stay as they are everywhere; a line with a key and an English text
// shows the English while the language has no text for it.
const CreditLine CreditLines[CreditLineCount] = {
    {284, "", "Morvane 1.1.0.0"},
    {339, "tCreditsCODEDESIGN", ""},
    {394, "", "The Quillfen game studio team"},
    {504, "tCreditsPUBLISHER", "Studio and publisher"},
    {559, "", "Quillfen game studio"},
    {614, "", "Zentoria Interactive"},
    {669, "", "www.zentoria.example"},
    {779, "tCreditsGFX", ""},
    {834, "tCreditsARTWORK", "Original artwork, made in-house"},
    {944, "tCreditsMUSIC", ""},
    {999, "tCreditsCOMPOSED", "Composed with our own synthesiser"},
    {1109, "tCreditsSOUNDFX", ""},
    {1164, "tCreditsSYNTHESISED", "Synthesised in-house"},
    {1274, "tCreditsFONT", ""},
    {1329, "", "Quicksand, Comfortaa, Noto Sans CJK: SIL OFL"},
};

namespace {

const char* const HelpKeys[4] = {"tHelpTEXT01", "tHelpTEXT02", "tHelpTEXT03", "tHelpTEXT04"};

// The close badge in the top-right corner of the credits artwork.
void PlaceWithCloseArea(Panel& panel, ButtonRecord& close)
{
    ScalePanelByHeight(panel, 75);
    PlacePanelBelow(panel);
    close.sprite = 0;
    DesignAreaToRecord(panel, 1138, 100, 1254, 220, close);
}

}  // namespace

// Title and four paragraphs, each one starting 80 units below the last line
// of the one before.
void BuildHelpPanel()
{
    HelpPanel.workSprite = SpriteHelp;
    HelpPanel.cleanSprite = SpriteHelpClean;
    if (!BeginPanel(HelpPanel, GameFont(80, false), text("tHelpTITLE"), 118))
        return;
    setDrawingFont(GameFont(30, true));
    int y = HelpFirstTop;
    int height = 1126;
    for (const char* key : HelpKeys) {
        const int last = DrawWrappedText(90, y, 1092, height, HelpLineStep, text(key), TextColour, 0);
        y = last + HelpParagraphGap;
        height = 1126 - last;
    }
    PlaceWithCloseArea(HelpPanel, HelpButtons[1]);
}

// Title and the credit lines, each centred.
void BuildCreditsPanel()
{
    CreditsPanel.workSprite = SpriteCredits;
    CreditsPanel.cleanSprite = SpriteCreditsClean;
    if (!BeginPanel(CreditsPanel, GameFont(80, false), text("tCreditsTITLE"), 116))
        return;
    setDrawingFont(GameFont(35, true));
    for (const CreditLine& line : CreditLines) {
        const std::string shown = line.key[0] ? TextOr(line.key, line.fixed) : std::string(line.fixed);
        DrawCentredText(CreditsPanel.designWidth / 2, line.top, shown, TextColour);
    }
    PlaceWithCloseArea(CreditsPanel, CreditsButtons[1]);
}
