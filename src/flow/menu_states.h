// The per-state steps of the menu screens (title intro, main menu, level
// select, quick game, help, credits, settings, quit and leave confirmation),
// plugged into the state table. Click and Escape steps run only while the
// state's panel is at rest; exit steps run on the frame a slide-out ends.
#pragma once

#include "screens/confirm.h"
#include "screens/help_credits.h"
#include "screens/level_select.h"
#include "screens/main_menu.h"
#include "screens/quick_game.h"
#include "screens/settings_screen.h"

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
// Left (-1) and right (+1) on a settings row step its value back or on;
// false on confirm, cancel or a disabled row.
bool StepSettingsRow(int index, int delta);

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

// The title artwork and the logo that every menu screen draws first.
void DrawTitleAndLogo();
