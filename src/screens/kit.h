// The screen drawing kit: colours, panels built from artwork in design
// units, button strips, button records with their strict hit test, hover
// tracking, word-wrapped text and the level label.
#pragma once

#include <cstdint>
#include <string>

#include "media/media.h"

constexpr uint32_t TextColour = rgba(108, 49, 17, 255);
constexpr uint32_t HoverColour = rgba(219, 63, 81, 255);
constexpr uint32_t ShadowColour = rgba(145, 32, 64, 255);
constexpr uint32_t DisabledColour = rgba(95, 95, 95, 95);

// One clickable line or area of a panel. Arrays of them are used from index
// 1; index 0 exists and is never used.
struct ButtonRecord {
    int32_t sprite = 0;     // strip shown now; 0 for an area that is never drawn
    int32_t x = 0;          // where the strip is displayed (follows the slide)
    int32_t y = 0;
    int32_t hitLeft = 0;    // hit rectangle in screen pixels (does not slide)
    int32_t hitTop = 0;
    int32_t hitRight = 0;
    int32_t hitBottom = 0;
};

// A panel: artwork with the texts of the current language drawn on it once,
// scaled to the screen, sliding in from below and out again.
struct Panel {
    int workSprite = 0;     // the copy that is drawn on and displayed
    int cleanSprite = 0;    // the untouched artwork
    int designWidth = 0;    // the artwork's own size: the panel's design units
    int designHeight = 0;
    int width = 0;          // scaled size on the screen
    int height = 0;
    int x = 0;              // screen position of the top-left corner
    int y = 0;
    int step = 0;           // pixels moved per slide frame
    int slide = 0;          // > 0 sliding in, < 0 sliding out, 0 at rest
    bool keepsDesign = false;  // patched after it is built (needs its design picture)
};

// The areas of a panel the arrow keys (or a controller's D-pad) visit:
// indices into the panel's button array, in reading order. In a grid the
// up and down arrows go to the nearest area above or below instead of the
// one before or after.
struct FocusOrder {
    const ButtonRecord* records;
    const int* items;
    int count;
    bool grid;
    bool (*usable)(int index);  // null: every area; false for a disabled one
};

// The font number of a Baloo size and weight loaded at start-up.
int GameFont(int points, bool bold);

// The pointer position the hover pass uses this frame (window or device).
extern int PointerX;
extern int PointerY;

// True when (mx, my) lies strictly inside the record's hit rectangle.
bool HitButton(const ButtonRecord& record, int mx, int my);

// Copies the clean artwork into the work sprite, starts drawing on it and
// draws the title with its shadow. Answers false when drawing could not
// start (the caller then skips its body texts).
bool BeginPanel(Panel& panel, int titleFont, const std::string& title, int titleLine);
// Stops drawing and zooms the panel to (screen height div 100) x percent high.
void ScalePanelByHeight(Panel& panel, int percent);
// Stops drawing and zooms the panel to a given width, keeping its aspect.
void ScalePanelToWidth(Panel& panel, int width);
// Centres the panel just below the screen; step = height div 25 + 1.
void PlacePanelBelow(Panel& panel);
// Like PlacePanelBelow, with the slide step that brings the panel to rest at
// (or just above) the vertical centre.
void PlacePanelForCentre(Panel& panel);
// One pixel above the resting y: the base of every hit rectangle.
int ReferenceY(const Panel& panel);
// A design rectangle of the panel as a screen hit rectangle.
void DesignAreaToRecord(const Panel& panel, int left, int top, int right, int bottom, ButtonRecord& record);
// The horizontal hit range of a text centred on design x 515 of a 1030-wide
// menu panel, scaled to the panel's width.
void TextExtentToRecord(const Panel& panel, int textWidth, ButtonRecord& record);

// Draws text with its left edge centred on design x `centreX`.
void DrawCentredText(int centreX, int y, const std::string& text, uint32_t colour);
// Draws a panel title: the shadow 10 design units right and down, then white.
void DrawPanelTitle(int designWidth, int titleLine, const std::string& title);

// A menu strip: the menu template with one text centred on x 515 at y 0,
// zoomed to `width` wide and width x 90 / 1030 high. Answers the sprite.
int MakeMenuStrip(int sprite, int font, const std::string& text, uint32_t colour, int width);
// A settings row strip: label at (90, 0), value right-aligned to end at
// 1172, zoomed to `width` wide and width x 65 / 1262 high.
int MakeSettingsStrip(int sprite, int font, const std::string& label, const std::string& value,
                      uint32_t colour, int width);
// Height of a menu strip for a panel of the given scaled width.
int MenuStripHeight(int width);
int SettingsStripHeight(int width);

// The lines a text wraps into at this width in the current font, cut only at
// the given break opportunities (byte offsets just past each, as lineBreaks
// gives them): each line ends at the last one that keeps it narrower.
std::vector<std::string> WrapTextLines(const std::string& text, int width, const std::vector<size_t>& breaks);
// Where a wrapped text may end a line: the Unicode line-breaking rules'
// opportunities, kept in words of scripts written with blanks only after a
// blank (a hyphen or a slash in a Latin word never ends a line).
std::vector<size_t> WrapOpportunities(const std::string& text, const std::string& language);
// Wrapped text into the current drawing target, cut where the Unicode
// line-breaking rules allow in the current language; answers the y of the
// last line drawn. align: 0 centred, 1 right-aligned to x + width, else left.
int DrawWrappedText(int x, int y, int width, int height, int lineStep, const std::string& text,
                    uint32_t colour, int align);

// The level label shown during play, built from gui_level.png.
void BuildLevelLabel(const std::string& text);

// Moves a panel and the strips of records [first, last] by one slide frame.
// Answers true on the frame a slide-out ends (the state's exit action is due).
bool SlidePanel(Panel& panel, ButtonRecord* records, int first, int last);

// Hover tracking over records [first, last]: the first hit wins. Answers the
// hit index or 0.
int HitIndex(const ButtonRecord* records, int first, int last, int mx, int my);

// The focus ring around a record's hit rectangle (an area with no hover
// strip of its own), a quarter larger than the rectangle.
void DrawFocusRing(const ButtonRecord& record);

// Displays the strips of records [first, last] at their positions.
void DrawStrips(const ButtonRecord* records, int first, int last);

// Replaces every "#" in text with value.
std::string ReplaceHash(const std::string& text, const std::string& value);
