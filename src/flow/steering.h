// Playing without a mouse. The arrow keys, Enter, Space and Escape, and a
// game controller's D-pad, left stick, A, B and Start steer a focus over the
// areas of the panel at rest and a cursor over the board. The focus is shown
// through the hover pass, so it looks exactly like a mouse hover; a choice
// is the click the mouse would make on the focused area. The mouse takes
// over again as soon as it moves or clicks.
#pragma once

// Once a pass, with the pointer the loop has just read into PointerX and
// PointerY: a pointer that moved takes the focus from the keys (and hides
// the board cursor). While the keys keep it, PointerX and PointerY are set
// to the middle of the focused area for the hover pass.
void AimPointer();
// A mouse click is coming with PointerX and PointerY where the mouse is:
// answers true when the keys had the focus and gave it up (the caller then
// runs the hover pass again, so that the click acts where the mouse is).
bool MouseTakesFocus();
// The arrows, choose (Enter, Space, A), back (B) and pause (Start); after
// the keyboard was polled. Escape itself is read with the other keys.
void HandleSteering();
// The ring around a focused area that has no hover strip (a level cell, a
// close or answer badge); drawn after the state's picture.
void DrawFocus();
// The index of the area (in the current state's button array) the keys
// have the focus on; 0 while the mouse has it.
int FocusedArea();
// A new run: the mouse has the focus.
void ResetSteering();
