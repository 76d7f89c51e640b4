// The window and its screen, frame pacing and the message box.
#include "media/media_internal.h"
#include "media/frame_pacing.h"

#include <SDL_syswm.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <wayland-client.h>

#include <malloc.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

ScreenRecord screen;

namespace {

void (*displayLostHandler)(const std::string& why) = nullptr;

// Xlib calls this when the connection to the X server breaks; its default
// ends the process on the spot, and returning from here does the same.
extern "C" int XConnectionLost(Display*)
{
    EndForLostDisplay("the X server went away");
}

}  // namespace

void setDisplayLostHandler(void (*handler)(const std::string& why))
{
    displayLostHandler = handler;
}

// NOTE: nothing is released: every call into a lost display could fail or
// block, and the process's end frees it all.
void EndForLostDisplay(const char* why)
{
    std::fprintf(stderr, "Morvane: %s; ending\n", why);
    if (displayLostHandler) {
        displayLostHandler(why);
    }
    std::_Exit(1);
}

bool WaylandDisplayLost()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return screen.window && SDL_GetWindowWMInfo(screen.window, &info) && info.subsystem == SDL_SYSWM_WAYLAND &&
           wl_display_get_error(info.info.wl.display) != 0;
}

// Starts SDL's video and the sprite store; safe to call more than once.
int initSprite()
{
    if (screen.videoStarted) {
        return 1;
    }
    // NOTE: SDL's own SIGINT/SIGTERM handlers would turn the signal into a
    // quit event only; installQuitSignals also covers SIGHUP and full screen.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // NOTE: frames are composed in memory and only their changed rectangles
    // are handed to the window. On X11 SDL would otherwise show them through
    // an OpenGL texture, which without a graphics card means Mesa's software
    // rasteriser: about 100 MB more and a busy core for a still menu. The
    // environment (SDL_FRAMEBUFFER_ACCELERATION=1) can still ask for it.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Morvane: video could not start: %s\n", SDL_GetError());
        return 0;
    }
    screen.videoStarted = true;
    installQuitSignals();
    XSetIOErrorHandler(XConnectionLost);
    // A write to a display or sound server that went away answers an error
    // instead of ending the process.
    std::signal(SIGPIPE, SIG_IGN);
    // NOTE: pictures of a megabyte and more come and go while the game loads
    // and rebuilds panels. With glibc's threshold fixed, each is mapped on
    // its own and its memory returned when freed, instead of the heap
    // keeping the holes resident.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    return 1;
}

// Number of displays.
// NOTE: the log's header asks before the subsystems start, so this starts
// video itself.
int countDesktops()
{
    if (!initSprite()) {
        return 0;
    }
    int count = SDL_GetNumVideoDisplays();
    return count > 0 ? count : 0;
}

// Desktop mode of a display, 0 size when it cannot be asked.
static SDL_DisplayMode DesktopMode(int desktop)
{
    SDL_DisplayMode mode{};
    if (!screen.videoStarted || desktop < 0 || SDL_GetDesktopDisplayMode(desktop, &mode) != 0) {
        mode.w = 0;
        mode.h = 0;
    }
    return mode;
}

// Width of a display's desktop mode in pixels.
int desktopWidth(int desktop)
{
    return DesktopMode(desktop).w;
}

// Height of a display's desktop mode in pixels.
int desktopHeight(int desktop)
{
    return DesktopMode(desktop).h;
}

// The screen of an open window: its surface, which the frames are composed
// into (no renderer: pictures are composed by pixman and shown as they are).
static bool OpenScreenSurface()
{
    if (!OpenFrame()) {
        return false;
    }
    screen.open = true;
    screen.lastPresent = SDL_GetPerformanceCounter();
    return true;
}

// Full screen at the desktop's own size, without a video-mode switch.
int openFullScreen(int width, int height, int depth, const std::string& title, int flipMode)
{
    (void)depth, (void)flipMode;
    if (!screen.videoStarted || screen.open || width <= 0 || height <= 0) {
        return 0;
    }
    uint32_t flags = SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI;
    screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                                     SDL_WINDOWPOS_CENTERED_DISPLAY(0), width, height, flags);
    if (!screen.window) {
        return 0;
    }
    if (!OpenScreenSurface()) {
        SDL_DestroyWindow(screen.window);
        screen.window = nullptr;
        return 0;
    }
    screen.fullScreen = true;
    screen.active = true;
    screen.minimised = false;
    return 1;
}

