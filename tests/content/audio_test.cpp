// The shipped music and effects: decodable at the mixer's rate, under full
// scale; music long, evenly loud and seamless in its loop; effects short and quiet at their ends.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "content_support.h"

namespace {

const char* const Music[] = {"music1.ogg", "music2.ogg", "music3.ogg"};
const char* const Jingle = "points_ticker_bonus_score_reward_jingle_01.ogg";
const char* const Match = "collect_item_14.ogg";

struct Pcm {
    int rate = 0, channels = 0;
    std::vector<float> samples;  // interleaved, -1..1
    size_t frames() const { return channels ? samples.size() / channels : 0; }
    double seconds() const { return rate ? double(frames()) / rate : 0; }
    float at(size_t frame, int channel) const { return samples[frame * channels + channel]; }
};

// The whole member decoded to 16-bit PCM, as the game loads its sounds.
Pcm DecodeMember(const std::string& member)
{
    Pcm pcm;
    std::vector<uint8_t> bytes = Member(member);
    FILE* file = bytes.empty() ? nullptr : fmemopen(bytes.data(), bytes.size(), "rb");
    OggVorbis_File ogg;
    if (!file || ov_open(file, &ogg, nullptr, 0) != 0)
        return pcm;
    pcm.rate = int(ov_info(&ogg, -1)->rate);
    pcm.channels = ov_info(&ogg, -1)->channels;
    short buffer[4096];
    int section = 0;
    for (long got; (got = ov_read(&ogg, reinterpret_cast<char*>(buffer), sizeof buffer, 0, 2, 1, &section)) > 0;)
        for (long i = 0; i < got / 2; ++i)
            pcm.samples.push_back(buffer[i] / 32768.0f);
    ov_clear(&ogg);
    return pcm;
}

double Db(double amplitude)
{
    return 20 * std::log10(std::max(amplitude, 1e-9));
}

// How the join from the last frame back to the first compares with the
// piece's own motion, per channel: the step across the join against the
// 99.9th percentile of all steps, the change of slope at the join against
// that of all slope changes. Under 1: no rougher than the music itself.
std::pair<double, double> Seam(const Pcm& pcm)
{
    double step = 0, bend = 0;
    const long n = long(pcm.frames());
    for (int c = 0; c < pcm.channels; ++c) {
        const auto x = [&](long i) { return double(pcm.at(size_t((i % n + n) % n), c)); };
        std::vector<double> steps, bends;
        for (long i = 0; i + 2 < n; ++i) {
            steps.push_back(std::fabs(x(i + 1) - x(i)));
            bends.push_back(std::fabs(x(i + 2) - 2 * x(i + 1) + x(i)));
        }
        const auto percentile = [](std::vector<double>& v) {
            std::nth_element(v.begin(), v.begin() + long(v.size() * 999 / 1000), v.end());
            return v[v.size() * 999 / 1000];
        };
        step = std::max(step, std::fabs(x(0) - x(-1)) / percentile(steps));
        bend = std::max(bend, std::max(std::fabs(x(0) - 2 * x(-1) + x(-2)), std::fabs(x(1) - 2 * x(0) + x(-1))) /
                                  percentile(bends));
    }
    return {step, bend};
}

TEST(Audio, LevelsLengthsAndLoopSeams)
{
    double loudest = -1e9, quietest = 1e9;
    for (const char* member : {Music[0], Music[1], Music[2], Jingle, Match}) {
        SCOPED_TRACE(member);
        const Pcm pcm = DecodeMember(member);
        ASSERT_GT(pcm.frames(), 0u) << "missing, too big for its buffer or undecodable";
        EXPECT_EQ(pcm.rate, 44100);  // the mixer's rate: nothing to resample at start-up
        float peak = 0;
        double sum = 0;
        for (float v : pcm.samples) {
            peak = std::max(peak, std::fabs(v));
            sum += double(v) * v;
        }
        EXPECT_LT(Db(peak), -0.5);
        if (member == Jingle || member == Match) {
            EXPECT_TRUE(member == Jingle ? pcm.seconds() >= 1.5 && pcm.seconds() <= 3.0 : pcm.seconds() >= 0.2 && pcm.seconds() < 1.0);
            for (int c = 0; c < pcm.channels; ++c)
                EXPECT_LT(std::fabs(pcm.at(0, c)) + std::fabs(pcm.at(pcm.frames() - 1, c)), 0.04f);
            if (member == Match) {
                EXPECT_GT(Db(peak), -4.0) << "played at a quarter of full volume, it has to be loud";
            }
            continue;
        }
        EXPECT_EQ(pcm.channels, 2);
        EXPECT_TRUE(pcm.seconds() >= 55 && pcm.seconds() <= 100) << pcm.seconds();
        const double rms = 10 * std::log10(sum / pcm.samples.size());
        EXPECT_GT(rms, -26.0) << "a near-silent placeholder";
        loudest = std::max(loudest, rms);
        quietest = std::min(quietest, rms);
        const auto [step, bend] = Seam(pcm);
        EXPECT_LT(step, 1.0);
        EXPECT_LT(bend, 1.0);
        std::printf("%s: join step %.2f, bend %.2f of the 99.9th percentile\n", member, step, bend);
    }
    EXPECT_LT(loudest - quietest, 3.0);
}

}  // namespace
