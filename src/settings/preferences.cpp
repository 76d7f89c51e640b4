#include "settings/preferences.h"

#include <vector>

#include "display/resolutions.h"
#include "media/media.h"
#include "settings/ini.h"

Preferences Prefs;
PendingSettings Pending;
const char* const PreferencesFileName = "Morvane.prefs";

namespace {

// The values of the last save, tried or done, or those taken as saved.
Preferences Saved;

// The values the rest of the game relies on: a screen mode it can open and a
// resolution inside the list. Anything else falls back to the default.
void SettlePreferences()
{
    if (Prefs.gameScreen < ScreenFullscreen || Prefs.gameScreen > ScreenBorderless)
        Prefs.gameScreen = Preferences{}.gameScreen;
    Prefs.resolution = ValidResolution(Prefs.resolution);
}

} // namespace

// Set before any file is read, so a missing key keeps its default.
void SetDefaultPreferences()
{
    Prefs = Preferences{};
    CopyPreferencesToPending();
}

// Run each time the settings screen opens.
void CopyPreferencesToPending()
{
    Pending.language = Prefs.language;
    Pending.music = Prefs.music;
    Pending.sounds = Prefs.sounds;
    Pending.screenMode = Prefs.gameScreen;
    Pending.resolution = Prefs.resolution;
}

// Keys are looked up in the first "Settings" group only; a file without one
// changes nothing.
bool ReadPreferences(const uint8_t* bytes, size_t size)
{
    IniFile file;
    ParseIni(bytes, size, file);
    const IniGroup* settings = FindIniGroup(file, "Settings");
    if (!settings)
        return false;
    ReadIniText(settings, "Language", Prefs.language);
    ReadIniNumber(settings, "Music", Prefs.music);
    ReadIniNumber(settings, "GameScreen", Prefs.gameScreen);
    ReadIniNumber(settings, "Resolution", Prefs.resolution);
    ReadIniNumber(settings, "Completed", Prefs.completed);
    ReadIniNumber(settings, "Sounds", Prefs.sounds);
    ReadIniNumber(settings, "MusicVolume", Prefs.musicVolume);
    SettlePreferences();
    return true;
}

// UTF-8 with its mark, then an empty rest of the mark's line, the comment,
// the group and the seven keys, every line ended by CR LF.
std::string PreferencesText()
{
    std::string text = "\xEF\xBB\xBF\r\n";
    text += "; Morvane Preferences\r\n";
    text += "[Settings]\r\n";
    text += "Language = " + Prefs.language + "\r\n";
    text += "Music = " + std::to_string(Prefs.music) + "\r\n";
    text += "GameScreen = " + std::to_string(Prefs.gameScreen) + "\r\n";
    text += "Resolution = " + std::to_string(Prefs.resolution) + "\r\n";
    text += "Completed = " + std::to_string(Prefs.completed) + "\r\n";
    text += "Sounds = " + std::to_string(Prefs.sounds) + "\r\n";
    text += "MusicVolume = " + std::to_string(Prefs.musicVolume) + "\r\n";
    return text;
}

// NOTE: a file that is there but cannot be read still answers true: it
// marks the folder the player chose to keep the game in, so the start-up
// stays there, with the values as they were.
bool LoadPreferences(const std::string& folder)
{
    const std::string path = folder + PreferencesFileName;
    if (!fileExists(path))
        return false;
    std::vector<uint8_t> bytes;
    bool cut = false;
    if (readFileHead(path, bytes, PreferencesReadBound, cut))
        ReadPreferences(bytes.data(), cut ? WholeLinesLength(bytes.data(), bytes.size()) : bytes.size());
    return true;
}

// NOTE: written beside the old file and renamed over it, so a crash or a
// full disk while saving leaves the previous preferences in place.
bool SavePreferences(const std::string& folder)
{
    Saved = Prefs;
    return writeFileAtomic(folder + PreferencesFileName, PreferencesText());
}

// NOTE: a save that failed (a full disk, a folder that cannot be written) is
// tried again only once the values change, not in every pass.
bool SaveChangedPreferences(const std::string& folder)
{
    return Prefs == Saved || SavePreferences(folder);
}

void TakePreferencesAsSaved()
{
    Saved = Prefs;
}
