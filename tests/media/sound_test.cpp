// Sound on the real mixer (dummy audio driver: time runs, nothing is heard).
#include <algorithm>
#include <chrono>
#include <thread>

#include <SDL.h>

#include "media_support.h"

namespace {

void Wait(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class Sound : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(initSound(), 0);
        ASSERT_NE(loadSound(0, longTone.data(), longTone.size()), 0);
        ASSERT_NE(loadSound(4, shortTone.data(), shortTone.size()), 0);
    }
    void TearDown() override { releaseMedia(); }
    // The loudest sample mixed over the next `ms`.
    static int PeakOver(int ms)
    {
        Wait(100);  // a buffer in flight
        soundMixPeak();
        Wait(ms);
        return soundMixPeak();
    }
    const std::vector<uint8_t> longTone = MakeToneOgg(4.0), shortTone = MakeToneOgg(0.15);
    static constexpr int Heard = 8000;  // the tones peak at half of full scale
};

TEST_F(Sound, ChannelsBelongToTheirSoundAndVolumesAreClamped)
{
    const int music = playSound(0, SoundLoop, 150);
    ASSERT_GT(music, 0);
    EXPECT_EQ(soundStatus(0, -1), SoundPlaying);
    EXPECT_EQ(soundVolume(0, music), 100);
    for (int stranger : {4, 3})  // another sound, no sound at all: its channel is left alone
        EXPECT_EQ(soundStatus(stranger, music), SoundUnknown);
    stopSound(4, music);
    pauseSound(4, music);
    setSoundVolume(4, 0, music);
    EXPECT_EQ(soundStatus(0, music) * 1000 + soundVolume(0, music), SoundPlaying * 1000 + 100);
    EXPECT_EQ(soundStatus(0, 999), SoundUnknown);
    setSoundVolume(0, -20, music);
    EXPECT_EQ(soundVolume(0, music), 0);
    setSoundVolume(0, 60, -1);
    EXPECT_EQ(soundVolume(0, music), 60);
    stopSound(0, music);
    EXPECT_EQ(soundStatus(0, music) + soundStatus(4, -1), SoundStopped);  // the short one never played

    // Own channels overlap, beyond the mixer's first eight.
    std::vector<int> channels;
    for (int i = 0; i < 20; ++i)
        channels.push_back(playSound(0, SoundOwnChannel, 50));
    std::ranges::sort(channels);
    EXPECT_GT(channels.front(), 0);
    EXPECT_EQ(std::unique(channels.begin(), channels.end()), channels.end());
    for (int channel : channels)
        EXPECT_EQ(soundStatus(0, channel), SoundPlaying);

    // Volume 0..100 on a decibel curve: 20 steps are 10 dB, about a third of the gain.
    EXPECT_EQ(soundMixerVolume(100) * 1000 + soundMixerVolume(0) + soundMixerVolume(-3), 128000);
    EXPECT_GE(soundMixerVolume(1), 1);
    EXPECT_NEAR(soundMixerVolume(80), 128 * 0.316, 1.0);
    for (int volume = 1; volume <= 100; ++volume)
        EXPECT_GE(soundMixerVolume(volume), soundMixerVolume(volume - 1));

    const uint8_t garbage[] = "OggS but not really a Vorbis stream at all";
    EXPECT_EQ(loadSound(-1, garbage, sizeof garbage) + loadSound(-1, longTone.data(), 200) +
                  loadSound(-4, longTone.data(), longTone.size()) + playSound(77, 0, 100), 0);
    const int extra = loadSound(-1, shortTone.data(), shortTone.size());
    EXPECT_GE(extra, 1000);
    freeSound(extra);
    EXPECT_EQ(soundStatus(extra, -1), SoundUnknown);
}

