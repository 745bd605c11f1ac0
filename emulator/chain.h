// The chain of units on one line: who is selected, and which packet goes to which
// unit. A unit selected alone answers; all units selected at once act but stay
// silent (several answers would collide); with none selected nobody answers.
#pragma once

#include "frame_parser.h"
#include "unit.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace mlemu {

struct ChainOutcome {
    static constexpr int kNobody = -1;
    static constexpr int kChain = 0; // answered by the chain as a whole

    std::string addressed; // "3", "all", "none" or "chain": who acted on the packet
    int answerer = kNobody;
    UnitAnswer answer;
    std::vector<int> missed; // units that did not hear it
};

class Chain {
public:
    enum class Selection { None, One, All };

    // Asked for each unit about to act on a packet, with the name of the operation
    // it carries ("" for none): true when the unit does not hear it.
    using MissTest = std::function<bool(int unit, const std::string& operation)>;

    Chain(const UnitCatalog& catalog, const std::vector<int>& ids);

    ChainOutcome handle(const Frame& frame);
    void setMissTest(MissTest test) { missTest_ = std::move(test); }

    const std::vector<Unit>& units() const { return units_; }
    const Unit* unit(int id) const;
    Unit* unit(int id);
    Selection selection() const { return selection_; }
    int selectedId() const { return selectedId_; }

private:
    template <typename Action> ChainOutcome dispatch(const std::string& operation, Action action);
    ChainOutcome select(std::int32_t id, const std::string& operation);
    bool misses(int unit, const std::string& operation) const;

    const UnitCatalog& catalog_;
    std::vector<Unit> units_;
    Selection selection_ = Selection::None;
    int selectedId_ = 0;
    std::set<int> sittingOut_; // missed the selection of all units: deaf until the next selection
    MissTest missTest_;
};

} // namespace mlemu
