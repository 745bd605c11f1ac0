#include "files/wall_file.h"

#include "files/atomic_file.h"
#include "files/guarded_save.h"
#include "files/monitor_record.h"
#include "little_endian.h"

#include <algorithm>
#include <cstring>

namespace mlc {

namespace {
constexpr char kMagic[4] = {'M', 'L', 'V', 'F'};
constexpr std::size_t kHeaderSize = 8;
} // namespace

WallSettings wallSettingsOf(const WallGrid& grid) {
    WallSettings settings;
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxRows; ++r)
            settings[placeIndex(c, r)] = grid.at(c, r).Settings;
    return settings;
}

void applyWallSettings(const WallSettings& settings, WallGrid& grid) {
    for (int c = 1; c <= kMaxColumns; ++c)
        for (int r = 1; r <= kMaxRows; ++r)
            grid.at(c, r).Settings = settings[placeIndex(c, r)];
}

std::vector<std::uint8_t> encodeVideowall(const WallSettings& settings) {
    std::vector<std::uint8_t> file(kWallFileSize);
    std::memcpy(file.data(), kMagic, 4);
    lv::putLe32(file.data() + 4, static_cast<std::uint32_t>(kWallBlockSize));
    for (std::size_t i = 0; i < settings.size(); ++i)
        encodeMonitorSettings(settings[i], file.data() + kHeaderSize + i * kMonitorSettingsRecordSize);
    return file;
}

LoadStatus decodeVideowall(std::span<const std::uint8_t> file, WallSettings& buffer) {
    if (file.size() < 4 || std::memcmp(file.data(), kMagic, 4) != 0)
        return LoadStatus::WrongMagic;
    if (file.size() < kHeaderSize)
        return LoadStatus::Truncated;
    const std::size_t announced = lv::getLe32(file.data() + 4);
    const std::size_t length = std::min({announced, file.size() - kHeaderSize, kWallBlockSize});
    const std::uint8_t* block = file.data() + kHeaderSize;
    for (std::size_t i = 0; i * kMonitorSettingsRecordSize < length; ++i) {
        const std::size_t offset = i * kMonitorSettingsRecordSize;
        decodeMonitorSettingsPrefix(block + offset, length - offset, buffer[i]);
    }
    return LoadStatus::Loaded;
}

bool saveVideowallFile(Operator& op, const std::string& path, const WallSettings& settings) {
    return saveWithOverwriteQuestion(op, path, encodeVideowall(settings));
}

LoadStatus loadVideowallFile(const std::string& path, WallSettings& buffer) {
    if (!fileExists(path))
        return LoadStatus::Missing;
    // A longer file is read as far as a wall goes.
    const auto file = readFileStart(path, kWallFileSize);
    return file ? decodeVideowall(*file, buffer) : file.status();
}

} // namespace mlc
