#include "settings/progress.h"

#include <vector>

#include "board/levels.h"
#include "media/media.h"
#include "settings/ini.h"

const char* const ProgressFileName = "Morvane.scores";

namespace {

// NOTE: a hand-edited rating is held to 0..3 and a lock to 0 or 1, because
// both pick pictures by number; a stray 7 must not reach past the stars.
uint8_t RatingFromLine(const std::string& line)
{
    const int value = IniNumber(line);
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 3 ? 3 : value));
}

// Any value but 0 keeps the level locked.
uint8_t LockFromLine(const std::string& line)
{
    return IniNumber(line) != 0 ? 1 : 0;
}

// Splits the text into at most `count` lines; CR LF, CR or LF end a line.
std::vector<std::string> SplitLines(const std::string& text, size_t count)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size() && lines.size() < count) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            end++;
        start = end + 1;
    }
    return lines;
}

// Leading spaces and TABs are forgiven, as in the preferences file.
std::string WithoutLeadingBlanks(const std::string& line)
{
    const size_t start = line.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : line.substr(start);
}

} // namespace

// Lines past the 50th are ignored; missing ones read as 0 (open, unrated).
int ReadProgress(const uint8_t* bytes, size_t size)
{
    // A mark left by an editor is not part of the first number.
    const size_t skip = (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) ? 3 : 0;
    const std::string text(reinterpret_cast<const char*>(bytes) + skip, size - skip);
    const std::vector<std::string> lines = SplitLines(text, ProgressLineCount);
    for (int level = 1; level <= 25; level++) {
        const size_t bestLine = static_cast<size_t>(level - 1) * 2;
        const std::string best = bestLine < lines.size() ? lines[bestLine] : "";
        const std::string locked = bestLine + 1 < lines.size() ? lines[bestLine + 1] : "";
        LevelRecord& record = LevelByNumber(level);
        record.best = RatingFromLine(WithoutLeadingBlanks(best));
        record.locked = LockFromLine(WithoutLeadingBlanks(locked));
    }
    return static_cast<int>(lines.size());
}

// Best then locked for levels 1 to 25, CR LF after each, no byte-order mark.
std::string ProgressText()
{
    std::string text;
    for (int level = 1; level <= 25; level++) {
        const LevelRecord& record = LevelByNumber(level);
        text += std::to_string(static_cast<int>(record.best)) + "\r\n";
        text += std::to_string(static_cast<int>(record.locked)) + "\r\n";
    }
    return text;
}

// Without a file the records keep their start values. A long file keeps
// its first lines: whatever follows them never costs the player the campaign.
bool LoadProgress(const std::string& folder)
{
    std::vector<uint8_t> bytes;
    bool cut = false;
    if (!readFileHead(folder + ProgressFileName, bytes, ProgressReadBound, cut))
        return false;
    ReadProgress(bytes.data(), cut ? WholeLinesLength(bytes.data(), bytes.size()) : bytes.size());
    return true;
}

// NOTE: written beside the old file and renamed over it, so an interrupted
// save never costs the player the campaign.
bool SaveProgress(const std::string& folder)
{
    return writeFileAtomic(folder + ProgressFileName, ProgressText());
}
