#include "harness.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "display/layout.h"
#include "startup/startup.h"

namespace fs = std::filesystem;

std::string WindowedPreferences(int resolution, int music)
{
    return "\xEF\xBB\xBF\r\n; Morvane Preferences\r\n[Settings]\r\nLanguage = en_GB\r\nMusic = " + std::to_string(music) +
           "\r\nGameScreen = 1\r\nResolution = " + std::to_string(resolution) +
           "\r\nCompleted = 0\r\nSounds = 1\r\nMusicVolume = 100\r\n";
}

// The game folders made, removed when the program ends: each holds a copy of the archive.
struct GameFolders {
    std::vector<fs::path> made;
    ~GameFolders()
    {
        std::error_code ignored;
        for (const fs::path& folder : made)
            fs::remove_all(folder, ignored);
    }
} Made;

std::string MakeGameFolder(const std::string& preferencesText)
{
    const fs::path base = Made.made.emplace_back(fs::temp_directory_path() /
                                                 ("morvane-test-" + std::to_string(std::random_device{}())));
    const fs::path game = MORVANE_GAME_DIR;
    fs::create_directories(base);
    fs::copy_file(game / "Morvane.data", base / "Morvane.data");
    fs::copy_file(game / "Morvane.pointer", base / "Morvane.pointer");
    fs::copy(game / "Morvane.languages", base / "Morvane.languages", fs::copy_options::recursive);
    if (!preferencesText.empty())
        std::ofstream(base / "Morvane.prefs", std::ios::binary) << preferencesText;
    ::setenv("XDG_DATA_HOME", (base / "xdg").c_str(), 1);
    return base.string() + "/";
}

bool StartTestGame(const std::string& folder, bool withLog)
{
    SetGameDirForTests(folder);
    if (!StartGame(withLog ? std::vector<std::string>{"/LOG"} : std::vector<std::string>{}))
        return false;
    setFrameRate(0);
    seedShuffle(20261207);
    return true;
}

void StopTestGame()
{
    EndGame();
}

std::vector<std::string> LogLines(const std::string& folder)
{
    std::vector<std::string> lines;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().rfind("Log", 0) != 0)
            continue;
        std::ostringstream text;
        text << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        const std::string all = text.str();
        for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(all.substr(at, end - at));
    }
    return lines;
}

void RunPasses(int count)
{
    for (int i = 0; i < count && !QuitFlag; ++i)
        RunOnePass();
}

bool RunUntilState(int state, int maxPasses)
{
    for (int i = 0; i < maxPasses && !QuitFlag && ScreenState != state; ++i)
        RunOnePass();
    return ScreenState == state;
}

void Settle()
{
    for (int i = 0; i < 60 && !CurrentPanelAtRest(); ++i)
        RunOnePass();
    RunOnePass();
}

void PointAt(int x, int y)
{
    injectMouseMove(x, y);
    RunOnePass();
}

void ClickAt(int x, int y)
{
    injectMouseMove(x, y);
    injectMouseButton(1, true, x, y);
    injectMouseButton(1, false, x, y);
    RunOnePass();
}

void ClickRecord(const ButtonRecord& record)
{
    PointAt(CentreX(record), CentreY(record));
    ClickAt(CentreX(record), CentreY(record));
}

bool ClickThrough(const ButtonRecord& record, int state, int maxPasses)
{
    Settle();
    ClickRecord(record);
    return RunUntilState(state, maxPasses);
}

void TapKey(int scanCode)
{
    injectKey(scanCode, true);
    RunOnePass();
    injectKey(scanCode, false);
    RunOnePass();
}

int CentreX(const ButtonRecord& record)
{
    return (record.hitLeft + record.hitRight) / 2;
}

int CentreY(const ButtonRecord& record)
{
    return (record.hitTop + record.hitBottom) / 2;
}

bool OpenFromMainMenu(int choice, int state)
{
    const bool reached = ClickThrough(MainMenuButtons[choice], state, 60);
    Settle();
    return reached;
}

bool PlayCampaignLevel(int number)
{
    if (!RunUntilState(StateMainMenu, 400) || !OpenFromMainMenu(1, StateLevelSelect))
        return false;
    const LevelRecord& level = LevelByNumber(number);
    ClickAt((level.hitLeft + level.hitRight) / 2, (level.hitTop + level.hitBottom) / 2);
    return RunUntilState(StatePlay, 300);
}

std::map<int, std::vector<int>> VisibleTiles()
{
    std::map<int, std::vector<int>> visible;
    for (int i = 0; i < static_cast<int>(Game.board.size()); ++i) {
        const BoardCell& cell = Game.board[static_cast<size_t>(i)];
        if (cell.picture && cell.fall == 0 && cell.top > 0 && cell.bottom < ScreenHeight)
            visible[cell.picture].push_back(i);
    }
    return visible;
}

std::vector<int> VisibleTriple()
{
    for (const auto& [picture, cells] : VisibleTiles())
        if (cells.size() >= 3)
            return {cells[0], cells[1], cells[2]};
    return {};
}

void ClickCell(int index)
{
    const BoardCell& cell = Game.board[static_cast<size_t>(index)];
    ClickAt((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
}

bool ClearBoard(int maxPasses)
{
    for (int guard = 0; guard < maxPasses && ScreenState == StatePlay; ++guard) {
        const std::vector<int> triple = Game.falling || Game.selection.count ? std::vector<int>() : VisibleTriple();
        if (triple.empty())
            RunOnePass();
        for (int cell : triple)
            if (ScreenState == StatePlay)
                ClickCell(cell);
    }
    return ScreenState != StatePlay;
}
