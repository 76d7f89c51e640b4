// Packer to reader round trips, member lookup, and archives whose headers lie.
#include "assets/archive_writer.h"
#include "assets/brieflz.h"
#include "assets/data_archive.h"

#include "asset_fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// The kinds of member the game's archive holds, plus the block edges.
std::vector<PackMember> RoundTripMembers(int level)
{
    const size_t block = PackBlockSize(level);
    return {
        {"text.txt", TextBytes(100000, 1)},
        {"zeros.bin", std::vector<uint8_t>(300000, 0)},
        {"random.bin", RandomBytes(70000, 2)},
        {"picture.png", MakePng(
                            120, 90, [](int x, int y, uint32_t) { return uint32_t(x * 2 + y * 1000) | 0xFF000000u; }, 0)},
        {"one.bin", {0x42}},
        {"oneblock.txt", TextBytes(block, 4)},
        {"oneblockplusone.txt", TextBytes(block + 1, 5)},
    };
}

const ArchiveEntry* EntryOf(const DataArchive& archive, const std::string& name)
{
    for (const ArchiveEntry& entry : archive.entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

std::vector<uint8_t> Extracted(DataArchive& archive, const std::string& name, size_t capacity)
{
    std::vector<uint8_t> buffer(capacity);
    const size_t got = ExtractMember(archive, buffer.data(), buffer.size(), name);
    buffer.resize(got);
    return buffer;
}

void PutLittle(std::vector<uint8_t>& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A "2zlp" entry written field by field, so that the fields can lie.
void RawEntry(std::vector<uint8_t>& archive, uint64_t size, uint64_t storedSize, const std::string& name,
              const std::vector<uint8_t>& data)
{
    PutLittle(archive, size, 8);
    PutLittle(archive, storedSize, 8);
    PutLittle(archive, name.size(), 2);
    archive.insert(archive.end(), name.begin(), name.end());
    archive.insert(archive.end(), data.begin(), data.end());
}

std::vector<uint8_t> Magic()
{
    return {'2', 'z', 'l', 'p'};
}

} // namespace

// Every kind of member at every level comes back byte for byte; what
// compresses is stored compressed, what does not is stored raw.
TEST(DataArchive, RoundTripsEveryKindOfMemberAtEveryLevel)
{
    for (int level = 0; level < PackLevelCount; level++) {
        const std::vector<PackMember> members = RoundTripMembers(level);
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(BuildDataArchive(members, level, ArchiveFormCurrent, bytes));
        DataArchive archive;
        ASSERT_TRUE(OpenDataArchiveMemory(archive, bytes.data(), bytes.size()));
        EXPECT_FALSE(archive.damagedTail);
        ASSERT_EQ(archive.entries.size(), members.size());
        for (const PackMember& member : members) {
            EXPECT_EQ(Extracted(archive, member.name, member.bytes.size()), member.bytes)
                << member.name << " at level " << level;
            uint64_t size = 0;
            EXPECT_TRUE(FindMember(archive, member.name, &size));
            EXPECT_EQ(size, member.bytes.size());
        }
        EXPECT_LT(EntryOf(archive, "text.txt")->storedSize, 100000u / 2);
        EXPECT_LT(EntryOf(archive, "zeros.bin")->storedSize, 1000u);
        EXPECT_LT(EntryOf(archive, "oneblockplusone.txt")->storedSize, PackBlockSize(level));
        EXPECT_EQ(EntryOf(archive, "random.bin")->storedSize, 70000u);
        EXPECT_EQ(EntryOf(archive, "one.bin")->storedSize, 1u);
        CloseDataArchive(archive);
    }
}

// The older form with 24-byte entry headers, read from a file.
TEST(DataArchive, ReadsTheOlderFormFromAFile)
{
    const std::string folder = FreshFolder("oldform");
    const std::vector<PackMember> members = RoundTripMembers(3);
    ASSERT_TRUE(WriteDataArchive(folder + "old.data", members, 3, ArchiveFormOld));
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchive(archive, folder + "old.data"));
    EXPECT_EQ(archive.form, 1);
    EXPECT_EQ(MemberNames(archive).size(), members.size());
    for (const PackMember& member : members)
        EXPECT_EQ(Extracted(archive, member.name, member.bytes.size() + 10), member.bytes) << member.name;
    CloseDataArchive(archive);
    std::filesystem::remove_all(folder);
}

// Capacity, exact names and missing archives.
TEST(DataArchive, ExtractsOnlyExactNamesThatFitTheBuffer)
{
    const std::vector<PackMember> members = {{"tile01.png", TextBytes(5000, 9)}, {"raw.bin", RandomBytes(3000, 9)}};
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(BuildDataArchive(members, 8, ArchiveFormCurrent, bytes));
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchiveMemory(archive, bytes.data(), bytes.size()));

    std::vector<uint8_t> buffer(6000, 0x5A);
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 4999, "tile01.png"), 0u);
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 2999, "raw.bin"), 0u);
    EXPECT_EQ(buffer[0], 0x5A) << "a member too large must not be written at all";
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 5000, "tile01.png"), 5000u);
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 3000, "raw.bin"), 3000u);

    for (const char* wrong : {"Tile01.png", "TILE01.PNG", "tile01.PNG", "tile01.png ", "tile01", ""})
        EXPECT_FALSE(FindMember(archive, wrong, nullptr)) << wrong;
    EXPECT_EQ(ExtractMember(archive, buffer.data(), buffer.size(), "Tile01.png"), 0u);
    CloseDataArchive(archive);

    EXPECT_FALSE(OpenDataArchive(archive, "/nonexistent/Morvane.data"));
    const std::vector<uint8_t> notAnArchive = {'3', 'z', 'l', 'p', 0, 0};
    EXPECT_FALSE(OpenDataArchiveMemory(archive, notAnArchive.data(), notAnArchive.size()));
    EXPECT_FALSE(OpenDataArchiveMemory(archive, notAnArchive.data(), 3));
}

