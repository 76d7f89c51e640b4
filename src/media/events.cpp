// The one event pump: SDL events become key and mouse state and the game's
// window events; signals from outside become an orderly close.
#include "media/media_internal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t quitSignals = 0;  // signals received so far
int quitSignalsDelivered = 0;                // as EventClose
int quitSignalsAnswered = 0;                 // by quitRequested
int fullScreenCloses = 0;                    // close asked of the full screen
int fullScreenClosesAnswered = 0;

// Signal handler: only counts, everything else happens on the main thread.
extern "C" void NoteQuitSignal(int)
{
    quitSignals = quitSignals + 1;
}

// True when the event concerns our window (pushed events may carry id 0).
bool IsOurWindow(uint32_t windowId)
{
    if (!screen.window) {
        return false;
    }
    return windowId == 0 || windowId == SDL_GetWindowID(screen.window);
}

// Adds a game window event to the queue nextWindowEvent empties.
void QueueWindowEvent(int event)
{
    // NOTE: full screen mode drains no window events, so a close asked of
    // the full-screen window (window manager, session end) is answered by
    // quitRequested instead.
    if (event == EventClose && screen.fullScreen) {
        ++fullScreenCloses;
    }
    // A burst of repaints or clicks the game has not yet taken stays bounded.
    if (screen.events.size() < 256) {
        screen.events.push_back(event);
    }
}

// Window state changes: focus, minimise, pointer inside, close.
void HandleWindowEvent(const SDL_WindowEvent& event)
{
    if (!IsOurWindow(event.windowID)) {
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        MarkFrameDamaged();
        QueueWindowEvent(EventRepaint);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: MarkFrameDamaged(); break;
    case SDL_WINDOWEVENT_CLOSE: QueueWindowEvent(EventClose); break;
    case SDL_WINDOWEVENT_MINIMIZED:
        screen.minimised = true;
        QueueWindowEvent(EventMinimize);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        screen.minimised = false;
        QueueWindowEvent(EventRestore);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED: screen.minimised = false; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        screen.active = true;
        MarkFrameDamaged();
        QueueWindowEvent(EventActivate);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        screen.active = false;
        QueueWindowEvent(EventDeactivate);
        break;
    case SDL_WINDOWEVENT_ENTER: screen.mouseInside = true; break;
    case SDL_WINDOWEVENT_LEAVE: screen.mouseInside = false; break;
    default: break;
    }
}

// Held keys, and the releases since the last keyboard poll.
void HandleKey(const SDL_KeyboardEvent& event)
{
    SDL_Scancode code = event.keysym.scancode;
    if (code <= SDL_SCANCODE_UNKNOWN || code >= SDL_NUM_SCANCODES) {
        return;
    }
    if (event.state == SDL_PRESSED) {
        if (!event.repeat) {
            input.pressedSincePoll[code] = true;
        }
        input.held[code] = true;
    } else {
        if (input.held[code]) {
            input.releasedSincePoll[code] = true;
        }
        input.held[code] = false;
    }
}

// Held buttons and presses; a left release is a click.
void HandleMouseButton(const SDL_MouseButtonEvent& event)
{
    if (!IsOurWindow(event.windowID) || event.which == SDL_TOUCH_MOUSEID) {
        return;
    }
    screen.mouseWindowX = event.x;
    screen.mouseWindowY = event.y;
    screen.mouseInside = true;
    if (event.button < 6) {
        bool down = event.state == SDL_PRESSED;
        input.buttonHeld[event.button] = down;
        if (down) {
            input.buttonPressedSincePoll[event.button] = true;
        }
    }
    if (event.button == SDL_BUTTON_LEFT && event.state == SDL_RELEASED) {
        QueueWindowEvent(EventClick);
    }
}

// Sends one SDL event to the part of the state it changes.
void HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        // NOTE: SDL's Wayland driver reports a compositor that went away as
        // a quit; ending as if the player closed the window would hide it.
        if (WaylandDisplayLost()) {
            EndForLostDisplay("the Wayland compositor went away");
        }
        QueueWindowEvent(EventClose);
        break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
    case SDL_AUDIODEVICEREMOVED:
        if (!event.adevice.iscapture) {
            NoteSoundDeviceLost();
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(event.key); break;
    case SDL_MOUSEMOTION:
        if (IsOurWindow(event.motion.windowID)) {
            screen.mouseWindowX = event.motion.x;
            screen.mouseWindowY = event.motion.y;
            screen.mouseInside = true;
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: HandleMouseButton(event.button); break;
    default: HandleControllerEvent(event); break;
    }
}

// Converts between window coordinates and drawable pixels (they differ on a
// scaled desktop); toPixels chooses the direction.
int Rescale(int value, bool horizontal, bool toPixels)
{
    if (!screen.window || !screen.open) {
        return value;
    }
    int windowW = 0, windowH = 0;
    SDL_GetWindowSize(screen.window, &windowW, &windowH);
    const int pixelW = FrameWidth(), pixelH = FrameHeight();
    const int window = horizontal ? windowW : windowH;
    const int pixels = horizontal ? pixelW : pixelH;
    if (window <= 0 || pixels <= 0 || pixels == window) {
        return value;
    }
    return toPixels ? value * pixels / window : value * window / pixels;
}

