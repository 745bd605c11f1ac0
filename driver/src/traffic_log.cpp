#include "traffic_log.h"

#include "little_endian.h"
#include "payload_layout.h"

#include <cstdlib>
#include <ctime>
#include <sys/time.h>

// snprintf throughout: std::to_string would bind a symbol uniquely and keep the
// library from being unloaded.
namespace lv {
namespace {

const char* itemCode(const Definitions& definitions, const std::string& list, std::int32_t value) {
    if (list.empty())
        return nullptr;
    const MatchItem* item = definitions.findMatchItemByValue(list, value);
    return item ? item->code.c_str() : nullptr;
}

void describeOperation(const Definitions& definitions, const Packet& packet, char* text, std::size_t size) {
    namespace at = op_payload;
    const std::uint8_t* p = packet.payload;
    const std::uint16_t code = getLe16(p + at::kCode);
    const OperationDef* op = definitions.findOperationByCode(code);
    char name[300];
    if (op)
        std::snprintf(name, sizeof name, "%s", op->name.c_str());
    else
        std::snprintf(name, sizeof name, "code=0x%04X", static_cast<unsigned>(code));
    const std::int32_t targetValue = getLe32Signed(p + at::kTarget);
    const char* target = op ? itemCode(definitions, op->targetList, targetValue) : nullptr;
    const std::int32_t value = getLe32Signed(p + at::kValue);
    const char* valueCode =
        op && op->valueType == ValueType::Value ? itemCode(definitions, op->valueList, value) : nullptr;
    const auto step = static_cast<OpStep>(p[at::kStep]);
    int used = std::snprintf(text, size, "operation %s %s", opStepName(p[at::kStep]), name);
    if (used > 0 && static_cast<std::size_t>(used) < size && target)
        used += std::snprintf(text + used, size - static_cast<std::size_t>(used), " target=%s", target);
    if (used > 0 && static_cast<std::size_t>(used) < size && (step == OpStep::Set || step == OpStep::Get)) {
        if (valueCode)
            std::snprintf(text + used, size - static_cast<std::size_t>(used), " value=%s", valueCode);
        else
            std::snprintf(text + used, size - static_cast<std::size_t>(used), " value=%d", value);
    } else if (used > 0 && static_cast<std::size_t>(used) < size && step == OpStep::RangeQuery) {
        std::snprintf(text + used, size - static_cast<std::size_t>(used), " min=%d max=%d",
                      getLe32Signed(p + at::kMinimum), getLe32Signed(p + at::kMaximum));
    } else if (used > 0 && static_cast<std::size_t>(used) < size &&
               (step == OpStep::Increment || step == OpStep::Decrement)) {
        std::snprintf(text + used, size - static_cast<std::size_t>(used), " step=%d",
                      getLe32Signed(p + at::kIncrement));
    }
}

} // namespace

std::unique_ptr<TrafficLog> TrafficLog::fromEnvironment(const Definitions& definitions) {
    const char* path = std::getenv("LVDRIVER_TRAFFIC");
    if (!path || !*path)
        return nullptr;
    // Binary: the same bytes on every system, line ends included.
    std::FILE* file = std::fopen(path, "ab");
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
    if (packet.type == LV_PACKET_TYPE_OPERATION && length >= op_payload::kSize) {
        describeOperation(definitions_, packet, text, size);
    } else if (packet.type == LV_PACKET_TYPE_EVENT && length >= event_payload::kSize) {
        const EventDef* event = definitions_.findEventByCode(getLe16(p + event_payload::kCode));
        std::snprintf(text, size, "event %s param=%d", event ? event->name.c_str() : "?",
                      getLe32Signed(p + event_payload::kParameter));
    } else if (packet.type == LV_PACKET_TYPE_VARIABLE && length >= variable_payload::kSize) {
        const VariableDef* variable = definitions_.findVariableByCode(getLe16(p + variable_payload::kCode));
        std::snprintf(text, size, "variable %s %s value=%u", variableStepName(p[variable_payload::kStep]),
                      variable ? variable->name.c_str() : "?",
                      static_cast<unsigned>(getLe16(p + variable_payload::kValue)));
    } else if (packet.type == LV_PACKET_TYPE_OEM && length >= oem_payload::kHeaderSize) {
        std::snprintf(text, size, "oem id=%u size=%u", static_cast<unsigned>(getLe16(p + oem_payload::kId)),
                      static_cast<unsigned>(getLe16(p + oem_payload::kSize)));
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
    const std::time_t seconds = now.tv_sec; // a long on Windows, whose time_t is wider
    tm local{};
    localtime_r(&seconds, &local);
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
