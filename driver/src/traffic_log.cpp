#include "traffic_log.h"

#include <cstdlib>
#include <ctime>
#include <sys/time.h>

// snprintf throughout: std::to_string would bind a symbol uniquely and keep the
// library from being unloaded.
namespace lv {
namespace {

std::uint32_t le16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
}
std::int32_t le32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}

const char* subOperationName(std::uint8_t sub) {
    static const char* const names[] = {"?", "set", "get", "inc", "dec", "exec", "avail", "range"};
    return sub < 8 ? names[sub] : "?";
}

const char* itemCode(const Definitions& definitions, const std::string& list, std::int32_t value) {
    if (list.empty())
        return nullptr;
    const MatchItem* item = definitions.findMatchItemByValue(list, value);
    return item ? item->code.c_str() : nullptr;
}

void describeOperation(const Definitions& definitions, const Packet& packet, char* text, std::size_t size) {
    const std::uint8_t* p = packet.payload;
    const std::uint32_t code = le16(p + 1);
    const OperationDef* op = definitions.findOperationByCode(static_cast<std::uint16_t>(code));
    char name[300];
    if (op)
        std::snprintf(name, sizeof name, "%s", op->name.c_str());
    else
        std::snprintf(name, sizeof name, "code=0x%04X", static_cast<unsigned>(code));
    const std::int32_t targetValue = le32(p + 5);
    const char* target = op ? itemCode(definitions, op->targetList, targetValue) : nullptr;
    const std::int32_t value = le32(p + 9);
    const char* valueCode =
        op && op->valueType == ValueType::Value ? itemCode(definitions, op->valueList, value) : nullptr;
    int used = std::snprintf(text, size, "operation %s %s", subOperationName(p[0]), name);
    if (used > 0 && static_cast<std::size_t>(used) < size && target)
        used += std::snprintf(text + used, size - static_cast<std::size_t>(used), " target=%s", target);
    if (used > 0 && static_cast<std::size_t>(used) < size && (p[0] == 1 || p[0] == 2)) {
        if (valueCode)
            std::snprintf(text + used, size - static_cast<std::size_t>(used), " value=%s", valueCode);
        else
            std::snprintf(text + used, size - static_cast<std::size_t>(used), " value=%d", value);
    } else if (used > 0 && static_cast<std::size_t>(used) < size && p[0] == 7) {
        std::snprintf(text + used, size - static_cast<std::size_t>(used), " min=%d max=%d", le32(p + 13),
                      le32(p + 17));
    } else if (used > 0 && static_cast<std::size_t>(used) < size && (p[0] == 3 || p[0] == 4)) {
        std::snprintf(text + used, size - static_cast<std::size_t>(used), " step=%d", le32(p + 21));
    }
}

} // namespace

std::unique_ptr<TrafficLog> TrafficLog::fromEnvironment(const Definitions& definitions) {
    const char* path = std::getenv("LVDRIVER_TRAFFIC");
    if (!path || !*path)
        return nullptr;
    std::FILE* file = std::fopen(path, "a");
    if (!file)
        return nullptr;
    return std::make_unique<TrafficLog>(file, definitions);
}

TrafficLog::TrafficLog(std::FILE* file, const Definitions& definitions)
    : file_(file), definitions_(definitions) {}

TrafficLog::~TrafficLog() {
    std::fclose(file_);
}

void TrafficLog::describe(const Packet& packet, char* text, std::size_t size) const {
    const std::uint8_t* p = packet.payload;
    const std::size_t length = packet.length;
    if (packet.type == LV_PACKET_TYPE_OPERATION && length >= 25) {
        describeOperation(definitions_, packet, text, size);
    } else if (packet.type == LV_PACKET_TYPE_EVENT && length >= 6) {
        const EventDef* event = definitions_.findEventByCode(static_cast<std::uint16_t>(le16(p)));
        std::snprintf(text, size, "event %s param=%d", event ? event->name.c_str() : "?", le32(p + 2));
    } else if (packet.type == LV_PACKET_TYPE_VARIABLE && length >= 6) {
        static const char* const subs[] = {"?", "get", "set", "clear", "toggle"};
        const VariableDef* variable =
            definitions_.findVariableByCode(static_cast<std::uint16_t>(le16(p + 2)));
        std::snprintf(text, size, "variable %s %s value=%u", p[0] < 5 ? subs[p[0]] : "?",
                      variable ? variable->name.c_str() : "?", static_cast<unsigned>(le16(p + 4)));
    } else if (packet.type == LV_PACKET_TYPE_OEM && length >= 4) {
        std::snprintf(text, size, "oem id=%u size=%u", static_cast<unsigned>(le16(p)),
                      static_cast<unsigned>(le16(p + 2)));
    } else if (packet.type == LV_PACKET_TYPE_DETECT) {
        std::snprintf(text, size, "port detection");
    } else {
        std::snprintf(text, size, "type=%u length=%u", static_cast<unsigned>(packet.type),
                      static_cast<unsigned>(length));
    }
}

void TrafficLog::line(const char* direction, const char* text, const Packet* packet) {
    timeval now{};
    gettimeofday(&now, nullptr);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(file_, "%s.%03ld %s %s", stamp, static_cast<long>(now.tv_usec / 1000), direction, text);
    if (packet) {
        std::fputs(" |", file_);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(packet);
        // Long packets (OEM data) are cut: the log is for reading.
        const std::size_t size = LV_PACKET_HEADER_SIZE + packet->length;
        const std::size_t shown = size < 64 ? size : 64;
        for (std::size_t i = 0; i < shown; ++i)
            std::fprintf(file_, " %02X", bytes[i]);
        if (shown < size)
            std::fprintf(file_, " ... (%zu bytes)", size);
    }
    std::fputc('\n', file_);
    std::fflush(file_);
}

void TrafficLog::sent(const Packet& packet, bool testMode) {
    char text[400];
    describe(packet, text, sizeof text);
    line(testMode ? "not sent (test mode)" : "sent", text, &packet);
}

void TrafficLog::reply(std::uint32_t linkResult) {
    char text[64];
    switch (linkResult & 0xFFu) {
    case LV_LINK_ACK:
        std::snprintf(text, sizeof text, "acknowledge (6)");
        break;
    case LV_LINK_NAK:
        std::snprintf(text, sizeof text, "refusal (21)");
        break;
    case LV_LINK_VALUE:
        std::snprintf(text, sizeof text, "value (28) %u", static_cast<unsigned>(linkResult >> 16));
        break;
    case LV_LINK_PACKET:
        std::snprintf(text, sizeof text, "reply packet (30)");
        break;
    case LV_LINK_NO_REPLY:
        std::snprintf(text, sizeof text, "no reply (255)");
        break;
    case LV_LINK_SHORT_WRITE:
        std::snprintf(text, sizeof text, "short write or wrong sync word (254)");
        break;
    default:
        std::snprintf(text, sizeof text, "unexpected reply (%u)", static_cast<unsigned>(linkResult & 0xFFu));
        break;
    }
    line("reply", text, nullptr);
}

void TrafficLog::received(const Packet& packet) {
    char text[400];
    describe(packet, text, sizeof text);
    line("received", text, &packet);
}

} // namespace lv
