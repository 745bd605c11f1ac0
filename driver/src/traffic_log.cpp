#include "traffic_log.h"

#include "little_endian.h"
#include "payload_layout.h"

#include <cstdlib>
#include <ctime>
#include <sys/time.h>

namespace lv {

template <std::size_t N> TrafficLog::Text<N>& TrafficLog::Text<N>::operator<<(long long number) {
    char digits[24];
    std::size_t count = 0;
    unsigned long long magnitude =
        number < 0 ? 0ULL - static_cast<unsigned long long>(number) : static_cast<unsigned long long>(number);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (number < 0)
        digits[count++] = '-';
    while (count > 0 && size_ + 1 < N)
        chars_[size_++] = digits[--count];
    chars_[size_] = '\0';
    return *this;
}

template <std::size_t N> TrafficLog::Text<N>& TrafficLog::Text<N>::hexByte(std::uint8_t byte) {
    static const char digits[] = "0123456789ABCDEF";
    const char pair[] = {digits[byte >> 4], digits[byte & 0xF], '\0'};
    return *this << pair;
}

namespace {

using Fields = TrafficLog::Fields;

const char* itemCode(const Definitions& definitions, const std::string& list, std::int32_t value) {
    if (list.empty())
        return nullptr;
    const MatchItem* item = definitions.findMatchItemByValue(list, value);
    return item ? item->code.c_str() : nullptr;
}

void describeOperation(const Definitions& definitions, const Packet& packet, Fields& fields) {
    namespace at = op_payload;
    const std::uint8_t* p = packet.payload;
    const std::uint16_t code = getLe16(p + at::kCode);
    const OperationDef* op = definitions.findOperationByCode(code);
    fields.kind << "operation " << opStepName(p[at::kStep]);
    if (op) {
        fields.name << op->name.c_str();
    } else {
        fields.name << "code=0x";
        fields.name.hexByte(static_cast<std::uint8_t>(code >> 8)).hexByte(static_cast<std::uint8_t>(code));
    }
    if (const char* target =
            op ? itemCode(definitions, op->targetList, getLe32Signed(p + at::kTarget)) : nullptr)
        fields.target << target;
    const std::int32_t value = getLe32Signed(p + at::kValue);
    switch (static_cast<OpStep>(p[at::kStep])) {
    case OpStep::Set:
    case OpStep::Get:
        if (const char* valueCode = op && op->valueType == ValueType::Value
                                        ? itemCode(definitions, op->valueList, value)
                                        : nullptr)
            fields.value << "value=" << valueCode;
        else
            fields.value << "value=" << value;
        break;
    case OpStep::RangeQuery:
        fields.value << "min=" << getLe32Signed(p + at::kMinimum)
                     << " max=" << getLe32Signed(p + at::kMaximum);
        break;
    case OpStep::Increment:
    case OpStep::Decrement:
        fields.value << "step=" << getLe32Signed(p + at::kIncrement);
        break;
    default:
        break;
    }
}

const char* replyText(std::uint32_t linkResult, bool badChecksum, TrafficLog::Text<64>& text) {
    switch (linkResult & 0xFFu) {
    case LV_LINK_ACK:
        return "acknowledge (6)";
    case LV_LINK_NAK:
        return badChecksum ? "reply packet with a wrong checksum, refused (21)" : "refusal (21)";
    case LV_LINK_VALUE:
        text << "value (28) " << static_cast<long long>(linkResult >> 16);
        return text.c_str();
    case LV_LINK_PACKET:
        return "reply packet (30)";
    case LV_LINK_NO_REPLY:
        return "no reply (255)";
    case LV_LINK_SHORT_WRITE:
        return "short write or wrong sync word (254)";
    default:
        text << "unexpected reply (" << static_cast<long long>(linkResult & 0xFFu) << ")";
        return text.c_str();
    }
}

std::uint8_t outcomeOf(std::uint32_t linkResult, bool badChecksum) {
    switch (linkResult & 0xFFu) {
    case LV_LINK_ACK:
    case LV_LINK_VALUE:
    case LV_LINK_PACKET:
        return LV_TRAFFIC_ANSWERED;
    case LV_LINK_NAK:
        return badChecksum ? LV_TRAFFIC_BAD_CHECKSUM : LV_TRAFFIC_REFUSED;
    case LV_LINK_NO_REPLY:
        return LV_TRAFFIC_NO_ANSWER;
    default:
        return LV_TRAFFIC_UNEXPECTED;
    }
}

const char* directionText(std::uint8_t direction) {
    switch (direction) {
    case LV_TRAFFIC_SENT:
        return "sent";
    case LV_TRAFFIC_NOT_SENT:
        return "not sent (test mode)";
    case LV_TRAFFIC_REPLY:
        return "reply";
    default:
        return "received";
    }
}

// " | BE EF 03 ..." for at most 64 bytes: the log is for reading, so long packets
// (OEM data) are cut and their size said.
template <std::size_t N> void putBytes(const Packet& packet, TrafficLog::Text<N>& line) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&packet);
    const std::size_t size = LV_PACKET_HEADER_SIZE + packet.length;
    const std::size_t shown = size < 64 ? size : 64;
    line << " |";
    for (std::size_t i = 0; i < shown; ++i)
        (line << " ").hexByte(bytes[i]);
    if (shown < size)
        line << " ... (" << static_cast<long long>(size) << " bytes)";
}

} // namespace

