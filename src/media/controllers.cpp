// Game controllers through SDL's game-controller layer. Every controller
// plugged in (at start or later) is opened; their D-pads, left sticks and
// A, B and Start buttons add up to one set of pad buttons the game reads
// with the keys.
#include "media/media_internal.h"

#include <cstdio>

namespace {

// The stick counts as pushed beyond about half its travel, and as let go
// only once back within about a third, so a resting hand does not flicker.
constexpr int StickPress = 16000;
constexpr int StickLetGo = 11000;

// The pad button a controller button stands for, or -1.
int PadButtonOf(int button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadRight;
    case SDL_CONTROLLER_BUTTON_A: return PadA;
    case SDL_CONTROLLER_BUTTON_B: return PadB;
    case SDL_CONTROLLER_BUTTON_START: return PadStart;
    default: return -1;
    }
}

unsigned Bit(int padButton)
{
    return 1u << padButton;
}

// One stick axis as the two directions it can push.
unsigned StickAxisBits(unsigned current, int lowButton, int highButton, int value)
{
    const int low = (current & Bit(lowButton)) ? StickLetGo : StickPress;
    const int high = (current & Bit(highButton)) ? StickLetGo : StickPress;
    unsigned bits = 0;
    if (value <= -low)
        bits |= Bit(lowButton);
    if (value >= high)
        bits |= Bit(highButton);
    return bits;
}

// All controllers as one; a button that comes down counts as a press.
void CombineControllers()
{
    unsigned held = 0;
    for (const auto& [id, controller] : input.controllers)
        held |= controller.buttons | controller.stick;
    input.padPressedSincePoll |= held & ~input.padHeld;
    input.padHeld = held;
}

void OpenController(int deviceIndex)
{
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || input.controllers.count(id) || !SDL_IsGameController(deviceIndex))
        return;
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (!handle) {
        std::fprintf(stderr, "Morvane: a game controller could not be opened: %s\n", SDL_GetError());
        return;
    }
    input.controllers[id].handle = handle;
}

void CloseController(SDL_JoystickID id)
{
    auto found = input.controllers.find(id);
    if (found == input.controllers.end())
        return;
    SDL_GameControllerClose(found->second.handle);
    input.controllers.erase(found);
    CombineControllers();
}

ControllerRecord* FindController(SDL_JoystickID id)
{
    auto found = input.controllers.find(id);
    return found == input.controllers.end() ? nullptr : &found->second;
}

}  // namespace

// SDL reads its own mappings and SDL_GAMECONTROLLERCONFIG as the layer starts.
void StartControllers()
{
    if (input.controllersStarted)
        return;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Morvane: game controllers are not available: %s\n", SDL_GetError());
        return;
    }
    input.controllersStarted = true;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        OpenController(i);
}

void ReleaseControllers()
{
    if (!input.controllersStarted)
        return;
    for (auto& [id, controller] : input.controllers)
        SDL_GameControllerClose(controller.handle);
    input.controllers.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    input.controllersStarted = false;
}

bool HandleControllerEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        OpenController(event.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        CloseController(event.cdevice.which);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        ControllerRecord* controller = FindController(event.cbutton.which);
        const int button = PadButtonOf(event.cbutton.button);
        if (!controller || button < 0)
            return true;
        if (event.cbutton.state == SDL_PRESSED)
            controller->buttons |= Bit(button);
        else
            controller->buttons &= ~Bit(button);
        CombineControllers();
        return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
        ControllerRecord* controller = FindController(event.caxis.which);
        if (!controller)
            return true;
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
            const unsigned kept = controller->stick & (Bit(PadUp) | Bit(PadDown));
            controller->stick = kept | StickAxisBits(controller->stick, PadLeft, PadRight, event.caxis.value);
        } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
            const unsigned kept = controller->stick & (Bit(PadLeft) | Bit(PadRight));
            controller->stick = kept | StickAxisBits(controller->stick, PadUp, PadDown, event.caxis.value);
        }
        CombineControllers();
        return true;
    }
    default:
        return false;
    }
}

void SnapshotControllers()
{
    input.padSnapshotDown = input.padHeld;
    input.padSnapshotPressed = input.padPressedSincePoll;
    input.padPressedSincePoll = 0;
}

int countControllers()
{
    PumpMediaEvents();
    return static_cast<int>(input.controllers.size());
}

bool padPressed(int button)
{
    return button >= 0 && button < PadButtonCount && (input.padSnapshotPressed & Bit(button));
}

bool padDown(int button)
{
    return button >= 0 && button < PadButtonCount && (input.padSnapshotDown & Bit(button));
}

// --- test hooks: a virtual controller -----------------------------------------
// SDL gives a virtual joystick of the controller type its standard mapping:
// button i is SDL_GameControllerButton i, axes 0 and 1 the left stick.

namespace {

std::map<int, SDL_Joystick*> VirtualControllers;  // by the number handed out
int NextVirtualNumber = 1;

SDL_Joystick* VirtualController(int number)
{
    auto found = VirtualControllers.find(number);
    return found == VirtualControllers.end() ? nullptr : found->second;
}

int SdlButtonOf(int padButton)
{
    switch (padButton) {
    case PadUp: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case PadDown: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case PadLeft: return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    case PadRight: return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    case PadA: return SDL_CONTROLLER_BUTTON_A;
    case PadB: return SDL_CONTROLLER_BUTTON_B;
    case PadStart: return SDL_CONTROLLER_BUTTON_START;
    default: return -1;
    }
}

}  // namespace

int attachVirtualController()
{
    if (!input.controllersStarted)
        return 0;
    // NOTE: SDL drops controller input while none of its windows has the
    // keyboard focus, and a headless window never gets it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                 SDL_CONTROLLER_BUTTON_MAX, 0);
    SDL_Joystick* joystick = device >= 0 ? SDL_JoystickOpen(device) : nullptr;
    if (!joystick)
        return 0;
    VirtualControllers[NextVirtualNumber] = joystick;
    return NextVirtualNumber++;
}

void setVirtualControllerButton(int controller, int button, bool down)
{
    SDL_Joystick* joystick = VirtualController(controller);
    const int sdlButton = SdlButtonOf(button);
    if (joystick && sdlButton >= 0)
        SDL_JoystickSetVirtualButton(joystick, sdlButton, down ? SDL_PRESSED : SDL_RELEASED);
}

void setVirtualControllerStick(int controller, int x, int y)
{
    SDL_Joystick* joystick = VirtualController(controller);
    if (!joystick)
        return;
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
}

void detachVirtualController(int controller)
{
    SDL_Joystick* joystick = VirtualController(controller);
    if (!joystick)
        return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(joystick);
    VirtualControllers.erase(controller);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            return;
        }
    }
}
