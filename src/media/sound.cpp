// Sound: short OGG Vorbis sounds decoded whole at load into mixer chunks,
// long ones (the music) kept compressed and decoded while they play; channels
// belong to the sound that last played on them.
#include "media/media_internal.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int MaxChannels = 256;

// NOTE: a sound longer than a second is decoded while it plays: decoded
// whole, the three pieces of music alone would hold about 40 MB of samples.
// The short effects that play often and overlap are decoded at load.
constexpr double LongestDecodedSound = 1.0;  // seconds

using OggBytes = std::shared_ptr<const std::vector<uint8_t>>;

struct SoundRecord {
    Mix_Chunk* chunk = nullptr;  // the samples, or silence a stream is laid over
    OggBytes ogg;                // the compressed bytes of a streamed sound
    int defaultChannel = 0;      // handle of its most recent channel, 0 for none
};

struct StreamState;

struct ChannelRecord {
    int owner = -1;          // sound number, -1 when never used
    int volume = 100;
    bool loop = false;       // played looping
    std::atomic<int64_t> bytesPlayed{0};
    std::atomic<StreamState*> stream{nullptr};  // the stream laid over its silence
};

struct MixerRecord {
    bool open = false;
    bool silent = false;     // the dummy driver stands in for a missing device
    bool lost = false;       // the device went away (a sound server stopped); reopened when it can be
    uint32_t lastTry = 0;    // SDL ticks of the last try to reopen it
    int frequency = 0;
    uint16_t format = 0;
    int channels = 0;
    int channelCount = 0;    // mixer channels allocated
};

MixerRecord mixer;
std::atomic<int> mixPeak{0};  // loudest sample since soundMixPeak last asked
bool mixListened = false;
std::map<int, SoundRecord> sounds;
ChannelRecord channels[MaxChannels];

// The bytes of a sound being decoded, read by libvorbisfile's callbacks.
struct MemoryStream {
    const uint8_t* bytes;
    size_t size;
    size_t position;
};

// libvorbisfile read callback over the memory stream.
size_t ReadMemory(void* target, size_t size, size_t count, void* source)
{
    MemoryStream* stream = static_cast<MemoryStream*>(source);
    if (size == 0) {
        return 0;
    }
    size_t available = (stream->size - stream->position) / size;
    size_t taken = count < available ? count : available;
    std::memcpy(target, stream->bytes + stream->position, taken * size);
    stream->position += taken * size;
    return taken;
}

// libvorbisfile seek callback over the memory stream.
int SeekMemory(void* source, ogg_int64_t offset, int whence)
{
    MemoryStream* stream = static_cast<MemoryStream*>(source);
    ogg_int64_t base = whence == SEEK_SET ? 0
                     : whence == SEEK_CUR ? static_cast<ogg_int64_t>(stream->position)
                                          : static_cast<ogg_int64_t>(stream->size);
    ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(stream->size)) {
        return -1;
    }
    stream->position = static_cast<size_t>(target);
    return 0;
}

// libvorbisfile tell callback over the memory stream.
long TellMemory(void* source)
{
    return static_cast<long>(static_cast<MemoryStream*>(source)->position);
}

// One play of a streamed sound: its decoder and the conversion to the
// mixer's format. Made on the main thread when the play starts, used only by
// the audio thread while it plays, and deleted (under the mixer's lock) when
// the channel stops or plays something else.
struct StreamState {
    OggBytes ogg;
    MemoryStream memory{nullptr, 0, 0};
    OggVorbis_File file{};
    bool fileOpen = false;
    SDL_AudioStream* convert = nullptr;
    bool loop = false;
    bool decodedSinceStart = false;     // a rewind found samples to play
    bool ended = false;                 // the decoder reached the end
    std::atomic<bool> finished{false};  // and everything decoded was played

    ~StreamState()
    {
        if (fileOpen) {
            ov_clear(&file);
        }
        if (convert) {
            SDL_FreeAudioStream(convert);
        }
    }
};

// libvorbisfile's callbacks over bytes in memory.
const ov_callbacks MemoryCallbacks{ReadMemory, SeekMemory, nullptr, TellMemory};

