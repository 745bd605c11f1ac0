#include "sync/match_list_loading.h"

#include "binding/driver_result.h"

#include <algorithm>
#include <string>
#include <vector>

namespace mlc {

namespace {

struct PairSource {
    MatchListPair MatchLists::*pair;
    const char* list;
    const char* exclude;
    std::vector<const char*> fixedNames;
};

const std::vector<PairSource>& pairSources() {
    static const std::vector<PairSource> sources = {
        {&MatchLists::InputSources, "mInputSources", "isAUTOSELECT", {}},
        {&MatchLists::ColorTemp, "mColorTemp", "", {}},
        {&MatchLists::ScaleMode,
         "mScaleMode",
         "smONE_TO_ONE,smFILL_TO_ASPECT_RATIO,smFILL_TO_16X9_LINEAR,sm4X3A_TO_4X3,smANAMORPHIC",
         {}},
        {&MatchLists::InputFilter, "mInputFilter", "", {}},
        {&MatchLists::KeystoningMode, "mKeystoningMode", "kmKEYSTONINGMODE_COUNT", {}},
        {&MatchLists::FrameLock,
         "mGenChannel16",
         "gc16CHANNEL2,gc16CHANNEL3,gc16CHANNEL4,gc16CHANNEL5,gc16CHANNEL6,gc16CHANNEL9,gc16CHANNEL10,"
         "gc16CHANNEL11,gc16CHANNEL12,gc16CHANNEL15,gc16CHANNEL16,gc16CURRENT_GENCHANNEL16",
         {"Disabled", "Abort", "Nearest", "Abort/Video", "Nearest/Video"}},
        {&MatchLists::Interpolation, "mInterpolation", "inSTATIC_MESH,inTWO_FIELDS_2L", {}},
        {&MatchLists::ScreenColors, "mScreenColors", "scDKBLUE,scDKGREEN,scDKRED,scWHITE", {}},
        {&MatchLists::OutputDisplays, "mOutputDisplays", "", {}},
        {&MatchLists::HD15Sync,
         "mGenChannel16",
         "gc16CHANNEL3,gc16CHANNEL4,gc16CHANNEL5,gc16CHANNEL6,gc16CHANNEL7,gc16CHANNEL8,gc16CHANNEL9,"
         "gc16CHANNEL10,gc16CHANNEL11,gc16CHANNEL12,gc16CHANNEL13,gc16CHANNEL14,gc16CHANNEL15,gc16CHANNEL16,"
         "gc16CURRENT_GENCHANNEL16",
         {"Separate", "Composite"}},
        {&MatchLists::TestPattern, "mTestPattern", "tpCURRENT_TESTPATTERN", {}},
        {&MatchLists::Language, "mLanguage", "", {}},
    };
    return sources;
}

std::string join(const std::vector<std::string>& items, const char* separator) {
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

} // namespace

bool LoadMatchLists(DriverBinding& binding, MatchLists& lists, Operator& op) {
    if (!binding.IsLoaded())
        return true;
    bool allLoaded = true;
    std::vector<std::string> empty;
    std::vector<std::string> short_;
    for (const PairSource& source : pairSources()) {
        MatchListPair& pair = lists.*source.pair;
        const std::uint8_t result = binding.LoadMatchList(pair.Ids, pair.Names, source.list, source.exclude);
        if (binding.ShowDriverResult(op, result))
            allLoaded = false;
        if (pair.Ids.empty() && IsDriverSuccess(result) &&
            std::find(empty.begin(), empty.end(), source.list) == empty.end())
            empty.push_back(source.list);
        const std::size_t fixed = std::min(source.fixedNames.size(), pair.Names.size());
        std::copy_n(source.fixedNames.begin(), fixed, pair.Names.begin());
        if (fixed < source.fixedNames.size() && !pair.Ids.empty())
            short_.push_back(std::string(source.list) + " (" + std::to_string(pair.Ids.size()) + " of " +
                             std::to_string(source.fixedNames.size()) + " entries)");
    }
    std::vector<std::string> lines;
    if (!empty.empty())
        lines.push_back("The driver's definitions have no entries in: " + join(empty, ", ") + ".");
    if (!short_.empty())
        lines.push_back("These lists are shorter than the program expects: " + join(short_, ", ") + ".");
    if (!lines.empty())
        op.showMessage(MessageKind::Warning,
                       join(lines, "\r\n") +
                           "\r\nSettings that need the missing entries are not sent to the units.");
    return allLoaded;
}

} // namespace mlc
