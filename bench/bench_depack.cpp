// Depacking throughput of the data archive's BriefLZ streams, in MB of
// output per second, on a mixed member of a few MB packed with 1 MB blocks
// (level 8, as the game's archive is packed).
//
//   bench_depack [megabytes] [runs]
#include "assets/brieflz.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

namespace {

// Stretches of text-like words, random bytes (like PNG and OGG data) and
// runs of one byte, in random order and lengths.
std::vector<uint8_t> MixedMember(size_t size, uint32_t seed)
{
    static const char* const words[] = {"tile ", "board ", "rises ", "three ", "match ", "the ",
                                        "of ", "level ", "stars\n", "panel ", "glazed ", "a "};
    std::mt19937 random(seed);
    std::vector<uint8_t> out;
    out.reserve(size);
    while (out.size() < size) {
        const size_t stretch = std::min<size_t>(size - out.size(), 16384 + random() % 131072);
        const int kind = static_cast<int>(random() % 3);
        for (size_t i = 0; i < stretch;) {
            if (kind == 0) {
                for (const char* w = words[random() % 12]; *w && i < stretch; w++, i++)
                    out.push_back(static_cast<uint8_t>(*w));
            } else if (kind == 1) {
                out.push_back(static_cast<uint8_t>(random() >> 24));
                i++;
            } else {
                out.push_back(static_cast<uint8_t>(seed));
                i++;
            }
        }
    }
    return out;
}

struct Timing {
    double median;
    double best;
    double worst;
    double cpuMedian;  // by the process's CPU time, less disturbed by a busy machine
};

// Rates in MB/s over `runs` decodes of the stream.
Timing MeasureDepack(const std::vector<uint8_t>& stream, std::vector<uint8_t>& out, int runs, bool& ok)
{
    std::vector<double> rates;
    std::vector<double> cpuRates;
    ok = true;
    for (int run = 0; run < runs; run++) {
        const std::clock_t cpuStart = std::clock();
        const auto start = std::chrono::steady_clock::now();
        ok = ok && DepackStream(stream.data(), stream.size(), out.data(), out.size());
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        rates.push_back(double(out.size()) / 1e6 / seconds);
        cpuRates.push_back(double(out.size()) / 1e6 / std::max(cpuSeconds, 1e-6));
    }
    std::sort(rates.begin(), rates.end());
    std::sort(cpuRates.begin(), cpuRates.end());
    return Timing{rates[rates.size() / 2], rates.back(), rates.front(), cpuRates[cpuRates.size() / 2]};
}

} // namespace

// Packs each member once, then times repeated depacking.
int main(int argc, char** argv)
{
    const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 4;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 30;
    if (megabytes == 0 || runs <= 0) {
        std::fprintf(stderr, "usage: bench_depack [megabytes] [runs]\n");
        return 2;
    }
    struct Member {
        const char* kind;
        std::vector<uint8_t> bytes;
    };
    const size_t size = megabytes << 20;
    std::vector<Member> members;
    members.push_back({"mixed", MixedMember(size, 1)});
    members.push_back({"random", std::vector<uint8_t>(size)});
    std::mt19937 random(7);
    for (uint8_t& b : members.back().bytes)
        b = static_cast<uint8_t>(random() >> 24);

    std::printf("%-8s %10s %10s %9s %12s %12s %12s %12s\n", "member", "size", "packed", "pack s", "median MB/s",
                "best MB/s", "worst MB/s", "CPU MB/s");
    bool allOk = true;
    for (const Member& member : members) {
        const auto start = std::chrono::steady_clock::now();
        const std::vector<uint8_t> stream = PackStream(member.bytes.data(), member.bytes.size(), 8);
        const double packSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::vector<uint8_t> out(member.bytes.size());
        bool ok = false;
        const Timing timing = MeasureDepack(stream, out, runs, ok);
        ok = ok && out == member.bytes;
        allOk = allOk && ok;
        std::printf("%-8s %10zu %10zu %9.2f %12.0f %12.0f %12.0f %12.0f%s\n", member.kind, member.bytes.size(),
                    stream.size(), packSeconds, timing.median, timing.best, timing.worst, timing.cpuMedian,
                    ok ? "" : "  DECODE MISMATCH");
    }
    return allOk ? 0 : 1;
}
