// The settings panel: one strip per value of every row, so that stepping a
// value or hovering a row only swaps sprite numbers.
#include "screens/settings_screen.h"

#include <algorithm>
#include <cstdint>

#include "assets/asset_numbers.h"
#include "display/resolutions.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "settings/preferences.h"

Panel SettingsPanel;
ButtonRecord SettingsButtons[8];
int SettingsHover = 0;
int SettingsHighlightedRow = 0;

namespace {

constexpr int DesignHeight = 1120;  // settings.png
// Design row tops of rows 1..5.
constexpr int RowTops[6] = {0, 280, 380, 480, 580, 680};

// Upper case of one code point (the ranges a language name can use).
uint32_t UpperCodePoint(uint32_t c)
{
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c == 0x131)  // dotless i
        return 'I';
    if (c == 0x17F)  // long s
        return 'S';
    // Latin Extended-A pairs: capital at the even code point, except in the
    // two runs where the capital comes first at an odd one.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c % 2 == 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 0) ? c - 1 : c;
    if (c == 0x3C2)  // final sigma
        return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3C9)
        return c - 0x20;
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    // Cyrillic pairs beyond Russian (Ukrainian ґ among them): capital at the even code point.
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF))
        return (c % 2 == 1) ? c - 1 : c;
    return c;
}

// One code point below U+10000 as UTF-8.
void AppendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Strip of the language at a LanguageList position.
int LanguageStrip(int position, bool hover)
{
    const int slot = std::clamp(position, 0, SettingsLanguageSlots - 1);
    return SettingsLanguageStrips + 2 * slot + (hover ? 1 : 0);
}


// ON/OFF strip of the music (base 340) or sound-effects (344) row.
int SwitchStrip(int base, int on, bool hover)
{
    return base + (on ? 0 : 2) + (hover ? 1 : 0);
}

// Screen mode 0 full screen, 1 windowed, 2 borderless; the strips are kept
// in the order WINDOWED, FULLSCREEN, BORDERLESS.
int ModeStrip(int mode, bool hover)
{
    const int order = mode == 1 ? 0 : (mode == 0 ? 1 : 2);
    return SettingsModeStrips + 2 * order + (hover ? 1 : 0);
}

// variant 0 normal, 1 hover, 2 disabled.
int ResolutionStrip(int index, int variant)
{
    const int valid = std::clamp(index, 0, HighestResolution);
    return SettingsResolutionStrips + 3 * valid + variant;
}

// Both colours of one row value.
void MakeRowPair(int normal, int font, const std::string& label, const std::string& value, int width)
{
    MakeSettingsStrip(normal, font, label, value, TextColour, width);
    MakeSettingsStrip(normal + 1, font, label, value, HoverColour, width);
}

}  // namespace

// Code point by code point; anything not decodable is copied as it is.
std::string UpperCaseText(const std::string& text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = 1;
        uint32_t c = lead;
        if (lead >= 0xC0 && lead < 0xE0)
            length = 2, c = lead & 0x1F;
        else if (lead >= 0xE0 && lead < 0xF0)
            length = 3, c = lead & 0x0F;
        else if (lead >= 0xF0)
            length = 4, c = lead & 0x07;
        bool wellFormed = lead < 0x80 || (lead >= 0xC0 && i + length <= text.size());
        for (size_t k = 1; wellFormed && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            wellFormed = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!wellFormed || length == 4) {
            // Bytes that are not a letter we know are copied unchanged.
            out.append(text, i, wellFormed ? length : 1);
            i += wellFormed ? length : 1;
            continue;
        }
        if (c == 0xDF) {  // sharp s has no single capital in common use
            out += "SS";
        } else {
            AppendUtf8(out, UpperCodePoint(c));
        }
        i += length;
    }
    return out;
}

// NOTE: only the shown language's pair of strips exists at a time, drawn when
// the row first shows it: fifteen languages' strips cost 15 MB at 3840x2160.
static int LanguageStripsDrawn = -1;
static int LanguageStripsFont = 0;
static int LanguageStripsWidth = 0;

static void DrawLanguageStrips(int position)
{
    if (position == LanguageStripsDrawn || position < 0 || position >= static_cast<int>(LanguageList.size()) ||
        position >= SettingsLanguageSlots)
        return;
    if (LanguageStripsDrawn >= 0) {
        freeSprite(LanguageStrip(LanguageStripsDrawn, false));
        freeSprite(LanguageStrip(LanguageStripsDrawn, true));
    }
    LanguageStripsDrawn = position;
    MakeRowPair(LanguageStrip(position, false), LanguageStripsFont, text("tSettingsLANGUAGE"),
                UpperCaseText(LanguageList[position].name), LanguageStripsWidth);
}

