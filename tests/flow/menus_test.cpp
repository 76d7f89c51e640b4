// The menu screens in the real game, headless: strict hit tests, slides,
// level cells, settings applied, and word-wrapped text.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <tuple>

#include "assets/archive_writer.h"
#include "assets/asset_loading.h"
#include "assets/asset_numbers.h"
#include "display/aspect.h"
#include "display/layout.h"
#include "harness.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "screens/overlays.h"
#include "startup/folders.h"
#include "support/support.h"

namespace {

class Menus : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(StartTestGame(MakeGameFolder(WindowedPreferences(0))));
        ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
    }
    void TearDown() override { StopTestGame(); }
    // A point on each edge of a rectangle (inside = false), or one pixel inside each.
    static std::vector<std::pair<int, int>> Edges(int left, int top, int right, int bottom, bool inside)
    {
        const int cx = (left + right) / 2, cy = (top + bottom) / 2, d = inside ? 1 : 0;
        return {{left + d, cy}, {right - d, cy}, {cx, top + d}, {cx, bottom - d}};
    }
};

TEST_F(Menus, StrictHitsSlidesAndLevelCells)
{
    Settle();
    const ButtonRecord& play = MainMenuButtons[1];
    for (bool inside : {false, true})
        for (const auto& [x, y] : Edges(play.hitLeft, play.hitTop, play.hitRight, play.hitBottom, inside)) {
            PointAt(x, y);
            EXPECT_EQ(MainMenuChoice, inside ? 1 : 0) << x << "," << y;
        }
    EXPECT_GT(MainMenuButtons[2].hitRight - MainMenuButtons[2].hitLeft, play.hitRight - play.hitLeft + 20)
        << "hit ranges follow the texts";
    // A choice slides the menu out for 25 frames (the click's pass the
    // first); a click does nothing while the next panel slides in.
    ClickRecord(MainMenuButtons[6]);
    RunPasses(23);
    EXPECT_EQ(ScreenState, StateMainMenu);
    RunPasses(11);
    ASSERT_EQ(ScreenState, StateQuitConfirm);
    ClickAt(CentreX(QuitButtons[1]), CentreY(QuitButtons[1]));
    EXPECT_EQ(QuitFlag, 0);
    Settle();
    TapKey(KeyEscape);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 60));

    ASSERT_TRUE(OpenFromMainMenu(1, StateLevelSelect));
    const LevelRecord& first = LevelStore[0][0];
    const LevelRecord& second = LevelStore[1][0];  // locked
    for (const auto& [x, y] : Edges(first.hitLeft, first.hitTop, first.hitRight, first.hitBottom, false))
        ClickAt(x, y);
    ClickAt((second.hitLeft + second.hitRight) / 2, (second.hitTop + second.hitBottom) / 2);
    EXPECT_EQ(LevelSelectPanel.slide, 0) << "an edge or a locked cell started a level";

    // Redrawing a cell after its level was rated changes that cell only.
    const int shownWidth = spriteWidth(SpriteLevelSelect), shownHeight = spriteHeight(SpriteLevelSelect);
    const auto design = [] {
        zoomSprite(SpriteLevelSelect, -1, -1);
        std::vector<uint32_t> pixels;
        for (int y = 0; y < spriteHeight(SpriteLevelSelect); ++y)
            for (int x = 0; x < spriteWidth(SpriteLevelSelect); ++x)
                pixels.push_back(spritePixel(SpriteLevelSelect, x, y));
        return pixels;
    };
    const std::vector<uint32_t> before = design();
    const int width = spriteWidth(SpriteLevelSelect);
    LevelStore[2][0].locked = 0;
    LevelStore[2][0].best = 2;
    RedrawLevelCell(2, 0);
    EXPECT_EQ(spriteWidth(SpriteLevelSelect) * 10000 + spriteHeight(SpriteLevelSelect), shownWidth * 10000 + shownHeight);
    const std::vector<uint32_t> after = design();
    int inside = 0, outside = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        const int x = int(i) % width - LevelCellX(2), y = int(i) / width - LevelCellY(0);
        if (after[i] != before[i])
            ++(x >= 0 && x < LevelCellSize && y >= 0 && y < LevelCellSize ? inside : outside);
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 1000);
    zoomSprite(SpriteLevelSelect, shownWidth, shownHeight);

    // Escape after an earlier game starts nothing; on the main menu it ends the game at once.
    Game.levelChosen = true;
    TapKey(KeyEscape);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));
    EXPECT_FALSE(Game.levelChosen);
    Settle();
    TapKey(KeyEscape);
    EXPECT_EQ(QuitFlag, 1);
}

