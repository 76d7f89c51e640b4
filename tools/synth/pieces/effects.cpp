// The two effects. Both are written at 60 beats a minute, so a beat is a
// second.
#include "figures.h"
#include "pieces.h"

namespace synth {

// The end-of-level jingle: a quick run up the C major chord, a grace note
// and a ringing chord on top, about two seconds.
Song LevelJingle() {
  Song song;
  song.title = "Level Done";
  song.bpm = 60;
  song.loop = false;
  song.lengthSeconds = 2.3;
  song.room = 0.6f;
  song.wet = 0.3f;
  song.normalisePeak = true;
  song.ceilingDb = -1.5;
  Score score(song);

  const Part celesta{Instrument::Celesta, 0.8f, 0.15f, 0.3f, 1.0};
  const Part marimba{Instrument::Marimba, 0.75f, -0.25f, 0.25f, 1.0};
  const Part box{Instrument::MusicBox, 0.4f, 0.4f, 0.35f, 1.0};
  const Part pluck{Instrument::Pluck, 0.6f, -0.4f, 0.25f, 1.0};
  const Part bass{Instrument::Bass, 0.8f, 0.0f, 0.1f, 1.0};
  const Part pad{Instrument::Pad, 0.2f, 0.0f, 0.5f, 1.0};

  // The run: C5 E5 G5 C6, then D6 E6 (faster), landing on a G6 over C.
  const double run[] = {0.0, 0.085, 0.17, 0.255, 0.38, 0.45};
  const char* const notes[] = {"C5", "E5", "G5", "C6", "D6", "E6"};
  for (int i = 0; i < 6; ++i) {
    score.Add(marimba, run[i], 0.15, ParsePitch(notes[i]));
    score.Add(celesta, run[i], 0.12, ParsePitch(notes[i]), 0.8f);
  }
  const double land = 0.56;
  for (const char* top : {"C6", "E6", "G6"}) score.Add(celesta, land, 0.9, ParsePitch(top), 0.9f);
  score.Add(box, land, 0.9, ParsePitch("C7"));
  score.Add(box, land + 0.12, 0.9, ParsePitch("G7"), 0.7f);
  const char* const strum[] = {"C4", "G4", "C5", "E5"};
  for (int i = 0; i < 4; ++i) score.Add(pluck, land + 0.015 * i, 1.2, ParsePitch(strum[i]));
  score.Add(bass, 0.0, 0.5, ParsePitch("C3"));
  score.Add(bass, land, 1.2, ParsePitch("C2"));
  for (const char* held : {"C4", "E4", "G4"}) score.Add(pad, 0.1, 1.3, ParsePitch(held));
  return song;
}

// The tile-match effect: a bright two-stroke glass chime, E6 then B6.
Song MatchChime() {
  Song song;
  song.title = "Match";
  song.bpm = 60;
  song.loop = false;
  song.channels = 1;
  song.lengthSeconds = 0.5;
  song.room = 0.3f;
  song.wet = 0.2f;
  song.normalisePeak = true;
  song.ceilingDb = -1.0;
  Score score(song);

  const Part chime{Instrument::Chime, 0.9f, 0.0f, 0.25f, 1.0};
  score.Add(chime, 0.0, 0.2, ParsePitch("E6"));
  score.Add(chime, 0.05, 0.2, ParsePitch("B6"), 0.8f);
  return song;
}

}  // namespace synth
