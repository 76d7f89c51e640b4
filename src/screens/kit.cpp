#include "screens/kit.h"

#include <cmath>

#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "display/layout.h"
#include "settings/preferences.h"

int PointerX = -1;
int PointerY = -1;

bool HitButton(const ButtonRecord& record, int mx, int my)
{
    return mx > record.hitLeft && mx < record.hitRight && my > record.hitTop && my < record.hitBottom;
}

void DrawCentredText(int centreX, int y, const std::string& text, uint32_t colour)
{
    drawText(centreX - textWidth(text) / 2, y, text, colour);
}

void DrawPanelTitle(int designWidth, int titleLine, const std::string& title)
{
    const int tw = textWidth(title);
    const int th = textHeight(title);
    drawText(designWidth / 2 - tw / 2 + 10, titleLine + 10 - th / 2, title, ShadowColour);
    drawText(designWidth / 2 - tw / 2, titleLine - th / 2, title);
}

bool BeginPanel(Panel& panel, int titleFont, const std::string& title, int titleLine)
{
    freeSprite(panel.workSprite);
    LoadPanelArtwork(panel.cleanSprite, panel.workSprite,
                     SpriteAlphaBlending | (panel.keepsDesign ? SpriteKeepDesign : 0));
    panel.designWidth = spriteWidth(panel.workSprite);
    panel.designHeight = spriteHeight(panel.workSprite);
    if (!beginDrawing(panel.workSprite))
        return false;
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    setDrawingFont(titleFont);
    DrawPanelTitle(panel.designWidth, titleLine, title);
    return true;
}

void ScalePanelByHeight(Panel& panel, int percent)
{
    endDrawing();
    panel.height = (ScreenHeight / 100) * percent;
    panel.width = panel.designHeight > 0 ? panel.height * panel.designWidth / panel.designHeight : 0;
    zoomSprite(panel.workSprite, panel.width, panel.height);
}

void ScalePanelToWidth(Panel& panel, int width)
{
    endDrawing();
    panel.width = width;
    panel.height = panel.designWidth > 0 ? width * panel.designHeight / panel.designWidth : 0;
    zoomSprite(panel.workSprite, panel.width, panel.height);
}

void PlacePanelBelow(Panel& panel)
{
    panel.x = ScreenWidth / 2 - panel.width / 2;
    panel.y = ScreenHeight + 1;
    panel.step = panel.height / 25 + 1;
    panel.slide = 0;
}

void PlacePanelForCentre(Panel& panel)
{
    panel.x = ScreenWidth / 2 - panel.width / 2;
    panel.y = ScreenHeight + 1;
    panel.step = (ScreenHeight - (ScreenHeight / 2 - panel.height / 2)) / 25 + 1;
    panel.slide = 0;
}

int ReferenceY(const Panel& panel)
{
    return ScreenHeight - 25 * panel.step;
}

void DesignAreaToRecord(const Panel& panel, int left, int top, int right, int bottom, ButtonRecord& record)
{
    if (panel.designWidth <= 0 || panel.designHeight <= 0)
        return;
    const int referenceY = ReferenceY(panel);
    record.hitLeft = panel.x + panel.width * left / panel.designWidth;
    record.hitTop = referenceY + panel.height * top / panel.designHeight;
    record.hitRight = panel.x + panel.width * right / panel.designWidth;
    record.hitBottom = referenceY + panel.height * bottom / panel.designHeight;
}

void TextExtentToRecord(const Panel& panel, int tw, ButtonRecord& record)
{
    record.hitLeft = panel.x + panel.width * (515 - tw / 2) / 1030;
    record.hitRight = panel.x + panel.width * (tw - tw / 2 + 515) / 1030;
}

int MenuStripHeight(int width)
{
    return static_cast<int>(std::lround(width * 90.0 / 1030.0));
}

int SettingsStripHeight(int width)
{
    return static_cast<int>(std::lround(width * 65.0 / 1262.0));
}

// Copies a strip template and starts drawing on the copy.
static int BeginStrip(int sprite, int templateSprite, int font)
{
    if (sprite > 0)
        freeSprite(sprite);
    const int strip = copySprite(templateSprite, sprite, SpriteAlphaBlending);
    if (!strip)
        return 0;
    if (!beginDrawing(strip))
        return strip;
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    setDrawingFont(font);
    return -strip;  // negative: drawing has started on it
}

// NOTE: a text's line box can be taller than the strip (fonts differ in how
// much room they keep below the baseline). The box is then lifted so that its
// bottom meets the strip's, keeping descenders whole; the room a font keeps
// above its capitals takes the difference.
static int StripTextTop(const std::string& text, int stripHeight)
{
    const int th = textHeight(text);
    return th > stripHeight ? stripHeight - th : 0;
}

int MakeMenuStrip(int sprite, int font, const std::string& text, uint32_t colour, int width)
{
    int strip = BeginStrip(sprite, SpriteMenuTemplate, font);
    if (strip < 0) {
        strip = -strip;
        DrawCentredText(515, StripTextTop(text, spriteHeight(SpriteMenuTemplate)), text, colour);
        endDrawing();
    }
    if (strip)
        zoomSprite(strip, width, MenuStripHeight(width));
    return strip;
}

int MakeSettingsStrip(int sprite, int font, const std::string& label, const std::string& value,
                      uint32_t colour, int width)
{
    int strip = BeginStrip(sprite, SpriteSettingsTemplate, font);
    if (strip < 0) {
        strip = -strip;
        const int templateHeight = spriteHeight(SpriteSettingsTemplate);
        drawText(90, StripTextTop(label, templateHeight), label, colour);
        drawText(1172 - textWidth(value), StripTextTop(value, templateHeight), value, colour);
        endDrawing();
    }
    if (strip)
        zoomSprite(strip, width, SettingsStripHeight(width));
    return strip;
}

