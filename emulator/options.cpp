#include "options.h"

#include "id_list.h"

#include <charconv>

namespace mlemu {

namespace {
template <typename Int> bool parseInt(const std::string& text, Int& out) {
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && ptr == text.data() + text.size();
}
} // namespace

const char* usageText() {
    return "usage: mlemu --ids LIST [--definitions FILE] [--link PATH] [--baud N] [--log FILE]\n"
           "             [--state FILE] [--fault KIND[,unit=ID][,op=NAME][,at=N|,p=P][,delay=S]]...\n"
           "             [--seed N] [--unit-range ID:OPERATION:MIN:MAX]...\n"
           "\n"
           "Plays a chain of Marlune units on a pseudo-terminal until SIGINT or SIGTERM.\n"
           "  --ids LIST          device IDs of the units: 3,5,20,31 or 1-9,11 (1 to 255)\n"
           "  --definitions FILE  command definition file (default: mlcenter.PGC beside mlemu)\n"
           "  --link PATH         make PATH a symbolic link to the pseudo-terminal (removed at exit)\n"
           "  --baud N            deliver bytes at N baud, 10 bits a byte (default: full speed)\n"
           "  --log FILE          one line per packet received and answer sent\n"
           "  --state FILE        every unit's values, written on SIGUSR1 and at exit\n"
           "  --fault SPEC        a fault in the units' answers (below); repeatable\n"
           "  --seed N            seed for faults with p=P (default 1)\n"
           "  --unit-range ID:OPERATION:MIN:MAX\n"
           "                      unit ID reports and keeps MIN..MAX for the POT operation\n"
           "                      instead of the file's range (a unit of another kind); repeatable\n"
           "  --help              this text\n"
           "\n"
           "Faults: --fault KIND[,unit=ID][,op=NAME][,at=N|,p=P][,delay=S]\n"
           "  KIND     drop (no answer), nak (a refusal), crc (a reply with a bad checksum),\n"
           "           garbage (noise before the answer), late (the answer after a delay),\n"
           "           silent (no answers from then on), miss (the unit ignores a packet it\n"
           "           receives, answered or not, as a line error would make it)\n"
           "  unit=ID  only the answers of unit ID (default: every answer of the chain); for\n"
           "           miss, only the packets unit ID receives (default: every unit's, each\n"
           "           unit counting its own)\n"
           "  op=NAME  only answers to (for miss: only packets) carrying operation NAME\n"
           "  at=N     only the N-th such answer or packet, counted from 1\n"
           "  p=P      each such answer or packet with probability P (0 to 1); without at=\n"
           "           or p=, every one\n"
           "  delay=S  seconds a late answer waits (default 2.0, past the plug-in's 1.2 s)\n"
           "  Example: --fault drop,unit=3,at=2 loses unit 3's second answer;\n"
           "  --fault miss,unit=5,op=op_IP_MISC_EXECUTEQUEUE,at=1 makes unit 5 miss the first\n"
           "  queue execution it is sent.\n"
           "\n"
           "To reach the units, give the plug-in the link (or the terminal) as its port:\n"
           "  LVDRIVER_PORTS=/tmp/wall0 mlctl detect\n"
           "The traffic log, the state file and the faults are described in docs/mlemu.md.\n";
}

std::optional<UnitRangeOption> parseUnitRange(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        parts.push_back(text.substr(start, colon - start));
    parts.push_back(text.substr(start));
    UnitRangeOption range;
    if (parts.size() != 4 || !parseInt(parts[0], range.unit) || range.unit < 1 || range.unit > 255 ||
        parts[1].empty() || !parseInt(parts[2], range.min) || !parseInt(parts[3], range.max) ||
        range.min > range.max) {
        error = "bad unit range '" + text + "' (ID:OPERATION:MIN:MAX, MIN not above MAX)";
        return std::nullopt;
    }
    range.operation = parts[1];
    return range;
}

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    bool haveIds = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (i + 1 >= args.size()) {
            error =
                arg.rfind("--", 0) == 0 ? "option " + arg + " needs a value" : "unexpected argument " + arg;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--definitions") {
            options.definitions = value;
        } else if (arg == "--ids") {
            auto ids = parseIdList(value, error);
            if (!ids)
                return std::nullopt;
            options.ids = std::move(*ids);
            haveIds = true;
        } else if (arg == "--link") {
            options.link = value;
        } else if (arg == "--log") {
            options.log = value;
        } else if (arg == "--state") {
            options.state = value;
        } else if (arg == "--baud") {
            if (!parseInt(value, options.baud) || options.baud < 50 || options.baud > 4000000) {
                error = "bad baud rate " + value;
                return std::nullopt;
            }
        } else if (arg == "--seed") {
            if (!parseInt(value, options.seed)) {
                error = "bad seed " + value;
                return std::nullopt;
            }
        } else if (arg == "--unit-range") {
            auto range = parseUnitRange(value, error);
            if (!range)
                return std::nullopt;
            options.unitRanges.push_back(*range);
        } else if (arg == "--fault") {
            auto fault = parseFault(value, error);
            if (!fault)
                return std::nullopt;
            options.faults.push_back(*fault);
        } else {
            error = "unknown option " + arg;
            return std::nullopt;
        }
    }
    if (!haveIds) {
        error = "--ids is required";
        return std::nullopt;
    }
    return options;
}

} // namespace mlemu
