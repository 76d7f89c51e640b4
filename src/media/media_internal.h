// State shared by the files of the media layer. Only src/media/ includes this
// header; the rest of the game sees media.h alone.
#pragma once

#include "media/media.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <pixman.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Pixels of a sprite or an image: premultiplied ARGB (pixman's a8r8g8b8),
// shared by the object that owns them and by the frames that show them.
// NOTE: a picture a frame holds is never changed in place; drawing into it
// works on a copy (MutablePicture), so a frame is exactly what was drawn.
struct Picture {
    pixman_image_t* image = nullptr;  // null for a solid picture
    uint64_t id = 0;                  // unique for the run; frames compare by it
    int width = 0;
    int height = 0;
    bool opaque = false;              // every pixel has alpha 255
    bool solid = false;               // every pixel has `colour`
    uint32_t colour = 0;              // premultiplied a8r8g8b8 of a solid picture
    bool bandsKnown = false;          // opaqueBands has been worked out
    std::vector<pixman_box32_t> opaqueBands;  // rectangles where every pixel is opaque

    Picture() = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();
};
using PicturePtr = std::shared_ptr<Picture>;

// One sprite: the design-size picture drawing writes into and the resampled
// copy that is displayed when a zoom is set. The design picture is let go
// once a zoom is set, unless the sprite keeps it (SpriteKeepDesign).
struct SpriteRecord {
    PicturePtr original;     // design size; null once let go
    PicturePtr zoomed;       // displayed copy, null when unzoomed
    int designWidth = 0;
    int designHeight = 0;
    int zoomWidth = -1;      // -1: the picture's own width
    int zoomHeight = -1;
    int flags = 0;
};

// The window and everything the event pump tracks.
struct ScreenRecord {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    bool open = false;          // a screen (the window's surface) is in use
    bool fullScreen = false;
    int frameRate = 60;
    uint64_t lastPresent = 0;
    bool active = false;        // input focus as the window reports it
    bool minimised = false;
    bool mouseInside = false;
    int mouseWindowX = 0;       // window coordinates (not yet scaled)
    int mouseWindowY = 0;
    bool bilinear = true;
    std::vector<int> events;    // game window events not yet taken
    std::vector<SDL_Cursor*> cursors;
};

// One open game controller and the PadButton bits it holds: its buttons
// and its left stick, kept apart so that neither clears the other's.
struct ControllerRecord {
    SDL_GameController* handle = nullptr;
    unsigned buttons = 0;
    unsigned stick = 0;
};

// Keys and mouse buttons as the event pump saw them.
struct InputRecord {
    bool keyboardStarted = false;
    bool mouseStarted = false;
    bool held[SDL_NUM_SCANCODES] = {};
    bool releasedSincePoll[SDL_NUM_SCANCODES] = {};
    bool pressedSincePoll[SDL_NUM_SCANCODES] = {};
    bool snapshotDown[SDL_NUM_SCANCODES] = {};
    bool snapshotReleased[SDL_NUM_SCANCODES] = {};
    bool snapshotPressed[SDL_NUM_SCANCODES] = {};
    bool buttonHeld[6] = {};
    bool buttonPressedSincePoll[6] = {};
    bool buttonSnapshot[6] = {};
    bool grabbed = false;
    // Game controllers by instance id; PadButton bits (1 << button).
    bool controllersStarted = false;
    std::map<SDL_JoystickID, ControllerRecord> controllers;
    unsigned padHeld = 0;             // held on any controller
    unsigned padPressedSincePoll = 0;
    unsigned padSnapshotDown = 0;
    unsigned padSnapshotPressed = 0;
};

extern ScreenRecord screen;
extern InputRecord input;
extern std::map<int, SpriteRecord> sprites;

// Picks the number of a new object: the caller's number, or for -1 one above
// every number in use (from 1000 up). Answers -2 for an unusable number.
template <typename Store>
int PickObjectNumber(const Store& store, int number)
{
    if (number >= 0) {
        return number;
    }
    if (number != -1) {
        return -2;
    }
    int next = 1000;
    if (!store.empty() && store.rbegin()->first >= next) {
        next = store.rbegin()->first + 1;
    }
    return next;
}

