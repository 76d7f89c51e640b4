// The per-state steps of the menu screens (title intro, main menu, level
// select, quick game, help, credits, settings, quit and leave confirmation),
// plugged into the state table. Click and Escape steps run only while the
// state's panel is at rest; exit steps run on the frame a slide-out ends.
#pragma once

#include "screens/kit.h"

// Title intro and main menu (states 1 and 2).
void DrawTitleScreen();
void LogicTitleIntro();
void HoverMainMenu();
void ClickMainMenu();
void EscapeMainMenu();
void ExitMainMenu();

// Level select (3).
void DrawLevelSelect();
void ClickLevelSelect();
void EscapeLevelSelect();
void ExitLevelSelect();

// Quick game (4).
void DrawQuickGame();
void HoverQuickGame();
void ClickQuickGame();
void EscapeQuickGame();
void ExitQuickGame();

// Help (5) and credits (6).
void DrawHelp();
void ClickHelp();
void EscapeHelp();
void ExitHelp();
void DrawCredits();
void ClickCredits();
void EscapeCredits();
void ExitCredits();

// Settings (7).
void DrawSettings();
void HoverSettings();
void ClickSettings();
void EscapeSettings();
void ExitSettings();

// Quit confirmation (8) and leave confirmation (12).
void DrawQuitConfirm();
void HoverQuitConfirm();
void ClickQuitConfirm();
void EscapeQuitConfirm();
void ExitQuitConfirm();
void DrawLeaveConfirm();
void HoverLeaveConfirm();
void ClickLeaveConfirm();
void EscapeLeaveConfirm();
void ExitLeaveConfirm();

// The panels and button arrays of these screens (arrays used from index 1).
extern Panel MainMenuPanel;
extern ButtonRecord MainMenuButtons[7];
extern int MainMenuChoice;
extern Panel LevelSelectPanel;
extern ButtonRecord LevelSelectButtons[2];   // 1: close area
extern Panel QuickGamePanel;
extern ButtonRecord QuickGameButtons[6];     // 1..4 difficulties, 5 close area
extern int QuickGameChoice;
extern Panel HelpPanel;
extern ButtonRecord HelpButtons[2];
extern Panel CreditsPanel;
extern ButtonRecord CreditsButtons[2];
extern Panel SettingsPanel;
extern ButtonRecord SettingsButtons[8];      // 1..5 rows, 6 confirm, 7 cancel
extern int SettingsHover;
extern Panel QuitPanel;                      // the quit placement
extern ButtonRecord QuitButtons[3];          // 1 yes, 2 no
extern int QuitChoice;
extern Panel LeavePanel;                     // the same picture, leave placement
extern ButtonRecord LeaveButtons[3];
extern int LeaveChoice;
extern int LeaveConfirmed;

// Panel builders (start-up, language change, re-open).
void BuildMainMenuPanel();
void BuildLevelSelectPanel();
void RedrawLevelCell(int column, int row);
void BuildQuickGamePanel();
void BuildSettingsPanel(int place);
void BuildHelpPanel();
void BuildCreditsPanel();
void BuildQuitPanel();
void SetMainMenuHover(int index);
void SetQuickGameHover(int index);
void SetSettingsHover(int index);
// After a language change without re-open: the main menu's hit rectangles
// become screen coordinates again (its resting y is added).
void RestMainMenuHitRectangles();
// Resets the title intro: logo back at 50 %, the panel below the screen.
void ResetTitleIntro();

// The title artwork and the logo that every menu screen draws first.
void DrawTitleAndLogo();
