#include "files/defaults_file.h"

#include "files/atomic_file.h"
#include "files/monitor_record.h"
#include "little_endian.h"

#include <algorithm>
#include <cstring>

namespace mlc {

namespace {
constexpr char kMagic[4] = {'M', 'L', 'D', 'F'};
constexpr std::size_t kHeaderSize = 8;
} // namespace

std::vector<std::uint8_t> encodeDefaults(const TMonitorSettings& settings) {
    std::vector<std::uint8_t> file(kDefaultsFileSize);
    std::memcpy(file.data(), kMagic, 4);
    lv::putLe32(file.data() + 4, static_cast<std::uint32_t>(kMonitorSettingsRecordSize));
    encodeMonitorSettings(settings, file.data() + kHeaderSize);
    return file;
}

LoadStatus decodeDefaults(std::span<const std::uint8_t> file, TMonitorSettings& settings) {
    if (file.size() < 4 || std::memcmp(file.data(), kMagic, 4) != 0)
        return LoadStatus::WrongMagic;
    if (file.size() < kHeaderSize)
        return LoadStatus::Truncated;
    const std::size_t announced = lv::getLe32(file.data() + 4);
    const std::size_t length = std::min({announced, file.size() - kHeaderSize, kMonitorSettingsRecordSize});
    decodeMonitorSettingsPrefix(file.data() + kHeaderSize, length, settings);
    return LoadStatus::Loaded;
}

bool saveDefaultsFile(const std::string& path, const TMonitorSettings& settings) {
    return writeFileAtomically(path, encodeDefaults(settings));
}

LoadStatus loadDefaultsFile(const std::string& path, TMonitorSettings& settings) {
    if (!fileExists(path))
        return LoadStatus::Missing;
    const auto file = readFileStart(path, kDefaultsFileSize);
    return file ? decodeDefaults(*file, settings) : file.status();
}

} // namespace mlc
