// The shipped language files: names, UTF-8 with its mark and CR LF, the header
// group, every key once with a text, "#" where a number goes, a flag, and a glyph for every character.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "content_support.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "media/media.h"
#include "support/support.h"

namespace {

namespace fs = std::filesystem;

// Every key the game looks up, spelled as the game spells it (tGcCONTINUEPALYING included).
const std::vector<std::string> TextKeys = {
    "tErrorERROR", "tErrorSUBSYSTEM", "tErrorSCREEN", "tErrorASSET", "tMenuTITLE", "tMenuSTART", "tMenuQUICKGAME",
    "tMenuSETTINGS", "tMenuHELP", "tMenuCREDITS", "tMenuQUIT", "tLevelSelectTITLE", "tQuickGameTITLE",
    "tQuickGameEASY", "tQuickGameMEDIUM", "tQuickGameHARD", "tQuickGameINSANE", "tSettingsTITLE", "tSettingsMUSIC",
    "tSettingsSOUNDFX", "tSettingsON", "tSettingsOFF", "tSettingsSCREENMODE", "tSettingsFULLSCREEN",
    "tSettingsWINDOWED", "tSettingsBORDERLESS", "tSettingsRESOLUTION", "tSettingsLANGUAGE", "tGetReadyTITLE",
    "tGetReadyLEVEL", "tGetReadyEASY", "tGetReadyMEDIUM", "tGetReadyHARD", "tGetReadyINSANE", "tGuiLevelEASY",
    "tGuiLevelMEDIUM", "tGuiLevelHARD", "tGuiLevelINSANE", "tInGameTITLE", "tInGameRESUME", "tInGameRESTART",
    "tInGameQUIT", "tFinishedTHEEND", "tFinishedNOTBAD", "tFinishedGOODJOB", "tFinishedSUCCESS", "tFinishedNEXT",
    "tFinishedRETRY", "tFinishedMENU", "tFinishedTILES", "tGcCONGRATULATIONS", "tGcGAMECOMPLETE", "tGcSTARS",
    "tGcSTARSCOLLECTED", "tGcCONTINUEPALYING", "tGcGETALL", "tHelpTITLE", "tHelpTEXT01", "tHelpTEXT02",
    "tHelpTEXT03", "tHelpTEXT04", "tCreditsTITLE", "tCreditsCODEDESIGN", "tCreditsGFX", "tCreditsMUSIC",
    "tCreditsSOUNDFX", "tCreditsFONT", "tQuitTITLE", "tQuitQUESTION"};
const std::vector<std::string> HeaderKeys = {"tLangFileNAME",   "tLangFileVERSION", "tLangFileDATE",
                                             "tLangFileAUTHOR", "tLangFileLANGID",  "tLangFileSOFTWARE"};

// UTF-8 to code points; false on a malformed or overlong sequence.
bool Utf8(const std::string& s, std::vector<uint32_t>& out)
{
    for (size_t i = 0; i < s.size();) {
        const uint8_t c = uint8_t(s[i]);
        const int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + extra >= s.size() + (extra == 0))
            return false;
        uint32_t cp = c & (0x7F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if ((uint8_t(s[i + k]) >> 6) != 2)
                return false;
            cp = cp << 6 | (uint8_t(s[i + k]) & 0x3F);
        }
        if (cp < (extra == 1 ? 0x80u : extra == 2 ? 0x800u : extra == 3 ? 0x10000u : 0u))
            return false;
        out.push_back(cp);
        i += size_t(extra) + 1;
    }
    return true;
}

struct Line {
    std::string group, key, value;
};

// A strict reading of one shipped file; `problems` names its format faults.
struct LanguageFile {
    std::string id, bytes;
    std::vector<std::string> problems;
    std::vector<Line> lines;
    std::map<std::string, int> count;
    std::string value(const std::string& key) const
    {
        for (const Line& line : lines)
            if (line.key == key)
                return line.value;
        return "";
    }
};

std::vector<LanguageFile> Shipped()
{
    std::vector<LanguageFile> files;
    for (const auto& entry : fs::directory_iterator(fs::path(MORVANE_GAME_DIR) / "Morvane.languages")) {
        if (entry.path().extension() != ".language")
            continue;
        LanguageFile f;
        f.id = entry.path().stem().string();
        f.bytes = ReadBytes(entry.path().string());
        std::vector<uint32_t> ignored;
        if (f.bytes.rfind("\xEF\xBB\xBF", 0) != 0 || !Utf8(f.bytes.substr(3), ignored))
            f.problems.push_back("is not UTF-8 with its mark");
        if (f.bytes.size() < 2 || f.bytes.substr(f.bytes.size() - 2) != "\r\n")
            f.problems.push_back("does not end with CR LF");
        std::string group;
        for (size_t at = 3, end; at < f.bytes.size(); at = end + 2) {
            end = std::min(f.bytes.find("\r\n", at), f.bytes.size());
            std::string line = f.bytes.substr(at, end - at);
            if (line.find_first_of("\r\n") != std::string::npos)
                f.problems.push_back("a lone CR or LF in: " + line);
            line.erase(0, std::min(line.size(), line.find_first_not_of(" \t")));
            const size_t equals = line.find('=');
            if (line.empty() || line[0] == ';')
                continue;
            if (line[0] == '[' && line.find(']') != std::string::npos) {
                group = line.substr(1, line.find(']') - 1);
                f.lines.push_back({group, "", ""});
            } else if (equals == std::string::npos) {
                f.problems.push_back("neither comment, group nor key = text: " + line);
            } else {
                const auto trim = [](std::string s) {
                    s.erase(0, std::min(s.size(), s.find_first_not_of(" \t")));
                    return s.erase(s.find_last_not_of(" \t") + 1);
                };
                f.lines.push_back({group, trim(line.substr(0, equals)), trim(line.substr(equals + 1))});
                ++f.count[f.lines.back().key];
            }
        }
        files.push_back(f);
    }
    std::ranges::sort(files, {}, &LanguageFile::id);
    return files;
}

