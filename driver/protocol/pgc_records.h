// The record layer of a definition file (.PGC).
//
// Layout: "PGC" 0x1A, a key byte K, then records with every byte XORed with K. A
// record is a marker byte 0x80 + (kind - 1) for kinds 1..8 followed by fields; a
// field is a length byte and that many text bytes. A marker ends the current record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lv {

inline constexpr std::array<std::uint8_t, 4> kPgcMagic{'P', 'G', 'C', 0x1A};
inline constexpr std::size_t kPgcHeaderSize = 5; // magic and key byte
inline constexpr std::uint8_t kPgcFirstMarker = 0x80;
inline constexpr int kPgcKindCount = 8;

constexpr bool isPgcMarker(std::uint8_t byte) {
    return byte >= kPgcFirstMarker && byte < kPgcFirstMarker + kPgcKindCount;
}
// 1..8 for a marker, 0 for any other byte.
constexpr int pgcKindOf(std::uint8_t byte) {
    return isPgcMarker(byte) ? byte - kPgcFirstMarker + 1 : 0;
}
// A field length the format cannot carry: its byte would read as a marker.
constexpr bool isEncodableFieldLength(std::size_t length) {
    return length <= 0xFF && !isPgcMarker(static_cast<std::uint8_t>(length));
}

// Why reading stopped.
enum class PgcEnd {
    EndOfFile,     // every record was read
    NotRecognised, // no magic: nothing was read
    NotAMarker,    // a record should start but the byte is no marker
    FieldCutShort, // a field's text runs past the end; that record is left out
};

struct PgcScan {
    PgcEnd end = PgcEnd::NotRecognised;
    std::uint8_t key = 0;
    std::size_t recordCount = 0;
};

// One record as the scanner hands it out. The views point into a buffer that
// lives only during the call.
struct PgcRecordView {
    int kind = 0;
    std::span<const std::string_view> fields; // the first `keepFields` fields
    std::size_t fieldCount = 0;               // all fields of the record
};

// Walks the records of a whole file image in order. Only the first `keepFields`
// fields of each record are handed out (the rest are counted), so a record with a
// huge number of fields costs no memory. Never reads outside `image`.
PgcScan scanPgcRecords(std::span<const std::uint8_t> image, std::size_t keepFields,
                       const std::function<void(const PgcRecordView&)>& onRecord);

// A record with owned texts, as tools handle it.
struct PgcRecord {
    int kind = 0;
    std::vector<std::string> fields;
    friend bool operator==(const PgcRecord&, const PgcRecord&) = default;
};

struct PgcFile {
    PgcScan scan;
    std::vector<PgcRecord> records;
};

// Every record with every field.
PgcFile readPgcFile(std::span<const std::uint8_t> image);

} // namespace lv
