// An INI text: "[Section]" lines, each followed by "key=value" lines.
//
// Section and key names compare without regard to ASCII letter case, as the
// settings file always has. Everything read survives a rewrite: unknown sections
// and keys, their order, and comment lines. Values are kept as text. Sections and
// keys are indexed by name, so reading a file takes time linear in its size.
#pragma once

#include "files/load_status.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace mlc {

class IniFile {
public:
    // Accepts "\n" and "\r\n" line ends; lines outside any section are kept as they are.
    static IniFile parse(std::string_view text);
    // "\n" line ends, one blank line between sections.
    std::string text() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Replaces the value in place, or appends the key to its section (appending the
    // section when it is new).
    void set(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line {
        std::string key; // empty for a comment line
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keys; // lower-case key -> line
        const Line* find(std::string_view key) const;
        Line* find(std::string_view key);
        void add(std::string key, std::string value);
    };
    Section* find(std::string_view section);
    const Section* find(std::string_view section) const;
    Section& addSection(std::string name);

    std::vector<std::string> preamble_;
    std::vector<Section> sections_;                          // in file order
    std::unordered_map<std::string, std::size_t> sectionAt_; // lower-case name -> section
};

// The file's text as an IniFile; nothing (with the reason) when it cannot be read.
Loaded<IniFile> loadIniFile(const std::string& path);
// Atomic: the old file stays whole until the new one is complete.
bool saveIniFile(const std::string& path, const IniFile& ini);

} // namespace mlc
