// The units' end of the line, without the line itself: bytes from the host go in
// with the time they were read, the answers come out with the time they are due.
// Framing, the chain, faults, pacing at a baud rate and the traffic log meet here;
// the poll loop only moves bytes and sleeps until nextWake().
#pragma once

#include "chain.h"
#include "faults.h"
#include "frame_parser.h"
#include "traffic_log.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace mlemu {

struct SessionOptions {
    int baud = 0; // 0: full speed
    std::vector<FaultSpec> faults;
    std::uint64_t seed = 1;
    // A packet that stops arriving for this long is given up and its bytes searched
    // again for a sync word.
    std::chrono::milliseconds partialTimeout{100};
};

class Session {
public:
    using Clock = std::chrono::steady_clock;

    Session(const UnitCatalog& catalog, Chain& chain, TrafficLog& log, SessionOptions options,
            Clock::time_point start);

    // Bytes the host wrote, read off the line at now.
    void receive(std::span<const std::uint8_t> bytes, Clock::time_point now);
    // Lets time pass: paced input reaches the units, stale partial packets expire.
    void advance(Clock::time_point now);
    // Answer bytes due by now, in order; they leave the queue.
    std::vector<std::uint8_t> takeOutput(Clock::time_point now);
    // When something next becomes due; nothing when idle.
    std::optional<Clock::time_point> nextWake() const;

    // True while paced input waits, so the caller may stop reading for a while.
    bool inputBacklogged() const;
    double seconds(Clock::time_point now) const;

    static constexpr std::size_t kMaxPendingOutput = 1 << 20;
    static constexpr std::size_t kMaxPendingInput = 1 << 20;

private:
    struct Pending {
        Clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };

    void deliver(std::span<const std::uint8_t> bytes, Clock::time_point at);
    void onFrame(const Frame& frame);
    void onNoise(std::span<const std::uint8_t> bytes);
    void answer(const Frame& frame, const ChainOutcome& outcome);
    std::string operationName(const Frame& frame) const;
    void send(std::vector<std::uint8_t> bytes, Clock::duration delay);
    Clock::duration byteTime() const;

    const UnitCatalog& catalog_;
    Chain& chain_;
    TrafficLog& log_;
    SessionOptions options_;
    FaultInjector faults_;
    FrameParser parser_;
    Clock::time_point start_;
    Clock::time_point now_;         // time of the bytes being handled
    Clock::time_point lastByte_;    // when the last byte reached the parser
    Clock::time_point inLineFree_;  // paced input: when the line is done with what was read
    Clock::time_point outLineFree_; // paced output: when the line is done with what was sent
    std::deque<Pending> input_;     // paced input not yet arrived
    std::size_t inputBytes_ = 0;
    std::deque<Pending> output_; // answers not yet due, one entry per byte when paced
    std::size_t outputBytes_ = 0;
    bool awaitingHostAck_ = false; // a reply packet went out; the host acknowledges it
    std::string lastAnswerer_ = "-";
};

} // namespace mlemu
