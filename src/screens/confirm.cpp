// The confirmation panel: the question under its title, scaled to the main
// menu's width, with a quit placement near the bottom and a leave placement
// at the centre.
#include "screens/confirm.h"

#include "assets/asset_numbers.h"
#include "display/layout.h"
#include "language/text_table.h"
#include "screens/main_menu.h"

Panel QuitPanel;
ButtonRecord QuitButtons[3];
int QuitChoice = 0;
Panel LeavePanel;
ButtonRecord LeaveButtons[3];
int LeaveChoice = 0;
int LeaveConfirmed = 0;

namespace {

// Yes and no areas from the placement's own reference y.
void AnswerAreas(const Panel& panel, ButtonRecord* answers)
{
    answers[1].sprite = 0;
    answers[2].sprite = 0;
    DesignAreaToRecord(panel, ConfirmYesLeft, ConfirmYesTop, ConfirmYesRight, ConfirmYesBottom, answers[1]);
    DesignAreaToRecord(panel, ConfirmNoLeft, ConfirmNoTop, ConfirmNoRight, ConfirmNoBottom, answers[2]);
}

}  // namespace

void BuildQuitPanel()
{
    QuitPanel.workSprite = SpriteQuit;
    QuitPanel.cleanSprite = SpriteQuitClean;
    if (!BeginPanel(QuitPanel, GameFont(80, false), text("tQuitTITLE"), 108))
        return;
    setDrawingFont(GameFont(60, true));
    DrawWrappedText(132, 276, 758, 550, 80, text("tQuitQUESTION"), TextColour, 0);
    ScalePanelToWidth(QuitPanel, MainMenuPanel.width);
    PlacePanelBelow(QuitPanel);
    AnswerAreas(QuitPanel, QuitButtons);

    // NOTE: the leave placement's step has no "+ 1", unlike every other
    // centred panel, so it rests at or just below the vertical centre.
    LeavePanel = QuitPanel;
    LeavePanel.step = (ScreenHeight - (ScreenHeight / 2 - LeavePanel.height / 2)) / 25;
    AnswerAreas(LeavePanel, LeaveButtons);
}
