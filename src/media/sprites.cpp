// Sprites: pictures the frame shows, with their design-size picture and the
// copy resampled once to their display size.
#include "media/media_internal.h"

#include <SDL.h>

std::map<int, SpriteRecord> sprites;

namespace {

// Stores a picture under a number (replacing what was there); answers what
// the create operations answer, 0 when the number is unusable.
int StoreSprite(int requested, PicturePtr picture, int flags)
{
    int number = PickObjectNumber(sprites, requested);
    if (!picture || number < 0) {
        return 0;
    }
    SpriteRecord& sprite = sprites[number];
    sprite = SpriteRecord{};
    sprite.designWidth = picture->width;
    sprite.designHeight = picture->height;
    sprite.original = std::move(picture);
    sprite.flags = flags;
    return ObjectAnswer(requested, number);
}

// The design picture goes once a zoom is set, unless the sprite keeps it.
void LetGoOfDesign(SpriteRecord& sprite)
{
    if (sprite.zoomed && !(sprite.flags & SpriteKeepDesign)) {
        sprite.original.reset();
    }
}

}  // namespace

// A sprite by number, or null.
SpriteRecord* FindSprite(int number)
{
    auto found = sprites.find(number);
    return found == sprites.end() ? nullptr : &found->second;
}

// The picture a frame shows: the zoomed copy when there is one.
const PicturePtr& ShownPicture(const SpriteRecord& sprite)
{
    return sprite.zoomed ? sprite.zoomed : sprite.original;
}

// The design picture, copied first when anything else holds it (a frame
// that shows it, or a sprite copied from this one).
Picture* MutablePicture(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || !sprite->original) {
        return nullptr;
    }
    if (sprite->original.use_count() > 1 || !sprite->original->image) {
        PicturePtr copy = CopyPicture(*sprite->original);
        if (!copy) {
            return nullptr;
        }
        sprite->original = std::move(copy);
    }
    return sprite->original.get();
}

// After drawing into a sprite: its kind is noted again and a zoomed copy is
// made again from the new design picture.
void RefreshSpritePicture(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || !sprite->original) {
        return;
    }
    sprite->original->opaque = false;
    sprite->original->solid = false;
    sprite->original->bandsKnown = false;
    NotePictureKind(*sprite->original);
    if (sprite->zoomed) {
        PicturePtr zoomed = ResamplePicture(*sprite->original, sprite->zoomed->width, sprite->zoomed->height,
                                            screen.bilinear);
        if (zoomed) {
            sprite->zoomed = std::move(zoomed);
        }
        LetGoOfDesign(*sprite);
    }
}

// Frees every sprite (they go with the screen).
void FreeAllSprites()
{
    sprites.clear();
}

// A sprite from PNG bytes, alpha kept.
int loadSprite(int number, const uint8_t* pngBytes, size_t size, int flags)
{
    PicturePtr picture = DecodePng(pngBytes, size);
    return picture ? StoreSprite(number, std::move(picture), flags) : 0;
}

// An empty, transparent sprite to draw into.
int createSprite(int number, int width, int height, int flags)
{
    PicturePtr picture = NewPicture(width, height);
    return picture ? StoreSprite(number, std::move(picture), flags) : 0;
}

// An independent copy: picture and display size. The pictures are shared
// until one of the two is drawn into.
int copySprite(int source, int target, int flags)
{
    SpriteRecord* from = FindSprite(source);
    if (!from || source == target || !ShownPicture(*from)) {
        return 0;
    }
    SpriteRecord copy = *from;
    int number = PickObjectNumber(sprites, target);
    if (number < 0) {
        return 0;
    }
    copy.flags = flags;
    LetGoOfDesign(copy);
    sprites[number] = std::move(copy);
    return ObjectAnswer(target, number);
}

// Frees a sprite; the number may be reused.
void freeSprite(int number)
{
    sprites.erase(number);
}

// True when the number holds a sprite.
bool isSprite(int number)
{
    return FindSprite(number) != nullptr;
}

