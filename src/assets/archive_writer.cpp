// The archive writer behind the packer: entries in the order given, each
// member compressed when that makes it smaller.
#include "assets/archive_writer.h"

#include "assets/brieflz.h"

#include <cstdio>
#include <cstring>
#include <set>

namespace {

// Appends a little-endian number of `bytes` bytes.
void PutLittle(std::vector<uint8_t>& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

} // namespace

// One entry: header, name, then the stream or the raw member.
bool AppendArchiveEntry(std::vector<uint8_t>& archive, const PackMember& member, int level, int form)
{
    const uint64_t nameLimit = form == ArchiveFormOld ? 0xFFFFFFFFull : 0xFFFFull;
    if (member.name.size() > nameLimit)
        return false;
    std::vector<uint8_t> stream;
    if (!member.bytes.empty())
        stream = PackStream(member.bytes.data(), member.bytes.size(), level);
    // NOTE: stored size equal to size is what marks a raw member, so a stream
    // is only kept when it is strictly smaller.
    const bool packed = !member.bytes.empty() && stream.size() < member.bytes.size();
    const std::vector<uint8_t>& data = packed ? stream : member.bytes;
    PutLittle(archive, member.bytes.size(), 8);
    PutLittle(archive, data.size(), 8);
    if (form == ArchiveFormOld) {
        PutLittle(archive, member.name.size(), 4);
        PutLittle(archive, 0, 4);
    } else {
        PutLittle(archive, member.name.size(), 2);
    }
    archive.insert(archive.end(), member.name.begin(), member.name.end());
    archive.insert(archive.end(), data.begin(), data.end());
    return true;
}

bool BuildDataArchive(const std::vector<PackMember>& members, int level, int form,
                      std::vector<uint8_t>& archive)
{
    archive.assign(4, 0);
    std::memcpy(archive.data(), form == ArchiveFormOld ? "1zlp" : "2zlp", 4);
    std::set<std::string> seen;
    for (const PackMember& member : members) {
        if (!seen.insert(member.name).second)
            return false;
        if (!AppendArchiveEntry(archive, member, level, form))
            return false;
    }
    return true;
}

// Writes beside the target first so that a failed write leaves the old archive.
bool WriteDataArchive(const std::string& path, const std::vector<PackMember>& members, int level, int form)
{
    std::vector<uint8_t> archive;
    if (!BuildDataArchive(members, level, form, archive))
        return false;
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(archive.data(), 1, archive.size(), file) == archive.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}
