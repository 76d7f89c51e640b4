// Checks of the language files placed in the game folder (Morvane.languages):
// the byte format (UTF-8 mark, CR LF line ends), the header group, every
// text key the game looks up with a non-empty text, "#" exactly where the
// game substitutes a number, lengths that fit the screens, a flag picture
// that decodes, the game's own reader taking every line, and a font that
// has a glyph for every character the texts use.
#include "assets/data_archive.h"
#include "language/languages.h"
#include "language/text_table.h"

#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every text key the game looks up, spelled exactly as the game spells them
// (tGcCONTINUEPALYING included).
const std::vector<std::string> TextKeys = {
    "tErrorERROR", "tErrorSUBSYSTEM", "tErrorSCREEN", "tErrorASSET",
    "tMenuTITLE", "tMenuSTART", "tMenuQUICKGAME", "tMenuSETTINGS", "tMenuHELP", "tMenuCREDITS", "tMenuQUIT",
    "tLevelSelectTITLE",
    "tQuickGameTITLE", "tQuickGameEASY", "tQuickGameMEDIUM", "tQuickGameHARD", "tQuickGameINSANE",
    "tSettingsTITLE", "tSettingsMUSIC", "tSettingsSOUNDFX", "tSettingsON", "tSettingsOFF", "tSettingsSCREENMODE",
    "tSettingsFULLSCREEN", "tSettingsWINDOWED", "tSettingsBORDERLESS", "tSettingsRESOLUTION", "tSettingsLANGUAGE",
    "tGetReadyTITLE", "tGetReadyLEVEL", "tGetReadyEASY", "tGetReadyMEDIUM", "tGetReadyHARD", "tGetReadyINSANE",
    "tGuiLevelEASY", "tGuiLevelMEDIUM", "tGuiLevelHARD", "tGuiLevelINSANE",
    "tInGameTITLE", "tInGameRESUME", "tInGameRESTART", "tInGameQUIT",
    "tFinishedTHEEND", "tFinishedNOTBAD", "tFinishedGOODJOB", "tFinishedSUCCESS", "tFinishedNEXT",
    "tFinishedRETRY", "tFinishedMENU", "tFinishedTILES",
    "tGcCONGRATULATIONS", "tGcGAMECOMPLETE", "tGcSTARS", "tGcSTARSCOLLECTED", "tGcCONTINUEPALYING", "tGcGETALL",
    "tHelpTITLE", "tHelpTEXT01", "tHelpTEXT02", "tHelpTEXT03", "tHelpTEXT04",
    "tCreditsTITLE", "tCreditsCODEDESIGN", "tCreditsGFX", "tCreditsMUSIC", "tCreditsSOUNDFX", "tCreditsFONT",
    "tQuitTITLE", "tQuitQUESTION",
};

const std::vector<std::string> HeaderKeys = {
    "tLangFileNAME", "tLangFileVERSION", "tLangFileDATE", "tLangFileAUTHOR", "tLangFileLANGID", "tLangFileSOFTWARE",
};

// The texts in which the game replaces "#" by a number.
const std::set<std::string> NumberedKeys = {"tGetReadyLEVEL", "tFinishedTILES", "tGcSTARS"};

// The languages that must ship, with their names in their own language.
const std::map<std::string, std::string> Required = {
    {"en_GB", "English"}, {"de_DE", "Deutsch"}, {"fr_FR", "Français"}, {"es_ES", "Español"}, {"pl_PL", "Polski"},
};

// Longest texts in characters that still fit where the screens draw them
// (the fonts' widths at their sizes over the boxes' design widths).
size_t LengthLimit(const std::string& key)
{
    if (key == "tMenuTITLE")
        return 9;   // 130 pt on the main menu's banner
    if (key.rfind("tGuiLevel", 0) == 0)
        return 10;  // 60 pt on the small level label
    if (key.find("TITLE") != std::string::npos || key == "tFinishedTHEEND" || key == "tFinishedNOTBAD" ||
        key == "tFinishedGOODJOB" || key == "tFinishedSUCCESS" || key == "tGcCONGRATULATIONS")
        return 16;  // 80 pt panel titles
    if (key.rfind("tGetReady", 0) == 0)
        return 12;  // 120 pt bold on the get-ready card
    if (key.rfind("tMenu", 0) == 0 || key.rfind("tQuickGame", 0) == 0 || key.rfind("tInGame", 0) == 0 ||
        key == "tFinishedNEXT" || key == "tFinishedRETRY" || key == "tFinishedMENU")
        return 18;  // 60 pt bold buttons
    if (key == "tFinishedTILES")
        return 24;
    if (key.rfind("tGc", 0) == 0 || key.rfind("tCredits", 0) == 0)
        return 40;  // 46 and 35 pt bold lines across the panel
    if (key.rfind("tHelpTEXT", 0) == 0)
        return 220;  // four lines of 30 pt bold
    if (key == "tQuitQUESTION")
        return 70;   // a few lines of 60 pt bold in the question box
    if (key.rfind("tSettings", 0) == 0)
        return 20;   // one side of a settings row
    return 90;       // error messages
}

