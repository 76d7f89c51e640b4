// The settings panel: five rows (language, music, sound effects, screen
// mode, resolution) with a strip per value, and the confirm/cancel areas.
#pragma once

#include <string>

#include "screens/kit.h"

extern Panel SettingsPanel;
extern ButtonRecord SettingsButtons[8];  // 1..5 rows, 6 confirm, 7 cancel
extern int SettingsHover;                // the hover index, 0..7

// Strip sprites. Music ON normal/hover, OFF normal/hover from 340; sound
// effects the same from 344; screen mode WINDOWED, FULLSCREEN, BORDERLESS
// (normal, hover) from 348; resolution i normal, hover, disabled at
// 360 + 3 i; language i normal and hover at 400 + 2 i.
constexpr int SettingsMusicStrips = 340;
constexpr int SettingsSoundStrips = 344;
constexpr int SettingsModeStrips = 348;
constexpr int SettingsResolutionStrips = 360;
constexpr int SettingsLanguageStrips = 400;
// Languages beyond this many share the last one's strips.
constexpr int SettingsLanguageSlots = 100;

// The rows from top to bottom, then confirm and cancel; the resolution row
// only while the pending screen mode is windowed (it is disabled otherwise).
bool SettingsAreaUsable(int index);
constexpr int SettingsFocusItems[] = {1, 2, 3, 4, 5, 6, 7};
constexpr FocusOrder SettingsFocus{SettingsButtons, SettingsFocusItems, 7, false, SettingsAreaUsable};

// Builds the panel and every strip. place = 1 (start-up, re-open) also puts
// the panel below the screen and computes the records' rectangles; place = 0
// (a language change) keeps them.
void BuildSettingsPanel(int place);
// Shows the pending values, the row `index` (1..5) highlighted; the
// resolution row is disabled outside the windowed mode.
void SetSettingsHover(int index);

// A UTF-8 text in upper case: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic letters; everything else is kept as it is.
std::string UpperCaseText(const std::string& text);

// The row SetSettingsHover last highlighted (1..5), 0 for none. It can
// differ from SettingsHover while the pointer is on confirm or cancel.
extern int SettingsHighlightedRow;
