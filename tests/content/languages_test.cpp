// The shipped language files: names, UTF-8 with its mark and CR LF, the header
// group, every key once with a text, "#" where a number goes, a flag, a glyph
// for every character in a shipped face, and every text within its box.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "content_support.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "assets/asset_loading.h"
#include "display/resolutions.h"
#include "screens/confirm.h"
#include "screens/help_credits.h"
#include "screens/settings_screen.h"
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
    "tCreditsSOUNDFX", "tCreditsFONT", "tQuitTITLE", "tQuitQUESTION", "tCreditsPUBLISHER", "tCreditsARTWORK",
    "tCreditsCOMPOSED", "tCreditsSYNTHESISED", "tTextCOLON"};
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
    std::vector<std::string> ids;
    for (const LanguageFile& f : files)
        ids.push_back(f.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"cs_CZ", "de_DE", "en_GB", "es_ES", "fr_FR", "it_IT", "ja_JP", "nl_NL",
                                             "pl_PL", "pt_BR", "ru_RU", "sv_SE", "tr_TR", "uk_UA", "zh_CN"}));
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
        ASSERT_EQ(flag.width * 1000 + flag.height, 48032) << f.id << ": missing, undecodable or not 48 x 32";
        std::set<uint32_t> colours;
        for (size_t i = 0; i < flag.rgba.size(); i += 4)
            colours.insert(uint32_t(flag.rgba[i]) << 16 | flag.rgba[i + 1] << 8 | flag.rgba[i + 2]);
        EXPECT_GE(colours.size(), 2u) << f.id;
        EXPECT_EQ(flag.at(flag.width / 2, flag.height / 2)[3], 255) << f.id;
    }
}

// Every character of every language is in a shipped face, so no
// shipped text depends on the fonts of the player's system.
TEST(LanguageFiles, TheFacesHaveAGlyphForEveryCharacter)
{
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    std::vector<std::vector<uint8_t>> members;
    std::vector<FT_Face> faces;
    for (const char* name : {"Baloo-Regular.ttf", "Comfortaa-Bold.ttf", "NotoSansCJKjp-Regular.otf",
                             "NotoSansCJKsc-Regular.otf"}) {
        members.push_back(Member(name));
        faces.emplace_back();
        ASSERT_EQ(FT_New_Memory_Face(library, members.back().data(), FT_Long(members.back().size()), 0, &faces.back()), 0)
            << name;
    }
    ASSERT_NE(FT_Get_Char_Index(faces[1], 0x416), 0u);  // Cyrillic
    ASSERT_EQ(FT_Get_Char_Index(faces[0], 0x4E2D), 0u);  // no Chinese in Baloo: the measure can fail
    std::set<uint32_t> used;
    std::vector<uint32_t> characters;
    for (const LanguageFile& f : Shipped())
        for (const Line& line : f.lines)
            Utf8(line.value + UpperCaseText(line.value), characters);  // language names show in capitals
    used.insert(characters.begin(), characters.end());
    for (uint32_t cp : used)
        EXPECT_TRUE(std::ranges::any_of(faces, [cp](FT_Face face) { return FT_Get_Char_Index(face, cp) != 0; }))
            << "no glyph for U+" << std::hex << cp;
    for (FT_Face face : faces)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
}

