// Frames: what a pass draws is listed, and composed into the window's
// surface (or, where the video driver has none, a streaming texture) only
// where it differs from the frame on screen. A still screen
// then costs neither composing nor showing; a moving one costs the area that
// moved.
#include "media/media_internal.h"

#include <algorithm>

namespace {

// One draw of the pass: the picture as it was when drawn, and where.
struct DrawCommand {
    PicturePtr picture;
    int x = 0;
    int y = 0;
    bool blend = false;

    bool operator==(const DrawCommand& other) const
    {
        return picture->id == other.picture->id && x == other.x && y == other.y && blend == other.blend;
    }
};

struct FrameRecord {
    SDL_Surface* surface = nullptr;     // the window's surface, as last taken
    SDL_Surface* staging = nullptr;     // our own pixels when the surface's format is not one pixman writes
    SDL_Renderer* renderer = nullptr;   // where the driver has no window surface (Wayland): SDL's renderer
    SDL_Texture* texture = nullptr;     // the frame's copy the renderer shows
    pixman_image_t* image = nullptr;    // the pixels we compose into
    int width = 0;
    int height = 0;
    std::vector<DrawCommand> pending;   // drawn since the last composing
    std::vector<DrawCommand> composed;  // what the frame's pixels hold
    pixman_region32_t unshown;          // composed but not yet shown
    bool wholeDamaged = true;           // the pixels hold nothing we know of
    bool showWhole = false;             // exposed: the window needs every pixel
};

FrameRecord frame;
bool regionReady = false;
int64_t shownFrames = 0;

// The pixman format of a window surface pixman can write into directly.
pixman_format_code_t PixmanFormat(uint32_t format)
{
    switch (format) {
    case SDL_PIXELFORMAT_RGB888: return PIXMAN_x8r8g8b8;
    case SDL_PIXELFORMAT_ARGB8888: return PIXMAN_a8r8g8b8;
    case SDL_PIXELFORMAT_BGR888: return PIXMAN_x8b8g8r8;
    case SDL_PIXELFORMAT_ABGR8888: return PIXMAN_a8b8g8r8;
    case SDL_PIXELFORMAT_RGB565: return PIXMAN_r5g6b5;
    default: return static_cast<pixman_format_code_t>(0);
    }
}

void DropFramePixels()
{
    if (frame.image) {
        pixman_image_unref(frame.image);
        frame.image = nullptr;
    }
    SDL_FreeSurface(frame.staging);
    frame.staging = nullptr;
    if (frame.texture) {
        SDL_DestroyTexture(frame.texture);
        frame.texture = nullptr;
    }
    frame.surface = nullptr;
    frame.width = frame.height = 0;
}

// Our own pixels of the frame's size for pixman; false when they cannot be had.
bool MakeStaging(int width, int height)
{
    frame.staging = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
    if (!frame.staging) {
        return false;
    }
    frame.image = pixman_image_create_bits(PIXMAN_x8r8g8b8, width, height,
                                           static_cast<uint32_t*>(frame.staging->pixels), frame.staging->pitch);
    return frame.image != nullptr;
}

// The texture path: frames are composed into our own pixels and their changed
// rectangles copied into a streaming texture that SDL's renderer shows.
bool TakeTexture()
{
    if (!frame.renderer) {
        // NOTE: without a graphics card this is Mesa's software rasteriser.
        frame.renderer = SDL_CreateRenderer(screen.window, -1, SDL_RENDERER_ACCELERATED);
        if (!frame.renderer) {
            return false;
        }
    }
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(frame.renderer, &width, &height) != 0 || width <= 0 || height <= 0) {
        return false;
    }
    if (frame.texture && width == frame.width && height == frame.height) {
        return true;
    }
    DropFramePixels();
    frame.texture = SDL_CreateTexture(frame.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width,
                                      height);
    if (!frame.texture || !MakeStaging(width, height)) {
        DropFramePixels();
        return false;
    }
    frame.width = width;
    frame.height = height;
    frame.wholeDamaged = true;
    return true;
}

