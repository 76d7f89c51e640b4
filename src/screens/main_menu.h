// The main menu's strip sprites and the logo zoom shared by the title intro.
#pragma once

// Sprite numbers of the menu screens' strips, kept below the numbers the
// media layer hands out for new objects (1000 up) and above the artwork.
// Main menu: normal strip of button i at MainMenuStripBase + 2 (i - 1),
// its hover strip one above.
constexpr int MainMenuStripBase = 300;

// Zooms the logo to k percent of the screen width, keeping its own
// proportions, and centres it horizontally (LogoX).
void ZoomLogo(int k);