std::vector<uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// UTF-8 to code points; false on a malformed sequence.
bool DecodeUtf8(const std::string& s, std::vector<uint32_t>& out)
{
    for (size_t i = 0; i < s.size();) {
        const uint8_t c = uint8_t(s[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0)
            return false;
        uint32_t cp = extra == 0 ? c : extra == 1 ? (c & 0x1f) : extra == 2 ? (c & 0x0f) : (c & 0x07);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= s.size() || (uint8_t(s[i + k]) >> 6) != 2)
                return false;
            cp = (cp << 6) | (uint8_t(s[i + k]) & 0x3f);
        }
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000))
            return false;  // overlong
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return true;
}

struct KeyLine {
    std::string group;
    std::string key;
    std::string value;
    int line;
};

// A strict reading of one language file as shipped.
struct LanguageFile {
    std::string id;
    std::vector<uint8_t> bytes;
    std::vector<std::string> problems;  // format faults
    std::vector<KeyLine> keys;
    std::vector<std::string> groups;

    const KeyLine* find(const std::string& key) const
    {
        for (const KeyLine& k : keys)
            if (k.key == key)
                return &k;
        return nullptr;
    }
    int count(const std::string& key) const
    {
        return int(std::count_if(keys.begin(), keys.end(), [&](const KeyLine& k) { return k.key == key; }));
    }
};

LanguageFile ReadLanguage(const fs::path& path)
{
    LanguageFile f;
    f.id = path.stem().string();
    f.bytes = ReadFile(path);
    const std::vector<uint8_t>& b = f.bytes;
    if (b.size() < 3 || b[0] != 0xEF || b[1] != 0xBB || b[2] != 0xBF) {
        f.problems.push_back("does not start with the UTF-8 byte-order mark");
        return f;
    }
    std::string text(b.begin() + 3, b.end());
    std::vector<uint32_t> ignored;
    if (!DecodeUtf8(text, ignored))
        f.problems.push_back("is not valid UTF-8");
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n")
        f.problems.push_back("last line does not end with CR LF");
    std::string group;
    int lineNumber = 0;
    size_t at = 0;
    while (at < text.size()) {
        const size_t lf = text.find('\n', at);
        const size_t end = lf == std::string::npos ? text.size() : lf;
        ++lineNumber;
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (lf != std::string::npos) {
            if (line.empty() || line.back() != '\r')
                f.problems.push_back("line " + std::to_string(lineNumber) + " ends with LF alone");
            else
                line.pop_back();
        }
        if (line.find('\r') != std::string::npos)
            f.problems.push_back("line " + std::to_string(lineNumber) + " holds a lone CR");
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue;
        line = line.substr(first);
        if (line[0] == ';')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            if (close == std::string::npos)
                f.problems.push_back("line " + std::to_string(lineNumber) + ": group line without ]");
            group = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            f.groups.push_back(group);
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            f.problems.push_back("line " + std::to_string(lineNumber) + " is neither comment, group nor key = text");
            continue;
        }
        std::string key = line.substr(0, eq);
        key.erase(key.find_last_not_of(" \t") + 1);
        std::string value = line.substr(eq + 1);
        const size_t v = value.find_first_not_of(" \t");
        value = v == std::string::npos ? "" : value.substr(v);
        const size_t last = value.find_last_not_of(" \t");
        value = last == std::string::npos ? "" : value.substr(0, last + 1);
        f.keys.push_back({group, key, value, lineNumber});
    }
    return f;
}

