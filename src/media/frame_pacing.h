// The frame pace worked out from performance-counter values alone, so that
// what a stall or a late frame does to the beat can be followed step by step.
#pragma once

#include <cstdint>

struct FramePace {
    uint64_t waitUntil;  // the counter value to sleep until (`now`: no wait)
    uint64_t shownAt;    // the beat the next frame's period counts from
};

// A frame ready at `now`, the previous one shown on the beat `lastShown`,
// frames `period` counter ticks apart: an early frame waits for its beat, a
// frame a little late is shown at once and keeps the beat, and after a stall
// of more than a period the beat starts again from `now`, so the frames that
// follow do not rush to catch up.
FramePace NextFramePace(uint64_t lastShown, uint64_t now, uint64_t period);