// The audio thread's filler: the channel plays silence and this lays the
// decoded music over it, from the start again at the end when it loops.
void StreamEffect(int, void* buffer, int length, void* data)
{
    StreamState* stream = static_cast<StreamState*>(data);
    char decoded[8192];
    int section = 0;
    while (!stream->ended && SDL_AudioStreamAvailable(stream->convert) < length) {
        const long got = ov_read(&stream->file, decoded, sizeof decoded, SDL_BYTEORDER == SDL_BIG_ENDIAN, 2, 1,
                                 &section);
        if (got > 0) {
            SDL_AudioStreamPut(stream->convert, decoded, static_cast<int>(got));
            stream->decodedSinceStart = true;
        } else if (got == OV_HOLE) {
            continue;  // a gap in the stream: decoding goes on after it
        } else if (got == 0 && stream->loop && stream->decodedSinceStart && ov_pcm_seek(&stream->file, 0) == 0) {
            stream->decodedSinceStart = false;  // a stream that yields nothing ends instead of spinning
        } else {
            stream->ended = true;
            SDL_AudioStreamFlush(stream->convert);
        }
    }
    const int taken = std::max(0, SDL_AudioStreamGet(stream->convert, buffer, length));
    if (taken < length) {
        std::memset(static_cast<uint8_t*>(buffer) + taken, 0, static_cast<size_t>(length - taken));
        // The main thread stops the channel when it next looks at it.
        stream->finished = stream->ended;
    }
}

// The stream's end: called under the mixer's lock when the channel stops.
void StreamDone(int channel, void* data)
{
    StreamState* stream = static_cast<StreamState*>(data);
    StreamState* expected = stream;
    if (channel >= 0 && channel < MaxChannels) {
        channels[channel].stream.compare_exchange_strong(expected, nullptr);
    }
    delete stream;
}

// A decoder for a new play of a streamed sound, or null.
StreamState* StartStream(const OggBytes& ogg, bool loop, int frequency, uint16_t format, int channels)
{
    auto stream = std::make_unique<StreamState>();
    stream->ogg = ogg;
    stream->memory = MemoryStream{ogg->data(), ogg->size(), 0};
    stream->loop = loop;
    if (ov_open_callbacks(&stream->memory, &stream->file, nullptr, 0, MemoryCallbacks) != 0) {
        return nullptr;
    }
    stream->fileOpen = true;
    vorbis_info* info = ov_info(&stream->file, -1);
    if (!info) {
        return nullptr;
    }
    stream->convert = SDL_NewAudioStream(AUDIO_S16SYS, static_cast<uint8_t>(info->channels),
                                         static_cast<int>(info->rate), format, static_cast<uint8_t>(channels),
                                         frequency);
    return stream->convert ? stream.release() : nullptr;
}

// The audio thread's note of the loudest 16-bit sample of each mix.
void NoteMixPeak(void*, uint8_t* stream, int length)
{
    if (mixer.format != AUDIO_S16SYS) {
        return;
    }
    int peak = 0;
    const int16_t* samples = reinterpret_cast<const int16_t*>(stream);
    for (int i = 0; i < length / 2; ++i) {
        peak = std::max(peak, std::abs(int(samples[i])));
    }
    int known = mixPeak.load();
    while (peak > known && !mixPeak.compare_exchange_weak(known, peak)) {
    }
}

// Counts the bytes mixed on a channel; the mixer calls it only while the
// channel plays (not while paused), so it measures the position played.
void CountPlayedBytes(int channel, void*, int length, void*)
{
    if (channel >= 0 && channel < MaxChannels) {
        channels[channel].bytesPlayed += length;
    }
}

// 0..100 on a decibel curve: 100 is full gain, each step 0.5 dB less, 0 silent.
int MixerVolume(int volume)
{
    if (volume <= 0) {
        return 0;
    }
    if (volume >= 100) {
        return MIX_MAX_VOLUME;
    }
    double gain = std::pow(10.0, (volume - 100) * 0.5 / 20.0);
    int level = static_cast<int>(std::lround(gain * MIX_MAX_VOLUME));
    return level < 1 ? 1 : level;
}

