// The first level piece: D major, 116 beats a minute, 36 bars (74.5 s).
// A wooden tick-tock and a marimba figure in steady eighths keep time like
// a clock; the tune on celesta has repeated notes that press on gently.
// Intro (4 bars), A (8, open end), A2 (8, closed, off-beat piano), B (8,
// electric piano tune, shaker instead of the clock), A3 (8, tune doubled by
// a plucked string).
#include "figures.h"
#include "pieces.h"

namespace synth {
namespace {

const char* const kChordsIntro = "D | Bm | G | A";
const char* const kChordsA = "D | A/C# | Bm | G | D/F# | G | Em7 | A7sus4 A7";
const char* const kChordsA2 = "D | A/C# | Bm | G | D/F# | G | Em7 A7 | D";
const char* const kChordsB = "G | A | F#m | Bm | Em | F#m | G | A";

const char* const kTuneStart =
    "A5 A5 F#5 A5 B5:2 A5:2 | G5 G5 E5 G5 A5:2 G5:2 | F#5 F#5 D5 F#5 A5:2 F#5 E5 | D5:3 E5 F#5:2 G5:2 |";
const char* const kTuneOpen =
    "A5 A5 F#5 A5 D6:2 C#6 B5 | B5:2 G5 B5 D6:2 B5:2 | A5 G5 F#5 E5 D5:2 E5:2 | D5:3 E5 C#5:2 r:2 |";
const char* const kTuneClosed =
    "A5 A5 F#5 A5 D6:2 C#6 B5 | B5:2 G5 B5 E6:2 D6 B5 | A5:2 B5 A5 G5:2 E5:2 | D5:4 r:4 |";
const char* const kTuneB1 =
    "B4:2 D5:2 G5:3 F#5 | E5:2 C#5:2 A4:4 | C#5:2 F#5:2 A5:3 F#5 | F#5:4 D5:2 B4:2 |";
const char* const kTuneB2 =
    "E5:2 G5:2 B5:3 A5 | A5:2 F#5:2 C#6:4 | B5:2 A5 G5 A5:2 B5:2 | C#6:2 B5:2 A5:2 E5:2 |";
// The marimba's little run into the tune's return.
const char* const kFill = "r:4 D5 E5 F#5 G5 |";

}  // namespace

Song FirstLevelPiece() {
  Song song;
  song.title = "Clockwork Meadow";
  song.bpm = 116;
  song.bars = 36;
  song.room = 0.6f;
  song.wet = 0.28f;
  song.targetRmsDb = -19;
  Score score(song);

  const Part celesta{Instrument::Celesta, 0.75f, 0.12f, 0.3f, 0.9};
  const Part keys{Instrument::Keys, 0.66f, -0.1f, 0.3f, 0.95};
  const Part celestaHigh{Instrument::Celesta, 0.25f, 0.35f, 0.35f, 0.9, 12};
  const Part pluckLow{Instrument::Pluck, 0.42f, -0.35f, 0.25f, 0.9, -12};
  const Part marimba{Instrument::Marimba, 0.5f, -0.3f, 0.2f, 0.5};
  const Part fill{Instrument::Marimba, 0.6f, -0.3f, 0.2f, 0.9};
  const Part padLeft{Instrument::Pad, 0.13f, -0.6f, 0.5f, 1.0};
  const Part padRight{Instrument::Pad, 0.13f, 0.6f, 0.5f, 1.0};
  const Part comping{Instrument::Keys, 0.3f, -0.45f, 0.3f, 1.0};
  const Part bass{Instrument::Bass, 0.45f, 0.0f, 0.1f, 0.8};
  const Part tick{Instrument::Tick, 0.45f, 0.35f, 0.15f, 1.0};
  const Part kick{Instrument::Kick, 0.55f, 0.0f, 0.05f, 1.0};
  const Part shaker{Instrument::Shaker, 0.5f, 0.3f, 0.15f, 1.0};

  auto intro = score.Chords(score.Bar(1), kChordsIntro);
  auto a = score.Chords(score.Bar(5), kChordsA);
  auto a2 = score.Chords(score.Bar(13), kChordsA2);
  auto b = score.Chords(score.Bar(21), kChordsB);
  auto a3 = score.Chords(score.Bar(29), kChordsA2);
  std::vector<ChordSpan> all;
  for (const auto* part : {&intro, &a, &a2, &b, &a3}) all.insert(all.end(), part->begin(), part->end());

  // Tunes.
  score.Melody(celesta, score.Melody(celesta, score.Bar(5), kTuneStart), kTuneOpen);
  score.Melody(celesta, score.Melody(celesta, score.Bar(13), kTuneStart), kTuneClosed);
  score.Melody(keys, score.Melody(keys, score.Bar(21), kTuneB1), kTuneB2);
  score.Melody(celestaHigh, score.Bar(25), kTuneB2);
  score.Melody(celesta, score.Melody(celesta, score.Bar(29), kTuneStart), kTuneClosed);
  score.Melody(pluckLow, score.Melody(pluckLow, score.Bar(29), kTuneStart), kTuneClosed);
  score.Melody(fill, score.Bar(20), kFill);
  score.Melody(fill, score.Bar(36), kFill);

  // The clockwork: marimba eighths throughout, a tick-tock except in B.
  BrokenChords(score, marimba, all, {0, 2, 1, 3, 0, 2, 1, 3}, 0.5, 66, 4);
  Groove(score, tick, score.Bar(1), score.Bar(21), 2, {{0, 1.0f}}, 81);
  Groove(score, tick, score.Bar(1), score.Bar(21), 2, {{1, 0.8f}}, 76);
  Groove(score, tick, score.Bar(29), score.Bar(37), 2, {{0, 1.0f}}, 81);
  Groove(score, tick, score.Bar(29), score.Bar(37), 2, {{1, 0.8f}}, 76);
  Groove(score, shaker, score.Bar(21), score.Bar(37), 1, {{0, 0.6f}, {0.5, 1.0f}}, 60);
  Groove(score, kick, score.Bar(5), score.Bar(37), 4, {{0, 1.0f}, {2, 0.8f}}, 36);

  // From the second time through the tune on, electric-piano dyads on the
  // off-beats of two and four push the bar along.
  StruckChords(score, comping, a2, {1.5, 3.5}, 0.4, 65, 2);
  StruckChords(score, comping, a3, {1.5, 3.5}, 0.4, 65, 2);

  HeldChords(score, padLeft, all, 64, 3);
  HeldChords(score, padRight, all, 62, 4);
  BassLine(score, bass, intro, {{0, 2, 0}, {2, 2, 7}}, 38);
  std::vector<ChordSpan> rest(all.begin() + static_cast<long>(intro.size()), all.end());
  BassLine(score, bass, rest, {{0, 1, 0}, {1.5, 0.5, 0}, {2, 1, 7}, {3, 1, 12}}, 38);
  return song;
}

}  // namespace synth
