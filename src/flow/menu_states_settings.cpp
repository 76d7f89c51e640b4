// The settings screen's steps: hover rules per row, stepping the pending
// values, and applying them on confirm.
#include "flow/menu_states.h"

#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "board/board.h"
#include "board/music.h"
#include "display/resolutions.h"
#include "display/screen.h"
#include "flow/flow.h"
#include "screens/settings_screen.h"
#include "language/languages.h"
#include "settings/preferences.h"
#include "startup/folders.h"
#include "startup/log.h"

// Title, logo, the panel and its five rows.
void DrawSettings()
{
    DrawTitleAndLogo();
    drawSpriteBlended(SettingsPanel.workSprite, SettingsPanel.x, SettingsPanel.y);
    DrawStrips(SettingsButtons, 1, 5);
}

// Rows 1..4 highlight; the resolution row only in the windowed mode; the
// confirm and cancel areas are remembered without a strip change.
void HoverSettings()
{
    const int hit = HitIndex(SettingsButtons, 1, 7, PointerX, PointerY);
    const bool rowHit = (hit >= 1 && hit <= 4) || (hit == 5 && Pending.screenMode == ScreenWindowed);
    if (rowHit) {
        if (hit != SettingsHover) {
            SettingsHover = hit;
            SetSettingsHover(hit);
        }
        return;
    }
    if (hit == 6 || hit == 7) {
        SettingsHover = hit;
        return;
    }
    SettingsHover = 0;
    // NOTE: a row left highlighted on the way to confirm or cancel is put
    // back to normal here too, not only when the pointer comes off a row, so
    // no highlight stays behind with nothing under the pointer.
    if (SettingsHighlightedRow != 0)
        SetSettingsHover(0);
}

// Music and sound effects act at once; a new language reloads the texts;
// another mode (or, windowed, another resolution) opens the display again.
// Answers true when the display was opened again.
static bool ApplySettings()
{
    if (Prefs.music && !Pending.music) {
        if (soundStatus(MenuMusic, MusicChannel) == SoundPlaying)
            fadeAndStop(MenuMusic, MusicChannel);
        if (soundStatus(Game.levelMusic, MusicChannel) == SoundPlaying)
            fadeAndStop(Game.levelMusic, MusicChannel);
        Prefs.music = 0;
        WriteLogLine("Music:", "OFF");
    } else if (!Prefs.music && Pending.music) {
        MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, Prefs.musicVolume);
        Prefs.music = 1;
        WriteLogLine("Music:", "ON");
    }
    Prefs.sounds = Pending.sounds ? 1 : 0;
    WriteLogLine("Sounds:", Prefs.sounds ? "ON" : "OFF");

    const bool reopen = ScreenReopenNeeded();
    if (Pending.language != Prefs.language) {
        Prefs.language = Pending.language;
        LoadLanguageAndLog(LanguageSource(GameDir), Prefs.language);
        PreferScriptFacesFor(Prefs.language);
        if (!reopen) {
            RebuildAllPanels(false);
            // NOTE: the rebuild shows the first value of every row; the rows
            // keep showing what was chosen while the panel slides out.
            SetSettingsHover(0);
        }
    }
    if (!reopen)
        return false;
    ReopenPending = 1;
    ReopenScreen();
    return true;
}

// One step of a value, forward (+1) or back (-1), each list going round.
static int StepRound(int value, int delta, int count)
{
    return count > 0 ? ((value + delta) % count + count) % count : 0;
}

bool StepSettingsRow(int index, int delta)
{
    switch (index) {
    case 1:
        if (!LanguageList.empty()) {
            LanguageIndex = StepRound(LanguageIndex, delta, static_cast<int>(LanguageList.size()));
            Pending.language = LanguageList[LanguageIndex].id;
        }
        break;
    case 2:
        Pending.music = Pending.music ? 0 : 1;
        break;
    case 3:
        Pending.sounds = Pending.sounds ? 0 : 1;
        break;
    case 4:
        Pending.screenMode = StepRound(Pending.screenMode, delta, ScreenBorderless + 1);
        break;
    case 5:
        if (!SettingsAreaUsable(5))
            return false;
        Pending.resolution = StepRound(Pending.resolution, delta, HighestResolution + 1);
        break;
    default:
        return false;
    }
    SetSettingsHover(index);
    return true;
}

// Clicks act on the row or area the last hover pass found: a row steps on.
void ClickSettings()
{
    if (SettingsPanel.slide != 0)
        return;
    switch (SettingsHover) {
    case 6:
        // After a re-open the title intro plays; there is nothing to slide.
        if (ApplySettings())
            return;
        SettingsHover = 0;
        SettingsPanel.slide = -25;
        break;
    case 7:
        SettingsHover = 0;
        SettingsPanel.slide = -25;
        break;
    default:
        StepSettingsRow(SettingsHover, +1);
        break;
    }
}

// Escape is cancel: the pending values are dropped.
void EscapeSettings()
{
    if (SettingsPanel.slide != 0)
        return;
    SettingsHover = 0;
    SettingsPanel.slide = -25;
}

// After the slide-out (confirm without re-open, cancel, Escape): the main menu.
void ExitSettings()
{
    // The list position follows the language really in use again.
    LanguageIndex = FindLanguage(Prefs.language);
    BackToMainMenu();
}
