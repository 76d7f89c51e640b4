#include "screens/overlays.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "language/text_table.h"
#include "screens/main_menu.h"

Panel GetReadyPanel{SpriteGetReady, SpriteGetReadyClean};
int GetReadyHold = 0;

Panel InGameMenuPanel{SpriteInGameMenu, SpriteInGameMenuClean};
ButtonRecord InGameMenuButtons[4];
int InGameChoice = 0;

Panel FinishedPanel{SpriteFinished, SpriteFinishedClean};
ButtonRecord FinishedButtons[4];
int FinishedChoice = 0;

Panel QuickFinishedPanel{SpriteQuickFinished, SpriteQuickFinishedClean};
ButtonRecord QuickFinishedButtons[3];
int QuickFinishedChoice = 0;

Panel GameCompletePanel{SpriteGameComplete, SpriteGameCompleteClean};
ButtonRecord GameCompleteButtons[2];

namespace {

// One button row of an overlay panel: its text and design row top.
struct OverlayRow {
    const char* key;
    int rowTop;
};

constexpr OverlayRow InGameRows[] = {
    {"tInGameRESUME", 360}, {"tInGameRESTART", 520}, {"tInGameQUIT", 680}};
constexpr OverlayRow FinishedRows[] = {
    {"tFinishedNEXT", 740}, {"tFinishedRETRY", 900}, {"tFinishedMENU", 1060}};
constexpr OverlayRow QuickFinishedRows[] = {{"tFinishedRETRY", 900}, {"tFinishedMENU", 1060}};

constexpr const char* RatingTitles[4] = {
    "tFinishedTHEEND", "tFinishedNOTBAD", "tFinishedGOODJOB", "tFinishedSUCCESS"};

// The strips of each button: normal and hover (and NEXT's disabled one).
int InGameStrips[4][2];
int FinishedStrips[4][2];
int FinishedNextDisabled = 0;
int QuickFinishedStrips[3][2];

// Puts the strips of a panel's rows on their rows of the panel where it
// stands now. NOTE: a finished panel is rebuilt at every level end with its
// records kept, and Escape leaves it at once, even half-way through a slide:
// the strips must be placed again with the panel, or they keep the steps of
// the unfinished slide and are drawn off the rows that take the clicks.
void PlaceOverlayStrips(const Panel& panel, const OverlayRow* rows, int count, ButtonRecord* records)
{
    if (panel.designHeight <= 0)
        return;
    for (int i = 0; i < count; ++i) {
        records[i + 1].x = panel.x;
        records[i + 1].y = panel.y + panel.height * rows[i].rowTop / panel.designHeight;
    }
}

// Fills the records and strips of a panel's rows (records from index 1).
void BuildOverlayRows(const Panel& panel, const OverlayRow* rows, int count, ButtonRecord* records,
                      int strips[][2])
{
    if (panel.designHeight <= 0)
        return;  // no artwork: nothing to place the rows on
    const int font = GameFont(60, true);
    setDrawingFont(font);
    const int stripHeight = MenuStripHeight(panel.width);
    for (int i = 0; i < count; ++i) {
        const std::string& label = text(rows[i].key);
        ButtonRecord& record = records[i + 1];
        const int offset = panel.height * rows[i].rowTop / panel.designHeight;
        // The text's width in design units, measured with the strip font.
        setDrawingFont(font);
        TextExtentToRecord(panel, textWidth(label), record);
        record.hitTop = ReferenceY(panel) + offset;
        record.hitBottom = record.hitTop + stripHeight;
        strips[i + 1][0] = MakeMenuStrip(strips[i + 1][0] ? strips[i + 1][0] : -1, font, label,
                                         TextColour, panel.width);
        strips[i + 1][1] = MakeMenuStrip(strips[i + 1][1] ? strips[i + 1][1] : -1, font, label,
                                         HoverColour, panel.width);
        record.sprite = strips[i + 1][0];
    }
    PlaceOverlayStrips(panel, rows, count, records);
}

// Title and the big star picture of a rating, shared by both finished panels.
bool BeginRatingPanel(Panel& panel, int rating)
{
    const int r = rating < 0 ? 0 : (rating > 3 ? 3 : rating);
    if (!BeginPanel(panel, GameFont(80, false), text(RatingTitles[r]), 117))
        return false;
    const int star = ImageStar4Big + r;
    drawImageBlended(star, panel.designWidth / 2 - imageWidth(star) / 2, 260);
    return true;
}

} // namespace

