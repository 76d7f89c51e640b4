// The three loading passes over the data archive and the game's fonts. Each
// member is extracted whole into a fresh buffer of its class, handed to the
// media layer (which keeps its own copy) and the buffer is freed at once, so
// that at most one buffer exists at a time.
//
// The pictures are read from the archive file once: their members are kept,
// as stored, for every later picture pass and panel. A package upgrade that
// replaces the file, or its removal, while the game runs then changes nothing
// on the screen.
#include "assets/asset_loading.h"

#include "assets/asset_numbers.h"
#include "assets/data_archive.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "display/resolutions.h"
#include "media/media.h"
#include "startup/log.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

int TileSprites[TileCount] = {};
const char* const DataArchiveName = "Morvane.data";

namespace {

// The picture members as stored, an archive image in memory, and its index.
std::vector<uint8_t> KeptImage;
DataArchive Kept;
// The splash artwork was loaded ahead of the picture pass (LoadSplashArtwork).
bool SplashLoadedAhead = false;

using AssetBuffer = std::unique_ptr<uint8_t[]>;

// What is done to a picture after it is decoded. Panel artwork is only
// checked here: a panel decodes its kept member again whenever it is built,
// so no untouched picture stays in memory.
enum Treatment { KeepAsIs, KeepDesign, ZoomLogo, ZoomMenuButton, ZoomPrize, PanelArtwork };
enum PictureKind { KindSprite, KindImage };

struct PictureEntry {
    const char* member;
    PictureKind kind;
    int number;
    int copyTo;  // a second sprite made from it, or -1 (the level label's
                 // working copy, the board's cursor)
    Treatment treatment;
};

// Every picture of pass 3 apart from the artwork and the tiles, in load order.
constexpr PictureEntry Pictures[] = {
    {"shadow.png", KindSprite, SpriteShadow, -1, KeepAsIs},
    {"star_4.png", KindImage, ImageStar4, -1, KeepAsIs},
    {"star_3.png", KindImage, ImageStar3, -1, KeepAsIs},
    {"star_2.png", KindImage, ImageStar2, -1, KeepAsIs},
    {"star_1.png", KindImage, ImageStar1, -1, KeepAsIs},
    {"table.png", KindImage, ImageTable, -1, KeepAsIs},
    {"lock.png", KindImage, ImageLock, -1, KeepAsIs},
    {"star_1_big.png", KindImage, ImageStar1Big, -1, KeepAsIs},
    {"star_2_big.png", KindImage, ImageStar2Big, -1, KeepAsIs},
    {"star_3_big.png", KindImage, ImageStar3Big, -1, KeepAsIs},
    {"star_4_big.png", KindImage, ImageStar4Big, -1, KeepAsIs},
    {"pointer.png", KindSprite, SpritePointer, -1, KeepAsIs},
    {"logo.png", KindSprite, SpriteLogo, -1, ZoomLogo},
    {"gui_menu.png", KindSprite, SpriteMenuButton, -1, ZoomMenuButton},
    {"gui_level.png", KindSprite, SpriteLevelLabelClean, SpriteLevelLabel, KeepAsIs},
    {"gui_prize_1.png", KindSprite, SpritePrize1, -1, ZoomPrize},
    {"gui_prize_2.png", KindSprite, SpritePrize2, -1, ZoomPrize},
    {"gui_prize_3.png", KindSprite, SpritePrize3, -1, ZoomPrize},
    {"gui_prize_4.png", KindSprite, SpritePrize4, -1, ZoomPrize},
    {"credits.png", KindSprite, SpriteCreditsClean, -1, PanelArtwork},
    {"credits.png", KindSprite, SpriteHelpClean, -1, PanelArtwork},
    {"levelselect.png", KindSprite, SpriteLevelSelectClean, -1, PanelArtwork},
    {"quit.png", KindSprite, SpriteQuitClean, -1, PanelArtwork},
    {"mainmenu.png", KindSprite, SpriteMainMenuClean, -1, PanelArtwork},
    {"mainmenu.png", KindSprite, SpriteFinishedClean, -1, PanelArtwork},
    {"mainmenu.png", KindSprite, SpriteQuickFinishedClean, -1, PanelArtwork},
    {"ingamemenu.png", KindSprite, SpriteInGameMenuClean, -1, PanelArtwork},
    {"quickgame.png", KindSprite, SpriteQuickGameClean, -1, PanelArtwork},
    {"settings.png", KindSprite, SpriteSettingsClean, -1, PanelArtwork},
    {"gamecomplete.png", KindSprite, SpriteGameCompleteClean, -1, PanelArtwork},
    {"getready.png", KindSprite, SpriteGetReadyClean, -1, PanelArtwork},
};

// Loaded after the tiles.
constexpr PictureEntry LatePictures[] = {
    {"selected.png", KindSprite, SpriteSelected, -1, KeepAsIs},
    {"cursor.png", KindSprite, SpriteFocusRing, SpriteCursor, KeepDesign},
    {"menu_template.png", KindSprite, SpriteMenuTemplate, -1, KeepAsIs},
    {"settings_template.png", KindSprite, SpriteSettingsTemplate, -1, KeepAsIs},
};

const char* const SoundMembers[] = {
    "music1.ogg",
    "music2.ogg",
    "music3.ogg",
    "points_ticker_bonus_score_reward_jingle_01.ogg",
    "collect_item_14.ogg",
};

// One full-screen picture: its member prefix, log name and sprite.
struct ArtworkEntry {
    const char* prefix;
    const char* logName;
    int sprite;
};
constexpr ArtworkEntry Artwork[] = {
    {"title_", "title", SpriteTitle},
    {"ngs_", "ngs", SpriteSplash},
    {"01_", "background", SpriteBackground},
};

// The faces a letter Baloo lacks is taken from, in this order.
struct ScriptFace {
    const char* member;
    const char* family;
};
constexpr ScriptFace ScriptFaces[] = {
    {"Comfortaa-Bold.ttf", "Comfortaa"},                   // Cyrillic
    {"NotoSansCJKjp-Regular.otf", "Noto Sans CJK JP"},     // Japanese, and Han letters of other languages
    {"NotoSansCJKsc-Regular.otf", "Noto Sans CJK SC"},     // Simplified Chinese
};
std::vector<std::string> ScriptFamilies;  // the families registered, in the table's order

struct FontEntry {
    int points;
    bool bold;
};
constexpr FontEntry Fonts[26] = {
    {60, true},  {130, false}, {35, true},  {80, false}, {46, true},  {80, false}, {60, true},
    {80, false}, {30, true},   {80, false}, {25, true},  {80, false}, {48, false}, {60, true},
    {80, false}, {60, true},   {80, false}, {60, true},  {80, false}, {120, true}, {80, false},
    {46, true},  {80, false},  {60, true},  {80, false}, {60, false}};
constexpr int FontLoadOrder[26] = {25, 0, 1, 17, 18, 23, 24, 13, 14, 15, 16, 4, 5,
                                   19, 20, 2, 3, 8, 9, 6, 7, 21, 22, 10, 11, 12};

// The "Load asset (<name>):" line with its outcome.
void LogAsset(const std::string& name, bool ok)
{
    WriteLog("Load asset (" + name + "):" + Tabs(2) + (ok ? "OK" : "FAILED"));
}

// Writes the FAILED line, hands the name to the start-up and answers false.
bool AssetFailed(const std::string& name, std::string& failedName)
{
    LogAsset(name, false);
    failedName = name;
    return false;
}

// A fresh buffer of one class; empty when the memory cannot be had.
AssetBuffer TakeBuffer(size_t bytes)
{
    return AssetBuffer(new (std::nothrow) uint8_t[bytes]);
}

// The archive beside the program.
std::string ArchivePath(const std::string& gameDir)
{
    return gameDir + DataArchiveName;
}

// Tile i (1..40) is "tileNN.png".
std::string TileMember(int i)
{
    return std::string("tile") + char('0' + i / 10) + char('0' + i % 10) + ".png";
}

// Every member a picture pass reads: the artwork for the screen's aspect and
// for each aspect a re-open can reach (the desktop's, the windowed sizes').
std::vector<std::string> PictureMembers()
{
    std::vector<int> aspects = {AspectCode, DetectAspectRatio(desktopWidth(0), desktopHeight(0))};
    for (int index = 0; index <= HighestResolution; index++)
        aspects.push_back(DetectAspectRatio(ResolutionWidth(index), ResolutionHeight(index)));
    std::vector<std::string> names;
    for (int aspect : aspects)
        for (const ArtworkEntry& entry : Artwork)
            names.push_back(entry.prefix + AspectSuffix(aspect) + ".png");
    for (const PictureEntry& entry : Pictures)
        names.push_back(entry.member);
    for (int i = 1; i <= TileCount; i++)
        names.push_back(TileMember(i));
    for (const PictureEntry& entry : LatePictures)
        names.push_back(entry.member);
    return names;
}

// Copies the named members not kept yet from the archive file into the kept
// image. A member the file lacks is left out (its pass reports it by name);
// false only when the file is needed and cannot be opened.
bool KeepMembers(const std::string& path, const std::vector<std::string>& names)
{
    std::vector<std::string> wanted;
    for (const std::string& name : names)
        if (!FindMember(Kept, name, nullptr) && std::ranges::find(wanted, name) == wanted.end())
            wanted.push_back(name);
    if (wanted.empty())
        return true;
    DataArchive file;
    if (!OpenDataArchive(file, path))
        return false;
    CopyMemberEntries(file, wanted, KeptImage);
    CloseDataArchive(file);
    return OpenDataArchiveMemory(Kept, KeptImage.data(), KeptImage.size());
}

// Zooms a freshly decoded sprite as its table entry asks.
void ApplyTreatment(int sprite, Treatment treatment)
{
    switch (treatment) {
    case PanelArtwork:
        freeSprite(sprite);
        return;
    case ZoomLogo: {
        const int width = spriteWidth(sprite);
        const int height = spriteHeight(sprite);
        if (width <= 0)
            return;
        const double zoomedHeight = double(height) / width * ScreenWidth / 100.0 * 50.0;
        zoomSprite(sprite, (ScreenWidth / 100) * 50, static_cast<int>(std::lround(zoomedHeight)));
        return;
    }
    case ZoomMenuButton:
        zoomSprite(sprite, TileSize / 2, TileSize / 2);
        return;
    case ZoomPrize:
        zoomSprite(sprite, TileSize, TileSize / 2);
        return;
    case KeepAsIs:
    case KeepDesign:
        return;
    }
}

// One picture of the table: extract, decode, treat, copy, log.
bool LoadPicture(DataArchive& archive, const PictureEntry& entry, std::string& failedName)
{
    AssetBuffer buffer = TakeBuffer(SmallAssetBuffer);
    if (!buffer)
        return AssetFailed(entry.member, failedName);
    const size_t size = ExtractMember(archive, buffer.get(), SmallAssetBuffer, entry.member);
    if (size == 0)
        return AssetFailed(entry.member, failedName);
    if (entry.kind == KindImage) {
        if (!loadImage(entry.number, buffer.get(), size))
            return AssetFailed(entry.member, failedName);
    } else {
        // NOTE: the title intro zooms the logo again every frame, from its
        // design picture; the focus ring is zoomed to each area it marks.
        const bool keepDesign = entry.treatment == ZoomLogo || entry.treatment == KeepDesign;
        const int flags = SpriteAlphaBlending | (keepDesign ? SpriteKeepDesign : 0);
        if (!loadSprite(entry.number, buffer.get(), size, flags))
            return AssetFailed(entry.member, failedName);
        ApplyTreatment(entry.number, entry.treatment);
        if (entry.copyTo >= 0 && !copySprite(entry.number, entry.copyTo, SpriteAlphaBlending))
            return AssetFailed(entry.member, failedName);
    }
    LogAsset(entry.member, true);
    return true;
}

// One full-screen picture, fitted to the screen width, into an opaque sprite.
// Without `log` nothing is written (the splash loaded ahead of its turn).
bool LoadArtwork(DataArchive& archive, const ArtworkEntry& entry, std::string& failedName, bool log = true)
{
    const std::string name = entry.logName;
    if (log)
        WriteLog("AspectRatio:  " + AspectRatioName(AspectCode));
    if (log && entry.sprite == SpriteSplash && SplashLoadedAhead && isSprite(SpriteSplash)) {
        SplashLoadedAhead = false;
        LogAsset(name, true);
        return true;
    }
    auto failed = [&](const std::string& what) { return log ? AssetFailed(what, failedName) : false; };
    AssetBuffer buffer = TakeBuffer(ArtworkAssetBuffer);
    if (!buffer)
        return failed("memory - " + name);
    const std::string member = entry.prefix + AspectSuffix(AspectCode) + ".png";
    const size_t size = ExtractMember(archive, buffer.get(), ArtworkAssetBuffer, member);
    if (size == 0)
        return failed(member);
    const int image = loadImage(-1, buffer.get(), size);
    buffer.reset();
    if (!image)
        return failed("image - " + name);
    int width = imageWidth(image);
    int height = imageHeight(image);
    if (width != ScreenWidth && width > 0) {
        height = static_cast<int>(std::lround(double(height) / width * ScreenWidth));
        width = ScreenWidth;
        if (height < 1 || !resizeImage(image, width, height, 1)) {
            freeImage(image);
            return failed("image - " + name);
        }
    }
    if (!createSprite(entry.sprite, ScreenWidth, height, SpriteOpaque)) {
        freeImage(image);
        return failed("image - " + name);
    }
    if (beginDrawing(entry.sprite)) {
        drawImage(image, 0, 0);
        endDrawing();
    }
    freeImage(image);
    if (log)
        LogAsset(name, true);
    return true;
}

// Tile i (1..40) as "tileNN.png", zoomed to a tile's square.
bool LoadTile(DataArchive& archive, int i, std::string& failedName)
{
    AssetBuffer buffer = TakeBuffer(SmallAssetBuffer);
    if (!buffer)
        return AssetFailed("temps", failedName);
    const std::string member = TileMember(i);
    const size_t size = ExtractMember(archive, buffer.get(), SmallAssetBuffer, member);
    const int sprite = size ? loadSprite(-1, buffer.get(), size, SpriteAlphaBlending) : 0;
    if (!sprite)
        return AssetFailed("temps", failedName);
    TileSprites[i - 1] = sprite;
    LogAsset("temps", true);
    buffer.reset();
    zoomSprite(sprite, TileSize, TileSize);
    return true;
}

// Everything of pass 3 once the archive is open.
bool LoadPictures(DataArchive& archive, std::string& failedName)
{
    for (const ArtworkEntry& entry : Artwork)
        if (!LoadArtwork(archive, entry, failedName))
            return false;
    for (const PictureEntry& entry : Pictures)
        if (!LoadPicture(archive, entry, failedName))
            return false;
    for (int i = 1; i <= TileCount; i++)
        if (!LoadTile(archive, i, failedName))
            return false;
    for (const PictureEntry& entry : LatePictures)
        if (!LoadPicture(archive, entry, failedName))
            return false;
    return true;
}

// The five sounds once the archive is open.
bool LoadSounds(DataArchive& archive, std::string& failedName)
{
    for (int number = 0; number < 5; number++) {
        const std::string member = SoundMembers[number];
        AssetBuffer buffer = TakeBuffer(LargeAssetBuffer);
        if (!buffer)
            return AssetFailed(member, failedName);
        const size_t size = ExtractMember(archive, buffer.get(), LargeAssetBuffer, member);
        if (size == 0 || !loadSound(number, buffer.get(), size))
            return AssetFailed(member, failedName);
        LogAsset(member, true);
    }
    return true;
}

} // namespace

