// Packet framing as a unit sees it: a byte stream from the host cut into packets.
//
// The parser looks for the sync word (BE EF), reads the 7-byte header, then the
// payload of the announced length, and checks the CRC. Bytes before a sync word
// are reported as noise. A packet with a wrong checksum is reported once, and the
// search for the next sync word restarts one byte after the false start, so a good
// packet hidden behind a cut one is still found (for packets of ordinary size). Memory stays bounded: it
// holds at most one packet (65542 bytes) plus the chunk being fed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace mlemu {

// One complete packet as it came off the line: header and payload.
struct Frame {
    std::uint8_t type = 0;
    std::uint16_t length = 0;
    bool checksumValid = false;
    std::vector<std::uint8_t> bytes; // the whole packet, 7 + length bytes

    std::span<const std::uint8_t> payload() const { return std::span(bytes).subspan(7); }
};

class FrameParser {
public:
    struct Handler {
        std::function<void(const Frame&)> frame;                  // good or bad checksum
        std::function<void(std::span<const std::uint8_t>)> noise; // skipped bytes
    };

    explicit FrameParser(Handler handler);

    void feed(std::span<const std::uint8_t> bytes);

    // True while part of a packet is buffered (a sync word was seen).
    bool midFrame() const;

    // Gives up on a packet that stopped arriving: its first byte counts as noise and
    // the bytes after it are searched again for a sync word.
    void abandonPartial();

    static constexpr std::size_t kHeaderSize = 7;
    static constexpr std::size_t kMaxFrame = kHeaderSize + 65535;
    // Damaged packets up to this payload length are searched again from their second
    // byte; longer ones are skipped whole.
    static constexpr std::size_t kRescanLimit = 1024;

private:
    void parse();
    void dropNoise(std::size_t count);
    void compact();

    Handler handler_;
    std::vector<std::uint8_t> buffer_;
    std::size_t start_ = 0; // first unconsumed byte in buffer_
};

} // namespace mlemu
