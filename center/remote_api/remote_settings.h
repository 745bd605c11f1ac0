// The network interface's settings: section [Remote] of the settings file.
//
// The interface is off by default, and while it has never been switched on the
// settings file gains nothing. Switched on with an empty token, it makes a random
// one and stores it at once, so that a control system configured with it still
// gets in after a power cut.
#pragma once

#include "files/ini_file.h"

#include <cstdint>
#include <string>

namespace mlc {

inline constexpr std::int32_t kRemoteDefaultPort = 8734;

struct RemoteSettings {
    bool Enabled = false;
    std::string Address = "127.0.0.1";
    std::int32_t Port = kRemoteDefaultPort; // 0: a free port the system chooses
    std::string Token;                      // the Bearer token every request carries

    bool operator==(const RemoteSettings&) const = default;
};

// 32 hexadecimal digits from the system's random source.
std::string makeRemoteToken();
// Switched on with an empty token: makes one. True when it did.
bool ensureRemoteToken(RemoteSettings& settings);

// [Remote] Enabled, Address, Port, Token; defaults for what is missing or unreadable.
RemoteSettings readRemoteSettings(const IniFile& ini);
// Written when the interface is on or the file has the section already.
void writeRemoteSettings(const RemoteSettings& settings, IniFile& ini);
// Writes the section into the settings file now, keeping everything else in it.
bool saveRemoteSettings(const std::string& settingsFile, const RemoteSettings& settings);

} // namespace mlc
