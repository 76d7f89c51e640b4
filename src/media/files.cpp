// Files and folders: whole-file reads, atomic writes and ZIP members.
#include "media/media_internal.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// File facts of a path; false when it does not exist.
bool StatPath(const std::string& path, struct stat& info)
{
    return !path.empty() && stat(path.c_str(), &info) == 0;
}

// Writes every byte, retrying short writes and interruptions.
bool WriteAll(int fd, const char* bytes, size_t size)
{
    while (size > 0) {
        ssize_t written = write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The last component of an archive path ("a/b\\c.txt" -> "c.txt").
std::string LastComponent(const std::string& name)
{
    size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// A member's bytes, read in chunks and given up as soon as they pass `room`,
// whatever size the header claims. 1 read, 0 too long, below 0 damaged.
int ReadMemberBytes(archive* reader, size_t room, std::vector<uint8_t>& bytes)
{
    char buffer[65536];
    while (true) {
        la_ssize_t got = archive_read_data(reader, buffer, sizeof buffer);
        if (got == 0) {
            return 1;
        }
        if (got < 0) {
            return static_cast<int>(got);
        }
        if (static_cast<size_t>(got) > room - bytes.size()) {
            return 0;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

}  // namespace

// True for an existing regular file.
bool fileExists(const std::string& path)
{
    struct stat info;
    return StatPath(path, info) && S_ISREG(info.st_mode);
}

// True for an existing folder.
bool folderExists(const std::string& path)
{
    struct stat info;
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

// Creates the folder and any missing parents; true when it exists after.
bool createFolder(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at == path.size() || path[at] == '/') {
            std::string part = path.substr(0, at);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
                return false;
            }
        }
    }
    return folderExists(path);
}

// Size of a regular file in bytes, -1 when missing.
int64_t fileSize(const std::string& path)
{
    struct stat info;
    if (!StatPath(path, info) || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return static_cast<int64_t>(info.st_size);
}

// A whole file into memory; nothing when it is over the cap.
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes)
{
    out.clear();
    int64_t size = fileSize(path);
    if (size < 0 || static_cast<uint64_t>(size) > maxBytes) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    out.resize(static_cast<size_t>(size));
    size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), file);
    // A file that grew since stat would be cut short: read on to the cap.
    bool whole = got == out.size() && std::fgetc(file) == EOF;
    std::fclose(file);
    if (!whole) {
        out.clear();
    }
    return whole;
}

// NOTE: only the head is read, whatever the file's size: a file that grows
// without end (or a huge one) costs maxBytes and one byte more, no more.
bool readFileHead(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes, bool& cut)
{
    out.clear();
    cut = false;
    if (fileSize(path) < 0) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    out.resize(maxBytes + 1);
    size_t got = std::fread(out.data(), 1, out.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    cut = got > maxBytes;
    out.resize(failed ? 0 : std::min(got, maxBytes));
    out.shrink_to_fit();
    return !failed;
}

// A temporary file in the same folder, flushed to disk and renamed over the
// old one, so a failure at any point leaves the old file as it was.
bool writeFileAtomic(const std::string& path, const std::string& bytes)
{
    if (path.empty() || path.back() == '/') {
        return false;
    }
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && fchmodat(AT_FDCWD, name.data(), 0644, 0) == 0;
    ok = ok && rename(name.data(), path.c_str()) == 0;
    if (!ok) {
        unlink(name.data());
        return false;
    }
    // The rename itself reaches the disk with the folder's entry.
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

// Deletes a file; false when it was not there.
bool removeFile(const std::string& path)
{
    return !path.empty() && unlink(path.c_str()) == 0;
}

// Names of the regular files in a folder, sorted.
std::vector<std::string> listFolder(const std::string& path)
{
    std::vector<std::string> names;
    DIR* folder = opendir(path.c_str());
    if (!folder) {
        return names;
    }
    std::string base = path.empty() || path.back() == '/' ? path : path + "/";
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name != "." && name != ".." && fileExists(base + name)) {
            names.push_back(name);
        }
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

// NOTE: the streaming reader walks the local headers in order. The seeking
// one would first load the whole central directory, whose size (tens of MB
// for a few hundred thousand empty members) the archive chooses.
bool readZipMembers(const std::string& path, const ZipLimits& limits,
                    const std::function<bool(const std::string&)>& wanted,
                    std::vector<ZipMember>& out)
{
    out.clear();
    archive* reader = archive_read_new();
    if (!reader) {
        return false;
    }
    archive_read_support_format_zip_streamable(reader);
    if (archive_read_open_filename(reader, path.c_str(), 65536) != ARCHIVE_OK) {
        archive_read_free(reader);
        return false;
    }
    bool ok = true;
    size_t kept = 0;
    archive_entry* entry = nullptr;
    for (int looked = 0; looked < limits.maxEntries; looked++) {
        int status = archive_read_next_header(reader, &entry);
        if (status == ARCHIVE_EOF) {
            break;
        }
        if (status < ARCHIVE_WARN) {
            ok = looked > 0;
            break;
        }
        const char* rawName = archive_entry_pathname(entry);
        std::string name = rawName ? LastComponent(rawName) : "";
        const size_t left = limits.maxTotalBytes - kept;
        const size_t room = name.size() > left ? 0 : std::min(limits.maxMemberBytes, left - name.size());
        const la_int64_t claimed = archive_entry_size(entry);
        bool tooBig = name.size() > left ||
                      (archive_entry_size_is_set(entry) && (claimed < 0 || static_cast<uint64_t>(claimed) > room));
        if (archive_entry_filetype(entry) != AE_IFREG || name.empty() || name == "." ||
            name == ".." || tooBig || !wanted(name)) {
            // With its sizes in the header, as most archivers write them, a
            // member is stepped over unread; without them the reader has to
            // inflate it to find its end (in fixed buffers).
            archive_read_data_skip(reader);
            continue;
        }
        ZipMember member;
        member.name = name;
        if (archive_entry_size_is_set(entry)) {
            member.bytes.reserve(static_cast<size_t>(claimed));
        }
        int read = ReadMemberBytes(reader, room, member.bytes);
        // NOTE: a damaged member ends the reading. Stepping over it could
        // land elsewhere than reading it did, so a later read that passes it
        // over might see other members than this one.
        if (read < 0) {
            break;
        }
        if (read == 0) {
            archive_read_data_skip(reader);
            continue;
        }
        member.bytes.shrink_to_fit();
        kept += member.name.size() + member.bytes.size();
        out.push_back(std::move(member));
    }
    archive_read_free(reader);
    return ok;
}
