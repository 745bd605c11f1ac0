#include "pgc_writer.h"

namespace lv {

PgcEncoding encodePgcFile(std::uint8_t key, const std::vector<PgcRecord>& records) {
    PgcEncoding result;
    auto fail = [&result](std::size_t index, std::string message) {
        result.bytes.clear();
        result.error = std::move(message);
        result.failedRecord = index;
        return result;
    };

    std::vector<std::uint8_t>& out = result.bytes;
    out.assign(kPgcMagic.begin(), kPgcMagic.end());
    out.push_back(key);
    for (std::size_t index = 0; index < records.size(); ++index) {
        const PgcRecord& record = records[index];
        if (record.kind < 1 || record.kind > kPgcKindCount)
            return fail(index, "record kind " + std::to_string(record.kind) + " is not 1..8");
        out.push_back(static_cast<std::uint8_t>(kPgcFirstMarker + record.kind - 1) ^ key);
        for (std::size_t f = 0; f < record.fields.size(); ++f) {
            const std::string& field = record.fields[f];
            if (!isEncodableFieldLength(field.size()))
                return fail(index, "field " + std::to_string(f) + " has " + std::to_string(field.size()) +
                                       " bytes; a field holds 0..127 or 136..255 bytes");
            out.push_back(static_cast<std::uint8_t>(field.size()) ^ key);
            for (char c : field)
                out.push_back(static_cast<std::uint8_t>(c) ^ key);
        }
    }
    return result;
}

} // namespace lv
