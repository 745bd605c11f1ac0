#include "traffic_log.h"

#include "little_endian.h"
#include "payload_layout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/time.h>

// snprintf throughout: std::to_string would bind a symbol uniquely and keep the
// library from being unloaded.
namespace lv {
namespace {

template <std::size_t N, typename... Args> void put(char (&field)[N], const char* format, Args... args) {
    std::snprintf(field, N, format, args...);
}

const char* itemCode(const Definitions& definitions, const std::string& list, std::int32_t value) {
    if (list.empty())
        return nullptr;
    const MatchItem* item = definitions.findMatchItemByValue(list, value);
    return item ? item->code.c_str() : nullptr;
}

void describeOperation(const Definitions& definitions, const Packet& packet, TrafficLog::Fields& fields) {
    namespace at = op_payload;
    const std::uint8_t* p = packet.payload;
    const std::uint16_t code = getLe16(p + at::kCode);
    const OperationDef* op = definitions.findOperationByCode(code);
    put(fields.kind, "operation %s", opStepName(p[at::kStep]));
    if (op)
        put(fields.name, "%s", op->name.c_str());
    else
        put(fields.name, "code=0x%04X", static_cast<unsigned>(code));
    if (const char* target =
            op ? itemCode(definitions, op->targetList, getLe32Signed(p + at::kTarget)) : nullptr)
        put(fields.target, "%s", target);
    const std::int32_t value = getLe32Signed(p + at::kValue);
    switch (static_cast<OpStep>(p[at::kStep])) {
    case OpStep::Set:
    case OpStep::Get:
        if (const char* valueCode = op && op->valueType == ValueType::Value
                                        ? itemCode(definitions, op->valueList, value)
                                        : nullptr)
            put(fields.value, "value=%s", valueCode);
        else
            put(fields.value, "value=%d", value);
        break;
    case OpStep::RangeQuery:
        put(fields.value, "min=%d max=%d", getLe32Signed(p + at::kMinimum), getLe32Signed(p + at::kMaximum));
        break;
    case OpStep::Increment:
    case OpStep::Decrement:
        put(fields.value, "step=%d", getLe32Signed(p + at::kIncrement));
        break;
    default:
        break;
    }
}

const char* replyText(std::uint32_t linkResult, bool badChecksum, char (&text)[64]) {
    switch (linkResult & 0xFFu) {
    case LV_LINK_ACK:
        return "acknowledge (6)";
    case LV_LINK_NAK:
        return badChecksum ? "reply packet with a wrong checksum, refused (21)" : "refusal (21)";
    case LV_LINK_VALUE:
        put(text, "value (28) %u", static_cast<unsigned>(linkResult >> 16));
        return text;
    case LV_LINK_PACKET:
        return "reply packet (30)";
    case LV_LINK_NO_REPLY:
        return "no reply (255)";
    case LV_LINK_SHORT_WRITE:
        return "short write or wrong sync word (254)";
    default:
        put(text, "unexpected reply (%u)", static_cast<unsigned>(linkResult & 0xFFu));
        return text;
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

// " BE EF 03 ..." for at most 64 bytes: the log is for reading, so long packets
// (OEM data) are cut and their size said.
std::size_t putBytes(const Packet& packet, char* out) {
    static const char digits[] = "0123456789ABCDEF";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&packet);
    const std::size_t size = LV_PACKET_HEADER_SIZE + packet.length;
    const std::size_t shown = size < 64 ? size : 64;
    char* at = out;
    *at++ = ' ';
    *at++ = '|';
    for (std::size_t i = 0; i < shown; ++i) {
        *at++ = ' ';
        *at++ = digits[bytes[i] >> 4];
        *at++ = digits[bytes[i] & 0xF];
    }
    if (shown < size)
        at += std::snprintf(at, 32, " ... (%zu bytes)", size);
    return static_cast<std::size_t>(at - out);
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
    if (path && *path && !file_)
        file_ = std::fopen(path, "a");
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
        put(fields.kind, "event");
        put(fields.name, "%s", event ? event->name.c_str() : "?");
        put(fields.value, "param=%d", getLe32Signed(p + event_payload::kParameter));
    } else if (packet.type == LV_PACKET_TYPE_VARIABLE && length >= variable_payload::kSize) {
        const VariableDef* variable = definitions_.findVariableByCode(getLe16(p + variable_payload::kCode));
        put(fields.kind, "variable %s", variableStepName(p[variable_payload::kStep]));
        put(fields.name, "%s", variable ? variable->name.c_str() : "?");
        put(fields.value, "value=%u", static_cast<unsigned>(getLe16(p + variable_payload::kValue)));
    } else if (packet.type == LV_PACKET_TYPE_OEM && length >= oem_payload::kHeaderSize) {
        put(fields.kind, "oem");
        put(fields.value, "id=%u size=%u", static_cast<unsigned>(getLe16(p + oem_payload::kId)),
            static_cast<unsigned>(getLe16(p + oem_payload::kSize)));
    } else if (packet.type == LV_PACKET_TYPE_DETECT) {
        put(fields.kind, "port detection");
    } else {
        put(fields.kind, "type=%u", static_cast<unsigned>(packet.type));
        put(fields.value, "length=%u", static_cast<unsigned>(length));
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
    char unit[12];
    if (entryUnit_ == 0)
        put(unit, "all");
    else if (entryUnit_ > 0)
        put(unit, "%d", entryUnit_);
    else
        put(unit, "?");
    char target[sizeof fields.target + 8] = "";
    if (*fields.target)
        put(target, "target=%s", fields.target);

    // Time, direction and unit, then the texts that are not empty (a reply's line
    // says only how the exchange ended), then the bytes. The texts are bounded, so
    // nothing is cut short; the room is checked all the same.
    constexpr std::size_t kTextRoom = 780; // the bytes take at most 214 more
    char line[kTextRoom + 240];
    std::size_t used = 0;
    const auto append = [&](const char* format, auto... args) {
        const int n = std::snprintf(line + used, kTextRoom - used, format, args...);
        used = n < 0 ? used : std::min(used + static_cast<std::size_t>(n), kTextRoom - 1);
    };
    append("%s.%03ld %s unit=%s", stamp_, static_cast<long>(now.tv_usec / 1000), directionText(direction),
           unit);
    const bool isReply = direction == LV_TRAFFIC_REPLY;
    for (const char* part : {result, isReply ? "" : fields.kind, isReply ? "" : fields.name,
                             isReply ? "" : static_cast<const char*>(target), isReply ? "" : fields.value})
        if (*part)
            append(" %s", part);
    if (packet)
        used += putBytes(*packet, line + used);
    line[used] = '\0';

    if (file_) {
        std::fputs(line, file_);
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
                                   fields.kind,
                                   fields.name,
                                   fields.target,
                                   fields.value,
                                   result,
                                   line};
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
    char text[64];
    emit(LV_TRAFFIC_REPLY, lastSent_, lastType_, nullptr, linkResult, outcomeOf(linkResult, badChecksum),
         replyText(linkResult, badChecksum, text));
}

void TrafficLog::received(const Packet& packet) {
    Fields fields;
    describe(packet, fields);
    emit(LV_TRAFFIC_RECEIVED, fields, packet.type, &packet, 0, LV_TRAFFIC_NO_OUTCOME, "");
}

} // namespace lv
