// The campaign progress file "Morvane.scores": each level's best rating and
// whether it is locked, as 50 numbers on 50 lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The file name inside the folder it is kept in.
extern const char* const ProgressFileName;
// Two lines per level: best, then locked.
constexpr int ProgressLineCount = 50;
// Far more than 50 short lines: of a longer file only this much is read.
constexpr size_t ProgressReadBound = 64 * 1024;

// Takes a progress file held in memory into the 25 level records; missing
// lines read as 0. Answers the number of lines found (at most 50).
int ReadProgress(const uint8_t* bytes, size_t size);
// The whole progress file for the level records, byte for byte.
std::string ProgressText();

// folder ends in "/". False if the file cannot be read (records unchanged).
// Of a longer file the whole lines within the bound are read.
bool LoadProgress(const std::string& folder);
// Replaces folder + "Morvane.scores" safely; false when it cannot be written.
bool SaveProgress(const std::string& folder);
