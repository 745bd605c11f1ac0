#include "held_port.h"

#include <windows.h>

namespace testsupport {

bool heldPortsExcludeOthers() {
    return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr;
}

HeldPort::HeldPort(const std::string& device) {
    const HANDLE handle = ::CreateFileA(("\\\\.\\" + device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    held_ = handle != INVALID_HANDLE_VALUE;
    handle_ = reinterpret_cast<long long>(handle);
}

HeldPort::~HeldPort() {
    if (held_)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

} // namespace testsupport
