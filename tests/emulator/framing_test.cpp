// Framing from the units' side: whatever the host sends, the units resynchronise
// on the next sync word and answer the next good packet.
#include "frame_parser.h"
#include "session_harness.h"

#include <gtest/gtest.h>

using namespace emutest;
using namespace std::chrono_literals;

namespace {

struct Collected {
    std::vector<mlemu::Frame> frames;
    std::size_t noise = 0;
    mlemu::FrameParser parser{{[this](const mlemu::Frame& f) { frames.push_back(f); },
                               [this](std::span<const std::uint8_t> b) { noise += b.size(); }}};
};

TEST(FrameParser, CutsAStreamIntoPacketsAcrossArbitrarySplits) {
    Bytes stream = {0x00, 0xBE}; // noise, including a lone first sync byte
    const Bytes a = selectPacket(3);
    const Bytes b = packet(1, {6, 0, 0, 0, 0});
    stream.insert(stream.end(), a.begin(), a.end());
    stream.insert(stream.end(), b.begin(), b.end());
    for (std::size_t split = 1; split < stream.size(); ++split) {
        Collected c;
        c.parser.feed(std::span(stream).first(split));
        c.parser.feed(std::span(stream).subspan(split));
        ASSERT_EQ(c.frames.size(), 2u) << "split at " << split;
        EXPECT_EQ(c.frames[0].bytes, a);
        EXPECT_TRUE(c.frames[1].checksumValid);
        EXPECT_EQ(c.frames[1].bytes, b);
        EXPECT_EQ(c.noise, 2u);
    }
}

TEST(FrameParser, FindsAGoodPacketBehindABadOne) {
    Collected c;
    Bytes cut = selectPacket(3);
    cut.resize(12); // header says 25 payload bytes, only 5 follow
    const Bytes good = packet(1, {6, 0, 0, 0, 0});
    Bytes stream = cut;
    for (int i = 0; i < 3; ++i)
        stream.insert(stream.end(), good.begin(), good.end());
    c.parser.feed(stream);
    // The cut packet swallows what follows and fails its check; searching again
    // from its second byte finds the packets inside.
    ASSERT_GE(c.frames.size(), 2u);
    EXPECT_FALSE(c.frames[0].checksumValid);
    EXPECT_TRUE(c.frames.back().checksumValid);
    EXPECT_EQ(c.frames.back().bytes, good);
}

TEST(FrameParser, AHugeLengthWaitsUntilAbandonedAndHoldsOnlyOnePacket) {
    Collected c;
    c.parser.feed(Bytes{0xBE, 0xEF, 3, 0xFF, 0xFF, 0, 0});
    EXPECT_TRUE(c.parser.midFrame());
    const Bytes good = packet(1, {6, 0, 0, 0, 0});
    c.parser.feed(good);
    EXPECT_TRUE(c.frames.empty());
    c.parser.abandonPartial();
    ASSERT_EQ(c.frames.size(), 1u);
    EXPECT_EQ(c.frames[0].bytes, good);
    EXPECT_FALSE(c.parser.midFrame());

    // A full 65535-byte payload is a legal packet.
    Bytes big(65535, 0x11);
    const Bytes bigPacket = packet(16, big);
    c.parser.feed(bigPacket);
    ASSERT_EQ(c.frames.size(), 2u);
    EXPECT_EQ(c.frames[1].bytes.size(), mlemu::FrameParser::kMaxFrame);
}

TEST(SessionFraming, BadChecksumNoiseAndCutPacketsThenAGoodPacketIsAnswered) {
    SessionHarness h({1});
    Bytes bad = selectPacket(1);
    bad[6] ^= 0x01;
    EXPECT_EQ(h.exchange(bad), kNak);
    EXPECT_EQ(h.chain().selection(), mlemu::Chain::Selection::None) << "a damaged packet changes nothing";

    EXPECT_EQ(h.exchange({0x00, 0xFF, 0x13, 0xEF, 0xBE}), kNothing);
    Bytes cut = selectPacket(1);
    cut.resize(10);
    EXPECT_EQ(h.exchange(cut), kNothing);
    EXPECT_EQ(h.wait(150ms), kNothing) << "a packet that stopped arriving is given up";
    EXPECT_EQ(h.exchange(selectPacket(1)), kAck);

    EXPECT_EQ(h.exchange({0xBE, 0xEF, 3, 0xFF, 0xFF, 0x12, 0x34}), kNothing);
    EXPECT_EQ(h.exchange(packet(1, {6, 0, 0, 0, 0})), kNothing) << "still inside the huge packet";
    EXPECT_EQ(h.wait(150ms), kAck) << "found again once the huge packet is given up";
}

TEST(SessionFraming, RandomNoiseNeverStopsTheUnits) {
    SessionHarness h({1});
    std::uint32_t seed = 12345;
    Bytes noise(200000);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        seed = seed * 1103515245 + 12345;
        noise[i] = static_cast<std::uint8_t>(seed >> 16);
        if (i % 37 == 0 && i + 1 < noise.size()) {
            noise[i] = 0xBE; // many false sync words with random lengths
            noise[++i] = 0xEF;
        }
    }
    for (std::size_t at = 0; at < noise.size(); at += 4096)
        h.exchange(Bytes(noise.begin() + static_cast<long>(at),
                         noise.begin() + static_cast<long>(std::min(noise.size(), at + 4096))));
    h.wait(150ms);
    h.wait(150ms);
    const Bytes answer = h.exchange(packet(1, {6, 0, 0, 0, 0}));
    ASSERT_FALSE(answer.empty());
    EXPECT_EQ(answer.back(), 6);
}

TEST(SessionPacing, BytesLeaveAtTheLineRate) {
    mlemu::SessionOptions options;
    options.baud = 19200; // 10 bits a byte: 520.8 us
    SessionHarness h({1}, options);
    const Bytes select = selectPacket(1); // 32 bytes: 16.7 ms on the line
    EXPECT_EQ(h.exchange(select), kNothing);
    EXPECT_EQ(h.wait(16ms), kNothing) << "the packet is still on the line";
    EXPECT_EQ(h.wait(1ms), kNothing) << "the whole packet has arrived, the answer is on its way";
    EXPECT_EQ(h.wait(1ms), kAck);
}

} // namespace

namespace {

TEST(FrameParser, NoiseFullOfSyncWordsCostsBoundedWork) {
    // Every other byte starts a sync word whose length points far ahead: searching
    // each long damaged packet byte by byte would take minutes.
    Collected c;
    Bytes stream(2 * 65536);
    for (std::size_t i = 0; i < stream.size(); i += 2) {
        stream[i] = 0xBE;
        stream[i + 1] = 0xEF;
    }
    c.parser.feed(stream);
    while (c.parser.midFrame())
        c.parser.abandonPartial();
    const Bytes good = packet(1, {6, 0, 0, 0, 0});
    c.parser.feed(good);
    ASSERT_FALSE(c.frames.empty());
    EXPECT_EQ(c.frames.back().bytes, good);
}

} // namespace
