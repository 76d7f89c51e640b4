// Loading every asset of the data archive "Morvane.data" into its fixed
// sprite, image, sound or font number (asset_numbers.h).
//
// Each pass answers true or false. On failure it has already written the
// "Load asset (<name>):" FAILED log line and puts the failing name into
// failedName ("font", "music and sfx", "" when the picture pass cannot open
// the archive, "memory - title", "image - ngs", "temps", or a member name);
// the start-up then closes the screen and shows the asset error box.
#pragma once

#include <cstddef>
#include <string>

// Buffer sizes per class of member: a member larger than its class's buffer
// cannot be extracted.
constexpr size_t LargeAssetBuffer = 15728640;   // the font and each sound
constexpr size_t ArtworkAssetBuffer = 4194304;  // the three full-screen pictures
constexpr size_t SmallAssetBuffer = 204800;     // every other picture and tile

// The archive's file name in the game folder.
extern const char* const DataArchiveName;

// Pass 1: the font "Baloo-Regular.ttf", registered from memory as "Baloo".
bool LoadFontPass(const std::string& gameDir, std::string& failedName);
// The faces for letters Baloo lacks, in the order a language wants them
// (Chinese: its own cut of the Han letters first).
void PreferScriptFacesFor(const std::string& language);
// Pass 2: the five sounds 0..4.
bool LoadSoundPass(const std::string& gameDir, std::string& failedName);
// Pass 3: the artwork for AspectCode, every picture and the 40 tiles, sized
// for ScreenWidth, ScreenHeight and TileSize. Needs the open screen. The
// first pass keeps the members it reads (and the artwork of every aspect a
// re-open can reach); later passes read those, not the file.
bool LoadPicturePass(const std::string& gameDir, std::string& failedName);
// The splash artwork (sprite 4) for AspectCode, loaded ahead of pass 3 so
// the window can show it early; pass 3 then only logs it. Writes no log line.
bool LoadSplashArtwork(const std::string& gameDir);
// A panel's untouched artwork (named by its clean sprite number) into the
// panel's work sprite, decoded again from the member the picture pass kept.
bool LoadPanelArtwork(int cleanSprite, int workSprite, int flags);
// The 26 Baloo fonts, in their load order. A font that fails is not reported.
void LoadGameFonts();
// After the panels are pre-rendered: the selection marker is zoomed to a
// tile and the board geometry is logged.
void FinishAssetLoading(int offsetX, int offsetY);

// The font number (0..25) loaded at this size in points and weight; the
// lowest such number, or -1 when no font of that size and weight exists.
int GameFont(int points, bool bold);
