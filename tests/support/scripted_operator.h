// An Operator for tests: records every message, question and progress view, and
// answers questions from a script (then with a default answer).
#pragma once

#include "operator.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

class ScriptedOperator : public mlc::Operator {
public:
    struct Message {
        mlc::MessageKind kind;
        std::string text;
    };
    struct Question {
        mlc::QuestionIcon icon;
        mlc::Buttons buttons;
        std::string text;
    };

    // Answers given to the next questions, in order.
    void scriptAnswers(std::initializer_list<mlc::Answer> answers) {
        answers_.insert(answers_.end(), answers);
    }
    void setDefaultAnswer(mlc::Answer answer) { defaultAnswer_ = answer; }

    void showMessage(mlc::MessageKind kind, const std::string& text) override {
        messages.push_back({kind, text});
    }
    void report(mlc::MessageKind kind, const std::string& text) override { reports.push_back({kind, text}); }
    mlc::Answer ask(mlc::QuestionIcon icon, mlc::Buttons buttons, const std::string& text) override {
        questions.push_back({icon, buttons, text});
        if (answers_.empty())
            return defaultAnswer_;
        const mlc::Answer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    void progressOpened() override { ++progressOpenCount; }
    void progressChanged(const mlc::ProgressView& view) override { progressViews.push_back(view); }
    void progressClosed() override { ++progressCloseCount; }
    void processPendingEvents() override {
        ++pendingEventRuns;
        if (onPendingEvents)
            onPendingEvents();
    }

    std::vector<std::string> messageTexts() const { return textsOf(messages); }
    std::vector<std::string> reportTexts() const { return textsOf(reports); }

    std::vector<Message> messages;
    std::vector<Message> reports; // non-modal
    std::vector<Question> questions;
    std::vector<mlc::ProgressView> progressViews;
    int progressOpenCount = 0;
    int progressCloseCount = 0;
    int pendingEventRuns = 0;
    // Runs while the core lets pending events through: tests use it to play a timer
    // tick or a user command arriving in the middle of a device operation.
    std::function<void()> onPendingEvents;

private:
    static std::vector<std::string> textsOf(const std::vector<Message>& list) {
        std::vector<std::string> texts;
        for (const auto& m : list)
            texts.push_back(m.text);
        return texts;
    }

    std::deque<mlc::Answer> answers_;
    mlc::Answer defaultAnswer_ = mlc::Answer::No;
};

} // namespace testsupport
