// Drawing into sprites: text in the game's fonts and images composited onto
// the sprite's own pixels.
#include "media/media_internal.h"

#include <algorithm>
#include <memory>

namespace {

// A fallback face of a font, opened the first time a letter needs it.
struct FallbackFace {
    TTF_Font* font = nullptr;
    std::shared_ptr<std::vector<uint8_t>> bytes;
    bool tried = false;
};

struct FontRecord {
    TTF_Font* font = nullptr;
    std::shared_ptr<std::vector<uint8_t>> bytes;  // FreeType reads them lazily
    bool highQuality = false;
    std::string family;
    int points = 0;
    int style = TTF_STYLE_NORMAL;
    std::map<std::string, FallbackFace> fallbacks;  // by family, opened when first needed
};

// A stretch of a text drawn with one face.
struct TextRun {
    TTF_Font* font;
    std::string text;
};

struct DrawingRecord {
    int sprite = -1;        // the target, -1 when not drawing
    int mode = 0;
    int font = -1;
};

bool ttfStarted = false;
std::map<std::string, std::shared_ptr<std::vector<uint8_t>>> fontFamilies;
std::vector<std::string> fallbackFamilies;
std::map<int, FontRecord> fonts;
std::map<int, PicturePtr> images;
DrawingRecord drawing;

// The picture of the sprite being drawn into, or null.
Picture* DrawingTarget()
{
    return drawing.sprite < 0 ? nullptr : MutablePicture(drawing.sprite);
}

// The font the text operations use, or null.
FontRecord* CurrentFont()
{
    auto found = fonts.find(drawing.font);
    return found == fonts.end() ? nullptr : &found->second;
}

// An image's picture by number, or null.
Picture* FindImage(int image)
{
    auto found = images.find(image);
    return found == images.end() ? nullptr : found->second.get();
}

// Stores a picture as an image, replacing what the number held.
int StoreImage(int requested, PicturePtr picture)
{
    int number = PickObjectNumber(images, requested);
    if (!picture || number < 0) {
        return 0;
    }
    images[number] = std::move(picture);
    return ObjectAnswer(requested, number);
}

// One line of text as its coverage: an ARGB surface whose alpha is the ink.
SDL_Surface* RenderRun(TTF_Font* font, bool highQuality, const std::string& text)
{
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* rendered = highQuality ? TTF_RenderUTF8_Blended(font, text.c_str(), white)
                                        : TTF_RenderUTF8_Solid(font, text.c_str(), white);
    if (!rendered || rendered->format->format == SDL_PIXELFORMAT_ARGB8888) {
        return rendered;
    }
    SDL_Surface* line = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    return line;
}

// Opens font bytes held in memory at a size and style.
TTF_Font* OpenFontBytes(const std::vector<uint8_t>& bytes, int points, int style)
{
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    TTF_Font* font = stream ? TTF_OpenFontDPIRW(stream, 1, points, 96, 96) : nullptr;
    if (font) {
        TTF_SetFontStyle(font, style);
    }
    return font;
}

// The face that draws a letter: the font's own when it has it, else the first
// fallback family that has it, else a system face; the font's own (its empty
// box) when no face has it.
TTF_Font* FaceFor(FontRecord& font, uint32_t c)
{
    if (c < 0x20 || TTF_GlyphIsProvided32(font.font, c)) {
        return font.font;
    }
    for (const std::string& family : fallbackFamilies) {
        FallbackFace& face = font.fallbacks[family];
        if (!face.tried) {
            face.tried = true;
            auto bytes = fontFamilies.find(family);
            if (bytes != fontFamilies.end() && family != font.family) {
                face.bytes = bytes->second;
                face.font = OpenFontBytes(*face.bytes, font.points, font.style);
            }
        }
        if (face.font && TTF_GlyphIsProvided32(face.font, c)) {
            return face.font;
        }
    }
    TTF_Font* system = SystemFaceFor(c, font.points, font.style);
    return system ? system : font.font;
}

// True when the font's own face draws the whole text: it is then drawn and
// measured exactly as the font alone.
bool OwnFaceOnly(const FontRecord& font, const std::vector<TextRun>& runs)
{
    return runs.empty() || (runs.size() == 1 && runs[0].font == font.font);
}

// The text cut into stretches of one face each.
std::vector<TextRun> SplitIntoRuns(FontRecord& font, const std::string& text)
{
    std::vector<TextRun> runs;
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = at;
        TTF_Font* face = FaceFor(font, nextCodePoint(text, at));
        if (runs.empty() || runs.back().font != face) {
            runs.push_back({face, ""});
        }
        runs.back().text.append(text, start, at - start);
    }
    return runs;
}

