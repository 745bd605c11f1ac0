// Commands that need no definitions: port detection and OEM messages.
#include "device_commands.h"

#include "cells.h"
#include "little_endian.h"
#include "payload_layout.h"

#include <algorithm>
#include <cstring>

namespace lv {
namespace {

constexpr std::uint16_t kOemHeaderSize = oem_payload::kHeaderSize;
constexpr std::uint16_t kOemMaxSize = 65531; // the payload length field is 16 bits

void closeQuietly(DriverContext& context) {
    try {
        context.port->close();
    } catch (const SerialPortError&) {
    }
}

// The unit on this port answers the detection packet with an acknowledge or a packet.
bool unitAnswers(DriverContext& context) {
    auto packet = makePacket();
    packet->type = LV_PACKET_TYPE_DETECT;
    packet->length = 5;
    packet->payload[0] = 6;
    try {
        const std::uint8_t code = context.link.exchange(*packet) & 0xFFu;
        return code == LV_LINK_ACK || code == LV_LINK_PACKET;
    } catch (const SerialPortError&) {
        return false; // a port that fails its transfers holds no unit for us
    }
}

} // namespace

std::uint8_t detectPort(DriverContext& context, LvCell* portFound) {
    const std::size_t count = serialPortCount();
    cells::putUnsigned(portFound, 0);
    // Port numbers stop at 255.
    for (std::size_t n = 1; n <= count && n <= 255; ++n) {
        closeQuietly(context);
        try {
            openPortNumber(context, static_cast<std::uint8_t>(n));
        } catch (const SerialPortError&) {
            continue;
        }
        if (unitAnswers(context)) {
            cells::putUnsigned(portFound, static_cast<std::uint32_t>(n));
            return LV_RESULT_OK;
        }
    }
    closeQuietly(context);
    return LV_RESULT_OK;
}

std::uint8_t sendOem(DriverContext& context, std::uint16_t id, std::uint16_t size, std::uint8_t* data) {
    if (size > kOemMaxSize)
        return LV_RESULT_OEM_TOO_LARGE;
    if (!data)
        return LV_RESULT_OEM_DATA_MISSING;
    auto packet = makePacket();
    packet->type = LV_PACKET_TYPE_OEM;
    packet->length = static_cast<std::uint16_t>(size + kOemHeaderSize);
    putLe16(packet->payload + oem_payload::kId, id);
    putLe16(packet->payload + oem_payload::kSize, size);
    std::memcpy(packet->payload + kOemHeaderSize, data, size);

    const std::uint8_t code = context.link.exchange(*packet) & 0xFFu;
    if (code == LV_LINK_PACKET) {
        // Copy only what the reply carries, whatever its size field claims.
        const std::size_t carried = packet->length > kOemHeaderSize ? packet->length - kOemHeaderSize : 0;
        const std::size_t n = std::min<std::size_t>(getLe16(packet->payload + oem_payload::kSize), carried);
        std::memcpy(data, packet->payload + kOemHeaderSize, n);
    }
    return deviceOutcome(code);
}

} // namespace lv
