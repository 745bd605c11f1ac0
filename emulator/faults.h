// Reproducible fault injection on the units' answers.
//
// A fault is written KIND[,unit=ID][,at=N|,p=P][,delay=S]. It watches the answers
// of one unit (unit=ID) or of the whole chain; at=N hits the N-th such answer,
// p=P each one with probability P (drawn from a generator seeded by --seed), and
// neither hits every one. The first listed fault that hits an answer decides it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace mlemu {

enum class FaultKind { Drop, Nak, Crc, Garbage, Late, Silent };

struct FaultSpec {
    FaultKind kind = FaultKind::Drop;
    int unit = 0;            // 0: any answer of the chain
    std::uint64_t at = 0;    // 0: not counted
    double probability = -1; // below 0: not drawn
    double delay = 2.0;      // seconds, for late answers: past the host's 1.2 s time-out

    std::string text() const;
};

// Parses one --fault value; on failure returns nothing and sets error.
std::optional<FaultSpec> parseFault(const std::string& text, std::string& error);
const char* faultName(FaultKind kind);

class FaultInjector {
public:
    FaultInjector(std::vector<FaultSpec> faults, std::uint64_t seed);

    // Called once for every answer about to be sent; answerer is the unit's ID, or
    // 0 for an answer of the chain as a whole. Returns the fault to apply, if any.
    std::optional<FaultSpec> decide(int answerer);

private:
    std::vector<FaultSpec> faults_;
    std::mt19937_64 random_;
    std::uint64_t chainAnswers_ = 0;
    std::map<int, std::uint64_t> unitAnswers_;
    bool chainSilent_ = false;
    std::set<int> silentUnits_;
};

} // namespace mlemu