// Takes the window's surface (again after a size change), or the texture
// where the video driver has no surface of its own; false without either.
bool TakeSurface()
{
    if (!screen.window) {
        return false;
    }
    if (frame.renderer) {
        return TakeTexture();
    }
    SDL_Surface* surface = SDL_GetWindowSurface(screen.window);
    if (!surface) {
        return TakeTexture();
    }
    if (surface == frame.surface && surface->w == frame.width && surface->h == frame.height) {
        return true;
    }
    DropFramePixels();
    pixman_format_code_t format = PixmanFormat(surface->format->format);
    if (format == 0) {
        // Composed in our own format and converted when shown.
        if (!MakeStaging(surface->w, surface->h)) {
            DropFramePixels();
            return false;
        }
    } else {
        frame.image = pixman_image_create_bits(format, surface->w, surface->h,
                                               static_cast<uint32_t*>(surface->pixels), surface->pitch);
    }
    if (!frame.image) {
        DropFramePixels();
        return false;
    }
    frame.surface = surface;
    frame.width = surface->w;
    frame.height = surface->h;
    frame.wholeDamaged = true;
    return true;
}

// The part of the frame a command covers.
pixman_box32_t Bounds(const DrawCommand& command)
{
    pixman_box32_t box;
    box.x1 = std::max(command.x, 0);
    box.y1 = std::max(command.y, 0);
    box.x2 = std::min(command.x + command.picture->width, frame.width);
    box.y2 = std::min(command.y + command.picture->height, frame.height);
    return box;
}

void AddBox(pixman_region32_t& region, const pixman_box32_t& box)
{
    if (box.x1 < box.x2 && box.y1 < box.y2) {
        pixman_region32_union_rect(&region, &region, box.x1, box.y1, static_cast<unsigned>(box.x2 - box.x1),
                                   static_cast<unsigned>(box.y2 - box.y1));
    }
}

// Where `next` differs from `before`. Commands are compared by their place
// in the lists: every pixel outside the answer is touched by the same draws,
// in the same order, in both, so its value cannot have changed.
void Damage(const std::vector<DrawCommand>& before, const std::vector<DrawCommand>& next, pixman_region32_t& out)
{
    const size_t count = std::max(before.size(), next.size());
    for (size_t i = 0; i < count; ++i) {
        const bool hadOne = i < before.size();
        const bool hasOne = i < next.size();
        if (hadOne && hasOne && before[i] == next[i]) {
            continue;
        }
        if (hadOne) {
            AddBox(out, Bounds(before[i]));
        }
        if (hasOne) {
            AddBox(out, Bounds(next[i]));
        }
    }
}

// True for a draw large enough that skipping what later draws hide pays
// for the sums: the background, the shade, a panel.
bool WorthOcclusion(const pixman_box32_t& box)
{
    const int64_t area = int64_t(box.x2 - box.x1) * (box.y2 - box.y1);
    return area * 8 >= int64_t(frame.width) * frame.height;
}

// Adds the parts of the frame a draw hides completely to `rects`.
void AddHidden(const DrawCommand& command, std::vector<pixman_box32_t>& rects)
{
    const pixman_box32_t box = Bounds(command);
    if (!command.blend) {
        rects.push_back(box);  // a copy replaces every pixel it covers
        return;
    }
    for (const pixman_box32_t& band : OpaqueBands(*command.picture)) {
        pixman_box32_t hidden{std::max(band.x1 + command.x, box.x1), std::max(band.y1 + command.y, box.y1),
                              std::min(band.x2 + command.x, box.x2), std::min(band.y2 + command.y, box.y2)};
        if (hidden.x1 < hidden.x2 && hidden.y1 < hidden.y2) {
            rects.push_back(hidden);
        }
    }
}

