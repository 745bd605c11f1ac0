// The keys of the virtual remote control: each key's tag (1..35), control name,
// hint and the remote-control event it sends to the units.
#pragma once

#include <array>

namespace mlc {

struct RemoteKey {
    int tag;
    const char* control; // objectName of the key area
    const char* hint;
    const char* event; // event name in the definition file
};

inline constexpr int kRemoteKeyCount = 35;

// In tag order: RemoteKeys()[tag - 1].tag == tag.
const std::array<RemoteKey, kRemoteKeyCount>& RemoteKeys();

// The key with that tag, or nullptr for a tag outside 1..35.
const RemoteKey* RemoteKeyByTag(int tag);

} // namespace mlc
