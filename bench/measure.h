// Small measuring kit shared by the benchmarks: clocks, memory figures from
// /proc, and the summary of a series (median, min, max, mean, deviation).
#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

inline double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline double CpuSeconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// CPU time of the calling thread (the game's main loop runs on it).
inline double ThreadCpuSeconds()
{
    return CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
}

// CPU time of the whole process: the main loop and the audio thread.
inline double ProcessCpuSeconds()
{
    return CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
}

// A "Vm...:" line of /proc/self/status in MB; -1 when missing.
inline double ProcStatusMegabytes(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, length, key) == 0 && line.size() > length && line[length] == ':')
            return std::stod(line.substr(length + 1)) / 1024.0;  // the file says kB
    }
    return -1;
}

inline double PeakResidentMegabytes()
{
    return ProcStatusMegabytes("VmHWM");
}

inline double ResidentMegabytes()
{
    return ProcStatusMegabytes("VmRSS");
}

struct Summary {
    double median = 0;
    double min = 0;
    double max = 0;
    double mean = 0;
    double deviation = 0;  // population standard deviation
    size_t count = 0;
};

inline Summary Summarise(std::vector<double> values)
{
    Summary s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    s.count = values.size();
    const size_t mid = values.size() / 2;
    s.median = values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
    s.min = values.front();
    s.max = values.back();
    double sum = 0;
    for (double v : values)
        sum += v;
    s.mean = sum / double(values.size());
    double squares = 0;
    for (double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.deviation = std::sqrt(squares / double(values.size()));
    return s;
}

// One table row: name, median, min, max (already in the unit given), target.
inline void PrintRow(const std::string& name, const Summary& s, const char* unit, const std::string& target)
{
    std::printf("%-52s %10.2f %10.2f %10.2f  %-6s %s\n", name.c_str(), s.median, s.min, s.max, unit,
                target.c_str());
}

inline void PrintHeader()
{
    std::printf("%-52s %10s %10s %10s  %-6s %s\n", "measure", "median", "min", "max", "unit", "target");
}

inline std::vector<double> Scaled(std::vector<double> values, double factor)
{
    for (double& v : values)
        v *= factor;
    return values;
}

} // namespace bench
