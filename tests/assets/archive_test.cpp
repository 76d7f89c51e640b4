// The data archive: packer to reader round trips, member lookup, and
// archives whose headers lie. (The packer tool packs the game's content.)
#include <gtest/gtest.h>

#include "assets/brieflz.h"
#include "assets/data_archive.h"
#include "assets_support.h"

namespace {

std::vector<uint8_t> Extracted(DataArchive& archive, const std::string& name, size_t capacity)
{
    std::vector<uint8_t> buffer(capacity);
    buffer.resize(ExtractMember(archive, buffer.data(), buffer.size(), name));
    return buffer;
}

uint64_t StoredSize(const DataArchive& archive, const std::string& name)
{
    for (const ArchiveEntry& entry : archive.entries)
        if (entry.name == name)
            return entry.storedSize;
    return 0;
}

// Every kind of member at every level, in both forms, comes back byte for
// byte; what compresses is stored compressed, what does not is stored raw.
TEST(DataArchive, RoundTripsEveryKindOfMember)
{
    TempFolder folder;
    for (int level = 0; level < PackLevelCount; level++) {
        const size_t block = PackBlockSize(level);
        const std::vector<PackMember> members = {
            {"text.txt", TextBytes(100000, 1)}, {"zeros.bin", std::vector<uint8_t>(300000, 0)},
            {"random.bin", RandomBytes(70000, 2)}, {"one.bin", {0x42}},
            {"oneblock.txt", TextBytes(block, 4)}, {"oneblockplusone.txt", TextBytes(block + 1, 5)}};
        const int form = level == 3 ? ArchiveFormOld : ArchiveFormCurrent;
        ASSERT_TRUE(WriteDataArchive(folder.File("a.data"), members, level, form));
        DataArchive archive;
        ASSERT_TRUE(OpenDataArchive(archive, folder.File("a.data")));
        EXPECT_FALSE(archive.damagedTail);
        EXPECT_EQ(archive.form, form);
        ASSERT_EQ(archive.entries.size(), members.size());
        for (const PackMember& member : members) {
            EXPECT_EQ(Extracted(archive, member.name, member.bytes.size() + 10), member.bytes)
                << member.name << " at level " << level;
            uint64_t size = 0;
            EXPECT_TRUE(FindMember(archive, member.name, &size));
            EXPECT_EQ(size, member.bytes.size());
        }
        EXPECT_LT(StoredSize(archive, "text.txt"), 50000u);
        EXPECT_LT(StoredSize(archive, "zeros.bin"), 1000u);
        EXPECT_LT(StoredSize(archive, "oneblockplusone.txt"), block);
        EXPECT_EQ(StoredSize(archive, "random.bin"), 70000u);
        EXPECT_EQ(StoredSize(archive, "one.bin"), 1u);
        CloseDataArchive(archive);
    }
    for (size_t size : {size_t(1), size_t(30), size_t(5000)}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(BuildDataArchive({{"r", RandomBytes(size, 7)}}, 8, ArchiveFormCurrent, bytes));
        EXPECT_EQ(bytes.size(), 4 + 18 + 1 + size);  // magic, header, name, the member raw
    }
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(BuildDataArchive({{"a", {1}}, {"a", {2}}}, 8, ArchiveFormCurrent, bytes));
}

TEST(DataArchive, ExtractsOnlyExactNamesThatFitTheBuffer)
{
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(BuildDataArchive({{"tile01.png", TextBytes(5000, 9)}, {"raw.bin", RandomBytes(3000, 9)}}, 8,
                                 ArchiveFormCurrent, bytes));
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchiveMemory(archive, bytes.data(), bytes.size()));
    std::vector<uint8_t> buffer(6000, 0x5A);
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 4999, "tile01.png"), 0u);
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 2999, "raw.bin"), 0u);
    EXPECT_EQ(buffer[0], 0x5A) << "a member too large must not be written at all";
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 5000, "tile01.png"), 5000u);
    EXPECT_EQ(ExtractMember(archive, buffer.data(), 3000, "raw.bin"), 3000u);
    for (const char* wrong : {"Tile01.png", "tile01.PNG", "tile01.png ", "tile01", ""})
        EXPECT_FALSE(FindMember(archive, wrong, nullptr)) << wrong;
    EXPECT_FALSE(OpenDataArchive(archive, "/nonexistent/Morvane.data"));
    const std::vector<uint8_t> notAnArchive = {'3', 'z', 'l', 'p', 0, 0};
    EXPECT_FALSE(OpenDataArchiveMemory(archive, notAnArchive.data(), notAnArchive.size()));
    EXPECT_FALSE(OpenDataArchiveMemory(archive, notAnArchive.data(), 3));
}

