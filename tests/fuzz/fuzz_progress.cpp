// The progress reader under arbitrary bytes: nothing may crash, every level
// ends with a rating of 0..3 and a lock of 0 or 1, and the file written from
// the records reads back to the same records.
#include <cstdint>
#include <cstdlib>

#include "board/levels.h"
#include "settings/ini.h"
#include "settings/progress.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    BuildLevelRecords();
    // A file read only in part is read as its whole lines: never more of them.
    const int whole = ReadProgress(data, WholeLinesLength(data, size));
    const int lines = ReadProgress(data, size);
    if (lines < 0 || lines > ProgressLineCount || whole > lines)
        std::abort();
    for (int n = 1; n <= 25; n++) {
        if (LevelByNumber(n).best > 3 || LevelByNumber(n).locked > 1)
            std::abort();
    }
    const std::string written = ProgressText();
    BuildLevelRecords();
    if (ReadProgress(reinterpret_cast<const uint8_t*>(written.data()), written.size()) != ProgressLineCount ||
        ProgressText() != written)
        std::abort();
    return 0;
}
