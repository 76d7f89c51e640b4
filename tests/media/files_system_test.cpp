// Files, folders, ZIP members and the system queries.
#include "media/media.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "language/language_files.h"

namespace {

// A fresh folder under the test temporary folder.
std::string FreshFolder(const std::string& name)
{
    std::string folder = ::testing::TempDir() + "morvane_media_" + name + "_" + std::to_string(getpid()) + "/";
    for (const std::string& file : listFolder(folder)) {
        removeFile(folder + file);
    }
    EXPECT_TRUE(createFolder(folder));
    return folder;
}

std::string ReadText(const std::string& path)
{
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes, 1 << 20)) {
        return "<unreadable>";
    }
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(FilesTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile)
{
    std::string folder = FreshFolder("atomic");
    std::string path = folder + "Morvane.prefs";
    ASSERT_TRUE(writeFileAtomic(path, "first\r\n"));
    EXPECT_EQ(ReadText(path), "first\r\n");
    ASSERT_TRUE(writeFileAtomic(path, "second, longer\r\n"));
    EXPECT_EQ(ReadText(path), "second, longer\r\n");
    ASSERT_TRUE(writeFileAtomic(path, ""));
    EXPECT_EQ(fileSize(path), 0);
    EXPECT_EQ(listFolder(folder), std::vector<std::string>{"Morvane.prefs"});
    EXPECT_FALSE(writeFileAtomic(folder + "missing/inner.txt", "x"));
    EXPECT_FALSE(writeFileAtomic("", "x"));
    removeFile(path);
}

TEST(FilesTest, AFailedWriteKeepsTheOldFile)
{
    std::string folder = FreshFolder("failing");
    std::string path = folder + "Morvane.scores";
    ASSERT_TRUE(writeFileAtomic(path, "old progress"));

    // A file-size limit makes the write itself fail half-way (also as root).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = writeFileAtomic(path, std::string(4096, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadText(path), "old progress");
    EXPECT_EQ(listFolder(folder), std::vector<std::string>{"Morvane.scores"});

    // A folder we may not write to (meaningless for root, who may).
    if (geteuid() != 0) {
        ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
        EXPECT_FALSE(writeFileAtomic(path, "new"));
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(ReadText(path), "old progress");
    }
    removeFile(path);
}

TEST(FilesTest, ReadsAreCappedAndFoldersListOnlyFiles)
{
    std::string folder = FreshFolder("reads");
    ASSERT_TRUE(writeFileAtomic(folder + "b.language", std::string(100, 'x')));
    ASSERT_TRUE(writeFileAtomic(folder + "a.flag", "png"));
    ASSERT_TRUE(createFolder(folder + "nested/deeper"));
    EXPECT_TRUE(folderExists(folder + "nested/deeper"));
    EXPECT_FALSE(fileExists(folder + "nested"));

    std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_FALSE(readWholeFile(folder + "b.language", bytes, 99));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(readWholeFile(folder + "b.language", bytes, 100));
    EXPECT_EQ(bytes.size(), 100u);
    EXPECT_FALSE(readWholeFile(folder + "none", bytes, 100));
    EXPECT_FALSE(readWholeFile(folder + "nested", bytes, 100));
    EXPECT_EQ(fileSize(folder + "none"), -1);
    EXPECT_EQ(fileSize(folder + "a.flag"), 3);

    EXPECT_EQ(listFolder(folder), (std::vector<std::string>{"a.flag", "b.language"}));
    EXPECT_TRUE(listFolder(folder + "none/").empty());
    EXPECT_TRUE(removeFile(folder + "a.flag"));
    EXPECT_FALSE(removeFile(folder + "a.flag"));
    removeFile(folder + "b.language");
}

