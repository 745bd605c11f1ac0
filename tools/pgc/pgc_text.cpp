#include "pgc_text.h"

#include "definition_numbers.h"
#include "pgc_tokens.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace pgc {
namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), upper);
    return out;
}

constexpr std::string_view kValueTypes[] = {"EXECUTE", "MENUNAV", "POT", "VALUE", "TOGGLE"};

bool isValueType(std::string_view text) {
    return std::find(std::begin(kValueTypes), std::end(kValueTypes), upperCase(text)) !=
           std::end(kValueTypes);
}

// The parameters of one line, positional words already given their names.
class Args {
public:
    // Returns an error message or an empty string.
    std::string assign(const std::vector<Token>& tokens, const std::vector<std::string_view>& positional) {
        std::size_t next = 0;
        for (std::size_t i = 1; i < tokens.size(); ++i) {
            std::string name = tokens[i].name;
            if (name.empty()) {
                if (next >= positional.size())
                    return "too many words: '" + tokens[i].value + "'";
                name = positional[next++];
            }
            if (!values_.emplace(name, tokens[i].value).second)
                return name + " is given twice";
        }
        return {};
    }

    std::optional<std::string> take(const std::string& name) {
        const auto it = values_.find(name);
        if (it == values_.end())
            return std::nullopt;
        std::string value = std::move(it->second);
        values_.erase(it);
        return value;
    }

    // Takes a parameter that must be present, recording an error when it is not.
    std::string require(const std::string& name, std::string& error) {
        auto value = take(name);
        if (!value && error.empty())
            error = "missing " + name;
        return value.value_or("");
    }

    // A parameter nobody took.
    std::optional<std::string> leftover() const {
        if (values_.empty())
            return std::nullopt;
        return values_.begin()->first;
    }

private:
    std::map<std::string, std::string> values_;
};

void checkInt32(const std::string& name, const std::string& text, std::string& error) {
    if (error.empty() && !lv::parseDefinitionInt32(text))
        error = name + "=" + text + " is not a 32-bit integer";
}

struct Parsed {
    lv::PgcRecord record;
    std::string definedName; // for duplicate warnings: "event veX", ...
};

std::string parseOperation(Args& args, Parsed& out) {
    std::string error;
    const std::string name = args.require("name", error);
    const std::string code = args.require("code", error);
    const std::string type = args.require("type", error);
    checkInt32("code", code, error);
    if (error.empty() && !isValueType(type))
        error = "type=" + type + " is none of EXECUTE, MENUNAV, POT, VALUE, TOGGLE";
    if (!error.empty())
        return error;
    auto& fields = out.record.fields;
    fields = {args.take("group").value_or(""), name, code, type, args.take("label").value_or("")};
    const std::string kind = upperCase(type);
    if (kind == "POT") {
        const std::string min = args.require("min", error);
        const std::string max = args.require("max", error);
        checkInt32("min", min, error);
        checkInt32("max", max, error);
        fields.push_back(min);
        fields.push_back(max);
    } else if (kind == "VALUE") {
        fields.push_back(args.require("values", error));
    }
    if (auto target = args.take("target"))
        fields.push_back(*target);
    if (error.empty())
        if (auto extra = args.leftover())
            error = *extra + "= does not apply to a " + kind + " operation";
    out.record.kind = 1;
    out.definedName = "operation " + upperCase(name);
    return error;
}

std::string parseItem(Args& args, Parsed& out) {
    std::string error;
    const std::string list = args.require("list", error);
    const std::string code = args.require("code", error);
    const std::string value = args.require("value", error);
    if (error.empty() && !lv::parseDefinitionInt64(value))
        error = "value=" + value + " is not a 64-bit integer";
    out.record = {2, {list, args.take("description").value_or(""), code, value}};
    out.definedName = "item " + upperCase(list) + " " + upperCase(code);
    return error;
}

