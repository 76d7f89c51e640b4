// The main loop: one pass per displayed frame, 60 per second.
#pragma once

// One pass: window events, present, the state's picture, logic, hover,
// clicks and keys; then changed preferences are saved.
void RunOnePass();
// Resets the loop's own values before the first pass; the preferences as
// they are count as saved.
void ResetMainLoop();
