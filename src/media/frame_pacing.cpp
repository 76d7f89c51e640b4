#include "media/frame_pacing.h"

FramePace NextFramePace(uint64_t lastShown, uint64_t now, uint64_t period)
{
    const uint64_t due = lastShown + period;
    if (now <= due)
        return {due, due};
    if (now > due + period)
        return {now, now};
    return {now, due};
}
