// morvane_pack: builds a data archive from member files.
//
//   morvane_pack -o OUT [-l LEVEL] [--old-form] [--manifest FILE] [NAME=PATH ...]
//
// Each manifest line is "member-name<TAB>path"; empty lines are skipped.
// Every member is read back from the finished archive and compared with its
// file before the tool reports success.
#include "assets/archive_writer.h"
#include "assets/data_archive.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct PackOptions {
    std::string output;
    int level = 8;
    int form = ArchiveFormCurrent;
    std::vector<std::pair<std::string, std::string>> sources;  // name, path
};

// The command line, on standard error.
void Usage()
{
    std::fprintf(stderr,
                 "usage: morvane_pack -o OUT [-l LEVEL 0..8] [--old-form] "
                 "[--manifest FILE] [NAME=PATH ...]\n");
}

// A whole member file.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

// Reads "name<TAB>path" lines; a CR before the line end is dropped.
bool ReadManifest(const std::string& path, PackOptions& options)
{
    std::ifstream file(path);
    if (!file) {
        std::fprintf(stderr, "morvane_pack: cannot read manifest %s\n", path.c_str());
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        number++;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos || tab == 0 || tab + 1 == line.size()) {
            std::fprintf(stderr, "morvane_pack: %s:%d: expected name<TAB>path\n", path.c_str(), number);
            return false;
        }
        options.sources.emplace_back(line.substr(0, tab), line.substr(tab + 1));
    }
    return true;
}

// Options, manifests and NAME=PATH members, in command-line order.
bool ParseArguments(int argc, char** argv, PackOptions& options)
{
    for (int i = 1; i < argc; i++) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "-o" && hasValue) {
            options.output = argv[++i];
        } else if (arg == "-l" && hasValue) {
            char* end = nullptr;
            const long level = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || level < 0 || level > 8)
                return false;
            options.level = static_cast<int>(level);
        } else if (arg == "--old-form") {
            options.form = ArchiveFormOld;
        } else if (arg == "--manifest" && hasValue) {
            if (!ReadManifest(argv[++i], options))
                return false;
        } else if (arg.find('=') != std::string::npos && arg.find('=') > 0) {
            const size_t eq = arg.find('=');
            options.sources.emplace_back(arg.substr(0, eq), arg.substr(eq + 1));
        } else {
            return false;
        }
    }
    return !options.output.empty();
}

// Reads the archive back and compares every member with what was packed.
bool VerifyArchive(const std::string& path, const std::vector<PackMember>& members)
{
    DataArchive archive;
    if (!OpenDataArchive(archive, path) || archive.damagedTail)
        return false;
    bool same = true;
    for (const PackMember& member : members) {
        std::vector<uint8_t> buffer(member.bytes.size() + 1);
        const size_t got = ExtractMember(archive, buffer.data(), buffer.size(), member.name);
        if (got != member.bytes.size() || !std::equal(member.bytes.begin(), member.bytes.end(), buffer.begin())) {
            std::fprintf(stderr, "morvane_pack: member %s does not read back\n", member.name.c_str());
            same = false;
        }
    }
    CloseDataArchive(archive);
    return same;
}

} // namespace

// Reads the members, writes the archive, reads it back.
int main(int argc, char** argv)
{
    PackOptions options;
    if (!ParseArguments(argc, argv, options)) {
        Usage();
        return 2;
    }
    std::vector<PackMember> members;
    uint64_t total = 0;
    for (const auto& [name, path] : options.sources) {
        PackMember member{name, {}};
        if (!ReadFileBytes(path, member.bytes)) {
            std::fprintf(stderr, "morvane_pack: cannot read %s\n", path.c_str());
            return 1;
        }
        total += member.bytes.size();
        members.push_back(std::move(member));
    }
    if (!WriteDataArchive(options.output, members, options.level, options.form)) {
        std::fprintf(stderr, "morvane_pack: cannot write %s (a member name may appear twice)\n",
                     options.output.c_str());
        return 1;
    }
    // NOTE: empty members read back as 0 bytes, like missing ones; they are
    // allowed but cannot be told apart from a failure by the game.
    std::vector<PackMember> nonEmpty;
    for (PackMember& member : members)
        if (!member.bytes.empty())
            nonEmpty.push_back(std::move(member));
    if (!VerifyArchive(options.output, nonEmpty)) {
        std::remove(options.output.c_str());
        return 1;
    }
    std::FILE* out = std::fopen(options.output.c_str(), "rb");
    long packed = 0;
    if (out) {
        std::fseek(out, 0, SEEK_END);
        packed = std::ftell(out);
        std::fclose(out);
    }
    std::printf("morvane_pack: %zu members, %llu bytes -> %ld bytes\n", options.sources.size(),
                static_cast<unsigned long long>(total), packed);
    return 0;
}
