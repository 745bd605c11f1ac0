// An optional log of every packet on the line, for integrators tracing a wall.
//
// When the environment variable LVDRIVER_TRAFFIC names a file at load time, every
// packet sent and every reply received is appended to it as one line: local time
// with milliseconds, direction, the packet decoded with the definition file's
// names, and the raw bytes in hexadecimal. Each line is flushed at once.
#pragma once

#include "definitions.h"
#include "lvdriver.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace lv {

class TrafficLog {
public:
    // Null when LVDRIVER_TRAFFIC is unset or the file cannot be opened.
    static std::unique_ptr<TrafficLog> fromEnvironment(const Definitions& definitions);
    TrafficLog(std::FILE* file, const Definitions& definitions);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // A sealed packet written to the line (or, in test mode, not written).
    void sent(const Packet& packet, bool testMode);
    // The unit's reply byte or the link code the exchange ended with; value with 28.
    void reply(std::uint32_t linkResult);
    // A reply packet received with a valid checksum.
    void received(const Packet& packet);

private:
    void line(const char* direction, const char* text, const Packet* packet);
    void describe(const Packet& packet, char* text, std::size_t size) const;

    std::FILE* file_;
    const Definitions& definitions_;
};

} // namespace lv