// Every text of every language inside its box, measured with the game's own
// fonts and text code. Panels are drawn at their design size and then scaled
// as a whole, so a text inside its box there is inside it at 1024x576,
// 1920x1080 and every other size.
TEST(LanguageFiles, EveryTextFitsItsBox)
{
    std::string failed;
    ASSERT_TRUE(LoadFontPass(std::string(MORVANE_GAME_DIR) + "/", failed));
    LoadGameFonts();
    std::vector<std::string> languageNames;
    for (const LanguageFile& f : Shipped())
        languageNames.push_back(UpperCaseText(f.value("tLangFileNAME")));
    const auto width = [](int points, bool bold, const std::string& shown) {
        setDrawingFont(GameFont(points, bold));
        return textWidth(shown);
    };
    for (const LanguageFile& f : Shipped()) {
        SCOPED_TRACE(f.id);
        TakeLanguageTexts(reinterpret_cast<const uint8_t*>(f.bytes.data()), f.bytes.size());
        // Titles on the ribbons (three quarters of a panel), the rest inside the stitching along
        // a panel's frame: 930 of a 1030 panel, 1146 of 1263, 1150 of 1272; "#" with a wide number.
        const struct { const char* key; int points; bool bold; int box; } boxes[] = {
            {"tMenuTITLE", 130, false, 772}, {"tLevelSelectTITLE", 80, false, 954}, {"tQuickGameTITLE", 80, false, 772},
            {"tSettingsTITLE", 80, false, 946}, {"tGetReadyTITLE", 80, false, 772}, {"tInGameTITLE", 80, false, 772},
            {"tFinishedTHEEND", 80, false, 772}, {"tFinishedNOTBAD", 80, false, 772}, {"tFinishedGOODJOB", 80, false, 772},
            {"tFinishedSUCCESS", 80, false, 772}, {"tGcCONGRATULATIONS", 80, false, 947}, {"tHelpTITLE", 80, false, 954},
            {"tCreditsTITLE", 80, false, 954}, {"tQuitTITLE", 80, false, 772}, {"tMenuSTART", 60, true, 930},
            {"tMenuQUICKGAME", 60, true, 930}, {"tMenuSETTINGS", 60, true, 930}, {"tMenuHELP", 60, true, 930},
            {"tMenuCREDITS", 60, true, 930}, {"tMenuQUIT", 60, true, 930}, {"tQuickGameEASY", 60, true, 930},
            {"tQuickGameMEDIUM", 60, true, 930}, {"tQuickGameHARD", 60, true, 930}, {"tQuickGameINSANE", 60, true, 930},
            {"tInGameRESUME", 60, true, 930}, {"tInGameRESTART", 60, true, 930}, {"tInGameQUIT", 60, true, 930},
            {"tFinishedNEXT", 60, true, 930}, {"tFinishedRETRY", 60, true, 930}, {"tFinishedMENU", 60, true, 930},
            {"tFinishedTILES", 60, true, 930}, {"tGetReadyEASY", 120, true, 930}, {"tGetReadyMEDIUM", 120, true, 930},
            {"tGetReadyHARD", 120, true, 930}, {"tGetReadyINSANE", 120, true, 930}, {"tGetReadyLEVEL", 120, true, 930},
            {"tGuiLevelEASY", 60, false, 316}, {"tGuiLevelMEDIUM", 60, false, 316}, {"tGuiLevelHARD", 60, false, 316},
            {"tGuiLevelINSANE", 60, false, 316}, {"tGcGAMECOMPLETE", 46, true, 1146}, {"tGcSTARS", 46, true, 1146},
            {"tGcSTARSCOLLECTED", 46, true, 1146}, {"tGcCONTINUEPALYING", 46, true, 1146}, {"tGcGETALL", 46, true, 1146}};
        for (const auto& [key, points, bold, box] : boxes)
            EXPECT_LE(width(points, bold, ReplaceHash(text(key), std::string(key) == "tGetReadyLEVEL" ? "25" : "120")), box)
                << key;
        for (const CreditLine& line : CreditLines)
            EXPECT_LE(width(35, true, line.key[0] ? TextOr(line.key, line.fixed) : line.fixed), 1150) << line.key;
        // Settings rows: the label from x 90, the value ending at 1172, a gap between.
        std::vector<std::pair<std::string, std::string>> rows;
        for (const std::string& name : languageNames)
            rows.emplace_back(text("tSettingsLANGUAGE"), name);
        for (const char* value : {"tSettingsON", "tSettingsOFF"})
            for (const char* label : {"tSettingsMUSIC", "tSettingsSOUNDFX"})
                rows.emplace_back(text(label), text(value));
        for (const char* value : {"tSettingsWINDOWED", "tSettingsFULLSCREEN", "tSettingsBORDERLESS"})
            rows.emplace_back(text("tSettingsSCREENMODE"), text(value));
        rows.emplace_back(text("tSettingsRESOLUTION"), ResolutionText(HighestResolution));
        for (const auto& [label, value] : rows)
            EXPECT_LE(90 + width(46, true, label) + 30 + width(46, true, value), 1172) << label << " | " << value;
        // Wrapped texts: every line within the box, the help's four paragraphs
        // above the panel's foot, the question above the answers.
        const auto wrapped = [&](const std::string& shown, int points, int boxWidth) {
            setDrawingFont(GameFont(points, true));
            std::vector<std::string> lines = WrapTextLines(shown, boxWidth, WrapOpportunities(shown, f.id));
            for (const std::string& line : lines)
                EXPECT_LE(textWidth(line), boxWidth) << line;
            return int(lines.size());
        };
        int y = HelpFirstTop;
        for (const char* key : {"tHelpTEXT01", "tHelpTEXT02", "tHelpTEXT03", "tHelpTEXT04"})
            y += (wrapped(text(key), 30, 1092) - 1) * HelpLineStep + HelpParagraphGap;
        EXPECT_LE(y - HelpParagraphGap + HelpLineStep, HelpFirstTop + 1126) << "the help's last line";
        EXPECT_LE(276 + wrapped(text("tQuitQUESTION"), 60, 758) * 80, ConfirmYesTop) << "tQuitQUESTION";
    }
    releaseMedia();
}

}  // namespace
