// Help and credits: paragraphs pushed down by their wrapped lines, credit
// lines that fit the panel, and the close area and Escape.
#include "menu_fixture.h"

#include "assets/asset_numbers.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "language/text_table.h"
#include "screens/help_credits.h"

namespace {

class HelpCreditsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetMenus(); }
};

// One long word in the help font between 600 and 1000 units wide, so two of
// them never share a 1092-wide line but one always fits.
std::string HalfLine()
{
    setDrawingFont(GameFont(30, true));
    std::string piece = "tiles";
    while (textWidth(piece) < 600)
        piece += "-tiles";
    EXPECT_LT(textWidth(piece), 1000);
    return piece;
}

// Rows of the picture that hold any pixel other than the paper.
std::vector<bool> InkRows(const std::vector<uint32_t>& pixels, int width, int height)
{
    std::vector<bool> rows(static_cast<size_t>(height), false);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width && !rows[y]; ++x)
            rows[y] = pixels[static_cast<size_t>(y) * width + x] != PaperColour;
    }
    return rows;
}

bool AnyInk(const std::vector<bool>& rows, int from, int to)
{
    for (int y = from; y < to; ++y) {
        if (rows[y])
            return true;
    }
    return false;
}

TEST_F(HelpCreditsTest, WrappedParagraphsPushTheNextOneDown)
{
    const std::string half = HalfLine();
    const std::string threeLines = half + " " + half + " " + half;
    ASSERT_NE(createSprite(900, 1272, 1601, SpriteAlphaBlending), 0);
    ASSERT_TRUE(beginDrawing(900));
    setDrawingFont(GameFont(30, true));
    EXPECT_EQ(DrawWrappedText(90, 284, 1092, 1126, 40, "Short.", TextColour, 0), 284);
    EXPECT_EQ(DrawWrappedText(90, 364, 1092, 1126, 40, threeLines, TextColour, 0), 364 + 2 * 40);
    endDrawing();

    // The panel: one line, three lines, one line, one line.
    TextTable["tHelpTEXT01"] = "Short.";
    TextTable["tHelpTEXT02"] = threeLines;
    TextTable["tHelpTEXT03"] = "Also short.";
    TextTable["tHelpTEXT04"] = "The end.";
    HelpPanel.keepsDesign = true;  // to read its design picture below
    BuildHelpPanel();
    HelpPanel.keepsDesign = false;
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = DesignPixels(SpriteHelp, width, height);
    ASSERT_EQ(height, 1601);
    const std::vector<bool> rows = InkRows(pixels, width, height);
    setDrawingFont(GameFont(30, true));
    const int lineHeight = textHeight("Short.");
    ASSERT_LT(lineHeight, 60);
    const int tops[4] = {284, 364, 364 + 80 + 80, 364 + 80 + 80 + 80};
    for (int top : tops)
        EXPECT_TRUE(AnyInk(rows, top, top + lineHeight)) << top;
    // Between the paragraphs lies the 80-unit gap less one line.
    EXPECT_FALSE(AnyInk(rows, 284 + lineHeight + 2, 364 - 2));
    EXPECT_TRUE(AnyInk(rows, 364 + 80, 364 + 80 + lineHeight)) << "the third line of paragraph 2";
    EXPECT_FALSE(AnyInk(rows, 364 + 80 + lineHeight + 2, tops[2] - 2));
    EXPECT_FALSE(AnyInk(rows, tops[3] + lineHeight + 2, 1000));
    ResetMenus(true);
}

TEST_F(HelpCreditsTest, CreditLinesAreTruthfulAndFitThePanel)
{
    setDrawingFont(GameFont(35, true));
    int previousTop = 0;
    for (const CreditLine& line : CreditLines) {
        const std::string shown = line.key[0] ? text(line.key) : std::string(line.fixed);
        EXPECT_FALSE(shown.empty()) << line.top;
        EXPECT_LT(textWidth(shown), 1272 - 2 * 90) << shown;
        EXPECT_GT(line.top, previousTop);
        previousTop = line.top;
    }
    EXPECT_STREQ(CreditLines[0].fixed, "Morvane 1.1.0.0");
}

TEST_F(HelpCreditsTest, CloseAreaOnlyAtRestAndEscapeTwiceSlidesOutOnce)
{
    HelpPanel.slide = 25;
    ScreenState = StateHelp;
    RunLogic(10);
    ClickAt(CentreXOf(HelpButtons[1]), CentreYOf(HelpButtons[1]));
    EXPECT_EQ(HelpPanel.slide, 15) << "a click while sliding in does nothing";
    RunLogic(15);
    const int restingY = HelpPanel.y;
    EXPECT_EQ(restingY, TestScreenHeight + 1 - 25 * HelpPanel.step);
    EscapeCurrentState();
    RunLogic(1);
    EscapeCurrentState();
    EXPECT_EQ(HelpPanel.slide, -24);
    RunLogic(24);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_EQ(HelpPanel.y, TestScreenHeight + 1);

    // The next visit rests at the same place; the close area closes it.
    RunLogic(25);
    HelpPanel.slide = 25;
    ScreenState = StateHelp;
    RunLogic(25);
    EXPECT_EQ(HelpPanel.y, restingY);
    ClickAt(CentreXOf(HelpButtons[1]), CentreYOf(HelpButtons[1]));
    EXPECT_EQ(HelpPanel.slide, -25);

    // Credits the same, by its own close area.
    CreditsPanel.slide = 25;
    ScreenState = StateCredits;
    RunLogic(25);
    ClickAt(CentreXOf(CreditsButtons[1]) - 100, CentreYOf(CreditsButtons[1]));
    EXPECT_EQ(CreditsPanel.slide, 0);
    ClickAt(CentreXOf(CreditsButtons[1]), CentreYOf(CreditsButtons[1]));
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);
}

}  // namespace
