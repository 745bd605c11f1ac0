// pgc: compiles definition sources into .PGC files and prints .PGC files as sources.
#include "pgc_records.h"
#include "pgc_text.h"
#include "pgc_writer.h"

#include "definition_numbers.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(usage:
  pgc compile SOURCE -o FILE [--key N | --random-key]
  pgc dump FILE [-o SOURCE]
  pgc --help

compile  writes the records of a definition source into a .PGC file. The key byte
         comes from --key (0..255, decimal or hexadecimal), else from --random-key,
         else from the source's "key" line, else it is chosen at random.
dump     prints a .PGC file as a source that compiles back to the same file.
The source format is described in pgc(1), in full in docs/pgc.md of the sources.
)";

int usageError(const std::string& message) {
    std::cerr << "pgc: " << message << "\n" << kUsage;
    return 2;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return text.str();
}

bool writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

struct Options {
    std::vector<std::string> inputs;
    std::string output;
    std::optional<std::uint8_t> key;
    bool randomKey = false;
};

std::string parseOptions(int argc, char** argv, Options& options) {
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" || arg == "--key") {
            if (i + 1 >= argc)
                return arg + " needs a value";
            const std::string value = argv[++i];
            if (arg == "-o") {
                options.output = value;
                continue;
            }
            const auto key = lv::parseDefinitionInt32(value);
            if (!key || *key < 0 || *key > 255)
                return "--key " + value + " is not 0..255";
            options.key = static_cast<std::uint8_t>(*key);
        } else if (arg == "--random-key") {
            options.randomKey = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option " + arg;
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.key && options.randomKey)
        return "--key and --random-key exclude each other";
    if (options.inputs.size() != 1)
        return "expected one input file";
    return {};
}

// Warnings and errors in line order.
void printDiagnostics(const std::string& path, const pgc::Source& source) {
    std::vector<std::pair<const pgc::Diagnostic*, const char*>> all;
    for (const auto& warning : source.warnings)
        all.emplace_back(&warning, "warning");
    for (const auto& error : source.errors)
        all.emplace_back(&error, "error");
    std::stable_sort(all.begin(), all.end(),
                     [](const auto& a, const auto& b) { return a.first->line < b.first->line; });
    for (const auto& [diagnostic, severity] : all)
        std::cerr << path << ":" << diagnostic->line << ": " << severity << ": " << diagnostic->message
                  << "\n";
}

std::uint8_t randomKey() {
    return static_cast<std::uint8_t>(std::random_device{}() & 0xFF);
}

int compile(const Options& options) {
    if (options.output.empty())
        return usageError("compile needs -o FILE");
    const std::string& sourcePath = options.inputs[0];
    const auto text = readFile(sourcePath);
    if (!text) {
        std::cerr << "pgc: cannot read " << sourcePath << "\n";
        return 1;
    }
    const pgc::Source source = pgc::parseSource(*text);
    printDiagnostics(sourcePath, source);
    if (!source.errors.empty())
        return 1;

    std::uint8_t key = 0;
    if (options.key)
        key = *options.key;
    else if (!options.randomKey && source.key)
        key = *source.key;
    else
        key = randomKey();
    const lv::PgcEncoding encoding = lv::encodePgcFile(key, source.records);
    if (!encoding.error.empty()) { // field lengths were checked per line; kept as a safety net
        std::cerr << sourcePath << ":" << source.recordLine[encoding.failedRecord]
                  << ": error: " << encoding.error << "\n";
        return 1;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(encoding.bytes.data()), encoding.bytes.size());
    if (!writeFile(options.output, bytes)) {
        std::cerr << "pgc: cannot write " << options.output << "\n";
        return 1;
    }
    return 0;
}

int dump(const Options& options) {
    const std::string& path = options.inputs[0];
    const auto bytes = readFile(path);
    if (!bytes) {
        std::cerr << "pgc: cannot read " << path << "\n";
        return 1;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes->data());
    const lv::PgcFile file = lv::readPgcFile(std::span(data, bytes->size()));
    switch (file.scan.end) {
    case lv::PgcEnd::NotRecognised:
        std::cerr << "pgc: " << path << " is not a definition file\n";
        return 1;
    case lv::PgcEnd::NotAMarker:
        std::cerr << "pgc: warning: " << path << ": a byte that starts no record ends the records\n";
        break;
    case lv::PgcEnd::FieldCutShort:
        std::cerr << "pgc: warning: " << path << ": the last record is cut short by the end of the file\n";
        break;
    case lv::PgcEnd::EndOfFile:
        break;
    }
    const std::string text = pgc::printSource(file.scan.key, file.records);
    if (options.output.empty()) {
        std::cout << text;
        return std::cout.good() ? 0 : 1;
    }
    if (!writeFile(options.output, text)) {
        std::cerr << "pgc: cannot write " << options.output << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usageError("no command");
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    Options options;
    if (std::string error = parseOptions(argc, argv, options); !error.empty())
        return usageError(error);
    if (command == "compile")
        return compile(options);
    if (command == "dump")
        return dump(options);
    return usageError("unknown command " + command);
}