TEST_F(Menus, SettingsApplyOnlyWhenConfirmed)
{
    const auto click = [](int index) { ClickRecord(SettingsButtons[index]); };
    // Escape drops the changes (the keyboard walk cancels, the end-to-end
    // test confirms); a mode cycled back to windowed at the same resolution
    // needs no re-open.
    ASSERT_TRUE(OpenFromMainMenu(3, StateSettings));
    click(2);
    TapKey(KeyEscape);
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));
    ASSERT_TRUE(OpenFromMainMenu(3, StateSettings));
    EXPECT_EQ(Pending.music * 10 + Prefs.music, 11);
    for (int i = 0; i < 3; i++)
        click(4);
    ASSERT_EQ(Pending.screenMode, ScreenWindowed);
    click(6);
    EXPECT_EQ(ReopenPending * 100 + SettingsPanel.slide, -24) << "slides out instead of re-opening";
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));

    // Another language is loaded and the menu follows its texts.
    const int englishWidth = MainMenuButtons[1].hitRight - MainMenuButtons[1].hitLeft;
    ASSERT_TRUE(OpenFromMainMenu(3, StateSettings));
    const int englishStrip = SettingsButtons[1].sprite;
    click(1);
    EXPECT_GT(spriteWidth(SettingsButtons[1].sprite), 0) << "the language row shows the language chosen";
    EXPECT_EQ(spriteWidth(englishStrip), 0) << "the strips of one language at a time";
    click(6);
    EXPECT_NE(Prefs.language, "en_GB");
    EXPECT_NE(MainMenuButtons[1].hitRight - MainMenuButtons[1].hitLeft, englishWidth) << text("tMenuSTART");
    ASSERT_TRUE(RunUntilState(StateMainMenu, 40));
    Settle();
    PointAt(CentreX(MainMenuButtons[1]), CentreY(MainMenuButtons[1]));
    EXPECT_EQ(MainMenuChoice, 1);

    // Another window size opens the display again and plays the title intro
    // (from the click's own pass on): the logo holds 100 frames, shrinks for
    // 25, and the menu rests in the next.
    ASSERT_TRUE(OpenFromMainMenu(3, StateSettings));
    click(5);
    click(6);
    ASSERT_EQ(ScreenState * 10 + ReopenPending, StateTitleIntro * 10 + 1);
    EXPECT_EQ(screenWidth() * 10000 + ScreenHeight, 1280 * 10000 + 720);
    EXPECT_EQ(MainMenuPanel.y, ScreenHeight + 1);
    const int logoY = LogoY;
    RunPasses(99);
    EXPECT_EQ(LogoScale * 10000 + LogoY, 50 * 10000 + logoY);
    RunPasses(25);
    EXPECT_EQ(LogoScale * 10000 + LogoY, 25 * 10000 + logoY - 25 * LogoStep);
    EXPECT_EQ(spriteWidth(SpriteLogo), ScreenWidth / 100 * 25);
    const int logoHeight = spriteHeight(SpriteLogo);
    zoomSprite(SpriteLogo, -1, -1);  // its own proportions at exactly 25 % of 1280, not 25 × 12
    EXPECT_EQ(logoHeight, std::lround(320.0 * spriteHeight(SpriteLogo) / spriteWidth(SpriteLogo)));
    ZoomLogo(25);
    EXPECT_EQ(ScreenState, StateTitleIntro);
    RunOnePass();
    ASSERT_EQ(ScreenState, StateMainMenu);
    EXPECT_EQ(MainMenuButtons[1].hitTop, MainMenuButtons[1].y) << "hit rectangles on their strips";
    EXPECT_LT(MainMenuButtons[6].hitBottom, ScreenHeight);
}