// A hidden window centred on desktop 0: framed (style 1) or borderless.
int openWindow(int window, int x, int y, int width, int height, const std::string& title, int style)
{
    (void)x;
    (void)y;
    if (!screen.videoStarted || screen.window || window < 0 || width <= 0 || height <= 0) {
        return 0;
    }
    uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (style == WindowBorderless) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    screen.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                                     SDL_WINDOWPOS_CENTERED_DISPLAY(0), width, height, flags);
    if (!screen.window) {
        return 0;
    }
    screen.fullScreen = false;
    screen.active = false;
    screen.minimised = false;
    screen.mouseInside = false;
    return 1;
}

// The screen fills the client area of the window opened by openWindow.
int openWindowedScreen(int windowHandle, int x, int y, int width, int height,
                       int autoStretch, int rightOffset, int bottomOffset, int flipMode)
{
    (void)x, (void)y, (void)width, (void)height, (void)autoStretch;
    (void)rightOffset, (void)bottomOffset, (void)flipMode;
    if (windowHandle == 0 || !screen.window || screen.open) {
        return 0;
    }
    return OpenScreenSurface() ? 1 : 0;
}

// The screen goes, and with it every sprite.
void closeScreen()
{
    FreeAllSprites();
    CloseFrame();
    screen.open = false;
    if (screen.fullScreen && screen.window) {
        SDL_SetWindowGrab(screen.window, SDL_FALSE);
        SDL_ShowCursor(SDL_ENABLE);
        SDL_DestroyWindow(screen.window);
        screen.window = nullptr;
        screen.fullScreen = false;
        screen.events.clear();  // nothing of the old window reaches the next
    }
    input.grabbed = false;
}

// Destroys the window (and the screen in it).
void closeWindow(int window)
{
    (void)window;
    if (screen.open) {
        closeScreen();
    }
    if (screen.window) {
        SDL_DestroyWindow(screen.window);
        screen.window = nullptr;
    }
    screen.events.clear();
    screen.active = false;
    screen.mouseInside = false;
}

// True while a screen exists.
bool isScreenOpen()
{
    return screen.open;
}

// The drawable size: real pixels, also on a scaled desktop.
int screenWidth()
{
    return screen.open ? FrameWidth() : 0;
}

// Drawable height in real pixels.
int screenHeight()
{
    return screen.open ? FrameHeight() : 0;
}

// 0 means "do not wait": an unpaced run.
void setFrameRate(int fps)
{
    screen.frameRate = fps < 0 ? 0 : fps;
}

// Sleeps until the performance counter reaches `due`. The counter's clock
// need not be the one the system sleeps on, so the wait is relative and
// checked again on waking.
static void SleepUntil(uint64_t due)
{
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    for (uint64_t now = SDL_GetPerformanceCounter(); now < due; now = SDL_GetPerformanceCounter()) {
        const uint64_t nanoseconds = (due - now) * 1000000000ull / frequency;
        timespec wait{static_cast<time_t>(nanoseconds / 1000000000ull), static_cast<long>(nanoseconds % 1000000000ull)};
        nanosleep(&wait, nullptr);
    }
}

// Waits until 1/frameRate seconds have passed since the last presentation.
// NOTE: the system's sleep wakes within a few tens of microseconds of the
// due time, so nothing is spent spinning.
static void PaceFrame()
{
    uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t now = SDL_GetPerformanceCounter();
    if (screen.frameRate <= 0) {
        screen.lastPresent = now;
        return;
    }
    const FramePace pace = NextFramePace(screen.lastPresent, now, frequency / static_cast<uint64_t>(screen.frameRate));
    SleepUntil(pace.waitUntil);
    screen.lastPresent = pace.shownAt;
}

