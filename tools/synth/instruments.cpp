// The instruments: plucked strings (Karplus-Strong), struck bars and bells
// (sums of decaying sine modes), an FM electric piano, a band-limited
// wavetable pad and light percussion. Every voice is band-limited by
// construction: modes and harmonics above 0.45 of the sample rate are left
// out, and the string loop is a low-pass filter.
#include <algorithm>
#include <cmath>

#include "synth.h"

namespace synth {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// A decaying sine: frequency ratio to the note, level, and the time in
// seconds in which it falls to 1/e.
struct Mode {
  double ratio;
  double level;
  double decay;
};

// How a struck or plucked voice is stopped: `hold` seconds after the note's
// length it starts to fall with the time constant `tau` (0 = rings freely).
struct Damper {
  double hold = 0;
  double tau = 0;
};

size_t Frames(double seconds, int rate) {
  return static_cast<size_t>(std::max(0.0, seconds) * rate) + 1;
}

// Raised-cosine ramp over the first frames, so that no voice starts with a step.
void RampIn(std::vector<float>& s, double seconds, int rate) {
  size_t n = std::min(s.size(), Frames(seconds, rate));
  for (size_t i = 0; i < n; ++i)
    s[i] *= static_cast<float>(0.5 - 0.5 * std::cos(M_PI * i / n));
}

// Damping after the note's end, and a short fade at the very end of the buffer.
void ApplyDamper(std::vector<float>& s, const Damper& damper, double length, int rate) {
  if (damper.tau > 0) {
    size_t from = Frames(length + damper.hold, rate);
    double k = std::exp(-1.0 / (damper.tau * rate)), g = 1.0;
    for (size_t i = from; i < s.size(); ++i) s[i] *= static_cast<float>(g *= k);
  }
  size_t fade = std::min(s.size(), Frames(0.01, rate));
  for (size_t i = 0; i < fade; ++i)
    s[s.size() - 1 - i] *= static_cast<float>(i) / fade;
}

// How long a voice has to be kept: to -60 dB of its slowest part.
double RingSeconds(double decay, const Damper& damper, double length) {
  double free = 6.9 * decay;
  if (damper.tau > 0) free = std::min(free, length + damper.hold + 6.9 * damper.tau);
  return std::min(free, 12.0);
}

std::vector<float> RenderModes(const Note& note, const std::vector<Mode>& modes,
                               double attack, const Damper& damper, int rate) {
  double f = MidiToHz(note.pitch), longest = 0;
  for (const Mode& m : modes) longest = std::max(longest, m.decay);
  std::vector<float> out(Frames(RingSeconds(longest, damper, note.length), rate));
  for (const Mode& m : modes) {
    double w = kTwoPi * f * m.ratio / rate;
    if (f * m.ratio > std::min(0.45 * rate, 16000.0)) continue;  // nothing shrill, nothing aliased
    double d = std::exp(-1.0 / (m.decay * rate));
    double cr = d * std::cos(w), ci = d * std::sin(w);
    double re = m.level, im = 0;  // starts at phase 0: the voice starts silent
    size_t n = std::min(out.size(), Frames(6.9 * m.decay, rate));
    for (size_t i = 0; i < n; ++i) {
      out[i] += static_cast<float>(im);
      double t = re * cr - im * ci;
      im = re * ci + im * cr;
      re = t;
    }
  }
  RampIn(out, attack, rate);
  ApplyDamper(out, damper, note.length, rate);
  return out;
}

// The soft knock of a mallet: a few milliseconds of low-passed noise.
void AddKnock(std::vector<float>& out, const Note& note, double level, double cutoff, int rate) {
  Noise noise(note.seed);
  double a = std::exp(-kTwoPi * cutoff / rate), y = 0;
  size_t n = std::min(out.size(), Frames(0.006, rate));
  for (size_t i = 0; i < n; ++i) {
    y = (1 - a) * noise.next() + a * y;
    double env = std::sin(M_PI * i / n);
    out[i] += static_cast<float>(level * env * y);
  }
}

// Karplus-Strong: the shape of the plucked string circulating in a delay
// line tuned to the pitch, with an averaging low-pass and an all-pass for
// the fractional part. The pluck is a triangle (the string pulled aside at a
// fifth of its length) with a little noise, softened by a low-pass whose
// cutoff rises with the velocity; a triangle has far lower peaks than pure
// noise for the same loudness.
std::vector<float> RenderString(const Note& note, double t60, double brightness,
                                double release, double tone, int rate) {
  double f = MidiToHz(note.pitch);
  double period = rate / f - 0.5;  // the averager delays by half a sample
  size_t length = static_cast<size_t>(std::floor(period - 0.1));
  double frac = period - length;
  double ap = (1 - frac) / (1 + frac);
  double gain = std::pow(10.0, -3.0 / (t60 * f));
  double dampGain = std::pow(10.0, -3.0 / (release * f));

  std::vector<double> line(length);
  Noise noise(note.seed);
  const double pluckAt = 0.2 * length;
  for (size_t i = 0; i < length; ++i) {
    double shape = i < pluckAt ? i / pluckAt : (length - i) / (length - pluckAt);
    line[i] = shape + 0.25 * noise.next();
  }
  double lp = std::exp(-kTwoPi * (300 + 9000 * brightness * note.velocity) / rate), y = line[length - 1];
  for (int pass = 0; pass < 2; ++pass)  // two passes: a two-pole slope; the line is circular
    for (double& v : line) v = y = (1 - lp) * v + lp * y;
  double mean = 0, peak = 1e-9;
  for (double v : line) mean += v / length;
  for (double& v : line) peak = std::max(peak, std::fabs(v -= mean));
  for (double& v : line) v *= 0.5 / peak;

  size_t stop = Frames(note.length, rate);
  std::vector<float> out(Frames(std::min(note.length + release, t60) + 0.05, rate));
  double prev = 0, apIn = 0, apOut = 0, post = 0;
  double toneA = std::exp(-kTwoPi * tone / rate);
  size_t pos = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    double x = line[pos];
    double avg = 0.5 * (x + prev);
    prev = x;
    double a = ap * avg + apIn - ap * apOut;
    apIn = avg;
    apOut = a;
    line[pos] = a * (i < stop ? gain : dampGain);
    pos = pos + 1 == length ? 0 : pos + 1;
    post = (1 - toneA) * x + toneA * post;
    out[i] = static_cast<float>(post);
  }
  RampIn(out, 0.0015, rate);
  ApplyDamper(out, {}, note.length, rate);
  return out;
}