// Width and height of a text: the stretches side by side on the font's own
// line height.
bool MeasureText(FontRecord& font, const std::string& text, int& width, int& height)
{
    const std::vector<TextRun> runs = SplitIntoRuns(font, text);
    if (OwnFaceOnly(font, runs)) {
        return TTF_SizeUTF8(font.font, text.c_str(), &width, &height) == 0;
    }
    width = 0;
    height = TTF_FontHeight(font.font);
    for (const TextRun& run : runs) {
        int w = 0, h = 0;
        if (TTF_SizeUTF8(run.font, run.text.c_str(), &w, &h) != 0) {
            return false;
        }
        width += w;
    }
    return true;
}

// One line of text as its coverage: an ARGB surface whose alpha is the ink.
// Stretches in other faces stand on the font's own baseline.
SDL_Surface* RenderLine(FontRecord& font, const std::string& text)
{
    const std::vector<TextRun> runs = SplitIntoRuns(font, text);
    if (OwnFaceOnly(font, runs)) {
        return RenderRun(font.font, font.highQuality, text);
    }
    int width = 0, height = 0;
    if (!MeasureText(font, text, width, height) || width <= 0) {
        return nullptr;
    }
    SDL_Surface* line = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!line) {
        return nullptr;
    }
    SDL_FillRect(line, nullptr, 0);
    int x = 0;
    for (const TextRun& run : runs) {
        int w = 0, h = 0;
        TTF_SizeUTF8(run.font, run.text.c_str(), &w, &h);
        SDL_Surface* part = RenderRun(run.font, font.highQuality, run.text);
        if (part) {
            SDL_Rect place{x, TTF_FontAscent(font.font) - TTF_FontAscent(run.font), part->w, part->h};
            SDL_SetSurfaceBlendMode(part, SDL_BLENDMODE_BLEND);
            SDL_BlitSurface(part, nullptr, line, &place);
            SDL_FreeSurface(part);
        }
        x += w;
    }
    return line;
}

}  // namespace

// The code point of UTF-8 text at byte `at`, which moves past it; a broken
// sequence reads as one byte of U+FFFD, the end of the text as 0.
uint32_t nextCodePoint(const std::string& text, size_t& at)
{
    if (at >= text.size()) {
        return 0;
    }
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || at + length > text.size()) {
        at++;
        return 0xFFFD;
    }
    uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; i++) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            at++;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(at + i) & 0x3F);
    }
    at += length;
    return c;
}

// The code point that ends just before byte `at` (0 at the start).
uint32_t codePointBefore(const std::string& text, size_t at)
{
    size_t start = std::min(at, text.size());
    while (start > 0 && (static_cast<unsigned char>(text[--start]) & 0xC0) == 0x80) {
    }
    return start < at ? nextCodePoint(text, start) : 0;
}


// One target at a time: a new target ends the drawing into the last one.
int beginDrawing(int sprite)
{
    if (!MutablePicture(sprite)) {
        return 0;
    }
    endDrawing();
    drawing.sprite = sprite;
    drawing.mode = 0;
    return 1;
}

// The target's zoomed copy follows what was drawn.
void endDrawing()
{
    if (drawing.sprite >= 0) {
        RefreshSpritePicture(drawing.sprite);
    }
    drawing.sprite = -1;
}

// DrawTransparent: text without a background box.
void setDrawingMode(int mode)
{
    drawing.mode = mode;
}

// The bytes are copied and kept for as long as any font uses them.
int registerFontMemory(const std::string& family, const uint8_t* bytes, size_t size)
{
    if (family.empty() || !bytes || size == 0) {
        return 0;
    }
    fontFamilies[family] = std::make_shared<std::vector<uint8_t>>(bytes, bytes + size);
    return 1;
}

// Opens a registered family at a size in points, 96 pixels per inch.
int loadFont(int number, const std::string& family, int points, int flags)
{
    auto registered = fontFamilies.find(family);
    int chosen = PickObjectNumber(fonts, number);
    if (registered == fontFamilies.end() || chosen < 0 || points <= 0) {
        return 0;
    }
    if (!ttfStarted) {
        if (TTF_Init() != 0) {
            return 0;
        }
        ttfStarted = true;
    }
    const int style = (flags & FontBold) ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL;
    TTF_Font* font = OpenFontBytes(*registered->second, points, style);
    if (!font) {
        return 0;
    }
    freeFont(chosen);
    FontRecord& record = fonts[chosen];
    record.font = font;
    record.bytes = registered->second;
    record.highQuality = (flags & FontHighQuality) != 0;
    record.family = family;
    record.points = points;
    record.style = style;
    return ObjectAnswer(number, chosen);
}

// Every font asks these families, in this order, for the letters its own
// family lacks; a later call changes the order of fonts already loaded too.
void setFallbackFamilies(const std::vector<std::string>& families)
{
    fallbackFamilies = families;
}

