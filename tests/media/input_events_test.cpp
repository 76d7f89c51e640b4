// Keys, mouse and window events, pushed as real SDL events.
#include "media_fixture.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

void PutWord(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// A one-image Xcursor file (the desktop's cursor format), written by hand.
std::string MakeXcursor(int size, int hotX, int hotY)
{
    std::string file = "Xcur";
    PutWord(file, 16);          // header size
    PutWord(file, 0x10000);     // version
    PutWord(file, 1);           // table of contents: one image
    PutWord(file, 0xFFFD0002);  // image chunk
    PutWord(file, static_cast<uint32_t>(size));
    PutWord(file, 28);          // where the chunk starts
    PutWord(file, 36);          // chunk header size
    PutWord(file, 0xFFFD0002);
    PutWord(file, static_cast<uint32_t>(size));
    PutWord(file, 1);
    PutWord(file, static_cast<uint32_t>(size));
    PutWord(file, static_cast<uint32_t>(size));
    PutWord(file, static_cast<uint32_t>(hotX));
    PutWord(file, static_cast<uint32_t>(hotY));
    PutWord(file, 0);           // delay
    for (int i = 0; i < size * size; ++i) {
        PutWord(file, i % 3 ? 0xFF204080u : 0u);
    }
    return file;
}

// True for the dummy and offscreen video drivers the tests normally use.
bool HeadlessVideo()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

}  // namespace

class InputTest : public ScreenTest {};

TEST_F(InputTest, KeyReleasedIsTrueOnceAndKeyDownWhileHeld)
{
    injectKey(KeyEscape, true);
    pollKeyboard();
    EXPECT_TRUE(keyDown(KeyEscape));
    EXPECT_FALSE(keyReleased(KeyEscape));
    pollKeyboard();
    EXPECT_TRUE(keyDown(KeyEscape));
    EXPECT_FALSE(keyDown(KeyF2));

    injectKey(KeyEscape, false);
    pollKeyboard();
    EXPECT_FALSE(keyDown(KeyEscape));
    EXPECT_TRUE(keyReleased(KeyEscape));
    pollKeyboard();
    EXPECT_FALSE(keyReleased(KeyEscape));
    pollKeyboard();
    EXPECT_FALSE(keyReleased(KeyEscape));

    // A quick tap between two snapshots still counts once.
    injectKey(KeyPadPlus, true);
    injectKey(KeyPadPlus, false);
    pollKeyboard();
    EXPECT_TRUE(keyReleased(KeyPadPlus));
    EXPECT_FALSE(keyReleased(KeyPadMinus));
    pollKeyboard();
    EXPECT_FALSE(keyReleased(KeyPadPlus));

    // A key that goes up without having been down is no release.
    injectKey(KeyM, false);
    pollKeyboard();
    EXPECT_FALSE(keyReleased(KeyM));
}

TEST_F(InputTest, EveryGameKeyTranslates)
{
    for (int key : {KeyEscape, KeyN, KeyM, KeyF2, KeyPadMinus, KeyPadPlus}) {
        injectKey(key, true);
        pollKeyboard();
        EXPECT_TRUE(keyDown(key)) << key;
        injectKey(key, false);
        pollKeyboard();
        EXPECT_TRUE(keyReleased(key)) << key;
        EXPECT_FALSE(keyDown(key)) << key;
    }
    // Codes that name no key are simply never down.
    injectKey(0x00, true);
    injectKey(0x7FFF, true);
    pollKeyboard();
    EXPECT_FALSE(keyDown(0x00));
    EXPECT_FALSE(keyDown(-1));
    EXPECT_FALSE(keyReleased(0x7FFF));
}

