// Game controllers through SDL's game-controller layer, with virtual
// controllers plugged in and out while the layer runs.
#include "media_fixture.h"

namespace {

class Controllers : public ScreenTest {
protected:
    // The snapshot after one poll.
    unsigned Snapshot()
    {
        pollKeyboard();
        unsigned bits = 0;
        for (int button = 0; button < PadButtonCount; ++button)
            bits |= (padDown(button) ? 1u : 0u) << button | (padPressed(button) ? 1u : 0u) << (8 + button);
        return bits;
    }
    static constexpr unsigned Held(int button) { return 1u << button; }
    static constexpr unsigned Pressed(int button) { return 1u << (8 + button); }
};

TEST_F(Controllers, PluggedInAndOutTheyActAsOneWithTheStickPastItsDeadZone)
{
    const int first = attachVirtualController();
    ASSERT_NE(first, 0);
    EXPECT_EQ(countControllers(), 1);
    const int second = attachVirtualController();
    EXPECT_EQ(countControllers(), 2);

    // Buttons: pressed once, held while down on either controller.
    setVirtualControllerButton(first, PadA, true);
    EXPECT_EQ(Snapshot(), Held(PadA) | Pressed(PadA));
    setVirtualControllerButton(second, PadA, true);
    EXPECT_EQ(Snapshot(), Held(PadA));
    setVirtualControllerButton(first, PadA, false);
    EXPECT_EQ(Snapshot(), Held(PadA));
    setVirtualControllerButton(second, PadA, false);
    setVirtualControllerButton(second, PadStart, true);
    EXPECT_EQ(Snapshot(), Held(PadStart) | Pressed(PadStart));

    // Unplugged while held: its buttons let go.
    detachVirtualController(second);
    EXPECT_EQ(countControllers(), 1);
    EXPECT_EQ(Snapshot(), 0u);

    // The left stick: (x, y) and what it holds; it lets go only well inside.
    struct Push {
        int x, y;
        unsigned held;
    };
    const Push pushes[] = {
        {15000, 0, 0},                             // within the dead zone
        {20000, 0, Held(PadRight)},
        {12000, -20000, Held(PadRight) | Held(PadUp)},  // still right: not let go yet
        {9000, 32767, Held(PadDown)},
        {-32768, 0, Held(PadLeft)},
        {0, 0, 0},
    };
    for (const Push& push : pushes) {
        setVirtualControllerStick(first, push.x, push.y);
        EXPECT_EQ(Snapshot() & 0xFF, push.held) << push.x << "," << push.y;
    }
    setVirtualControllerButton(first, PadDown, true);
    EXPECT_EQ(Snapshot(), Held(PadDown) | Pressed(PadDown));
    detachVirtualController(first);
    EXPECT_EQ(countControllers(), 0);
    EXPECT_EQ(Snapshot(), 0u);
}

}  // namespace
