// The INI reader under arbitrary bytes, as preferences and as a language
// file: nothing may crash, loaded values stay in their ranges, and a file
// written from them reads back to the same values.
#include <cstdint>
#include <cstdlib>

#include "language/languages.h"
#include "language/text_table.h"
#include "settings/ini.h"
#include "settings/preferences.h"

namespace {

bool SamePreferences(const Preferences& a, const Preferences& b)
{
    return a.language == b.language && a.music == b.music && a.gameScreen == b.gameScreen &&
           a.resolution == b.resolution && a.completed == b.completed && a.sounds == b.sounds &&
           a.musicVolume == b.musicVolume;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // As a file read only in part (its whole lines), then whole.
    for (size_t length : {WholeLinesLength(data, size), size}) {
        SetDefaultPreferences();
        ReadPreferences(data, length);
        if (Prefs.gameScreen < 0 || Prefs.gameScreen > 2 || Prefs.resolution < 0 || Prefs.resolution > 9)
            std::abort();
    }
    const Preferences loaded = Prefs;
    const std::string written = PreferencesText();
    SetDefaultPreferences();
    if (!ReadPreferences(reinterpret_cast<const uint8_t*>(written.data()), written.size()) ||
        !SamePreferences(loaded, Prefs))
        std::abort();

    IniFile file;
    ParseIni(data, size, file);
    TakeLanguageHeader(data, size, "fuzz");
    if (LanguageMap.size() != 1 || LanguageMap.begin()->second.id != "fuzz")
        std::abort();
    TakeLanguageTexts(data, size);
    // The run-long tables would otherwise grow with every input.
    LanguageMap.clear();
    TextTable.clear();
    return 0;
}
