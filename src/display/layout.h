// The size of the open screen and every layout value derived from it. Set
// when the screen opens (and again when it is re-opened); read everywhere.
#pragma once

extern int ScreenWidth;
extern int ScreenHeight;
extern int TileSize;       // ((ScreenWidth div 15) div 8) x 8, a multiple of 8
extern int AspectCode;     // 0..7, picks the full-screen artwork
extern int LogoX;
extern int LogoY;
extern int LogoScale;      // logo width in percent of the screen width
extern int LogoStep;       // per-frame rise of the logo during the title intro
extern int CornerInset;    // TileSize div 4
extern int MenuButtonLeft;
extern int MenuButtonTop;
extern int MenuButtonRight;
extern int MenuButtonBottom;

// TileSize for a screen width.
int TileSizeFor(int screenWidth);
// Sets ScreenWidth, ScreenHeight, TileSize and the corner values together.
void SetScreenSize(int width, int height);
