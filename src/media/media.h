// The media layer: the only door to the platform (window, frames, text,
// pictures, sound, input, time, files and system queries). Everything else in
// the game calls these free functions with small integer object numbers:
// a number chosen by the caller, or -1 for "a new one" (the new number is
// returned); 0 means failure. Numbers are reusable once freed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Colours: 32-bit RGBA, red in the lowest byte, alpha in the highest.
constexpr uint32_t rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16) | ((a & 0xFF) << 24);
}
constexpr uint32_t ColourWhite = rgba(255, 255, 255, 255);

// ---------------------------------------------------------------------------
// Subsystems. Each answers 0 on failure.
int initSprite();    // video and the sprite store
int initKeyboard();  // also the game controllers (none plugged in is no failure)
int initMouse();
int initSound();     // falls back to silent output when no device opens
bool soundIsSilent(); // true when initSound fell back to silent output
void releaseMedia(); // frees everything (sounds, sprites, fonts, screen, window)
// What the game does when its display goes away (the X server or the Wayland
// compositor gone): save what the player has and log `why`. The media layer
// then ends the program with status 1, without touching the display again;
// the handler must not call the media layer. None: the program just ends.
void setDisplayLostHandler(void (*handler)(const std::string& why));

// ---------------------------------------------------------------------------
// Screen and window.
enum WindowStyle { WindowFramed = 1, WindowBorderless = 2 };

int countDesktops();
int desktopWidth(int desktop);
int desktopHeight(int desktop);

// Full screen at the desktop's own size (no video-mode switch), vsync.
int openFullScreen(int width, int height, int depth, const std::string& title, int flipMode);
// A hidden window centred on the desktop; answers its handle (non-zero).
int openWindow(int window, int x, int y, int width, int height, const std::string& title, int style);
// A screen filling the window's client area.
int openWindowedScreen(int windowHandle, int x, int y, int width, int height,
                       int autoStretch, int rightOffset, int bottomOffset, int flipMode);
void closeScreen();   // all sprites are lost with the screen
void closeWindow(int window);
bool isScreenOpen();
int screenWidth();
int screenHeight();

// Frame pacing: presentFrame waits so that at most `fps` frames per second
// are shown. 0 means "do not wait" (used by tests and benchmarks).
void setFrameRate(int fps);
void presentFrame();
// Test and benchmark hook: the frames shown so far. A frame identical to the
// one on screen is neither composed nor shown, and does not count.
int64_t framesShown();
bool isScreenActive();
void setSpriteFiltering(int bilinear);

void showWindow(int window);
void activateWindow(int window);
void minimizeWindow(int window);

enum WindowEvent {
    EventNone = 0,
    EventClick,       // left button released in the window
    EventRepaint,     // window exposed
    EventClose,       // close asked (also SIGTERM, SIGINT, SIGHUP)
    EventMinimize,
    EventRestore,
    EventActivate,
    EventDeactivate,
    EventOther
};
// Next window event, or EventNone (0) when the queue is empty; never waits.
int nextWindowEvent();
// Cursor position in client pixels; -1 when outside the client area.
int windowMouseX(int window);
int windowMouseY(int window);

// Modal box with an OK button; the same title and text go to standard error.
void showMessageBox(const std::string& title, const std::string& text);

// Window cursor from an Xcursor file; 0 when it cannot be read.
int loadCursorFile(const std::string& path);
void setWindowCursor(int window, int cursor);

// True once the process was asked to end from outside (SIGTERM, SIGINT,
// SIGHUP, or a close of the full-screen window) since the last call; the main
// loop then takes the orderly end.
bool quitRequested();
// Catches SIGTERM, SIGINT and SIGHUP for quitRequested and nextWindowEvent
// (initSprite calls it; calling it again is harmless).
void installQuitSignals();

// ---------------------------------------------------------------------------
// Create and load operations answer the new number when asked for -1, and
// otherwise non-zero on success: the number itself, or 1 for object 0.

// ---------------------------------------------------------------------------
// Sprites: RGBA pictures the screen displays.
// Once a zoom is set, a sprite keeps only its picture at the display size
// (drawing into it needs the design picture, so it then fails) unless it was
// made with SpriteKeepDesign.
enum SpriteFlags { SpriteOpaque = 0, SpriteAlphaBlending = 1, SpriteKeepDesign = 4 };