// Closes a font and the fallback faces it opened.
static void CloseFontRecord(FontRecord& record)
{
    for (auto& [family, face] : record.fallbacks) {
        if (face.font) {
            TTF_CloseFont(face.font);
        }
    }
    TTF_CloseFont(record.font);
}

// Closes a font; the number may be reused.
void freeFont(int number)
{
    auto found = fonts.find(number);
    if (found != fonts.end()) {
        CloseFontRecord(found->second);
        fonts.erase(found);
    }
}

// The font of the following text operations.
void setDrawingFont(int font)
{
    drawing.font = font;
}

// Width in pixels of a UTF-8 line in the current font.
int textWidth(const std::string& text)
{
    FontRecord* font = CurrentFont();
    int w = 0, h = 0;
    if (!font || !MeasureText(*font, text, w, h)) {
        return 0;
    }
    return w;
}

// Height in pixels of a UTF-8 line in the current font.
int textHeight(const std::string& text)
{
    FontRecord* font = CurrentFont();
    int w = 0, h = 0;
    if (!font || !MeasureText(*font, text, w, h)) {
        return 0;
    }
    return h;
}

// Top-left at x, y; the colour's alpha makes the text translucent. Without
// the transparent mode the text box is first filled black.
void drawText(int x, int y, const std::string& text, uint32_t colour)
{
    Picture* target = DrawingTarget();
    FontRecord* font = CurrentFont();
    if (!target || !font || text.empty()) {
        return;
    }
    SDL_Surface* line = RenderLine(*font, text);
    if (!line) {
        return;
    }
    if (!(drawing.mode & DrawTransparent)) {
        const pixman_color_t black{0, 0, 0, 0xFFFF};
        const pixman_rectangle16_t box{static_cast<int16_t>(x), static_cast<int16_t>(y),
                                       static_cast<uint16_t>(line->w), static_cast<uint16_t>(line->h)};
        pixman_image_fill_rectangles(PIXMAN_OP_SRC, target->image, &black, 1, &box);
    }
    // The line's alpha is the coverage the ink is laid through.
    pixman_image_t* coverage = pixman_image_create_bits(PIXMAN_a8r8g8b8, line->w, line->h,
                                                        static_cast<uint32_t*>(line->pixels), line->pitch);
    Picture ink;
    ink.solid = true;
    ink.colour = PremultipliedColour(colour);
    ink.width = line->w;
    ink.height = line->h;
    if (coverage) {
        CompositePicture(PIXMAN_OP_OVER, ink, coverage, *target, x, y);
        pixman_image_unref(coverage);
    }
    SDL_FreeSurface(line);
}

// An image from PNG bytes, alpha kept.
int loadImage(int number, const uint8_t* pngBytes, size_t size)
{
    return StoreImage(number, DecodePng(pngBytes, size));
}

// Width of an image, 0 when there is none.
int imageWidth(int image)
{
    Picture* picture = FindImage(image);
    return picture ? picture->width : 0;
}

// Height of an image, 0 when there is none.
int imageHeight(int image)
{
    Picture* picture = FindImage(image);
    return picture ? picture->height : 0;
}

// True when the number holds an image.
bool isImage(int image)
{
    return FindImage(image) != nullptr;
}

// Frees an image; the number may be reused.
void freeImage(int image)
{
    images.erase(image);
}

// Smooth: an averaged resample; otherwise nearest pixels.
int resizeImage(int image, int width, int height, int smooth)
{
    Picture* source = FindImage(image);
    if (!source || width <= 0 || height <= 0) {
        return 0;
    }
    PicturePtr resized = ResamplePicture(*source, width, height, smooth != 0);
    if (!resized) {
        return 0;
    }
    images[image] = std::move(resized);
    return 1;
}

// Copies an image, alpha included, into the drawing target.
void drawImage(int image, int x, int y)
{
    Picture* source = FindImage(image);
    Picture* target = DrawingTarget();
    if (source && target) {
        CompositePicture(PIXMAN_OP_SRC, *source, nullptr, *target, x, y);
    }
}

// Blends an image over the drawing target's pixels.
void drawImageBlended(int image, int x, int y)
{
    Picture* source = FindImage(image);
    Picture* target = DrawingTarget();
    if (source && target) {
        CompositePicture(PIXMAN_OP_OVER, *source, nullptr, *target, x, y);
    }
}

// Closes every font and forgets the registered families.
void ReleaseFonts()
{
    for (auto& entry : fonts) {
        CloseFontRecord(entry.second);
    }
    fonts.clear();
    ReleaseSystemFaces();
    fontFamilies.clear();
    fallbackFamilies.clear();
    drawing = DrawingRecord{};
    if (ttfStarted) {
        TTF_Quit();
        ttfStarted = false;
    }
}

// Frees every image.
void ReleaseImages()
{
    images.clear();
}
