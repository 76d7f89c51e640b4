// Keys, mouse, window events, signals and controllers, pushed as real SDL events.
#include <csignal>

#include "media_support.h"

namespace {

TEST_F(ScreenTest, KeysAndTheMouseAsSnapshots)
{
    for (int key : {KeyEscape, KeyN, KeyM, KeyF2, KeyPadMinus, KeyPadPlus, KeyReturn, KeySpace, KeyPadEnter, KeyUp,
                    KeyLeft, KeyRight, KeyDown}) {
        injectKey(key, true);
        pollKeyboard();
        EXPECT_TRUE(keyDown(key) && keyPressed(key) && !keyReleased(key)) << key;
        pollKeyboard();
        EXPECT_TRUE(keyDown(key) && !keyPressed(key)) << key;
        injectKey(key, false);
        pollKeyboard();
        EXPECT_TRUE(!keyDown(key) && keyReleased(key)) << key;
        pollKeyboard();
        EXPECT_FALSE(keyReleased(key)) << "released once only: " << key;
    }
    injectKey(KeyPadPlus, true);  // a quick tap between two snapshots counts once
    injectKey(KeyPadPlus, false);
    pollKeyboard();
    EXPECT_TRUE(keyReleased(KeyPadPlus));
    EXPECT_FALSE(keyReleased(KeyPadMinus));
    injectKey(KeyM, false);  // up without having been down: no release
    injectKey(0x7FFF, true);
    pollKeyboard();
    EXPECT_FALSE(keyReleased(KeyM) || keyDown(0x7FFF) || keyDown(-1));

    injectMouseMove(-10, 9999);
    pollMouse();
    EXPECT_EQ(mouseX() * 100 + mouseY(), TestScreenHeight - 1) << "clamped to the screen";
    injectMouseMove(30, 40);
    pollMouse();
    EXPECT_EQ(mouseX() * 100 + mouseY(), 3040);
    injectMouseButton(1, true, 5, 5);
    pollMouse();
    pollMouse();
    EXPECT_TRUE(mouseButtonDown(1));
    injectMouseButton(1, false, 5, 5);
    pollMouse();
    EXPECT_FALSE(mouseButtonDown(1));
    // A quick click is seen as a press once, even when the frame polls twice before it asks.
    injectMouseButton(1, true, 7, 7);
    injectMouseButton(1, false, 7, 7);
    pollMouse();
    pollMouse();
    EXPECT_TRUE(mouseButtonDown(1));
    pollMouse();
    EXPECT_FALSE(mouseButtonDown(1) || mouseButtonDown(0) || mouseButtonDown(99));
}

TEST_F(ScreenTest, WindowEventsAndSignals)
{
    EXPECT_TRUE(isScreenActive());
    injectMouseButton(1, false, 10, 10);
    injectMouseButton(3, false, 10, 10);  // right button: no click
    const int events[] = {EventRepaint, EventDeactivate, EventActivate, EventMinimize, EventRestore, EventClose};
    const bool active[] = {true, false, true, false, true, true};
    EXPECT_EQ(nextWindowEvent(), EventClick);
    for (int i = 0; i < 6; i++) {
        injectWindowEvent(events[i]);
        EXPECT_EQ(nextWindowEvent(), events[i]);
        EXPECT_EQ(isScreenActive(), active[i]) << events[i];
    }
    EXPECT_EQ(nextWindowEvent(), EventNone);
    std::raise(SIGTERM);
    EXPECT_EQ(nextWindowEvent(), EventClose);
    EXPECT_TRUE(quitRequested());
    EXPECT_FALSE(quitRequested());
    std::raise(SIGHUP);
    EXPECT_TRUE(quitRequested());
}

// Controllers plugged in and out act as one; the left stick counts past its dead zone.
TEST_F(ScreenTest, ControllersPluggedInAndOut)
{
    const auto snapshot = [] {
        pollKeyboard();
        unsigned bits = 0;
        for (int button = 0; button < PadButtonCount; ++button)
            bits |= (padDown(button) ? 1u : 0u) << button | (padPressed(button) ? 1u : 0u) << (8 + button);
        return bits;
    };
    const auto held = [](int button) { return 1u << button; };
    const auto pressed = [](int button) { return 1u << (8 + button); };
    const int first = attachVirtualController(), second = attachVirtualController();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(countControllers(), 2);
    setVirtualControllerButton(first, PadA, true);
    EXPECT_EQ(snapshot(), held(PadA) | pressed(PadA));
    setVirtualControllerButton(second, PadA, true);
    EXPECT_EQ(snapshot(), held(PadA));
    setVirtualControllerButton(first, PadA, false);
    EXPECT_EQ(snapshot(), held(PadA));
    setVirtualControllerButton(second, PadA, false);
    setVirtualControllerButton(second, PadStart, true);
    EXPECT_EQ(snapshot(), held(PadStart) | pressed(PadStart));
    detachVirtualController(second);  // unplugged while held: its buttons let go
    EXPECT_EQ(countControllers(), 1);
    EXPECT_EQ(snapshot(), 0u);
    // Pressed from 16000 out, let go only within 11000, on both axes and both sides.
    constexpr unsigned L = 1 << PadLeft, R = 1 << PadRight, U = 1 << PadUp, D = 1 << PadDown;
    const int pushes[][3] = {{15999, -15999, 0}, {16000, 0, R},       {11000, -16000, R | U}, {10999, -11000, U},
                             {-15999, -10999, 0}, {-16000, 16000, L | D}, {-11000, 11000, L | D}, {-10999, 10999, 0},
                             {-32768, 32767, L | D}, {0, 0, 0}};
    for (const auto& push : pushes) {
        setVirtualControllerStick(first, push[0], push[1]);
        EXPECT_EQ(snapshot() & 0xFF, unsigned(push[2])) << push[0] << "," << push[1];
    }
    detachVirtualController(first);
    EXPECT_EQ(countControllers(), 0);
}

}  // namespace
