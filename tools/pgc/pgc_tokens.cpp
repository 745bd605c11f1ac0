#include "pgc_tokens.h"

#include "definition_numbers.h"

#include <cstdio>

namespace pgc {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isBareChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.' || c == '$' || c == '+' || c == '-' || c == ':' || c == '/';
}

// Reads a quoted string starting at line[pos] == '"'; advances pos past it.
std::string readQuoted(std::string_view line, std::size_t& pos, std::string& out) {
    ++pos;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"')
            return {};
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            break;
        const char e = line[pos++];
        switch (e) {
        case '"':
        case '\\':
            out += e;
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            const int high = pos < line.size() ? lv::hexDigit(line[pos]) : -1;
            const int low = pos + 1 < line.size() ? lv::hexDigit(line[pos + 1]) : -1;
            if (high < 0 || low < 0)
                return "\\x needs two hexadecimal digits";
            out += static_cast<char>(high * 16 + low);
            pos += 2;
            break;
        }
        default:
            return std::string("unknown escape \\") + e;
        }
    }
    return "unterminated quoted text";
}

} // namespace

std::string tokenizeLine(std::string_view line, std::vector<Token>& tokens) {
    tokens.clear();
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] == '#')
            return {};
        Token token;
        if (line[pos] != '"') {
            const std::size_t start = pos;
            while (pos < line.size() && !isBlank(line[pos]) && line[pos] != '"')
                ++pos;
            std::string_view word = line.substr(start, pos - start);
            const std::size_t equals = word.find('=');
            if (equals == std::string_view::npos) {
                if (pos < line.size() && line[pos] == '"')
                    return "a quote inside the word '" + std::string(word) + "'";
                token.value = word;
                tokens.push_back(std::move(token));
                continue;
            }
            token.name = word.substr(0, equals);
            if (token.name.empty())
                return "'=' without a parameter name";
            token.value = word.substr(equals + 1);
            if (token.value.empty() && pos < line.size() && line[pos] == '"') {
                if (std::string error = readQuoted(line, pos, token.value); !error.empty())
                    return error;
            } else if (pos < line.size() && line[pos] == '"') {
                return "a quote inside the value of " + token.name;
            }
        } else if (std::string error = readQuoted(line, pos, token.value); !error.empty()) {
            return error;
        }
        if (pos < line.size() && !isBlank(line[pos]))
            return "no blank after a quoted text";
        tokens.push_back(std::move(token));
    }
}

std::string quoteWord(std::string_view text) {
    bool bare = !text.empty() && text.front() != '#';
    for (char c : text)
        bare = bare && isBareChar(c);
    if (bare)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

} // namespace pgc
