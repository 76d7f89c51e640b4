// The three folders the game works with; fixed once the start-up has chosen.
#pragma once

#include <string>

extern std::string GameDir;   // folder of the program file, ending in "/"
extern std::string UserDir;   // the per-user folder of the game, ending in "/"
extern std::string SaveTo;    // where preferences, progress, log and screenshots go

// The per-user data folder plus a sub-folder, ending in "/"; the home folder
// stands in when no data folder can be determined.
std::string UserDataPath(const std::string& subFolder);
// Creates every missing level of a path; false if any creation failed.
bool CreatePath(const std::string& path);
