// Sprites: RGBA pictures kept as surfaces, shown through textures that are
// made once and remade only after the picture changed.
#include "media/media_internal.h"

std::map<int, SpriteRecord> sprites;

namespace {

// A sprite by number, or null.
SpriteRecord* FindSprite(int number)
{
    auto found = sprites.find(number);
    return found == sprites.end() ? nullptr : &found->second;
}

// Frees a sprite's texture and pictures.
void ReleaseSprite(SpriteRecord& sprite)
{
    if (sprite.texture) {
        SDL_DestroyTexture(sprite.texture);
    }
    SDL_FreeSurface(sprite.zoomed);
    SDL_FreeSurface(sprite.original);
    sprite = SpriteRecord{};
}

// The picture a frame shows: the zoomed copy when there is one.
SDL_Surface* ShownSurface(const SpriteRecord& sprite)
{
    return sprite.zoomed ? sprite.zoomed : sprite.original;
}

// Stores a surface under a number (replacing what was there); answers what
// the create operations answer, 0 when the number is unusable.
int StoreSprite(int requested, SDL_Surface* surface, int flags)
{
    int number = PickObjectNumber(sprites, requested);
    if (!surface || number < 0) {
        SDL_FreeSurface(surface);
        return 0;
    }
    SpriteRecord& sprite = sprites[number];
    ReleaseSprite(sprite);
    sprite.original = surface;
    sprite.alphaBlending = (flags & SpriteAlphaBlending) != 0;
    return ObjectAnswer(requested, number);
}

// True when no pixel of the picture lets the background through.
bool AllOpaque(const SDL_Surface* surface)
{
    for (int y = 0; y < surface->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            if (row[x * 4 + 3] != 255) {
                return false;
            }
        }
    }
    return true;
}

// Copies the shown picture into the texture, remaking it when the size,
// the opacity or the renderer changed. No allocation when only pixels did.
bool RefreshTexture(SpriteRecord& sprite)
{
    SDL_Surface* shown = ShownSurface(sprite);
    if (!shown || !screen.renderer) {
        return false;
    }
    if (sprite.textureStale) {
        sprite.opaque = AllOpaque(shown);
    }
    uint32_t format = sprite.opaque ? screen.opaqueFormat : screen.textureFormat;
    if (sprite.texture) {
        int w = 0, h = 0;
        SDL_QueryTexture(sprite.texture, nullptr, nullptr, &w, &h);
        if (w != shown->w || h != shown->h || format != sprite.textureFormat) {
            SDL_DestroyTexture(sprite.texture);
            sprite.texture = nullptr;
        }
    }
    if (!sprite.texture) {
        sprite.texture = SDL_CreateTexture(screen.renderer, format, SDL_TEXTUREACCESS_STREAMING,
                                           shown->w, shown->h);
        if (!sprite.texture) {
            return false;
        }
        SDL_SetTextureScaleMode(sprite.texture, screen.bilinear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        sprite.textureFormat = format;
        sprite.textureStale = true;
    }
    if (sprite.textureStale) {
        void* pixels = nullptr;
        int pitch = 0;
        if (SDL_LockTexture(sprite.texture, nullptr, &pixels, &pitch) != 0) {
            return false;
        }
        SDL_ConvertPixels(shown->w, shown->h, MediaPixelFormat, shown->pixels, shown->pitch,
                          format, pixels, pitch);
        SDL_UnlockTexture(sprite.texture);
        sprite.textureStale = false;
    }
    return true;
}

// One 1:1 copy to the back buffer; wholly off-screen sprites cost nothing.
void DrawSpriteWith(int number, int x, int y, SDL_BlendMode mode)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || !screen.renderer) {
        return;
    }
    SDL_Surface* shown = ShownSurface(*sprite);
    int screenW = 0, screenH = 0;
    SDL_GetRendererOutputSize(screen.renderer, &screenW, &screenH);
    if (!shown || x >= screenW || y >= screenH || x + shown->w <= 0 || y + shown->h <= 0) {
        return;
    }
    if (!RefreshTexture(*sprite)) {
        return;
    }
    // NOTE: blending a picture without translucent pixels is a plain copy,
    // and the copy is much cheaper for the software renderer.
    SDL_SetTextureBlendMode(sprite->texture, sprite->opaque ? SDL_BLENDMODE_NONE : mode);
    SDL_Rect target{x, y, shown->w, shown->h};
    SDL_RenderCopy(screen.renderer, sprite->texture, nullptr, &target);
}

}  // namespace

// After drawing into a sprite: the zoomed copy and the texture are remade.
void RefreshSpritePicture(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite) {
        return;
    }
    if (sprite->zoomed) {
        SDL_Surface* zoomed = ResampleSurface(sprite->original, sprite->zoomed->w, sprite->zoomed->h);
        if (zoomed) {
            SDL_FreeSurface(sprite->zoomed);
            sprite->zoomed = zoomed;
        }
    }
    sprite->textureStale = true;
}

// The design-size picture drawing operations write into.
SDL_Surface* SpriteDrawingSurface(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    return sprite ? sprite->original : nullptr;
}

// Frees every sprite (they go with the screen).
void FreeAllSprites()
{
    for (auto& entry : sprites) {
        ReleaseSprite(entry.second);
    }
    sprites.clear();
}

