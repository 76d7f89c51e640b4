// Help, credits and the two confirmations (quit the game, leave a level).
#include "flow/menu_states.h"

#include "assets/asset_numbers.h"
#include "board/board.h"
#include "flow/flow.h"
#include "screens/play_screen.h"
#include "settings/preferences.h"

// --- help and credits ---------------------------------------------------------

// Title, logo and the help panel.
void DrawHelp()
{
    DrawTitleAndLogo();
    drawSpriteBlended(HelpPanel.workSprite, HelpPanel.x, HelpPanel.y);
}

// Close area or Escape: slide out, then back to the main menu.
void ClickHelp()
{
    if (HelpPanel.slide == 0 && HitButton(HelpButtons[1], PointerX, PointerY))
        HelpPanel.slide = -25;
}

// Escape closes help like its close area.
void EscapeHelp()
{
    if (HelpPanel.slide == 0)
        HelpPanel.slide = -25;
}

// After the slide-out: the main menu.
void ExitHelp()
{
    BackToMainMenu();
}

// Title, logo and the credits panel.
void DrawCredits()
{
    DrawTitleAndLogo();
    drawSpriteBlended(CreditsPanel.workSprite, CreditsPanel.x, CreditsPanel.y);
}

// Only the close area in the top-right corner acts.
void ClickCredits()
{
    if (CreditsPanel.slide == 0 && HitButton(CreditsButtons[1], PointerX, PointerY))
        CreditsPanel.slide = -25;
}

// Escape closes the credits like their close area.
void EscapeCredits()
{
    if (CreditsPanel.slide == 0)
        CreditsPanel.slide = -25;
}

// After the slide-out: the main menu.
void ExitCredits()
{
    BackToMainMenu();
}

// --- quit confirmation ----------------------------------------------------------

// Title, logo and the confirmation at its quit placement.
void DrawQuitConfirm()
{
    DrawTitleAndLogo();
    drawSpriteBlended(QuitPanel.workSprite, QuitPanel.x, QuitPanel.y);
}

// The answer areas are not drawn: hovering only remembers the index.
void HoverQuitConfirm()
{
    QuitChoice = HitIndex(QuitButtons, 1, 2, PointerX, PointerY);
}

// Yes ends the game at once; no slides back to the main menu.
void ClickQuitConfirm()
{
    if (QuitPanel.slide != 0)
        return;
    if (QuitChoice == 1)
        QuitFlag = 1;
    else if (QuitChoice == 2)
        QuitPanel.slide = -25;
}

// Escape answers no.
void EscapeQuitConfirm()
{
    if (QuitPanel.slide == 0)
        QuitPanel.slide = -25;
}

// After the slide-out (no, or Escape): the main menu.
void ExitQuitConfirm()
{
    BackToMainMenu();
}

// --- leave confirmation -----------------------------------------------------------

// The board as it stands, the shade, then the confirmation at the centre.
void DrawLeaveConfirm()
{
    DrawShadedField();
    drawSpriteBlended(LeavePanel.workSprite, LeavePanel.x, LeavePanel.y);
}

// The answer areas are not drawn: hovering only remembers the index.
void HoverLeaveConfirm()
{
    LeaveChoice = HitIndex(LeaveButtons, 1, 2, PointerX, PointerY);
}

// Yes stops play and switches to the menu music at the click (only at rest,
// so a double click cannot start it twice); the screen changes after the
// slide-out.
void ClickLeaveConfirm()
{
    if (LeavePanel.slide != 0)
        return;
    if (LeaveChoice == 1) {
        Game.playRunning = false;
        if (Prefs.music)
            SwitchToMenuMusic();
        LeaveConfirmed = 1;
        LeavePanel.slide = -25;
    } else if (LeaveChoice == 2) {
        LeaveConfirmed = 0;
        LeavePanel.slide = -25;
    }
}

// Escape answers no: back to the in-game menu after the slide-out.
void EscapeLeaveConfirm()
{
    if (LeavePanel.slide != 0)
        return;
    LeaveConfirmed = 0;
    LeavePanel.slide = -25;
}

// After the slide-out: the main menu (yes) or the in-game menu (no).
void ExitLeaveConfirm()
{
    if (LeaveConfirmed)
        BackToMainMenu();
    else
        EnterInGameMenu();
}
