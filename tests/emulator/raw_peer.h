// The host's end of the line without the driver: opens the emulator's terminal in
// raw mode, writes bytes and reads answers to a deadline.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace emutest {

class RawPeer {
public:
    explicit RawPeer(const std::string& path);
    ~RawPeer();
    RawPeer(const RawPeer&) = delete;
    RawPeer& operator=(const RawPeer&) = delete;

    void write(const std::vector<std::uint8_t>& bytes);
    // Reads until count bytes arrived or the time is up.
    std::vector<std::uint8_t> read(std::size_t count,
                                   std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Reads whatever arrives until the line has been quiet for quiet.
    std::vector<std::uint8_t> readUntilQuiet(std::chrono::milliseconds quiet);

private:
    int fd_ = -1;
};

} // namespace emutest