// Sets the display size and resamples once. The design picture is the
// source while the sprite has it; after it was let go, the shown picture is.
void zoomSprite(int number, int width, int height)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || width == 0 || height == 0 || width < -1 || height < -1) {
        return;
    }
    const int w = width == -1 ? sprite->designWidth : width;
    const int h = height == -1 ? sprite->designHeight : height;
    const PicturePtr& source = sprite->original ? sprite->original : sprite->zoomed;
    if (!source) {
        return;
    }
    if (sprite->original && w == sprite->designWidth && h == sprite->designHeight) {
        sprite->zoomed.reset();
    } else if (w != source->width || h != source->height) {
        PicturePtr zoomed = ResamplePicture(*source, w, h, screen.bilinear);
        if (!zoomed) {
            return;
        }
        sprite->zoomed = std::move(zoomed);
    }
    sprite->zoomWidth = width;
    sprite->zoomHeight = height;
    LetGoOfDesign(*sprite);
}

// Displayed (zoomed) width, 0 when there is no sprite.
int spriteWidth(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    return sprite && ShownPicture(*sprite) ? ShownPicture(*sprite)->width : 0;
}

// Displayed (zoomed) height, 0 when there is no sprite.
int spriteHeight(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    return sprite && ShownPicture(*sprite) ? ShownPicture(*sprite)->height : 0;
}

// Opaque copy to the frame.
void drawSprite(int number, int x, int y)
{
    SpriteRecord* sprite = FindSprite(number);
    if (sprite && ShownPicture(*sprite)) {
        QueueDraw(ShownPicture(*sprite), x, y, false);
    }
}

// Blended by the sprite's alpha onto the frame.
void drawSpriteBlended(int number, int x, int y)
{
    SpriteRecord* sprite = FindSprite(number);
    if (sprite && ShownPicture(*sprite)) {
        QueueDraw(ShownPicture(*sprite), x, y, true);
    }
}

// The frame as drawn so far, clipped to the screen, into an opaque sprite.
int grabScreen(int number, int x, int y, int width, int height)
{
    if (!screen.open || x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > FrameWidth() ||
        y + height > FrameHeight()) {
        return 0;
    }
    pixman_image_t* frame = ComposedFrame();
    PicturePtr picture = NewPicture(width, height);
    if (!frame || !picture) {
        return 0;
    }
    // The frame has no meaningful alpha: a grabbed picture is opaque.
    pixman_image_composite32(PIXMAN_OP_SRC, frame, nullptr, picture->image, x, y, 0, 0, 0, 0, width, height);
    const uint32_t opaqueAlpha = 0xFF000000u;
    for (int row = 0; row < height; ++row) {
        uint32_t* pixel = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixman_image_get_data(picture->image)) +
                                                      row * pixman_image_get_stride(picture->image));
        for (int column = 0; column < width; ++column) {
            pixel[column] |= opaqueAlpha;
        }
    }
    picture->opaque = true;
    return StoreSprite(number, std::move(picture), SpriteOpaque);
}

// A 24-bit BMP of the displayed picture (translucent pixels as over black).
int saveSpriteBmp(int number, const std::string& path)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || !ShownPicture(*sprite)) {
        return 0;
    }
    PicturePtr shown = ShownPicture(*sprite);
    if (!shown->image) {
        shown = CopyPicture(*shown);
        if (!shown) {
            return 0;
        }
    }
    SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(pixman_image_get_data(shown->image), shown->width,
                                                           shown->height, 32, pixman_image_get_stride(shown->image),
                                                           SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* rgb = view ? SDL_ConvertSurfaceFormat(view, SDL_PIXELFORMAT_BGR24, 0) : nullptr;
    SDL_FreeSurface(view);
    if (!rgb) {
        return 0;
    }
    int saved = SDL_SaveBMP(rgb, path.c_str()) == 0 ? 1 : 0;
    SDL_FreeSurface(rgb);
    return saved;
}

// Test hook: one displayed pixel as an rgba() value, 0 outside.
uint32_t spritePixel(int number, int x, int y)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || !ShownPicture(*sprite)) {
        return 0;
    }
    return PictureRgba(*ShownPicture(*sprite), x, y);
}
