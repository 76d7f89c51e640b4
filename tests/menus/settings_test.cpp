// The settings screen: pending values that only a confirm applies, the log
// lines it writes, when the display must be opened again, the disabled
// resolution row and the upper-cased language names.
#include "menu_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "flow/flow.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "language/languages.h"
#include "language/text_table.h"
#include "screens/settings_screen.h"
#include "settings/preferences.h"
#include "startup/log.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetMenus();
        logPath = TestGameFolder() + "settings-test.log";
        ASSERT_TRUE(OpenLog(logPath, "Morvane"));
        EnableLog();
        OpenSettings();
    }

    void TearDown() override
    {
        CloseLog();
        std::filesystem::remove(logPath);
    }

    // Through the main menu's choice 3, as the player gets there.
    static void OpenSettings()
    {
        if (ScreenState == StateMainMenu)
            RunLogic(MainMenuPanel.slide);
        const ButtonRecord& settings = MainMenuButtons[3];
        ClickAt(CentreXOf(settings), CentreYOf(settings));
        RunLogic(50);
        ASSERT_EQ(ScreenState, StateSettings);
        ASSERT_EQ(SettingsPanel.slide, 0);
    }

    static void ClickRecord(int index)
    {
        ClickAt(CentreXOf(SettingsButtons[index]), CentreYOf(SettingsButtons[index]));
    }

    std::string LogText() const
    {
        std::ifstream in(logPath, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::string logPath;
};

bool SamePreferences(const Preferences& a, const Preferences& b)
{
    return a.language == b.language && a.music == b.music && a.gameScreen == b.gameScreen &&
           a.resolution == b.resolution && a.sounds == b.sounds && a.musicVolume == b.musicVolume &&
           a.completed == b.completed;
}

TEST_F(SettingsTest, MusicClickedTwiceAndConfirmedChangesAndLogsNothing)
{
    ClickRecord(2);
    EXPECT_EQ(Pending.music, 0);
    EXPECT_EQ(Prefs.music, 1) << "nothing applies before the confirm";
    ClickRecord(2);
    ClickRecord(6);
    EXPECT_EQ(Prefs.music, 1);
    EXPECT_EQ(SettingsPanel.slide, -25);
    const std::string log = LogText();
    EXPECT_EQ(log.find("Music:"), std::string::npos) << log;
    EXPECT_NE(log.find("Sounds:\t\tON\r\n"), std::string::npos) << log;
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);

    // Once more, switched off for real: one line.
    OpenSettings();
    ClickRecord(2);
    ClickRecord(3);
    ClickRecord(6);
    EXPECT_EQ(Prefs.music, 0);
    EXPECT_EQ(Prefs.sounds, 0);
    const std::string after = LogText();
    EXPECT_NE(after.find("Music:\t\tOFF\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("Sounds:\t\tOFF\r\n"), std::string::npos) << after;
}

TEST_F(SettingsTest, ModeCycledBackToWindowedWithTheSameResolutionNeedsNoReopen)
{
    ASSERT_EQ(Pending.screenMode, ScreenWindowed);
    ClickRecord(4);
    EXPECT_EQ(Pending.screenMode, ScreenBorderless);
    ClickRecord(4);
    EXPECT_EQ(Pending.screenMode, ScreenFullscreen);
    ClickRecord(4);
    EXPECT_EQ(Pending.screenMode, ScreenWindowed);
    ClickRecord(6);
    EXPECT_EQ(ReopenPending, 0);
    EXPECT_EQ(ScreenState, StateSettings);
    EXPECT_EQ(SettingsPanel.slide, -25) << "slides out instead of re-opening";
    EXPECT_TRUE(isScreenOpen());
    EXPECT_EQ(Prefs.gameScreen, ScreenWindowed);
}

TEST_F(SettingsTest, CancelAfterManyClicksLeavesEveryPreference)
{
    const Preferences before = Prefs;
    for (int round = 0; round < 3; ++round) {
        for (int row = 1; row <= 5; ++row)
            ClickRecord(row);
    }
    EXPECT_NE(Pending.language, before.language);
    ClickRecord(7);
    EXPECT_EQ(SettingsPanel.slide, -25);
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);
    EXPECT_TRUE(SamePreferences(Prefs, before));
    EXPECT_EQ(LanguageList[LanguageIndex].id, before.language);
    EXPECT_EQ(LogText().find("Sounds:"), std::string::npos) << "nothing was applied";

    // Escape drops them the same way, and the next visit starts from the
    // preferences again.
    OpenSettings();
    ClickRecord(2);
    ClickRecord(4);
    EscapeCurrentState();
    RunLogic(25);
    EXPECT_TRUE(SamePreferences(Prefs, before));
    OpenSettings();
    EXPECT_EQ(Pending.music, before.music);
    EXPECT_EQ(Pending.screenMode, before.gameScreen);
}

TEST_F(SettingsTest, ResolutionRowIsDisabledOutsideTheWindowedMode)
{
    const int resolution = Pending.resolution;
    // Windowed: the row highlights and steps, wrapping after the last entry.
    ClickRecord(5);
    EXPECT_EQ(SettingsHover, 5);
    EXPECT_EQ(Pending.resolution, resolution + 1);
    EXPECT_EQ(SettingsButtons[5].sprite, SettingsResolutionStrips + 3 * (resolution + 1) + 1);
    Pending.resolution = 9;
    ClickRecord(5);
    EXPECT_EQ(Pending.resolution, 0);
    Pending.resolution = resolution;

    ClickRecord(4);  // borderless
    const int disabled = SettingsResolutionStrips + 3 * resolution + 2;
    EXPECT_EQ(SettingsButtons[5].sprite, disabled);
    PointAt(CentreXOf(SettingsButtons[5]), CentreYOf(SettingsButtons[5]));
    EXPECT_EQ(SettingsHover, 0);
    EXPECT_EQ(SettingsButtons[4].sprite % 2, 0) << "the mode row lost its highlight";
    ClickCurrentState();
    EXPECT_EQ(Pending.resolution, resolution);
    EXPECT_EQ(SettingsButtons[5].sprite, disabled);
    // Highlighting another row keeps the resolution row disabled.
    PointAt(CentreXOf(SettingsButtons[3]), CentreYOf(SettingsButtons[3]));
    EXPECT_EQ(SettingsHover, 3);
    EXPECT_EQ(SettingsButtons[5].sprite, disabled);
}

TEST_F(SettingsTest, ConfirmAndCancelAreasAreRememberedWithoutAStripChange)
{
    PointAt(CentreXOf(SettingsButtons[2]), CentreYOf(SettingsButtons[2]));
    const int highlighted = SettingsButtons[2].sprite;
    PointAt(CentreXOf(SettingsButtons[7]), CentreYOf(SettingsButtons[7]));
    EXPECT_EQ(SettingsHover, 7);
    EXPECT_EQ(SettingsButtons[2].sprite, highlighted);
    PointAt(2, 2);
    EXPECT_EQ(SettingsHover, 0);
    EXPECT_NE(SettingsButtons[2].sprite, highlighted);
}

TEST_F(SettingsTest, NewLanguageIsLoadedLoggedAndTheMenuFollowsItsTexts)
{
    ASSERT_GE(LanguageList.size(), 2u);
    const int englishWidth = MainMenuButtons[1].hitRight - MainMenuButtons[1].hitLeft;
    const int restingTop = MainMenuButtons[1].hitTop;
    ClickRecord(1);
    const std::string chosen = Pending.language;
    ASSERT_NE(chosen, "en_GB");
    ClickRecord(6);
    EXPECT_EQ(Prefs.language, chosen);
    EXPECT_NE(LogText().find("Load language (" + chosen + "):\t\tOK\r\n"), std::string::npos) << LogText();
    EXPECT_EQ(SettingsPanel.slide, -25);
    EXPECT_EQ(SettingsButtons[1].sprite, SettingsLanguageStrips + 2 * FindLanguage(chosen));
    EXPECT_EQ(MainMenuButtons[1].hitTop, restingTop) << "hit rectangles at the resting place, once";
    EXPECT_NE(MainMenuButtons[1].hitRight - MainMenuButtons[1].hitLeft, englishWidth) << text("tMenuSTART");
    RunLogic(25);
    EXPECT_EQ(ScreenState, StateMainMenu);
    RunLogic(25);
    const ButtonRecord& first = MainMenuButtons[1];
    PointAt(CentreXOf(first), CentreYOf(first));
    EXPECT_EQ(MainMenuChoice, 1);
    ResetMenus(true);
}

TEST(UpperCaseText, LanguageNamesInCapitals)
{
    EXPECT_EQ(UpperCaseText("English"), "ENGLISH");
    EXPECT_EQ(UpperCaseText("Fran\xC3\xA7" "ais"), "FRAN\xC3\x87" "AIS");
    EXPECT_EQ(UpperCaseText("Espa\xC3\xB1ol"), "ESPA\xC3\x91OL");
    EXPECT_EQ(UpperCaseText("Polski"), "POLSKI");
    // Polish letters: ą ę ł ó ś ź ż ń ć.
    EXPECT_EQ(UpperCaseText("\xC4\x85\xC4\x99\xC5\x82\xC3\xB3\xC5\x9B\xC5\xBA\xC5\xBC\xC5\x84\xC4\x87"),
              "\xC4\x84\xC4\x98\xC5\x81\xC3\x93\xC5\x9A\xC5\xB9\xC5\xBB\xC5\x83\xC4\x86");
    // Capitals stay, sharp s doubles, Cyrillic and Greek follow.
    EXPECT_EQ(UpperCaseText("\xC5\x81\xC3\x93\x44\xC5\xB9"), "\xC5\x81\xC3\x93\x44\xC5\xB9");
    EXPECT_EQ(UpperCaseText("Stra\xC3\x9F" "e"), "STRASSE");
    EXPECT_EQ(UpperCaseText("\xD1\x80\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"),
              "\xD0\xA0\xD0\xA3\xD0\xA1\xD0\xA1\xD0\x9A\xD0\x98\xD0\x99");
    EXPECT_EQ(UpperCaseText("\xCE\xB5\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC"),
              "\xCE\x95\xCE\x9B\xCE\x9B\xCE\x97\xCE\x9D\xCE\x99\xCE\x9A\xCE\xAC");
    // Broken bytes pass through untouched.
    EXPECT_EQ(UpperCaseText("a\xC3"), "A\xC3");
    EXPECT_EQ(UpperCaseText("\xFFz"), "\xFFZ");
}

}  // namespace
