// The dialogs the core object asks the window for.
#pragma once

#include "sequencer/sequencer.h"

#include <optional>
#include <string>

namespace mlc {

// A file dialog as it is to be shown. The dialogs keep the process's current
// folder, hide the read-only box and ask no overwrite question themselves.
struct FileDialogRequest {
    std::string title;
    std::string filter; // "Description|*.EXT|..."
    std::string proposedName;
    std::string initialFolder;
    std::string defaultExtension; // without the dot; empty for none
};

class UserInterface {
public:
    virtual ~UserInterface() = default;
    // An existing file, or nothing when cancelled.
    virtual std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) = 0;
    // A name in an existing folder (not a read-only file), or nothing when cancelled.
    virtual std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) = 0;
    // The item details dialog; true on OK, with `details` edited.
    virtual bool editItemDetails(ItemDetails& details) = 0;
    // The caption, status texts or model changed: redraw them.
    virtual void refresh() {}
    // The window's share of the configuration step, run after the port, the wall
    // size and the router: demo pictures, grid size and fit, sequencer panel.
    virtual void configurationApplied() {}
};

} // namespace mlc
