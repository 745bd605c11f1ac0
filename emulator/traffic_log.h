// The traffic log: one line per packet received or answer sent, written with one
// write() each so a reader never sees half a line. Format in docs/mlemu.md.
#pragma once

#include "unit_catalog.h"

#include <cstdint>
#include <span>
#include <string>

namespace mlemu {

// key=value fields naming a packet's content: kind, sub-operation, names, values.
std::string describePacket(const UnitCatalog& catalog, std::uint8_t type,
                           std::span<const std::uint8_t> payload);

// Upper-case hex without separators; at most limit bytes, then "..".
std::string hexBytes(std::span<const std::uint8_t> bytes, std::size_t limit = SIZE_MAX);

class TrafficLog {
public:
    TrafficLog() = default; // writes nowhere
    explicit TrafficLog(const std::string& path);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    bool open() const { return fd_ >= 0; }
    // Writes "t=<seconds> dir=<dir> unit=<unit> <fields> bytes=<n> hex=<bytes>".
    void write(double seconds, const char* dir, const std::string& unit, const std::string& fields,
               std::span<const std::uint8_t> bytes, std::size_t hexLimit = SIZE_MAX);

private:
    int fd_ = -1;
};

} // namespace mlemu