// Composes `commands` into the frame inside `damage` only. A large draw
// leaves out what later draws hide anyway (the background under a board of
// opaque tiles), so each pixel is written about once.
void Compose(const std::vector<DrawCommand>& commands, pixman_region32_t& damage)
{
    if (!pixman_region32_not_empty(&damage)) {
        return;
    }
    // Back to front: the visible part of every large draw.
    std::vector<pixman_region32_t> visible(commands.size());
    std::vector<bool> occluded(commands.size(), false);
    std::vector<pixman_box32_t> hiddenAfter;
    for (size_t i = commands.size(); i-- > 0;) {
        const pixman_box32_t box = Bounds(commands[i]);
        if (box.x1 < box.x2 && box.y1 < box.y2 && WorthOcclusion(box) &&
            pixman_region32_contains_rectangle(&damage, &box) != PIXMAN_REGION_OUT) {
            pixman_region32_t hidden;
            pixman_region32_init_rects(&hidden, hiddenAfter.data(), static_cast<int>(hiddenAfter.size()));
            pixman_region32_init_rect(&visible[i], box.x1, box.y1, static_cast<unsigned>(box.x2 - box.x1),
                                      static_cast<unsigned>(box.y2 - box.y1));
            pixman_region32_intersect(&visible[i], &visible[i], &damage);
            pixman_region32_subtract(&visible[i], &visible[i], &hidden);
            pixman_region32_fini(&hidden);
            occluded[i] = true;
        }
        AddHidden(commands[i], hiddenAfter);
    }
    // Front to back in drawing order, each inside its part of the damage.
    for (size_t i = 0; i < commands.size(); ++i) {
        const DrawCommand& command = commands[i];
        pixman_region32_t& clip = occluded[i] ? visible[i] : damage;
        pixman_box32_t box = Bounds(command);
        const bool skip = box.x1 >= box.x2 || box.y1 >= box.y2 ||
                          pixman_region32_contains_rectangle(&clip, &box) == PIXMAN_REGION_OUT;
        if (!skip) {
            pixman_image_set_clip_region32(frame.image, &clip);
            // An opaque copy of a translucent picture shows its colours whole.
            PicturePtr straight = command.blend || command.picture->opaque ? nullptr : OpaqueColours(*command.picture);
            const Picture& picture = straight ? *straight : *command.picture;
            pixman_image_t* source = PictureSource(picture);
            // NOTE: blending a picture without translucent pixels is a copy.
            const pixman_op_t op = command.blend && !picture.opaque ? PIXMAN_OP_OVER : PIXMAN_OP_SRC;
            pixman_image_composite32(op, source, nullptr, frame.image, 0, 0, 0, 0, command.x, command.y,
                                     picture.width, picture.height);
            pixman_image_unref(source);
        }
        if (occluded[i]) {
            pixman_region32_fini(&visible[i]);
        }
    }
    pixman_image_set_clip_region32(frame.image, nullptr);
    pixman_region32_union(&frame.unshown, &frame.unshown, &damage);
}

// Composes the pending draws over what the frame holds, where they differ.
void ComposePending()
{
    pixman_region32_t damage;
    pixman_region32_init(&damage);
    if (frame.wholeDamaged) {
        AddBox(damage, pixman_box32_t{0, 0, frame.width, frame.height});
        frame.wholeDamaged = false;
    } else {
        Damage(frame.composed, frame.pending, damage);
    }
    Compose(frame.pending, damage);
    pixman_region32_fini(&damage);
}

// Pixels lost (a new surface) with nothing drawn since: the last frame is
// composed again from its list.
void ComposeLostFrame()
{
    if (frame.wholeDamaged && frame.pending.empty() && !frame.composed.empty()) {
        frame.pending = frame.composed;
    }
}

