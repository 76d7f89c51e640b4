// The music and effects made by the synthesiser at build time, as they ship
// in the game's archive: each decodes
// with libvorbisfile (as the game decodes it), stays under full scale and
// under the archive's size limit for a sound; the three music pieces are
// long enough, about equally loud and loop without a click; the jingle and
// the match chime have their lengths.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>

#include "assets/data_archive.h"
#include <string>
#include <vector>

namespace {

const std::string kArchive = std::string(MORVANE_GAME_DIR) + "/Morvane.data";
const char* const kMusic[] = {"music1.ogg", "music2.ogg", "music3.ogg"};
const char* const kJingle = "points_ticker_bonus_score_reward_jingle_01.ogg";
const char* const kMatch = "collect_item_14.ogg";
constexpr uintmax_t kLargestSound = 15728640;

struct Pcm {
  bool ok = false;
  int rate = 0;
  int channels = 0;
  std::vector<float> samples;  // interleaved, -1..1
  double cpuSeconds = 0;       // time spent decoding

  size_t frames() const { return channels ? samples.size() / channels : 0; }
  double seconds() const { return rate ? static_cast<double>(frames()) / rate : 0; }
  float at(size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

// A member's bytes from the game's archive; empty when it is not there.
std::vector<uint8_t> MemberBytes(const std::string& member) {
  DataArchive archive;
  std::vector<uint8_t> bytes;
  if (!OpenDataArchive(archive, kArchive)) return bytes;
  uint64_t size = 0;
  if (FindMember(archive, member, &size) && size > 0 && size <= kLargestSound) {
    bytes.resize(static_cast<size_t>(size));
    bytes.resize(ExtractMember(archive, bytes.data(), bytes.size(), member));
  }
  CloseDataArchive(archive);
  return bytes;
}

// Reading OGG bytes held in memory, as the game does.
struct MemoryOgg {
  const std::vector<uint8_t>* bytes = nullptr;
  size_t at = 0;
};

size_t ReadMemory(void* out, size_t size, size_t count, void* source) {
  auto* memory = static_cast<MemoryOgg*>(source);
  const size_t left = memory->bytes->size() - memory->at;
  const size_t wanted = std::min(left, size * count);
  std::copy_n(memory->bytes->data() + memory->at, wanted, static_cast<uint8_t*>(out));
  memory->at += wanted;
  return size ? wanted / size : 0;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* memory = static_cast<MemoryOgg*>(source);
  const ogg_int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<ogg_int64_t>(memory->at)
                                                                       : static_cast<ogg_int64_t>(memory->bytes->size());
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(memory->bytes->size())) return -1;
  memory->at = static_cast<size_t>(target);
  return 0;
}

long TellMemory(void* source) {
  return static_cast<long>(static_cast<MemoryOgg*>(source)->at);
}

// Decodes the whole member to 16-bit PCM, the way the game loads its sounds.
Pcm DecodeFile(const std::string& member) {
  Pcm pcm;
  const std::vector<uint8_t> bytes = MemberBytes(member);
  if (bytes.empty()) return pcm;
  std::clock_t began = std::clock();
  MemoryOgg memory{&bytes, 0};
  const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
  OggVorbis_File file;
  if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return pcm;
  vorbis_info* info = ov_info(&file, -1);
  pcm.rate = static_cast<int>(info->rate);
  pcm.channels = info->channels;
  std::vector<short> buffer(4096);
  int section = 0;
  long got = 0;
  while ((got = ov_read(&file, reinterpret_cast<char*>(buffer.data()), 8192, 0, 2, 1, &section)) > 0)
    pcm.samples.insert(pcm.samples.end(), buffer.begin(), buffer.begin() + got / 2);
  for (float& v : pcm.samples) v /= 32768.0f;
  ov_clear(&file);
  pcm.ok = got == 0 && !pcm.samples.empty();
  pcm.cpuSeconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
  return pcm;
}

// Each member is decoded once for all the tests.
const Pcm& Decode(const std::string& member) {
  static std::map<std::string, Pcm> decoded;
  auto found = decoded.find(member);
  if (found == decoded.end()) found = decoded.emplace(member, DecodeFile(member)).first;
  return found->second;
}

double PeakDb(const Pcm& pcm) {
  float peak = 1e-9f;
  for (float v : pcm.samples) peak = std::max(peak, std::fabs(v));
  return 20 * std::log10(peak);
}

double RmsDb(const Pcm& pcm) {
  double sum = 1e-18;
  for (float v : pcm.samples) sum += static_cast<double>(v) * v;
  return 10 * std::log10(sum / std::max<size_t>(pcm.samples.size(), 1));
}

double Percentile(std::vector<double> values, double fraction) {
  size_t k = std::min(values.size() - 1, static_cast<size_t>(fraction * values.size()));
  std::nth_element(values.begin(), values.begin() + static_cast<long>(k), values.end());
  return values[k];
}

// How the join from the last frame back to the first compares with the
// piece's own motion, per channel: the step across the join against the
// 99.9th percentile of all steps, and the change of slope at the join
// against the 99.9th percentile of all slope changes. Ratios under 1 mean
// the join is no rougher than the music itself.
struct Seam {
  double step = 0;
  double bend = 0;
};

Seam MeasureSeam(const Pcm& pcm) {
  Seam worst;
  const size_t n = pcm.frames();
  for (int c = 0; c < pcm.channels; ++c) {
    auto x = [&](long i) { return static_cast<double>(pcm.at(static_cast<size_t>((i % static_cast<long>(n) + n) % n), c)); };
    std::vector<double> steps, bends;
    for (size_t i = 0; i + 2 < n; ++i) {
      steps.push_back(std::fabs(x(i + 1) - x(i)));
      bends.push_back(std::fabs(x(i + 2) - 2 * x(i + 1) + x(i)));
    }
    double step = std::fabs(x(0) - x(-1)) / Percentile(steps, 0.999);
    double bend = std::max(std::fabs(x(0) - 2 * x(-1) + x(-2)), std::fabs(x(1) - 2 * x(0) + x(-1))) /
                  Percentile(bends, 0.999);
    worst.step = std::max(worst.step, step);
    worst.bend = std::max(worst.bend, bend);
  }
  return worst;
}

Pcm Tone(double hz, double seconds, double phase) {
  Pcm pcm;
  pcm.ok = true;
  pcm.rate = 44100;
  pcm.channels = 1;
  for (int i = 0; i < static_cast<int>(seconds * pcm.rate); ++i)
    pcm.samples.push_back(static_cast<float>(0.5 * std::sin(phase + 2 * M_PI * hz * i / pcm.rate)));
  return pcm;
}

TEST(Audio, EveryMemberIsThereDecodesAndFitsTheArchive) {
  for (const char* member : {kMusic[0], kMusic[1], kMusic[2], kJingle, kMatch}) {
    SCOPED_TRACE(member);
    const std::vector<uint8_t> bytes = MemberBytes(member);
    ASSERT_FALSE(bytes.empty());
    EXPECT_LT(bytes.size(), kLargestSound);
    const Pcm& pcm = Decode(member);
    ASSERT_TRUE(pcm.ok);
    EXPECT_EQ(pcm.rate, 44100);  // the mixer's rate: nothing to resample at start-up
  }
  for (const char* member : kMusic) EXPECT_EQ(Decode(member).channels, 2) << member;
}

TEST(Audio, NothingReachesFullScale) {
  for (const char* member : {kMusic[0], kMusic[1], kMusic[2], kJingle, kMatch}) {
    const Pcm& pcm = Decode(member);
    ASSERT_TRUE(pcm.ok) << member;
    EXPECT_LT(PeakDb(pcm), -0.5) << member;
  }
}

TEST(Audio, MusicIsLongEvenlyLoudAndQuickToDecode) {
  // All three are decoded whole at start-up, so together they have to
  // decode quickly (about a third of a second on a busy two-core machine).
  double loudest = -1e9, quietest = 1e9, decoding = 0;
  for (const char* member : kMusic) {
    const Pcm& pcm = Decode(member);
    ASSERT_TRUE(pcm.ok) << member;
    EXPECT_GE(pcm.seconds(), 55.0) << member;
    EXPECT_LE(pcm.seconds(), 100.0) << member;
    double rms = RmsDb(pcm);
    EXPECT_GT(rms, -26.0) << member;  // not a near-silent placeholder
    loudest = std::max(loudest, rms);
    quietest = std::min(quietest, rms);
    decoding += pcm.cpuSeconds;
  }
  EXPECT_LT(loudest - quietest, 3.0);
  EXPECT_LT(decoding, 1.5);
  RecordProperty("music_decode_cpu_seconds", std::to_string(decoding));
}

TEST(Audio, SeamCheckFlagsABrokenLoopAndPassesAWholeOne) {
  // 441 Hz repeats every 100 frames: a one-second loop of it is whole; a
  // loop 25 frames short ends a quarter cycle early and jumps. (The phase
  // keeps the join off the sine's steepest and most curved points.)
  Seam whole = MeasureSeam(Tone(441, 1.0, 1.0));
  EXPECT_LT(whole.step, 1.0);
  EXPECT_LT(whole.bend, 1.0);
  Pcm broken = Tone(441, 1.0, 1.0);
  broken.samples.resize(broken.samples.size() - 25);
  EXPECT_GT(MeasureSeam(broken).step, 1.0);
}

TEST(Audio, MusicLoopsWithoutAClick) {
  for (const char* member : kMusic) {
    const Pcm& pcm = Decode(member);
    ASSERT_TRUE(pcm.ok) << member;
    Seam seam = MeasureSeam(pcm);
    EXPECT_LT(seam.step, 1.0) << member;
    EXPECT_LT(seam.bend, 1.0) << member;
    std::printf("%s: join step %.2f, bend %.2f of the 99.9th percentile\n", member, seam.step, seam.bend);
  }
}

TEST(Audio, EffectsHaveTheirLengthsAndStartAndEndQuietly) {
  const Pcm &jingle = Decode(kJingle), &match = Decode(kMatch);
  ASSERT_TRUE(jingle.ok);
  ASSERT_TRUE(match.ok);
  EXPECT_GE(jingle.seconds(), 1.5);
  EXPECT_LE(jingle.seconds(), 3.0);
  EXPECT_GE(match.seconds(), 0.2);
  EXPECT_LT(match.seconds(), 1.0);
  // The match is played at a quarter of full volume: it has to be loud.
  EXPECT_GT(PeakDb(match), -4.0);
  for (const Pcm* pcm : {&jingle, &match})
    for (int c = 0; c < pcm->channels; ++c) {
      EXPECT_LT(std::fabs(pcm->at(0, c)), 0.02f);
      EXPECT_LT(std::fabs(pcm->at(pcm->frames() - 1, c)), 0.02f);
    }
}

}  // namespace
