// Writing music in beats and note names: melodies as short texts, chords as
// symbols, and the voicings the accompaniment figures are built from.
#pragma once

#include <string_view>
#include <vector>

#include "synth.h"

namespace synth {

// One player of a piece: the instrument and how it is played and placed.
struct Part {
  Instrument instrument = Instrument::Pluck;
  float velocity = 0.8f;
  float pan = 0;
  float send = 0.25f;
  double gate = 0.9;  // held fraction of the written length
  int transpose = 0;  // semitones
};

struct Chord {
  int root = 0;                // pitch class
  std::vector<int> intervals;  // from the root, ascending
  int bass = 0;                // pitch class of the lowest note
};

struct ChordSpan {
  Chord chord;
  double beat;   // start
  double beats;  // length
};

// "C4", "F#5", "Bb3" -> MIDI number. Throws on anything else.
int ParsePitch(std::string_view name);

// "F", "Dm7", "Bbmaj7", "C/E", "A7sus4" ... Throws on an unknown symbol.
Chord ParseChord(std::string_view symbol);

// The `count` lowest chord tones at or above `low`, ascending.
std::vector<int> Voicing(const Chord& chord, int low, int count);

// The close voicing of `count` notes whose average lies nearest `centre`.
std::vector<int> VoicingNear(const Chord& chord, int centre, int count);

// The bass note of the chord at or above `low`.
int BassNote(const Chord& chord, int low);

// Writes the notes of a song in beats. Timing and loudness get a very small
// deterministic human variation.
class Score {
 public:
  explicit Score(Song& song) : song_(song), noise_(static_cast<uint32_t>(song.title.size() * 977 + 13)) {}

  double Bar(int bar) const { return (bar - 1) * song_.beatsPerBar; }  // bars count from 1

  void Add(const Part& part, double beat, double beats, double pitch, float accent = 1.0f);

  // A melody: tokens "A5", "A5:3" (length in units), "r:2" (rest), with
  // "A5:3." for a short note and "A5>" for an accent; "|" is a bar line,
  // checked against the metre. Returns the beat after the last token.
  double Melody(const Part& part, double beat, std::string_view text, double unit = 0.5);

  // Chord symbols, bars separated by "|"; the chords of a bar share it evenly.
  std::vector<ChordSpan> Chords(double beat, std::string_view text) const;

 private:
  Song& song_;
  Noise noise_;
  uint32_t seed_ = 1;
};

}  // namespace synth
