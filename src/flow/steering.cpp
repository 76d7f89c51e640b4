#include "flow/steering.h"

#include <cstdlib>

#include "board/board.h"
#include "flow/flow.h"
#include "flow/play_states.h"
#include "flow/state_table.h"
#include "media/media.h"
#include "screens/kit.h"

namespace {

// A held direction steps again after 18 frames, then every 6 (ten a second).
constexpr int RepeatDelay = 18;
constexpr int RepeatEvery = 6;

enum Direction { Up, Down, Left, Right, DirectionCount };
constexpr int DirectionKeys[DirectionCount] = {KeyUp, KeyDown, KeyLeft, KeyRight};
constexpr int DirectionPads[DirectionCount] = {PadUp, PadDown, PadLeft, PadRight};

bool KeysHaveFocus = false;  // the keys steer; the mouse hover waits
int AnchorX = -1;            // where the pointer was when the keys took over
int AnchorY = -1;
int RealPointerX = -1;       // the pointer of this pass, before it was aimed
int RealPointerY = -1;
int FocusOwner = -1;         // the state FocusPosition belongs to
int FocusPosition = -1;      // position in that state's focus order; -1 none
int HeldFrames[DirectionCount] = {-1, -1, -1, -1};

// True in the pass a direction is pressed, and while it is held, once
// after the delay and then at the repeat pace.
bool DirectionFires(int direction)
{
    int& held = HeldFrames[direction];
    if (keyPressed(DirectionKeys[direction]) || padPressed(DirectionPads[direction])) {
        held = 0;
        return true;
    }
    if (!keyDown(DirectionKeys[direction]) && !padDown(DirectionPads[direction])) {
        held = -1;
        return false;
    }
    if (held < 0)
        return false;
    ++held;
    return held >= RepeatDelay && (held - RepeatDelay) % RepeatEvery == 0;
}

bool Usable(const FocusOrder& order, int position)
{
    return position >= 0 && position < order.count &&
           (order.usable == nullptr || order.usable(order.items[position]));
}

const ButtonRecord& AreaAt(const FocusOrder& order, int position)
{
    return order.records[order.items[position]];
}

int CentreX(const ButtonRecord& area)
{
    return (area.hitLeft + area.hitRight) / 2;
}

int CentreY(const ButtonRecord& area)
{
    return (area.hitTop + area.hitBottom) / 2;
}

// The next usable position from `position` in steps of +1 or -1, going
// round; `position` itself when no other is usable.
int NextUsable(const FocusOrder& order, int position, int step)
{
    for (int i = 1; i <= order.count; ++i) {
        const int candidate = ((position + step * i) % order.count + order.count) % order.count;
        if (Usable(order, candidate))
            return candidate;
    }
    return position;
}

// In a grid: the nearest usable area above (step -1) or below (+1), rows
// first, then across; `position` itself when there is none.
int NearestVertically(const FocusOrder& order, int position, int step)
{
    const ButtonRecord& from = AreaAt(order, position);
    int best = position;
    long bestDistance = 0;
    for (int i = 0; i < order.count; ++i) {
        if (!Usable(order, i))
            continue;
        const ButtonRecord& area = AreaAt(order, i);
        const int down = CentreY(area) - CentreY(from);
        if (down * step <= 0)
            continue;
        const long distance = 100000L * std::abs(down) + std::abs(CentreX(area) - CentreX(from));
        if (best == position || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// The usable area under the pointer, else the first usable one.
int StartingPosition(const FocusOrder& order)
{
    for (int i = 0; i < order.count; ++i)
        if (Usable(order, i) && HitButton(AreaAt(order, i), RealPointerX, RealPointerY))
            return i;
    return NextUsable(order, -1, +1);
}

// The focus of the current state: set up anew when the state changed, and
// moved on when its area became disabled. Null without a focus order.
const FocusOrder* CurrentFocus()
{
    const FocusOrder* order = CurrentStateSteps().focus;
    if (FocusOwner != ScreenState) {
        FocusOwner = ScreenState;
        FocusPosition = -1;
    }
    if (order && KeysHaveFocus && !Usable(*order, FocusPosition))
        FocusPosition = NextUsable(*order, FocusPosition < 0 ? -1 : FocusPosition, +1);
    return order;
}

void TakeFocus()
{
    KeysHaveFocus = true;
    AnchorX = RealPointerX;
    AnchorY = RealPointerY;
}

void AimAtFocus(const FocusOrder& order)
{
    PointerX = CentreX(AreaAt(order, FocusPosition));
    PointerY = CentreY(AreaAt(order, FocusPosition));
}

// Arrows and choose on a panel at rest. The first of them after the mouse
// had the focus only shows it.
void SteerPanel(int dx, int dy, bool choose)
{
    const StateSteps& steps = CurrentStateSteps();
    const FocusOrder* order = CurrentFocus();
    if (!order || !CurrentPanelAtRest())
        return;
    if (!KeysHaveFocus) {
        TakeFocus();
        FocusPosition = StartingPosition(*order);
        if (Usable(*order, FocusPosition)) {
            AimAtFocus(*order);
            HoverCurrentState();
        }
        return;
    }
    if (!Usable(*order, FocusPosition))
        return;
    if (dx != 0 && steps.sideways && steps.sideways(order->items[FocusPosition], dx))
        dx = 0;
    if (dy != 0)
        FocusPosition = order->grid ? NearestVertically(*order, FocusPosition, dy)
                                    : NextUsable(*order, FocusPosition, dy);
    if (dx != 0)
        FocusPosition = NextUsable(*order, FocusPosition, dx);
    AimAtFocus(*order);
    HoverCurrentState();
    if (choose)
        ClickCurrentState();
}

// Arrows and choose during play: the first of them in a level (or after
// the mouse moved) shows the cursor.
void SteerBoard(int dx, int dy, bool choose)
{
    if (!Game.playRunning)
        return;
    if (!KeysHaveFocus || !Game.cursorShown) {
        if (ShowCursor(RealPointerX, RealPointerY))
            TakeFocus();
        return;
    }
    MoveCursor(dx, dy);
    if (choose)
        ActOnBoardClick(CursorClick(CurrentSoundSettings()));
}

} // namespace

void AimPointer()
{
    RealPointerX = PointerX;
    RealPointerY = PointerY;
    if (KeysHaveFocus && (PointerX != AnchorX || PointerY != AnchorY)) {
        KeysHaveFocus = false;
        Game.cursorShown = false;
    }
    const FocusOrder* order = CurrentFocus();
    if (!KeysHaveFocus || !order || !Usable(*order, FocusPosition))
        return;
    AimAtFocus(*order);
}

bool MouseTakesFocus()
{
    if (!KeysHaveFocus)
        return false;
    KeysHaveFocus = false;
    Game.cursorShown = false;
    return true;
}

void HandleSteering()
{
    int dx = 0;
    int dy = 0;
    for (int direction = 0; direction < DirectionCount; ++direction) {
        if (!DirectionFires(direction))
            continue;
        dx += direction == Left ? -1 : (direction == Right ? 1 : 0);
        dy += direction == Up ? -1 : (direction == Down ? 1 : 0);
    }
    const bool choose =
        keyPressed(KeyReturn) || keyPressed(KeyPadEnter) || keyPressed(KeySpace) || padPressed(PadA);
    if (dx != 0 || dy != 0 || choose) {
        if (ScreenState == StatePlay)
            SteerBoard(dx, dy, choose);
        else
            SteerPanel(dx, dy, choose);
    }
    // B is Escape; Start pauses a level and resumes it from the in-game menu.
    if (padPressed(PadB))
        EscapeCurrentState();
    if (padPressed(PadStart) && (ScreenState == StatePlay || ScreenState == StateInGameMenu))
        EscapeCurrentState();
}

void DrawFocus()
{
    const FocusOrder* order = CurrentFocus();
    if (!KeysHaveFocus || !order || !Usable(*order, FocusPosition) || !CurrentPanelAtRest())
        return;
    const ButtonRecord& area = AreaAt(*order, FocusPosition);
    if (area.sprite == 0)
        DrawFocusRing(area);
}

int FocusedArea()
{
    const FocusOrder* order = CurrentFocus();
    return KeysHaveFocus && order && Usable(*order, FocusPosition) ? order->items[FocusPosition] : 0;
}

void ResetSteering()
{
    KeysHaveFocus = false;
    AnchorX = AnchorY = -1;
    FocusOwner = -1;
    FocusPosition = -1;
    for (int& held : HeldFrames)
        held = -1;
}
