// Morvane's synthesiser: notes of a few acoustic-sounding instruments are
// rendered to PCM, placed in a stereo mix with a room reverb, and encoded to
// OGG Vorbis. Looped pieces wrap every tail (notes and reverb) around the
// loop point so that the last sample runs on into the first.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

enum class Instrument {
  Pluck,    // Karplus-Strong string, guitar/harp-like
  Pizz,     // short, soft plucked string
  Bass,     // warm plucked bass string
  Marimba,  // modal bar with a tuned overtone two octaves up
  Celesta,  // struck steel bar in a resonator: clear, bell-like, soft
  MusicBox, // small bright tines
  Keys,     // mellow FM electric piano
  Pad,      // detuned, filtered, slow attack
  Kick,     // soft low thump
  Shaker,   // band-passed noise
  Tick,     // wooden clock tick (pitched by the note)
  Chime,    // glassy bright bell for effects
};

// Instrument names, for reports.
const char* InstrumentName(Instrument instrument);

struct Note {
  Instrument instrument = Instrument::Pluck;
  double start = 0;     // seconds
  double length = 0;    // seconds the note is held
  double pitch = 60;    // MIDI number
  float velocity = 0.8f;
  float pan = 0;        // -1 left .. 1 right
  float send = 0.2f;    // reverb send
  uint32_t seed = 1;    // noise seed, so that every build is identical
};

struct Song {
  std::string title;
  int rate = 44100;
  int channels = 2;
  double bpm = 100;
  int beatsPerBar = 4;
  int bars = 0;            // loop length in bars (looped pieces)
  bool loop = true;
  double lengthSeconds = 0; // total length of a one-shot
  float room = 0.6f;        // reverb size 0..1
  float damping = 0.5f;     // reverb high damping 0..1
  float wet = 0.3f;         // reverb return level
  double targetRmsDb = -19; // music is normalised to this RMS level
  bool normalisePeak = false; // effects: normalise the peak instead
  double ceilingDb = -1.5;  // nothing goes above this after normalising
  bool normalise = true;    // off only to weigh the parts of a mix against each other
  std::vector<Note> notes;

  double secondsPerBeat() const { return 60.0 / bpm; }
  size_t loopFrames() const;
};

struct Audio {
  int rate = 44100;
  int channels = 2;
  std::vector<float> samples;  // interleaved
  size_t frames() const { return samples.size() / channels; }
};

// Renders one note of its instrument, mono, from its start to its silence.
std::vector<float> RenderNote(const Note& note, int rate);

// Mixes, reverberates and normalises a whole song.
Audio RenderSong(const Song& song);

// Levels over all samples, in dB relative to full scale.
double PeakDb(const Audio& audio);
double RmsDb(const Audio& audio);

// Scales to the RMS target (or the peak to the ceiling) and bends the rare
// peaks above the ceiling softly under it.
void Normalise(Audio& audio, bool byPeak, double targetRmsDb, double ceilingDb);

// Writes OGG Vorbis; returns false with a message on failure. A looped
// piece is encoded after a lead-in taken from its own end (a one-shot after
// silence) that the decoder is told to drop, so that the codec starts the
// first sample with the context of what precedes it in the loop.
bool EncodeOgg(const Audio& audio, const std::string& path, float quality, const std::string& title,
               bool looped, std::string& error);

// Writes a 16-bit WAV file (for inspection only).
bool WriteWav(const Audio& audio, const std::string& path);

// Deterministic noise in [-1, 1].
struct Noise {
  uint32_t state;
  explicit Noise(uint32_t seed) : state(seed * 747796405u + 2891336453u) {}
  float next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(static_cast<int32_t>(state)) / 2147483648.0f;
  }
};

inline double MidiToHz(double midi) {
  return 440.0 * std::exp2((midi - 69.0) / 12.0);
}

}  // namespace synth