// Hands the changed rectangles to the window.
void ShowUnshown()
{
    int count = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&frame.unshown, &count);
    // NOTE: a region of many pieces (a board of moving tiles) is shown as
    // its bounding box; one large copy costs less than hundreds of small ones.
    std::vector<SDL_Rect> rects;
    if (count > 64) {
        const pixman_box32_t* box = pixman_region32_extents(&frame.unshown);
        rects.push_back(SDL_Rect{box->x1, box->y1, box->x2 - box->x1, box->y2 - box->y1});
    } else {
        for (int i = 0; i < count; ++i) {
            rects.push_back(SDL_Rect{boxes[i].x1, boxes[i].y1, boxes[i].x2 - boxes[i].x1, boxes[i].y2 - boxes[i].y1});
        }
    }
    if (frame.texture) {
        // NOTE: a renderer's back buffer holds nothing after a present, so
        // the whole texture is drawn each time; only the changes are uploaded.
        const uint8_t* pixels = static_cast<const uint8_t*>(frame.staging->pixels);
        for (const SDL_Rect& rect : rects) {
            SDL_UpdateTexture(frame.texture, &rect, pixels + rect.y * frame.staging->pitch + rect.x * 4,
                              frame.staging->pitch);
        }
        SDL_RenderCopy(frame.renderer, frame.texture, nullptr, nullptr);
        SDL_RenderPresent(frame.renderer);
        pixman_region32_clear(&frame.unshown);
        return;
    }
    if (frame.staging) {
        for (SDL_Rect rect : rects) {
            SDL_Rect target = rect;
            SDL_BlitSurface(frame.staging, &rect, frame.surface, &target);
        }
    }
    SDL_UpdateWindowSurfaceRects(screen.window, rects.data(), static_cast<int>(rects.size()));
    pixman_region32_clear(&frame.unshown);
}

}  // namespace

// The window's surface becomes the frame; everything is composed anew.
bool OpenFrame()
{
    if (!regionReady) {
        pixman_region32_init(&frame.unshown);
        regionReady = true;
    }
    ForgetFrames();
    return TakeSurface();
}

// The frame goes with the screen.
void CloseFrame()
{
    ForgetFrames();
    DropFramePixels();
    if (frame.renderer) {
        SDL_DestroyRenderer(frame.renderer);
        frame.renderer = nullptr;
    }
}

int FrameWidth()
{
    return frame.width;
}

int FrameHeight()
{
    return frame.height;
}

// One draw of this pass; pictures wholly off the frame are left out.
void QueueDraw(const PicturePtr& picture, int x, int y, bool blend)
{
    if (!frame.image || !picture || x >= frame.width || y >= frame.height || x + picture->width <= 0 ||
        y + picture->height <= 0) {
        return;
    }
    frame.pending.push_back(DrawCommand{picture, x, y, blend});
}

// Composes what was drawn since the last call and shows what changed. A
// pass that drew nothing leaves the frame as it was.
bool ShowFrame(bool force)
{
    if (!TakeSurface()) {
        return false;
    }
    ComposeLostFrame();
    if (!frame.pending.empty()) {
        ComposePending();
        frame.composed = std::move(frame.pending);
        frame.pending.clear();
    }
    if (force || frame.showWhole) {
        AddBox(frame.unshown, pixman_box32_t{0, 0, frame.width, frame.height});
        frame.showWhole = false;
    }
    if (!pixman_region32_not_empty(&frame.unshown)) {
        return false;
    }
    ShowUnshown();
    ++shownFrames;
    return true;
}

// The frame's pixels with everything drawn so far in this pass.
pixman_image_t* ComposedFrame()
{
    if (!TakeSurface()) {
        return nullptr;
    }
    ComposeLostFrame();
    if (!frame.pending.empty()) {
        ComposePending();
        frame.composed = frame.pending;
    }
    return frame.image;
}

// Forgets every listed draw (their pictures may go now).
void ForgetFrames()
{
    frame.pending.clear();
    frame.composed.clear();
    frame.wholeDamaged = true;
    if (regionReady) {
        pixman_region32_clear(&frame.unshown);
    }
}

// Test and benchmark hook: frames shown since the start.
int64_t framesShown()
{
    return shownFrames;
}

// Exposed or regained: the window is shown whole at the next present.
void MarkFrameDamaged()
{
    frame.showWhole = true;
}