TEST(LanguageFiles, FormatHeaderKeysAndTexts)
{
    const std::vector<LanguageFile> files = Shipped();
    std::vector<std::string> names;
    for (const LanguageFile& f : files)
        names.push_back(f.id + "=" + f.value("tLangFileNAME"));
    EXPECT_EQ(names, (std::vector<std::string>{"de_DE=Deutsch", "en_GB=English", "es_ES=Espa\xC3\xB1ol",
                                               "fr_FR=Fran\xC3\xA7" "ais", "pl_PL=Polski"}));
    std::set<std::string> known(TextKeys.begin(), TextKeys.end());
    known.insert(HeaderKeys.begin(), HeaderKeys.end());
    for (const LanguageFile& f : files) {
        SCOPED_TRACE(f.id);
        for (const std::string& problem : f.problems)
            ADD_FAILURE() << problem;
        ASSERT_FALSE(f.lines.empty());
        EXPECT_EQ(f.lines[0].group + f.lines[0].key, "LANGUAGE FILE") << "the header group comes first";
        for (const std::string& key : HeaderKeys) {
            EXPECT_EQ(f.count.count(key) ? f.count.at(key) : 0, 1) << key;
            EXPECT_FALSE(f.value(key).empty()) << key;
        }
        for (const Line& line : f.lines)
            if (!line.key.empty() && line.key.rfind("tLangFile", 0) == 0) {
                EXPECT_EQ(line.group, "LANGUAGE FILE") << line.key;
            }
        EXPECT_EQ(f.value("tLangFileLANGID"), f.id);
        EXPECT_EQ(f.value("tLangFileSOFTWARE"), "Morvane");
        for (const std::string& key : TextKeys) {
            EXPECT_EQ(f.count.count(key) ? f.count.at(key) : 0, 1) << key << ": missing or defined twice";
            std::vector<uint32_t> characters;
            ASSERT_TRUE(Utf8(f.value(key), characters)) << key;
            EXPECT_FALSE(characters.empty()) << key;
        }
        for (const auto& [key, n] : f.count) {
            EXPECT_TRUE(known.count(key)) << "unknown key " << key << " (misspelt?)";
            const bool numbered = key == "tGetReadyLEVEL" || key == "tFinishedTILES" || key == "tGcSTARS";
            EXPECT_EQ(f.value(key).find('#') != std::string::npos, numbered) << key << ": " << f.value(key);
        }
        EXPECT_NE(f.value("tGcSTARS").find("75"), std::string::npos) << "the stars line names the 75 stars";
        // The game's own reader takes every line as written.
        EXPECT_EQ(TakeLanguageTexts(reinterpret_cast<const uint8_t*>(f.bytes.data()), f.bytes.size()),
                  int(std::ranges::count_if(f.lines, [](const Line& line) { return !line.key.empty(); })));
        for (const Line& line : f.lines)
            if (!line.key.empty() && f.count.at(line.key) == 1) {
                EXPECT_EQ(text(line.key), line.value) << line.key;
            }
    }
}

TEST(LanguageFiles, EveryLanguageHasAFlagThatDecodes)
{
    for (const LanguageFile& f : Shipped()) {
        const std::string bytes = ReadBytes(std::string(MORVANE_GAME_DIR) + "/Morvane.languages/" + f.id + ".flag");
        EXPECT_LE(bytes.size(), 16000u) << f.id;  // an archive source keeps flags of up to 16000 bytes
        const Image flag = Decode(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        ASSERT_GT(flag.width, flag.height) << f.id << ": missing, undecodable or not wider than high";
        EXPECT_GE(flag.height, 16) << f.id;
        std::set<uint32_t> colours;
        for (size_t i = 0; i < flag.rgba.size(); i += 4)
            colours.insert(uint32_t(flag.rgba[i]) << 16 | flag.rgba[i + 1] << 8 | flag.rgba[i + 2]);
        EXPECT_GE(colours.size(), 2u) << f.id;
        EXPECT_EQ(flag.at(flag.width / 2, flag.height / 2)[3], 255) << f.id;
    }
}

TEST(LanguageFiles, TheFontHasAGlyphForEveryCharacter)
{
    const std::vector<uint8_t> font = Member("Baloo-Regular.ttf");
    FT_Library library;
    FT_Face face;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Memory_Face(library, font.data(), FT_Long(font.size()), 0, &face), 0) << "the font member";
    ASSERT_NE(FT_Get_Char_Index(face, 'A'), 0u);
    ASSERT_EQ(FT_Get_Char_Index(face, 0x4E2D), 0u);  // no Chinese: the measure can fail
    std::set<uint32_t> used;
    std::vector<uint32_t> characters;
    for (const LanguageFile& f : Shipped())
        for (const Line& line : f.lines)
            Utf8(line.value, characters);
    // The capitals of the five languages: the settings screen shows their names in capitals.
    Utf8("\xC4\x84\xC4\x86\xC4\x98\xC5\x81\xC5\x83\xC3\x93\xC5\x9A\xC5\xB9\xC5\xBB\xC3\x84\xC3\x96\xC3\x9C\xC3\x89"
           "\xC3\x88\xC3\x8A\xC3\x80\xC3\x87\xC5\x92\xC3\x91\xC3\x81\xC3\x8D\xC3\x9A", characters);
    used.insert(characters.begin(), characters.end());
    for (uint32_t cp : used)
        EXPECT_NE(FT_Get_Char_Index(face, cp), 0u) << "no glyph for U+" << std::hex << cp;
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

}  // namespace
