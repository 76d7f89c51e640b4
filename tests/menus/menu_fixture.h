// The menu screens on the real media layer, headless: a windowed screen on
// the dummy video driver, artwork made of plain-coloured pictures at their
// design sizes, a real TrueType font as the game's face, the real English
// and other language files, and the real mixer on the dummy audio driver.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "screens/kit.h"

constexpr int TestScreenWidth = 1600;
constexpr int TestScreenHeight = 900;

// Colours of the test artwork.
constexpr uint32_t PaperColour = 0xFFDCF0FA;  // rgba(250, 240, 220)
constexpr uint32_t TableColour = 0xFF2848A0;  // rgba(160, 72, 40)
constexpr uint32_t LockColour = 0xFF808080;
// The lower half of the star picture for a best rating 0..3; the top half
// is transparent.
constexpr uint32_t StarColours[4] = {0xFF3CC8FF, 0xFF30A0E0, 0xFF2070C0, 0xFF1040A0};

// A PNG of width x height; pixel(x, y) answers an rgba() value.
std::vector<uint8_t> MakePng(int width, int height, uint32_t (*pixel)(int x, int y));

// Builds every menu panel in the current language, main menu first.
void BuildMenuPanels();
// Puts the game back where a test begins: English, default preferences
// (windowed, resolution 1), fresh level records, all panels built and at
// rest below the screen, StateMainMenu with the main menu's hit rectangles
// in screen coordinates. The panels are built once and then restored from
// a copy; rebuild = true builds them anew (after a test changed pictures).
void ResetMenus(bool rebuild = false);
// Runs the current state's logic (slides and exits) `frames` times.
void RunLogic(int frames);
// Points at (x, y) and runs the hover step of the current state.
void PointAt(int x, int y);
// Runs the click step of the current state at (x, y) after a hover pass.
void ClickAt(int x, int y);

// Every pixel of a sprite at its design (unzoomed) size, row by row; the
// sprite's zoom is restored afterwards.
std::vector<uint32_t> DesignPixels(int sprite, int& width, int& height);

// The folder holding "Morvane.languages" (a link to the language sources).
std::string TestGameFolder();

// Centre of a record's hit rectangle.
int CentreXOf(const ButtonRecord& record);
int CentreYOf(const ButtonRecord& record);
