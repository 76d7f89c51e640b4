// BriefLZ blocks and the "1zlb" compressed stream that holds the packed
// members of the data archive. The depacker is safe on any input: a damaged
// or hostile stream answers failure and never reads or writes outside the
// buffers it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Size of the stream header: "1zlb", 4 unused bytes, size, block size.
constexpr size_t StreamHeaderSize = 24;
constexpr int PackLevelCount = 9;

// The block size the packer uses at a level 0..8 (levels outside are clamped).
size_t PackBlockSize(int level);
// True for the nine block sizes a stream may declare.
bool IsValidBlockSize(uint64_t blockSize);

// Decodes one block into exactly outSize (at least 1) bytes. On success
// *consumed is the number of input bytes the block took, counting every tag
// word read; false when the block is damaged or the input too short.
bool DepackBlock(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t* consumed);

// Decodes a whole "1zlb" stream. Succeeds only when the stream's size is
// exactly expectedSize and every block decodes; writes expectedSize bytes.
bool DepackStream(const uint8_t* in, size_t inSize, uint8_t* out, size_t expectedSize);

// Reads the uncompressed size out of a stream header; false when the bytes
// do not start with a stream header.
bool StreamSize(const uint8_t* in, size_t inSize, uint64_t* size);

// The most bytes PackBlock can write for an input of `size` bytes.
size_t PackBlockBound(size_t size);

// Compresses one block (search effort from the level). `out` must hold
// PackBlockBound(size) bytes. Answers the bytes written (0 for an empty block).
size_t PackBlock(const uint8_t* in, size_t size, uint8_t* out, int level);

// Compresses a whole member into a "1zlb" stream with the level's block size.
std::vector<uint8_t> PackStream(const uint8_t* in, size_t size, int level);
