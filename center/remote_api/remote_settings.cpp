#include "remote_api/remote_settings.h"

#include "files/settings_file.h"

#include <random>

namespace mlc {

namespace {
constexpr const char* kRemote = "Remote";
} // namespace

std::string makeRemoteToken() {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device source;
    std::string token;
    for (int word = 0; word < 4; ++word) {
        std::uint32_t bits = source();
        for (int digit = 0; digit < 8; ++digit, bits >>= 4)
            token += kDigits[bits & 0xF];
    }
    return token;
}

bool ensureRemoteToken(RemoteSettings& settings) {
    if (!settings.Enabled || !settings.Token.empty())
        return false;
    settings.Token = makeRemoteToken();
    return true;
}

RemoteSettings readRemoteSettings(const IniFile& ini) {
    RemoteSettings s;
    const auto integer = [&ini](const char* key) {
        const auto text = ini.value(kRemote, key);
        return text ? parseSettingsInteger(*text) : std::nullopt;
    };
    s.Enabled = integer("Enabled").value_or(0) != 0;
    if (const auto address = ini.value(kRemote, "Address"); address && !address->empty())
        s.Address = *address;
    if (const auto port = integer("Port"); port && *port >= 0 && *port <= 65535)
        s.Port = *port;
    s.Token = ini.value(kRemote, "Token").value_or(std::string());
    return s;
}

void writeRemoteSettings(const RemoteSettings& s, IniFile& ini) {
    if (!s.Enabled && !ini.value(kRemote, "Enabled"))
        return;
    ini.set(kRemote, "Enabled", s.Enabled ? "1" : "0");
    ini.set(kRemote, "Address", s.Address);
    ini.set(kRemote, "Port", std::to_string(s.Port));
    ini.set(kRemote, "Token", s.Token);
}

bool saveRemoteSettings(const std::string& settingsFile, const RemoteSettings& settings) {
    auto loaded = loadIniFile(settingsFile);
    // A file that is there but cannot be read is not replaced by the section alone.
    if (!loaded && loaded.status().reason() != LoadStatus::Missing)
        return false;
    IniFile ini = loaded ? std::move(*loaded) : IniFile{};
    writeRemoteSettings(settings, ini);
    return saveIniFile(settingsFile, ini);
}

} // namespace mlc
