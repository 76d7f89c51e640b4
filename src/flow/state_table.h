// The state machine: one row of steps per screen state, dispatched in one
// place by the main loop.
#pragma once

#include "screens/kit.h"

struct StateSteps {
    void (*draw)();     // the state's picture, every frame
    void (*logic)();    // per-frame logic besides the slide (may be null)
    void (*hover)();    // only while the panel is at rest
    void (*click)();    // only while the panel is at rest
    void (*escape)();   // only while the panel is at rest
    void (*exit)();     // on the frame a slide-out ends
    Panel* panel;       // the panel that slides in and out, or null
    ButtonRecord* strips;  // records whose strips slide with the panel
    int lastStrip;         // records 1..lastStrip move with the panel
};

const StateSteps& CurrentStateSteps();

void DrawCurrentState();
void RunCurrentStateLogic();
void HoverCurrentState();
void ClickCurrentState();
void EscapeCurrentState();
