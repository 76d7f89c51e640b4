// Runs the real game headless: the real start-up in a temporary program
// folder, then passes of the real main loop driven by real SDL events.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "board/board.h"
#include "flow/flow.h"
#include "flow/main_loop.h"
#include "flow/menu_states.h"
#include "flow/state_table.h"
#include "media/media.h"
#include "screens/kit.h"
#include "settings/preferences.h"

// Preferences for a headless run: windowed at the resolution index given.
std::string WindowedPreferences(int resolution, int music = 1);
// A temporary program folder with the built content and, unless empty, a
// preferences file (so everything is saved there); XDG_DATA_HOME inside it.
std::string MakeGameFolder(const std::string& preferencesText);
// Starts the game in that folder (unpaced, the shuffle seeded); false when the start-up failed.
bool StartTestGame(const std::string& folder, bool withLog = false);
void StopTestGame();
// The lines of the one log file in the folder (the header and everything after).
std::vector<std::string> LogLines(const std::string& folder);

void RunPasses(int count);
// Runs passes until the screen state is reached; false after maxPasses.
bool RunUntilState(int state, int maxPasses = 2000);
// Passes until the current panel rests, then one more (hover and focus settle).
void Settle();
// Pointer to (x, y), one pass so that hover tracking sees it.
void PointAt(int x, int y);
void ClickAt(int x, int y);  // pointer there, press, release, one pass
// Points at a record, then clicks its centre.
void ClickRecord(const ButtonRecord& record);
// Clicks a record once its panel rests; false unless the state follows within maxPasses.
bool ClickThrough(const ButtonRecord& record, int state, int maxPasses = 40);
void TapKey(int scanCode);  // pressed and released, a pass after each
int CentreX(const ButtonRecord& record);
int CentreY(const ButtonRecord& record);

// Through a main-menu choice to its screen, at rest.
bool OpenFromMainMenu(int choice, int state);
// From the main menu, through the level select, to the first frame of play.
bool PlayCampaignLevel(int number);
// Board cells whose whole rectangle is on the screen, grouped by picture.
std::map<int, std::vector<int>> VisibleTiles();
std::vector<int> VisibleTriple();  // three visible cells of one picture, or none
void ClickCell(int index);
// Removes triples as they come into view until the level is over; false if it still runs after maxPasses.
bool ClearBoard(int maxPasses = 20000);
