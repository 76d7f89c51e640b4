// Language sources: the time to list the languages and load one (as the
// start-up does), and the peak memory of a fresh process that does it, for
// the shipped languages (their folder, and a ZIP archive of them) and for a
// hostile archive (the same languages among 3000 members of 1 MB that pack to
// about 1 KB each, and a 64 MB member whose header claims 1000 bytes).
//
//   bench_languages [runs]
//
// Prints table rows: median, min, max over the runs.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "harness.h"
#include "language/language_files.h"
#include "language/languages.h"
#include "measure.h"
#include "media/media.h"

namespace {

bool TakeLanguages(const std::string& source)
{
    return ScanLanguages(source) && LoadLanguage(source, FallbackLanguage);
}

// Peak resident MB of a fresh process (this program in its child role) that
// takes the languages; -1 if it failed.
double ChildPeakMegabytes(const std::string& source)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::FILE* child = popen((self + " --child '" + source + "'").c_str(), "r");
    double peak = -1;
    if (!child || std::fscanf(child, "%lf", &peak) != 1)
        peak = -1;
    return child && pclose(child) == 0 ? peak : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--child") {
        const bool taken = TakeLanguages(argv[2]);
        std::printf("%.3f\n", bench::PeakResidentMegabytes());
        return taken ? 0 : 1;
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    const std::string folder = MakeGameFolder("");
    const std::string shipped = folder + "Morvane.languages";
    const std::string packed = folder + "shipped.zip";
    const std::string hostile = folder + "hostile.zip";
    if (runs <= 0 || !writeFileAtomic(packed, RawZip(StoredFolder(shipped))) ||
        !writeFileAtomic(hostile, HostileArchive(shipped))) {
        std::fprintf(stderr, "usage: bench_languages [runs]\n");
        return 2;
    }
    const std::pair<const char*, std::string> sources[] = {
        {"shipped languages, folder", shipped},
        {"shipped languages, ZIP archive", packed},
        {"hostile ZIP archive", hostile},
    };
    bool ok = true;
    for (const auto& [name, source] : sources) {
        std::vector<double> seconds, peaks;
        for (int run = 0; run < runs && ok; ++run) {
            const double start = bench::SteadySeconds();
            ok = TakeLanguages(source);
            seconds.push_back(bench::SteadySeconds() - start);
            peaks.push_back(ChildPeakMegabytes(source));
            ok = ok && peaks.back() > 0;
        }
        bench::PrintRow(std::string("list and load languages: ") + name,
                        bench::Summarise(bench::Scaled(seconds, 1e3)), "ms", "");
        bench::PrintRow("  peak resident of a process doing it", bench::Summarise(peaks), "MB", "");
    }
    ClearLanguages();
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
