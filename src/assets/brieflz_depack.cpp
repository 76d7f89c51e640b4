// The BriefLZ depacker and the "1zlb" stream around its blocks.
//
// A block is one literal byte, then decisions read as single bits from 16-bit
// little-endian tag words, most significant bit first. A tag word is taken
// from the input only when a bit is needed and the previous word is used up,
// so literal and offset bytes sit between tag words in stream order.
// Bit 0: one literal byte. Bit 1: a match of gamma(g1) + 2 bytes from
// ((gamma(g2) - 2) * 256 + byte + 1) bytes back.
//
// Bounds are checked once per token (a literal run or a match), never per
// byte; every run and every match is proven to fit before it is copied.
#include "assets/brieflz.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr uint64_t BlockSizes[PackLevelCount] = {
    8192, 32768, 65536, 98304, 131072, 262144, 524288, 786432, 1048576};

// The decoder's view of the input: the current tag word, left-aligned so
// that its next bit is bit 31, and how many of its bits are still unread.
struct BitInput {
    const uint8_t* at;
    const uint8_t* end;
    uint32_t tag;
    int bitsLeft;
};

// Takes the next tag word when the current one is used up.
inline bool RefillTag(BitInput& input)
{
    if (input.bitsLeft > 0)
        return true;
    if (input.end - input.at < 2)
        return false;
    input.tag = (uint32_t(input.at[0]) | (uint32_t(input.at[1]) << 8)) << 16;
    input.at += 2;
    input.bitsLeft = 16;
    return true;
}

// One decision bit; false when the input has run out.
inline bool NextBit(BitInput& input, uint32_t& bit)
{
    if (!RefillTag(input))
        return false;
    bit = input.tag >> 31;
    input.tag <<= 1;
    input.bitsLeft--;
    return true;
}

// Short gamma numbers decoded from the next 8 tag bits at once: the value
// and the bits it takes, or 0 bits when the number is longer than 8 bits.
struct GammaEntry {
    uint8_t value;
    uint8_t bits;
};
// Every 8-bit window of tag bits and the gamma number it starts with.
constexpr std::array<GammaEntry, 256> MakeGammaTable()
{
    std::array<GammaEntry, 256> table{};
    for (int window = 0; window < 256; window++) {
        int v = 1;
        for (int pair = 0; pair < 4; pair++) {
            v = v * 2 + ((window >> (7 - 2 * pair)) & 1);
            if (!((window >> (6 - 2 * pair)) & 1)) {
                table[window] = GammaEntry{static_cast<uint8_t>(v), static_cast<uint8_t>(2 * pair + 2)};
                break;
            }
        }
    }
    return table;
}
constexpr std::array<GammaEntry, 256> GammaTable = MakeGammaTable();

// A gamma number: start at 1, then a data bit and a continue bit per step.
// Values above `limit` cannot belong to a sound block and fail at once,
// which also keeps the number from overflowing.
inline bool ReadGamma(BitInput& input, uint64_t limit, uint64_t& value)
{
    if (input.bitsLeft >= 8) {
        const GammaEntry entry = GammaTable[input.tag >> 24];
        if (entry.bits) {
            input.tag <<= entry.bits;
            input.bitsLeft -= entry.bits;
            value = entry.value;
            return value <= limit;
        }
    }
    uint64_t v = 1;
    uint32_t bit = 0;
    uint32_t more = 0;
    do {
        if (!NextBit(input, bit))
            return false;
        v = (v << 1) | bit;
        if (v > limit)
            return false;
        if (!NextBit(input, more))
            return false;
    } while (more);
    value = v;
    return true;
}

// Copies a match forwards. Overlapping matches repeat the bytes just
// written; they are copied in spans that double, which gives the same bytes
// as a byte-by-byte forward copy.
inline void CopyMatch(uint8_t* out, size_t offset, size_t length)
{
    const uint8_t* from = out - offset;
    if (offset >= length) {
        std::memcpy(out, from, length);
        return;
    }
    if (offset == 1) {
        std::memset(out, from[0], length);
        return;
    }
    size_t span = offset;
    while (length > span) {
        std::memcpy(out, from, span);
        out += span;
        length -= span;
        span *= 2;
    }
    std::memcpy(out, from, length);
}

