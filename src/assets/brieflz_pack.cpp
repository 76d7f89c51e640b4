// Our BriefLZ compressor: hash chains over the whole block find earlier
// occurrences of the bytes ahead; a match is taken when it costs fewer bits
// than the literals it replaces. Higher levels use larger blocks, follow the
// chains further and look one byte ahead before taking a match.
#include "assets/brieflz.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr int MaxHashBits = 20;
constexpr uint32_t NoPosition = 0xFFFFFFFFu;
constexpr size_t MinMatch = 4;

// Search effort per level: candidates followed on a chain, the length that
// ends a search early, and whether to look one byte ahead.
struct SearchEffort {
    int chainDepth;
    size_t niceLength;
    bool lazy;
};
constexpr SearchEffort Efforts[PackLevelCount] = {
    {2, 32, false},   {4, 64, false},   {8, 128, false},
    {16, 256, true},  {24, 512, true},  {32, 1024, true},
    {64, 2048, true}, {128, 4096, true}, {256, 8192, true}};

// Bits and bytes written so far; tag words are reserved in the output at the
// moment their first bit is written, exactly where the depacker reads them.
struct BitOutput {
    uint8_t* base;
    size_t pos;
    size_t tagPos;
    uint32_t tag;
    int bitsLeft;
    bool tagOpen;
};

// Writes the open tag word into the place reserved for it.
void FlushTag(BitOutput& out)
{
    if (!out.tagOpen)
        return;
    out.base[out.tagPos] = static_cast<uint8_t>(out.tag & 0xFF);
    out.base[out.tagPos + 1] = static_cast<uint8_t>(out.tag >> 8);
}

// One decision bit; a new tag word is reserved when the last one is full.
void PutBit(BitOutput& out, uint32_t bit)
{
    if (out.bitsLeft == 0) {
        FlushTag(out);
        out.tagPos = out.pos;
        out.pos += 2;
        out.tag = 0;
        out.bitsLeft = 16;
        out.tagOpen = true;
    }
    out.bitsLeft--;
    out.tag |= bit << out.bitsLeft;
}

// A gamma number (at least 2): its bits below the top one, each followed by
// a continue bit that is 0 after the last.
void PutGamma(BitOutput& out, size_t value)
{
    int top = std::bit_width(value) - 1;
    for (int i = top - 1; i >= 0; i--) {
        PutBit(out, static_cast<uint32_t>((value >> i) & 1));
        PutBit(out, i > 0 ? 1u : 0u);
    }
}

// Tag bits a gamma number takes.
int GammaBits(size_t value)
{
    return 2 * (std::bit_width(value) - 1);
}

// Bits a match costs, counting its offset byte.
int MatchCost(size_t length, size_t offset)
{
    return 1 + GammaBits(length - 2) + GammaBits(((offset - 1) >> 8) + 2) + 8;
}

// What a match saves against writing its bytes as literals (9 bits each).
long MatchSaving(size_t length, size_t offset)
{
    return static_cast<long>(9 * length) - MatchCost(length, offset);
}

// NOTE: the hash table grows with the block (about one slot per position) so
// that chains stay short; on incompressible data every chain step is a cache
// miss.
inline uint32_t HashAt(const uint8_t* p, int hashBits)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return (v * 2654435761u) >> (32 - hashBits);
}

struct Match {
    size_t length;
    size_t offset;
    long saving;
};

// The hash chains of one block: head per hash, and for each position the
// previous position with the same hash.
struct Chains {
    std::vector<uint32_t> head;
    std::vector<uint32_t> prev;
    size_t inserted;
    int hashBits;
};

// Adds positions up to `end` to the chains (those with 4 bytes ahead).
void InsertUpTo(Chains& chains, const uint8_t* in, size_t size, size_t end)
{
    const size_t last = size >= MinMatch ? size - MinMatch + 1 : 0;
    end = std::min(end, last);
    for (size_t p = chains.inserted; p < end; p++) {
        const uint32_t h = HashAt(in + p, chains.hashBits);
        chains.prev[p] = chains.head[h];
        chains.head[h] = static_cast<uint32_t>(p);
    }
    chains.inserted = std::max(chains.inserted, end);
}

