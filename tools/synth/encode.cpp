// OGG Vorbis output through libvorbisenc, and WAV output for inspection.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

#include "synth.h"

namespace synth {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

using Bytes = std::vector<unsigned char>;

void AppendPage(Bytes& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

// The libvorbis objects of one encoding, released together.
struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  bool ready = false;
  size_t leadIn = 0;             // frames fed before the sound
  ogg_int64_t firstGranule = -1; // end of the first packet that yields samples

  Encoder() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~Encoder() {
    if (ready) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
};

// Hands the analysed blocks to the stream and collects every full page.
// Granule positions are moved back by the lead-in and the first page is
// closed right after the first packet that yields samples: a first page
// whose position is smaller than what it decodes to makes the decoder drop
// the difference from that packet's samples, so the lead-in must be exactly
// that packet's output (see EncodeOgg).
void Drain(Encoder& e, Bytes& out) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
    vorbis_analysis(&e.block, nullptr);
    vorbis_bitrate_addblock(&e.block);
    while (vorbis_bitrate_flushpacket(&e.dsp, &packet)) {
      bool first = e.firstGranule < 0 && packet.granulepos > 0;
      if (first) e.firstGranule = packet.granulepos;
      if (packet.granulepos > 0)
        packet.granulepos = std::max<ogg_int64_t>(0, packet.granulepos - static_cast<ogg_int64_t>(e.leadIn));
      ogg_stream_packetin(&e.stream, &packet);
      if (first)
        while (ogg_stream_flush(&e.stream, &page)) AppendPage(out, page);
      while (ogg_stream_pageout(&e.stream, &page)) AppendPage(out, page);
    }
  }
}

// One encoding with the given lead-in: frame i of the input is frame
// i - leadIn of the sound, counted around the loop (silence before a
// one-shot).
bool Encode(const Audio& audio, float quality, const std::string& title, bool looped, size_t leadIn,
            Bytes& out, ogg_int64_t& firstGranule) {
  Encoder e;
  if (vorbis_encode_init_vbr(&e.info, audio.channels, audio.rate, quality) != 0) return false;
  vorbis_comment_add_tag(&e.comment, "TITLE", title.c_str());
  vorbis_comment_add_tag(&e.comment, "ARTIST", "Morvane");
  vorbis_analysis_init(&e.dsp, &e.info);
  vorbis_block_init(&e.dsp, &e.block);
  ogg_stream_init(&e.stream, 0x4d6f7276);  // a fixed serial keeps the build reproducible
  e.ready = true;
  e.leadIn = leadIn;

  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &comments, &codebooks);
  ogg_stream_packetin(&e.stream, &header);
  ogg_stream_packetin(&e.stream, &comments);
  ogg_stream_packetin(&e.stream, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&e.stream, &page)) AppendPage(out, page);

  const size_t chunk = 1024, sound = audio.frames(), frames = sound + leadIn;
  auto sample = [&](size_t frame, int c) -> float {
    if (frame >= leadIn) return audio.samples[(frame - leadIn) * audio.channels + c];
    if (!looped || sound < leadIn) return 0.0f;
    return audio.samples[(sound - leadIn + frame) * audio.channels + c];
  };
  for (size_t at = 0; at < frames; at += chunk) {
    size_t count = std::min(chunk, frames - at);
    float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(count));
    for (size_t i = 0; i < count; ++i)
      for (int c = 0; c < audio.channels; ++c) buffer[c][i] = sample(at + i, c);
    vorbis_analysis_wrote(&e.dsp, static_cast<int>(count));
    Drain(e, out);
  }
  vorbis_analysis_wrote(&e.dsp, 0);
  Drain(e, out);
  while (ogg_stream_flush(&e.stream, &page)) AppendPage(out, page);
  firstGranule = e.firstGranule;
  return true;
}

}  // namespace

bool EncodeOgg(const Audio& audio, const std::string& path, float quality, const std::string& title,
               bool looped, std::string& error) {
  // The lead-in has to equal the output of the first packet, which depends
  // on the block sizes the encoder picks for the lead-in itself: start with
  // a long block's worth and settle on what the encoder does with it.
  Bytes bytes;
  size_t leadIn = 1024;
  for (int attempt = 0;; ++attempt) {
    ogg_int64_t firstGranule = -1;
    bytes.clear();
    if (!Encode(audio, quality, title, looped, leadIn, bytes, firstGranule)) {
      error = "the encoder does not accept these settings";
      return false;
    }
    if (firstGranule == static_cast<ogg_int64_t>(leadIn)) break;
    if (attempt == 4 || firstGranule <= 0) {
      error = "no stable lead-in for the encoder";
      return false;
    }
    leadIn = static_cast<size_t>(firstGranule);
  }

  File file(std::fopen(path.c_str(), "wb"));
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

bool WriteWav(const Audio& audio, const std::string& path) {
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  auto u32 = [&](uint32_t v) { std::fwrite(&v, 4, 1, file.get()); };
  auto u16 = [&](uint16_t v) { std::fwrite(&v, 2, 1, file.get()); };
  uint32_t bytes = static_cast<uint32_t>(audio.samples.size() * 2);
  std::fwrite("RIFF", 1, 4, file.get());
  u32(36 + bytes);
  std::fwrite("WAVEfmt ", 1, 8, file.get());
  u32(16);
  u16(1);
  u16(static_cast<uint16_t>(audio.channels));
  u32(audio.rate);
  u32(audio.rate * audio.channels * 2);
  u16(static_cast<uint16_t>(audio.channels * 2));
  u16(16);
  std::fwrite("data", 1, 4, file.get());
  u32(bytes);
  for (float v : audio.samples) {
    int16_t s = static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767));
    std::fwrite(&s, 2, 1, file.get());
  }
  return std::fflush(file.get()) == 0;
}

}  // namespace synth
