#include "sequencer/sequence_item.h"

#include <algorithm>

namespace mlc {

std::string cutText(std::string_view text, std::size_t limit) {
    if (text.size() <= limit)
        return std::string(text);
    std::size_t end = limit;
    // Step back over continuation bytes (10xxxxxx) so no character is split.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

void TSequenceItem::setName(std::string_view name) {
    const std::string cut = cutText(name, kMaxItemNameLength);
    NameChars.fill('\0');
    std::copy(cut.begin(), cut.end(), NameChars.begin());
    NameLength = static_cast<std::uint8_t>(cut.size());
}

std::unique_ptr<TSequenceItem> NewSequenceItem() {
    auto item = std::make_unique<TSequenceItem>();
    for (TMonitorSettings& s : item->Settings) {
        s.XPosition = 0.0;
        s.YPosition = 0.0;
        s.XZoom = 0.0;
        s.YZoom = 0.0;
    }
    return item;
}

} // namespace mlc