// Shows what changed since the last frame and paces; full screen also pumps
// events. A frame identical to the one on screen is neither composed nor
// shown.
void presentFrame()
{
    if (!screen.open) {
        return;
    }
    if (screen.fullScreen) {
        PumpMediaEvents();
        if (!screen.active || screen.minimised) {
            SDL_Delay(10);
            screen.lastPresent = SDL_GetPerformanceCounter();
            return;
        }
    }
    ShowFrame(false);
    PaceFrame();
}

// True while the game's window has the focus and is not minimised.
bool isScreenActive()
{
    if (!screen.window) {
        return false;
    }
    PumpMediaEvents();
    return screen.active && !screen.minimised;
}

// Bilinear (smooth) or nearest-pixel resampling for the zooms that follow.
void setSpriteFiltering(int bilinear)
{
    screen.bilinear = bilinear != 0;
}

// NOTE: the dummy and offscreen video drivers never send focus events, so a
// window the game shows or raises counts as active from then on.
void showWindow(int window)
{
    (void)window;
    if (screen.window) {
        SDL_ShowWindow(screen.window);
        screen.active = true;
        screen.minimised = false;
    }
}

// Raises the window and gives it the focus.
void activateWindow(int window)
{
    (void)window;
    if (screen.window) {
        SDL_RaiseWindow(screen.window);
        screen.active = true;
    }
}

// Minimises the window.
void minimizeWindow(int window)
{
    (void)window;
    if (screen.window) {
        SDL_MinimizeWindow(screen.window);
    }
}

// A modal box; the same words go to standard error, box or not.
void showMessageBox(const std::string& title, const std::string& text)
{
    std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), screen.window);
}

// The cursor size the desktop asks for (Xcursor size setting, screen dpi).
static int DesktopCursorSize()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (screen.window && SDL_GetWindowWMInfo(screen.window, &info) && info.subsystem == SDL_SYSWM_X11) {
        int size = XcursorGetDefaultSize(info.info.x11.display);
        if (size > 0) {
            return size;
        }
    }
    const char* setting = std::getenv("XCURSOR_SIZE");
    int size = setting ? std::atoi(setting) : 0;
    return size > 0 ? size : 24;
}

// First frame of an Xcursor file as a colour cursor with its own hotspot;
// of a file with several sizes, the one nearest the desktop's cursor size.
int loadCursorFile(const std::string& path)
{
    if (!screen.videoStarted) {
        return 0;
    }
    XcursorImages* images = XcursorFilenameLoadImages(path.c_str(), DesktopCursorSize());
    if (!images || images->nimage < 1) {
        if (images) {
            XcursorImagesDestroy(images);
        }
        return 0;
    }
    XcursorImage* frame = images->images[0];
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        frame->pixels, static_cast<int>(frame->width), static_cast<int>(frame->height), 32,
        static_cast<int>(frame->width * 4), SDL_PIXELFORMAT_ARGB8888);
    SDL_Cursor* cursor = nullptr;
    if (surface) {
        cursor = SDL_CreateColorCursor(surface, static_cast<int>(frame->xhot),
                                       static_cast<int>(frame->yhot));
        SDL_FreeSurface(surface);
    }
    XcursorImagesDestroy(images);
    if (!cursor) {
        return 0;
    }
    screen.cursors.push_back(cursor);
    return static_cast<int>(screen.cursors.size());
}

// Makes a loaded cursor the window's cursor.
void setWindowCursor(int window, int cursor)
{
    (void)window;
    if (cursor >= 1 && cursor <= static_cast<int>(screen.cursors.size())) {
        SDL_SetCursor(screen.cursors[cursor - 1]);
    }
}

// Frees everything the layer holds and stops SDL.
void releaseMedia()
{
    ReleaseSound();
    ReleaseFonts();
    closeWindow(0);
    FreeAllSprites();  // also those made while no screen was open
    ReleaseImages();
    for (SDL_Cursor* cursor : screen.cursors) {
        SDL_FreeCursor(cursor);
    }
    screen.cursors.clear();
    ReleaseControllers();
    input = InputRecord{};
    if (screen.videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }
    screen = ScreenRecord{};
    SDL_Quit();
}