// The data archive replaced while the game runs (written beside it and
// renamed over it, as a package upgrade does), then removed: re-opens load
// every picture again (borderless at the 4:3 desktop between two windowed
// sizes), and the panels and pictures are the same pixels as before.
TEST_F(Menus, TheArchiveReplacedOrRemovedChangesNothingShown)
{
    const auto shown = [] {
        std::vector<uint32_t> pixels;
        for (int sprite : {GetReadyPanel.workSprite, InGameMenuPanel.workSprite, FinishedPanel.workSprite,
                           int(SpriteTitle), int(SpriteBackground), TileSprites[0]})
            for (int at = 0; at < spriteWidth(sprite) * spriteHeight(sprite); at += 7)
                pixels.push_back(spritePixel(sprite, at % spriteWidth(sprite), at / spriteWidth(sprite)));
        return pixels;
    };
    const std::vector<uint32_t> before = shown();
    std::vector<PackMember> other;
    for (const char* name : {"mainmenu.png", "getready.png", "ingamemenu.png"})
        other.push_back({name, MakeSolidPng(300, 400, rgba(250, 0, 0))});
    ASSERT_TRUE(WriteDataArchive(GameDir + "Morvane.data", other, 0, ArchiveFormCurrent));
    for (const std::vector<int>& rows : {std::vector<int>{5}, {4}, {4, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5}}) {
        ASSERT_TRUE(OpenFromMainMenu(3, StateSettings));
        for (int row : rows)  // 4 the screen mode, 5 the window size, 6 confirm
            ClickRecord(SettingsButtons[row]);
        ClickRecord(SettingsButtons[6]);
        setFrameRate(0);  // the re-open paces the game again
        ASSERT_TRUE(RunUntilState(StateMainMenu, 400));
        std::filesystem::remove(GameDir + "Morvane.data");
        EXPECT_EQ(AspectCode, rows == std::vector<int>{4} ? Aspect4x3 : Aspect16x9);
    }
    EXPECT_TRUE(ScreenWidth == 1024 && shown() == before) << "the pictures changed";
}

// Text wrapped into a box of `width` at (100, 100), 80 pixels a line: the y
// of its last line and, per line, the rightmost inked pixel.
int Wrap(const std::string& words, int width, std::vector<int>& right)
{
    const int sprite = createSprite(-1, 2400, 500, SpriteAlphaBlending);
    EXPECT_TRUE(beginDrawing(sprite));
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    setDrawingFont(GameFont(30, true));
    const int y = DrawWrappedText(100, 100, width, 400, 80, words, TextColour, 2);
    endDrawing();
    right.assign(5, 0);
    for (int row = 100; row < 500; ++row)
        for (int x = 0; x < 2400; ++x)
            if (spritePixel(sprite, x, row) >> 24)
                right[size_t((row - 100) / 80)] = std::max(right[size_t((row - 100) / 80)], x - 100);
    freeSprite(sprite);
    return y;
}

TEST_F(Menus, WrappedText)
{
    setDrawingFont(GameFont(30, true));
    std::string a = "Tiles", half = "tiles", b = "fall";
    while (textWidth(half) < 600)
        half += "-tiles";
    while (textWidth(a + " " + b) <= 1000)
        b += "i";
    ASSERT_LT(textWidth(a + " " + b), 1100);
    const std::string blankAfterB = a + " " + b + " ";  // a box this wide the blank just fills
    const struct {
        std::string text;
        int width, lines;
        int firstLine;  // the first line's inked width at most, 0: the box's
    } cases[] = {
        {"Short.", 1000, 1, 0},
        {half + " " + half + " " + half, 1000, 3, 0},  // each half alone on its line
        {a + " " + b, 1000, 2, 0},                     // a little too wide for one line
        {blankAfterB + a, textWidth(blankAfterB), 2, textWidth(a + " ")},
        {a + " " + half + half + " ", 1000, 2, textWidth(a + " ")},  // a last word wider than the box
    };
    std::vector<int> right;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Wrap(c.text, c.width, right), 100 + 80 * (c.lines - 1));
        for (int line = 0; line < 5; ++line) {
            EXPECT_EQ(right[size_t(line)] > 0, line < c.lines) << line;
            EXPECT_LE(right[size_t(line)], line && c.firstLine ? 1 << 20 : c.firstLine ? c.firstLine : c.width) << line;
        }
    }
}

// The lines of the blank-only wrapping every Latin text was laid out with
// before the Unicode rules came in, kept as the reference they must match.
std::vector<std::string> BlankWrap(std::string rest, int width)
{
    if (textWidth(rest) <= width)
        return {rest};
    std::vector<std::string> lines;
    for (size_t searchFrom = 0, p = 0;;) {
        const size_t q = p, blank = rest.find(' ', searchFrom);
        if (blank == std::string::npos) {
            if (q > 0 && textWidth(rest) >= width)
                lines.push_back(rest.substr(0, q)), rest = rest.substr(q);
            return lines.push_back(rest), lines;
        }
        p = blank + 1;
        if (textWidth(rest.substr(0, p)) < width) {
            searchFrom = p;
            continue;
        }
        lines.push_back(rest.substr(0, q > 0 ? q : p));
        rest = rest.substr(q > 0 ? q : p);
        searchFrom = p = 0;
        if (rest.empty())
            return lines;
    }
}

