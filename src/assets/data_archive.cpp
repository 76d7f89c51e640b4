// Reading the data archive: the index is built from the entry headers alone,
// each checked against the archive's length, so no header value can make the
// reader allocate or read more than the archive holds.
#include "assets/data_archive.h"

#include "assets/brieflz.h"

#include <cstring>

namespace {

// Entry header sizes: size, stored size, name length (and 4 unused bytes in
// the older form).
constexpr uint64_t HeaderSize2 = 18;
constexpr uint64_t HeaderSize1 = 24;

// An unsigned little-endian number of `bytes` bytes.
uint64_t ReadLittle(const uint8_t* p, int bytes)
{
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; i--)
        v = (v << 8) | p[i];
    return v;
}

// Reads `count` bytes at `offset` of the archive; false past its end.
bool ReadAt(DataArchive& archive, uint64_t offset, uint8_t* out, uint64_t count)
{
    if (offset > archive.length || count > archive.length - offset)
        return false;
    if (count == 0)
        return true;
    if (archive.memory) {
        std::memcpy(out, archive.memory + offset, static_cast<size_t>(count));
        return true;
    }
    if (!archive.file || std::fseek(archive.file, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(out, 1, static_cast<size_t>(count), archive.file) == count;
}

// Walks the entries from the magic to the end and fills the index. An entry
// that does not fit in what is left ends the walk and marks the tail damaged.
bool ReadIndex(DataArchive& archive)
{
    uint8_t magic[4];
    if (!ReadAt(archive, 0, magic, 4))
        return false;
    if (std::memcmp(magic, "2zlp", 4) == 0)
        archive.form = 2;
    else if (std::memcmp(magic, "1zlp", 4) == 0)
        archive.form = 1;
    else
        return false;
    const uint64_t headerSize = archive.form == 2 ? HeaderSize2 : HeaderSize1;
    uint64_t at = 4;
    while (at < archive.length) {
        uint8_t header[HeaderSize1];
        if (archive.length - at < headerSize || !ReadAt(archive, at, header, headerSize)) {
            archive.damagedTail = true;
            break;
        }
        ArchiveEntry entry{};
        entry.size = ReadLittle(header, 8);
        entry.storedSize = ReadLittle(header + 8, 8);
        const uint64_t nameLength = ReadLittle(header + 16, archive.form == 2 ? 2 : 4);
        const uint64_t left = archive.length - at - headerSize;
        if (nameLength > left || entry.storedSize > left - nameLength) {
            archive.damagedTail = true;
            break;
        }
        entry.name.resize(static_cast<size_t>(nameLength));
        if (!ReadAt(archive, at + headerSize, reinterpret_cast<uint8_t*>(entry.name.data()), nameLength)) {
            archive.damagedTail = true;
            break;
        }
        entry.dataOffset = at + headerSize + nameLength;
        at = entry.dataOffset + entry.storedSize;
        archive.byName.emplace(entry.name, archive.entries.size());
        archive.entries.push_back(std::move(entry));
    }
    return true;
}

// The first entry of exactly this name, or none.
const ArchiveEntry* LookUp(const DataArchive& archive, const std::string& name)
{
    const auto found = archive.byName.find(name);
    return found == archive.byName.end() ? nullptr : &archive.entries[found->second];
}

} // namespace

// Opens the file and indexes its entries; the file stays open for extraction.
bool OpenDataArchive(DataArchive& archive, const std::string& path)
{
    CloseDataArchive(archive);
    archive.file = std::fopen(path.c_str(), "rb");
    if (!archive.file)
        return false;
    long end = -1;
    if (std::fseek(archive.file, 0, SEEK_END) == 0)
        end = std::ftell(archive.file);
    if (end < 0) {
        CloseDataArchive(archive);
        return false;
    }
    archive.length = static_cast<uint64_t>(end);
    if (!ReadIndex(archive)) {
        CloseDataArchive(archive);
        return false;
    }
    return true;
}

// Indexes an archive image held in memory.
bool OpenDataArchiveMemory(DataArchive& archive, const uint8_t* bytes, size_t size)
{
    CloseDataArchive(archive);
    if (!bytes)
        return false;
    archive.memory = bytes;
    archive.length = size;
    if (!ReadIndex(archive)) {
        CloseDataArchive(archive);
        return false;
    }
    return true;
}

// Closes the file and forgets the index.
void CloseDataArchive(DataArchive& archive)
{
    if (archive.file)
        std::fclose(archive.file);
    archive = DataArchive{};
}

// Looks a member up by its exact name.
bool FindMember(const DataArchive& archive, const std::string& name, uint64_t* size)
{
    const ArchiveEntry* entry = LookUp(archive, name);
    if (entry && size)
        *size = entry->size;
    return entry != nullptr;
}

// Every entry name in archive order.
std::vector<std::string> MemberNames(const DataArchive& archive)
{
    std::vector<std::string> names;
    names.reserve(archive.entries.size());
    for (const ArchiveEntry& entry : archive.entries)
        names.push_back(entry.name);
    return names;
}

// NOTE: stored sizes were checked against the archive's length when the
// index was read, so the image grows by no more than the archive holds.
int CopyMemberEntries(DataArchive& archive, const std::vector<std::string>& names, std::vector<uint8_t>& image)
{
    std::vector<const ArchiveEntry*> found;
    size_t total = image.empty() ? 4 : 0;
    for (const std::string& name : names) {
        const ArchiveEntry* entry = LookUp(archive, name);
        if (entry && entry->name.size() <= 0xFFFF) {
            found.push_back(entry);
            total += HeaderSize2 + entry->name.size() + static_cast<size_t>(entry->storedSize);
        }
    }
    image.reserve(image.size() + total);
    // Room for `count` more bytes at the end; answers where they begin.
    const auto grow = [&image](size_t count) {
        image.resize(image.size() + count);
        return image.data() + image.size() - count;
    };
    if (image.empty())
        std::memcpy(grow(4), "2zlp", 4);
    int copied = 0;
    for (const ArchiveEntry* entry : found) {
        const size_t start = image.size();
        uint8_t* header = grow(HeaderSize2 + entry->name.size());
        const uint64_t fields[] = {entry->size, entry->storedSize, entry->name.size()};
        for (int i = 0; i < 18; i++)
            header[i] = static_cast<uint8_t>(fields[i / 8] >> (8 * (i % 8)));
        std::memcpy(header + HeaderSize2, entry->name.data(), entry->name.size());
        if (ReadAt(archive, entry->dataOffset, grow(static_cast<size_t>(entry->storedSize)), entry->storedSize))
            copied++;
        else
            image.resize(start);
    }
    return copied;
}

// Raw members are copied; compressed ones decoded straight into the buffer.
size_t ExtractMember(DataArchive& archive, uint8_t* buffer, size_t capacity, const std::string& name)
{
    const ArchiveEntry* entry = LookUp(archive, name);
    if (!entry || !buffer || entry->size > capacity || entry->size == 0)
        return 0;
    const size_t size = static_cast<size_t>(entry->size);
    if (entry->storedSize == entry->size)
        return ReadAt(archive, entry->dataOffset, buffer, size) ? size : 0;

    // A compressed stream. In memory it is decoded in place; from a file it
    // is read whole first (its stored size was checked against the file).
    const uint8_t* stream = nullptr;
    const size_t storedSize = static_cast<size_t>(entry->storedSize);
    if (archive.memory) {
        stream = archive.memory + entry->dataOffset;
    } else {
        archive.scratch.resize(storedSize);
        if (!ReadAt(archive, entry->dataOffset, archive.scratch.data(), storedSize))
            return 0;
        stream = archive.scratch.data();
    }
    const bool decoded = DepackStream(stream, storedSize, buffer, size);
    if (!archive.memory)
        archive.scratch = std::vector<uint8_t>();
    return decoded ? size : 0;
}
