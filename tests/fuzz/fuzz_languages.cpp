// libFuzzer target: the language readers on a ZIP and on one file; no crash,
// the limits kept, every listed language loads.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"

namespace {

// A folder of its own for the files under test, removed at the end.
struct FuzzFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("morvane-fuzz-languages-" + std::to_string(std::random_device{}()));
    FuzzFolder() { std::filesystem::create_directories(path / "folder"); }
    ~FuzzFolder() { std::filesystem::remove_all(path); }
};
const FuzzFolder Scratch;
const std::string Folder = Scratch.path.string() + "/";

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  static_cast<std::streamsize>(size));
}

// Every member of every name, within the limits the languages use.
void CheckLimits(const std::string& archive)
{
    const ZipLimits limits{LanguageEntryCap, LanguageMemberCap, LanguageTotalCap};
    std::vector<ZipMember> members;
    readZipMembers(archive, limits, [](const std::string&) { return true; }, members);
    size_t kept = 0;
    for (const ZipMember& member : members) {
        kept += member.name.size() + member.bytes.size();
        if (member.name.empty() || member.name.find_first_of("/\\") != std::string::npos ||
            member.bytes.size() > LanguageMemberCap)
            std::abort();
    }
    if (members.size() > static_cast<size_t>(LanguageEntryCap) || kept > LanguageTotalCap)
        std::abort();
}

// Every listed language loads from the source it was listed from.
void CheckSource(const std::string& source)
{
    if (ScanLanguages(source)) {
        for (const LanguageEntry& entry : LanguageList) {
            if (!LoadLanguage(source, entry.id))
                std::abort();
        }
    }
    // The run-long tables would otherwise grow with every input.
    ClearLanguages();
    TextTable.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WriteFile(Folder + "Morvane.languages", data, size);
    CheckLimits(Folder + "Morvane.languages");
    CheckSource(Folder + "Morvane.languages");
    WriteFile(Folder + "folder/fuzz.language", data, size);
    CheckSource(Folder + "folder");
    return 0;
}