// A volume kept within 0..100.
int ClampVolume(int volume)
{
    return volume < 0 ? 0 : (volume > 100 ? 100 : volume);
}

// A sound by number, or null.
SoundRecord* FindSound(int number)
{
    auto found = sounds.find(number);
    return found == sounds.end() ? nullptr : &found->second;
}

// A stream that played to its end stops its channel (its silence would
// play on); the audio thread only marks it.
void StopFinishedStream(int channel)
{
    StreamState* stream = channels[channel].stream;
    if (stream && stream->finished) {
        Mix_HaltChannel(channel);
    }
}

// The mixer channel a call means, or -1 when it is not this sound's.
int OwnedChannel(int number, int handle)
{
    SoundRecord* sound = FindSound(number);
    if (!sound || !mixer.open) {
        return -1;
    }
    if (handle == -1) {
        handle = sound->defaultChannel;
    }
    int channel = handle - 1;
    if (channel < 0 || channel >= mixer.channelCount || channels[channel].owner != number) {
        return -1;
    }
    StopFinishedStream(channel);
    return channel;
}

// True while a mixer channel plays or is paused.
bool ChannelBusy(int channel)
{
    StopFinishedStream(channel);
    return Mix_Playing(channel) || Mix_Paused(channel);
}

// A channel for a new play of its own: one never used, else an idle one no
// sound keeps as its default, else more channels are allocated.
int FreeChannel()
{
    for (int pass = 0; pass < 2; ++pass) {
        for (int channel = 0; channel < mixer.channelCount; ++channel) {
            if (ChannelBusy(channel)) {
                continue;
            }
            int owner = channels[channel].owner;
            if (pass == 0 && owner == -1) {
                return channel;
            }
            if (pass == 1 && owner != -1) {
                SoundRecord* sound = FindSound(owner);
                if (!sound || sound->defaultChannel != channel + 1) {
                    return channel;
                }
            }
        }
    }
    if (mixer.channelCount >= MaxChannels) {
        return -1;
    }
    int first = mixer.channelCount;
    mixer.channelCount = Mix_AllocateChannels(std::min(mixer.channelCount + 8, MaxChannels));
    return first < mixer.channelCount ? first : -1;
}

// Opens the mixer on the current audio driver.
bool OpenMixer()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

}  // namespace

// Opens the sound device, or a silent stand-in when there is none.
int initSound()
{
    if (mixer.open) {
        return 1;
    }
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!OpenMixer()) {
        std::fprintf(stderr, "Morvane: no sound device (%s); playing silently\n", SDL_GetError());
        // NOTE: over any SDL_AUDIODRIVER of the environment, which just failed.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        if (!OpenMixer()) {
            return 0;
        }
        mixer.silent = true;
    }
    int frequency = 0, count = 0;
    uint16_t format = 0;
    Mix_QuerySpec(&frequency, &format, &count);
    mixer.frequency = frequency;
    mixer.format = format;
    mixer.channels = count;
    mixer.channelCount = Mix_AllocateChannels(8);
    mixer.open = true;
    return 1;
}

// True when sound runs on the silent stand-in output.
bool soundIsSilent()
{
    return mixer.silent;
}

