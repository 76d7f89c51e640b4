// The second level piece: B-flat major, 128 beats a minute, 40 bars (75 s).
// Bouncier than the first: a pizzicato tune with a music-box shadow over a
// 3+3+2 marimba and bass figure, a shaker and a soft clock tick on the beat.
// A (8), A' (8, closed), B (8, electric piano, plucked broken chords),
// C (8, lighter: the tune on marimba, the clock in front), A'' (8, fullest).
#include "figures.h"
#include "pieces.h"

namespace synth {
namespace {

const char* const kChordsA = "Bb | Gm | Cm7 | F7 | Bb | Gm | Eb | F";
const char* const kChordsA2 = "Bb | Gm | Cm7 | F7 | Bb/D | Eb | Cm7 F7 | Bb";
const char* const kChordsB = "Eb | F | Dm | Gm | Eb | F | Cm7 | F7sus4 F7";
const char* const kChordsC = "Gm | Dm | Eb | Bb/D | Cm | Dm7 | Eb | F";

const char* const kTuneStart =
    "D5 F5 r Bb5:2> A5 F5 r | D5 G5 r Bb5:2> A5 G5 r | Eb5 G5 r C6:2> Bb5 G5 Eb5 | F5:2 A5 C6 Eb6:2> C6:2 |";
const char* const kTuneOpen =
    "D6:2 C6 Bb5 r Bb5 C6 D6 | D6:2 Bb5 G5 r G5 A5 Bb5 | C6:2 Bb5 G5 Eb5:2 G5 Bb5 | A5:4 r:2 F5 G5 |";
const char* const kTuneClosed =
    "D6:2 C6 Bb5 r F6> D6 Bb5 | C6:2 Bb5 G5 Eb5:2 G5 C6 | Bb5:2 A5 G5 F5:2 Eb5 C5 | Bb4:2 D5 F5 Bb5:2> r:2 |";
const char* const kTuneB =
    "G5:3 F5 Eb5:2 Bb4:2 | A4:2 C5:2 F5:4 | F5:3 G5 A5:2 F5:2 | G5:4 D5:2 Bb4:2 |"
    "Eb5:2 G5 Bb5 C6:3 Bb5 | A5:2 F5:2 C6:4 | Bb5:2 G5 Eb5 G5:2 Bb5:2 | C6:2 Bb5:2 A5:2 r:2 |";
const char* const kTuneC =
    "Bb4:2 D5:2 G5:2 F5:2 | F5:2 D5:2 A4:4 | G4:2 Bb4:2 Eb5:2 D5:2 | D5:2 F5:2 Bb5:4 |"
    "C5:2 Eb5:2 G5:2 F5:2 | F5:2 A5:2 C6:4 | Bb5:2 G5:2 Eb5:2 G5:2 | A5:2 C6:2 D6 C6 A5 F5 |";

}  // namespace

Song SecondLevelPiece() {
  Song song;
  song.title = "Busy Bees";
  song.bpm = 128;
  song.bars = 40;
  song.room = 0.55f;
  song.wet = 0.26f;
  song.targetRmsDb = -19;
  Score score(song);

  const Part pizz{Instrument::Pizz, 0.85f, 0.1f, 0.25f, 0.8};
  const Part shadow{Instrument::MusicBox, 0.25f, 0.4f, 0.35f, 1.0};
  const Part celesta{Instrument::Celesta, 0.4f, -0.25f, 0.3f, 0.8};
  const Part keys{Instrument::Keys, 0.66f, -0.1f, 0.3f, 0.95};
  const Part marimbaTune{Instrument::Marimba, 0.8f, 0.1f, 0.25f, 0.9};
  const Part comp{Instrument::Marimba, 0.3f, -0.35f, 0.2f, 1.0};
  const Part pluck{Instrument::Pluck, 0.42f, 0.35f, 0.25f, 1.0};
  const Part padLeft{Instrument::Pad, 0.12f, -0.6f, 0.5f, 1.0};
  const Part padRight{Instrument::Pad, 0.12f, 0.6f, 0.5f, 1.0};
  const Part warmth{Instrument::Keys, 0.28f, -0.3f, 0.35f, 0.9};
  const Part bass{Instrument::Bass, 0.42f, 0.0f, 0.1f, 0.85};
  const Part tick{Instrument::Tick, 0.4f, -0.4f, 0.15f, 1.0};
  const Part kick{Instrument::Kick, 0.55f, 0.0f, 0.05f, 1.0};
  const Part shaker{Instrument::Shaker, 0.4f, 0.3f, 0.15f, 1.0};

  auto a = score.Chords(score.Bar(1), kChordsA);
  auto a2 = score.Chords(score.Bar(9), kChordsA2);
  auto b = score.Chords(score.Bar(17), kChordsB);
  auto c = score.Chords(score.Bar(25), kChordsC);
  auto a3 = score.Chords(score.Bar(33), kChordsA2);
  std::vector<ChordSpan> all;
  for (const auto* part : {&a, &a2, &b, &c, &a3}) all.insert(all.end(), part->begin(), part->end());

  // Tunes.
  for (const Part* part : {&pizz, &shadow}) {
    score.Melody(*part, score.Melody(*part, score.Bar(1), kTuneStart), kTuneOpen);
    score.Melody(*part, score.Melody(*part, score.Bar(9), kTuneStart), kTuneClosed);
  }
  for (const Part* part : {&pizz, &shadow, &celesta})
    score.Melody(*part, score.Melody(*part, score.Bar(33), kTuneStart), kTuneClosed);
  score.Melody(keys, score.Bar(17), kTuneB);
  score.Melody(marimbaTune, score.Bar(25), kTuneC);

  // The 3+3+2 figure of marimba chords and bass; plucked broken chords in B.
  std::vector<ChordSpan> driven(a.begin(), a.end());
  driven.insert(driven.end(), a2.begin(), a2.end());
  driven.insert(driven.end(), a3.begin(), a3.end());
  StruckChords(score, comp, driven, {0, 1.5, 3}, 0.6, 65, 3);
  StruckChords(score, comp, c, {0, 2}, 1.5, 65, 3);
  BrokenChords(score, pluck, b, {0, 1, 2, 3, 2, 1, 2, 3}, 0.5, 62, 4);
  BassLine(score, bass, all, {{0, 1.2, 0}, {1.5, 1.2, 0}, {3, 0.5, 7}, {3.5, 0.5, 12}}, 34);

  // Time-keeping: a soft tick on every beat (resting in B, so that it never
  // nags), shaker eighths (sixteenths at the end), and a gentle kick except
  // in the lighter C section.
  Groove(score, tick, score.Bar(1), score.Bar(17), 2, {{0, 1.0f}, {1, 0.7f}}, 84);
  Groove(score, tick, score.Bar(25), score.Bar(41), 2, {{0, 1.0f}, {1, 0.7f}}, 84);
  Groove(score, shaker, score.Bar(1), score.Bar(33), 1, {{0, 0.6f}, {0.5, 1.0f}}, 60);
  Groove(score, shaker, score.Bar(33), score.Bar(41), 1, {{0, 0.6f}, {0.25, 0.4f}, {0.5, 1.0f}, {0.75, 0.4f}}, 60);
  Groove(score, kick, score.Bar(1), score.Bar(25), 4, {{0, 1.0f}, {1.5, 0.6f}, {2, 0.8f}}, 36);
  Groove(score, kick, score.Bar(33), score.Bar(41), 4, {{0, 1.0f}, {1.5, 0.6f}, {2, 0.8f}}, 36);

  HeldChords(score, warmth, a2, 60, 3);  // soft piano chords under the closed A'

  HeldChords(score, padLeft, all, 64, 3);
  HeldChords(score, padRight, all, 62, 4);
  return song;
}

}  // namespace synth
