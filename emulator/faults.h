// Reproducible fault injection on the units' answers and on what they hear.
//
// A fault is written KIND[,unit=ID][,op=NAME][,at=N|,p=P][,delay=S]. It watches the
// answers of one unit (unit=ID) or of the whole chain; op=NAME narrows that to the
// answers to packets carrying that operation. at=N hits the N-th such answer, p=P
// each one with probability P (drawn from a generator seeded by --seed), and
// neither hits every one. The first listed fault that hits an answer decides it.
//
// A miss is the one kind that acts on what a unit hears rather than on an answer:
// the unit ignores a packet it receives, as a line error would make it, and so
// neither acts on it nor answers. It watches the packets each unit receives (all
// units, or unit=ID), counted per unit, and only those carrying op=NAME when given.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace mlemu {

enum class FaultKind { Drop, Nak, Crc, Garbage, Late, Silent, Miss };

struct FaultSpec {
    FaultKind kind = FaultKind::Drop;
    int unit = 0;            // 0: any answer of the chain
    std::string operation;   // empty: packets of any operation, and packets that are none
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
    // 0 for an answer of the chain as a whole, operation the name of the operation
    // the answered packet carries ("" for none). Returns the fault to apply, if any.
    std::optional<FaultSpec> decide(int answerer, const std::string& operation);
    // Called for every unit about to act on a packet: true when it misses it.
    bool misses(int unit, const std::string& operation);

private:
    static bool hits(const FaultSpec& fault, std::uint64_t count, std::mt19937_64& random);

    std::vector<FaultSpec> faults_;
    std::mt19937_64 random_;
    std::vector<std::uint64_t> answers_;                         // answers each fault watched
    std::map<std::pair<std::size_t, int>, std::uint64_t> heard_; // packets each unit heard, per miss fault
    bool chainSilent_ = false;
    std::set<int> silentUnits_;
};

} // namespace mlemu
