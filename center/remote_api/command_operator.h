// The operator a command from the network runs with: nobody at the window is to
// answer it. Its messages become reports (the status bar and the message log) and
// are kept for the reply; a question gets the answer a closed box gives.
#pragma once

#include "operator.h"

#include <string>

namespace mlc {

class CommandOperator final : public ReportingOperator {
public:
    using ReportingOperator::ReportingOperator;

    void showMessage(MessageKind kind, const std::string& text) override {
        std::string& kept = kind == MessageKind::Error ? error_ : notice_;
        if (kept.empty())
            kept = text;
        ReportingOperator::showMessage(kind, text);
    }

    // An error was shown: a unit or the driver failed.
    bool failed() const { return !error_.empty(); }
    // Why the command failed as the window would have said it: its first error
    // ("ERROR ($05): ..."), else its first other message, else nothing.
    const std::string& failure() const { return error_.empty() ? notice_ : error_; }

private:
    std::string error_;
    std::string notice_;
};

} // namespace mlc