TrafficLog::TrafficLog(const Definitions& definitions)
    : definitions_(definitions), selection_(definitions.findOperation("op_IP_MISC_DEVICESELECTION")) {}

TrafficLog::~TrafficLog() {
    if (file_)
        std::fclose(file_);
}

void TrafficLog::openFileFromEnvironment() {
    const char* path = std::getenv("LVDRIVER_TRAFFIC");
    // Binary: the same bytes on every system, line ends included.
    if (path && *path && !file_)
        file_ = std::fopen(path, "ab");
}

void TrafficLog::setTap(LvTrafficTap tap, void* context) {
    tap_ = tap;
    tapContext_ = tap ? context : nullptr;
}

void TrafficLog::describe(const Packet& packet, Fields& fields) const {
    fields = Fields{};
    const std::uint8_t* p = packet.payload;
    const std::size_t length = packet.length;
    if (packet.type == LV_PACKET_TYPE_OPERATION && length >= op_payload::kSize) {
        describeOperation(definitions_, packet, fields);
    } else if (packet.type == LV_PACKET_TYPE_EVENT && length >= event_payload::kSize) {
        const EventDef* event = definitions_.findEventByCode(getLe16(p + event_payload::kCode));
        fields.kind << "event";
        fields.name << (event ? event->name.c_str() : "?");
        fields.value << "param=" << getLe32Signed(p + event_payload::kParameter);
    } else if (packet.type == LV_PACKET_TYPE_VARIABLE && length >= variable_payload::kSize) {
        const VariableDef* variable = definitions_.findVariableByCode(getLe16(p + variable_payload::kCode));
        fields.kind << "variable " << variableStepName(p[variable_payload::kStep]);
        fields.name << (variable ? variable->name.c_str() : "?");
        fields.value << "value=" << getLe16(p + variable_payload::kValue);
    } else if (packet.type == LV_PACKET_TYPE_OEM && length >= oem_payload::kHeaderSize) {
        fields.kind << "oem";
        fields.value << "id=" << getLe16(p + oem_payload::kId) << " size=" << getLe16(p + oem_payload::kSize);
    } else if (packet.type == LV_PACKET_TYPE_DETECT) {
        fields.kind << "port detection";
    } else {
        fields.kind << "type=" << packet.type;
        fields.value << "length=" << static_cast<long long>(length);
    }
}

