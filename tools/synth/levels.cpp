// Level measurement and normalisation.
#include <algorithm>
#include <cmath>

#include "synth.h"

namespace synth {

double PeakDb(const Audio& audio) {
  float peak = 0;
  for (float v : audio.samples) peak = std::max(peak, std::fabs(v));
  return 20 * std::log10(std::max(peak, 1e-9f));
}

double RmsDb(const Audio& audio) {
  double sum = 0;
  for (float v : audio.samples) sum += static_cast<double>(v) * v;
  return 10 * std::log10(std::max(sum / std::max<size_t>(audio.samples.size(), 1), 1e-18));
}

void Normalise(Audio& audio, bool byPeak, double targetRmsDb, double ceilingDb) {
  double gainDb = byPeak ? ceilingDb - PeakDb(audio) : targetRmsDb - RmsDb(audio);
  float gain = static_cast<float>(std::pow(10.0, gainDb / 20));
  // Above the knee the curve bends towards the ceiling and never reaches it.
  float ceiling = static_cast<float>(std::pow(10.0, ceilingDb / 20));
  float knee = ceiling * 0.63f;  // 4 dB under the ceiling
  for (float& v : audio.samples) {
    float x = v * gain, a = std::fabs(x);
    if (a > knee) a = knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee));
    v = std::copysign(a, x);
  }
}

}  // namespace synth