// Window coordinates to drawable pixels.
int ScaleToPixels(int value, bool horizontal)
{
    return Rescale(value, horizontal, true);
}

}  // namespace

// Takes every pending SDL event into the layer's own state and queue.
void PumpMediaEvents()
{
    if (!screen.videoStarted) {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        HandleEvent(event);
    }
    ReopenLostSound();
}

// SIGTERM, SIGINT and SIGHUP ask for the orderly end instead of killing us.
void installQuitSignals()
{
    std::signal(SIGTERM, NoteQuitSignal);
    std::signal(SIGINT, NoteQuitSignal);
    std::signal(SIGHUP, NoteQuitSignal);
}

// True once for each request to end that came from outside.
bool quitRequested()
{
    int received = quitSignals;
    if (received != quitSignalsAnswered) {
        quitSignalsAnswered = received;
        return true;
    }
    PumpMediaEvents();
    if (fullScreenCloses != fullScreenClosesAnswered) {
        fullScreenClosesAnswered = fullScreenCloses;
        return true;
    }
    return false;
}

// The next game window event; a quit signal comes first as a close.
int nextWindowEvent()
{
    int received = quitSignals;
    if (received != quitSignalsDelivered) {
        quitSignalsDelivered = received;
        return EventClose;
    }
    PumpMediaEvents();
    if (screen.events.empty()) {
        return EventNone;
    }
    int event = screen.events.front();
    screen.events.erase(screen.events.begin());
    return event;
}

// True when the tracked pointer is over the client area (a held button
// reports motion outside the window too).
static bool PointerInClientArea()
{
    PumpMediaEvents();
    if (!screen.window || !screen.mouseInside) {
        return false;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(screen.window, &width, &height);
    return screen.mouseWindowX >= 0 && screen.mouseWindowY >= 0 &&
           screen.mouseWindowX < width && screen.mouseWindowY < height;
}

// Pointer x in client pixels, -1 outside.
int windowMouseX(int window)
{
    (void)window;
    return PointerInClientArea() ? ScaleToPixels(screen.mouseWindowX, true) : -1;
}

// Pointer y in client pixels, -1 outside.
int windowMouseY(int window)
{
    (void)window;
    return PointerInClientArea() ? ScaleToPixels(screen.mouseWindowY, false) : -1;
}

// Pixels of the screen to window coordinates, for pushed events and warps.
int ScaleToWindow(int value, bool horizontal)
{
    return Rescale(value, horizontal, false);
}

// The current tracked pointer in screen pixels (for the input queries).
void TrackedMouse(int& x, int& y)
{
    x = ScaleToPixels(screen.mouseWindowX, true);
    y = ScaleToPixels(screen.mouseWindowY, false);
}

// The id pushed events carry, so they count as our window's.
static uint32_t OurWindowId()
{
    return screen.window ? SDL_GetWindowID(screen.window) : 0;
}

// Test hook: a pointer motion to screen pixel x, y.
void injectMouseMove(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = OurWindowId();
    event.motion.x = ScaleToWindow(x, true);
    event.motion.y = ScaleToWindow(y, false);
    SDL_PushEvent(&event);
}

// Test hook: a button press or release at screen pixel x, y.
void injectMouseButton(int button, bool down, int x, int y)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = OurWindowId();
    event.button.button = static_cast<uint8_t>(button);
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = ScaleToWindow(x, true);
    event.button.y = ScaleToWindow(y, false);
    SDL_PushEvent(&event);
}

// Test hook: a key press or release by scan code.
void injectKey(int scanCode, bool down)
{
    SDL_Scancode code = ScanCodeToSdl(scanCode);
    if (code == SDL_SCANCODE_UNKNOWN) {
        return;
    }
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = OurWindowId();
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = code;
    event.key.keysym.sym = SDL_GetKeyFromScancode(code);
    SDL_PushEvent(&event);
}

// Test hook: the SDL event that raises a game window event.
void injectWindowEvent(int windowEvent)
{
    SDL_Event event{};
    if (windowEvent == EventClick) {
        int x = 0, y = 0;
        TrackedMouse(x, y);
        injectMouseButton(SDL_BUTTON_LEFT, false, x, y);
        return;
    }
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = OurWindowId();
    switch (windowEvent) {
    case EventRepaint: event.window.event = SDL_WINDOWEVENT_EXPOSED; break;
    case EventClose: event.window.event = SDL_WINDOWEVENT_CLOSE; break;
    case EventMinimize: event.window.event = SDL_WINDOWEVENT_MINIMIZED; break;
    case EventRestore: event.window.event = SDL_WINDOWEVENT_RESTORED; break;
    case EventActivate: event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED; break;
    case EventDeactivate: event.window.event = SDL_WINDOWEVENT_FOCUS_LOST; break;
    default: return;
    }
    SDL_PushEvent(&event);
}

// Test hook: the pointer leaves the window.
void injectMouseLeave()
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = OurWindowId();
    event.window.event = SDL_WINDOWEVENT_LEAVE;
    SDL_PushEvent(&event);
}
