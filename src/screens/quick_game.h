// The quick-game panel's strip sprites.
#pragma once

// Normal strip of difficulty i at QuickGameStripBase + 2 (i - 1), hover one above.
constexpr int QuickGameStripBase = 320;