// Pass 1: the font, before the screen opens.
bool LoadFontPass(const std::string& gameDir, std::string& failedName)
{
    // A start-up reads the pictures afresh from the file, never from members
    // kept by an earlier one.
    CloseDataArchive(Kept);
    KeptImage = std::vector<uint8_t>();
    DataArchive archive;
    if (!OpenDataArchive(archive, ArchivePath(gameDir)))
        return AssetFailed("font", failedName);
    AssetBuffer buffer = TakeBuffer(LargeAssetBuffer);
    const size_t size = buffer ? ExtractMember(archive, buffer.get(), LargeAssetBuffer, "Baloo-Regular.ttf") : 0;
    // NOTE: the font is opened from memory (the media layer keeps a copy), so
    // no temporary font file is written. A font that cannot even be
    // registered would leave every text blank, so it counts as a failure.
    if (size == 0 || !registerFontMemory("Baloo", buffer.get(), size)) {
        CloseDataArchive(archive);
        return AssetFailed("font", failedName);
    }
    LogAsset("Baloo-Regular.ttf", true);
    // The faces for the scripts Baloo lacks. Without one the game still runs:
    // those letters come from the system's fonts, so a missing face is silent.
    ScriptFamilies.clear();
    for (const ScriptFace& face : ScriptFaces) {
        const size_t faceSize = ExtractMember(archive, buffer.get(), LargeAssetBuffer, face.member);
        if (faceSize != 0 && registerFontMemory(face.family, buffer.get(), faceSize)) {
            LogAsset(face.member, true);
            ScriptFamilies.push_back(face.family);
        }
    }
    CloseDataArchive(archive);
    PreferScriptFacesFor("");
    return true;
}

