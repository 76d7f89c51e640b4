// The depacker against blocks assembled here from the format's rules alone
// (independent of our packer), and against damaged and hostile streams.
#include "assets/brieflz.h"

#include "assets_support.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Builds a block token by token: tag words are placed in the byte stream at
// the moment their first bit is needed, exactly as a depacker reads them.
// `expected` is what the tokens must decode to, copied byte by byte.
struct BlockAssembler {
    std::vector<uint8_t> bytes, expected;
    size_t tagAt = 0;
    int bitsUsed = 16;  // 16: no tag word open

    void Bit(int bit)
    {
        if (bitsUsed == 16) {
            tagAt = bytes.size();
            bytes.push_back(0);
            bytes.push_back(0);
            bitsUsed = 0;
        }
        const int at = 15 - bitsUsed++;  // the word is little-endian, filled from its top bit
        bytes[tagAt + at / 8] |= static_cast<uint8_t>(bit << (at % 8));
    }
    // Gamma: the bits under the top one, each followed by "more follows".
    void Gamma(uint64_t value)
    {
        int top = 63;
        while (!(value >> top))
            top--;
        for (int i = top - 1; i >= 0; i--) {
            Bit(static_cast<int>((value >> i) & 1));
            Bit(i > 0 ? 1 : 0);
        }
    }
    void First(uint8_t byte)
    {
        bytes.push_back(byte);
        expected.push_back(byte);
    }
    void Literal(uint8_t byte)
    {
        Bit(0);
        First(byte);
    }
    void Match(size_t length, size_t offset)
    {
        Bit(1);
        Gamma(length - 2);
        Gamma(((offset - 1) >> 8) + 2);
        bytes.push_back(static_cast<uint8_t>((offset - 1) & 0xFF));
        for (size_t i = 0; i < length && offset <= expected.size(); i++)
            expected.push_back(expected[expected.size() - offset]);
    }
};

std::vector<uint8_t> StreamHeader(uint64_t size, uint64_t blockSize)
{
    std::vector<uint8_t> header = {'1', 'z', 'l', 'b', 0, 0, 0, 0};
    for (int i = 0; i < 16; i++)
        header.push_back(static_cast<uint8_t>((i < 8 ? size : blockSize) >> (8 * (i % 8))));
    return header;
}

// Decodes into `size` bytes followed by guard bytes that must stay untouched.
bool Decode(const std::vector<uint8_t>& block, std::vector<uint8_t>& out, size_t size, size_t* consumed)
{
    out.assign(size + 16, 0xA5);
    const bool decoded = DepackBlock(block.data(), block.size(), out.data(), size, consumed);
    EXPECT_EQ(std::count(out.begin() + static_cast<long>(size), out.end(), 0xA5), 16) << "written past the output";
    out.resize(size);
    return decoded;
}

} // namespace

// Long offsets (several 256-byte pages), long gamma numbers and overlapping
// matches with periods of 1, 3 and 7, across many tag words.
TEST(DepackBlock, DecodesAssembledMatchesOfEveryShape)
{
    BlockAssembler block;
    block.First('S');
    for (int i = 1; i < 700; i++)
        block.Literal(static_cast<uint8_t>(i * 37 + (i >> 3)));
    const std::pair<size_t, size_t> matches[] = {{4, 1}, {5000, 1}, {9, 3}, {1000, 7}, {4, 256},
                                                 {30, 257}, {600, 699}, {77, 4000}, {70000, 7000}};
    for (auto [length, offset] : matches) {
        block.Match(length, offset);
        block.Literal('x');
    }
    std::vector<uint8_t> out;
    size_t consumed = 0;
    ASSERT_TRUE(Decode(block.bytes, out, block.expected.size(), &consumed));
    EXPECT_EQ(out, block.expected);
    EXPECT_EQ(consumed, block.bytes.size());
    EXPECT_TRUE(Decode(block.bytes, out, 100, &consumed));  // an output that ends inside a run of literals
    EXPECT_EQ(out, std::vector<uint8_t>(block.expected.begin(), block.expected.begin() + 100));

    // Any shorter input is a truncated block.
    for (size_t cut = 0; cut < block.bytes.size(); cut++) {
        std::vector<uint8_t> shorter(block.bytes.begin(), block.bytes.begin() + static_cast<long>(cut));
        EXPECT_FALSE(Decode(shorter, out, block.expected.size(), &consumed)) << "cut at " << cut;
    }
}

// Offsets before the start of the output, and matches past its end (also
// one whose length, 64 bits long, would wrap round to a short one), fail.
TEST(DepackBlock, RefusesBackReferencesOutsideTheOutput)
{
    std::vector<uint8_t> out;
    size_t consumed = 0;
    for (size_t offset : {size_t(5), size_t(6), size_t(300)}) {
        BlockAssembler block;
        block.First('a');
        for (int i = 0; i < 4; i++)
            block.Literal('b');
        block.Match(4, offset);
        EXPECT_EQ(Decode(block.bytes, out, 9, &consumed), offset <= 5) << "offset " << offset;
    }
    BlockAssembler overrun;
    overrun.First('a');
    overrun.Match(10, 1);
    EXPECT_TRUE(Decode(overrun.bytes, out, 11, &consumed));
    EXPECT_FALSE(Decode(overrun.bytes, out, 10, &consumed));  // the match would pass the end
    BlockAssembler wrapped;
    wrapped.First('a');
    wrapped.Bit(1);
    for (int i = 0; i < 64; i++) {
        wrapped.Bit(0);
        wrapped.Bit(i < 63);
    }
    wrapped.Gamma(2);
    wrapped.bytes.push_back(0);
    EXPECT_FALSE(Decode(wrapped.bytes, out, 3, &consumed));
}

