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

// The dry mix and the reverb send of a song, before the room.
struct Mix {
  std::vector<float> left, right, send;
};

// Renders every note and adds it into the mix at its place and pan. A loop
// wraps what rings past its end round into its beginning.
Mix PlaceNotes(const Song& song, size_t n) {
  Mix mix{std::vector<float>(n), std::vector<float>(n), std::vector<float>(n)};
  const size_t predelay = static_cast<size_t>(0.02 * song.rate);
  // A loop begins a little before its first downbeat, so that the loop
  // point lies in the ringing of the last bar and not on an attack, which
  // the codec would blur across the join; a one-shot begins with a few
  // milliseconds of silence, so that its first sample is silent too.
  const size_t lead = static_cast<size_t>((song.loop ? 0.025 : 0.006) * song.rate);
  for (const Note& note : song.notes) {
    std::vector<float> voice = RenderNote(note, song.rate);
    double angle = (std::clamp(note.pan, -1.0f, 1.0f) + 1) * M_PI / 4;
    float gl = static_cast<float>(std::cos(angle)), gr = static_cast<float>(std::sin(angle));
    size_t at = static_cast<size_t>(std::llround(note.start * song.rate)) + lead, wet = at + predelay;
    if (song.loop) {
      at %= n;
      wet %= n;
    }
    for (size_t i = 0; i < voice.size(); ++i, ++at) {
      if (at >= n) {
        if (!song.loop) break;
        at = 0;
      }
      if (wet >= n) wet = song.loop ? 0 : n;
      mix.left[at] += voice[i] * gl;
      mix.right[at] += voice[i] * gr;
      if (wet < n) mix.send[wet++] += voice[i] * note.send;
    }
  }
  return mix;
}

// Adds the room's answer to the send, and takes out any DC.
void AddRoom(const Song& song, Mix& mix) {
  const size_t n = mix.send.size();
  std::vector<float> wetLeft(n), wetRight(n);
  Room roomLeft(song.rate, song.room, song.damping, 0), roomRight(song.rate, song.room, song.damping, 23);
  RunFilter(mix.send, wetLeft, song.loop, [&](float x) { return roomLeft.process(x * 0.015f); });
  RunFilter(mix.send, wetRight, song.loop, [&](float x) { return roomRight.process(x * 0.015f); });
  for (size_t i = 0; i < n; ++i) {
    mix.left[i] += song.wet * wetLeft[i];
    mix.right[i] += song.wet * wetRight[i];
  }
  BlockDc(mix.left, song.rate, song.loop);
  BlockDc(mix.right, song.rate, song.loop);
}

// Interleaves (or folds to mono); a one-shot's last 50 ms fade out.
Audio Output(const Song& song, const Mix& mix) {
  const size_t n = mix.left.size();
  const int channels = song.channels;
  Audio audio;
  audio.rate = song.rate;
  audio.channels = channels;
  audio.samples.resize(n * channels);
  for (size_t i = 0; i < n; ++i) {
    if (channels == 1) {
      audio.samples[i] = static_cast<float>((mix.left[i] + mix.right[i]) * M_SQRT1_2);
    } else {
      audio.samples[2 * i] = mix.left[i];
      audio.samples[2 * i + 1] = mix.right[i];
    }
  }
  if (!song.loop) {
    size_t fade = std::min(n, static_cast<size_t>(0.05 * song.rate));
    for (size_t i = 0; i < fade; ++i)
      for (int c = 0; c < channels; ++c) audio.samples[(n - 1 - i) * channels + c] *= static_cast<float>(i) / fade;
  }
  return audio;
}

}  // namespace

Audio RenderSong(const Song& song) {
  const size_t n = song.loop ? song.loopFrames() : static_cast<size_t>(song.lengthSeconds * song.rate);
  Mix mix = PlaceNotes(song, n);
  AddRoom(song, mix);
  Audio audio = Output(song, mix);
  if (song.normalise) Normalise(audio, song.normalisePeak, song.targetRmsDb, song.ceilingDb);
  return audio;
}

}  // namespace synth
