// The twelve pairs of identifier and display-text lists that the control program
// loads from the driver's match lists. Settings store positions in the Ids lists.
#pragma once

#include <string>
#include <vector>

namespace mlc {

struct MatchListPair {
    std::vector<std::string> Ids;   // identifiers sent to the units
    std::vector<std::string> Names; // display texts, same length

    // Position of an identifier (exact, case-sensitive), or -1.
    int indexOf(const std::string& id) const {
        for (std::size_t i = 0; i < Ids.size(); ++i)
            if (Ids[i] == id)
                return static_cast<int>(i);
        return -1;
    }
    // The identifier at a stored position, or nullptr when the position has none.
    const std::string* idAt(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < Ids.size()
                   ? &Ids[static_cast<std::size_t>(index)]
                   : nullptr;
    }
};

struct MatchLists {
    MatchListPair InputSources;
    MatchListPair ColorTemp;
    MatchListPair ScaleMode;
    MatchListPair InputFilter;
    MatchListPair KeystoningMode;
    MatchListPair FrameLock;
    MatchListPair Interpolation;
    MatchListPair ScreenColors;
    MatchListPair OutputDisplays;
    MatchListPair HD15Sync;
    MatchListPair TestPattern;
    MatchListPair Language;
};

} // namespace mlc
