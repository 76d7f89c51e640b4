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
    const FocusOrder* focus;  // the areas the arrows visit, or null
    // Left and right on a focused area: true when they changed its value
    // (a settings row) rather than moving the focus. May be null.
    bool (*sideways)(int index, int delta);
};

const StateSteps& CurrentStateSteps();
// True when the state has no sliding panel or its panel is at rest.
bool CurrentPanelAtRest();

void DrawCurrentState();
void RunCurrentStateLogic();
void HoverCurrentState();
void ClickCurrentState();
void EscapeCurrentState();
