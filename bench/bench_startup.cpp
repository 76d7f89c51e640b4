// Start-up time, windowed at a resolution index (4 = 1920x1080 by default),
// headless (dummy video, dummy audio): from the start of a fresh process to
// the splash on screen, and to the main menu answering input (its panel at
// rest after the splash and the title intro, the game paced at 60 passes
// per second as it runs). Each run is a new process: the parent takes the
// time, then starts this program again in its child role, which runs the
// real StartGame and the main loop and reports the steady-clock times (the
// same clock in both processes) and the steps of StartGame (StartupTimings).
//
//   bench_startup [runs] [resolution]
//
// Prints table rows: median, min, max over the runs, in milliseconds. One
// extra run before them warms the file cache and is not counted.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "display/resolutions.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "harness.h"
#include "measure.h"
#include "startup/startup.h"

extern char** environ;

namespace {

// The steps in the order StartGame takes them, with the names printed.
const char* const StepNames[] = {"exec",   "folders",     "subsystems", "fontPass", "soundPass",
                                 "screen", "picturePass", "gameFonts",  "panels",   "finish",
                                 "startGame"};

const char* StepLabel(const std::string& step)
{
    static const std::map<std::string, const char*> labels = {
        {"exec", "  process start to main()"},
        {"folders", "  folders, preferences, languages"},
        {"subsystems", "  video, keyboard, mouse, sound"},
        {"fontPass", "  asset pass 1: font"},
        {"soundPass", "  asset pass 2: sounds"},
        {"screen", "  window and screen, progress"},
        {"picturePass", "  asset pass 3: pictures and tiles"},
        {"gameFonts", "  the 26 game fonts"},
        {"panels", "  pre-rendering the panels"},
        {"finish", "  window shown, music started"},
        {"startGame", "  StartGame in all"},
    };
    auto found = labels.find(step);
    return found == labels.end() ? step.c_str() : found->second;
}

// The child: the real start-up and the main loop up to the main menu at
// rest, then the orderly end.
int RunChild(const std::string& folder, double spawnedAt)
{
    const double entered = bench::SteadySeconds();
    SetGameDirForTests(folder);
    if (!StartGame({}))
        return 1;
    const double started = bench::SteadySeconds();
    const double startCpu = bench::ProcessCpuSeconds();
    while (!QuitFlag && !(ScreenState == StateMainMenu && MainMenuPanel.slide == 0))
        RunOnePass();
    const double menu = bench::SteadySeconds();
    const StartupTimings& t = LastStartupTimings;
    std::printf("exec %.9f folders %.9f subsystems %.9f fontPass %.9f soundPass %.9f screen %.9f "
                "picturePass %.9f gameFonts %.9f panels %.9f finish %.9f startGame %.9f "
                "splash %.9f menu %.9f cpu %.9f peakMB %.3f\n",
                entered - spawnedAt, t.folders, t.subsystems, t.fontPass, t.soundPass, t.screen, t.picturePass,
                t.gameFonts, t.panels, t.finish, started - entered, entered - spawnedAt + t.splashShown,
                menu - spawnedAt, startCpu, bench::PeakResidentMegabytes());
    std::fflush(stdout);
    EndGame();
    return 0;
}

// Starts the child role and reads its one line of figures.
bool RunOnce(const std::string& folder, std::map<std::string, double>& figures)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);

    char spawnedAt[64];
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const double now = bench::SteadySeconds();
    std::snprintf(spawnedAt, sizeof spawnedAt, "%.9f", now);
    char role[] = "--child";
    std::vector<char*> argv = {self.data(), role, const_cast<char*>(folder.c_str()), spawnedAt, nullptr};
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed != 0) {
        close(out[0]);
        return false;
    }
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    std::istringstream in(text);
    std::string key;
    double value = 0;
    while (in >> key >> value)
        figures[key] = value;
    return figures.count("menu") != 0;
}

} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (argc == 4 && std::string(argv[1]) == "--child")
        return RunChild(argv[2], std::strtod(argv[3], nullptr));

    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    const int resolution = argc > 2 ? std::atoi(argv[2]) : 4;
    if (runs <= 0 || resolution < 0 || resolution > HighestResolution) {
        std::fprintf(stderr, "usage: bench_startup [runs] [resolution 0..9]\n");
        return 2;
    }
    const std::string folder = MakeGameFolder(WindowedPreferences(resolution));
    std::map<std::string, std::vector<double>> series;
    bool ok = true;
    for (int run = -1; run < runs && ok; ++run) {
        std::map<std::string, double> figures;
        ok = RunOnce(folder, figures);
        if (run >= 0)
            for (const auto& [key, value] : figures)
                series[key].push_back(value);
    }
    std::filesystem::remove_all(folder);
    if (!ok) {
        std::fprintf(stderr, "bench_startup: the game did not start\n");
        return 1;
    }
    const std::string size = ResolutionText(resolution);
    const bool hd = resolution == 4;
    bench::PrintRow("splash on screen, " + size, bench::Summarise(bench::Scaled(series["splash"], 1e3)), "ms",
                    hd ? "< 250 ms" : "");
    bench::PrintRow("main menu answers input, " + size, bench::Summarise(bench::Scaled(series["menu"], 1e3)), "ms",
                    hd ? "<= today" : "");
    bench::PrintRow("  process CPU time of StartGame", bench::Summarise(bench::Scaled(series["cpu"], 1e3)), "ms", "");
    for (const char* step : StepNames)
        bench::PrintRow(StepLabel(step), bench::Summarise(bench::Scaled(series[step], 1e3)), "ms", "");
    bench::PrintRow("peak resident at the main menu, " + size, bench::Summarise(series["peakMB"]), "MB", "");
    return 0;
}
