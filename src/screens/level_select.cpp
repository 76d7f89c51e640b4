// The level-select panel: the campaign's 25 cells drawn from the level
// records, patched cell by cell when a level is rated or opened.
#include "screens/level_select.h"

#include <string>

#include "assets/asset_numbers.h"
#include "board/levels.h"
#include "display/layout.h"
#include "language/text_table.h"

Panel LevelSelectPanel;
ButtonRecord LevelSelectButtons[27];

// Cells are 219 design units apart across and 214 down.
int LevelCellX(int column)
{
    return 97 + 219 * column;
}

// Top of the cells of a row, in design units.
int LevelCellY(int row)
{
    return 320 + 214 * row;
}

// Three stars for rating 3 down to the empty stars for 0.
int StarImageFor(int best)
{
    switch (best) {
    case 0: return ImageStar4;
    case 1: return ImageStar3;
    case 2: return ImageStar2;
    case 3: return ImageStar1;
    default: return -1;
    }
}

namespace {

// The zoom every build and patch ends with: 75 % of the screen height.
void ScaleLevelSelect()
{
    ScalePanelByHeight(LevelSelectPanel, 75);
}

// Number and star of an open level, drawn into the panel being drawn on.
void DrawOpenCell(const LevelRecord& level, int originX, int originY)
{
    const std::string number = std::to_string(level.number);
    drawText(originX + 96 - textWidth(number) / 2, originY + 24, number, TextColour);
    const int star = StarImageFor(level.best);
    if (star >= 0)
        drawImageBlended(star, originX, originY);
}

// The cell's design rectangle as a screen hit rectangle in its record, and
// as the level's area of the panel.
void CellToHitRectangle(LevelRecord& level)
{
    ButtonRecord& area = LevelSelectButtons[1 + level.number];
    DesignAreaToRecord(LevelSelectPanel, level.buttonX, level.buttonY, level.buttonX + LevelCellSize,
                       level.buttonY + LevelCellSize, area);
    level.hitLeft = area.hitLeft;
    level.hitTop = area.hitTop;
    level.hitRight = area.hitRight;
    level.hitBottom = area.hitBottom;
}

}  // namespace

void BuildLevelSelectPanel()
{
    LevelSelectPanel.workSprite = SpriteLevelSelect;
    LevelSelectPanel.cleanSprite = SpriteLevelSelectClean;
    LevelSelectPanel.keepsDesign = true;  // RedrawLevelCell patches it
    if (!BeginPanel(LevelSelectPanel, GameFont(80, false), text("tLevelSelectTITLE"), 116))
        return;
    setDrawingFont(GameFont(48, false));
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) {
            LevelRecord& level = LevelStore[c][r];
            level.number = 5 * r + c + 1;
            level.buttonX = LevelCellX(c);
            level.buttonY = LevelCellY(r);
            if (level.locked)
                drawImageBlended(ImageLock, level.buttonX, level.buttonY);
            else
                DrawOpenCell(level, level.buttonX, level.buttonY);
        }
    }
    ScaleLevelSelect();
    PlacePanelBelow(LevelSelectPanel);
    DesignAreaToRecord(LevelSelectPanel, 1140, 104, 1252, 222, LevelSelectButtons[1]);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c)
            CellToHitRectangle(LevelStore[c][r]);
    }
}

void RedrawLevelCell(int column, int row)
{
    if (column < 0 || column > 4 || row < 0 || row > 4)
        return;
    const LevelRecord& level = LevelStore[column][row];
    // NOTE: drawing happens on the design-size picture; the zoom is reset
    // first so that the panel is resampled once, from the patched picture.
    zoomSprite(LevelSelectPanel.workSprite, -1, -1);
    if (beginDrawing(LevelSelectPanel.workSprite)) {
        setDrawingMode(DrawTransparent | DrawAlphaBlend);
        setDrawingFont(GameFont(48, false));
        drawImageBlended(ImageTable, level.buttonX, level.buttonY);
        DrawOpenCell(level, level.buttonX, level.buttonY);
    }
    ScaleLevelSelect();
}