// Two blocks back to back, the second starting where the first ended, and
// the stream header's checks.
TEST(DepackStream, ChainsBlocksAndChecksTheHeader)
{
    BlockAssembler first;
    first.First('z');
    first.Match(8191, 1);
    BlockAssembler second;
    second.First('1');
    for (char c : std::string("2345"))
        second.Literal(static_cast<uint8_t>(c));
    std::vector<uint8_t> stream = StreamHeader(8197, 8192);
    stream.insert(stream.end(), first.bytes.begin(), first.bytes.end());
    stream.insert(stream.end(), second.bytes.begin(), second.bytes.end());

    std::vector<uint8_t> out(8197);
    ASSERT_TRUE(DepackStream(stream.data(), stream.size(), out.data(), out.size()));
    EXPECT_EQ(std::string(out.begin(), out.begin() + 8192), std::string(8192, 'z'));
    EXPECT_EQ(std::string(out.begin() + 8192, out.end()), "12345");

    // A size that differs from the caller's: refused either way round.
    EXPECT_FALSE(DepackStream(stream.data(), stream.size(), out.data(), 8196));
    std::vector<uint8_t> bigger(8198);
    EXPECT_FALSE(DepackStream(stream.data(), stream.size(), bigger.data(), bigger.size()));
    // A header that claims more than the blocks hold runs out of input.
    std::vector<uint8_t> lying = stream;
    lying[8] = static_cast<uint8_t>((8198 & 0xFF));
    EXPECT_FALSE(DepackStream(lying.data(), lying.size(), bigger.data(), bigger.size()));
    // Block sizes that no level uses.
    for (uint64_t blockSize : {uint64_t(0), uint64_t(1), uint64_t(8193), uint64_t(1) << 62}) {
        std::vector<uint8_t> absurd = StreamHeader(8197, blockSize);
        absurd.insert(absurd.end(), stream.begin() + StreamHeaderSize, stream.end());
        EXPECT_FALSE(DepackStream(absurd.data(), absurd.size(), out.data(), out.size())) << blockSize;
    }
    // Not a stream at all.
    std::vector<uint8_t> wrongMagic = stream;
    wrongMagic[3] = 'p';
    EXPECT_FALSE(DepackStream(wrongMagic.data(), wrongMagic.size(), out.data(), out.size()));
    EXPECT_FALSE(DepackStream(stream.data(), 20, out.data(), out.size()));
}

// Our packer's streams at every level decode, and every truncation fails.
// Random damage never makes the depacker write past the output or read past
// the input (the sanitizer build checks the reads): it fails or fills exactly
// the output, and the guard bytes after it stay untouched.
TEST(DepackStream, RefusesTruncationsAndSurvivesRandomDamage)
{
    const std::vector<uint8_t> text = TextBytes(20000, 3);
    for (int level = 0; level < PackLevelCount; level++) {
        const std::vector<uint8_t> stream = PackStream(text.data(), text.size(), level);
        std::vector<uint8_t> out(text.size());
        ASSERT_TRUE(DepackStream(stream.data(), stream.size(), out.data(), out.size()));
        EXPECT_EQ(out, text);
        for (size_t cut = 0; cut < stream.size(); cut += 1 + cut / 64)
            EXPECT_FALSE(DepackStream(stream.data(), cut, out.data(), out.size())) << "level " << level << " cut " << cut;
    }
    std::vector<uint8_t> data = TextBytes(50000, 11), noise = RandomBytes(50000, 12);
    data.insert(data.end(), noise.begin(), noise.end());
    data.resize(150000, 0x41);  // text, random bytes, then a run of one byte
    const std::vector<uint8_t> stream = PackStream(data.data(), data.size(), 0);
    std::mt19937 random(5);
    int failures = 0;
    for (int round = 0; round < 400; round++) {
        std::vector<uint8_t> damaged = stream;
        for (int i = 1 + static_cast<int>(random() % 8); i > 0; i--)
            damaged[StreamHeaderSize + random() % (damaged.size() - StreamHeaderSize)] = static_cast<uint8_t>(random());
        damaged.resize(damaged.size() - random() % 3);
        std::vector<uint8_t> out(data.size() + 64, 0xA5);
        failures += !DepackStream(damaged.data(), damaged.size(), out.data(), data.size());
        ASSERT_EQ(std::vector<uint8_t>(out.begin() + static_cast<long>(data.size()), out.end()),
                  std::vector<uint8_t>(64, 0xA5)) << "write past the output in round " << round;
    }
    EXPECT_GT(failures, 0);
}
