// The account of every packet on the line, for integrators tracing a wall: one
// decoding of the packets with the definition file's names, written to the file
// LVDRIVER_TRAFFIC names and handed to the host's traffic tap (SetTrafficTap).
//
// Each packet sent, each end of an exchange and each reply received becomes one
// line: local time with milliseconds, direction, the unit addressed, the packet
// decoded, and the raw bytes in hexadecimal. The unit is the device ID the last
// selection named ("unit=7", "unit=all" after selecting every unit, "unit=?" when
// the plug-in cannot tell: before any selection, after the port was opened or
// closed, for port detection). File lines are flushed at once.
//
// When neither a file nor a tap listens the link does not call this at all, so
// the exchanges pay nothing for it.
#pragma once

#include "definitions.h"
#include "lvdriver.h"

#include <cstdint>
#include <cstdio>

namespace lv {

class TrafficLog {
public:
    explicit TrafficLog(const Definitions& definitions);
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // Appends to the file LVDRIVER_TRAFFIC names; nothing when unset or unopenable.
    void openFileFromEnvironment();
    // The host's tap; a null tap stops it.
    void setTap(LvTrafficTap tap, void* context);
    bool active() const { return file_ || tap_; }
    // Another port may reach other units: the unit addressed is not known.
    void forgetUnit() { unit_ = -1; }

    // A sealed packet written to the line (or, in test mode, not written).
    void sent(const Packet& packet, bool testMode);
    // How the exchange ended: the unit's reply byte or the link code, with the
    // value of a value reply; badChecksum for a reply packet refused for its checksum.
    void reply(std::uint32_t linkResult, bool badChecksum = false);
    // A reply packet received with a valid checksum.
    void received(const Packet& packet);

    // A text in a fixed buffer: what is appended beyond its room is cut off.
    // Decoding every packet while a tap listens must cost the exchange little,
    // so the texts are built without formatting calls or allocations.
    template <std::size_t N> class Text {
    public:
        Text() { chars_[0] = '\0'; }
        Text& operator<<(const char* text) {
            while (*text && size_ + 1 < N)
                chars_[size_++] = *text++;
            chars_[size_] = '\0';
            return *this;
        }
        Text& operator<<(long long number);
        Text& hexByte(std::uint8_t byte);
        const char* c_str() const { return chars_; }
        bool empty() const { return size_ == 0; }

    private:
        char chars_[N];
        std::size_t size_ = 0;
    };

    // The decoded packet: its kind, name, target and value texts.
    struct Fields {
        Text<32> kind;
        Text<260> name;
        Text<260> target;
        Text<64> value;
    };

private:
    void describe(const Packet& packet, Fields& fields) const;
    void followSelection(const Packet& packet);
    void emit(std::uint8_t direction, const Fields& fields, std::uint8_t packetType, const Packet* packet,
              std::uint32_t linkResult, std::uint8_t outcome, const char* result);

    const Definitions& definitions_;
    const OperationDef* selection_;
    std::FILE* file_ = nullptr;
    LvTrafficTap tap_ = nullptr;
    void* tapContext_ = nullptr;
    int unit_ = -1;      // 1..255, 0 for all units, -1 not known
    int entryUnit_ = -1; // the unit of the exchange under way
    Fields lastSent_;    // what a reply answers
    std::uint8_t lastType_ = 0;
    long stampSecond_ = -1; // the time stamp's date and time, made once a second
    char stamp_[32] = {};
};

} // namespace lv
