#include "sequencer/sequence_file.h"

#include "files/atomic_file.h"
#include "files/guarded_save.h"
#include "files/monitor_record.h"
#include "little_endian.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace mlc {

namespace {

constexpr char kMagic[4] = {'M', 'L', 'S', 'F'};
constexpr std::size_t kSettingsOffset = 8;
constexpr std::size_t kNameOffset = kSettingsOffset + kMonitorSettingsRecordSize * kMaxColumns * kMaxRows;
static_assert(kNameOffset + 1 + kMaxItemNameLength == kSequenceItemSize);

// Sequence files are read whole; this bounds what a damaged name can make us read.
constexpr std::size_t kMaxSequenceFileSize = std::size_t{1} << 31;

void decodeWholeItem(const std::uint8_t* in, TSequenceItem& item) {
    item.Hours = in[0];
    item.Minutes = in[1];
    item.Seconds = in[2];
    item.TimeMode = in[3];
    for (std::size_t i = 0; i < item.Settings.size(); ++i)
        item.Settings[i] = decodeMonitorSettings(in + kSettingsOffset + i * kMonitorSettingsRecordSize);
    item.NameLength = in[kNameOffset];
    std::memcpy(item.NameChars.data(), in + kNameOffset + 1, kMaxItemNameLength);
}

} // namespace

void encodeSequenceItem(const TSequenceItem& item, std::uint8_t* out) {
    out[0] = item.Hours;
    out[1] = item.Minutes;
    out[2] = item.Seconds;
    out[3] = item.TimeMode;
    std::memset(out + 4, 0, 4);
    for (std::size_t i = 0; i < item.Settings.size(); ++i)
        encodeMonitorSettings(item.Settings[i], out + kSettingsOffset + i * kMonitorSettingsRecordSize);
    out[kNameOffset] = item.NameLength;
    std::memcpy(out + kNameOffset + 1, item.NameChars.data(), kMaxItemNameLength);
}

void decodeSequenceItemPrefix(const std::uint8_t* in, std::size_t available, TSequenceItem& item) {
    if (available >= kSequenceItemSize) {
        decodeWholeItem(in, item);
        return;
    }
    std::vector<std::uint8_t> record(kSequenceItemSize);
    encodeSequenceItem(item, record.data());
    std::memcpy(record.data(), in, available);
    decodeWholeItem(record.data(), item);
}

std::vector<std::uint8_t> encodeSequence(const SequenceItems& items) {
    std::size_t size = kSequenceHeaderSize;
    for (const auto& item : items)
        size += 4 + (item ? kSequenceItemSize : 0);
    std::vector<std::uint8_t> file(size);
    std::memcpy(file.data(), kMagic, 4);
    lv::putLe32(file.data() + 4, static_cast<std::int32_t>(items.size()));
    std::uint8_t* out = file.data() + kSequenceHeaderSize;
    for (const auto& item : items) {
        lv::putLe32(out, item ? static_cast<std::int32_t>(kSequenceItemSize) : 0);
        out += 4;
        if (item) {
            encodeSequenceItem(*item, out);
            out += kSequenceItemSize;
        }
    }
    return file;
}

Loaded<SequenceItems> decodeSequence(std::span<const std::uint8_t> file) {
    if (file.size() < 4 || std::memcmp(file.data(), kMagic, 4) != 0)
        return LoadStatus::WrongMagic;
    if (file.size() < kSequenceHeaderSize)
        return LoadStatus::Truncated;
    const std::int32_t count = lv::getLe32Signed(file.data() + 4);
    SequenceItems items;
    std::size_t pos = kSequenceHeaderSize;
    for (std::int32_t i = 0; i < count; ++i) {
        if (file.size() - pos < 4)
            break; // the data ends before the announced count
        const std::int32_t length = lv::getLe32Signed(file.data() + pos);
        pos += 4;
        if (length <= 0)
            continue;
        const auto size = static_cast<std::size_t>(length);
        if (size > kSequenceItemSize)
            return LoadStatus::TooLarge;
        if (file.size() - pos < size)
            break; // a record cut off by the end of the data is dropped
        auto item = NewSequenceItem();
        decodeSequenceItemPrefix(file.data() + pos, size, *item);
        pos += size;
        items.push_back(std::move(item));
    }
    return items;
}

bool saveSequenceFile(Operator& op, const std::string& path, const SequenceItems& items) {
    return saveWithOverwriteQuestion(op, path, encodeSequence(items));
}

Loaded<SequenceItems> loadSequenceFile(const std::string& path) {
    if (!fileExists(path))
        return LoadStatus::Missing;
    const auto file = readFile(path, kMaxSequenceFileSize);
    if (!file)
        return file.status().reason();
    return decodeSequence(*file);
}

} // namespace mlc