// Members are stored raw when compression would not make them smaller, and
// duplicate names are refused by the writer.
TEST(DataArchive, StoresIncompressibleMembersRawAndRefusesDuplicates)
{
    for (size_t size : {size_t(1), size_t(2), size_t(30), size_t(5000)}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(BuildDataArchive({{"r", RandomBytes(size, 7)}}, 8, ArchiveFormCurrent, bytes));
        // magic + 18-byte header + 1-byte name + the member itself
        EXPECT_EQ(bytes.size(), 4 + 18 + 1 + size);
    }
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(BuildDataArchive({{"a", {1}}, {"a", {2}}}, 8, ArchiveFormCurrent, bytes));
}

// Header fields that claim more than the archive holds: no allocation from
// them, no read past the end, the damaged member is simply not there.
TEST(DataArchive, RefusesHeadersThatLie)
{
    const std::vector<uint8_t> zeros(100000, 0);
    const std::vector<uint8_t> stream = PackStream(zeros.data(), zeros.size(), 8);
    std::vector<uint8_t> good = Magic();
    RawEntry(good, zeros.size(), stream.size(), "zeros", stream);

    // A size field of 2^60 over a tiny stream: known, but never extracted.
    std::vector<uint8_t> huge = good;
    RawEntry(huge, uint64_t(1) << 60, stream.size(), "huge", stream);
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchiveMemory(archive, huge.data(), huge.size()));
    uint64_t size = 0;
    EXPECT_TRUE(FindMember(archive, "huge", &size));
    EXPECT_EQ(size, uint64_t(1) << 60);
    EXPECT_EQ(Extracted(archive, "huge", 200000).size(), 0u);
    EXPECT_EQ(Extracted(archive, "zeros", 200000), zeros);

    // A stored size past the end of the file, and a name length past it.
    for (int field = 0; field < 2; field++) {
        std::vector<uint8_t> cut = good;
        if (field == 0)
            RawEntry(cut, 50, uint64_t(1) << 40, "far", std::vector<uint8_t>(50, 1));
        else {
            PutLittle(cut, 50, 8);
            PutLittle(cut, 50, 8);
            PutLittle(cut, 0xFFFF, 2);
            cut.insert(cut.end(), 60, 'n');
        }
        ASSERT_TRUE(OpenDataArchiveMemory(archive, cut.data(), cut.size()));
        EXPECT_TRUE(archive.damagedTail);
        EXPECT_EQ(archive.entries.size(), 1u);
        EXPECT_EQ(Extracted(archive, "zeros", 200000), zeros);
    }

    // The entry's size and the stream's own size disagree.
    std::vector<uint8_t> mismatch = Magic();
    RawEntry(mismatch, zeros.size() - 1, stream.size(), "zeros", stream);
    ASSERT_TRUE(OpenDataArchiveMemory(archive, mismatch.data(), mismatch.size()));
    EXPECT_EQ(Extracted(archive, "zeros", 200000).size(), 0u);

    // An archive file cut short inside a compressed stream.
    const std::string folder = FreshFolder("lying");
    const std::vector<uint8_t> damaged(good.begin(), good.end() - 1);
    {
        std::ofstream file(folder + "d.data", std::ios::binary);
        file.write(reinterpret_cast<const char*>(damaged.data()), static_cast<long>(damaged.size()));
    }
    ASSERT_TRUE(OpenDataArchive(archive, folder + "d.data"));
    EXPECT_EQ(Extracted(archive, "zeros", 200000).size(), 0u);
    CloseDataArchive(archive);
    std::filesystem::remove_all(folder);
}

// The packer tool: a manifest and NAME=PATH arguments, read back by the reader.
TEST(PackTool, PacksAManifestAndArguments)
{
#ifndef MORVANE_PACK_TOOL
    GTEST_SKIP() << "morvane_pack is not part of this build";
#else
    const std::string folder = FreshFolder("tool");
    const std::vector<uint8_t> text = TextBytes(40000, 8);
    const std::vector<uint8_t> random = RandomBytes(2000, 8);
    std::ofstream(folder + "a.txt", std::ios::binary).write(reinterpret_cast<const char*>(text.data()), 40000);
    std::ofstream(folder + "b.bin", std::ios::binary).write(reinterpret_cast<const char*>(random.data()), 2000);
    std::ofstream(folder + "list") << "first member.txt\t" << folder << "a.txt\r\n\n";
    const std::string command = std::string(MORVANE_PACK_TOOL) + " -l 5 -o '" + folder + "out.data' --manifest '" +
                                folder + "list' 'second=" + folder + "b.bin' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    DataArchive archive;
    ASSERT_TRUE(OpenDataArchive(archive, folder + "out.data"));
    EXPECT_EQ(MemberNames(archive), (std::vector<std::string>{"first member.txt", "second"}));
    EXPECT_EQ(Extracted(archive, "first member.txt", 40000), text);
    EXPECT_EQ(Extracted(archive, "second", 2000), random);
    CloseDataArchive(archive);

    const std::string missing = std::string(MORVANE_PACK_TOOL) + " -o '" + folder + "x.data' 'a=" + folder +
                                "nothing' 2> /dev/null";
    EXPECT_NE(std::system(missing.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(folder + "x.data"));
    std::filesystem::remove_all(folder);
#endif
}
