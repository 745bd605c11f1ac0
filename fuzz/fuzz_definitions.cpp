// Definition files are untrusted input: any bytes must load without a crash, and
// the indexes must find exactly what a walk over the tables in file order finds.
#include "definitions.h"
#include "pgc_records.h"
#include "pgc_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

// The first entry of `entries` whose name equals `name` without regard to case.
template <typename Entry>
const Entry* firstNamed(const std::vector<Entry>& entries, const std::string& name) {
    for (const Entry& entry : entries)
        if (sameIgnoringCase(entry.name, name))
            return &entry;
    return nullptr;
}

std::string flipCase(std::string text) {
    for (char& c : text)
        c = std::isupper(static_cast<unsigned char>(c))
                ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Limits the quadratic cross-checks on large inputs.
constexpr std::size_t kChecked = 64;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const lv::Definitions d = lv::Definitions::fromBytes(bytes);

    for (std::size_t i = 0; i < std::min(kChecked, d.operations().size()); ++i) {
        const lv::OperationDef& op = d.operations()[i];
        check(op.name.size() <= 255 && op.label.size() <= 255);
        check(d.findOperation(flipCase(op.name)) == firstNamed(d.operations(), op.name));
        check(d.findOperationByCode(op.code) != nullptr);
    }
    for (std::size_t i = 0; i < std::min(kChecked, d.events().size()); ++i)
        check(d.findEvent(flipCase(d.events()[i].name)) == firstNamed(d.events(), d.events()[i].name));
    for (std::size_t i = 0; i < std::min(kChecked, d.variables().size()); ++i)
        check(d.findVariable(d.variables()[i].name) == firstNamed(d.variables(), d.variables()[i].name));

    for (std::size_t i = 0; i < std::min(kChecked, d.matchItems().size()); ++i) {
        const lv::MatchItem& item = d.matchItems()[i];
        const lv::MatchItem* byCode = d.findMatchItemByCode(flipCase(item.list), flipCase(item.code));
        const lv::MatchItem* byValue = d.findMatchItemByValue(item.list, item.value);
        check(byCode != nullptr && byValue != nullptr);
        check(byCode <= &item && byValue <= &item); // an earlier entry may win, never a later one
        // Position in its list, counted by a walk.
        std::size_t position = 0;
        for (std::size_t j = 0; j < i; ++j)
            position += sameIgnoringCase(d.matchItems()[j].list, item.list) ? 1 : 0;
        check(d.matchItemAt(item.list, position) == &item);
        check(d.countMatchItems(item.list) > position);
        check(d.matchItemAt(item.list, d.countMatchItems(item.list)) == nullptr);
    }

    // What can be read can be written back to the same records.
    const lv::PgcFile file = lv::readPgcFile(bytes);
    if (file.scan.end != lv::PgcEnd::NotRecognised) {
        const lv::PgcEncoding encoded = lv::encodePgcFile(file.scan.key, file.records);
        check(encoded.error.empty());
        const lv::PgcFile again = lv::readPgcFile(encoded.bytes);
        check(again.scan.end == lv::PgcEnd::EndOfFile && again.records == file.records);
    }
    return 0;
}