fs::path LanguageFolder() { return fs::path(MORVANE_GAME_DIR) / "Morvane.languages"; }

std::vector<LanguageFile> ShippedLanguages()
{
    std::vector<LanguageFile> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(LanguageFolder(), error))
        if (entry.path().extension() == ".language")
            files.push_back(ReadLanguage(entry.path()));
    std::sort(files.begin(), files.end(), [](const LanguageFile& a, const LanguageFile& b) { return a.id < b.id; });
    return files;
}

// The code points a TrueType font maps to a glyph (cmap formats 4 and 12).
class FontCoverage {
public:
    explicit FontCoverage(const std::vector<uint8_t>& font) : f(font) { parse(); }
    bool parsed() const { return ok; }
    bool has(uint32_t cp) const
    {
        for (const auto& r : ranges)
            if (cp >= r.first && cp <= r.second)
                return true;
        return false;
    }

private:
    uint32_t u16(size_t at) const { return at + 2 <= f.size() ? (uint32_t(f[at]) << 8) | f[at + 1] : 0; }
    uint32_t u32(size_t at) const { return (u16(at) << 16) | u16(at + 2); }

    void parse()
    {
        if (f.size() < 12)
            return;
        const uint32_t tables = u16(4);
        size_t cmap = 0;
        for (uint32_t i = 0; i < tables; ++i) {
            const size_t rec = 12 + 16 * size_t(i);
            if (rec + 16 > f.size())
                return;
            if (std::string(f.begin() + rec, f.begin() + rec + 4) == "cmap")
                cmap = u32(rec + 8);
        }
        if (!cmap || cmap + 4 > f.size())
            return;
        const uint32_t subtables = u16(cmap + 2);
        size_t best4 = 0, best12 = 0;
        for (uint32_t i = 0; i < subtables; ++i) {
            const size_t rec = cmap + 4 + 8 * size_t(i);
            const uint32_t platform = u16(rec), encoding = u16(rec + 2);
            const size_t sub = cmap + u32(rec + 4);
            if (sub + 2 > f.size())
                continue;
            const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
            if (!unicode)
                continue;
            if (u16(sub) == 4)
                best4 = sub;
            if (u16(sub) == 12)
                best12 = sub;
        }
        if (best12) {
            const uint32_t groups = u32(best12 + 12);
            for (uint32_t g = 0; g < groups; ++g) {
                const size_t at = best12 + 16 + 12 * size_t(g);
                if (at + 12 > f.size())
                    return;
                if (u32(at + 8) != 0 || u32(at) != u32(at + 4))
                    ranges.push_back({u32(at), u32(at + 4)});
            }
            ok = true;
        } else if (best4) {
            const uint32_t segments = u16(best4 + 6) / 2;
            const size_t ends = best4 + 14, starts = ends + 2 * segments + 2, deltas = starts + 2 * segments,
                         offsets = deltas + 2 * segments;
            for (uint32_t s = 0; s < segments; ++s) {
                const uint32_t end = u16(ends + 2 * s), start = u16(starts + 2 * s);
                const uint32_t delta = u16(deltas + 2 * s), rangeOffset = u16(offsets + 2 * s);
                for (uint32_t c = start; c <= end && c != 0xFFFF; ++c) {
                    uint32_t glyph;
                    if (rangeOffset == 0) {
                        glyph = (c + delta) & 0xFFFF;
                    } else {
                        const size_t at = offsets + 2 * s + rangeOffset + 2 * (c - start);
                        glyph = u16(at);
                        if (glyph)
                            glyph = (glyph + delta) & 0xFFFF;
                    }
                    if (glyph)
                        ranges.push_back({c, c});
                }
            }
            ok = true;
        }
    }

    const std::vector<uint8_t>& f;
    std::vector<std::pair<uint32_t, uint32_t>> ranges;
    bool ok = false;
};

