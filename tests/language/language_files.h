// Language sources made by the tests (and the language benchmark): language
// files and ZIP archives written byte by byte, whose headers may lie.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

// A member or file: its name and its bytes.
using NamedBytes = std::pair<std::string, std::string>;

// A language file with its header group and extra text lines.
inline std::string LanguageFile(const std::string& name, const std::string& texts,
                                const std::string& version = "1.0")
{
    return "\xEF\xBB\xBF\r\n; test language\r\n[LANGUAGE FILE]\r\n"
           "tLangFileNAME = " + name + "\r\n"
           "tLangFileVERSION = " + version + "\r\n"
           "tLangFileDATE = 2026-12-07\r\n"
           "tLangFileAUTHOR = Morvane tests\r\n"
           "tLangFileLANGID = " + name.substr(0, 2) + "\r\n"
           "tLangFileSOFTWARE = Morvane\r\n"
           "[TEXTS]\r\n" + texts;
}

// A ZIP member written byte by byte, so that its headers can claim any
// size: `data` as it lies in the archive (raw deflate when `deflated`),
// `size` and `crc` what the headers say of the content.
struct RawMember {
    std::string name;
    std::string data;
    uint32_t size = 0;
    uint32_t crc = 0;
    bool deflated = false;
};

inline RawMember StoredMember(const std::string& name, const std::string& bytes)
{
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
    return {name, bytes, static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(crc), false};
}

// `count` copies of `piece`, deflated once in a stream.
inline RawMember DeflatedMember(const std::string& name, const std::string& piece, int count)
{
    z_stream stream{};
    deflateInit2(&stream, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string packed;
    uLong crc = 0;
    char out[65536];
    for (int i = 0; i <= count; i++) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
        stream.avail_in = i < count ? static_cast<uInt>(piece.size()) : 0;
        if (i < count)
            crc = crc32(crc, stream.next_in, stream.avail_in);
        do {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = sizeof out;
            deflate(&stream, i < count ? Z_NO_FLUSH : Z_FINISH);
            packed.append(out, sizeof out - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return {name, packed, static_cast<uint32_t>(piece.size() * count), static_cast<uint32_t>(crc), true};
}

inline void AppendLittleEndian(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Local headers with their data, the central directory and its end record.
inline std::string RawZip(const std::vector<RawMember>& members)
{
    std::string zip, directory;
    for (const RawMember& member : members) {
        std::string common;  // version needed to extract .. extra field length
        for (uint32_t value : {20u, 0u, member.deflated ? 8u : 0u, 0u, 0x21u})
            AppendLittleEndian(common, value, 2);
        for (const auto& [value, bytes] : {std::pair{member.crc, 4}, {uint32_t(member.data.size()), 4},
                                           {member.size, 4}, {uint32_t(member.name.size()), 2}, {0u, 2}})
            AppendLittleEndian(common, value, bytes);
        directory += "PK\x01\x02";
        AppendLittleEndian(directory, 20, 2);
        directory += common + std::string(10, '\0');
        AppendLittleEndian(directory, static_cast<uint32_t>(zip.size()), 4);
        directory += member.name;
        zip += "PK\x03\x04" + common + member.name + member.data;
    }
    std::string end = "PK\x05\x06" + std::string(4, '\0');
    const auto count = uint32_t(members.size());
    for (const auto& [value, bytes] :
         {std::pair{count, 2}, {count, 2}, {uint32_t(directory.size()), 4}, {uint32_t(zip.size()), 4}, {0u, 2}})
        AppendLittleEndian(end, value, bytes);
    return zip + directory + end;
}

// Every file of a folder as a stored member, in name order.
inline std::vector<RawMember> StoredFolder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<RawMember> members;
    for (const std::string& name : names) {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        members.push_back(StoredMember(name, std::string(std::istreambuf_iterator<char>(in), {})));
    }
    return members;
}

// The languages of a folder under names that climb out of the folder or are
// absolute, a member of 64 MB whose header claims 1000 bytes, then 3000
// members of 1 MB that pack to about 1 KB each, every other one a flag.
inline std::string HostileArchive(const std::string& languages)
{
    std::vector<RawMember> members = StoredFolder(languages);
    const std::string escapes[] = {"../../../../../../tmp/", "/tmp/", "pack/../../"};
    for (size_t i = 0; i < members.size(); i++)
        members[i].name = escapes[i % 3] + members[i].name;
    members.push_back(DeflatedMember("huge.language", std::string(1 << 20, '\0'), 64));
    members.back().size = 1000;
    const RawMember junk = DeflatedMember("", std::string(1 << 20, 'x'), 1);
    for (int i = 0; i < 3000; i++) {
        members.push_back(junk);
        members.back().name = "junk" + std::to_string(i) + (i % 2 ? ".flag" : ".txt");
    }
    return RawZip(members);
}
