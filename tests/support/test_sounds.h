// Small real sounds for tests: a sine tone encoded to OGG Vorbis in memory.
#pragma once

#include <cstdint>
#include <vector>

// A mono tone of `seconds` at `frequency` Hz, as OGG Vorbis bytes.
std::vector<uint8_t> MakeToneOgg(double seconds, double frequency = 440.0, int rate = 22050);
