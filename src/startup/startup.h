// The program's entry: start-up, the main loop, the orderly end.
#pragma once

#include <string>
#include <vector>

// Runs the whole game; answers the process exit code.
int RunGame(int argc, char** argv);

// The start-up sequence up to the first pass of the main loop. False when a
// fatal error ended it (the error box was shown, nothing was saved).
bool StartGame(const std::vector<std::string>& arguments);
// The orderly end: preferences, then progress, then every media resource.
void EndGame();

// Test hook: the folder taken as the program's own (its data files beside it).
void SetGameDirForTests(const std::string& folder);

// The fatal-error convention: one box titled "Morvane::" + the "tErrorERROR"
// text with the given message, then everything is released; nothing saved.
void ShowFatalError(const std::string& message);
