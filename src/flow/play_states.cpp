#include "flow/play_states.h"

#include "assets/asset_numbers.h"
#include "board/music.h"
#include "flow/flow.h"
#include "flow/menu_states.h"
#include "language/text_table.h"
#include "media/media.h"
#include "screens/overlays.h"
#include "screens/play_screen.h"
#include "settings/preferences.h"
#include "settings/progress.h"
#include "startup/folders.h"

int ScreenState = StateSplash;
int QuitFlag = 0;
int FrameCounter = 0;
int ReopenPending = 0;
int LevelsWithStars = 0;

SoundSettings CurrentSoundSettings()
{
    SoundSettings settings;
    settings.music = Prefs.music != 0;
    settings.sounds = Prefs.sounds != 0;
    settings.musicVolume = Prefs.musicVolume;
    return settings;
}

// --- shared transitions ------------------------------------------------------

void BackToMainMenu()
{
    MainMenuChoice = 0;
    SetMainMenuHover(0);
    MainMenuPanel.slide = 25;
    ScreenState = StateMainMenu;
}

void SwitchToMenuMusic()
{
    if (soundStatus(Game.levelMusic, MusicChannel) == SoundPlaying)
        fadeAndStop(Game.levelMusic, MusicChannel);
    if (Prefs.music)
        MusicChannel = playSound(MenuMusic, SoundLoop | SoundOwnChannel, Prefs.musicVolume);
}

void StartLevel()
{
    InGameChoice = 0;
    std::string readyLine;
    std::string label;
    if (Game.mode == ModeCampaign) {
        const std::string name = CurrentLevelName();
        readyLine = ReplaceHash(text(GetReadyTextKey()), name);
        label = name;
    } else {
        readyLine = text(GetReadyTextKey());
        label = text(LevelLabelKey());
    }
    BuildGetReadyPanel(readyLine);
    BuildLevelLabel(label);
    StartLevel(CurrentSoundSettings());
    GetReadyHold = 0;
    GetReadyPanel.slide = 25;
    ScreenState = StateGetReady;
}

void EnterInGameMenu()
{
    InGameChoice = 0;
    SetInGameMenuHover(0);
    InGameMenuPanel.slide = 25;
    ScreenState = StateInGameMenu;
}

void ShowLevelOutcome()
{
    const LevelOutcome& outcome = LastOutcome;
    // NOTE: written now, not only at the orderly end, so that a crash or a
    // power cut later in the run costs at most the level then in play.
    if (outcome.progressChanged)
        SaveProgress(SaveTo);
    for (int i = 0; i < outcome.redrawCount; ++i)
        RedrawLevelCell(outcome.redrawColumn[i], outcome.redrawRow[i]);
    if (outcome.campaign) {
        FinishedChoice = 0;
        BuildLevelFinishedPanel(outcome.result, 0);
        SetFinishedHover(0, outcome.result);
        FinishedPanel.slide = 25;
        ScreenState = StateLevelFinished;
    } else {
        QuickFinishedChoice = 0;
        BuildQuickFinishedPanel(outcome.result, outcome.tilesCleared, 0);
        SetQuickFinishedHover(0);
        QuickFinishedPanel.slide = 25;
        ScreenState = StateQuickFinished;
    }
}

// --- splash ------------------------------------------------------------------

void DrawSplash()
{
    drawSprite(SpriteSplash, 0, 0);
}

void LogicSplash()
{
    ++FrameCounter;
    if (FrameCounter > 100) {
        freeSprite(SpriteSplash);
        FrameCounter = 0;
        ScreenState = StateTitleIntro;
    }
}

// --- get ready ---------------------------------------------------------------

void DrawGetReady()
{
    DrawPlayField(false, false);
    drawSpriteBlended(GetReadyPanel.workSprite, GetReadyPanel.x, GetReadyPanel.y);
}

// 25 frames in, 60 at rest, 25 out; then play begins.
void LogicGetReady()
{
    Panel& panel = GetReadyPanel;
    if (panel.slide > 0) {
        SlidePanel(panel, nullptr, 0, -1);
        if (panel.slide == 0)
            GetReadyHold = 60;
        return;
    }
    if (panel.slide < 0) {
        if (SlidePanel(panel, nullptr, 0, -1)) {
            ScreenState = StatePlay;
            Game.playRunning = true;
        }
        return;
    }
    if (--GetReadyHold <= 0)
        panel.slide = -25;
}

// --- play --------------------------------------------------------------------

void DrawPlay()
{
    DrawPlayField(true, true);
}

void LogicPlay()
{
    if (Game.playRunning && UpdateBoard(CurrentSoundSettings()))
        ShowLevelOutcome();
}

void ClickPlay()
{
    if (Game.playRunning)
        ActOnBoardClick(BoardClick(PointerX, PointerY, CurrentSoundSettings()));
}

void ActOnBoardClick(ClickResult result)
{
    switch (result) {
    case ClickOpenMenu:
        EnterInGameMenu();
        break;
    case ClickLevelEnded:
        ShowLevelOutcome();
        break;
    default:
        break;
    }
}