TEST(LanguageFiles, TheFiveLanguagesShipWithTheirNames)
{
    const std::vector<LanguageFile> files = ShippedLanguages();
    std::set<std::string> ids;
    for (const LanguageFile& f : files)
        ids.insert(f.id);
    for (const auto& [id, name] : Required) {
        EXPECT_TRUE(ids.count(id)) << id << ".language missing from " << LanguageFolder();
        for (const LanguageFile& f : files) {
            if (f.id == id) {
                const KeyLine* k = f.find("tLangFileNAME");
                ASSERT_NE(k, nullptr) << id;
                EXPECT_EQ(k->value, name) << id;
            }
        }
    }
    // display names are the map's keys: two files with one name would hide one
    std::set<std::string> names;
    for (const LanguageFile& f : files) {
        if (const KeyLine* k = f.find("tLangFileNAME")) {
            EXPECT_TRUE(names.insert(k->value).second) << "display name used twice: " << k->value;
        }
    }
}

TEST(LanguageFiles, FormatIsUtf8WithMarkAndCrLfLineEnds)
{
    const std::vector<LanguageFile> files = ShippedLanguages();
    ASSERT_FALSE(files.empty());
    for (const LanguageFile& f : files) {
        SCOPED_TRACE(f.id);
        for (const std::string& p : f.problems)
            ADD_FAILURE() << f.id << ".language " << p;
        EXPECT_FALSE(f.keys.empty());
    }
}

TEST(LanguageFiles, HeaderGroupComesFirstWithAllSixKeys)
{
    for (const LanguageFile& f : ShippedLanguages()) {
        SCOPED_TRACE(f.id);
        ASSERT_FALSE(f.groups.empty());
        EXPECT_EQ(f.groups.front(), "LANGUAGE FILE");
        for (const std::string& key : HeaderKeys) {
            const KeyLine* k = f.find(key);
            ASSERT_NE(k, nullptr) << key << " missing";
            EXPECT_EQ(k->group, "LANGUAGE FILE") << key << " outside the header group";
            EXPECT_FALSE(k->value.empty()) << key << " is empty";
        }
        EXPECT_EQ(f.find("tLangFileLANGID")->value, f.id);
        EXPECT_EQ(f.find("tLangFileSOFTWARE")->value, "Morvane");
    }
}

TEST(LanguageFiles, EveryTextKeyIsDefinedOnceWithAText)
{
    std::set<std::string> known(TextKeys.begin(), TextKeys.end());
    known.insert(HeaderKeys.begin(), HeaderKeys.end());
    ASSERT_EQ(TextKeys.size(), 69u);
    for (const LanguageFile& f : ShippedLanguages()) {
        SCOPED_TRACE(f.id);
        for (const std::string& key : TextKeys) {
            const int n = f.count(key);
            EXPECT_EQ(n, 1) << key << (n == 0 ? " missing" : " defined more than once");
            if (const KeyLine* k = f.find(key)) {
                EXPECT_FALSE(k->value.empty()) << key << " has an empty text";
            }
        }
        for (const KeyLine& k : f.keys)
            EXPECT_TRUE(known.count(k.key)) << "line " << k.line << ": unknown key " << k.key << " (misspelt?)";
    }
}

TEST(LanguageFiles, NumberMarkAppearsExactlyWhereTheGameReplacesIt)
{
    for (const LanguageFile& f : ShippedLanguages()) {
        SCOPED_TRACE(f.id);
        for (const KeyLine& k : f.keys) {
            const bool hasMark = k.value.find('#') != std::string::npos;
            if (NumberedKeys.count(k.key))
                EXPECT_TRUE(hasMark) << k.key << " needs a # for the number: " << k.value;
            else
                EXPECT_FALSE(hasMark) << k.key << " would show a literal #: " << k.value;
        }
        if (const KeyLine* stars = f.find("tGcSTARS")) {
            EXPECT_NE(stars->value.find("75"), std::string::npos) << "the stars line should name the 75 stars";
        }
    }
}

TEST(LanguageFiles, TextsAreShortEnoughForTheirPlaces)
{
    for (const LanguageFile& f : ShippedLanguages()) {
        SCOPED_TRACE(f.id);
        for (const std::string& key : TextKeys) {
            const KeyLine* k = f.find(key);
            if (!k)
                continue;
            std::vector<uint32_t> cps;
            ASSERT_TRUE(DecodeUtf8(k->value, cps)) << key;
            EXPECT_LE(cps.size(), LengthLimit(key)) << key << " is too long to fit: " << k->value;
        }
        // a settings row shows label and value side by side
        const auto length = [&](const std::string& key) {
            std::vector<uint32_t> cps;
            const KeyLine* k = f.find(key);
            if (k)
                DecodeUtf8(k->value, cps);
            return cps.size();
        };
        for (const char* label : {"tSettingsMUSIC", "tSettingsSOUNDFX"})
            EXPECT_LE(length(label) + std::max(length("tSettingsON"), length("tSettingsOFF")), 30u) << label;
        for (const char* value : {"tSettingsFULLSCREEN", "tSettingsWINDOWED", "tSettingsBORDERLESS"})
            EXPECT_LE(length("tSettingsSCREENMODE") + length(value), 30u) << value;
        EXPECT_LE(length("tSettingsRESOLUTION") + 9, 30u);  // "1920x1080"
        EXPECT_LE(length("tSettingsLANGUAGE") + 9, 30u);    // the longest display name, in capitals
    }
}

