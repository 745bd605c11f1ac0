// Host-side cost of the packet link: one exchange in test mode (everything but
// the line) and the checksum over a full-size packet.
#include "checksum.h"
#include "lvdriver.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <memory>

namespace {

struct Plugin {
    void* handle = dlopen(MARLUNE_BIN_DIR "/LVDRIVER.so", RTLD_NOW | RTLD_LOCAL);
    ~Plugin() {
        if (handle)
            dlclose(handle);
    }
    template <class Fn> Fn get(const char* name) const { return reinterpret_cast<Fn>(dlsym(handle, name)); }
};

void BM_SendPacketInTestMode(benchmark::State& state) {
    Plugin plugin;
    if (!plugin.handle) {
        state.SkipWithError("LVDRIVER.so not found");
        return;
    }
    auto execute = plugin.get<ExecutePluginFunctionByNumberFn>("ExecutePluginFunctionByNumber");
    auto sendPacket = plugin.get<SendPacketFn>("SendPacket");
    LvCell on = 1;
    execute(LV_CMD_SET_TEST_MODE_STATUS, &on, nullptr, nullptr, nullptr);

    auto packet = std::make_unique<Packet>();
    packet->type = LV_PACKET_TYPE_OPERATION;
    packet->length = 25;
    packet->payload[0] = 1;
    packet->payload[1] = 0x21;
    for (auto _ : state)
        benchmark::DoNotOptimize(sendPacket(packet.get()));
}
BENCHMARK(BM_SendPacketInTestMode);

void BM_ChecksumOfLargestPacket(benchmark::State& state) {
    auto packet = std::make_unique<Packet>();
    packet->length = 0xFFFF;
    for (std::size_t i = 0; i < packet->length; ++i)
        packet->payload[i] = static_cast<std::uint8_t>(i * 31);
    for (auto _ : state)
        benchmark::DoNotOptimize(lv::packetChecksum(*packet));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (packet->length + 7));
}
BENCHMARK(BM_ChecksumOfLargestPacket);

} // namespace

BENCHMARK_MAIN();
