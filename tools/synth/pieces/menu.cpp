// The menu piece: F major, 72 beats a minute, 24 bars (80 s) in three
// sections: the tune on celesta over a plucked broken-chord figure (A), a
// second tune on the electric piano in the relative-minor colours (B), and
// the first tune again, doubled, turning back to the start (A').
#include "figures.h"
#include "pieces.h"

namespace synth {
namespace {

const char* const kChordsA = "F | C/E | Dm7 | Bbmaj7 | F/A | Bbmaj7 | Gm7 | Csus4 C";
const char* const kChordsB = "Bbmaj7 | C/Bb | Am7 | Dm7 | Gm7 | Am7 | Bbmaj7 | Csus4 C7";
const char* const kChordsA2 = "F | C/E | Dm7 | Bbmaj7 | F/A | Bbmaj7 | Gm7 C7 | F Bb/C";

const char* const kTuneA =
    "A5:3 G5 F5:2 C5:2 | E5:2 F5 G5 G5:4 | F5:3 E5 D5:2 A4:2 | D5:2 C5 D5 F5:4 |"
    "A5:3 G5 F5:2 C6:2 | D6:3 C6 Bb5:2 A5:2 | G5:2 A5 Bb5 A5:2 G5:2 | F5:4 E5:2 r:2 |";
const char* const kTuneB =
    "r:2 D5 F5 A5:3 G5 | G5:4 E5:2 C5:2 | r:2 C5 E5 G5:3 F5 | F5:4 D5:2 A4:2 |"
    "Bb4:2 D5 F5 A5:2 G5 F5 | G5:2 E5 C5 E5:2 G5:2 | F5:2 D5 F5 A5:2 Bb5:2 | C6:4 Bb5:2 G5:2 |";
const char* const kTuneA2 =
    "A5:3 Bb5 A5:2 F5:2 | E5:2 F5 G5 C6:4 | F5:3 E5 D5:2 A4:2 | D5:2 C5 D5 F5:4 |"
    "A5:3 G5 F5:2 C6:2 | D6:3 C6 Bb5:2 A5:2 | G5:2 A5 Bb5 C6:2 Bb5 G5 | F5:4 C5 D5 F5 G5 |";

// Sparkles of the music box answering the tune in B.
const char* const kAnswersB =
    "r:6 A6 F6 | r:8 | r:6 G6 E6 | r:8 | r:6 F6 D6 | r:8 | r:4 F6 A6 C7:2 | r:8 |";

}  // namespace

Song MenuPiece() {
  Song song;
  song.title = "Morning Garden";
  song.bpm = 72;
  song.bars = 24;
  song.room = 0.72f;
  song.wet = 0.34f;
  song.targetRmsDb = -19;
  Score score(song);

  const Part celesta{Instrument::Celesta, 0.72f, 0.15f, 0.35f, 1.0};
  const Part echo{Instrument::Celesta, 0.2f, -0.45f, 0.5f, 1.0};
  const Part keys{Instrument::Keys, 0.62f, -0.1f, 0.3f, 0.95};
  const Part keysLow{Instrument::Keys, 0.32f, -0.2f, 0.3f, 0.95, -12};
  const Part pluck{Instrument::Pluck, 0.38f, -0.3f, 0.25f, 1.0};
  const Part padLeft{Instrument::Pad, 0.13f, -0.6f, 0.5f, 1.0};
  const Part padRight{Instrument::Pad, 0.13f, 0.6f, 0.5f, 1.0};
  const Part bass{Instrument::Bass, 0.55f, 0.0f, 0.1f, 0.95};
  const Part musicBox{Instrument::MusicBox, 0.3f, 0.45f, 0.45f, 1.0};

  std::vector<ChordSpan> a = score.Chords(score.Bar(1), kChordsA);
  std::vector<ChordSpan> b = score.Chords(score.Bar(9), kChordsB);
  std::vector<ChordSpan> a2 = score.Chords(score.Bar(17), kChordsA2);
  std::vector<ChordSpan> all = a;
  all.insert(all.end(), b.begin(), b.end());
  all.insert(all.end(), a2.begin(), a2.end());

  // Tunes, with a soft echo a dotted eighth later on the other side.
  score.Melody(celesta, score.Bar(1), kTuneA);
  score.Melody(echo, score.Bar(1) + 0.75, kTuneA);
  score.Melody(keys, score.Bar(9), kTuneB);
  score.Melody(musicBox, score.Bar(9), kAnswersB);
  score.Melody(celesta, score.Bar(17), kTuneA2);
  score.Melody(echo, score.Bar(17) + 0.75, kTuneA2);
  score.Melody(keysLow, score.Bar(17), kTuneA2);

  // The plucked figure: flowing eighths in A and A', calmer quarters in B.
  BrokenChords(score, pluck, a, {0, 2, 1, 3, 2, 1, 3, 2}, 0.5, 60, 4);
  BrokenChords(score, pluck, b, {0, 2, 1, 3}, 1.0, 60, 4);
  BrokenChords(score, pluck, a2, {0, 2, 1, 3, 2, 1, 3, 2}, 0.5, 60, 4);

  HeldChords(score, padLeft, all, 62, 3);
  HeldChords(score, padRight, all, 60, 4);
  BassLine(score, bass, all, {{0, 2, 0}, {2, 1.5, 7}, {3.5, 0.5, 12}}, 38);
  return song;
}

}  // namespace synth