TEST(LanguageFiles, EveryLanguageHasAFlagPictureThatDecodes)
{
    for (const LanguageFile& f : ShippedLanguages()) {
        SCOPED_TRACE(f.id);
        const std::vector<uint8_t> bytes = ReadFile(LanguageFolder() / (f.id + ".flag"));
        ASSERT_FALSE(bytes.empty()) << f.id << ".flag missing or empty";
        // an archive source extracts flags into a 16000-byte block
        EXPECT_LE(bytes.size(), 16000u);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) << "not a PNG";
        image.format = PNG_FORMAT_RGBA;
        std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << "does not decode";
        EXPECT_GT(image.width, image.height) << "a flag is wider than high";
        EXPECT_GE(image.height, 16u);
        // not blank: the centre pixel is opaque and the picture has more than one colour
        std::set<uint32_t> colours;
        for (size_t i = 0; i + 3 < pixels.size(); i += 4)
            colours.insert(uint32_t(pixels[i]) << 16 | uint32_t(pixels[i + 1]) << 8 | pixels[i + 2]);
        EXPECT_GE(colours.size(), 2u);
        const size_t centre = (size_t(image.height / 2) * image.width + image.width / 2) * 4;
        EXPECT_EQ(pixels[centre + 3], 255);
    }
}

TEST(LanguageFiles, TheGamesReaderTakesEveryLineAsWritten)
{
    for (const LanguageFile& f : ShippedLanguages()) {
        SCOPED_TRACE(f.id);
        const int taken = TakeLanguageTexts(f.bytes.data(), f.bytes.size());
        EXPECT_EQ(taken, int(f.keys.size()));
        for (const KeyLine& k : f.keys)
            EXPECT_EQ(text(k.key), k.value) << k.key;
    }
}

TEST(LanguageFiles, TheFontHasAGlyphForEveryCharacterOfEveryText)
{
    DataArchive archive;
    ASSERT_TRUE(OpenDataArchive(archive, std::string(MORVANE_GAME_DIR) + "/Morvane.data"));
    uint64_t size = 0;
    ASSERT_TRUE(FindMember(archive, "Baloo-Regular.ttf", &size)) << "the font member is missing";
    std::vector<uint8_t> font(size_t(size) + 1);
    const size_t got = ExtractMember(archive, font.data(), font.size(), "Baloo-Regular.ttf");
    CloseDataArchive(archive);
    ASSERT_EQ(got, size_t(size));
    font.resize(got);
    const FontCoverage coverage(font);
    ASSERT_TRUE(coverage.parsed()) << "no Unicode character map in the font";
    // the measure itself: plain letters are there, a Chinese one is not
    EXPECT_TRUE(coverage.has('A'));
    EXPECT_FALSE(coverage.has(0x4E2D));

    std::set<uint32_t> used;
    for (const LanguageFile& f : ShippedLanguages())
        for (const KeyLine& k : f.keys) {
            std::vector<uint32_t> cps;
            if (DecodeUtf8(k.value, cps))
                used.insert(cps.begin(), cps.end());
        }
    // the capitals of the five languages (the settings screen shows names in capitals)
    std::vector<uint32_t> capitals;
    ASSERT_TRUE(DecodeUtf8("ĄĆĘŁŃÓŚŹŻÄÖÜÉÈÊÀÇŒÑÁÍÚ", capitals));
    used.insert(capitals.begin(), capitals.end());
    for (uint32_t cp : used)
        EXPECT_TRUE(coverage.has(cp)) << "no glyph for U+" << std::hex << std::uppercase << cp;
}

}  // namespace
