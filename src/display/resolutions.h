// The ten window sizes the player can choose for the windowed mode.
#pragma once

#include <string>

// Highest index of the resolution list; the list holds entries 0..9.
constexpr int HighestResolution = 9;
// The index used when a stored one lies outside the list.
constexpr int DefaultResolution = 1;

// The entry "width" "x" "height" at the index; the default entry for an index
// outside the list.
std::string ResolutionText(int index);
// Width: the decimal number before the first "x" of the entry.
int ResolutionWidth(int index);
// Height: the decimal number after the first "x" of the entry.
int ResolutionHeight(int index);
// The index itself when it lies in the list, else the default.
int ValidResolution(int index);
