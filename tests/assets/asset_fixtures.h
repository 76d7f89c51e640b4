// Real asset bytes made by the tests themselves: PNG pictures (zlib), a short
// OGG Vorbis sound (libvorbisenc), test data of several kinds, and a complete
// small data archive with every member the game loads.
#pragma once

#include "assets/archive_writer.h"

#include <cstdint>
#include <string>
#include <vector>

// A PNG of width x height in RGBA; pixel(x, y) gives the rgba() colour.
std::vector<uint8_t> MakePng(int width, int height, uint32_t (*pixel)(int x, int y, uint32_t seed), uint32_t seed);
// A PNG of one colour.
std::vector<uint8_t> MakeSolidPng(int width, int height, uint32_t colour);
// A PNG whose left half is `left` and right half `right`.
std::vector<uint8_t> MakeHalvesPng(int width, int height, uint32_t left, uint32_t right);

// Test data of several kinds, reproducible from the seed.
std::vector<uint8_t> TextBytes(size_t size, uint32_t seed);
std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed);
// A mix of text-like, random and repetitive stretches.
std::vector<uint8_t> MixedBytes(size_t size, uint32_t seed);

// The colour the complete archive gives tile i (1..40).
uint32_t TileColour(int i);
// Every member of a loadable archive, with 16x9 artwork of the given size
// (left half red, right half blue) and logo.png of 400 x 100.
std::vector<PackMember> CompleteMembers(int artworkWidth, int artworkHeight);
// Replaces (or with empty bytes removes) one member of the list.
void SetMember(std::vector<PackMember>& members, const std::string& name, std::vector<uint8_t> bytes);
// A fresh empty folder under the system's temporary folder, ending in "/".
std::string FreshFolder(const std::string& tag);
