#include "link.h"

#include "checksum.h"

#include <cstring>

namespace lv {
namespace {

constexpr std::size_t kHeaderSize = LV_PACKET_HEADER_SIZE;

std::uint8_t* bytesOf(Packet& packet) {
    return reinterpret_cast<std::uint8_t*>(&packet);
}

} // namespace

std::unique_ptr<Packet> makePacket() {
    return std::make_unique<Packet>();
}

PacketLink::PacketLink(SerialPort& port)
    : port_(port), lastSent_(makePacket()), lastReceived_(makePacket()) {}

std::uint32_t PacketLink::exchange(Packet& packet) {
    packet.checksum[0] = 0;
    packet.checksum[1] = 0;
    sealPacket(packet);
    std::memcpy(lastSent_.get(), &packet, sizeof(Packet));
    if (testMode) {
        if (traffic)
            traffic->sent(packet, true);
        return LV_LINK_ACK;
    }

    // The packet is reported once it is on its way, so that decoding it takes
    // place while the unit reads it and answers.
    port_.purgeReceive();
    const std::size_t size = kHeaderSize + packet.length;
    std::size_t written = 0;
    try {
        written = port_.write(bytesOf(packet), size);
    } catch (const SerialPortError&) {
        if (traffic)
            traffic->sent(packet, false);
        throw;
    }
    if (traffic)
        traffic->sent(packet, false);
    if (written < size)
        return logged(LV_LINK_SHORT_WRITE);
    if (!waitForAnswers)
        return LV_LINK_ACK;
    return collectReply(packet);
}

std::uint32_t PacketLink::collectReply(Packet& packet) {
    std::uint8_t reply = 0;
    if (port_.read(&reply, 1) < 1)
        return logged(LV_LINK_NO_REPLY);
    switch (reply) {
    case LV_LINK_ACK:
    case LV_LINK_NAK:
        return logged(reply);
    case LV_LINK_VALUE: {
        std::uint8_t value[2] = {0, 0};
        if (port_.read(value, 2) < 2)
            return logged(LV_LINK_NO_REPLY);
        return logged(LV_LINK_VALUE | (static_cast<std::uint32_t>(value[0]) << 16) |
                      (static_cast<std::uint32_t>(value[1]) << 24));
    }
    case LV_LINK_PACKET: {
        const std::uint8_t code = receiveReplyPacket(packet);
        if (code != LV_LINK_ACK) // 21 here is the plug-in refusing a damaged reply
            return logged(code, code == LV_LINK_NAK);
        if (traffic) {
            traffic->reply(LV_LINK_PACKET);
            traffic->received(packet);
        }
        return LV_LINK_PACKET;
    }
    default:
        return logged(LV_LINK_UNEXPECTED);
    }
}

std::uint32_t PacketLink::logged(std::uint32_t result, bool badChecksum) {
    if (traffic)
        traffic->reply(result, badChecksum);
    return result;
}

std::uint8_t PacketLink::receiveReplyPacket(Packet& packet) {
    if (testMode)
        return LV_LINK_ACK;
    std::uint8_t* bytes = bytesOf(packet);
    if (port_.read(bytes, 2) < 2)
        return LV_LINK_NO_REPLY;
    if (bytes[0] != (LV_PACKET_SYNC & 0xFFu) || bytes[1] != (LV_PACKET_SYNC >> 8))
        return LV_LINK_SHORT_WRITE; // wrong sync word; nothing is sent back
    if (port_.read(bytes + 2, 1) < 1 || port_.read(bytes + 3, 2) < 2 || port_.read(bytes + 5, 2) < 2)
        return LV_LINK_NO_REPLY;
    // The length field is 16 bits, so the payload always fits the record.
    const std::size_t length = packet.length;
    const bool payloadComplete = length == 0 || port_.read(packet.payload, length) == length;
    if (!payloadComplete) {
        sendByte(LV_LINK_NAK);
        return LV_LINK_NO_REPLY;
    }
    if (!packetChecksumValid(packet)) {
        sendByte(LV_LINK_NAK);
        return LV_LINK_NAK;
    }
    std::memcpy(lastReceived_.get(), &packet, sizeof(Packet));
    sendByte(LV_LINK_ACK);
    return LV_LINK_ACK;
}

void PacketLink::sendByte(std::uint8_t byte) {
    port_.write(&byte, 1);
}

} // namespace lv
