#include "traffic_log.h"

#include "little_endian.h"
#include "unit.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace mlemu {

namespace {

std::string describeOperation(const UnitCatalog& catalog, std::span<const std::uint8_t> payload, bool reply) {
    const std::optional<OpRequest> request = OpRequest::parse(payload);
    if (!request)
        return "kind=op short=1";
    std::string out = "kind=op sub=" + std::string(lv::opStepName(request->sub));
    const OpInfo* op = catalog.operation(request->code);
    out += " name=" + (op ? op->def->name : "#" + std::to_string(request->code));
    if (op && op->targets) {
        const std::string target = catalog.targetName(*op, request->target);
        out += " target=" + (target.empty() ? "#" + std::to_string(request->target) : target);
    }
    switch (static_cast<lv::OpStep>(request->sub)) {
    case lv::OpStep::Get:
        if (!reply)
            break; // a request's value field carries nothing
        [[fallthrough]];
    case lv::OpStep::Set: {
        out += " value=" + std::to_string(request->value);
        const std::string item = op ? catalog.valueName(*op, request->value) : "";
        if (!item.empty())
            out += " item=" + item;
        break;
    }
    case lv::OpStep::Increment:
    case lv::OpStep::Decrement:
        out += " step=" + std::to_string(request->step);
        break;
    case lv::OpStep::IsAvailable:
        out += " flags=" + std::to_string(lv::getLe16(payload.data() + lv::op_payload::kFlags));
        break;
    case lv::OpStep::RangeQuery:
        out += " min=" + std::to_string(lv::getLe32Signed(payload.data() + lv::op_payload::kMinimum)) +
               " max=" + std::to_string(lv::getLe32Signed(payload.data() + lv::op_payload::kMaximum));
        break;
    default:
        break;
    }
    return out;
}

} // namespace

std::string describePacket(const UnitCatalog& catalog, std::uint8_t type,
                           std::span<const std::uint8_t> payload, bool reply) {
    const std::string typeField = "type=" + std::to_string(type) + " ";
    switch (type) {
    case 1:
        return typeField + "kind=detect";
    case 2: {
        if (payload.size() < lv::event_payload::kSize)
            return typeField + "kind=event short=1";
        const std::uint16_t code = lv::getLe16(payload.data() + lv::event_payload::kCode);
        const lv::EventDef* event = catalog.event(code);
        return typeField + "kind=event name=" + (event ? event->name : "#" + std::to_string(code)) +
               " param=" + std::to_string(lv::getLe32(payload.data() + lv::event_payload::kParameter));
    }
    case 3:
        return typeField + describeOperation(catalog, payload, reply);
    case 14: {
        if (payload.size() < lv::variable_payload::kSize)
            return typeField + "kind=var short=1";
        const std::uint16_t code = lv::getLe16(payload.data() + lv::variable_payload::kCode);
        const lv::VariableDef* variable = catalog.variable(code);
        return typeField + "kind=var sub=" + lv::variableStepName(payload[lv::variable_payload::kStep]) +
               " name=" + (variable ? variable->name : "#" + std::to_string(code)) +
               " value=" + std::to_string(lv::getLe16(payload.data() + lv::variable_payload::kValue));
    }
    case 16:
        if (payload.size() < lv::oem_payload::kHeaderSize)
            return typeField + "kind=oem short=1";
        return typeField +
               "kind=oem id=" + std::to_string(lv::getLe16(payload.data() + lv::oem_payload::kId)) +
               " size=" + std::to_string(lv::getLe16(payload.data() + lv::oem_payload::kSize));
    default:
        return typeField + "kind=other";
    }
}

std::string hexBytes(std::span<const std::uint8_t> bytes, std::size_t limit) {
    static const char digits[] = "0123456789ABCDEF";
    const std::size_t shown = std::min(bytes.size(), limit);
    std::string out;
    out.reserve(shown * 2 + 2);
    for (std::size_t i = 0; i < shown; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    if (shown < bytes.size())
        out += "..";
    return out;
}

TrafficLog::TrafficLog(const std::string& path) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw std::runtime_error("cannot open log file " + path);
}

TrafficLog::~TrafficLog() {
    if (fd_ >= 0)
        ::close(fd_);
}

void TrafficLog::write(double seconds, const char* dir, const std::string& unit, const std::string& fields,
                       std::span<const std::uint8_t> bytes, std::size_t hexLimit) {
    if (fd_ < 0)
        return;
    char head[64];
    std::snprintf(head, sizeof head, "t=%.6f dir=%s unit=", seconds, dir);
    std::string line = head;
    line += unit;
    if (!fields.empty())
        line += " " + fields;
    line += " bytes=" + std::to_string(bytes.size()) + " hex=" + hexBytes(bytes, hexLimit) + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // a full disk must not stop the units
        done += static_cast<std::size_t>(n);
    }
}

} // namespace mlemu
