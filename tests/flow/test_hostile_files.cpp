// Hostile files beside the program, through the real start-up headless: a
// language archive made to exhaust memory, and preferences that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "flow/flow.h"
#include "harness.h"
#include "language/language_files.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "settings/ini.h"
#include "settings/preferences.h"
#include "startup/folders.h"

namespace fs = std::filesystem;

namespace {

// Peak resident kilobytes of a child process that takes the languages of
// the folder as the start-up does; 0 when they were not all there.
long LanguagePeakKilobytes(const std::string& folder, size_t languages)
{
    const pid_t child = fork();
    if (child == 0) {
        const std::string source = LanguageSource(folder);
        const bool taken = ScanLanguages(source) && LanguageList.size() == languages &&
                           LoadLanguage(source, FallbackLanguage);
        _exit(taken ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return 0;
    return usage.ru_maxrss;
}

} // namespace

TEST(HostileFiles, ALanguageArchiveCannotExhaustMemoryNorWriteOutsideTheGame)
{
    const std::string normal = MakeGameFolder(WindowedPreferences(0));
    const std::string hostile = MakeGameFolder(WindowedPreferences(0));
    const std::string shipped = normal + "Morvane.languages/";
    const std::vector<std::string> names = listFolder(shipped);
    const size_t languages = std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return name.ends_with(".language");
    });
    fs::remove_all(hostile + "Morvane.languages");
    ASSERT_TRUE(writeFileAtomic(hostile + "Morvane.languages", HostileArchive(shipped)));

    const long normalPeak = LanguagePeakKilobytes(normal, languages);
    const long hostilePeak = LanguagePeakKilobytes(hostile, languages);
    ASSERT_GT(normalPeak, 0);
    ASSERT_GT(hostilePeak, 0) << "the archive lost the languages";
    // At most 8 MB kept, with room to read and parse (and, in a sanitizer
    // build, for the freed blocks it holds back).
    EXPECT_LT(hostilePeak - normalPeak, 16 * 1024) << "peak KB: " << normalPeak << " with the shipped "
                                                  << "languages, " << hostilePeak << " with the archive";

    // The whole start-up with the archive: the game starts with its languages,
    // saves beside the program, and nothing is unpacked or written elsewhere.
    ASSERT_TRUE(StartTestGame(hostile));
    EXPECT_EQ(LanguageList.size(), languages);
    EXPECT_FALSE(text("tMenuSTART").empty());
    QuitFlag = 1;
    StopTestGame();
    EXPECT_EQ(listFolder(hostile), (std::vector<std::string>{"Morvane.data", "Morvane.languages",
                                                             "Morvane.pointer", "Morvane.prefs",
                                                             "Morvane.scores"}));
    EXPECT_FALSE(fs::exists(hostile + "xdg"));
    for (const std::string& name : names)
        EXPECT_FALSE(fs::exists("/tmp/" + name)) << name;
    fs::remove_all(normal);
    fs::remove_all(hostile);
}

TEST(HostileFiles, PreferencesBesideTheProgramThatCannotBeReadKeepTheGameThere)
{
    const std::string tooBig = "[Settings]\r\nMusic = 0\r\n;" + std::string(IniFileCap, 'x');
    const char bad[] = "\xEF\xBB\xBF\0\xFF[Set\0tings]\r\nMusic\0= 0\r\n\x80";
    const std::string badBytes(bad, sizeof bad - 1);
    for (const std::string& contents : {tooBig, badBytes}) {
        const std::string folder = MakeGameFolder(contents);
        ASSERT_TRUE(StartTestGame(folder));
        EXPECT_EQ(SaveTo, folder);
        EXPECT_EQ(Prefs.music, 1);
        QuitFlag = 1;
        StopTestGame();
        EXPECT_TRUE(ReadFileText(folder + "Morvane.prefs") == PreferencesText()) << "not saved beside the program";
        EXPECT_FALSE(fs::exists(UserDir)) << UserDir;
        fs::remove_all(folder);
    }
}
