// For the Windows tests under Wine: the Linux side of a test (mlemu, the far end
// of a serial line) runs natively, started through wine_native_helper.py and
// connected to the test over TCP on 127.0.0.1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// The Unix path of a Windows path, as Wine maps it.
std::string unixPath(const std::string& windowsPath);

// One of the Wine prefix's COM ports, reserved for this process while the object
// lives. The test scripts map COMn to the link $WINEPREFIX/ports/comn.
class WinePort {
public:
    WinePort();
    ~WinePort();
    WinePort(const WinePort&) = delete;
    WinePort& operator=(const WinePort&) = delete;
    std::string name() const { return "COM" + std::to_string(number_); }
    std::string link() const; // the Unix path of the link

private:
    int number_ = 0;
    void* lock_ = nullptr;
};

// wine_native_helper.py MODE ARGS..., connected. Destroying the object ends the
// connection and waits until the helper has ended.
class NativeHelper {
public:
    explicit NativeHelper(const std::vector<std::string>& modeAndArgs);
    ~NativeHelper();
    NativeHelper(const NativeHelper&) = delete;
    NativeHelper& operator=(const NativeHelper&) = delete;

    bool send(const std::uint8_t* data, std::size_t size);
    bool send(const std::string& text) {
        return send(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    // Waits up to timeoutMs for bytes; 0 when none came or the helper is gone.
    std::size_t receive(std::uint8_t* buffer, std::size_t size, int timeoutMs);
    // One line without its end, waiting up to timeoutMs in all.
    std::string receiveLine(int timeoutMs);

private:
    std::uintptr_t socket_;
};

} // namespace testsupport
