// The chain of units on one line: who is selected, and which packet goes to which
// unit. A unit selected alone answers; all units selected at once act but stay
// silent (several answers would collide); with none selected nobody answers.
#pragma once

#include "frame_parser.h"
#include "unit.h"

#include <string>
#include <vector>

namespace mlemu {

struct ChainOutcome {
    static constexpr int kNobody = -1;
    static constexpr int kChain = 0; // answered by the chain as a whole

    std::string addressed; // "3", "all", "none" or "chain": who acted on the packet
    int answerer = kNobody;
    UnitAnswer answer;
};

class Chain {
public:
    enum class Selection { None, One, All };

    Chain(const UnitCatalog& catalog, const std::vector<int>& ids);

    ChainOutcome handle(const Frame& frame);

    const std::vector<Unit>& units() const { return units_; }
    const Unit* unit(int id) const;
    Selection selection() const { return selection_; }
    int selectedId() const { return selectedId_; }

private:
    template <typename Action> ChainOutcome dispatch(Action action);
    ChainOutcome select(std::int32_t id);

    const UnitCatalog& catalog_;
    std::vector<Unit> units_;
    Selection selection_ = Selection::None;
    int selectedId_ = 0;
};

} // namespace mlemu
