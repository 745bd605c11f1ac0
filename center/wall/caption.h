// The main window's caption and its two status texts, computed from the state.
#pragma once

#include <string>

namespace mlc {

struct CaptionState {
    std::string VideowallFileName; // empty for a new wall
    bool VideowallModified = false;
    std::string SequenceFileName;
    bool SequenceModified = false;
    bool WallSynced = false; // IsWallSynced()
    bool InhibitSerialCommunication = false;
};

struct CaptionTexts {
    std::string Caption;    // "Marlune Control Center - [Untitled - wall.MLV*]"
    std::string SyncStatus; // "Sync: OK" / "Sync: NEEDED"
    std::string LinkStatus; // "Serial link: ON" / "Serial link: OFF"
};

CaptionTexts ComputeCaption(const CaptionState& state);

} // namespace mlc
