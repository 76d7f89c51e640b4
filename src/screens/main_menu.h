// The main menu: its panel, six buttons and the logo the title intro
// shrinks.
#pragma once

#include "screens/kit.h"

extern Panel MainMenuPanel;
extern ButtonRecord MainMenuButtons[7];  // 1 start .. 6 quit
extern int MainMenuChoice;               // the hover index, 0..6

// Sprite numbers of the menu screens' strips, kept below the numbers the
// media layer hands out for new objects (1000 up) and above the artwork.
// Main menu: normal strip of button i at MainMenuStripBase + 2 (i - 1),
// its hover strip one above.
constexpr int MainMenuStripBase = 300;

// The arrows visit the six buttons from top to bottom.
constexpr int MainMenuFocusItems[] = {1, 2, 3, 4, 5, 6};
constexpr FocusOrder MainMenuFocus{MainMenuButtons, MainMenuFocusItems, 6, false, nullptr};

// The panel below the screen, its hit tops relative to the panel top until
// the title intro (or RestMainMenuHitRectangles) makes them absolute.
void BuildMainMenuPanel();
void SetMainMenuHover(int index);
// After a rebuild outside the intro: the hit rectangles become screen
// coordinates at the panel's resting y.
void RestMainMenuHitRectangles();
// Logo back at 50 % in the centre, the panel below the screen, nothing
// hovered: the title intro can play from its first frame.
void ResetTitleIntro();
// Zooms the logo to k whole percent steps of the screen width, its height
// from its own proportions and the exact k percent, and centres it
// horizontally (LogoX).
void ZoomLogo(int k);
