// Writes a sprite of the running game (a grabbed screen) as an RGB PNG.
#pragma once

#include <string>

// The sprite as it is displayed, row by row, at compression level 9.
// False when the file cannot be written.
bool WriteSpritePng(int sprite, const std::string& path);
