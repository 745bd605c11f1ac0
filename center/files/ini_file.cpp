#include "files/ini_file.h"

#include "files/atomic_file.h"

#include <algorithm>
#include <cctype>

namespace mlc {

namespace {

constexpr std::size_t kMaxIniFileSize = std::size_t{16} << 20;

std::string_view trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile ini;
    Section* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        const std::string_view line = trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string_view name = trim(line.substr(1, line.size() - 2));
            current = ini.find(name);
            if (!current)
                current = &ini.addSection(std::string(name));
            continue;
        }
        if (!current) {
            if (!line.empty())
                ini.preamble_.emplace_back(raw);
            continue;
        }
        if (line.empty())
            continue;
        const std::size_t equals = line.find('=');
        if (line.front() == ';' || line.front() == '#' || equals == std::string_view::npos || equals == 0) {
            current->lines.push_back({std::string(), std::string(line)});
            continue;
        }
        const std::string_view key = trim(line.substr(0, equals));
        const std::string_view value = trim(line.substr(equals + 1));
        if (!current->find(key)) // the first one wins, as readers always took it
            current->add(std::string(key), std::string(value));
    }
    return ini;
}

std::string IniFile::text() const {
    std::string out;
    for (const std::string& line : preamble_)
        out += line + "\n";
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        if (i > 0 || !preamble_.empty())
            out += "\n";
        out += "[" + sections_[i].name + "]\n";
        for (const Line& line : sections_[i].lines)
            out += line.key.empty() ? line.value + "\n" : line.key + "=" + line.value + "\n";
    }
    return out;
}

const IniFile::Line* IniFile::Section::find(std::string_view key) const {
    const auto at = keys.find(lowered(key));
    return at == keys.end() ? nullptr : &lines[at->second];
}

IniFile::Line* IniFile::Section::find(std::string_view key) {
    const auto at = keys.find(lowered(key));
    return at == keys.end() ? nullptr : &lines[at->second];
}

void IniFile::Section::add(std::string key, std::string value) {
    keys.emplace(lowered(key), lines.size());
    lines.push_back({std::move(key), std::move(value)});
}

IniFile::Section* IniFile::find(std::string_view section) {
    const auto at = sectionAt_.find(lowered(section));
    return at == sectionAt_.end() ? nullptr : &sections_[at->second];
}

IniFile::Section& IniFile::addSection(std::string name) {
    sectionAt_.emplace(lowered(name), sections_.size());
    sections_.push_back({std::move(name), {}, {}});
    return sections_.back();
}

const IniFile::Section* IniFile::find(std::string_view section) const {
    return const_cast<IniFile*>(this)->find(section);
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    if (const Section* s = find(section))
        if (const Line* line = s->find(key))
            return line->value;
    return std::nullopt;
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view text) {
    // A line break inside a value would split it into lines of their own.
    std::string value(text);
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    Section* s = find(section);
    if (!s)
        s = &addSection(std::string(section));
    if (Line* line = s->find(key))
        line->value = std::move(value);
    else
        s->add(std::string(key), std::move(value));
}

Loaded<IniFile> loadIniFile(const std::string& path) {
    const auto bytes = readFile(path, kMaxIniFileSize);
    if (!bytes)
        return bytes.status().reason();
    return IniFile::parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool saveIniFile(const std::string& path, const IniFile& ini) {
    const std::string text = ini.text();
    return writeFileAtomically(path,
                               std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

} // namespace mlc
