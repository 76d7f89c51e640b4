// The three loading passes over the data archive and the game's fonts. Each
// member is extracted whole into a fresh buffer of its class, handed to the
// media layer (which keeps its own copy) and the buffer is freed at once, so
// that at most one buffer exists at a time.
#include "assets/asset_loading.h"

#include "assets/asset_numbers.h"
#include "assets/data_archive.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "media/media.h"
#include "startup/log.h"

#include <cmath>
#include <memory>
#include <new>

int TileSprites[TileCount] = {};
const char* const DataArchiveName = "Morvane.data";

namespace {

// The archive the last picture pass read; panels read their artwork from it.
std::string PictureArchivePath;
// The splash artwork was loaded ahead of the picture pass (LoadSplashArtwork).
bool SplashLoadedAhead = false;

using AssetBuffer = std::unique_ptr<uint8_t[]>;

// What is done to a picture after it is decoded. Panel artwork is only
// checked here: a panel reads its artwork again whenever it is built, so no
// untouched copy stays in memory.
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
    {"Comfortaa-Bold.ttf", "Comfortaa"},           // Cyrillic
    {"NotoSansCJK-Regular.otf", "Noto Sans CJK"},  // Japanese and Chinese
};

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
    const std::string member = std::string("tile") + char('0' + i / 10) + char('0' + i % 10) + ".png";
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
    std::vector<std::string> fallbacks;
    for (const ScriptFace& face : ScriptFaces) {
        const size_t faceSize = ExtractMember(archive, buffer.get(), LargeAssetBuffer, face.member);
        if (faceSize != 0 && registerFontMemory(face.family, buffer.get(), faceSize)) {
            LogAsset(face.member, true);
            fallbacks.push_back(face.family);
        }
    }
    CloseDataArchive(archive);
    setFallbackFamilies(fallbacks);
    return true;
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

// Pass 3: every picture, once the screen is open (and again after a re-open).
bool LoadPicturePass(const std::string& gameDir, std::string& failedName)
{
    PictureArchivePath = ArchivePath(gameDir);
    DataArchive archive;
    if (!OpenDataArchive(archive, ArchivePath(gameDir)))
        return AssetFailed("", failedName);
    const bool loaded = LoadPictures(archive, failedName);
    CloseDataArchive(archive);
    if (!loaded)
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

// A panel's artwork, read again from the archive (or copied from its clean
// sprite when one is loaded) into the panel's work sprite.
bool LoadPanelArtwork(int cleanSprite, int workSprite, int flags)
{
    if (isSprite(cleanSprite))
        return copySprite(cleanSprite, workSprite, flags) != 0;
    for (const PictureEntry& entry : Pictures) {
        if (entry.number != cleanSprite || entry.treatment != PanelArtwork)
            continue;
        DataArchive archive;
        if (!OpenDataArchive(archive, PictureArchivePath))
            return false;
        AssetBuffer buffer = TakeBuffer(SmallAssetBuffer);
        const size_t size = buffer ? ExtractMember(archive, buffer.get(), SmallAssetBuffer, entry.member) : 0;
        CloseDataArchive(archive);
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
