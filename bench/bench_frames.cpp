// The running game at one windowed resolution, headless (dummy video,
// dummy audio), through the real start-up and real passes of the main loop,
// driven by real input events:
//
//  - CPU time per pass, unpaced: play on the INSANE board with the screen
//    full of tiles, every pass moving the whole board (the busiest frame:
//    the board's area composed again) and as the board rises (it moves a
//    pixel every other pass); a finished level over a full board while its
//    panel slides in and at rest; the settings screen at rest;
//  - frame pacing at 60 passes per second during play (interval between the
//    starts of consecutive passes; each pass presents first);
//  - the share of a core used while the game is in the background;
//  - peak resident memory after start-up and at the end.
//
//   bench_frames [resolution] [passes]
//
// Resolution is the preferences' index (4 = 1920x1080, 9 = 3840x2160);
// passes per measured state, 600 by default. Prints table rows. With
// SDL_VIDEODRIVER=x11 the game runs in a window of the X display instead.
#include <cstdlib>
#include <filesystem>


#include "assets/asset_numbers.h"
#include "board/board.h"
#include "display/layout.h"
#include "display/resolutions.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "harness.h"
#include "measure.h"

namespace {

struct PassCosts {
    std::vector<double> thread;   // ms of the main thread's CPU
    std::vector<double> process;  // ms of the process's CPU (audio thread too)
    std::vector<double> wall;     // ms
    int64_t shown = 0;            // passes that composed and showed a frame
};

std::string SizeText;
bool HighDefinition = false;  // 1920x1080: the CPU, pacing and background targets apply
bool UltraHighDefinition = false;  // 3840x2160: the memory target applies
bool SmallInXvfb = false;  // 1024x576 in a window of a virtual X display: the memory target applies

// Moves the board and every tile on it (falling ones too) so that the
// board's top edge is at y, as the rise does pixel by pixel.
void PlaceBoardTop(int y)
{
    const int delta = y - Game.OffsetY;
    Game.OffsetY = y;
    for (BoardCell& cell : Game.board) {
        cell.top += delta;
        cell.bottom += delta;
    }
}

// How the board moves while a state is measured.
enum BoardMotion {
    BoardAsItIs,     // the state's own logic moves it (or not)
    BoardRising,     // held on screen, rising a pixel every other pass
    BoardEveryPass,  // held on screen, moving a pixel every pass
};

// The screen covered with tiles from just below its top edge (the level
// ends when the top reaches the stop line at 0), moved as asked.
void KeepBoardOnScreen(BoardMotion motion, int pass)
{
    const int step = motion == BoardEveryPass ? pass % 2 : (pass / 2) % 2;
    PlaceBoardTop(2 + step);
}

PassCosts MeasurePasses(int passes, BoardMotion motion)
{
    PassCosts costs;
    const int64_t shownBefore = framesShown();
    for (int i = 0; i < passes && !QuitFlag; ++i) {
        if (motion != BoardAsItIs)
            KeepBoardOnScreen(motion, i);
        const double wall = bench::SteadySeconds();
        const double process = bench::ProcessCpuSeconds();
        const double thread = bench::ThreadCpuSeconds();
        RunOnePass();
        costs.thread.push_back((bench::ThreadCpuSeconds() - thread) * 1e3);
        costs.process.push_back((bench::ProcessCpuSeconds() - process) * 1e3);
        costs.wall.push_back((bench::SteadySeconds() - wall) * 1e3);
    }
    costs.shown = framesShown() - shownBefore;
    return costs;
}

void PrintSingle(const std::string& name, double value, const char* unit, const std::string& target)
{
    std::printf("%-52s %10.2f %10s %10s  %-6s %s\n", name.c_str(), value, "-", "-", unit, target.c_str());
}

void PrintCosts(const std::string& state, const PassCosts& costs, const std::string& target = "")
{
    bench::PrintRow("pass CPU, " + state + ", " + SizeText, bench::Summarise(costs.thread), "ms", target);
    bench::PrintRow("  with the audio thread", bench::Summarise(costs.process), "ms", "");
    bench::PrintRow("  wall time", bench::Summarise(costs.wall), "ms", "");
    PrintSingle("  passes that showed a new frame", 100.0 * double(costs.shown) / double(costs.wall.size()), "%", "");
}


bool Fail(const char* what)
{
    std::fprintf(stderr, "bench_frames: %s (state %d)\n", what, ScreenState);
    return false;
}

// Main menu -> settings, measured at rest, then back.
bool MeasureSettings(int passes)
{
    ClickRecord(MainMenuButtons[3]);
    if (!RunUntilState(StateSettings, 60))
        return Fail("no settings screen");
    RunPasses(30);
    PointAt(CentreX(SettingsButtons[1]), CentreY(SettingsButtons[1]));
    PrintCosts("settings at rest", MeasurePasses(passes, BoardAsItIs));
    TapKey(KeyEscape);
    if (!RunUntilState(StateMainMenu, 60))
        return Fail("settings did not close");
    RunPasses(30);
    return true;
}

// Main menu -> quick game -> INSANE -> play.
bool StartInsane()
{
    ClickRecord(MainMenuButtons[2]);
    if (!RunUntilState(StateQuickGame, 60))
        return Fail("no quick-game screen");
    RunPasses(30);
    ClickRecord(QuickGameButtons[4]);
    if (!RunUntilState(StateGetReady, 60) || Game.mode != ModeInsane)
        return Fail("INSANE did not start");
    return RunUntilState(StatePlay, 300) || Fail("no play");
}

// Lets the full board reach the stop line: the finished panel slides in
// over it (measured) and comes to rest.
bool FinishFullBoard(int finishedState, const std::string& name, int passes)
{
    PlaceBoardTop(3);
    if (!RunUntilState(finishedState, 20))
        return Fail("the level did not end");
    PrintCosts(name + ", panel sliding in", MeasurePasses(25, BoardAsItIs));
    PrintCosts(name + ", at rest", MeasurePasses(passes, BoardAsItIs));
    return true;
}

// Paced play: intervals between the starts of consecutive passes.
void MeasurePacing(int passes)
{
    setFrameRate(60);
    std::vector<double> starts;
    for (int i = 0; i <= passes && !QuitFlag; ++i) {
        KeepBoardOnScreen(BoardRising, i);
        starts.push_back(bench::SteadySeconds());
        RunOnePass();
    }
    setFrameRate(0);
    std::vector<double> intervals;
    for (size_t i = 1; i < starts.size(); ++i)
        intervals.push_back((starts[i] - starts[i - 1]) * 1e3);
    const bench::Summary s = bench::Summarise(intervals);
    bench::PrintRow("pass interval, paced 60/s, play, " + SizeText, s, "ms", "16.67");
    PrintSingle("  mean interval", s.mean, "ms", "16.67");
    PrintSingle("  interval standard deviation", s.deviation, "ms", HighDefinition ? "< 1 ms" : "");
    PrintSingle("  passes per second", 1e3 / s.mean, "1/s", "60");
}

// Focus lost during play, paced as the game runs: the share of one core
// over one-second windows.
void MeasureBackground(int seconds, int frameRate)
{
    setFrameRate(frameRate);
    injectWindowEvent(EventDeactivate);
    RunOnePass();
    std::vector<double> process;
    std::vector<double> thread;
    int passes = 0;
    for (int window = 0; window < seconds; ++window) {
        const double wall = bench::SteadySeconds();
        const double processCpu = bench::ProcessCpuSeconds();
        const double threadCpu = bench::ThreadCpuSeconds();
        while (bench::SteadySeconds() - wall < 1.0) {
            RunOnePass();
            ++passes;
        }
        const double elapsed = bench::SteadySeconds() - wall;
        process.push_back((bench::ProcessCpuSeconds() - processCpu) / elapsed * 100);
        thread.push_back((bench::ThreadCpuSeconds() - threadCpu) / elapsed * 100);
    }
    injectWindowEvent(EventActivate);
    RunOnePass();
    setFrameRate(0);
    if (frameRate == 0) {
        // Diagnostic: the same without the pacing's wait before each pass.
        bench::PrintRow("  the same unpaced", bench::Summarise(process), "%", "");
        return;
    }
    bench::PrintRow("background CPU, " + SizeText, bench::Summarise(process), "%", HighDefinition ? "< 1 %" : "");
    bench::PrintRow("  main thread only", bench::Summarise(thread), "%", "");
    PrintSingle("  passes per second in the background", passes / double(seconds), "1/s", "");
}

bool Run(int passes)
{
    if (!RunUntilState(StateMainMenu, 400))
        return Fail("no main menu");
    RunPasses(30);
    PrintSingle("peak resident after start-up, " + SizeText, bench::PeakResidentMegabytes(), "MB", "");

    if (!MeasureSettings(passes))
        return false;

    if (!StartInsane())
        return false;
    const std::string busyTarget = HighDefinition ? "< 3 ms" : UltraHighDefinition ? "< 10 ms" : "";
    PrintCosts("play INSANE, full board moving every pass", MeasurePasses(passes, BoardEveryPass), busyTarget);
    PrintCosts("play INSANE, full board rising", MeasurePasses(passes, BoardRising));
    MeasurePacing(passes);
    MeasureBackground(5, 60);
    MeasureBackground(3, 0);

    if (!FinishFullBoard(StateQuickFinished, "quick game finished, full board", passes))
        return false;

    // Campaign level 25 (12 x 12), chosen as the level-select screen does.
    Game.mode = ModeCampaign;
    Game.levelColumn = 4;
    Game.levelRow = 4;
    Game.levelChosen = true;
    StartLevel();
    if (!RunUntilState(StatePlay, 300))
        return Fail("level 25 did not start");
    if (!FinishFullBoard(StateLevelFinished, "level finished, full board", passes))
        return false;

    const double peak = bench::PeakResidentMegabytes();
    PrintSingle("peak resident, start-up and play, " + SizeText, peak, "MB",
                HighDefinition ? "< 150 MB" : UltraHighDefinition ? "< 300 MB" : SmallInXvfb ? "< 110 MB" : "");
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const int resolution = argc > 1 ? std::atoi(argv[1]) : 4;
    const int passes = argc > 2 ? std::atoi(argv[2]) : 600;
    if (resolution < 0 || resolution > HighestResolution || passes <= 0) {
        std::fprintf(stderr, "usage: bench_frames [resolution 0..9] [passes]\n");
        return 2;
    }
    SizeText = ResolutionText(resolution);
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const bool x11 = driver && std::string(driver) == "x11";
    if (x11)
        SizeText += " in Xvfb";
    HighDefinition = resolution == 4 && !x11;
    UltraHighDefinition = resolution == 9 && !x11;
    SmallInXvfb = resolution == 0 && x11;
    const std::string folder = MakeGameFolder(WindowedPreferences(resolution));
    if (!StartTestGame(folder)) {
        std::fprintf(stderr, "bench_frames: the game did not start\n");
        return 1;
    }
    const bool ok = Run(passes);
    StopTestGame();
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
