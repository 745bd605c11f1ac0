// A user interface for core tests that opens no dialog: Open takes the file set in
// `open` (none by default), Save is always cancelled, item details are accepted as
// they stand.
#pragma once

#include "app/user_interface.h"

#include <optional>
#include <string>

namespace testsupport {

class NoDialogs : public mlc::UserInterface {
public:
    std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest&) override { return open; }
    std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest&) override {
        return std::nullopt;
    }
    bool editItemDetails(mlc::ItemDetails&) override { return true; }
    std::optional<std::string> open;
};

} // namespace testsupport
