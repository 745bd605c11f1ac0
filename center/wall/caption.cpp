#include "wall/caption.h"

#include <filesystem>

namespace mlc {

namespace {

std::string documentName(const std::string& fileName, bool modified) {
    std::string name = fileName.empty() ? "Untitled" : std::filesystem::path(fileName).filename().string();
    if (modified)
        name += "*";
    return name;
}

} // namespace

CaptionTexts ComputeCaption(const CaptionState& state) {
    CaptionTexts texts;
    texts.Caption = "Marlune Control Center - [" +
                    documentName(state.SequenceFileName, state.SequenceModified) + " - " +
                    documentName(state.VideowallFileName, state.VideowallModified) + "]";
    texts.SyncStatus = state.WallSynced ? "Sync: OK" : "Sync: NEEDED";
    texts.LinkStatus = state.InhibitSerialCommunication ? "Serial link: OFF" : "Serial link: ON";
    return texts;
}

} // namespace mlc