// A set of the device selection addresses the unit it names from now on (0: all).
void TrafficLog::followSelection(const Packet& packet) {
    entryUnit_ = unit_;
    if (packet.type == LV_PACKET_TYPE_DETECT) {
        entryUnit_ = -1; // whoever is on the port answers
        return;
    }
    if (!selection_ || packet.type != LV_PACKET_TYPE_OPERATION || packet.length < op_payload::kSize)
        return;
    const std::uint8_t* p = packet.payload;
    if (getLe16(p + op_payload::kCode) != selection_->code ||
        p[op_payload::kStep] != static_cast<std::uint8_t>(OpStep::Set))
        return;
    const std::int32_t id = getLe32Signed(p + op_payload::kValue);
    unit_ = id >= 0 && id <= 255 ? id : -1;
    entryUnit_ = unit_;
}

void TrafficLog::emit(std::uint8_t direction, const Fields& fields, std::uint8_t packetType,
                      const Packet* packet, std::uint32_t linkResult, std::uint8_t outcome,
                      const char* result) {
    timeval now{};
    gettimeofday(&now, nullptr);
    if (now.tv_sec != stampSecond_) {
        tm local{};
        const time_t seconds = now.tv_sec;
        localtime_r(&seconds, &local);
        std::strftime(stamp_, sizeof stamp_, "%Y-%m-%d %H:%M:%S", &local);
        stampSecond_ = now.tv_sec;
    }
    // Time, direction and unit, then the texts that are not empty (a reply's line
    // says only how the exchange ended), then the bytes.
    Text<1024> line;
    const long milliseconds = static_cast<long>(now.tv_usec / 1000);
    line << stamp_ << (milliseconds < 100 ? (milliseconds < 10 ? ".00" : ".0") : ".") << milliseconds << " "
         << directionText(direction) << " unit=";
    if (entryUnit_ == 0)
        line << "all";
    else if (entryUnit_ > 0)
        line << entryUnit_;
    else
        line << "?";
    if (*result)
        line << " " << result;
    if (direction != LV_TRAFFIC_REPLY) {
        for (const char* part : {fields.kind.c_str(), fields.name.c_str()})
            if (*part)
                line << " " << part;
        if (!fields.target.empty())
            line << " target=" << fields.target.c_str();
        if (!fields.value.empty())
            line << " " << fields.value.c_str();
    }
    if (packet)
        putBytes(*packet, line);

    if (file_) {
        std::fputs(line.c_str(), file_);
        std::fputc('\n', file_);
        std::fflush(file_);
    }
    if (tap_) {
        const LvTrafficEntry entry{static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_usec,
                                   linkResult,
                                   static_cast<std::int16_t>(entryUnit_),
                                   direction,
                                   outcome,
                                   packetType,
                                   fields.kind.c_str(),
                                   fields.name.c_str(),
                                   fields.target.c_str(),
                                   fields.value.c_str(),
                                   result,
                                   line.c_str()};
        tap_(&entry, tapContext_);
    }
}

void TrafficLog::sent(const Packet& packet, bool testMode) {
    followSelection(packet);
    describe(packet, lastSent_);
    lastType_ = packet.type;
    emit(testMode ? LV_TRAFFIC_NOT_SENT : LV_TRAFFIC_SENT, lastSent_, lastType_, &packet, 0,
         LV_TRAFFIC_NO_OUTCOME, "");
}

void TrafficLog::reply(std::uint32_t linkResult, bool badChecksum) {
    Text<64> text;
    emit(LV_TRAFFIC_REPLY, lastSent_, lastType_, nullptr, linkResult, outcomeOf(linkResult, badChecksum),
         replyText(linkResult, badChecksum, text));
}

void TrafficLog::received(const Packet& packet) {
    Fields fields;
    describe(packet, fields);
    emit(LV_TRAFFIC_RECEIVED, fields, packet.type, &packet, 0, LV_TRAFFIC_NO_OUTCOME, "");
}

} // namespace lv
