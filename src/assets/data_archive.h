// The data archive "Morvane.data": a magic ("2zlp", or the older "1zlp"),
// then entries to the end of the file, each a header, the member's name and
// its data (the member itself, or a "1zlb" compressed stream when its stored
// size differs from its size). Members are found by their exact name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

// One member as the index knows it.
struct ArchiveEntry {
    std::string name;
    uint64_t size;        // the member's own length
    uint64_t storedSize;  // the data bytes after the name
    uint64_t dataOffset;  // where the data begins in the archive
};

// An open archive: a file read on demand, or bytes in memory.
struct DataArchive {
    std::FILE* file = nullptr;
    const uint8_t* memory = nullptr;
    uint64_t length = 0;             // bytes in the file or memory
    int form = 0;                    // 2 for "2zlp", 1 for "1zlp"
    bool damagedTail = false;        // an entry ran past the end; later ones are lost
    std::vector<ArchiveEntry> entries;
    std::unordered_map<std::string, size_t> byName;  // first entry of each name
    std::vector<uint8_t> scratch;    // a compressed member's stream while it is decoded
};

// Opens an archive file and reads its index. False when the file cannot be
// read or does not start with a known magic.
bool OpenDataArchive(DataArchive& archive, const std::string& path);
// The same over bytes in memory; the bytes must outlive the archive.
bool OpenDataArchiveMemory(DataArchive& archive, const uint8_t* bytes, size_t size);
void CloseDataArchive(DataArchive& archive);

// True when a member of exactly this name exists; *size (optional) is its size.
bool FindMember(const DataArchive& archive, const std::string& name, uint64_t* size);
std::vector<std::string> MemberNames(const DataArchive& archive);

// Appends the entries of the named members, their data as stored (compressed
// or not), to an archive image in memory in the current form; an empty image
// gets the magic first. The image grows by exactly what they take. Members
// missing or unreadable are left out; answers how many were copied.
int CopyMemberEntries(DataArchive& archive, const std::vector<std::string>& names, std::vector<uint8_t>& image);

// Writes the member into buffer and answers its size; 0 when it is missing,
// larger than capacity or damaged (an empty member also answers 0).
size_t ExtractMember(DataArchive& archive, uint8_t* buffer, size_t capacity, const std::string& name);