TEST_F(InputTest, MouseIsTrackedAndClampedToTheScreen)
{
    injectMouseMove(30, 40);
    pollMouse();
    EXPECT_EQ(mouseX(), 30);
    EXPECT_EQ(mouseY(), 40);
    injectMouseMove(-10, 9999);
    pollMouse();
    EXPECT_EQ(mouseX(), 0);
    EXPECT_EQ(mouseY(), TestScreenHeight - 1);
    setMousePosition(12, 13);
    EXPECT_EQ(mouseX(), 12);
    EXPECT_EQ(mouseY(), 13);

    injectMouseButton(1, true, 5, 5);
    pollMouse();
    EXPECT_TRUE(mouseButtonDown(1));
    pollMouse();
    EXPECT_TRUE(mouseButtonDown(1));
    injectMouseButton(1, false, 5, 5);
    pollMouse();
    EXPECT_FALSE(mouseButtonDown(1));
    // A click between two polls is seen as a press in the next snapshot.
    injectMouseButton(1, true, 6, 6);
    injectMouseButton(1, false, 6, 6);
    pollMouse();
    EXPECT_TRUE(mouseButtonDown(1));
    pollMouse();
    EXPECT_FALSE(mouseButtonDown(1));
    // The frame polls twice before it asks: a quick click still reaches it.
    injectMouseButton(1, true, 7, 7);
    injectMouseButton(1, false, 7, 7);
    pollMouse();
    pollMouse();
    EXPECT_TRUE(mouseButtonDown(1));
    pollMouse();
    EXPECT_FALSE(mouseButtonDown(1));
    EXPECT_FALSE(mouseButtonDown(0));
    EXPECT_FALSE(mouseButtonDown(99));
    releaseMouse(1);
}

TEST_F(InputTest, WindowEventsArriveInOrderAndTrackFocus)
{
    EXPECT_TRUE(isScreenActive());
    injectMouseButton(1, false, 10, 10);
    injectMouseButton(3, false, 10, 10);  // right button: no click
    injectWindowEvent(EventRepaint);
    EXPECT_EQ(nextWindowEvent(), EventClick);
    EXPECT_EQ(nextWindowEvent(), EventRepaint);
    EXPECT_EQ(nextWindowEvent(), EventNone);

    injectWindowEvent(EventDeactivate);
    EXPECT_EQ(nextWindowEvent(), EventDeactivate);
    EXPECT_FALSE(isScreenActive());
    injectWindowEvent(EventActivate);
    EXPECT_EQ(nextWindowEvent(), EventActivate);
    EXPECT_TRUE(isScreenActive());

    injectWindowEvent(EventMinimize);
    EXPECT_EQ(nextWindowEvent(), EventMinimize);
    EXPECT_FALSE(isScreenActive());
    injectWindowEvent(EventRestore);
    EXPECT_EQ(nextWindowEvent(), EventRestore);
    EXPECT_TRUE(isScreenActive());

    injectWindowEvent(EventClose);
    injectWindowEvent(EventClick);
    EXPECT_EQ(nextWindowEvent(), EventClose);
    EXPECT_EQ(nextWindowEvent(), EventClick);
    EXPECT_EQ(nextWindowEvent(), EventNone);
}

TEST_F(InputTest, WindowMouseIsMinusOneOutsideTheClientArea)
{
    injectMouseMove(20, 21);
    EXPECT_EQ(windowMouseX(0), 20);
    EXPECT_EQ(windowMouseY(0), 21);
    injectMouseLeave();
    EXPECT_EQ(windowMouseX(0), -1);
    EXPECT_EQ(windowMouseY(0), -1);
    injectMouseMove(3, 4);
    EXPECT_EQ(windowMouseX(0), 3);
    // Dragged past the edge with a button held: outside, whatever the event.
    injectMouseMove(TestScreenWidth + 5, 4);
    EXPECT_EQ(windowMouseX(0), -1);
    injectMouseMove(5, -2);
    EXPECT_EQ(windowMouseY(0), -1);
}

TEST_F(InputTest, QuitSignalsBecomeAnOrderlyClose)
{
    DrainEvents();
    std::raise(SIGTERM);
    EXPECT_EQ(nextWindowEvent(), EventClose);
    EXPECT_EQ(nextWindowEvent(), EventNone);
    EXPECT_TRUE(quitRequested());
    EXPECT_FALSE(quitRequested());
    std::raise(SIGHUP);
    EXPECT_TRUE(quitRequested());
    EXPECT_EQ(nextWindowEvent(), EventClose);
}

