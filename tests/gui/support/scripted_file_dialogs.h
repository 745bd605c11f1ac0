// File dialogs for tests: every request is recorded, answers come from a script
// (nothing, that is Cancel, once the script is used up).
#pragma once

#include "common/file_dialogs.h"

#include <deque>
#include <vector>

namespace guitest {

class ScriptedFileDialogs final : public mlgui::FileDialogs {
public:
    void answer(std::optional<std::string> name) { answers_.push_back(std::move(name)); }

    std::optional<std::string> chooseFileToOpen(const mlc::FileDialogRequest& request, QWidget*) override {
        return next(request);
    }
    std::optional<std::string> chooseFileToSave(const mlc::FileDialogRequest& request, QWidget*) override {
        return next(request);
    }

    std::vector<mlc::FileDialogRequest> requests;

private:
    std::optional<std::string> next(const mlc::FileDialogRequest& request) {
        requests.push_back(request);
        if (answers_.empty())
            return std::nullopt;
        auto name = answers_.front();
        answers_.pop_front();
        return name;
    }
    std::deque<std::optional<std::string>> answers_;
};

} // namespace guitest
