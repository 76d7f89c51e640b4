// State shared by the files of the media layer. Only src/media/ includes this
// header; the rest of the game sees media.h alone.
#pragma once

#include "media/media.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <map>
#include <string>
#include <vector>

// One sprite: the picture we draw into, the resampled copy that is displayed
// when a zoom is set, and the texture made from it when it is first shown.
struct SpriteRecord {
    SDL_Surface* original = nullptr;  // RGBA (ABGR8888), the design size
    SDL_Surface* zoomed = nullptr;    // resampled copy, or null when unzoomed
    SDL_Texture* texture = nullptr;   // made lazily from the displayed picture
    bool textureStale = true;
    bool opaque = false;              // every shown pixel has alpha 255
    uint32_t textureFormat = 0;
    int zoomWidth = -1;               // -1: the picture's own width
    int zoomHeight = -1;
    bool alphaBlending = false;
};

// The window, the renderer and everything the event pump tracks.
struct ScreenRecord {
    bool videoStarted = false;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    bool fullScreen = false;
    bool vsync = false;         // presentation waits for the display
    bool vsyncWanted = false;   // the screen was opened with flipping synchronised
    int refreshRate = 0;
    uint32_t textureFormat = SDL_PIXELFORMAT_ARGB8888;  // pictures with alpha
    uint32_t opaqueFormat = SDL_PIXELFORMAT_ARGB8888;   // pictures without
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

// Keys and mouse buttons as the event pump saw them.
struct InputRecord {
    bool keyboardStarted = false;
    bool mouseStarted = false;
    bool held[SDL_NUM_SCANCODES] = {};
    bool releasedSincePoll[SDL_NUM_SCANCODES] = {};
    bool snapshotDown[SDL_NUM_SCANCODES] = {};
    bool snapshotReleased[SDL_NUM_SCANCODES] = {};
    bool buttonHeld[6] = {};
    bool buttonPressedSincePoll[6] = {};
    bool buttonSnapshot[6] = {};
    bool grabbed = false;
};

extern ScreenRecord screen;
extern InputRecord input;
extern std::map<int, SpriteRecord> sprites;

// The RGBA surface format every sprite and image uses: the bytes are R, G, B,
// A in memory, so a pixel read as uint32_t is the game's rgba() value.
constexpr uint32_t MediaPixelFormat = SDL_PIXELFORMAT_ABGR8888;

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

SDL_Surface* NewRgbaSurface(int width, int height);
SDL_Surface* DecodePng(const uint8_t* bytes, size_t size);
// Area average when shrinking, bilinear when enlarging; a new surface.
SDL_Surface* ResampleSurface(SDL_Surface* source, int width, int height);
// "Over" compositing of an RGBA picture onto an RGBA target, the source's
// alpha multiplied by `alpha` (0..255) and its colour by `tint` when set.
void CompositeOver(SDL_Surface* source, SDL_Surface* target, int x, int y, int alpha);
void CopyOpaque(SDL_Surface* source, SDL_Surface* target, int x, int y);

// The event pump every input and window query goes through.
void PumpMediaEvents();
void ApplyMouseGrab();
int ScaleToWindow(int value, bool horizontal);
void TrackedMouse(int& x, int& y);
void FreeAllSprites();
void ReleaseFonts();
void ReleaseImages();
void ReleaseSound();
SDL_Scancode ScanCodeToSdl(int scanCode);
void RefreshSpritePicture(int number);
SDL_Surface* SpriteDrawingSurface(int number);
