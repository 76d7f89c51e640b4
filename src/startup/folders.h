// The three folders the game works with; fixed once the start-up has chosen.
#pragma once

#include <string>

extern std::string GameDir;   // folder of the game's data (see DataFolder), ending in "/"
extern std::string UserDir;   // the per-user folder of the game, ending in "/"
extern std::string SaveTo;    // where preferences, progress, log and screenshots go

// The per-user data folder plus a sub-folder, ending in "/"; the home folder
// stands in when no data folder can be determined.
std::string UserDataPath(const std::string& subFolder);
// Creates every missing level of a path; false if any creation failed.
bool CreatePath(const std::string& path);
// The folder that holds the game's data: the program's own folder when
// Morvane.data lies beside the program (a build folder or a portable copy),
// else the installed data folder, `fromProgram` (such as
// "../share/games/morvane/") taken from the program's folder, when the data is
// there; else the program's own folder, where the missing data is reported.
std::string DataFolder(const std::string& programDir, const std::string& fromProgram);
