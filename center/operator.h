// How the core reaches the operator: messages, questions and the progress window.
//
// The desktop program implements it with dialogs, mlctl on the terminal and the
// tests with a scripted fake. Every message is titled kProgramTitle.
#pragma once

#include <string>

namespace mlc {

inline constexpr const char* kProgramTitle = "Marlune Control Center";

enum class MessageKind { Error, Warning, Information };
enum class QuestionIcon { Question, Warning };
enum class Buttons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

// What the progress window shows: text, and a percentage bar unless position is -1.
struct ProgressView {
    std::string text;
    bool barVisible = false;
    int percent = 0;
};

class Operator {
public:
    virtual ~Operator() = default;

    // A modal message box with an OK button.
    virtual void showMessage(MessageKind kind, const std::string& text) = 0;
    // A modal question; a closed box answers No (Yes/No) or Cancel (Yes/No/Cancel).
    virtual Answer ask(QuestionIcon icon, Buttons buttons, const std::string& text) = 0;
    // A report that must not wait for anyone (a failure during unattended playback):
    // the terminal prints it, the window shows it in the status bar and its log.
    virtual void report(MessageKind kind, const std::string& text) = 0;

    // The progress window: opened, redrawn with a new view, closed.
    virtual void progressOpened() = 0;
    virtual void progressChanged(const ProgressView& view) = 0;
    virtual void progressClosed() = 0;
    // Lets pending window messages (timer ticks, user commands) run.
    virtual void processPendingEvents() = 0;
};

// An operator for work nobody watches (a sequence played by the timer): every
// message becomes a non-modal report of the operator behind it, a question takes
// the answer a closed box gives, and the progress window is shown as usual.
class ReportingOperator : public Operator {
public:
    explicit ReportingOperator(Operator& target) : target_(target) {}
    void showMessage(MessageKind kind, const std::string& text) override { target_.report(kind, text); }
    Answer ask(QuestionIcon, Buttons buttons, const std::string&) override {
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
    void report(MessageKind kind, const std::string& text) override { target_.report(kind, text); }
    void progressOpened() override { target_.progressOpened(); }
    void progressChanged(const ProgressView& view) override { target_.progressChanged(view); }
    void progressClosed() override { target_.progressClosed(); }
    void processPendingEvents() override { target_.processPendingEvents(); }

private:
    Operator& target_;
};

} // namespace mlc
