#include "emulator_process.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace testsupport {

namespace {

using namespace std::chrono_literals;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace

std::string fieldOf(const std::string& line, const std::string& key) {
    const std::string needle = key + "=";
    std::size_t at = 0;
    while ((at = line.find(needle, at)) != std::string::npos) {
        if (at == 0 || line[at - 1] == ' ') {
            const std::size_t start = at + needle.size();
            return line.substr(start, line.find(' ', start) - start);
        }
        at += needle.size();
    }
    return {};
}

void EmulatorProcess::takeBanner(std::string banner) {
    banner_ = std::move(banner);
    terminal_ = fieldOf(banner_, "pty");
    if (banner_.rfind("mlemu listening", 0) != 0 || terminal_.empty()) {
        stop();
        throw std::runtime_error("mlemu did not start: '" + banner_ + "'");
    }
}

std::string EmulatorProcess::log() const {
    return readFile(logPath_);
}

std::vector<std::string> EmulatorProcess::logLines(const std::string& containing) const {
    std::vector<std::string> lines;
    std::istringstream in(log());
    for (std::string line; std::getline(in, line);)
        if (line.find(containing) != std::string::npos)
            lines.push_back(line);
    return lines;
}

std::string EmulatorProcess::state() {
    if (!running())
        return readFile(statePath_);
    std::error_code ignored;
    std::filesystem::remove(statePath_, ignored);
    requestState();
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!std::filesystem::exists(statePath_) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(2ms);
    return readFile(statePath_);
}

} // namespace testsupport
