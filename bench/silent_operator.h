// An operator for benchmarks: shows nothing and gives one fixed answer, since no
// one is there to ask.
#pragma once

#include "operator.h"

#include <string>

namespace bench {

class SilentOperator : public mlc::Operator {
public:
    explicit SilentOperator(mlc::Answer answer = mlc::Answer::No) : answer_(answer) {}
    void showMessage(mlc::MessageKind, const std::string&) override {}
    void report(mlc::MessageKind, const std::string&) override {}
    mlc::Answer ask(mlc::QuestionIcon, mlc::Buttons, const std::string&) override { return answer_; }
    void progressOpened() override {}
    void progressChanged(const mlc::ProgressView&) override {}
    void progressClosed() override {}
    void processPendingEvents() override {}

private:
    mlc::Answer answer_;
};

} // namespace bench