// Two-operator FM with a 1:1 ratio whose index falls after the strike: a
// mellow electric piano. Two voices a few cents apart give a gentle chorus.
std::vector<float> RenderKeys(const Note& note, int rate) {
  double f = MidiToHz(note.pitch);
  double decay = 1.8 * std::pow(262.0 / f, 0.35);
  Damper damper{0.05, 0.15};
  std::vector<float> out(Frames(RingSeconds(decay, damper, note.length), rate));
  for (double cents : {-3.0, 3.0}) {
    double w = kTwoPi * f * std::exp2(cents / 1200) / rate;
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
      double t = static_cast<double>(i) / rate;
      double index = note.velocity * (1.3 * std::exp(-t / 0.3) + 0.25);
      double env = std::exp(-t / decay);
      out[i] += static_cast<float>(0.5 * env * std::sin(phase + index * std::sin(phase)));
      phase += w;
    }
  }
  RampIn(out, 0.004, rate);
  ApplyDamper(out, damper, note.length, rate);
  return out;
}

// Three detuned band-limited oscillators with a soft spectrum, a slow attack
// and a long release.
std::vector<float> RenderPad(const Note& note, int rate) {
  double f = MidiToHz(note.pitch);
  const size_t kTable = 4096;
  std::vector<float> table(kTable + 1);
  int harmonics = std::min(14, static_cast<int>(0.42 * rate / (f * 1.01)));
  for (int k = 1; k <= harmonics; ++k) {
    double level = std::pow(0.72, k - 1) / k;
    for (size_t i = 0; i < kTable; ++i)
      table[i] += static_cast<float>(level * std::sin(kTwoPi * k * i / kTable));
  }
  table[kTable] = table[0];

  const double attack = 0.7, release = 0.8;
  std::vector<float> out(Frames(note.length + 6 * release, rate));
  Noise noise(note.seed);
  for (double cents : {-7.0, 0.0, 7.0}) {
    double step = f * std::exp2(cents / 1200) * kTable / rate;
    double pos = (0.5 + 0.5 * noise.next()) * kTable;
    for (size_t i = 0; i < out.size(); ++i) {
      size_t k = static_cast<size_t>(pos);
      double frac = pos - k;
      out[i] += static_cast<float>(0.33 * (table[k] + frac * (table[k + 1] - table[k])));
      pos += step;
      if (pos >= kTable) pos -= kTable;
    }
  }
  size_t rise = Frames(attack, rate), end = Frames(note.length, rate);
  double fall = std::exp(-1.0 / (release * rate)), level = 1.0;
  for (size_t i = 0; i < out.size(); ++i) {
    double env = i < rise ? 0.5 - 0.5 * std::cos(M_PI * i / rise) : 1.0;
    if (i >= end) env *= (level *= fall);
    out[i] *= static_cast<float>(env);
  }
  ApplyDamper(out, {}, note.length, rate);
  return out;
}