int loadSprite(int number, const uint8_t* pngBytes, size_t size, int flags);
int createSprite(int number, int width, int height, int flags);
int copySprite(int source, int target, int flags);
void freeSprite(int number);
bool isSprite(int number);
// Display size; -1 keeps the picture's own width or height.
void zoomSprite(int number, int width, int height);
int spriteWidth(int number);
int spriteHeight(int number);
void drawSprite(int number, int x, int y);         // opaque copy, clipped
void drawSpriteBlended(int number, int x, int y);  // with its alpha channel
// A sprite holding the back buffer as drawn so far (this pass's picture).
int grabScreen(int number, int x, int y, int width, int height);
int saveSpriteBmp(int number, const std::string& path);
// Test and tool hook: one pixel of a sprite at its zoomed size, as RGBA.
uint32_t spritePixel(int number, int x, int y);

// ---------------------------------------------------------------------------
// Drawing into a sprite, between beginDrawing and endDrawing.
enum DrawingMode { DrawTransparent = 1, DrawAlphaBlend = 2 };
enum FontFlags { FontBold = 1, FontHighQuality = 2 };

int beginDrawing(int sprite);   // 0 on failure: the caller skips the drawing
void endDrawing();
void setDrawingMode(int mode);

// The font bytes stay in memory; the family becomes usable by loadFont.
int registerFontMemory(const std::string& family, const uint8_t* bytes, size_t size);
// Size in points at 96 dpi (points x 96 / 72 pixels).
int loadFont(int number, const std::string& family, int points, int flags);
void freeFont(int number);
// Every font asks these registered families, in this order, for the letters
// its own family lacks (the order may change at any time); the system's fonts
// come after them.
void setFallbackFamilies(const std::vector<std::string>& families);
void setDrawingFont(int font);
// The code point of UTF-8 text at byte `at`, which moves past it; a broken
// sequence reads as one byte of U+FFFD, the end of the text as 0.
uint32_t nextCodePoint(const std::string& text, size_t& at);
// The code point that ends just before byte `at` (0 at the start).
uint32_t codePointBefore(const std::string& text, size_t at);
// True when some face of the system has the letter (the fonts' last resort).
bool systemHasLetter(uint32_t c);
// Where a line of the text may end by the Unicode line-breaking rules: the
// byte offsets just past each opportunity, the end of the text left out.
// The language ("ja", "fr_FR"; empty when unknown) tunes a few letters.
std::vector<size_t> lineBreaks(const std::string& text, const std::string& language);
int textWidth(const std::string& text);
int textHeight(const std::string& text);
void drawText(int x, int y, const std::string& text, uint32_t colour = ColourWhite);

int loadImage(int number, const uint8_t* pngBytes, size_t size);
// Width and height from the picture's header, without decoding it.
bool pictureSize(const uint8_t* pngBytes, size_t size, int& width, int& height);
int imageWidth(int image);
int imageHeight(int image);
bool isImage(int image);
void freeImage(int image);
int resizeImage(int image, int width, int height, int smooth);  // area average
void drawImage(int image, int x, int y);          // copy into the target
void drawImageBlended(int image, int x, int y);   // honours the image's alpha

// ---------------------------------------------------------------------------
// Sound.
enum SoundFlags { SoundLoop = 1, SoundOwnChannel = 2 };
enum SoundStatusCode { SoundStopped = 0, SoundPlaying = 1, SoundPaused = 2, SoundUnknown = 3 };

int loadSound(int number, const uint8_t* oggBytes, size_t size);  // decoded whole
void freeSound(int number);
int playSound(int number, int flags, int volume);  // answers the channel
int soundStatus(int number, int channel);          // channel -1: the sound's default
void pauseSound(int number, int channel);
void resumeSound(int number, int channel);
void stopSound(int number, int channel);
void setSoundVolume(int number, int volume, int channel);
// Test hooks: frames of PCM played so far on a channel since its play (not
// counting while paused), and its volume 0..100; -1 for another sound's channel.
int64_t soundPosition(int number, int channel);
int soundVolume(int number, int channel);
int soundMixerVolume(int volume);  // the mixer gain 0..128 a volume 0..100 maps to
// Test hook: the loudest 16-bit sample the mixer put out since the last call
// (it starts listening at the first call).
int soundMixPeak();
// Test hook: the first `frames` frames (16-bit, the mixer's channels
// interleaved) that a play of a sound kept compressed puts out, taken on
// the calling thread through the same filler the audio thread runs, so a
// loop's seam can be read sample by sample; empty for a sound decoded whole.
std::vector<int16_t> soundStreamFrames(int number, bool loop, int frames);

