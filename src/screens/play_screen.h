// The play screen: background, level label, live rating, menu button and
// the board, drawn every frame in the play states.
#pragma once

// The playing field of states 9 to 15; the board is left out in get-ready,
// the tile cursor everywhere but in play.
void DrawPlayField(bool withBoard, bool withCursor);
// The full-screen shade behind the overlay panels.
void DrawShade();
// The playing field under the shade, as the overlay states show it. Drawn
// whole every pass: the frame composes only what changed, so an overlay at
// rest costs nothing and a sliding panel only the area it crosses.
void DrawShadedField();