TEST(ZipTest, OnlyWantedMembersAreReadIntoMemoryWithinTheLimits)
{
    std::string folder = FreshFolder("zip");
    std::string path = folder + "Morvane.languages";
    RawMember liar = DeflatedMember("liar.flag", std::string(1 << 20, 'x'), 1);
    liar.size = 10;
    ASSERT_TRUE(writeFileAtomic(path, RawZip({
        StoredMember("../../evil.language", std::string(90, 'e')),
        {"notes.txt", "no deflate data", 50, 0, true},    // unwanted, so never inflated
        StoredMember("flags/", ""),
        liar,                                             // 1 MB, not the 10 bytes claimed
        StoredMember("/tmp/de.flag", "flag bytes"),
        StoredMember("empty.language", ""),
        StoredMember("over.flag", std::string(100, 'o')), // past the total
        StoredMember("late.language", "x"),               // past the members looked at
    })));
    const ZipLimits limits{7, 100, 200};
    std::vector<ZipMember> members;
    ASSERT_TRUE(readZipMembers(path, limits, [](const std::string& name) { return name != "notes.txt"; },
                               members));
    std::vector<std::string> names;
    for (const ZipMember& member : members)
        names.push_back(member.name + "=" + std::string(member.bytes.begin(), member.bytes.end()));
    EXPECT_EQ(names, (std::vector<std::string>{"evil.language=" + std::string(90, 'e'),
                                               "de.flag=flag bytes", "empty.language="}));
    // Nothing was unpacked beside the archive.
    EXPECT_EQ(listFolder(folder), std::vector<std::string>{"Morvane.languages"});
    EXPECT_FALSE(fileExists(::testing::TempDir() + "evil.language"));

    // Inflated, the damaged member ends the reading.
    const auto everything = [](const std::string&) { return true; };
    ASSERT_TRUE(readZipMembers(path, limits, everything, members));
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].name, "evil.language");
    ASSERT_TRUE(writeFileAtomic(path, "PK\x03\x04 this is no archive"));
    EXPECT_FALSE(readZipMembers(path, limits, everything, members));
    EXPECT_FALSE(readZipMembers(folder + "missing.zip", limits, everything, members));
    EXPECT_TRUE(members.empty());
    removeFile(path);
}

TEST(SystemTest, FoldersFollowTheEnvironment)
{
    std::string program = programFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_TRUE(fileExists(program + "test_media"));

    const char* savedHome = std::getenv("HOME");
    std::string home = savedHome ? savedHome : "";
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(homeFolder(), "/home/player/");
    setenv("XDG_DATA_HOME", "/data/here", 1);
    EXPECT_EQ(userDataFolder(), "/data/here/");
    setenv("XDG_DATA_HOME", "relative/ignored", 1);
    EXPECT_EQ(userDataFolder(), "/home/player/.local/share/");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataFolder(), "/home/player/.local/share/");
    unsetenv("HOME");
    EXPECT_FALSE(homeFolder().empty());  // from the password database
    if (savedHome) {
        setenv("HOME", home.c_str(), 1);
    }
}

TEST(SystemTest, LocaleNameBecomesALanguageTag)
{
    const char* saved = std::getenv("LC_ALL");
    std::string kept = saved ? saved : "";
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(localeName(), "de-DE");
    setenv("LC_ALL", "pt_BR@euro", 1);
    EXPECT_EQ(localeName(), "pt-BR");
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(localeName(), "");
    setenv("LC_ALL", "POSIX", 1);
    EXPECT_EQ(localeName(), "");
    if (saved) {
        setenv("LC_ALL", kept.c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

TEST(SystemTest, MachineFactsAreSane)
{
    EXPECT_EQ(osVersionCode(), 200);
    EXPECT_GE(cpuCountTotal(), 1);
    EXPECT_GE(cpuCountAvailable(), 1);
    EXPECT_LE(cpuCountAvailable(), cpuCountTotal());
    EXPECT_GT(totalMemoryBytes(), 0u);
    EXPECT_LE(freeMemoryBytes(), totalMemoryBytes());
    EXPECT_EQ(buildWord().front(), '(');
    EXPECT_EQ(buildWord().back(), ')');
}
