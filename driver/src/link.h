// The packet link: one packet out, the unit's reply byte (and reply packet) in.
#pragma once

#include "lvdriver.h"
#include "serial_port.h"
#include "traffic_log.h"

#include <cstdint>
#include <memory>

namespace lv {

// A zeroed packet record on the heap; records are too large for the stack.
std::unique_ptr<Packet> makePacket();

class PacketLink {
public:
    explicit PacketLink(SerialPort& port);

    // Seals and sends the packet and collects the reply. Result: low byte = reply
    // byte or link code (LV_LINK_*), bits 16..31 = the value of a value reply.
    // After a packet reply the record holds the reply packet. Port failures raise
    // SerialPortError; in test mode the port is never used.
    std::uint32_t exchange(Packet& packet);

    // Receives a reply packet into the record and acknowledges it (6) or refuses
    // it (21). Returns the link code.
    std::uint8_t receiveReplyPacket(Packet& packet);

    bool waitForAnswers = true;
    bool testMode = false;
    // Where packets are reported; null while nothing listens.
    TrafficLog* traffic = nullptr;

    const Packet& lastSent() const { return *lastSent_; }
    const Packet& lastReceived() const { return *lastReceived_; }

private:
    std::uint32_t collectReply(Packet& packet);
    std::uint32_t logged(std::uint32_t result, bool badChecksum = false);
    void sendByte(std::uint8_t byte);

    SerialPort& port_;
    std::unique_ptr<Packet> lastSent_;
    std::unique_ptr<Packet> lastReceived_;
};

} // namespace lv