// NOTE: Japan and China draw many of the same Han characters differently, so
// a Chinese text asks the Simplified Chinese cut before the Japanese one.
void PreferScriptFacesFor(const std::string& language)
{
    std::vector<std::string> order = ScriptFamilies;
    if (language.rfind("zh", 0) == 0)
        std::stable_partition(order.begin(), order.end(), [](const std::string& family) {
            return family.find("CJK") == std::string::npos || family.find(" SC") != std::string::npos;
        });
    setFallbackFamilies(order);
}

// Pass 2: the five sounds, before the screen opens.
bool LoadSoundPass(const std::string& gameDir, std::string& failedName)
{
    DataArchive archive;
    if (!OpenDataArchive(archive, ArchivePath(gameDir)))
        return AssetFailed("music and sfx", failedName);
    const bool loaded = LoadSounds(archive, failedName);
    CloseDataArchive(archive);
    return loaded;
}

// Pass 3: every picture, once the screen is open (and again after a re-open),
// from the kept members; the file is read only for members not kept yet.
bool LoadPicturePass(const std::string& gameDir, std::string& failedName)
{
    if (!KeepMembers(ArchivePath(gameDir), PictureMembers()))
        return AssetFailed("", failedName);
    if (!LoadPictures(Kept, failedName))
        return false;
    // The full-screen shade behind panels: the shadow stretched over the screen.
    if (!copySprite(SpriteShadow, SpriteShade, SpriteAlphaBlending))
        return AssetFailed("shadow.png", failedName);
    zoomSprite(SpriteShade, ScreenWidth, ScreenHeight);
    return true;
}

