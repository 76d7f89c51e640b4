// Note names, chord symbols, voicings and the melody notation.
#include "score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace synth {
namespace {

// "C", "F#", "Bb" at the front of `text` -> pitch class; `used` gets the length.
int ParsePitchClass(std::string_view text, size_t& used) {
  static const int kNatural[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (text.empty() || text[0] < 'A' || text[0] > 'G')
    throw std::runtime_error("not a note name: " + std::string(text));
  int pc = kNatural[text[0] - 'A'];
  used = 1;
  if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
    pc += text[1] == '#' ? 1 : -1;
    used = 2;
  }
  return (pc + 12) % 12;
}

// Words separated by blanks; a bar line is a word of its own even when a
// neighbour touches it.
std::vector<std::string_view> Split(std::string_view text) {
  std::vector<std::string_view> tokens;
  size_t i = 0;
  auto blank = [&](size_t at) { return std::isspace(static_cast<unsigned char>(text[at])) != 0; };
  while (i < text.size()) {
    while (i < text.size() && blank(i)) ++i;
    size_t start = i;
    if (i < text.size() && text[i] == '|') ++i;
    else
      while (i < text.size() && !blank(i) && text[i] != '|') ++i;
    if (i > start) tokens.push_back(text.substr(start, i - start));
  }
  return tokens;
}

}  // namespace

int ParsePitch(std::string_view name) {
  size_t used = 0;
  int pc = ParsePitchClass(name, used);
  std::string octave(name.substr(used));
  if (octave.empty() || octave.find_first_not_of("0123456789") != std::string::npos)
    throw std::runtime_error("no octave in note: " + std::string(name));
  // B#/Cb belong to the octave their letter names.
  int letterPc = ParsePitchClass(name.substr(0, 1), used);
  int octaveShift = (letterPc == 0 && pc == 11) ? -1 : (letterPc == 11 && pc == 0) ? 1 : 0;
  return 12 * (std::stoi(octave) + 1 + octaveShift) + pc;
}

Chord ParseChord(std::string_view symbol) {
  static const struct {
    const char* name;
    std::vector<int> intervals;
  } kQualities[] = {
      {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
      {"maj7", {0, 4, 7, 11}},  {"m7", {0, 3, 7, 10}},     {"sus4", {0, 5, 7}},
      {"sus2", {0, 2, 7}},      {"7sus4", {0, 5, 7, 10}},  {"add9", {0, 4, 7, 14}},
      {"6", {0, 4, 7, 9}},      {"9", {0, 4, 7, 10, 14}},  {"maj9", {0, 4, 7, 11, 14}},
      {"m9", {0, 3, 7, 10, 14}}, {"dim", {0, 3, 6}},       {"madd9", {0, 3, 7, 14}},
  };
  Chord chord;
  size_t used = 0;
  chord.root = ParsePitchClass(symbol, used);
  size_t slash = symbol.find('/');
  std::string_view quality = symbol.substr(used, slash == std::string_view::npos ? std::string_view::npos : slash - used);
  bool known = false;
  for (const auto& q : kQualities)
    if (quality == q.name) {
      chord.intervals = q.intervals;
      known = true;
    }
  if (!known) throw std::runtime_error("unknown chord: " + std::string(symbol));
  chord.bass = chord.root;
  if (slash != std::string_view::npos) chord.bass = ParsePitchClass(symbol.substr(slash + 1), used);
  return chord;
}

std::vector<int> Voicing(const Chord& chord, int low, int count) {
  std::vector<int> notes;
  for (int pitch = low; static_cast<int>(notes.size()) < count; ++pitch)
    for (int interval : chord.intervals)
      if ((pitch - chord.root - interval) % 12 == 0) {
        notes.push_back(pitch);
        break;
      }
  return notes;
}

std::vector<int> VoicingNear(const Chord& chord, int centre, int count) {
  std::vector<int> best;
  double distance = 1e9;
  for (int low = centre - 14; low <= centre; ++low) {
    std::vector<int> v = Voicing(chord, low, count);
    double mean = 0;
    for (int p : v) mean += p;
    mean /= count;
    if (std::fabs(mean - centre) < distance) {
      distance = std::fabs(mean - centre);
      best = v;
    }
  }
  return best;
}

int BassNote(const Chord& chord, int low) {
  int pitch = low;
  while (((pitch - chord.bass) % 12 + 12) % 12 != 0) ++pitch;
  return pitch;
}

void Score::Add(const Part& part, double beat, double beats, double pitch, float accent) {
  Note note;
  note.instrument = part.instrument;
  double jitter = 0.004 * noise_.next();
  note.start = std::max(0.0, beat * song_.secondsPerBeat() + jitter);
  note.length = beats * song_.secondsPerBeat();
  note.pitch = pitch + part.transpose;
  note.velocity = std::clamp(part.velocity * accent * (1.0f + 0.06f * noise_.next()), 0.0f, 1.0f);
  note.pan = part.pan;
  note.send = part.send;
  note.seed = seed_++;
  song_.notes.push_back(note);
}

double Score::Melody(const Part& part, double beat, std::string_view text, double unit) {
  double barStart = beat;
  for (std::string_view token : Split(text)) {
    if (token == "|") {
      double bar = song_.beatsPerBar;
      if (std::fabs(beat - barStart - bar) > 1e-6)
        throw std::runtime_error("bar of " + std::to_string(beat - barStart) + " beats before: " +
                                 std::string(text.substr(0, 60)));
      barStart = beat;
      continue;
    }
    float accent = 1.0f;
    double gate = part.gate;
    while (!token.empty() && (token.back() == '>' || token.back() == '.')) {
      if (token.back() == '>') accent = 1.2f;
      if (token.back() == '.') gate = 0.35;
      token.remove_suffix(1);
    }
    double units = 1;
    size_t colon = token.find(':');
    if (colon != std::string_view::npos) {
      units = std::stod(std::string(token.substr(colon + 1)));
      token = token.substr(0, colon);
    }
    double beats = units * unit;
    if (token != "r") Add(part, beat, beats * gate, ParsePitch(token), accent);
    beat += beats;
  }
  return beat;
}

std::vector<ChordSpan> Score::Chords(double beat, std::string_view text) const {
  std::vector<ChordSpan> spans;
  std::vector<std::string_view> bar;
  auto flush = [&]() {
    if (bar.empty()) return;
    double each = static_cast<double>(song_.beatsPerBar) / bar.size();
    for (std::string_view symbol : bar) {
      spans.push_back({ParseChord(symbol), beat, each});
      beat += each;
    }
    bar.clear();
  };
  for (std::string_view token : Split(text)) {
    if (token == "|") flush();
    else bar.push_back(token);
  }
  flush();
  return spans;
}

}  // namespace synth