// What create/load operations answer: the new number for -1, otherwise
// non-zero (the number itself, or 1 for object 0).
inline int ObjectAnswer(int requested, int number)
{
    if (requested == -1) {
        return number;
    }
    return number > 0 ? number : 1;
}

// Pictures (pictures.cpp). All answer null on failure.
PicturePtr NewPicture(int width, int height);            // transparent
PicturePtr DecodePng(const uint8_t* bytes, size_t size);  // alpha kept, premultiplied
PicturePtr CopyPicture(const Picture& source);
// Area-like averaging when shrinking, bilinear when enlarging; nearest
// pixels when `smooth` is false.
PicturePtr ResamplePicture(const Picture& source, int width, int height, bool smooth);
// Rectangles of the picture inside which every pixel is opaque (worked out
// once, on first use): what a blended draw of it hides completely.
const std::vector<pixman_box32_t>& OpaqueBands(Picture& picture);
// The colours without their alpha, as an opaque picture.
PicturePtr OpaqueColours(const Picture& source);
// Notes whether every pixel is opaque and whether they are all one colour.
void NotePictureKind(Picture& picture);
// One pixel as an rgba() value (straight alpha); 0 outside.
uint32_t PictureRgba(const Picture& picture, int x, int y);
// A pixman image of any picture (solid ones too) for compositing; unref it.
pixman_image_t* PictureSource(const Picture& picture);
// Composites `source` (through `mask` when given) onto `target` at x, y.
void CompositePicture(pixman_op_t op, const Picture& source, pixman_image_t* mask, Picture& target,
                      int x, int y);
// Premultiplied a8r8g8b8 of an rgba() colour.
uint32_t PremultipliedColour(uint32_t colour);

// Sprites (sprites.cpp).
SpriteRecord* FindSprite(int number);
const PicturePtr& ShownPicture(const SpriteRecord& sprite);
// The design picture drawing may change in place (copied first when a frame
// or another object holds it); null when the sprite has none.
Picture* MutablePicture(int number);
void RefreshSpritePicture(int number);
void FreeAllSprites();

// Frames (compositor.cpp).
bool OpenFrame();     // takes the window's surface as the frame
void CloseFrame();
int FrameWidth();
int FrameHeight();
void QueueDraw(const PicturePtr& picture, int x, int y, bool blend);
// Composes what was queued into the window's surface and shows what changed;
// answers false when nothing had to be shown.
bool ShowFrame(bool force);
// Composes what was queued so far (for grabScreen); the frame's pixels.
pixman_image_t* ComposedFrame();
void ForgetFrames();

// The display is gone: the game's handler saves, then the program ends.
[[noreturn]] void EndForLostDisplay(const char* why);
// True when SDL's quit event means the Wayland compositor went away.
bool WaylandDisplayLost();

// The event pump every input and window query goes through.
void PumpMediaEvents();
void ApplyMouseGrab();
int ScaleToWindow(int value, bool horizontal);
void TrackedMouse(int& x, int& y);
void ReleaseFonts();
// A system face with the letter at this size and style (text_scripts.cpp),
// null when the system has none; faces stay open until ReleaseSystemFaces.
TTF_Font* SystemFaceFor(uint32_t c, int points, int style);
void ReleaseSystemFaces();
void ReleaseImages();
void ReleaseSound();
// The sound device went away (SDL_AUDIODEVICEREMOVED); the pump retries it.
void NoteSoundDeviceLost();
void ReopenLostSound();
SDL_Scancode ScanCodeToSdl(int scanCode);
// Game controllers (controllers.cpp): started with the keyboard, fed by the
// event pump, closed with the rest.
void StartControllers();
bool HandleControllerEvent(const SDL_Event& event);  // false: not a controller event
void SnapshotControllers();
void ReleaseControllers();
// The window's surface was lost or exposed: the next frame is shown whole.
void MarkFrameDamaged();