namespace {

// A mixer chunk of the samples, converted to the mixer's format; null on
// failure.
Mix_Chunk* MakeChunk(const std::vector<uint8_t>& pcm, int sourceChannels, int sourceRate)
{
    SDL_AudioCVT convert;
    if (SDL_BuildAudioCVT(&convert, AUDIO_S16SYS, static_cast<uint8_t>(sourceChannels), sourceRate, mixer.format,
                          static_cast<uint8_t>(mixer.channels), mixer.frequency) < 0) {
        return nullptr;
    }
    convert.len = static_cast<int>(pcm.size());
    convert.buf = static_cast<uint8_t*>(SDL_malloc(pcm.size() * static_cast<size_t>(convert.len_mult)));
    Mix_Chunk* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    if (!convert.buf || !chunk) {
        SDL_free(convert.buf);
        SDL_free(chunk);
        return nullptr;
    }
    std::memcpy(convert.buf, pcm.data(), pcm.size());
    if (convert.needed && SDL_ConvertAudio(&convert) != 0) {
        SDL_free(convert.buf);
        SDL_free(chunk);
        return nullptr;
    }
    chunk->allocated = 1;
    chunk->abuf = convert.buf;
    chunk->alen = static_cast<uint32_t>(convert.needed ? convert.len_cvt : convert.len);
    chunk->volume = MIX_MAX_VOLUME;
    return chunk;
}

// A tenth of a second of silence in the mixer's format: what a streamed
// sound's channel plays, looping, with the stream laid over it.
Mix_Chunk* SilentChunk()
{
    const size_t frameBytes = static_cast<size_t>(mixer.channels) * (SDL_AUDIO_BITSIZE(mixer.format) / 8);
    const size_t bytes = static_cast<size_t>(mixer.frequency / 10) * frameBytes;
    Mix_Chunk* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
    uint8_t* silence = static_cast<uint8_t*>(SDL_calloc(bytes, 1));
    if (!chunk || !silence || bytes == 0) {
        SDL_free(chunk);
        SDL_free(silence);
        return nullptr;
    }
    chunk->allocated = 1;
    chunk->abuf = silence;
    chunk->alen = static_cast<uint32_t>(bytes);
    chunk->volume = MIX_MAX_VOLUME;
    return chunk;
}

// The whole stream decoded to 16-bit samples; false when it does not decode.
bool DecodeWhole(OggVorbis_File& file, std::vector<uint8_t>& pcm)
{
    char buffer[16384];
    int section = 0;
    for (;;) {
        long got = ov_read(&file, buffer, sizeof buffer, SDL_BYTEORDER == SDL_BIG_ENDIAN, 2, 1, &section);
        if (got == 0) {
            return !pcm.empty();
        }
        if (got < 0 || pcm.size() > (size_t{1} << 30)) {
            return false;
        }
        pcm.insert(pcm.end(), buffer, buffer + got);
    }
}

// Plays the sound from its beginning on the channel.
bool StartOnChannel(int channel, int number, const SoundRecord& sound, bool loop, int volume)
{
    Mix_HaltChannel(channel);
    StreamState* stream = nullptr;
    if (sound.ogg) {
        stream = StartStream(sound.ogg, loop, mixer.frequency, mixer.format, mixer.channels);
        if (!stream) {
            return false;
        }
    }
    ChannelRecord& record = channels[channel];
    record.owner = number;
    record.volume = ClampVolume(volume);
    record.loop = loop;
    record.bytesPlayed = 0;
    Mix_Volume(channel, MixerVolume(record.volume));
    // The stream and the counter go on before the first byte is mixed.
    Mix_UnregisterAllEffects(channel);
    if (stream && !Mix_RegisterEffect(channel, StreamEffect, StreamDone, stream)) {
        delete stream;
        return false;
    }
    record.stream = stream;
    Mix_RegisterEffect(channel, CountPlayedBytes, nullptr, nullptr);
    // NOTE: a stream's silence always loops; the stream decides the end.
    if (Mix_PlayChannel(channel, sound.chunk, loop || stream ? -1 : 0) < 0) {
        Mix_UnregisterAllEffects(channel);
        return false;
    }
    return true;
}

}  // namespace

// Opens the OGG Vorbis stream; a short one is decoded whole and converted to
// the mixer's format, a long one is kept compressed and decoded as it plays.
int loadSound(int number, const uint8_t* oggBytes, size_t size)
{
    int chosen = PickObjectNumber(sounds, number);
    if (!mixer.open || !oggBytes || size == 0 || chosen < 0) {
        return 0;
    }
    auto ogg = std::make_shared<const std::vector<uint8_t>>(oggBytes, oggBytes + size);
    MemoryStream stream{ogg->data(), ogg->size(), 0};
    OggVorbis_File file;
    if (ov_open_callbacks(&stream, &file, nullptr, 0, MemoryCallbacks) != 0) {
        return 0;
    }
    vorbis_info* info = ov_info(&file, -1);
    const ogg_int64_t frames = ov_pcm_total(&file, -1);
    const int sourceChannels = info ? info->channels : 0;
    const int sourceRate = info ? static_cast<int>(info->rate) : 0;
    if (!info || sourceChannels < 1 || sourceChannels > 8 || sourceRate <= 0 || frames <= 0) {
        ov_clear(&file);
        return 0;
    }
    const bool streamed = double(frames) / sourceRate > LongestDecodedSound;
    std::vector<uint8_t> pcm;
    const bool decoded = streamed || DecodeWhole(file, pcm);
    ov_clear(&file);
    if (!decoded) {
        return 0;
    }
    Mix_Chunk* chunk = streamed ? SilentChunk() : MakeChunk(pcm, sourceChannels, sourceRate);
    if (!chunk) {
        return 0;
    }
    freeSound(chosen);
    sounds[chosen].chunk = chunk;
    if (streamed) {
        sounds[chosen].ogg = std::move(ogg);
    }
    return ObjectAnswer(number, chosen);
}

