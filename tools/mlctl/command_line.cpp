#include "command_line.h"

#include <cctype>
#include <charconv>
#include <set>

namespace mlctl {
namespace {

const std::set<std::string> kGlobalWithValue{"--port", "--settings", "--traffic"};
const std::set<std::string> kGlobalSwitches{"--yes", "--inhibit", "--quick", "--verify", "--help", "-h"};
const std::set<std::string> kCommandWithValue{"--id", "--cols", "--rows"};
const std::set<std::string> kCommandSwitches{"--save", "--loop"};

bool applyGlobal(CommandLine& line, const std::string& name, const std::string& value, std::string& error) {
    if (name == "--port") {
        const auto port = parseInteger(value, 1, 255);
        if (!port) {
            error = "--port needs a port number from 1 to 255, not \"" + value + "\"";
            return false;
        }
        line.port = *port;
    } else if (name == "--settings") {
        line.settingsFile = value;
    } else if (name == "--traffic") {
        line.trafficFile = value;
    }
    return true;
}

} // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error) {
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = kGlobalWithValue.count(arg) || kCommandWithValue.count(arg);
        if (takesValue && i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        if (kGlobalWithValue.count(arg)) {
            if (!applyGlobal(line, arg, args[++i], error))
                return std::nullopt;
        } else if (kGlobalSwitches.count(arg)) {
            line.assumeYes |= arg == "--yes";
            line.inhibit |= arg == "--inhibit";
            line.quick |= arg == "--quick";
            line.verify |= arg == "--verify";
            line.help |= arg == "--help" || arg == "-h";
        } else if (kCommandWithValue.count(arg)) {
            line.flags[arg] = args[++i];
        } else if (kCommandSwitches.count(arg)) {
            line.flags[arg] = "";
        } else if (arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]))) {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (line.command.empty()) {
            line.command = arg;
        } else {
            line.words.push_back(arg);
        }
    }
    return line;
}

std::optional<int> parseInteger(const std::string& text, int min, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<IndexRange> parseRange(const std::string& text, int limit) {
    const auto dash = text.find('-');
    const auto first = parseInteger(text.substr(0, dash), 1, limit);
    const auto last = dash == std::string::npos ? first : parseInteger(text.substr(dash + 1), 1, limit);
    if (!first || !last || *first > *last)
        return std::nullopt;
    return IndexRange{*first, *last};
}

std::optional<int> parsePercent(const std::string& text) {
    if (text.size() < 2 || text.back() != '%')
        return std::nullopt;
    const std::string number = text.substr(0, text.size() - 1);
    // Whole percent and up to three decimals, as thousandths.
    const auto point = number.find('.');
    const auto whole = parseInteger(number.substr(0, point), 0, 100);
    if (!whole)
        return std::nullopt;
    int thousandths = *whole * 1000;
    if (point != std::string::npos) {
        std::string decimals = number.substr(point + 1);
        if (decimals.empty() || decimals.size() > 3)
            return std::nullopt;
        decimals.resize(3, '0');
        const auto fraction = parseInteger(decimals, 0, 999);
        if (!fraction)
            return std::nullopt;
        thousandths += *fraction;
    }
    if (thousandths > 100000)
        return std::nullopt;
    return thousandths;
}

std::string formatPercent(int thousandths) {
    std::string text = std::to_string(thousandths / 1000);
    if (const int fraction = thousandths % 1000; fraction != 0) {
        std::string decimals = std::to_string(1000 + fraction).substr(1);
        while (decimals.back() == '0')
            decimals.pop_back();
        text += "." + decimals;
    }
    return text + "%";
}

} // namespace mlctl