std::string parseVariable(Args& args, Parsed& out) {
    std::string error;
    const std::string name = args.require("name", error);
    const std::string code = args.require("code", error);
    checkInt32("code", code, error);
    const std::string type = args.take("type").value_or("BOOLEAN");
    if (error.empty() && upperCase(type) != "BOOLEAN")
        error = "type=" + type + ": variables are BOOLEAN";
    const std::string classFlag = args.take("class").value_or("1");
    if (error.empty() && classFlag != "0" && classFlag != "1")
        error = "class=" + classFlag + " is neither 0 nor 1";
    out.record = {classFlag == "1" ? 3 : 4, {args.take("group").value_or(""), code, type, name}};
    out.definedName = "variable " + upperCase(name);
    return error;
}

std::string parseEvent(Args& args, Parsed& out) {
    std::string error;
    const std::string name = args.require("name", error);
    const std::string code = args.require("code", error);
    checkInt32("code", code, error);
    out.record = {5, {args.take("first").value_or(""), args.take("second").value_or(""), name, code}};
    out.definedName = "event " + upperCase(name);
    return error;
}

// "record KIND FIELD...": any record exactly as given.
std::string parseRaw(const std::vector<Token>& tokens, Parsed& out) {
    if (tokens.size() < 2)
        return "missing the record kind";
    for (std::size_t i = 1; i < tokens.size(); ++i)
        if (!tokens[i].name.empty())
            return "record takes plain fields, not " + tokens[i].name + "=";
    const auto kind = lv::parseDefinitionInt32(tokens[1].value);
    if (!kind || *kind < 1 || *kind > lv::kPgcKindCount)
        return "record kind " + tokens[1].value + " is not 1..8";
    out.record.kind = *kind;
    for (std::size_t i = 2; i < tokens.size(); ++i)
        out.record.fields.push_back(tokens[i].value);
    return {};
}

// Returns an error message; an empty one with an empty record means "nothing on this line".
std::string parseLine(const std::vector<Token>& tokens, Parsed& out) {
    const std::string& keyword = tokens[0].value;
    if (!tokens[0].name.empty())
        return "a line starts with a keyword, not " + tokens[0].name + "=";
    if (keyword == "record")
        return parseRaw(tokens, out);
    static const std::map<
        std::string, std::pair<std::vector<std::string_view>, std::string (*)(Args&, Parsed&)>, std::less<>>
        keywords{
            {"operation", {{"name"}, parseOperation}},
            {"item", {{"list", "code", "description"}, parseItem}},
            {"variable", {{"name"}, parseVariable}},
            {"event", {{"name"}, parseEvent}},
        };
    const auto it = keywords.find(keyword);
    if (it == keywords.end())
        return "unknown keyword '" + keyword + "'";
    Args args;
    if (std::string error = args.assign(tokens, it->second.first); !error.empty())
        return error;
    std::string error = it->second.second(args, out);
    if (error.empty())
        if (auto extra = args.leftover())
            error = "unknown parameter " + *extra + "=";
    return error;
}

std::string checkFieldLengths(const lv::PgcRecord& record) {
    for (std::size_t i = 0; i < record.fields.size(); ++i)
        if (!lv::isEncodableFieldLength(record.fields[i].size()))
            return "field " + std::to_string(i) + " has " + std::to_string(record.fields[i].size()) +
                   " bytes; a field holds 0..127 or 136..255 bytes";
    return {};
}

std::optional<std::uint8_t> parseKey(const std::vector<Token>& tokens, std::string& error) {
    if (tokens.size() != 2 || !tokens[1].name.empty()) {
        error = "key takes one number";
        return std::nullopt;
    }
    const auto key = lv::parseDefinitionInt32(tokens[1].value);
    if (!key || *key < 0 || *key > 255) {
        error = "key " + tokens[1].value + " is not 0..255";
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*key);
}

// --- printing ---

void appendNamed(std::string& line, std::string_view name, const std::string& value) {
    line += ' ';
    line += name;
    line += '=';
    line += quoteWord(value);
}

