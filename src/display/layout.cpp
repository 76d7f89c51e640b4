#include "display/layout.h"

int ScreenWidth = 0;
int ScreenHeight = 0;
int TileSize = 0;
int AspectCode = 7;
int LogoX = 0;
int LogoY = 0;
int LogoScale = 50;
int LogoStep = 0;
int CornerInset = 0;
int MenuButtonLeft = 0;
int MenuButtonTop = 0;
int MenuButtonRight = 0;
int MenuButtonBottom = 0;

int TileSizeFor(int screenWidth)
{
    return ((screenWidth / 15) / 8) * 8;
}

void SetScreenSize(int width, int height)
{
    ScreenWidth = width;
    ScreenHeight = height;
    TileSize = TileSizeFor(width);
    CornerInset = TileSize / 4;
    MenuButtonLeft = ScreenWidth - TileSize / 2 - TileSize / 4;
    MenuButtonTop = TileSize / 4;
    MenuButtonRight = MenuButtonLeft + TileSize / 2;
    MenuButtonBottom = MenuButtonTop + TileSize / 2;
}
