// The mix: every note rendered and placed (looped pieces wrap around the
// loop point), a Freeverb-style room on the send, a DC blocker, loudness
// normalisation and a soft ceiling.
#include <algorithm>
#include <array>
#include <cmath>

#include "synth.h"

namespace synth {

size_t Song::loopFrames() const {
  return static_cast<size_t>(std::llround(bars * beatsPerBar * secondsPerBeat() * rate));
}

namespace {

// Eight damped feedback combs in parallel and four all-passes in series per
// channel (the right channel's delays are slightly longer, for width).
class Room {
 public:
  Room(int rate, float size, float damping, int spread) {
    const std::array<int, 8> combs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const std::array<int, 4> allpasses = {556, 441, 341, 225};
    double scale = rate / 44100.0;
    for (int i = 0; i < 8; ++i) combs_[i].line.assign(static_cast<size_t>((combs[i] + spread) * scale), 0.0f);
    for (int i = 0; i < 4; ++i) allpasses_[i].line.assign(static_cast<size_t>((allpasses[i] + spread) * scale), 0.0f);
    feedback_ = 0.7f + 0.28f * size;
    damp_ = 0.4f * damping;
  }

  float process(float in) {
    float sum = 0;
    for (Comb& c : combs_) {
      float out = c.line[c.pos];
      c.store = out * (1 - damp_) + c.store * damp_;
      c.line[c.pos] = in + c.store * feedback_;
      if (++c.pos == c.line.size()) c.pos = 0;
      sum += out;
    }
    for (Allpass& a : allpasses_) {
      float buffered = a.line[a.pos];
      a.line[a.pos] = sum + buffered * 0.5f;
      if (++a.pos == a.line.size()) a.pos = 0;
      sum = buffered - sum;
    }
    return sum;
  }

 private:
  struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0;
  };
  struct Allpass {
    std::vector<float> line;
    size_t pos = 0;
  };
  std::array<Comb, 8> combs_;
  std::array<Allpass, 4> allpasses_;
  float feedback_ = 0.8f, damp_ = 0.2f;
};

// Runs a stateful filter over a buffer. For a loop it runs over the buffer
// twice and keeps the second pass, so that the filter's state at the start
// is the state the end of the loop leaves behind: the output is periodic.
template <typename Filter>
void RunFilter(const std::vector<float>& in, std::vector<float>& out, bool cyclic, Filter&& filter) {
  if (cyclic)
    for (float v : in) filter(v);
  for (size_t i = 0; i < in.size(); ++i) out[i] = filter(in[i]);
}

void BlockDc(std::vector<float>& s, int rate, bool cyclic) {
  double r = 1.0 - 2 * M_PI * 15.0 / rate, x1 = 0, y1 = 0;
  std::vector<float> out(s.size());
  RunFilter(s, out, cyclic, [&](float x) {
    y1 = x - x1 + r * y1;
    x1 = x;
    return static_cast<float>(y1);
  });
  s.swap(out);
}

}  // namespace

Audio RenderSong(const Song& song) {
  const int rate = song.rate;
  const bool loop = song.loop;
  const size_t n = loop ? song.loopFrames() : static_cast<size_t>(song.lengthSeconds * rate);
  std::vector<float> left(n), right(n), send(n);
  const size_t predelay = static_cast<size_t>(0.02 * rate);
  // A loop begins a little before its first downbeat, so that the loop
  // point lies in the ringing of the last bar and not on an attack, which
  // the codec would blur across the join; a one-shot begins with a few
  // milliseconds of silence, so that its first sample is silent too.
  const size_t lead = static_cast<size_t>((loop ? 0.025 : 0.006) * rate);

  for (const Note& note : song.notes) {
    std::vector<float> voice = RenderNote(note, rate);
    double angle = (std::clamp(note.pan, -1.0f, 1.0f) + 1) * M_PI / 4;
    float gl = static_cast<float>(std::cos(angle)), gr = static_cast<float>(std::sin(angle));
    size_t at = static_cast<size_t>(std::llround(note.start * rate)) + lead, wet = at + predelay;
    if (loop) {
      at %= n;
      wet %= n;
    }
    for (size_t i = 0; i < voice.size(); ++i) {
      if (at >= n) {
        if (!loop) break;
        at = 0;
      }
      if (wet >= n) wet = loop ? 0 : n;
      left[at] += voice[i] * gl;
      right[at] += voice[i] * gr;
      if (wet < n) send[wet++] += voice[i] * note.send;
      ++at;
    }
  }

  std::vector<float> wetLeft(n), wetRight(n);
  Room roomLeft(rate, song.room, song.damping, 0), roomRight(rate, song.room, song.damping, 23);
  RunFilter(send, wetLeft, loop, [&](float x) { return roomLeft.process(x * 0.015f); });
  RunFilter(send, wetRight, loop, [&](float x) { return roomRight.process(x * 0.015f); });
  for (size_t i = 0; i < n; ++i) {
    left[i] += song.wet * wetLeft[i];
    right[i] += song.wet * wetRight[i];
  }
  BlockDc(left, rate, loop);
  BlockDc(right, rate, loop);

  Audio audio;
  audio.rate = rate;
  audio.channels = song.channels;
  audio.samples.resize(n * song.channels);
  for (size_t i = 0; i < n; ++i) {
    if (song.channels == 1) {
      audio.samples[i] = static_cast<float>((left[i] + right[i]) * M_SQRT1_2);
    } else {
      audio.samples[2 * i] = left[i];
      audio.samples[2 * i + 1] = right[i];
    }
  }
  if (!loop) {
    size_t fade = std::min(n, static_cast<size_t>(0.05 * rate));
    for (size_t i = 0; i < fade; ++i)
      for (int c = 0; c < song.channels; ++c)
        audio.samples[(n - 1 - i) * song.channels + c] *= static_cast<float>(i) / fade;
  }
  if (song.normalise) Normalise(audio, song.normalisePeak, song.targetRmsDb, song.ceilingDb);
  return audio;
}

}  // namespace synth