// The last inked row and the ink of a text drawn at (0, 0).
std::pair<int, std::vector<bool>> Ink(const std::string& shown)
{
    const int sprite = createSprite(-1, 400, 200, SpriteAlphaBlending);
    EXPECT_TRUE(beginDrawing(sprite));
    setDrawingMode(DrawTransparent | DrawAlphaBlend);
    drawText(0, 0, shown, TextColour);
    endDrawing();
    std::pair<int, std::vector<bool>> ink{-1, {}};
    for (int i = 0; i < 400 * 200; ++i)
        if (ink.second.push_back(spritePixel(sprite, i % 400, i / 400) >> 24 > 128), ink.second.back())
            ink.first = i / 400;
    freeSprite(sprite);
    return ink;
}

// Letters Baloo lacks come from the next face that has them (Cyrillic, CJK,
// then a system face: Georgian; Han letters from the cut made for the
// language), measured stretch by stretch and on Baloo's
// baseline; only a letter no face has is an empty box. Every shipped Latin
// text (help paragraphs, the quit question: design-size lines, the same at
// every resolution) wraps into the lines it always had; Japanese and Chinese
// ones wrap between letters, never starting a line with closing punctuation.
TEST_F(Menus, TextInEveryScript)
{
    setDrawingFont(GameFont(46, true));
    const std::string cyrillic = "\xD0\x96", han = "\xE6\x97\xA5", georgian = "\xE1\x83\x90", none = "\xEE\x80\x80";
    EXPECT_EQ(textWidth("H" + cyrillic + han + "x"), textWidth("H") + textWidth(cyrillic) + textWidth(han) + textWidth("x"));
    EXPECT_EQ(textHeight("H" + han), textHeight("H"));
    for (const std::string& letter : {cyrillic, han, georgian}) {
        const auto ink = Ink(letter);
        EXPECT_NE(ink.second, Ink(none).second) << letter << " drawn as an empty box";
        EXPECT_NEAR(ink.first, Ink("H").first, 8) << letter << ": on the baseline";  // CJK dips a little
    }
    // Chinese asks its own cut of the Han letters first: 画 in its Chinese shape.
    const auto japanese = Ink("\xE7\x94\xBB");
    PreferScriptFacesFor("zh_CN");
    EXPECT_NE(Ink("\xE7\x94\xBB").second, japanese.second);
    PreferScriptFacesFor("ja_JP");
    EXPECT_EQ(Ink("\xE7\x94\xBB").second, japanese.second);
    int latin = 0, cjk = 0;
    for (const auto& [id, name] : LanguageList) {
        const std::string bytes = ReadBytes(std::string(MORVANE_GAME_DIR) + "/Morvane.languages/" + id + ".language");
        TakeLanguageTexts(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        for (const auto& [key, font, width] : {std::tuple{"tHelpTEXT01", 30, 1092}, {"tHelpTEXT02", 30, 1092},
                                               {"tHelpTEXT03", 30, 1092}, {"tHelpTEXT04", 30, 1092},
                                               {"tQuitQUESTION", 60, 758}}) {
            SCOPED_TRACE(id + " " + key);
            setDrawingFont(GameFont(font, true));
            const std::string& shown = text(key);
            const std::vector<std::string> lines = WrapTextLines(shown, width, WrapOpportunities(shown, id));
            const bool cjkText = id.rfind("ja", 0) == 0 || id.rfind("zh", 0) == 0;
            latin += !cjkText;
            cjk += cjkText && lines.size() > 1;
            if (!cjkText) {
                EXPECT_EQ(lines, BlankWrap(shown, width));
            }
            for (size_t i = 0; cjkText && i < lines.size(); ++i)
                for (const char* closing : {"\xE3\x80\x82", "\xE3\x80\x81", "\xEF\xBC\x8C", "\xEF\xBC\x81", "\xE3\x83\xBC"})
                    EXPECT_NE(lines[i].rfind(closing, 0), 0u) << lines[i];
            EXPECT_EQ(std::accumulate(lines.begin(), lines.end(), std::string()), shown);
        }
    }
    EXPECT_GE(latin, 5 * 5);
    EXPECT_GE(cjk, LanguageList.size() > 5 ? 2 : 0) << "Japanese and Chinese paragraphs span lines";
}

}  // namespace
