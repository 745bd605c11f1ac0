#include "router/video_router.h"

#include "matrixsw.h"

#include <array>
#include <limits>

namespace mlc {

bool MatrixSwRouter::SetDeviceUsage(std::uint8_t deviceId, bool inUse) {
    return LVDRIVER_SetDeviceUsage(deviceId, inUse ? 1 : 0) != 0;
}

bool MatrixSwRouter::SetNewInput(std::uint8_t deviceId, std::uint8_t input) {
    return LVDRIVER_SetNewInput(deviceId, input) != 0;
}

bool MatrixSwRouter::CommitChanges() {
    return LVDRIVER_CommitChanges() != 0;
}

void MatrixSwRouter::ResyncVideowall() {
    LVDRIVER_ResyncVideowall();
}

int MatrixSwRouter::GetInputCount() {
    const std::uint32_t count = LVDRIVER_GetInputCount();
    return count > static_cast<std::uint32_t>(std::numeric_limits<int>::max())
               ? std::numeric_limits<int>::max()
               : static_cast<int>(count);
}

std::string MatrixSwRouter::GetInputName(int index) {
    // A library that writes nothing leaves an empty text.
    std::array<std::uint8_t, 256> buffer{};
    LVDRIVER_GetInputName(buffer.data(), index);
    std::string name(reinterpret_cast<const char*>(buffer.data() + 1), buffer[0]);
    const auto first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return name.substr(first, name.find_last_not_of(' ') - first + 1);
}

void MatrixSwRouter::ConfigurePlugin() {
    LVDRIVER_ConfigurePlugin();
}

} // namespace mlc