// The splash artwork ahead of the picture pass, so that the window can show
// it while everything else loads. Silent: the pass logs it in its turn (and
// loads it again, failing as it would, when this did not work).
bool LoadSplashArtwork(const std::string& gameDir)
{
    DataArchive archive;
    if (!OpenDataArchive(archive, ArchivePath(gameDir)))
        return false;
    std::string unused;
    SplashLoadedAhead = LoadArtwork(archive, Artwork[1], unused, false);
    CloseDataArchive(archive);
    return SplashLoadedAhead;
}

// A panel's artwork, decoded again from its kept member (or copied from its
// clean sprite when one is loaded) into the panel's work sprite.
bool LoadPanelArtwork(int cleanSprite, int workSprite, int flags)
{
    if (isSprite(cleanSprite))
        return copySprite(cleanSprite, workSprite, flags) != 0;
    for (const PictureEntry& entry : Pictures) {
        if (entry.number != cleanSprite || entry.treatment != PanelArtwork)
            continue;
        AssetBuffer buffer = TakeBuffer(SmallAssetBuffer);
        const size_t size = buffer ? ExtractMember(Kept, buffer.get(), SmallAssetBuffer, entry.member) : 0;
        return size != 0 && loadSprite(workSprite, buffer.get(), size, flags) != 0;
    }
    return false;
}

// The 26 fonts in their load order; failures are silent.
void LoadGameFonts()
{
    for (int number : FontLoadOrder) {
        const FontEntry& font = Fonts[number];
        loadFont(number, "Baloo", font.points, FontHighQuality | (font.bold ? FontBold : 0));
    }
}

// The last step after the panels are pre-rendered.
void FinishAssetLoading(int offsetX, int offsetY)
{
    zoomSprite(SpriteSelected, TileSize, TileSize);
    zoomSprite(SpriteCursor, TileSize + TileSize / 4, TileSize + TileSize / 4);
    WriteLogLine("TileSize:", std::to_string(TileSize));
    WriteLogLine("OffsetX:", std::to_string(offsetX));
    WriteLogLine("OffsetY:", std::to_string(offsetY));
}

// The first font of the table with this size and weight.
int GameFont(int points, bool bold)
{
    for (int number = 0; number < 26; number++)
        if (Fonts[number].points == points && Fonts[number].bold == bold)
            return number;
    return -1;
}