// Sounds over a second long are decoded while they play: heard, silent and
// held in place while paused, resumed where they were (so they end after
// only their remainder), still playing past their end when they loop, silent
// once stopped. Short sounds end and loop too.
TEST_F(Sound, PlayPauseResumeLoopAndStop)
{
    const int channel = playSound(0, 0, 100);
    ASSERT_GT(channel, 0);
    EXPECT_GT(PeakOver(200), Heard);
    pauseSound(0, channel);
    EXPECT_EQ(PeakOver(200), 0);
    const int64_t paused = soundPosition(0, channel);
    resumeSound(0, channel);
    EXPECT_GT(PeakOver(200), Heard);
    const int64_t resumed = soundPosition(0, channel);
    EXPECT_GT(resumed, paused);
    EXPECT_LT(resumed - paused, 44100 * 7 / 10);  // no more than the time since resuming
    EXPECT_EQ(playSound(0, 0, 80), channel);      // its own channel, from the start
    EXPECT_LT(soundPosition(0, channel), paused);
    stopSound(0, channel);
    EXPECT_EQ(PeakOver(200), 0);

    const std::vector<uint8_t> tone = MakeToneOgg(1.5);
    ASSERT_NE(loadSound(2, tone.data(), tone.size()), 0);
    const int looping = playSound(2, SoundLoop, 100);
    const int once = playSound(2, SoundOwnChannel, 100);
    Wait(700);
    pauseSound(2, once);
    Wait(300);
    const auto resumedAt = std::chrono::steady_clock::now();
    resumeSound(2, once);
    while (soundStatus(2, once) == SoundPlaying && std::chrono::steady_clock::now() - resumedAt < std::chrono::seconds(3))
        Wait(10);
    const auto rest = std::chrono::steady_clock::now() - resumedAt;
    EXPECT_GT(rest, std::chrono::milliseconds(500));
    EXPECT_LT(rest, std::chrono::milliseconds(1200)) << "a restart would take the whole 1.5 s";
    EXPECT_EQ(soundStatus(2, looping), SoundPlaying);
    const int loopedShort = playSound(4, SoundLoop, 100), shortOnce = playSound(4, SoundOwnChannel, 100);
    Wait(400);
    EXPECT_EQ(soundStatus(4, shortOnce), SoundStopped);
    EXPECT_EQ(soundStatus(4, loopedShort), SoundPlaying);
    EXPECT_GT(soundPosition(4, loopedShort), 44100 * 15 / 100);
}

// A streamed play read sample by sample: a loop starts again at its first
// sample with nothing lost or added at the seam; a single play ends there in
// silence. (The long tone is 4 s, 176400 frames at the mixer's 44.1 kHz.)
TEST_F(Sound, AStreamedLoopStartsAgainAtItsFirstSample)
{
    constexpr int Length = 176400, Span = 8820;
    const std::vector<int16_t> looped = soundStreamFrames(0, true, Length + Span);
    const std::vector<int16_t> once = soundStreamFrames(0, false, Length + Span);
    ASSERT_EQ(looped.size() + once.size(), size_t(Length + Span) * 4);
    EXPECT_TRUE(soundStreamFrames(4, true, 10).empty()) << "decoded whole";
    int seam = 0, ending = 0, after = 0;
    for (size_t i = 2 * 64; i < 2 * Span; ++i) {  // past the resampler's first few frames
        seam = std::max(seam, std::abs(looped[2 * Length + i] - looped[i]));
        ending = std::max(ending, std::abs(int(once[2 * Length - i])));
        after = std::max(after, std::abs(int(once[2 * Length + i])));
    }
    EXPECT_LE(seam, 2);
    EXPECT_GT(ending, Heard);
    EXPECT_EQ(after, 0);
}

// A device that goes away (a sound server stopped) is opened again within a second: what looped
// plays on, on its channel, at its volume, paused if it was; what played once is not heard again.
TEST_F(Sound, ALostDeviceIsOpenedAgainWithWhatLooped)
{
    ASSERT_NE(initSprite(), 0);  // the event pump
    const int music = playSound(0, SoundLoop, 100), paused = playSound(4, SoundLoop | SoundOwnChannel, 70);
    const int once = playSound(0, SoundOwnChannel, 100);  // four seconds long
    pauseSound(4, paused);
    SDL_Event removed{SDL_AUDIODEVICEREMOVED};
    SDL_PushEvent(&removed);
    for (int i = 0; i < 14; ++i, Wait(100))
        nextWindowEvent();
    EXPECT_EQ(soundStatus(4, paused) * 100 + soundVolume(4, paused), SoundPaused * 100 + 70);
    EXPECT_EQ(soundStatus(0, music) * 10 + soundStatus(0, once), SoundPlaying * 10 + SoundStopped);
    EXPECT_GT(PeakOver(200), Heard) << "the music is not heard again";
}

}  // namespace