// The best match for position p among earlier positions of its chain.
Match FindMatch(const Chains& chains, const uint8_t* in, size_t size, size_t p,
                const SearchEffort& effort)
{
    Match best{0, 0, 0};
    if (p + MinMatch > size)
        return best;
    const size_t maxLength = size - p;
    uint32_t candidate = chains.head[HashAt(in + p, chains.hashBits)];
    // The chain's head may be p itself once p is inserted; skip it.
    if (candidate == p)
        candidate = chains.prev[candidate];
    for (int depth = 0; candidate != NoPosition && depth < effort.chainDepth; depth++) {
        const size_t c = candidate;
        candidate = chains.prev[c];
        if (best.length > 0 && (best.length >= maxLength || in[c + best.length] != in[p + best.length]))
            continue;
        size_t length = 0;
        while (length < maxLength && in[c + length] == in[p + length])
            length++;
        if (length < MinMatch)
            continue;
        const long saving = MatchSaving(length, p - c);
        if (saving > best.saving)
            best = Match{length, p - c, saving};
        if (best.length >= effort.niceLength || best.length == maxLength)
            break;
    }
    return best;
}

} // namespace

// Worst case: every byte a literal, plus its tag bit.
size_t PackBlockBound(size_t size)
{
    return size + size / 8 + 16;
}

// Greedy parsing with an optional one-byte look-ahead.
size_t PackBlock(const uint8_t* in, size_t size, uint8_t* out, int level)
{
    if (size == 0)
        return 0;
    const SearchEffort& effort = Efforts[std::clamp(level, 0, PackLevelCount - 1)];
    const int hashBits = std::clamp(static_cast<int>(std::bit_width(size)), 10, MaxHashBits);
    Chains chains{std::vector<uint32_t>(size_t(1) << hashBits, NoPosition),
                  std::vector<uint32_t>(size, NoPosition), 0, hashBits};
    BitOutput bits{out, 0, 0, 0, 0, false};
    bits.base[bits.pos++] = in[0];
    size_t p = 1;
    InsertUpTo(chains, in, size, 1);
    while (p < size) {
        InsertUpTo(chains, in, size, p + 1);
        Match match = FindMatch(chains, in, size, p, effort);
        if (match.length > 0 && effort.lazy && match.length < effort.niceLength) {
            InsertUpTo(chains, in, size, p + 2);
            const Match next = FindMatch(chains, in, size, p + 1, effort);
            // A better match one byte on is worth the literal before it.
            if (next.saving > match.saving + 9)
                match.length = 0;
        }
        if (match.length == 0) {
            PutBit(bits, 0);
            bits.base[bits.pos++] = in[p];
            p++;
            continue;
        }
        PutBit(bits, 1);
        PutGamma(bits, match.length - 2);
        PutGamma(bits, ((match.offset - 1) >> 8) + 2);
        bits.base[bits.pos++] = static_cast<uint8_t>((match.offset - 1) & 0xFF);
        p += match.length;
        InsertUpTo(chains, in, size, p);
    }
    FlushTag(bits);
    return bits.pos;
}

// Header, then each block packed on its own.
std::vector<uint8_t> PackStream(const uint8_t* in, size_t size, int level)
{
    const size_t blockSize = PackBlockSize(level);
    std::vector<uint8_t> stream(StreamHeaderSize, 0);
    std::memcpy(stream.data(), "1zlb", 4);
    for (int i = 0; i < 8; i++) {
        stream[8 + i] = static_cast<uint8_t>(uint64_t(size) >> (8 * i));
        stream[16 + i] = static_cast<uint8_t>(uint64_t(blockSize) >> (8 * i));
    }
    std::vector<uint8_t> block(PackBlockBound(std::min(size, blockSize)));
    for (size_t done = 0; done < size; done += blockSize) {
        const size_t n = std::min(blockSize, size - done);
        const size_t packed = PackBlock(in + done, n, block.data(), level);
        stream.insert(stream.end(), block.begin(), block.begin() + static_cast<long>(packed));
    }
    return stream;
}
