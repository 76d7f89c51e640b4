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

bool WritePage(FILE* f, const ogg_page& page) {
  return std::fwrite(page.header, 1, page.header_len, f) == static_cast<size_t>(page.header_len) &&
         std::fwrite(page.body, 1, page.body_len, f) == static_cast<size_t>(page.body_len);
}

// The libvorbis objects of one encoding, released together.
struct Encoder {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  ogg_stream_state stream;
  bool ready = false;

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

// Hands the analysed blocks to the stream and writes every page that is full.
bool Drain(Encoder& e, FILE* f) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
    vorbis_analysis(&e.block, nullptr);
    vorbis_bitrate_addblock(&e.block);
    while (vorbis_bitrate_flushpacket(&e.dsp, &packet)) {
      ogg_stream_packetin(&e.stream, &packet);
      while (ogg_stream_pageout(&e.stream, &page))
        if (!WritePage(f, page)) return false;
    }
  }
  return true;
}

}  // namespace

bool EncodeOgg(const Audio& audio, const std::string& path, float quality,
               const std::string& title, std::string& error) {
  Encoder e;
  if (vorbis_encode_init_vbr(&e.info, audio.channels, audio.rate, quality) != 0) {
    error = "the encoder does not accept these settings";
    return false;
  }
  vorbis_comment_add_tag(&e.comment, "TITLE", title.c_str());
  vorbis_comment_add_tag(&e.comment, "ARTIST", "Morvane");
  vorbis_analysis_init(&e.dsp, &e.info);
  vorbis_block_init(&e.dsp, &e.block);
  ogg_stream_init(&e.stream, 0x4d6f7276);  // a fixed serial keeps the build reproducible
  e.ready = true;

  File file(std::fopen(path.c_str(), "wb"));
  if (!file) {
    error = "cannot create " + path;
    return false;
  }
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&e.dsp, &e.comment, &header, &comments, &codebooks);
  ogg_stream_packetin(&e.stream, &header);
  ogg_stream_packetin(&e.stream, &comments);
  ogg_stream_packetin(&e.stream, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&e.stream, &page))
    if (!WritePage(file.get(), page)) {
      error = "cannot write " + path;
      return false;
    }

  const size_t chunk = 1024, frames = audio.frames();
  for (size_t at = 0; at < frames; at += chunk) {
    size_t count = std::min(chunk, frames - at);
    float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(count));
    for (size_t i = 0; i < count; ++i)
      for (int c = 0; c < audio.channels; ++c)
        buffer[c][i] = audio.samples[(at + i) * audio.channels + c];
    vorbis_analysis_wrote(&e.dsp, static_cast<int>(count));
    if (!Drain(e, file.get())) {
      error = "cannot write " + path;
      return false;
    }
  }
  vorbis_analysis_wrote(&e.dsp, 0);
  bool ok = Drain(e, file.get());
  while (ok && ogg_stream_flush(&e.stream, &page)) ok = WritePage(file.get(), page);
  if (!ok || std::fflush(file.get()) != 0) {
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
