#include "driver_context.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace lv {
namespace {

// Built while the library loads and destroyed when it is unloaded. A failure to
// build it leaves it null; every export then reports failure.
struct ContextHolder {
    std::unique_ptr<DriverContext> context;
    ContextHolder() {
        try {
            context = std::make_unique<DriverContext>();
        } catch (...) {
        }
    }
};

ContextHolder holder;

} // namespace

DriverContext::DriverContext()
    : port(createSerialPort()), link(*port), definitions(Definitions::fromFile(definitionFilePath())),
      rangeCache(definitions), traffic(definitions) {
    traffic.openFileFromEnvironment();
    link.traffic = traffic.active() ? &traffic : nullptr;
}

void DriverContext::setTrafficTap(LvTrafficTap tap, void* context) {
    traffic.setTap(tap, context);
    link.traffic = traffic.active() ? &traffic : nullptr;
}

std::string definitionFilePath() {
    if (const char* named = std::getenv("LVDRIVER_DEFINITIONS"))
        return named;
    const std::string program = hostProgramPath();
    if (program.empty())
        return program;
    // A program without extension gets one: mlcenter reads mlcenter.PGC.
    return std::filesystem::path(program).replace_extension(".PGC").string();
}

DriverContext::~DriverContext() {
    if (port && port->isOpen()) {
        try {
            port->close();
        } catch (...) {
        }
    }
}

DriverContext* driverContext() {
    return holder.context.get();
}

void openPortNumber(DriverContext& context, std::uint8_t number) {
    // snprintf rather than std::to_string: the latter brings a unique-binding
    // symbol that would keep the library from ever being unloaded.
    char name[8];
    std::snprintf(name, sizeof name, "COM%u", static_cast<unsigned>(number));
    context.portName = name;
    // Another port may reach other units.
    context.rangeCache.forget();
    context.traffic.forgetUnit();
    context.port->open(portDevicePath(number), LineTimeouts{TimeoutScale::fromEnvironment()});
}

} // namespace lv
