// Passes everything on to the operator that shows it (the window's message boxes,
// or a scripted one in tests) and tells the window what it must follow itself:
// when the progress window comes and goes, and every report.
#pragma once

#include "operator.h"

#include <functional>

namespace mlgui {

class OperatorRelay final : public mlc::Operator {
public:
    void setTarget(mlc::Operator& target) { target_ = &target; }

    // The outermost progress window opened (true) or closed (false).
    std::function<void(bool)> onProgressShown;
    std::function<void(mlc::MessageKind, const std::string&)> onReport;

    bool progressShown() const { return depth_ > 0; }

    void showMessage(mlc::MessageKind kind, const std::string& text) override {
        target_->showMessage(kind, text);
    }
    mlc::Answer ask(mlc::QuestionIcon icon, mlc::Buttons buttons, const std::string& text) override {
        return target_->ask(icon, buttons, text);
    }
    void report(mlc::MessageKind kind, const std::string& text) override;
    void progressOpened() override;
    void progressChanged(const mlc::ProgressView& view) override { target_->progressChanged(view); }
    void progressClosed() override;
    void processPendingEvents() override { target_->processPendingEvents(); }

private:
    mlc::Operator* target_ = nullptr;
    int depth_ = 0;
};

} // namespace mlgui
