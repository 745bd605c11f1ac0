#include "session.h"

#include "checksum.h"

#include <algorithm>

namespace mlemu {

namespace {

constexpr std::uint8_t kAck = 6;
constexpr std::uint8_t kNak = 21;
constexpr std::uint8_t kPacketFollows = 30;
// Stray bytes of the garbage fault: none of them is a reply byte the host knows.
constexpr std::uint8_t kGarbage[] = {0xA5, 0x5A, 0xC3};

const char* replyName(UnitAnswer::Kind kind) {
    switch (kind) {
    case UnitAnswer::Kind::Ack:
        return "ack";
    case UnitAnswer::Kind::Nak:
        return "nak";
    case UnitAnswer::Kind::Packet:
        return "packet";
    }
    return "?";
}

} // namespace

Session::Session(const UnitCatalog& catalog, Chain& chain, TrafficLog& log, SessionOptions options,
                 Clock::time_point start)
    : catalog_(catalog), chain_(chain), log_(log), options_(std::move(options)),
      faults_(options_.faults, options_.seed),
      parser_(FrameParser::Handler{[this](const Frame& f) { onFrame(f); },
                                   [this](std::span<const std::uint8_t> b) { onNoise(b); }}),
      start_(start), now_(start), lastByte_(start), inLineFree_(start), outLineFree_(start) {
    chain_.setMissTest(
        [this](int unit, const std::string& operation) { return faults_.misses(unit, operation); });
}

double Session::seconds(Clock::time_point now) const {
    return std::chrono::duration<double>(now - start_).count();
}

Session::Clock::duration Session::byteTime() const {
    if (options_.baud <= 0)
        return Clock::duration::zero();
    // Ten bits a byte: start, eight data bits, stop.
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(10.0 / options_.baud));
}

bool Session::inputBacklogged() const {
    return inputBytes_ >= kMaxPendingInput;
}

