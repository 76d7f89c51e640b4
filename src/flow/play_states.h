// The per-state steps of the splash and of the play states: get ready,
// play, the in-game menu, the finished panels and the game-complete panel.
#pragma once

#include "board/board.h"

// The preferences the board rules need, as they stand now.
SoundSettings CurrentSoundSettings();

void DrawSplash();
void LogicSplash();

void DrawGetReady();
void LogicGetReady();

void DrawPlay();
void LogicPlay();
void ClickPlay();
void EscapePlay();
// What a board click (of the mouse or of the tile cursor) asked for.
void ActOnBoardClick(ClickResult result);

void DrawInGameMenu();
void HoverInGameMenu();
void ClickInGameMenu();
void EscapeInGameMenu();
void ExitInGameMenu();

void DrawLevelFinished();
void HoverLevelFinished();
void ClickLevelFinished();
void EscapeLevelFinished();
void ExitLevelFinished();

void DrawQuickFinished();
void HoverQuickFinished();
void ClickQuickFinished();
void EscapeQuickFinished();
void ExitQuickFinished();

void DrawGameComplete();
void ClickGameComplete();
void EscapeGameComplete();
void ExitGameComplete();

// Shows what the end of a level did: redraws the level-select cells, builds
// the finished panel and enters its state.
void ShowLevelOutcome();
