// The player's seven preferences, the settings screen's pending copies of
// them, and the preferences file "Morvane.prefs" that keeps them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The GameScreen preference.
enum ScreenModeValue { ScreenFullscreen = 0, ScreenWindowed = 1, ScreenBorderless = 2 };

struct Preferences {
    std::string language;  // id of the language file in use, "en_GB"
    int music = 1;         // 0 off, anything else on
    int gameScreen = 2;    // always 0..2 once loaded
    int resolution = 1;    // index 0..9 into the resolution list
    int completed = 0;     // 1 once the game-complete panel was shown
    int sounds = 1;        // 0 off, anything else on
    int musicVolume = 100; // 0..100 for every music and jingle start

    bool operator==(const Preferences&) const = default;
};
extern Preferences Prefs;

// What the settings screen edits; applied on confirm, dropped on cancel.
struct PendingSettings {
    std::string language;
    int music = 1;
    int sounds = 1;
    int screenMode = 2;
    int resolution = 1;
};
extern PendingSettings Pending;

// The file name inside the folder it is kept in.
extern const char* const PreferencesFileName;
// Only this much of a preferences file is read: its setting lines come first,
// and whatever a player pasted after them must not cost the settings.
constexpr size_t PreferencesReadBound = 1 << 20;

// Defaults for the live preferences and the pending copies.
void SetDefaultPreferences();
// Refreshes the pending copies from the live preferences.
void CopyPreferencesToPending();

// Takes the "Settings" group of a preferences file held in memory into Prefs;
// absent keys keep their values. Answers true if the group was found.
bool ReadPreferences(const uint8_t* bytes, size_t size);
// The whole preferences file for the live values, byte for byte.
std::string PreferencesText();

// folder ends in "/". True if folder + "Morvane.prefs" is there, even when
// it cannot be read (the values then stay as they were). Of a longer file the
// whole lines within the bound are read.
bool LoadPreferences(const std::string& folder);
// Replaces folder + "Morvane.prefs" safely; false when it cannot be written.
bool SavePreferences(const std::string& folder);
// Saves the preferences when they differ from the values last saved (or
// taken as saved); true when nothing needed writing.
bool SaveChangedPreferences(const std::string& folder);
// The live preferences count as the ones on disk from now on.
void TakePreferencesAsSaved();
