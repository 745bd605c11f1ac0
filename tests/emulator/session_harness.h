// The emulator's units' end in-process: packets in, answer bytes out, on a clock
// the test moves by hand.
#pragma once

#include "chain.h"
#include "session.h"
#include "test_definitions.h"
#include "unit_catalog.h"

#include <chrono>
#include <memory>

namespace emutest {

class SessionHarness {
public:
    explicit SessionHarness(std::vector<int> ids, mlemu::SessionOptions options = {},
                            const std::string& logPath = "")
        : catalog_(lv::Definitions::fromBytes(testDefinitionsImage())), chain_(catalog_, ids),
          log_(logPath.empty() ? std::make_unique<mlemu::TrafficLog>()
                               : std::make_unique<mlemu::TrafficLog>(logPath)),
          session_(catalog_, chain_, *log_, std::move(options), now_) {}

    // Sends bytes and returns what is answered at once.
    std::vector<std::uint8_t> exchange(const std::vector<std::uint8_t>& bytes) {
        session_.receive(bytes, now_);
        return session_.takeOutput(now_);
    }
    // Lets time pass and returns what became due.
    std::vector<std::uint8_t> wait(std::chrono::milliseconds duration) {
        now_ += duration;
        session_.advance(now_);
        return session_.takeOutput(now_);
    }
    std::vector<std::uint8_t> select(int id) { return exchange(selectPacket(id)); }
    // The value reported by a get (reply offset 9), or -999999 without a reply packet.
    std::int32_t get(std::uint16_t code, std::int32_t target = 0) {
        const std::vector<std::uint8_t> reply = exchange(opPacket(2, code, target));
        exchange({6}); // the host's acknowledgement of the reply packet
        if (reply.size() != 1 + 7 + 25 || reply[0] != 30)
            return -999999;
        const std::size_t v = 1 + 7 + 9;
        return static_cast<std::int32_t>(reply[v] | reply[v + 1] << 8 | reply[v + 2] << 16 |
                                         static_cast<std::uint32_t>(reply[v + 3]) << 24);
    }

    const mlemu::UnitCatalog& catalog() const { return catalog_; }
    const mlemu::Chain& chain() const { return chain_; }
    const mlemu::Unit& unit(int id) const { return *chain_.unit(id); }
    mlemu::Session& session() { return session_; }

private:
    mlemu::UnitCatalog catalog_;
    mlemu::Chain chain_;
    std::unique_ptr<mlemu::TrafficLog> log_;
    mlemu::Session::Clock::time_point now_{};
    mlemu::Session session_;
};

using Bytes = std::vector<std::uint8_t>;
inline const Bytes kAck{6};
inline const Bytes kNak{21};
inline const Bytes kNothing{};

} // namespace emutest
