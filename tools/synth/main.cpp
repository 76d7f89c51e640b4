// morvane_synth <piece> <output.ogg> [--wav <inspection.wav>]
// morvane_synth <piece> --parts
// Renders one of the game's compositions and encodes it to OGG Vorbis, or
// reports how loud each instrument is in the mix.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "pieces.h"

namespace {

struct Piece {
  const char* name;
  synth::Song (*make)();
  float quality;
};

const Piece kPieces[] = {
    {"music1", synth::MenuPiece, 0.42f},
    {"music2", synth::FirstLevelPiece, 0.42f},
    {"music3", synth::SecondLevelPiece, 0.42f},
    {"jingle", synth::LevelJingle, 0.5f},
    {"match", synth::MatchChime, 0.5f},
};

// The level of each instrument's share of the mix: RMS relative to the whole,
// peak in dBFS once the whole is normalised.
void ReportParts(const synth::Song& song) {
  synth::Song whole = song;
  whole.normalise = false;
  double total = synth::RmsDb(synth::RenderSong(whole));
  for (int i = 0; i <= static_cast<int>(synth::Instrument::Chime); ++i) {
    auto instrument = static_cast<synth::Instrument>(i);
    synth::Song part = whole;
    part.notes.clear();
    for (const synth::Note& note : song.notes)
      if (note.instrument == instrument) part.notes.push_back(note);
    if (part.notes.empty()) continue;
    synth::Audio audio = synth::RenderSong(part);
    std::printf("%-10s %5zu notes  RMS %6.1f dB  peak %6.1f dB\n", synth::InstrumentName(instrument),
                part.notes.size(), synth::RmsDb(audio) - total, synth::PeakDb(audio) - total + song.targetRmsDb);
  }
}

int Usage() {
  std::fprintf(stderr, "usage: morvane_synth <piece> <output.ogg> [--wav <file.wav>]\npieces:");
  for (const Piece& p : kPieces) std::fprintf(stderr, " %s", p.name);
  std::fprintf(stderr, "\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool parts = argc == 3 && std::strcmp(argv[2], "--parts") == 0;
  if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--wav") == 0)) return Usage();
  const Piece* piece = nullptr;
  for (const Piece& p : kPieces)
    if (std::strcmp(p.name, argv[1]) == 0) piece = &p;
  if (!piece) return Usage();

  auto began = std::chrono::steady_clock::now();
  try {
    synth::Song song = piece->make();
    if (parts) {
      ReportParts(song);
      return 0;
    }
    synth::Audio audio = synth::RenderSong(song);
    std::string error;
    if (!synth::EncodeOgg(audio, argv[2], piece->quality, song.title, song.loop, error)) {
      std::fprintf(stderr, "morvane_synth: %s\n", error.c_str());
      return 1;
    }
    if (argc == 5 && !synth::WriteWav(audio, argv[4])) {
      std::fprintf(stderr, "morvane_synth: cannot write %s\n", argv[4]);
      return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%s \"%s\": %.2f s, %zu notes, peak %.2f dBFS, RMS %.2f dBFS (made in %.2f s)\n", piece->name,
                song.title.c_str(), static_cast<double>(audio.frames()) / audio.rate, song.notes.size(),
                synth::PeakDb(audio), synth::RmsDb(audio), seconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "morvane_synth: %s: %s\n", piece->name, e.what());
    return 1;
  }
  return 0;
}
