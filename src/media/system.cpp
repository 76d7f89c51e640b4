// System queries for the folders, the language choice and the log.
#include "media/media_internal.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <limits.h>
#include <pwd.h>
#include <sched.h>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace {

// A folder path ending in "/".
std::string WithSlash(std::string path)
{
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

}  // namespace

// The folder of the running executable, with a trailing "/".
std::string programFolder()
{
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) {
        return "./";
    }
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// $HOME, else the password database.
std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') {
        return WithSlash(home);
    }
    struct passwd entry;
    struct passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_dir) {
        return WithSlash(found->pw_dir);
    }
    return "";
}

// The XDG data home: $XDG_DATA_HOME when absolute, else ~/.local/share/.
std::string userDataFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') {
        return WithSlash(data);
    }
    std::string home = homeFolder();
    return home.empty() ? "" : home + ".local/share/";
}

// The messages locale as a tag: "de_DE.UTF-8" -> "de-DE"; "C" -> "".
std::string localeName()
{
    std::string name;
    // Asks what the environment selects, then puts the process back as it was.
    const char* previous = std::setlocale(LC_MESSAGES, nullptr);
    std::string kept = previous ? previous : "C";
    const char* current = std::setlocale(LC_MESSAGES, "");
    if (current) {
        name = current;
    }
    std::setlocale(LC_MESSAGES, kept.c_str());
    const char* variables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    for (const char* variable : variables) {
        if (!name.empty()) {
            break;
        }
        const char* value = std::getenv(variable);
        if (value && value[0]) {
            name = value;
        }
    }
    size_t cut = name.find_first_of(".@");
    if (cut != std::string::npos) {
        name.resize(cut);
    }
    if (name == "C" || name == "POSIX") {
        return "";
    }
    for (char& c : name) {
        if (c == '_') {
            c = '-';
        }
    }
    return name;
}

// NOTE: the game's version table knows only another platform's versions;
// 200 is its "not recognised" value, which selects the locale branch.
int osVersionCode()
{
    return 200;
}

// The processor's model name, "" when unknown.
std::string cpuName()
{
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("model name", 0) == 0) {
            size_t colon = line.find(':');
            if (colon != std::string::npos) {
                size_t start = line.find_first_not_of(" \t", colon + 1);
                return start == std::string::npos ? "" : line.substr(start);
            }
        }
    }
    return "";
}

// Logical processors of the machine.
int cpuCountTotal()
{
    unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? static_cast<int>(count) : 1;
}

// The processors this process may run on.
int cpuCountAvailable()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) {
        return cpuCountTotal();
    }
    int count = CPU_COUNT(&set);
    return count > 0 ? count : 1;
}

// Physical memory in bytes.
uint64_t totalMemoryBytes()
{
    struct sysinfo info;
    if (sysinfo(&info) != 0) {
        return 0;
    }
    return static_cast<uint64_t>(info.totalram) * info.mem_unit;
}

// Memory free or in buffers, in bytes.
uint64_t freeMemoryBytes()
{
    struct sysinfo info;
    if (sysinfo(&info) != 0) {
        return 0;
    }
    return static_cast<uint64_t>(info.freeram + info.bufferram) * info.mem_unit;
}

// The architecture this build runs as, in the log's words.
std::string buildWord()
{
#if defined(__x86_64__)
    return "(x64)";
#elif defined(__i386__)
    return "(x86)";
#elif defined(__aarch64__)
    return "(arm64)";
#elif defined(__arm__)
    return "(arm)";
#elif defined(__riscv)
    return "(riscv64)";
#else
    return "(other)";
#endif
}