// A sprite from PNG bytes, alpha kept.
int loadSprite(int number, const uint8_t* pngBytes, size_t size, int flags)
{
    SDL_Surface* surface = DecodePng(pngBytes, size);
    return surface ? StoreSprite(number, surface, flags) : 0;
}

// An empty, transparent sprite to draw into.
int createSprite(int number, int width, int height, int flags)
{
    SDL_Surface* surface = NewRgbaSurface(width, height);
    return surface ? StoreSprite(number, surface, flags) : 0;
}

// An independent copy: picture and display size, nothing shared.
int copySprite(int source, int target, int flags)
{
    SpriteRecord* from = FindSprite(source);
    if (!from || source == target) {
        return 0;
    }
    SDL_Surface* original = SDL_DuplicateSurface(from->original);
    SDL_Surface* zoomed = from->zoomed ? SDL_DuplicateSurface(from->zoomed) : nullptr;
    int zoomWidth = from->zoomWidth, zoomHeight = from->zoomHeight;
    if (!original || (from->zoomed && !zoomed)) {
        SDL_FreeSurface(original);
        SDL_FreeSurface(zoomed);
        return 0;
    }
    int answer = StoreSprite(target, original, flags);
    if (!answer) {
        SDL_FreeSurface(zoomed);
        return 0;
    }
    SpriteRecord& copy = sprites[target == -1 ? answer : target];
    copy.zoomed = zoomed;
    copy.zoomWidth = zoomWidth;
    copy.zoomHeight = zoomHeight;
    return answer;
}

// Frees a sprite; the number may be reused.
void freeSprite(int number)
{
    auto found = sprites.find(number);
    if (found != sprites.end()) {
        ReleaseSprite(found->second);
        sprites.erase(found);
    }
}

// True when the number holds a sprite.
bool isSprite(int number)
{
    return FindSprite(number) != nullptr;
}

// Sets the display size and resamples once from the original picture.
void zoomSprite(int number, int width, int height)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite || width == 0 || height == 0 || width < -1 || height < -1) {
        return;
    }
    int w = width == -1 ? sprite->original->w : width;
    int h = height == -1 ? sprite->original->h : height;
    SDL_Surface* zoomed = nullptr;
    if (w != sprite->original->w || h != sprite->original->h) {
        zoomed = ResampleSurface(sprite->original, w, h);
        if (!zoomed) {
            return;
        }
    }
    SDL_FreeSurface(sprite->zoomed);
    sprite->zoomed = zoomed;
    sprite->zoomWidth = width;
    sprite->zoomHeight = height;
    sprite->textureStale = true;
}

// Displayed (zoomed) width, 0 when there is no sprite.
int spriteWidth(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    return sprite ? ShownSurface(*sprite)->w : 0;
}

// Displayed (zoomed) height, 0 when there is no sprite.
int spriteHeight(int number)
{
    SpriteRecord* sprite = FindSprite(number);
    return sprite ? ShownSurface(*sprite)->h : 0;
}

// Opaque copy to the back buffer.
void drawSprite(int number, int x, int y)
{
    DrawSpriteWith(number, x, y, SDL_BLENDMODE_NONE);
}

// Copy to the back buffer blended by the sprite's alpha.
void drawSpriteBlended(int number, int x, int y)
{
    DrawSpriteWith(number, x, y, SDL_BLENDMODE_BLEND);
}

// The back buffer as drawn so far, clipped to the screen, into a sprite.
int grabScreen(int number, int x, int y, int width, int height)
{
    if (!screen.renderer) {
        return 0;
    }
    int screenW = 0, screenH = 0;
    SDL_GetRendererOutputSize(screen.renderer, &screenW, &screenH);
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > screenW || y + height > screenH) {
        return 0;
    }
    SDL_Surface* surface = NewRgbaSurface(width, height);
    if (!surface) {
        return 0;
    }
    SDL_Rect area{x, y, width, height};
    if (SDL_RenderReadPixels(screen.renderer, &area, MediaPixelFormat, surface->pixels, surface->pitch) != 0) {
        SDL_FreeSurface(surface);
        return 0;
    }
    // The back buffer has no meaningful alpha: a grabbed picture is opaque.
    for (int row = 0; row < height; ++row) {
        uint8_t* pixel = static_cast<uint8_t*>(surface->pixels) + row * surface->pitch;
        for (int column = 0; column < width; ++column) {
            pixel[column * 4 + 3] = 255;
        }
    }
    return StoreSprite(number, surface, SpriteOpaque);
}

// A 24-bit BMP of the displayed picture.
int saveSpriteBmp(int number, const std::string& path)
{
    SpriteRecord* sprite = FindSprite(number);
    if (!sprite) {
        return 0;
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(ShownSurface(*sprite), SDL_PIXELFORMAT_BGR24, 0);
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
    if (!sprite) {
        return 0;
    }
    SDL_Surface* shown = ShownSurface(*sprite);
    if (x < 0 || y < 0 || x >= shown->w || y >= shown->h) {
        return 0;
    }
    const uint8_t* row = static_cast<const uint8_t*>(shown->pixels) + y * shown->pitch;
    uint32_t pixel = 0;
    SDL_memcpy(&pixel, row + x * 4, 4);
    return pixel;
}
