// Parsing mlctl's command line: global options, the command, its words and flags.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mlctl {

struct CommandLine {
    // Global options.
    std::optional<int> port;
    std::string settingsFile;
    std::string trafficFile;
    bool assumeYes = false;
    bool inhibit = false;
    bool quick = false;  // QuickSync and CacheUnitRanges, whatever the settings file says
    bool verify = false; // VerifyWrites, likewise
    bool help = false;

    std::string command;                      // "detect", "write", ...
    std::vector<std::string> words;           // the command's positional words
    std::map<std::string, std::string> flags; // the command's flags ("--id" -> "5", "--save" -> "")

    bool hasFlag(const std::string& name) const { return flags.count(name) != 0; }
};

// Fails with a one-line reason for an unknown option or a missing value.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, std::string& error);

// "3" or "2-5" within 1..limit.
struct IndexRange {
    int first = 0;
    int last = 0;
};
std::optional<IndexRange> parseRange(const std::string& text, int limit);

// A whole decimal number within [min, max].
std::optional<int> parseInteger(const std::string& text, int min, int max);

// "50%" or "12.5%" as thousandths of a percent (0..100000); nullopt when the
// text is not a percentage.
std::optional<int> parsePercent(const std::string& text);

// 50000 -> "50%", 12345 -> "12.345%".
std::string formatPercent(int thousandths);

} // namespace mlctl
