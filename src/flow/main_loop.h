// The main loop: one pass per displayed frame, 60 per second.
#pragma once

// One pass: window events, present, the state's picture, logic, hover,
// clicks and keys.
void RunOnePass();
// Resets the loop's own values before the first pass.
void ResetMainLoop();
