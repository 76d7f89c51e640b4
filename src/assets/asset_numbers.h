// The fixed numbers of every sprite, image, sound and font the game loads.
// Each panel keeps its artwork twice: the clean copy (higher number) and the
// working copy the panel builders draw texts onto (lower number).
#pragma once

enum SpriteNumber {
    SpriteScreenshot = 0,
    SpriteShadow = 1,          // shadow.png as loaded
    SpriteShade = 2,           // the shadow stretched over the whole screen
    SpriteTitle = 3,           // title_<aspect>.png, screen wide
    SpriteSplash = 4,          // ngs_<aspect>.png
    SpriteLogo = 5,
    SpritePointer = 6,
    SpriteBackground = 7,      // 01_<aspect>.png
    SpriteMenuButton = 8,      // gui_menu.png
    SpriteLevelLabel = 9,      // working copy of gui_level.png
    SpriteLevelLabelClean = 10,
    SpritePrize1 = 11,         // three stars ... SpritePrize4 = none
    SpritePrize2 = 12,
    SpritePrize3 = 13,
    SpritePrize4 = 14,
    SpriteMainMenu = 15, SpriteMainMenuClean = 16,
    SpriteSettings = 17, SpriteSettingsClean = 18,
    SpriteCredits = 19, SpriteCreditsClean = 20,
    SpriteHelp = 21, SpriteHelpClean = 22,
    SpriteQuit = 23, SpriteQuitClean = 24,
    SpriteLevelSelect = 25, SpriteLevelSelectClean = 26,
    SpriteInGameMenu = 28, SpriteInGameMenuClean = 29,
    SpriteQuickGame = 30, SpriteQuickGameClean = 31,
    SpriteFinished = 32, SpriteFinishedClean = 33,
    SpriteGetReady = 34, SpriteGetReadyClean = 35,
    SpriteGameComplete = 36, SpriteGameCompleteClean = 37,
    SpriteQuickFinished = 38, SpriteQuickFinishedClean = 39,
    SpriteSelected = 40,
    SpriteCursor = 41,         // cursor.png at the board's size (a quarter larger than a tile)
    SpriteFocusRing = 42,      // cursor.png kept at design size, zoomed around a focused area
    SpriteMenuTemplate = 92,
    SpriteSettingsTemplate = 93
};

enum ImageNumber {
    ImageStar4 = 0,   // rating 0 on the level-select grid
    ImageStar3 = 1,
    ImageStar2 = 2,
    ImageStar1 = 3,   // rating 3
    ImageLock = 4,
    ImageStar4Big = 5,
    ImageStar3Big = 6,
    ImageStar2Big = 7,
    ImageStar1Big = 8,
    ImageTable = 27
};

enum SoundNumber {
    MenuMusic = 0,
    SoundLevelMusic1 = 1,
    SoundLevelMusic2 = 2,
    SoundJingle = 3,
    SoundMatch = 4
};

// The 40 tile sprites, in load order (tile01.png .. tile40.png).
constexpr int TileCount = 40;
extern int TileSprites[TileCount];
