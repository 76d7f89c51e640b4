// Text beyond the game's own faces: letters from the system's fonts
// (fontconfig) and where lines may end in every script (libunibreak).
#include "media/media_internal.h"

#include <fontconfig/fontconfig.h>
#include <linebreak.h>

#include <tuple>

namespace {

// A system face by its file and number in the file.
struct SystemFace {
    std::string file;
    int index = 0;
};

bool fontconfigStarted = false;
std::vector<SystemFace> systemFaces;              // every face a letter was found in
std::map<uint32_t, int> faceOfLetter;              // letter -> systemFaces index, -1 none
std::map<std::tuple<int, int, int>, TTF_Font*> openedFaces;  // (face, points, style)

// The first system face, in fontconfig's order of preference, that has the
// letter; -1 when none has.
int FindSystemFace(uint32_t c)
{
    if (!fontconfigStarted) {
        if (!FcInit()) {
            return -1;
        }
        fontconfigStarted = true;
    }
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, c);
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    int found = -1;
    for (int i = 0; sorted && i < sorted->nfont && found < 0; i++) {
        FcCharSet* has = nullptr;
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetCharSet(sorted->fonts[i], FC_CHARSET, 0, &has) != FcResultMatch ||
            !FcCharSetHasChar(has, c) ||
            FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch) {
            continue;
        }
        FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
        const std::string path = reinterpret_cast<const char*>(file);
        for (size_t known = 0; known < systemFaces.size() && found < 0; known++) {
            if (systemFaces[known].file == path && systemFaces[known].index == index) {
                found = static_cast<int>(known);
            }
        }
        if (found < 0) {
            systemFaces.push_back({path, index});
            found = static_cast<int>(systemFaces.size()) - 1;
        }
    }
    if (sorted) {
        FcFontSetDestroy(sorted);
    }
    FcCharSetDestroy(wanted);
    FcPatternDestroy(pattern);
    return found;
}

}  // namespace

// Letters and faces are looked up once each and kept for the run.
TTF_Font* SystemFaceFor(uint32_t c, int points, int style)
{
    auto letter = faceOfLetter.find(c);
    const int face = letter != faceOfLetter.end() ? letter->second : (faceOfLetter[c] = FindSystemFace(c));
    if (face < 0) {
        return nullptr;
    }
    const auto key = std::make_tuple(face, points, style);
    auto opened = openedFaces.find(key);
    if (opened != openedFaces.end()) {
        return opened->second;
    }
    TTF_Font* font = TTF_OpenFontIndexDPI(systemFaces[face].file.c_str(), points, systemFaces[face].index, 96, 96);
    if (font) {
        TTF_SetFontStyle(font, style);
    }
    // NOTE: a face that cannot be opened is remembered as such (null), so a
    // broken font file is tried once, not at every letter.
    openedFaces[key] = font;
    return font;
}

void ReleaseSystemFaces()
{
    for (auto& entry : openedFaces) {
        if (entry.second) {
            TTF_CloseFont(entry.second);
        }
    }
    openedFaces.clear();
    faceOfLetter.clear();
    systemFaces.clear();
    if (fontconfigStarted) {
        FcFini();  // its configuration and caches, read when a letter was first looked for
        fontconfigStarted = false;
    }
}

bool systemHasLetter(uint32_t c)
{
    auto letter = faceOfLetter.find(c);
    return (letter != faceOfLetter.end() ? letter->second : (faceOfLetter[c] = FindSystemFace(c))) >= 0;
}

std::vector<size_t> lineBreaks(const std::string& text, const std::string& language)
{
    static const bool started = (init_linebreak(), true);
    (void)started;
    std::vector<char> breaks(text.size());
    set_linebreaks_utf8(reinterpret_cast<const utf8_t*>(text.data()), text.size(),
                        language.empty() ? nullptr : language.c_str(), breaks.data());
    std::vector<size_t> positions;
    // The last entry is the end of the text, where a line always ends.
    for (size_t i = 0; i + 1 < text.size(); i++) {
        if (breaks[i] == LINEBREAK_ALLOWBREAK || breaks[i] == LINEBREAK_MUSTBREAK) {
            positions.push_back(i + 1);
        }
    }
    return positions;
}