// The named form of a record, or nothing when the record has no such form.
std::optional<std::string> namedLine(const lv::PgcRecord& record) {
    const auto& f = record.fields;
    std::string line;
    switch (record.kind) {
    case 1: {
        if (f.size() < 5)
            return std::nullopt;
        line = "operation " + quoteWord(f[1]);
        appendNamed(line, "code", f[2]);
        appendNamed(line, "type", f[3]);
        appendNamed(line, "label", f[4]);
        const std::string kind = upperCase(f[3]);
        std::size_t next = 5;
        if (kind == "POT" && f.size() >= 7) {
            appendNamed(line, "min", f[5]);
            appendNamed(line, "max", f[6]);
            next = 7;
        } else if (kind == "VALUE" && f.size() >= 6) {
            appendNamed(line, "values", f[5]);
            next = 6;
        }
        if (f.size() > next)
            appendNamed(line, "target", f[next]);
        if (!f[0].empty())
            appendNamed(line, "group", f[0]);
        return line;
    }
    case 2:
        if (f.size() != 4)
            return std::nullopt;
        line = "item " + quoteWord(f[0]) + " " + quoteWord(f[2]);
        appendNamed(line, "value", f[3]);
        return line + " " + quoteWord(f[1]);
    case 3:
    case 4:
        if (f.size() != 4)
            return std::nullopt;
        line = "variable " + quoteWord(f[3]);
        appendNamed(line, "code", f[1]);
        if (record.kind == 4)
            line += " class=0";
        if (f[2] != "BOOLEAN")
            appendNamed(line, "type", f[2]);
        if (!f[0].empty())
            appendNamed(line, "group", f[0]);
        return line;
    case 5:
        if (f.size() != 4)
            return std::nullopt;
        line = "event " + quoteWord(f[2]);
        appendNamed(line, "code", f[3]);
        if (!f[0].empty())
            appendNamed(line, "first", f[0]);
        if (!f[1].empty())
            appendNamed(line, "second", f[1]);
        return line;
    default:
        return std::nullopt;
    }
}

std::string rawLine(const lv::PgcRecord& record) {
    std::string line = "record " + std::to_string(record.kind);
    for (const std::string& field : record.fields)
        line += " " + quoteWord(field);
    return line;
}

} // namespace

Source parseSource(std::string_view text) {
    Source source;
    std::map<std::string, std::size_t> defined; // what the driver finds -> its line
    std::vector<Token> tokens;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const auto fail = [&](std::string message) {
            source.errors.push_back({lineNumber, std::move(message)});
        };
        if (std::string error = tokenizeLine(line, tokens); !error.empty()) {
            fail(error);
            continue;
        }
        if (tokens.empty())
            continue;
        if (tokens[0].name.empty() && tokens[0].value == "key") {
            std::string error;
            const auto key = parseKey(tokens, error);
            if (!error.empty())
                fail(error);
            else if (source.key)
                fail("a second key line");
            else
                source.key = key;
            continue;
        }
        Parsed parsed;
        std::string error = parseLine(tokens, parsed);
        if (error.empty())
            error = checkFieldLengths(parsed.record);
        if (!error.empty()) {
            fail(error);
            continue;
        }
        if (!parsed.definedName.empty()) {
            const auto [it, fresh] = defined.emplace(parsed.definedName, lineNumber);
            if (!fresh)
                source.warnings.push_back({lineNumber, parsed.definedName + " is already defined on line " +
                                                           std::to_string(it->second) +
                                                           "; look-ups find that one"});
        }
        source.records.push_back(std::move(parsed.record));
        source.recordLine.push_back(lineNumber);
    }
    return source;
}

std::string printSource(std::uint8_t key, const std::vector<lv::PgcRecord>& records) {
    char keyLine[16];
    std::snprintf(keyLine, sizeof keyLine, "key 0x%02X\n", key);
    std::string out = keyLine;
    for (const lv::PgcRecord& record : records) {
        std::string line = rawLine(record);
        // Use the named form only where it compiles back to exactly these fields.
        if (auto named = namedLine(record)) {
            const Source check = parseSource(*named);
            if (check.errors.empty() && check.records.size() == 1 && check.records[0] == record)
                line = std::move(*named);
        }
        out += line;
        out += '\n';
    }
    return out;
}

} // namespace pgc
