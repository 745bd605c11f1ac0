#include "terminal_operator.h"

#include <cctype>
#include <unistd.h>

namespace mlctl {

std::string terminalText(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += text[i];
    }
    return result;
}

TerminalOperator::TerminalOperator(bool assumeYes, std::FILE* out, std::FILE* in)
    : assumeYes_(assumeYes), out_(out), in_(in), interactive_(isatty(fileno(out)) != 0) {}

std::string singleLine(const std::string& text) {
    std::string line;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (!part.empty()) {
            if (!line.empty())
                line += line.back() == ':' || line.back() == '!' || line.back() == '.' ? " " : " - ";
            line += part;
        }
        start = end + 2;
    }
    return line;
}

void TerminalOperator::showMessage(mlc::MessageKind kind, const std::string& text) {
    endProgressLine();
    if (kind == mlc::MessageKind::Error)
        ++errors_;
    // One line a message, so that scripts can pass it on.
    std::string line = singleLine(text);
    if (kind == mlc::MessageKind::Error && place_) {
        const std::string place = place_();
        if (!place.empty())
            line += " (" + place + ")";
    }
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

mlc::Answer TerminalOperator::ask(mlc::QuestionIcon, mlc::Buttons buttons, const std::string& text) {
    endProgressLine();
    const bool withCancel = buttons == mlc::Buttons::YesNoCancel;
    std::fprintf(out_, "%s %s ", terminalText(text).c_str(), withCancel ? "[y/n/c]" : "[y/n]");
    if (assumeYes_) {
        std::fprintf(out_, "y\n");
        std::fflush(out_);
        return mlc::Answer::Yes;
    }
    std::fflush(out_);
    char line[64];
    while (std::fgets(line, sizeof line, in_)) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        // An answer from a pipe is not echoed by a terminal: show it.
        if (!isatty(fileno(in_)))
            std::fprintf(out_, "%c\n", c);
        if (c == 'y')
            return mlc::Answer::Yes;
        if (c == 'n')
            return mlc::Answer::No;
        if (c == 'c' && withCancel)
            return mlc::Answer::Cancel;
        std::fprintf(out_, "%s ", withCancel ? "[y/n/c]" : "[y/n]");
        std::fflush(out_);
    }
    // No answer to be had (end of input): the safe choice, as closing the box would.
    std::fprintf(out_, "\n");
    return withCancel ? mlc::Answer::Cancel : mlc::Answer::No;
}

void TerminalOperator::progressOpened() {
    lastProgressText_.clear();
    lastPercent_ = -1;
}

void TerminalOperator::progressChanged(const mlc::ProgressView& view) {
    const int percent = view.barVisible ? view.percent : -1;
    if (view.text == lastProgressText_ && percent == lastPercent_)
        return;
    if (interactive_) {
        std::fprintf(out_, "\r%s", view.text.c_str());
        if (percent >= 0)
            std::fprintf(out_, " %3d%%", percent);
        std::fprintf(out_, "\033[K");
        progressLineOpen_ = true;
    } else if (percent >= 0 && (view.text != lastProgressText_ || percent / 25 != lastPercent_ / 25)) {
        // Not a terminal: a line per quarter of a long operation, not one per step.
        std::fprintf(out_, "%s", view.text.c_str());
        if (percent >= 0)
            std::fprintf(out_, " %d%%", percent);
        std::fprintf(out_, "\n");
    }
    std::fflush(out_);
    lastProgressText_ = view.text;
    lastPercent_ = percent;
}

void TerminalOperator::progressClosed() {
    endProgressLine();
}

void TerminalOperator::endProgressLine() {
    if (progressLineOpen_) {
        std::fprintf(out_, "\n");
        std::fflush(out_);
        progressLineOpen_ = false;
    }
}

} // namespace mlctl
