// The operator on a terminal: messages and questions on stderr, answers from
// stdin (or Yes to everything), and a progress line.
#pragma once

#include "operator.h"

#include <cstdio>
#include <functional>
#include <string>

namespace mlctl {

class TerminalOperator : public mlc::Operator {
public:
    explicit TerminalOperator(bool assumeYes, std::FILE* out = stderr, std::FILE* in = stdin);

    void showMessage(mlc::MessageKind kind, const std::string& text) override;
    // A report is a message that waits for no one; on the terminal they look alike.
    void report(mlc::MessageKind kind, const std::string& text) override { showMessage(kind, text); }
    mlc::Answer ask(mlc::QuestionIcon icon, mlc::Buttons buttons, const std::string& text) override;
    void progressOpened() override;
    void progressChanged(const mlc::ProgressView& view) override;
    void progressClosed() override;
    void processPendingEvents() override {}

    int errorCount() const { return errors_; }
    // Where the work is: an error line ends with it in brackets, after the driver's
    // text ("... interface (monitor 2, 1, ID 2)"); empty names nothing.
    void setPlace(std::function<std::string()> place) { place_ = std::move(place); }

private:
    void endProgressLine();

    bool assumeYes_;
    std::FILE* out_;
    std::FILE* in_;
    bool interactive_;
    bool progressLineOpen_ = false;
    std::string lastProgressText_;
    int lastPercent_ = -1;
    int errors_ = 0;
    std::function<std::string()> place_;
};

// Message texts break lines with "\r\n"; a terminal wants "\n".
std::string terminalText(const std::string& text);
// A message's lines joined into one: "ERROR ($01): ... - Unable to open com port".
std::string singleLine(const std::string& text);

} // namespace mlctl
