// Sound on the real mixer (dummy audio driver: time runs, nothing is heard).
#include "media_fixture.h"

#include "support/test_sounds.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

void Wait(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace

class SoundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        longTone = MakeToneOgg(4.0);
        shortTone = MakeToneOgg(0.15);
    }
    void SetUp() override
    {
        ASSERT_NE(initSound(), 0);
        ASSERT_FALSE(longTone.empty());
        ASSERT_NE(loadSound(0, longTone.data(), longTone.size()), 0);
        ASSERT_NE(loadSound(4, shortTone.data(), shortTone.size()), 0);
    }
    void TearDown() override
    {
        freeSound(0);
        freeSound(4);
    }
    static std::vector<uint8_t> longTone, shortTone;
};

std::vector<uint8_t> SoundTest::longTone, SoundTest::shortTone;

TEST_F(SoundTest, AChannelBelongsToItsSoundOnly)
{
    int music = playSound(0, SoundLoop, 100);
    ASSERT_GT(music, 0);
    EXPECT_EQ(soundStatus(0, music), SoundPlaying);
    EXPECT_EQ(soundStatus(0, -1), SoundPlaying);
    EXPECT_EQ(soundStatus(4, music), SoundUnknown);
    EXPECT_EQ(soundStatus(3, music), SoundUnknown);  // no such sound
    EXPECT_EQ(soundStatus(0, 999), SoundUnknown);

    // Calls with another sound's channel leave it alone.
    stopSound(4, music);
    pauseSound(4, music);
    setSoundVolume(4, 0, music);
    EXPECT_EQ(soundStatus(0, music), SoundPlaying);
    EXPECT_EQ(soundVolume(0, music), 100);

    stopSound(0, music);
    EXPECT_EQ(soundStatus(0, music), SoundStopped);
    // A sound that never played answers "stopped" for its default channel.
    EXPECT_EQ(soundStatus(4, -1), SoundStopped);
}

TEST_F(SoundTest, ResumeContinuesFromThePausedPositionAndPlayRestarts)
{
    int channel = playSound(0, 0, 80);
    ASSERT_GT(channel, 0);
    Wait(400);
    pauseSound(0, channel);
    EXPECT_EQ(soundStatus(0, channel), SoundPaused);
    Wait(100);  // let a buffer in flight finish
    int64_t paused = soundPosition(0, channel);
    EXPECT_GT(paused, 0);
    Wait(400);
    EXPECT_EQ(soundPosition(0, channel), paused);

    resumeSound(0, channel);
    EXPECT_EQ(soundStatus(0, channel), SoundPlaying);
    Wait(300);
    int64_t resumed = soundPosition(0, channel);
    EXPECT_GT(resumed, paused);
    // No more than the time since resuming (plus a buffer or two) was added.
    int rate = 44100;
    EXPECT_LT(resumed - paused, rate * 7 / 10);

    int again = playSound(0, 0, 80);
    EXPECT_EQ(again, channel);  // the sound's own channel
    Wait(50);
    EXPECT_LT(soundPosition(0, again), paused);
    stopSound(0, -1);
}

TEST_F(SoundTest, AResumedSoundEndsAfterOnlyItsRemainder)
{
    // 1.5 s of tone: 0.7 s played before the pause, so about 0.8 s remain.
    std::vector<uint8_t> tone = MakeToneOgg(1.5);
    ASSERT_NE(loadSound(2, tone.data(), tone.size()), 0);
    int channel = playSound(2, 0, 100);
    ASSERT_GT(channel, 0);
    Wait(700);
    pauseSound(2, channel);
    Wait(300);
    EXPECT_EQ(soundStatus(2, channel), SoundPaused);
    auto resumed = std::chrono::steady_clock::now();
    resumeSound(2, channel);
    while (soundStatus(2, channel) == SoundPlaying &&
           std::chrono::steady_clock::now() - resumed < std::chrono::seconds(3)) {
        Wait(10);
    }
    auto rest = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - resumed).count();
    EXPECT_EQ(soundStatus(2, channel), SoundStopped);
    EXPECT_GT(rest, 500);
    EXPECT_LT(rest, 1200);  // a restart would take the whole 1.5 s
    freeSound(2);
}

TEST_F(SoundTest, OwnChannelsOverlapAndLoopsKeepPlaying)
{
    int first = playSound(4, SoundOwnChannel, 100);
    int second = playSound(4, SoundOwnChannel, 100);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_NE(first, second);
    EXPECT_EQ(soundStatus(4, first), SoundPlaying);
    EXPECT_EQ(soundStatus(4, second), SoundPlaying);
    // Many overlapping plays (of the long tone, still playing) get channels
    // of their own, beyond the mixer's first eight.
    std::vector<int> many;
    for (int i = 0; i < 20; ++i) {
        many.push_back(playSound(0, SoundOwnChannel, 50));
        EXPECT_GT(many.back(), 0);
    }
    for (int channel : many) {
        EXPECT_EQ(soundStatus(0, channel), SoundPlaying);
    }
    std::vector<int> distinct = many;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
    for (int channel : many) {
        stopSound(0, channel);
    }

    int looping = playSound(0, SoundLoop, 100);
    Wait(600);
    EXPECT_EQ(soundStatus(4, first), SoundStopped);  // 0.15 s is over
    EXPECT_EQ(soundStatus(0, looping), SoundPlaying);
    int loopedShort = playSound(4, SoundLoop, 100);
    Wait(500);
    EXPECT_EQ(soundStatus(4, loopedShort), SoundPlaying);
    EXPECT_GT(soundPosition(4, loopedShort), 44100 * 15 / 100);
    stopSound(4, loopedShort);
    stopSound(0, looping);
}