TEST_F(InputTest, FramePacingHoldsTheRateAndZeroTurnsItOff)
{
    using Clock = std::chrono::steady_clock;
    setFrameRate(100);
    presentFrame();
    auto start = Clock::now();
    for (int frame = 0; frame < 20; ++frame) {
        presentFrame();
    }
    auto paced = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(paced, 190);
    EXPECT_LT(paced, 600);

    setFrameRate(0);
    start = Clock::now();
    for (int frame = 0; frame < 200; ++frame) {
        presentFrame();
    }
    auto unpaced = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    // NOTE: on a real display the software renderer's window surface may
    // keep its own vsync; headless there is none and nothing may wait.
    if (HeadlessVideo()) {
        EXPECT_LT(unpaced, 190);
    }
}

TEST(WindowTest, ScreensOpenOnlyOnAWindowAndReportTheirSize)
{
    ASSERT_TRUE(initSprite());
    EXPECT_GE(countDesktops(), 1);
    EXPECT_GT(desktopWidth(0), 0);
    EXPECT_EQ(desktopWidth(-1), 0);
    EXPECT_EQ(openWindowedScreen(1, 0, 0, 10, 10, 0, 0, 0, 2), 0);  // no window yet
    EXPECT_FALSE(isScreenOpen());
    ASSERT_NE(openWindow(0, 0, 0, 80, 50, "Morvane test", WindowBorderless), 0);
    EXPECT_EQ(openWindow(0, 0, 0, 80, 50, "second", WindowFramed), 0);
    EXPECT_FALSE(isScreenActive());  // hidden until shown
    ASSERT_NE(openWindowedScreen(1, 0, 0, 80, 50, 0, 0, 0, 2), 0);
    EXPECT_TRUE(isScreenOpen());
    EXPECT_EQ(screenWidth(), 80);
    EXPECT_EQ(screenHeight(), 50);
    closeScreen();
    EXPECT_FALSE(isScreenOpen());
    closeWindow(0);
    EXPECT_EQ(nextWindowEvent(), EventNone);

    ASSERT_NE(openFullScreen(desktopWidth(0), desktopHeight(0), 32, "Morvane test", 2), 0);
    EXPECT_EQ(screenWidth(), desktopWidth(0));
    EXPECT_TRUE(isScreenActive());
    pollMouse();
    presentFrame();
    // Full screen drains no window events: a close asked of it is answered
    // by quitRequested, once.
    injectWindowEvent(EventClose);
    EXPECT_TRUE(quitRequested());
    EXPECT_FALSE(quitRequested());
    injectWindowEvent(EventDeactivate);
    EXPECT_FALSE(isScreenActive());
    presentFrame();  // only waits while in the background
    injectWindowEvent(EventActivate);
    EXPECT_TRUE(isScreenActive());
    injectMouseButton(1, false, 5, 5);
    EXPECT_TRUE(isScreenActive());  // takes the click into the queue
    closeScreen();
    EXPECT_FALSE(isScreenOpen());
    // A click on the old full screen never reaches a new window.
    ASSERT_NE(openWindow(0, 0, 0, 80, 50, "Morvane test", WindowFramed), 0);
    EXPECT_EQ(nextWindowEvent(), EventNone);
    closeWindow(0);
    EXPECT_EQ(loadCursorFile("/nonexistent/Morvane.pointer"), 0);
}

TEST_F(InputTest, CursorFilesLoadAndGarbageIsRefused)
{
    std::string path = ::testing::TempDir() + "morvane_test.pointer";
    ASSERT_TRUE(writeFileAtomic(path, MakeXcursor(16, 3, 5)));
    int cursor = loadCursorFile(path);
    // The dummy and offscreen video drivers have no cursors at all.
    if (!HeadlessVideo()) {
        EXPECT_NE(cursor, 0);
    }
    setWindowCursor(0, cursor);
    setWindowCursor(0, 999);  // unknown: ignored
    ASSERT_TRUE(writeFileAtomic(path, "Xcur but nothing more"));
    EXPECT_EQ(loadCursorFile(path), 0);
    removeFile(path);
}

TEST(MessageBoxTest, TheWordsAlsoGoToStandardError)
{
    ASSERT_TRUE(initSprite());
    ::testing::internal::CaptureStderr();
    showMessageBox("Morvane::", "The data file could not be read.");
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Morvane::"), std::string::npos);
    EXPECT_NE(said.find("The data file could not be read."), std::string::npos);
}