std::vector<float> RenderKick(const Note& note, int rate) {
  std::vector<float> out(Frames(0.5, rate));
  double phase = 0, base = 0.75 * MidiToHz(note.pitch);  // C2 -> 49 Hz
  for (size_t i = 0; i < out.size(); ++i) {
    double t = static_cast<double>(i) / rate;
    double f = base + 70 * std::exp(-t / 0.025);
    out[i] = static_cast<float>(std::sin(phase) * std::exp(-t / 0.14));
    phase += kTwoPi * f / rate;
  }
  RampIn(out, 0.002, rate);
  ApplyDamper(out, {}, 0.5, rate);
  return out;
}

// Noise through a band-pass (biquad), a short swell and a quick fall.
std::vector<float> RenderShaker(const Note& note, int rate) {
  double f0 = 6000, q = 0.9;
  double w = kTwoPi * f0 / rate, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
  double b0 = alpha / a0, b2 = -alpha / a0, a1 = -2 * std::cos(w) / a0, a2 = (1 - alpha) / a0;
  std::vector<float> out(Frames(0.16, rate));
  Noise noise(note.seed);
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double decay = 0.02 + 0.03 * note.length;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = static_cast<double>(i) / rate;
    double x = noise.next();
    double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    double env = (t < 0.008 ? t / 0.008 : std::exp(-(t - 0.008) / decay));
    out[i] = static_cast<float>(y * env);
  }
  ApplyDamper(out, {}, 0.16, rate);
  return out;
}

}  // namespace

const char* InstrumentName(Instrument instrument) {
  static const char* const kNames[] = {"pluck", "pizz",  "bass", "marimba", "celesta", "music box",
                                       "keys",  "pad",   "kick", "shaker",  "tick",    "chime"};
  return kNames[static_cast<int>(instrument)];
}

std::vector<float> RenderNote(const Note& note, int rate) {
  double f = MidiToHz(note.pitch);
  double bright = 0.4 + 0.6 * note.velocity;
  std::vector<float> out;
  switch (note.instrument) {
    case Instrument::Pluck:
      out = RenderString(note, 2.4 * std::pow(196.0 / f, 0.3), 0.55, 0.12, 5200, rate);
      break;
    case Instrument::Pizz:
      out = RenderString(note, 0.5 * std::pow(262.0 / f, 0.3), 0.45, 0.06, 4200, rate);
      break;
    case Instrument::Bass:
      out = RenderString(note, 2.0, 0.12, 0.09, 900, rate);
      break;
    case Instrument::Marimba: {
      double t = std::clamp(0.5 * std::sqrt(262.0 / f), 0.15, 1.0);
      out = RenderModes(note, {{1, 1, t}, {3.93, 0.28 * bright, t / 4.5}, {9.2, 0.06 * bright, t / 10}},
                        0.0015, {0.15, 0.12}, rate);
      AddKnock(out, note, 0.08 * note.velocity, 2500, rate);
      break;
    }
    case Instrument::Celesta: {
      double t = std::clamp(1.1 * std::pow(523.0 / f, 0.4), 0.3, 2.0);
      out = RenderModes(note, {{1, 1, t}, {2, 0.05, t * 0.3}, {4, 0.2 * bright, t * 0.1}, {9.9, 0.03 * bright, 0.02}},
                        0.001, {0.25, 0.35}, rate);
      break;
    }
    case Instrument::MusicBox: {
      double t = std::clamp(0.8 * std::pow(784.0 / f, 0.4), 0.25, 1.5);
      out = RenderModes(note, {{1, 1, t}, {6.27, 0.18 * bright, t / 7}, {17.55, 0.04 * bright, t / 20}},
                        0.0008, {}, rate);
      break;
    }
    case Instrument::Keys:
      out = RenderKeys(note, rate);
      break;
    case Instrument::Pad:
      out = RenderPad(note, rate);
      break;
    case Instrument::Kick:
      out = RenderKick(note, rate);
      break;
    case Instrument::Shaker:
      out = RenderShaker(note, rate);
      break;
    case Instrument::Tick:
      out = RenderModes(note, {{1, 1, 0.02}, {2.41, 0.45, 0.011}, {3.93, 0.2, 0.006}}, 0.0006, {}, rate);
      AddKnock(out, note, 0.25, 6000, rate);
      break;
    case Instrument::Chime:
      out = RenderModes(note, {{1, 1, 0.18}, {2.0, 0.4, 0.12}, {3.0, 0.22, 0.08}, {4.16, 0.14, 0.05}, {5.43, 0.08, 0.03}},
                        0.0015, {}, rate);
      break;
  }
  // The strings' noise bursts are quieter than the bars' strikes; these
  // gains bring a note of each instrument at full velocity to a like level.
  static const float kGain[] = {3.5f, 7.5f, 3.6f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
  float gain = note.velocity * kGain[static_cast<int>(note.instrument)];
  for (float& v : out) v *= gain;
  return out;
}

}  // namespace synth