void Session::receive(std::span<const std::uint8_t> bytes, Clock::time_point now) {
    if (bytes.empty())
        return;
    if (options_.baud <= 0) {
        advance(now);
        deliver(bytes, now);
        return;
    }
    // The bytes are with the unit only once the line has carried them.
    inLineFree_ = std::max(inLineFree_, now) + byteTime() * static_cast<long>(bytes.size());
    input_.push_back({inLineFree_, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
    inputBytes_ += bytes.size();
    advance(now);
}

void Session::advance(Clock::time_point now) {
    while (!input_.empty() && input_.front().due <= now) {
        Pending chunk = std::move(input_.front());
        input_.pop_front();
        inputBytes_ -= chunk.bytes.size();
        deliver(chunk.bytes, chunk.due);
    }
    now_ = now;
    while (parser_.midFrame() && now - lastByte_ >= options_.partialTimeout)
        parser_.abandonPartial();
}

void Session::deliver(std::span<const std::uint8_t> bytes, Clock::time_point at) {
    now_ = at;
    if (parser_.midFrame() && at - lastByte_ >= options_.partialTimeout) {
        while (parser_.midFrame())
            parser_.abandonPartial();
    }
    lastByte_ = at;
    if (awaitingHostAck_ && !parser_.midFrame() && (bytes[0] == kAck || bytes[0] == kNak)) {
        log_.write(seconds(at), "rx", lastAnswerer_, "kind=hostack", bytes.first(1));
        bytes = bytes.subspan(1);
    }
    awaitingHostAck_ = false;
    // Large chunks go in pieces so the parser never holds more than a packet and a piece.
    constexpr std::size_t kPiece = 65536;
    while (!bytes.empty()) {
        const std::size_t n = std::min(bytes.size(), kPiece);
        parser_.feed(bytes.first(n));
        bytes = bytes.subspan(n);
    }
}

void Session::onNoise(std::span<const std::uint8_t> bytes) {
    log_.write(seconds(now_), "rx", "-", "kind=noise", bytes, 64);
}

void Session::onFrame(const Frame& frame) {
    const ChainOutcome outcome = chain_.handle(frame);
    if (log_.open()) {
        std::string fields = "type=" + std::to_string(frame.type) + " kind=badcrc";
        if (frame.checksumValid)
            fields = describePacket(catalog_, frame.type, frame.payload(), false) +
                     (outcome.answer.queued ? " queued=1" : "");
        for (std::size_t i = 0; i < outcome.missed.size(); ++i)
            fields += (i ? "," : " missed=") + std::to_string(outcome.missed[i]);
        log_.write(seconds(now_), "rx", outcome.addressed, fields, frame.bytes);
    }
    if (outcome.answerer != ChainOutcome::kNobody)
        answer(frame, outcome);
}

std::string Session::operationName(const Frame& frame) const {
    if (frame.type != LV_PACKET_TYPE_OPERATION)
        return {};
    const std::optional<OpRequest> request = OpRequest::parse(frame.payload());
    const OpInfo* op = request ? catalog_.operation(request->code) : nullptr;
    return op ? op->def->name : std::string();
}

void Session::answer(const Frame& frame, const ChainOutcome& outcome) {
    const std::string unit =
        outcome.answerer == ChainOutcome::kChain ? "chain" : std::to_string(outcome.answerer);
    const UnitAnswer& reply = outcome.answer;
    std::vector<std::uint8_t> bytes;
    std::string fields = std::string("reply=") + replyName(reply.kind);
    if (reply.kind == UnitAnswer::Kind::Packet) {
        bytes.push_back(kPacketFollows);
        const std::vector<std::uint8_t> packet = lv::encodeFrame(reply.replyType, reply.replyPayload);
        bytes.insert(bytes.end(), packet.begin(), packet.end());
        if (log_.open())
            fields += " " + describePacket(catalog_, reply.replyType, reply.replyPayload, true);
    } else {
        bytes.push_back(reply.kind == UnitAnswer::Kind::Ack ? kAck : kNak);
    }

    Clock::duration delay = Clock::duration::zero();
    if (const std::optional<FaultSpec> fault = faults_.decide(outcome.answerer, operationName(frame))) {
        fields += std::string(" fault=") + faultName(fault->kind);
        switch (fault->kind) {
        case FaultKind::Drop:
        case FaultKind::Silent:
            bytes.clear();
            break;
        case FaultKind::Nak:
            bytes.assign(1, kNak);
            break;
        case FaultKind::Crc:
            if (reply.kind != UnitAnswer::Kind::Packet) {
                // A plain answer becomes a reply packet (the request echoed) that
                // fails its check.
                bytes.assign(1, kPacketFollows);
                const std::vector<std::uint8_t> echo = lv::encodeFrame(frame.type, frame.payload());
                bytes.insert(bytes.end(), echo.begin(), echo.end());
            }
            bytes[7] ^= 0xFF; // low byte of the reply packet's checksum
            break;
        case FaultKind::Garbage:
            bytes.insert(bytes.begin(), std::begin(kGarbage), std::end(kGarbage));
            break;
        case FaultKind::Late:
            delay = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(fault->delay));
            fields += " delay=" + std::to_string(fault->delay);
            break;
        case FaultKind::Miss: // decided before the units acted, never here
            break;
        }
    }
    if (outputBytes_ + bytes.size() > kMaxPendingOutput) {
        // The host stopped reading; answers are lost rather than piling up.
        fields += " overflow=1";
        bytes.clear();
    }
    log_.write(seconds(now_), "tx", unit, fields, bytes);
    lastAnswerer_ = unit;
    if (std::find(bytes.begin(), bytes.end(), kPacketFollows) != bytes.end())
        awaitingHostAck_ = true;
    send(std::move(bytes), delay);
}

void Session::send(std::vector<std::uint8_t> bytes, Clock::duration delay) {
    if (bytes.empty())
        return;
    outputBytes_ += bytes.size();
    const Clock::duration perByte = byteTime();
    if (delay > Clock::duration::zero()) {
        // A late answer keeps its own time: the answers after it do not wait for it.
        Clock::time_point t = now_ + delay;
        for (std::uint8_t b : bytes) {
            t += perByte;
            const auto at =
                std::upper_bound(output_.begin(), output_.end(), t,
                                 [](Clock::time_point due, const Pending& p) { return due < p.due; });
            output_.insert(at, Pending{t, {b}});
        }
        return;
    }
    if (perByte == Clock::duration::zero()) {
        const auto at = std::upper_bound(output_.begin(), output_.end(), now_,
                                         [](Clock::time_point due, const Pending& p) { return due < p.due; });
        output_.insert(at, Pending{now_, std::move(bytes)});
        return;
    }
    Clock::time_point t = std::max(now_, outLineFree_);
    for (std::uint8_t b : bytes) {
        t += perByte;
        const auto at = std::upper_bound(output_.begin(), output_.end(), t,
                                         [](Clock::time_point due, const Pending& p) { return due < p.due; });
        output_.insert(at, Pending{t, {b}});
    }
    outLineFree_ = t;
}

std::vector<std::uint8_t> Session::takeOutput(Clock::time_point now) {
    std::vector<std::uint8_t> out;
    while (!output_.empty() && output_.front().due <= now) {
        out.insert(out.end(), output_.front().bytes.begin(), output_.front().bytes.end());
        outputBytes_ -= output_.front().bytes.size();
        output_.pop_front();
    }
    return out;
}

std::optional<Session::Clock::time_point> Session::nextWake() const {
    std::optional<Clock::time_point> wake;
    auto consider = [&wake](Clock::time_point t) { wake = wake ? std::min(*wake, t) : t; };
    if (!output_.empty())
        consider(output_.front().due);
    if (!input_.empty())
        consider(input_.front().due);
    if (parser_.midFrame())
        consider(lastByte_ + options_.partialTimeout);
    return wake;
}

} // namespace mlemu