// ---------------------------------------------------------------------------
// Input. Keys are DirectInput scan codes; media translates them.
enum ScanCode {
    KeyEscape = 0x01, KeyReturn = 0x1C, KeyN = 0x31, KeyM = 0x32, KeySpace = 0x39, KeyF2 = 0x3C,
    KeyPadMinus = 0x4A, KeyPadPlus = 0x4E, KeyPadEnter = 0x9C,
    KeyUp = 0xC8, KeyLeft = 0xCB, KeyRight = 0xCD, KeyDown = 0xD0
};
void pollKeyboard();             // the keys and the controllers' buttons
bool keyReleased(int scanCode);  // true once, in the first snapshot after release
bool keyPressed(int scanCode);   // true once, in the first snapshot after the press
bool keyDown(int scanCode);      // true in every snapshot while held

// Game controllers, through SDL's game-controller layer: the mappings SDL
// ships and the player's own from SDL_GAMECONTROLLERCONFIG. Controllers may
// come and go while the game runs, and all of them act as one. The left
// stick, pushed past a dead zone, counts as the D-pad.
enum PadButton { PadUp, PadDown, PadLeft, PadRight, PadA, PadB, PadStart, PadButtonCount };
int countControllers();
bool padPressed(int button);     // true once, in the first snapshot after the press
bool padDown(int button);        // true in every snapshot while held

void pollMouse();                // full screen: grab and hide while active
int mouseX();
int mouseY();
bool mouseButtonDown(int button);  // 1 = left
void setMousePosition(int x, int y);
void releaseMouse(int release);

// ---------------------------------------------------------------------------
// Time and chance.
void sleepMs(int ms);
int64_t now();  // the current time, whole seconds since the epoch
// %yyyy %yy %mm %dd %hh %ii %ss, case-insensitive, in local time (so the
// date of now() reads as the clock on the wall); other characters copied.
std::string formatDate(const std::string& mask, int64_t date);
// Uniform permutation: for i from 1 to n-1, j uniform in 0..i, swap i and j.
// Seeded once from the clock at first use; the game's only source of chance.
void shuffle(int* items, int count);
void shuffle(std::vector<int>& items);
void seedShuffle(uint64_t seed);  // test hook

// ---------------------------------------------------------------------------
// Test hooks: real SDL events pushed into the queue, as a player makes them.
void injectMouseMove(int x, int y);
void injectMouseButton(int button, bool down, int x, int y);
void injectKey(int scanCode, bool down);
void injectWindowEvent(int event);  // one of WindowEvent
void injectMouseLeave();            // the pointer leaves the window
// A virtual game controller plugged in (answers its number, 0 on failure),
// its buttons (PadButton) and left stick (-32768..32767), and unplugged.
int attachVirtualController();
void setVirtualControllerButton(int controller, int button, bool down);
void setVirtualControllerStick(int controller, int x, int y);
void detachVirtualController(int controller);

// ---------------------------------------------------------------------------
// System queries and files (paths use "/"; folders end in "/").
std::string programFolder();      // folder of the running executable
std::string userDataFolder();     // $XDG_DATA_HOME or ~/.local/share, with "/"
std::string homeFolder();
std::string localeName();         // LC_MESSAGES locale as "de-DE", "" if none
int osVersionCode();              // 200: not recognised
std::string cpuName();
int cpuCountTotal();
int cpuCountAvailable();
uint64_t totalMemoryBytes();
uint64_t freeMemoryBytes();
std::string buildWord();          // "(x64)" on x86-64

bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
bool createFolder(const std::string& path);
int64_t fileSize(const std::string& path);  // -1 when missing
// Whole file into `out`; false when missing, unreadable or over maxBytes.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes);
// At most the first maxBytes of a regular file into `out`; `cut` tells that
// the file goes on past them. False when missing or unreadable.
bool readFileHead(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes, bool& cut);
// Written to a temporary file in the same folder, flushed, then renamed over.
bool writeFileAtomic(const std::string& path, const std::string& bytes);
bool removeFile(const std::string& path);
std::vector<std::string> listFolder(const std::string& path);  // file names only

// What reading a ZIP archive may cost, whatever the archive claims.
struct ZipLimits {
    int maxEntries;         // headers looked at, members of every kind
    size_t maxMemberBytes;  // a longer member is left out
    size_t maxTotalBytes;   // names and bytes of all members kept together
};
struct ZipMember {
    std::string name;
    std::vector<uint8_t> bytes;
};
// Members of a ZIP archive, read into memory and never written to disk.
// Names are reduced to their last path component; only regular members whose
// reduced name `wanted` accepts are decompressed, every other one is passed
// over. A member too long is left out; a damaged one ends the reading, the
// members before it kept. False when the archive cannot be opened or its
// first member's header cannot be read.
bool readZipMembers(const std::string& path, const ZipLimits& limits,
                    const std::function<bool(const std::string&)>& wanted,
                    std::vector<ZipMember>& out);
