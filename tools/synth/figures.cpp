// Accompaniment figures.
#include "figures.h"

namespace synth {

void HeldChords(Score& score, const Part& part, const std::vector<ChordSpan>& spans, int centre, int count) {
  for (const ChordSpan& span : spans)
    for (int pitch : VoicingNear(span.chord, centre, count))
      score.Add(part, span.beat, span.beats * part.gate, pitch);
}

void StruckChords(Score& score, const Part& part, const std::vector<ChordSpan>& spans,
                  const std::vector<double>& offsets, double length, int centre, int count) {
  for (const ChordSpan& span : spans)
    for (double offset : offsets) {
      if (offset >= span.beats - 1e-9) continue;
      for (int pitch : VoicingNear(span.chord, centre, count))
        score.Add(part, span.beat + offset, length, pitch, offset == 0 ? 1.1f : 1.0f);
    }
}

void BrokenChords(Score& score, const Part& part, const std::vector<ChordSpan>& spans,
                  const std::vector<int>& pattern, double step, int centre, int count) {
  for (const ChordSpan& span : spans) {
    std::vector<int> voicing = VoicingNear(span.chord, centre, count);
    int steps = static_cast<int>(span.beats / step + 1e-9);
    for (int i = 0; i < steps; ++i) {
      int index = pattern[i % pattern.size()];
      float accent = (i * step == static_cast<int>(i * step)) ? 1.0f : 0.85f;
      score.Add(part, span.beat + i * step, step * part.gate * 2, voicing[index % voicing.size()], accent);
    }
  }
}

void BassLine(Score& score, const Part& part, const std::vector<ChordSpan>& spans,
              const std::vector<BassStep>& steps, int low) {
  for (const ChordSpan& span : spans) {
    int bass = BassNote(span.chord, low);
    int root = BassNote(Chord{span.chord.root, {}, span.chord.root}, bass - 11);  // at or below the bass
    for (const BassStep& step : steps) {
      if (step.offset >= span.beats - 1e-9) continue;
      int pitch = step.interval == 0 ? bass : root + step.interval;
      score.Add(part, span.beat + step.offset, step.length * part.gate, pitch, step.offset == 0 ? 1.1f : 0.95f);
    }
  }
}

void Groove(Score& score, const Part& part, double from, double to, double every,
            const std::vector<Hit>& hits, double pitch) {
  for (double start = from; start < to - 1e-9; start += every)
    for (const Hit& hit : hits)
      if (start + hit.offset < to - 1e-9) score.Add(part, start + hit.offset, 0.1, pitch, hit.accent);
}

}  // namespace synth
