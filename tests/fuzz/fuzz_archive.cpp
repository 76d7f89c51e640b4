// libFuzzer target: the input as a data archive (and its members copied into
// another), a bare "1zlb" stream and one bare block.
#include "assets/brieflz.h"
#include "assets/data_archive.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Output buffers stay small so that a hostile size cannot exhaust memory;
// anything larger is refused by the capacity check before any decoding.
constexpr size_t MaxOutput = 1 << 20;

// A buffer of exactly `size` bytes, not cleared, so that the sanitizer sees
// any write past its end.
std::unique_ptr<uint8_t[]> Buffer(size_t size)
{
    return std::unique_ptr<uint8_t[]>(new uint8_t[size > 0 ? size : 1]);
}

void ExtractEverything(const uint8_t* data, size_t size)
{
    DataArchive archive, copy;
    if (!OpenDataArchiveMemory(archive, data, size))
        return;
    // The members copied as stored into an image of their own read back alike.
    std::vector<uint8_t> image;
    CopyMemberEntries(archive, MemberNames(archive), image);
    if (!OpenDataArchiveMemory(copy, image.data(), image.size()))
        __builtin_trap();
    for (const ArchiveEntry& entry : archive.entries) {
        // With a name given twice, the first entry of that name is the member.
        uint64_t memberSize = 0;
        if (!FindMember(archive, entry.name, &memberSize))
            __builtin_trap();
        const size_t exact = memberSize < MaxOutput ? static_cast<size_t>(memberSize) : MaxOutput;
        for (size_t capacity : {size_t(0), exact > 0 ? exact - 1 : 0, exact, exact + 7}) {
            std::unique_ptr<uint8_t[]> buffer = Buffer(capacity), again = Buffer(capacity);
            const size_t got = ExtractMember(archive, buffer.get(), capacity, entry.name);
            // A member is written whole or not at all.
            if (got != 0 && (got != memberSize || got > capacity))
                __builtin_trap();
            if (entry.name.size() <= 0xFFFF && (ExtractMember(copy, again.get(), capacity, entry.name) != got ||
                                                std::memcmp(buffer.get(), again.get(), got) != 0))
                __builtin_trap();
        }
    }
    CloseDataArchive(copy);
    CloseDataArchive(archive);
}

void DepackBare(const uint8_t* data, size_t size)
{
    uint64_t streamSize = 0;
    if (StreamSize(data, size, &streamSize) && streamSize <= MaxOutput) {
        std::unique_ptr<uint8_t[]> out = Buffer(static_cast<size_t>(streamSize));
        DepackStream(data, size, out.get(), static_cast<size_t>(streamSize));
    }
    if (size >= 2) {
        // The first two bytes choose the block's output length.
        const size_t length = 1 + ((size_t(data[0]) << 8) | data[1]) * 4;
        std::unique_ptr<uint8_t[]> out = Buffer(length);
        size_t consumed = 0;
        if (DepackBlock(data + 2, size - 2, out.get(), length, &consumed) && consumed > size - 2)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ExtractEverything(data, size);
    DepackBare(data, size);
    return 0;
}
