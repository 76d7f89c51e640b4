#include "harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "board/board.h"
#include "display/layout.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "media/media.h"
#include "startup/startup.h"

namespace fs = std::filesystem;

std::string WindowedPreferences(int resolution, int music, int sounds, const std::string& language)
{
    std::string text = "\xEF\xBB\xBF\r\n; Morvane Preferences\r\n[Settings]\r\n";
    text += "Language = " + language + "\r\n";
    text += "Music = " + std::to_string(music) + "\r\n";
    text += "GameScreen = 1\r\n";
    text += "Resolution = " + std::to_string(resolution) + "\r\n";
    text += "Completed = 0\r\n";
    text += "Sounds = " + std::to_string(sounds) + "\r\n";
    text += "MusicVolume = 100\r\n";
    return text;
}

std::string MakeGameFolder(const std::string& preferencesText)
{
    std::random_device entropy;
    const fs::path base = fs::temp_directory_path() / ("morvane-test-" + std::to_string(entropy()));
    fs::create_directories(base);
    const fs::path game = MORVANE_GAME_DIR;
    fs::copy_file(game / "Morvane.data", base / "Morvane.data");
    if (fs::exists(game / "Morvane.pointer"))
        fs::copy_file(game / "Morvane.pointer", base / "Morvane.pointer");
    fs::copy(game / "Morvane.languages", base / "Morvane.languages", fs::copy_options::recursive);
    if (!preferencesText.empty()) {
        std::ofstream prefs(base / "Morvane.prefs", std::ios::binary);
        prefs << preferencesText;
    }
    const std::string xdg = (base / "xdg").string();
    ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
    return base.string() + "/";
}

bool StartTestGame(const std::string& folder, bool withLog)
{
    SetGameDirForTests(folder);
    std::vector<std::string> arguments;
    if (withLog)
        arguments.push_back("/LOG");
    if (!StartGame(arguments))
        return false;
    setFrameRate(0);
    seedShuffle(20261207);
    return true;
}

void StopTestGame()
{
    EndGame();
}

void RunPasses(int count)
{
    for (int i = 0; i < count && !QuitFlag; ++i)
        RunOnePass();
}

bool RunUntilState(int state, int maxPasses)
{
    for (int i = 0; i < maxPasses && !QuitFlag; ++i) {
        if (ScreenState == state)
            return true;
        RunOnePass();
    }
    return ScreenState == state;
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

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
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
    for (const auto& [picture, cells] : VisibleTiles()) {
        if (cells.size() >= 3)
            return {cells[0], cells[1], cells[2]};
    }
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
        if (Game.falling || Game.selection.count != 0) {
            RunOnePass();
            continue;
        }
        const std::vector<int> triple = VisibleTriple();
        if (triple.empty()) {
            RunOnePass();
            continue;
        }
        for (int cell : triple) {
            if (ScreenState == StatePlay)
                ClickCell(cell);
        }
    }
    return ScreenState != StatePlay;
}
