#include "pgc_records.h"

#include <algorithm>
#include <limits>

namespace lv {

PgcScan scanPgcRecords(std::span<const std::uint8_t> image, std::size_t keepFields,
                       const std::function<void(const PgcRecordView&)>& onRecord) {
    PgcScan scan;
    if (image.size() < kPgcMagic.size() || !std::equal(kPgcMagic.begin(), kPgcMagic.end(), image.begin()))
        return scan;
    scan.end = PgcEnd::EndOfFile;
    if (image.size() < kPgcHeaderSize)
        return scan;
    scan.key = image[4];

    // Undo the XOR once so that fields can be handed out as views.
    std::string text(image.size() - kPgcHeaderSize, '\0');
    std::transform(image.begin() + kPgcHeaderSize, image.end(), text.begin(),
                   [key = scan.key](std::uint8_t byte) { return static_cast<char>(byte ^ key); });
    const auto byteAt = [&text](std::size_t pos) { return static_cast<std::uint8_t>(text[pos]); };

    std::size_t pos = 0;
    if (pos >= text.size())
        return scan;
    int kind = pgcKindOf(byteAt(pos++));
    if (kind == 0) {
        scan.end = PgcEnd::NotAMarker;
        return scan;
    }

    std::vector<std::string_view> fields;
    fields.reserve(std::min<std::size_t>(keepFields, 16));
    while (kind != 0) {
        fields.clear();
        std::size_t fieldCount = 0;
        int nextKind = 0;
        while (pos < text.size()) {
            const std::uint8_t byte = byteAt(pos++);
            if (isPgcMarker(byte)) {
                nextKind = pgcKindOf(byte);
                break;
            }
            const std::size_t length = byte;
            if (length > text.size() - pos) {
                scan.end = PgcEnd::FieldCutShort;
                return scan;
            }
            if (fieldCount < keepFields)
                fields.push_back(std::string_view(text).substr(pos, length));
            ++fieldCount;
            pos += length;
        }
        // A marker as the very last byte yields one more record without fields.
        onRecord(PgcRecordView{kind, fields, fieldCount});
        ++scan.recordCount;
        kind = nextKind;
    }
    return scan;
}

PgcFile readPgcFile(std::span<const std::uint8_t> image) {
    PgcFile file;
    file.scan =
        scanPgcRecords(image, std::numeric_limits<std::size_t>::max(), [&file](const PgcRecordView& view) {
            PgcRecord record;
            record.kind = view.kind;
            record.fields.assign(view.fields.begin(), view.fields.end());
            file.records.push_back(std::move(record));
        });
    return file;
}

} // namespace lv
