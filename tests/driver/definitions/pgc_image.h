// Builds definition-file images byte by byte, independently of the writer under test.
#pragma once

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace testpgc {

class Image {
public:
    explicit Image(std::uint8_t key) : key_(key), bytes_{'P', 'G', 'C', 0x1A, key} {}

    // A marker and fields, each field as a length byte and its text.
    Image& record(int kind, std::initializer_list<std::string_view> fields) {
        plain(static_cast<std::uint8_t>(0x80 + kind - 1));
        for (std::string_view field : fields) {
            plain(static_cast<std::uint8_t>(field.size()));
            for (char c : field)
                plain(static_cast<std::uint8_t>(c));
        }
        return *this;
    }
    // One byte before the XOR.
    Image& plain(std::uint8_t byte) {
        bytes_.push_back(byte ^ key_);
        return *this;
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    void writeTo(const std::string& path) const {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
    }

private:
    std::uint8_t key_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace testpgc