void EscapePlay()
{
    if (Game.playRunning)
        EnterInGameMenu();
}

// --- in-game menu ------------------------------------------------------------

void DrawInGameMenu()
{
    DrawShadedField();
    drawSpriteBlended(InGameMenuPanel.workSprite, InGameMenuPanel.x, InGameMenuPanel.y);
    DrawStrips(InGameMenuButtons, 1, 3);
}

void HoverInGameMenu()
{
    const int hit = HitIndex(InGameMenuButtons, 1, 3, PointerX, PointerY);
    if (hit != InGameChoice) {
        InGameChoice = hit;
        SetInGameMenuHover(hit);
    }
}

void ClickInGameMenu()
{
    if (InGameChoice > 0)
        InGameMenuPanel.slide = -25;
}

void EscapeInGameMenu()
{
    if (InGameMenuPanel.slide != 0)
        return;
    InGameChoice = 1;
    InGameMenuPanel.slide = -25;
}

void ExitInGameMenu()
{
    switch (InGameChoice) {
    case 1:
        InGameChoice = 0;
        ScreenState = StatePlay;
        break;
    case 2:
        InGameChoice = 0;
        Game.keepMusic = true;
        StartLevel();
        break;
    case 3:
        LeaveChoice = 0;
        LeavePanel.slide = 25;
        ScreenState = StateLeaveConfirm;
        break;
    default:
        break;
    }
}

// --- level finished ----------------------------------------------------------

void DrawLevelFinished()
{
    DrawShadedField();
    drawSpriteBlended(FinishedPanel.workSprite, FinishedPanel.x, FinishedPanel.y);
    DrawStrips(FinishedButtons, 1, 3);
}

// NEXT cannot be hovered after the last level or a rating of 0: the previous
// hover then stays as it was.
void HoverLevelFinished()
{
    const int hit = HitIndex(FinishedButtons, 1, 3, PointerX, PointerY);
    if (hit != 0 && hit != FinishedChoice) {
        if (hit == 1 && !NextLevelChoosable(Game.result))
            return;
        FinishedChoice = hit;
        SetFinishedHover(hit, Game.result);
    } else if (hit == 0 && FinishedChoice != 0) {
        FinishedChoice = 0;
        SetFinishedHover(0, Game.result);
    }
}

void ClickLevelFinished()
{
    if (FinishedChoice > 0)
        FinishedPanel.slide = -25;
}

// After the menu choice: the game-complete panel once, else the main menu.
static void MenuExitOfLevelFinished()
{
    if (LevelsWithStars == 25 && Prefs.completed == 0) {
        Prefs.completed = 1;
        BuildGameCompletePanel();
        GameCompletePanel.slide = 25;
        ScreenState = StateGameComplete;
        return;
    }
    SwitchToMenuMusic();
    BackToMainMenu();
}

void EscapeLevelFinished()
{
    LevelsWithStars = CountLevelsWithStars();
    MenuExitOfLevelFinished();
}

void ExitLevelFinished()
{
    LevelsWithStars = CountLevelsWithStars();
    switch (FinishedChoice) {
    case 1:
        if (AdvanceToNextLevel()) {
            Game.levelChosen = true;
            StartLevel();
        }
        break;
    case 2:
        Game.keepMusic = true;
        StartLevel();
        break;
    case 3:
        MenuExitOfLevelFinished();
        break;
    default:
        break;
    }
}

// --- quick game finished -----------------------------------------------------

void DrawQuickFinished()
{
    DrawShadedField();
    drawSpriteBlended(QuickFinishedPanel.workSprite, QuickFinishedPanel.x, QuickFinishedPanel.y);
    DrawStrips(QuickFinishedButtons, 1, 2);
}

void HoverQuickFinished()
{
    const int hit = HitIndex(QuickFinishedButtons, 1, 2, PointerX, PointerY);
    if (hit != QuickFinishedChoice) {
        QuickFinishedChoice = hit;
        SetQuickFinishedHover(hit);
    }
}

void ClickQuickFinished()
{
    if (QuickFinishedChoice > 0)
        QuickFinishedPanel.slide = -25;
}

void EscapeQuickFinished()
{
    SwitchToMenuMusic();
    BackToMainMenu();
}

void ExitQuickFinished()
{
    if (QuickFinishedChoice == 1) {
        Game.keepMusic = true;
        StartLevel();
    } else if (QuickFinishedChoice == 2) {
        SwitchToMenuMusic();
        BackToMainMenu();
    }
}

// --- game complete -----------------------------------------------------------

void DrawGameComplete()
{
    DrawShadedField();
    drawSpriteBlended(GameCompletePanel.workSprite, GameCompletePanel.x, GameCompletePanel.y);
}

void ClickGameComplete()
{
    if (HitButton(GameCompleteButtons[1], PointerX, PointerY))
        GameCompletePanel.slide = -25;
}

void EscapeGameComplete()
{
    if (GameCompletePanel.slide != 0)
        return;
    GameCompletePanel.slide = -25;
}

void ExitGameComplete()
{
    if (Prefs.music)
        SwitchToMenuMusic();
    BackToMainMenu();
}