TEST_F(SoundTest, VolumeIsClampedAndFollowsADecibelCurve)
{
    int channel = playSound(0, 0, 150);
    EXPECT_EQ(soundVolume(0, channel), 100);
    setSoundVolume(0, -20, channel);
    EXPECT_EQ(soundVolume(0, channel), 0);
    setSoundVolume(0, 60, -1);
    EXPECT_EQ(soundVolume(0, channel), 60);
    stopSound(0, channel);

    EXPECT_EQ(soundMixerVolume(100), 128);
    EXPECT_EQ(soundMixerVolume(0), 0);
    EXPECT_EQ(soundMixerVolume(-3), 0);
    EXPECT_GE(soundMixerVolume(1), 1);
    // 20 steps are 10 dB: about a third of the gain.
    EXPECT_NEAR(soundMixerVolume(80), 128 * 0.316, 1.0);
    for (int volume = 1; volume <= 100; ++volume) {
        EXPECT_GE(soundMixerVolume(volume), soundMixerVolume(volume - 1));
    }
}

TEST_F(SoundTest, BadSoundsAreRefused)
{
    const uint8_t garbage[] = "OggS but not really a Vorbis stream at all";
    EXPECT_EQ(loadSound(-1, garbage, sizeof garbage), 0);
    EXPECT_EQ(loadSound(-1, nullptr, 0), 0);
    std::vector<uint8_t> cut(longTone.begin(), longTone.begin() + 200);
    EXPECT_EQ(loadSound(-1, cut.data(), cut.size()), 0);
    EXPECT_EQ(loadSound(-4, longTone.data(), longTone.size()), 0);
    EXPECT_EQ(playSound(77, 0, 100), 0);
    stopSound(77, -1);
    EXPECT_EQ(soundStatus(77, -1), SoundUnknown);
    int extra = loadSound(-1, shortTone.data(), shortTone.size());
    EXPECT_GE(extra, 1000);
    freeSound(extra);
    EXPECT_EQ(soundStatus(extra, -1), SoundUnknown);
}

TEST(SilentSoundTest, AMissingDeviceFallsBackToSilentOutput)
{
    // Start again from nothing, with an audio driver that cannot open.
    releaseMedia();
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    std::string kept = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "no-such-sound-system", 1);
    ::testing::internal::CaptureStderr();
    int started = initSound();
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(started, 0);
    EXPECT_TRUE(soundIsSilent());
    EXPECT_NE(said.find("silent"), std::string::npos);

    // The game goes on as with a device: sounds load, play and report.
    std::vector<uint8_t> tone = MakeToneOgg(1.0);
    ASSERT_NE(loadSound(1, tone.data(), tone.size()), 0);
    int channel = playSound(1, SoundLoop, 70);
    EXPECT_GT(channel, 0);
    EXPECT_EQ(soundStatus(1, channel), SoundPlaying);
    releaseMedia();
    if (saved) {
        setenv("SDL_AUDIODRIVER", kept.c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
    EXPECT_FALSE(soundIsSilent());
}

// Sounds over a second long are decoded while they play: heard, silent
// while paused, heard again when resumed, heard past their end when they
// loop, and silent once stopped.
TEST_F(SoundTest, LongSoundsAreDecodedAsTheyPlay)
{
    constexpr int Heard = 8000;  // the tone peaks at half of full scale
    soundMixPeak();
    int channel = playSound(0, 0, 100);
    Wait(300);
    EXPECT_GT(soundMixPeak(), Heard);
    pauseSound(0, channel);
    Wait(150);
    soundMixPeak();
    Wait(200);
    EXPECT_EQ(soundMixPeak(), 0);
    resumeSound(0, channel);
    Wait(200);
    EXPECT_GT(soundMixPeak(), Heard);
    stopSound(0, channel);

    std::vector<uint8_t> tone = MakeToneOgg(1.2);
    ASSERT_NE(loadSound(2, tone.data(), tone.size()), 0);
    int looping = playSound(2, SoundLoop, 100);
    Wait(1500);
    soundMixPeak();
    Wait(200);
    EXPECT_GT(soundMixPeak(), Heard) << "silent after the first pass of the loop";
    EXPECT_EQ(soundStatus(2, looping), SoundPlaying);
    stopSound(2, looping);
    Wait(150);
    soundMixPeak();
    Wait(200);
    EXPECT_EQ(soundMixPeak(), 0);
    freeSound(2);
}
