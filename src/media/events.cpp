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

void HandleWindowEvent(const SDL_WindowEvent& event)
{
    if (!IsOurWindow(event.windowID)) {
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED: QueueWindowEvent(EventRepaint); break;
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

void HandleKey(const SDL_KeyboardEvent& event)
{
    SDL_Scancode code = event.keysym.scancode;
    if (code <= SDL_SCANCODE_UNKNOWN || code >= SDL_NUM_SCANCODES) {
        return;
    }
    if (event.state == SDL_PRESSED) {
        input.held[code] = true;
    } else {
        if (input.held[code]) {
            input.releasedSincePoll[code] = true;
        }
        input.held[code] = false;
    }
}

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

void HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT: QueueWindowEvent(EventClose); break;
    case SDL_WINDOWEVENT: HandleWindowEvent(event.window); break;
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
    default: break;
    }
}

// Window coordinates to drawable pixels (they differ on a scaled desktop).
int ScaleToPixels(int value, bool horizontal)
{
    if (!screen.window || !screen.renderer) {
        return value;
    }
    int windowW = 0, windowH = 0, pixelW = 0, pixelH = 0;
    SDL_GetWindowSize(screen.window, &windowW, &windowH);
    SDL_GetRendererOutputSize(screen.renderer, &pixelW, &pixelH);
    if (horizontal) {
        return (windowW > 0 && pixelW != windowW) ? value * pixelW / windowW : value;
    }
    return (windowH > 0 && pixelH != windowH) ? value * pixelH / windowH : value;
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
}

// SIGTERM, SIGINT and SIGHUP ask for the orderly end instead of killing us.
void installQuitSignals()
{
    std::signal(SIGTERM, NoteQuitSignal);
    std::signal(SIGINT, NoteQuitSignal);
    std::signal(SIGHUP, NoteQuitSignal);
}

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

int windowMouseX(int window)
{
    (void)window;
    return PointerInClientArea() ? ScaleToPixels(screen.mouseWindowX, true) : -1;
}

int windowMouseY(int window)
{
    (void)window;
    return PointerInClientArea() ? ScaleToPixels(screen.mouseWindowY, false) : -1;
}

// Pixels of the screen to window coordinates, for pushed events and warps.
int ScaleToWindow(int value, bool horizontal)
{
    if (!screen.window || !screen.renderer) {
        return value;
    }
    int windowW = 0, windowH = 0, pixelW = 0, pixelH = 0;
    SDL_GetWindowSize(screen.window, &windowW, &windowH);
    SDL_GetRendererOutputSize(screen.renderer, &pixelW, &pixelH);
    if (horizontal) {
        return (pixelW > 0 && pixelW != windowW) ? value * windowW / pixelW : value;
    }
    return (pixelH > 0 && pixelH != windowH) ? value * windowH / pixelH : value;
}

// The current tracked pointer in screen pixels (for the input queries).
void TrackedMouse(int& x, int& y)
{
    x = ScaleToPixels(screen.mouseWindowX, true);
    y = ScaleToPixels(screen.mouseWindowY, false);
}

static uint32_t OurWindowId()
{
    return screen.window ? SDL_GetWindowID(screen.window) : 0;
}

void injectMouseMove(int x, int y)
{
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = OurWindowId();
    event.motion.x = ScaleToWindow(x, true);
    event.motion.y = ScaleToWindow(y, false);
    SDL_PushEvent(&event);
}

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

void injectMouseLeave()
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = OurWindowId();
    event.window.event = SDL_WINDOWEVENT_LEAVE;
    SDL_PushEvent(&event);
}
