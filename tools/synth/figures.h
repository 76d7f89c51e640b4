// Accompaniment figures built from chord spans: sustained chords, broken
// chords and bass lines.
#pragma once

#include <vector>

#include "score.h"

namespace synth {

// Each chord held for its whole span, voiced near `centre`.
void HeldChords(Score& score, const Part& part, const std::vector<ChordSpan>& spans, int centre, int count);

// Each chord struck at the given beat offsets, in a voicing near `centre`.
void StruckChords(Score& score, const Part& part, const std::vector<ChordSpan>& spans,
                  const std::vector<double>& offsets, double length, int centre, int count);

// Broken chords: `pattern` indexes the voicing (ascending from near
// `centre`), one step every `step` beats, restarting with every chord.
void BrokenChords(Score& score, const Part& part, const std::vector<ChordSpan>& spans,
                  const std::vector<int>& pattern, double step, int centre, int count);

// One bass step: where in the chord's span, how long, and the interval above
// the bass note (0 bass, 7 fifth, 12 octave; fifths follow the root).
struct BassStep {
  double offset;
  double length;
  int interval;
};
void BassLine(Score& score, const Part& part, const std::vector<ChordSpan>& spans,
              const std::vector<BassStep>& steps, int low);

// A percussion figure repeated every `every` beats from `from` to `to`:
// offsets within the figure, with their accents.
struct Hit {
  double offset;
  float accent;
};
void Groove(Score& score, const Part& part, double from, double to, double every,
            const std::vector<Hit>& hits, double pitch);

}  // namespace synth