// An unsigned 64-bit little-endian number.
uint64_t ReadLittle64(const uint8_t* p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; i--)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

// The block size of a packer level.
size_t PackBlockSize(int level)
{
    return static_cast<size_t>(BlockSizes[std::clamp(level, 0, PackLevelCount - 1)]);
}

// Only the block sizes of the nine levels are accepted.
bool IsValidBlockSize(uint64_t blockSize)
{
    return std::find(std::begin(BlockSizes), std::end(BlockSizes), blockSize) != std::end(BlockSizes);
}

// One block: the first literal, then tokens until the output is full.
bool DepackBlock(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t* consumed)
{
    if (outSize == 0 || inSize == 0)
        return false;
    BitInput input{in, in + inSize, 0, 0};
    uint8_t* o = out;
    uint8_t* const outEnd = out + outSize;
    *o++ = *input.at++;

    while (o < outEnd) {
        if (!RefillTag(input))
            return false;
        // A run of 0 bits is a run of literals; the tag's low bits below
        // bitsLeft are zero padding, so the run is capped by bitsLeft.
        int run = input.tag ? std::countl_zero(input.tag) : 32;
        run = std::min(run, input.bitsLeft);
        if (run > 0) {
            const size_t n = std::min(static_cast<size_t>(run), static_cast<size_t>(outEnd - o));
            const size_t inLeft = static_cast<size_t>(input.end - input.at);
            if (inLeft < n)
                return false;
            // NOTE: copying a fixed 16 bytes is faster than a variable copy;
            // the bytes past n are overwritten by what follows.
            if (inLeft >= 16 && static_cast<size_t>(outEnd - o) >= 16)
                std::memcpy(o, input.at, 16);
            else
                std::memcpy(o, input.at, n);
            o += n;
            input.at += n;
            input.tag <<= n;
            input.bitsLeft -= static_cast<int>(n);
            continue;
        }

        // A 1 bit: a match.
        input.tag <<= 1;
        input.bitsLeft--;
        const size_t room = static_cast<size_t>(outEnd - o);
        const size_t produced = static_cast<size_t>(o - out);
        uint64_t g1 = 0;
        uint64_t g2 = 0;
        if (!ReadGamma(input, room, g1) || g1 + 2 > room)
            return false;
        if (!ReadGamma(input, produced / 256 + 2, g2) || input.at >= input.end)
            return false;
        const size_t length = static_cast<size_t>(g1) + 2;
        const size_t offset = ((static_cast<size_t>(g2) - 2) << 8) + *input.at++ + 1;
        if (offset > produced)
            return false;
        if (offset >= 16 && length <= 16 && room >= 16)
            std::memcpy(o, o - offset, 16);
        else
            CopyMatch(o, offset, length);
        o += length;
    }
    *consumed = static_cast<size_t>(input.at - in);
    return true;
}

// The uncompressed size from a stream header.
bool StreamSize(const uint8_t* in, size_t inSize, uint64_t* size)
{
    if (inSize < StreamHeaderSize || std::memcmp(in, "1zlb", 4) != 0)
        return false;
    *size = ReadLittle64(in + 8);
    return true;
}

// The blocks of a stream, each beginning where the previous one ended.
bool DepackStream(const uint8_t* in, size_t inSize, uint8_t* out, size_t expectedSize)
{
    uint64_t size = 0;
    if (!StreamSize(in, inSize, &size) || size != expectedSize)
        return false;
    const uint64_t blockSize = ReadLittle64(in + 16);
    if (!IsValidBlockSize(blockSize))
        return false;
    size_t at = StreamHeaderSize;
    size_t done = 0;
    while (done < expectedSize) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(blockSize, expectedSize - done));
        size_t consumed = 0;
        if (!DepackBlock(in + at, inSize - at, out + done, n, &consumed))
            return false;
        at += consumed;
        done += n;
    }
    return true;
}