// Stops the sound's channels and forgets it.
void freeSound(int number)
{
    SoundRecord* sound = FindSound(number);
    if (!sound) {
        return;
    }
    for (int channel = 0; channel < mixer.channelCount; ++channel) {
        if (channels[channel].owner == number) {
            Mix_HaltChannel(channel);
            channels[channel].owner = -1;
        }
    }
    Mix_FreeChunk(sound->chunk);
    sounds.erase(number);
}

// Plays from the beginning on the sound's default channel, or on a new one
// of its own (flag 2); answers the channel handle, 0 on failure.
int playSound(int number, int flags, int volume)
{
    SoundRecord* sound = FindSound(number);
    if (!sound || !mixer.open) {
        return 0;
    }
    int channel = -1;
    if (!(flags & SoundOwnChannel)) {
        channel = OwnedChannel(number, -1);
    }
    if (channel < 0) {
        channel = FreeChannel();
    }
    if (channel < 0) {
        return 0;
    }
    if (!StartOnChannel(channel, number, *sound, (flags & SoundLoop) != 0, volume)) {
        return 0;
    }
    sound->defaultChannel = channel + 1;
    return channel + 1;
}

// 1 playing, 2 paused, 0 stopped, 3 for another sound's channel.
int soundStatus(int number, int channel)
{
    int owned = OwnedChannel(number, channel);
    if (owned < 0) {
        SoundRecord* sound = FindSound(number);
        // A sound that never played has a stopped default channel.
        return (sound && channel == -1 && sound->defaultChannel == 0) ? SoundStopped : SoundUnknown;
    }
    if (Mix_Paused(owned) && Mix_Playing(owned)) {
        return SoundPaused;
    }
    return Mix_Playing(owned) ? SoundPlaying : SoundStopped;
}

// Pauses the sound's channel where it is.
void pauseSound(int number, int channel)
{
    int owned = OwnedChannel(number, channel);
    if (owned >= 0) {
        Mix_Pause(owned);
    }
}

// Continues a paused channel from where it stopped.
void resumeSound(int number, int channel)
{
    int owned = OwnedChannel(number, channel);
    if (owned >= 0) {
        Mix_Resume(owned);
    }
}

// Stops the sound's channel.
void stopSound(int number, int channel)
{
    int owned = OwnedChannel(number, channel);
    if (owned >= 0) {
        Mix_HaltChannel(owned);
    }
}

// New volume for the sound's channel, heard at once.
void setSoundVolume(int number, int volume, int channel)
{
    int owned = OwnedChannel(number, channel);
    if (owned >= 0) {
        channels[owned].volume = ClampVolume(volume);
        Mix_Volume(owned, MixerVolume(channels[owned].volume));
    }
}

// Test hook: PCM frames played on the channel since its play.
int64_t soundPosition(int number, int channel)
{
    int owned = OwnedChannel(number, channel);
    int frameBytes = mixer.channels * static_cast<int>(SDL_AUDIO_BITSIZE(mixer.format) / 8);
    if (owned < 0 || frameBytes <= 0) {
        return -1;
    }
    return channels[owned].bytesPlayed / frameBytes;
}

// Test hook: the channel's volume 0..100.
int soundVolume(int number, int channel)
{
    int owned = OwnedChannel(number, channel);
    return owned < 0 ? -1 : channels[owned].volume;
}

