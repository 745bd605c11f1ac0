// Passes everything on to the operator that shows it (the window's message boxes,
// or a scripted one in tests) and tells the window what it must follow itself:
// when the progress window comes and goes, and every report. While a Diversion
// lives, messages and questions go elsewhere: a command from the network has
// nobody at the window to answer it.
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

    // Messages and questions go to `to` while it lives; reports and the progress
    // window stay the window's.
    class Diversion {
    public:
        Diversion(OperatorRelay& relay, mlc::Operator& to) : relay_(relay), before_(relay.diverted_) {
            relay.diverted_ = &to;
        }
        ~Diversion() { relay_.diverted_ = before_; }
        Diversion(const Diversion&) = delete;
        Diversion& operator=(const Diversion&) = delete;

    private:
        OperatorRelay& relay_;
        mlc::Operator* before_;
    };

    void showMessage(mlc::MessageKind kind, const std::string& text) override {
        (diverted_ ? diverted_ : target_)->showMessage(kind, text);
    }
    mlc::Answer ask(mlc::QuestionIcon icon, mlc::Buttons buttons, const std::string& text) override {
        return (diverted_ ? diverted_ : target_)->ask(icon, buttons, text);
    }
    void report(mlc::MessageKind kind, const std::string& text) override;
    void progressOpened() override;
    void progressChanged(const mlc::ProgressView& view) override { target_->progressChanged(view); }
    void progressClosed() override;
    void processPendingEvents() override { target_->processPendingEvents(); }

private:
    mlc::Operator* target_ = nullptr;
    mlc::Operator* diverted_ = nullptr;
    int depth_ = 0;
};

} // namespace mlgui
