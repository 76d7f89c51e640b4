// Files, folders, ZIP members, system queries, dates and the shuffle.
#include <csignal>
#include <map>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "language/language_files.h"
#include "media_support.h"

namespace {

TEST(Files, AtomicWritesReplaceWholeOrLeaveTheOldFile)
{
    TempFolder temp;
    const std::string folder = temp.Folder(), path = folder + "Morvane.scores";
    ASSERT_TRUE(writeFileAtomic(path, "first, longer\r\n"));
    ASSERT_TRUE(writeFileAtomic(path, "old progress"));
    EXPECT_EQ(ReadBytes(path), "old progress");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    EXPECT_FALSE(writeFileAtomic(folder + "missing/inner.txt", "x"));
    EXPECT_FALSE(writeFileAtomic("", "x"));

    // A file-size limit makes the write itself fail half-way (also as root).
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeFileAtomic(path, std::string(4096, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), "old progress");
    EXPECT_EQ(listFolder(folder), std::vector<std::string>{"Morvane.scores"});
    if (geteuid() != 0) {  // a folder we may not write to (root may)
        ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
        EXPECT_FALSE(writeFileAtomic(path, "new"));
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(ReadBytes(path), "old progress");
    }

    // Reads are capped; folders list their files only.
    ASSERT_TRUE(writeFileAtomic(folder + "b.language", std::string(100, 'x')));
    ASSERT_TRUE(createFolder(folder + "nested/deeper"));
    EXPECT_TRUE(folderExists(folder + "nested/deeper"));
    EXPECT_FALSE(fileExists(folder + "nested"));
    std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_FALSE(readWholeFile(folder + "b.language", bytes, 99));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(readWholeFile(folder + "b.language", bytes, 100));
    EXPECT_FALSE(readWholeFile(folder + "nested", bytes, 100));
    EXPECT_EQ(fileSize(folder + "none"), -1);
    EXPECT_EQ(listFolder(folder), (std::vector<std::string>{"Morvane.scores", "b.language"}));
    EXPECT_TRUE(removeFile(folder + "b.language"));
    EXPECT_FALSE(removeFile(folder + "b.language"));
}

TEST(Files, OnlyWantedZipMembersAreReadIntoMemoryWithinTheLimits)
{
    TempFolder temp;
    const std::string path = temp.File("Morvane.languages");
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
    ASSERT_TRUE(readZipMembers(path, limits, [](const std::string& name) { return name != "notes.txt"; }, members));
    std::vector<std::string> names;
    for (const ZipMember& member : members)
        names.push_back(member.name + "=" + std::string(member.bytes.begin(), member.bytes.end()));
    EXPECT_EQ(names, (std::vector<std::string>{"evil.language=" + std::string(90, 'e'), "de.flag=flag bytes",
                                               "empty.language="}));
    EXPECT_EQ(listFolder(temp.Folder()), std::vector<std::string>{"Morvane.languages"});
    const auto everything = [](const std::string&) { return true; };
    ASSERT_TRUE(readZipMembers(path, limits, everything, members));  // inflated, the damaged member ends it
    EXPECT_EQ(members.size(), 1u);
    ASSERT_TRUE(writeFileAtomic(path, "PK\x03\x04 this is no archive"));
    EXPECT_FALSE(readZipMembers(path, limits, everything, members));
    EXPECT_FALSE(readZipMembers(temp.File("missing.zip"), limits, everything, members));
    EXPECT_TRUE(members.empty());
}

TEST(System, FoldersAndTheLocaleFollowTheEnvironment)
{
    EXPECT_TRUE(fileExists(programFolder() + "test_media"));
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
    const std::pair<const char*, const char*> locales[] = {
        {"de_DE.UTF-8", "de-DE"}, {"pt_BR@euro", "pt-BR"}, {"C.UTF-8", ""}, {"POSIX", ""},
        {"ja_JP.UTF-8", "ja-JP"}, {"zh_CN.GB18030", "zh-CN"}, {"sr_RS.UTF-8@latin", "sr-RS"}};
    for (const auto& [locale, tag] : locales) {
        setenv("LC_ALL", locale, 1);
        EXPECT_EQ(localeName(), tag) << locale;
    }
    setenv("LC_ALL", "C.UTF-8", 1);
}

TEST(TimeAndChance, DateMasksAndAnEvenShuffle)
{
    std::tm local{9, 3, 14, 5, 11, 126, 0, 0, -1, 0, nullptr};
    const int64_t date = std::mktime(&local);
    EXPECT_EQ(formatDate("%dd-%mm-%yyyy %hh-%ii-%ss", date), "05-12-2026 14-03-09");
    EXPECT_EQ(formatDate("%DD.%Mm.%YY", date), "05.12.26");
    EXPECT_EQ(formatDate("100% %x %y", date), "100% %x %y");

    // Every permutation of four equally likely (23 degrees of freedom: 49.73
    // is the 99.9 % point); no list, nothing to shuffle.
    seedShuffle(20261205);
    std::map<std::vector<int>, int> seen;
    for (int round = 0; round < 48000; ++round) {
        std::vector<int> items{0, 1, 2, 3};
        shuffle(items);
        ++seen[items];
    }
    double chiSquare = 0;
    for (const auto& [order, count] : seen)
        chiSquare += (count - 2000.0) * (count - 2000.0) / 2000.0;
    EXPECT_EQ(seen.size(), 24u);
    EXPECT_LT(chiSquare, 49.73);
    shuffle(nullptr, 5);
}

}  // namespace