void BuildGetReadyPanel(const std::string& line)
{
    if (BeginPanel(GetReadyPanel, GameFont(80, false), text("tGetReadyTITLE"), 90)) {
        setDrawingFont(GameFont(120, true));
        DrawCentredText(GetReadyPanel.designWidth / 2, 400 - textHeight(line) / 2, line, TextColour);
    }
    ScalePanelToWidth(GetReadyPanel, (ScreenWidth / 100) * 25);
    PlacePanelForCentre(GetReadyPanel);
}

void BuildInGameMenuPanel()
{
    BeginPanel(InGameMenuPanel, GameFont(80, false), text("tInGameTITLE"), 117);
    ScalePanelToWidth(InGameMenuPanel, MainMenuPanel.width);
    PlacePanelForCentre(InGameMenuPanel);
    BuildOverlayRows(InGameMenuPanel, InGameRows, 3, InGameMenuButtons, InGameStrips);
}

void SetInGameMenuHover(int index)
{
    for (int i = 1; i <= 3; ++i)
        InGameMenuButtons[i].sprite = InGameStrips[i][i == index ? 1 : 0];
}

void BuildLevelFinishedPanel(int rating, int withButtons)
{
    BeginRatingPanel(FinishedPanel, rating);
    ScalePanelByHeight(FinishedPanel, 65);
    PlacePanelForCentre(FinishedPanel);
    if (!withButtons) {
        PlaceOverlayStrips(FinishedPanel, FinishedRows, 3, FinishedButtons);
        return;
    }
    BuildOverlayRows(FinishedPanel, FinishedRows, 3, FinishedButtons, FinishedStrips);
    FinishedNextDisabled = MakeMenuStrip(FinishedNextDisabled ? FinishedNextDisabled : -1, GameFont(60, true),
                                         text("tFinishedNEXT"), DisabledColour, FinishedPanel.width);
}

bool NextLevelChoosable(int rating)
{
    const bool lastLevel = Game.levelColumn == 4 && Game.levelRow == 4;
    return rating > 0 && !lastLevel;
}

bool FinishedAreaUsable(int index)
{
    return index != 1 || NextLevelChoosable(Game.result);
}

void SetFinishedHover(int index, int rating)
{
    for (int i = 1; i <= 3; ++i)
        FinishedButtons[i].sprite = FinishedStrips[i][i == index ? 1 : 0];
    if (!NextLevelChoosable(rating))
        FinishedButtons[1].sprite = FinishedNextDisabled;
}

void BuildQuickFinishedPanel(int rating, int tilesCleared, int withButtons)
{
    if (BeginRatingPanel(QuickFinishedPanel, rating) && Game.mode >= ModeEasy && Game.mode <= ModeInsane) {
        setDrawingFont(GameFont(60, true));
        const std::string line = ReplaceHash(text("tFinishedTILES"), std::to_string(tilesCleared));
        DrawCentredText(QuickFinishedPanel.designWidth / 2, 740, line, HoverColour);
    }
    ScalePanelByHeight(QuickFinishedPanel, 65);
    PlacePanelForCentre(QuickFinishedPanel);
    if (withButtons)
        BuildOverlayRows(QuickFinishedPanel, QuickFinishedRows, 2, QuickFinishedButtons, QuickFinishedStrips);
    else
        PlaceOverlayStrips(QuickFinishedPanel, QuickFinishedRows, 2, QuickFinishedButtons);
}

void SetQuickFinishedHover(int index)
{
    for (int i = 1; i <= 2; ++i)
        QuickFinishedButtons[i].sprite = QuickFinishedStrips[i][i == index ? 1 : 0];
}

void BuildGameCompletePanel()
{
    int stars = 0;
    for (int n = 1; n <= 25; ++n)
        stars += LevelByNumber(n).best;
    if (BeginPanel(GameCompletePanel, GameFont(80, false), text("tGcCONGRATULATIONS"), 115)) {
        setDrawingFont(GameFont(46, true));
        const int centre = GameCompletePanel.designWidth / 2;
        DrawCentredText(centre, 280, text("tGcGAMECOMPLETE"), TextColour);
        DrawCentredText(centre, 400, text("tGcSTARSCOLLECTED"), TextColour);
        DrawCentredText(centre, 520, ReplaceHash(text("tGcSTARS"), std::to_string(stars)), HoverColour);
        if (stars != 75) {
            DrawCentredText(centre, 640, text("tGcCONTINUEPALYING"), TextColour);
            DrawCentredText(centre, 700, text("tGcGETALL"), TextColour);
        }
    }
    ScalePanelByHeight(GameCompletePanel, 65);
    PlacePanelForCentre(GameCompletePanel);
    DesignAreaToRecord(GameCompletePanel, 1129, 97, 1245, 216, GameCompleteButtons[1]);
}