void PutLittle(std::vector<uint8_t>& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A "2zlp" entry written field by field, so that the fields can lie.
void RawEntry(std::vector<uint8_t>& archive, uint64_t size, uint64_t storedSize, const std::string& name,
              const std::vector<uint8_t>& data, uint64_t nameLength = 0)
{
    PutLittle(archive, size, 8);
    PutLittle(archive, storedSize, 8);
    PutLittle(archive, nameLength ? nameLength : name.size(), 2);
    archive.insert(archive.end(), name.begin(), name.end());
    archive.insert(archive.end(), data.begin(), data.end());
}

// Header fields that claim more than the archive holds: no allocation from
// them, no read past the end, the damaged member is simply not there.
TEST(DataArchive, RefusesHeadersThatLie)
{
    const std::vector<uint8_t> zeros(100000, 0);
    const std::vector<uint8_t> stream = PackStream(zeros.data(), zeros.size(), 8);
    std::vector<uint8_t> good = {'2', 'z', 'l', 'p'};
    RawEntry(good, zeros.size(), stream.size(), "zeros", stream);
    DataArchive archive;

    std::vector<uint8_t> huge = good;  // a size of 2^60 over a tiny stream: known, never extracted
    RawEntry(huge, uint64_t(1) << 60, stream.size(), "huge", stream);
    ASSERT_TRUE(OpenDataArchiveMemory(archive, huge.data(), huge.size()));
    EXPECT_TRUE(FindMember(archive, "huge", nullptr));
    EXPECT_EQ(Extracted(archive, "huge", 200000).size(), 0u);
    EXPECT_EQ(Extracted(archive, "zeros", 200000), zeros);

    for (int field = 0; field < 2; field++) {  // a stored size, then a name length, past the end
        std::vector<uint8_t> cut = good;
        RawEntry(cut, 50, field ? 50 : uint64_t(1) << 40, std::string(60, 'n'), {}, field ? 0xFFFF : 0);
        ASSERT_TRUE(OpenDataArchiveMemory(archive, cut.data(), cut.size()));
        EXPECT_TRUE(archive.damagedTail);
        EXPECT_EQ(archive.entries.size(), 1u);
        EXPECT_EQ(Extracted(archive, "zeros", 200000), zeros);
    }
    std::vector<uint8_t> mismatch = {'2', 'z', 'l', 'p'};  // entry and stream disagree on the size
    RawEntry(mismatch, zeros.size() - 1, stream.size(), "zeros", stream);
    ASSERT_TRUE(OpenDataArchiveMemory(archive, mismatch.data(), mismatch.size()));
    EXPECT_EQ(Extracted(archive, "zeros", 200000).size(), 0u);

    TempFolder folder;  // a file cut short inside a compressed stream
    WriteBytes(folder.File("d.data"), std::string(good.begin(), good.end() - 1));
    ASSERT_TRUE(OpenDataArchive(archive, folder.File("d.data")));
    EXPECT_EQ(Extracted(archive, "zeros", 200000).size(), 0u);
    CloseDataArchive(archive);
}

}  // namespace
