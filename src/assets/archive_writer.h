// Writing data archives: the packer tool and the tests make archives with it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PackMember {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Entry header forms: "2zlp" (18-byte headers) and the older "1zlp" (24).
enum ArchiveForm { ArchiveFormOld = 1, ArchiveFormCurrent = 2 };

// Appends one entry. The member is compressed at `level` (0..8) and stored
// raw when its compressed stream would not be smaller than the member.
// False when the name is too long for the form's name-length field.
bool AppendArchiveEntry(std::vector<uint8_t>& archive, const PackMember& member, int level, int form);

// A whole archive in memory: magic, then every member in the given order.
// False when a name is unusable or appears twice.
bool BuildDataArchive(const std::vector<PackMember>& members, int level, int form,
                      std::vector<uint8_t>& archive);

// Builds the archive and writes it to `path` (through a temporary file that
// replaces the old one only once it is complete).
bool WriteDataArchive(const std::string& path, const std::vector<PackMember>& members, int level, int form);