// Draws one line of wrapped text with the box's alignment.
static void DrawAlignedLine(int x, int y, int width, const std::string& line, uint32_t colour, int align)
{
    const int tw = textWidth(line);
    if (align == 0)
        drawText(x + (width - tw) / 2, y, line, colour);
    else if (align == 1)
        drawText(x + width - tw, y, line, colour);
    else
        drawText(x, y, line, colour);
}

std::vector<std::string> WrapTextLines(const std::string& text, int width, const std::vector<size_t>& breaks)
{
    if (textWidth(text) <= width)
        return {text};
    // Offsets are from the start of the line being filled: p and q are just
    // past a break opportunity (a cut after a blank keeps the blank on the
    // line), 0 meaning none yet.
    std::vector<std::string> lines;
    size_t start = 0;
    size_t searchFrom = 0;
    size_t p = 0;
    auto next = breaks.begin();
    for (;;) {
        const size_t q = p;
        const std::string rest = text.substr(start);
        while (next != breaks.end() && *next <= start + searchFrom)
            ++next;
        if (next == breaks.end()) {
            if (q > 0 && textWidth(rest) >= width) {
                lines.push_back(rest.substr(0, q));
                lines.push_back(rest.substr(q));
            } else {
                lines.push_back(rest);
            }
            return lines;
        }
        p = *next - start;
        if (textWidth(rest.substr(0, p)) < width) {
            searchFrom = p;
            continue;
        }
        // NOTE: a first word that alone fills the line (q is 0) goes on a
        // line of its own, overflowing the box, so the loop always moves on.
        const size_t cut = q > 0 ? q : p;
        lines.push_back(rest.substr(0, cut));
        start += cut;
        searchFrom = 0;
        p = 0;
        if (start >= text.size())
            return lines;
    }
}

// True for a letter of a script written without blanks between words (CJK,
// Thai, Lao, Khmer, Myanmar), where a line may end between letters.
static bool WrittenWithoutBlanks(uint32_t c)
{
    return (c >= 0x0E00 && c <= 0x0EFF) || (c >= 0x1000 && c <= 0x109F) || (c >= 0x1780 && c <= 0x17FF) ||
           (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF) || c >= 0x20000;
}

std::vector<size_t> WrapOpportunities(const std::string& text, const std::string& language)
{
    std::vector<size_t> kept;
    for (size_t at : lineBreaks(text, language)) {
        const uint32_t before = codePointBefore(text, at);
        size_t after = at;
        if (before == ' ' || WrittenWithoutBlanks(before) || WrittenWithoutBlanks(nextCodePoint(text, after)))
            kept.push_back(at);
    }
    return kept;
}

int DrawWrappedText(int x, int y, int width, int /*height*/, int lineStep, const std::string& text,
                    uint32_t colour, int align)
{
    const std::vector<std::string> lines = WrapTextLines(text, width, WrapOpportunities(text, Prefs.language));
    for (size_t i = 0; i < lines.size(); i++) {
        if (i > 0)
            y += lineStep;
        DrawAlignedLine(x, y, width, lines[i], colour, align);
    }
    return y;
}

void BuildLevelLabel(const std::string& text)
{
    freeSprite(SpriteLevelLabel);
    if (!copySprite(SpriteLevelLabelClean, SpriteLevelLabel, SpriteAlphaBlending))
        return;
    if (beginDrawing(SpriteLevelLabel)) {
        setDrawingMode(DrawTransparent | DrawAlphaBlend);
        setDrawingFont(GameFont(60, false));
        const int tw = textWidth(text);
        const int th = textHeight(text);
        drawText(178 - tw / 2, 67 - th / 2, text, HoverColour);
        endDrawing();
    }
    zoomSprite(SpriteLevelLabel, TileSize, TileSize / 2);
}

bool SlidePanel(Panel& panel, ButtonRecord* records, int first, int last)
{
    if (panel.slide > 0) {
        panel.y -= panel.step;
        for (int i = first; records && i <= last; ++i)
            records[i].y -= panel.step;
        --panel.slide;
        return false;
    }
    if (panel.slide < 0) {
        panel.y += panel.step;
        for (int i = first; records && i <= last; ++i)
            records[i].y += panel.step;
        ++panel.slide;
        return panel.slide == 0;
    }
    return false;
}

int HitIndex(const ButtonRecord* records, int first, int last, int mx, int my)
{
    for (int i = first; i <= last; ++i) {
        if (HitButton(records[i], mx, my))
            return i;
    }
    return 0;
}

void DrawFocusRing(const ButtonRecord& record)
{
    const int width = record.hitRight - record.hitLeft;
    const int height = record.hitBottom - record.hitTop;
    if (width <= 0 || height <= 0)
        return;
    const int ringWidth = width + width / 4;
    const int ringHeight = height + height / 4;
    // NOTE: the ring keeps its design picture, so a new size is resampled
    // from it once, when the focus moves to an area of another size.
    if (spriteWidth(SpriteFocusRing) != ringWidth || spriteHeight(SpriteFocusRing) != ringHeight)
        zoomSprite(SpriteFocusRing, ringWidth, ringHeight);
    drawSpriteBlended(SpriteFocusRing, record.hitLeft - width / 8, record.hitTop - height / 8);
}

void DrawStrips(const ButtonRecord* records, int first, int last)
{
    for (int i = first; i <= last; ++i) {
        if (records[i].sprite)
            drawSpriteBlended(records[i].sprite, records[i].x, records[i].y);
    }
}

std::string ReplaceHash(const std::string& text, const std::string& value)
{
    std::string out;
    for (char c : text) {
        if (c == '#')
            out += value;
        else
            out += c;
    }
    return out;
}
