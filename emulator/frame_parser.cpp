#include "frame_parser.h"

#include "checksum.h"
#include "little_endian.h"

#include <algorithm>
#include <cstring>

namespace mlemu {

namespace {
constexpr std::uint8_t kSync0 = 0xBE;
constexpr std::uint8_t kSync1 = 0xEF;

} // namespace

FrameParser::FrameParser(Handler handler) : handler_(std::move(handler)) {}

void FrameParser::feed(std::span<const std::uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    parse();
}

bool FrameParser::midFrame() const {
    return start_ < buffer_.size();
}

void FrameParser::abandonPartial() {
    if (!midFrame())
        return;
    dropNoise(1);
    parse();
}

void FrameParser::dropNoise(std::size_t count) {
    if (count == 0)
        return;
    if (handler_.noise)
        handler_.noise(std::span(buffer_).subspan(start_, count));
    start_ += count;
}

void FrameParser::parse() {
    for (;;) {
        const std::span<const std::uint8_t> pending = std::span(buffer_).subspan(start_);
        // Hunt for the sync word; a lone BE at the end may be its first half.
        std::size_t sync = 0;
        while (sync < pending.size() &&
               !(pending[sync] == kSync0 && (sync + 1 == pending.size() || pending[sync + 1] == kSync1)))
            ++sync;
        dropNoise(sync);
        const std::span<const std::uint8_t> rest = std::span(buffer_).subspan(start_);
        if (rest.size() < kHeaderSize)
            break;
        const std::size_t length = lv::getLe16(&rest[3]);
        const std::size_t total = kHeaderSize + length;
        if (rest.size() < total)
            break;
        Frame frame;
        frame.bytes.assign(rest.begin(), rest.begin() + total);
        frame.type = rest[2];
        frame.length = static_cast<std::uint16_t>(length);
        frame.checksumValid = lv::frameChecksumValid(frame.bytes);
        if (frame.checksumValid || length > kRescanLimit) {
            // A long damaged packet is skipped whole: searching inside it byte by
            // byte would cost a checksum over up to 64 KiB at every false sync word.
            start_ += total;
        } else {
            // Report it, then look again from the byte after its first: the bytes
            // may hold the start of a good packet that a cut one swallowed.
            start_ += 1;
        }
        if (handler_.frame)
            handler_.frame(frame);
    }
    compact();
}

void FrameParser::compact() {
    if (start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
    } else if (start_ > 4096 && start_ * 2 > buffer_.size()) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
}

} // namespace mlemu