// Builds the panel and every row strip; place = 1 also places the panel
// below the screen and computes all seven hit rectangles.
void BuildSettingsPanel(int place)
{
    SettingsPanel.workSprite = SpriteSettings;
    SettingsPanel.cleanSprite = SpriteSettingsClean;
    if (!BeginPanel(SettingsPanel, GameFont(80, false), text("tSettingsTITLE"), 115))
        return;
    ScalePanelByHeight(SettingsPanel, 65);
    if (place) {
        PlacePanelBelow(SettingsPanel);
        for (int i = 1; i <= 5; ++i)
            DesignAreaToRecord(SettingsPanel, 90, RowTops[i], 1172, RowTops[i], SettingsButtons[i]);
        DesignAreaToRecord(SettingsPanel, 94, 830, 192, 928, SettingsButtons[6]);
        DesignAreaToRecord(SettingsPanel, 1066, 830, 1162, 928, SettingsButtons[7]);
        SettingsButtons[6].sprite = 0;
        SettingsButtons[7].sprite = 0;
    }
    const int width = SettingsPanel.width;
    const int stripHeight = SettingsStripHeight(width);
    for (int i = 1; i <= 5; ++i) {
        ButtonRecord& record = SettingsButtons[i];
        record.x = SettingsPanel.x;
        record.y = SettingsPanel.y + SettingsPanel.height * RowTops[i] / DesignHeight;
        record.hitBottom = record.hitTop + stripHeight;
    }

    const int font = GameFont(46, true);
    LanguageStripsFont = font;
    LanguageStripsWidth = width;
    const int shown = LanguageStripsDrawn;
    LanguageStripsDrawn = -1;  // drawn again in this language, at this size
    DrawLanguageStrips(LanguageIndex);
    if (shown >= 0 && shown != LanguageIndex) {
        freeSprite(LanguageStrip(shown, false));
        freeSprite(LanguageStrip(shown, true));
    }
    const std::string& on = text("tSettingsON");
    const std::string& off = text("tSettingsOFF");
    MakeRowPair(SwitchStrip(SettingsMusicStrips, 1, false), font, text("tSettingsMUSIC"), on, width);
    MakeRowPair(SwitchStrip(SettingsMusicStrips, 0, false), font, text("tSettingsMUSIC"), off, width);
    MakeRowPair(SwitchStrip(SettingsSoundStrips, 1, false), font, text("tSettingsSOUNDFX"), on, width);
    MakeRowPair(SwitchStrip(SettingsSoundStrips, 0, false), font, text("tSettingsSOUNDFX"), off, width);
    const std::string& modeLabel = text("tSettingsSCREENMODE");
    MakeRowPair(ModeStrip(1, false), font, modeLabel, text("tSettingsWINDOWED"), width);
    MakeRowPair(ModeStrip(0, false), font, modeLabel, text("tSettingsFULLSCREEN"), width);
    MakeRowPair(ModeStrip(2, false), font, modeLabel, text("tSettingsBORDERLESS"), width);
    const std::string& resolutionLabel = text("tSettingsRESOLUTION");
    for (int i = 0; i <= HighestResolution; ++i) {
        const std::string value = ResolutionText(i);
        MakeRowPair(ResolutionStrip(i, 0), font, resolutionLabel, value, width);
        MakeSettingsStrip(ResolutionStrip(i, 2), font, resolutionLabel, value, DisabledColour, width);
    }

    SettingsButtons[1].sprite = LanguageStrip(LanguageIndex, false);
    SettingsButtons[2].sprite = SwitchStrip(SettingsMusicStrips, 1, false);
    SettingsButtons[3].sprite = SwitchStrip(SettingsSoundStrips, 1, false);
    SettingsButtons[4].sprite = ModeStrip(1, false);
    SettingsButtons[5].sprite = ResolutionStrip(0, 0);
}

bool SettingsAreaUsable(int index)
{
    return index != 5 || Pending.screenMode == ScreenWindowed;
}

void SetSettingsHover(int index)
{
    SettingsHighlightedRow = (index >= 1 && index <= 5) ? index : 0;
    DrawLanguageStrips(LanguageIndex);
    SettingsButtons[1].sprite = LanguageStrip(LanguageIndex, index == 1);
    SettingsButtons[2].sprite = SwitchStrip(SettingsMusicStrips, Pending.music, index == 2);
    SettingsButtons[3].sprite = SwitchStrip(SettingsSoundStrips, Pending.sounds, index == 3);
    SettingsButtons[4].sprite = ModeStrip(Pending.screenMode, index == 4);
    SettingsButtons[5].sprite = ResolutionStrip(Pending.resolution, index == 5 ? 1 : 0);
    if (Pending.screenMode != 1)
        SettingsButtons[5].sprite = ResolutionStrip(Pending.resolution, 2);
}