// Test hook: the loudest sample put out since the last call (listening
// starts with the first call).
int soundMixPeak()
{
    if (!mixer.open) {
        return 0;
    }
    if (!mixListened) {
        Mix_SetPostMix(NoteMixPeak, nullptr);
        mixListened = true;
    }
    return mixPeak.exchange(0);
}

// Test hook: a play of a streamed sound filled piece by piece, as the mixer
// asks for it, without the audio thread's timing.
std::vector<int16_t> soundStreamFrames(int number, bool loop, int frames)
{
    SoundRecord* sound = FindSound(number);
    if (!sound || !sound->ogg || !mixer.open || mixer.format != AUDIO_S16SYS || frames <= 0) {
        return {};
    }
    std::unique_ptr<StreamState> stream(
        StartStream(sound->ogg, loop, mixer.frequency, mixer.format, mixer.channels));
    if (!stream) {
        return {};
    }
    std::vector<int16_t> samples(static_cast<size_t>(frames) * static_cast<size_t>(mixer.channels));
    uint8_t* bytes = reinterpret_cast<uint8_t*>(samples.data());
    const int total = static_cast<int>(samples.size() * sizeof(int16_t));
    const int piece = 2048 * mixer.channels * static_cast<int>(sizeof(int16_t));
    for (int at = 0; at < total; at += piece) {
        StreamEffect(-1, bytes + at, std::min(piece, total - at), stream.get());
    }
    return samples;
}

// The mixer gain 0..128 a volume maps to.
int soundMixerVolume(int volume)
{
    return MixerVolume(ClampVolume(volume));
}

// The output device went away: the mixer stands still until it is reopened.
void NoteSoundDeviceLost()
{
    mixer.lost = mixer.open && !mixer.silent;
}

// While the device is lost, once a second: the mixer is opened again on the
// driver it started with (the sound server may be back), or on the silent
// stand-in meanwhile. What was looping (the music) starts again where it
// played, paused if it was; sounds played once are not heard again.
void ReopenLostSound()
{
    if (!mixer.lost || SDL_GetTicks() - mixer.lastTry < 1000) {
        return;
    }
    mixer.lastTry = SDL_GetTicks();
    struct Replay {
        int channel, number, volume;
        bool paused;
    };
    std::vector<Replay> replays;
    for (int channel = 0; channel < mixer.channelCount; ++channel) {
        const ChannelRecord& record = channels[channel];
        if (record.owner >= 0 && record.loop && Mix_Playing(channel)) {
            replays.push_back({channel, record.owner, record.volume, Mix_Paused(channel) != 0});
        }
    }
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    bool back = OpenMixer();
    int frequency = 0, count = 0;
    uint16_t format = 0;
    // NOTE: the sounds were converted for the old device's format; a device
    // that came back otherwise would play them wrongly, so it is not kept.
    if (back && (!Mix_QuerySpec(&frequency, &format, &count) || frequency != mixer.frequency ||
                 format != mixer.format || count != mixer.channels)) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        back = false;
    }
    if (!back) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        OpenMixer();
    }
    mixer.lost = !back;
    Mix_AllocateChannels(mixer.channelCount);
    if (mixListened) {
        Mix_SetPostMix(NoteMixPeak, nullptr);
    }
    for (const Replay& replay : replays) {
        SoundRecord* sound = FindSound(replay.number);
        if (sound && StartOnChannel(replay.channel, replay.number, *sound, true, replay.volume) && replay.paused) {
            Mix_Pause(replay.channel);
        }
    }
    if (back) {
        std::fprintf(stderr, "Morvane: the sound device is back\n");
    }
}

// Stops and frees every sound and closes the mixer.
void ReleaseSound()
{
    if (!mixer.open) {
        return;
    }
    Mix_HaltChannel(-1);
    Mix_SetPostMix(nullptr, nullptr);
    mixListened = false;
    for (auto& entry : sounds) {
        Mix_FreeChunk(entry.second.chunk);
    }
    sounds.clear();
    for (ChannelRecord& channel : channels) {
        channel.owner = -1;
        channel.bytesPlayed = 0;
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mixer = MixerRecord{};
}
