// A 256-byte output buffer of the plug-in: pre-filled with the length byte 255 and
// 255 blanks, since the plug-in writes only the characters of a text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mlc {

class DriverTextBuffer {
public:
    DriverTextBuffer() { prefill(); }

    void prefill() {
        bytes_.fill(' ');
        bytes_[0] = 255;
    }
    std::uint8_t* data() { return bytes_.data(); }

    // The characters up to the length byte, without surrounding blanks.
    std::string text() const {
        const std::string all(reinterpret_cast<const char*>(bytes_.data() + 1), bytes_[0]);
        const auto first = all.find_first_not_of(' ');
        if (first == std::string::npos)
            return {};
        return all.substr(first, all.find_last_not_of(' ') - first + 1);
    }

private:
    std::array<std::uint8_t, 256> bytes_{};
};

} // namespace mlc
