// Loading the definition file and the look-ups the driver makes on every command.
#include "conversions.h"
#include "definitions.h"
#include "pgc_writer.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> ourFile() {
    std::ifstream in(std::string(MARLUNE_BIN_DIR) + "/mlcenter.PGC", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One list of `count` items plus as many operations: shows whether look-ups grow with the tables.
lv::Definitions wideDefinitions(int count) {
    std::vector<lv::PgcRecord> records;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        records.push_back({2, {"mBig", "Item " + n, "itITEM" + n, n}});
        records.push_back({1, {"", "op_NUMBER" + n, n, "EXECUTE", "Op " + n}});
    }
    return lv::Definitions::fromBytes(lv::encodePgcFile(0x5A, records).bytes);
}

void LoadOurFile(benchmark::State& state) {
    const auto bytes = ourFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(lv::Definitions::fromBytes(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadOurFile);

void LookupsInOurFile(benchmark::State& state) {
    const auto definitions = lv::Definitions::fromBytes(ourFile());
    for (auto _ : state) {
        benchmark::DoNotOptimize(definitions.findOperation("op_ip_misc_deviceselection"));
        benchmark::DoNotOptimize(definitions.findMatchItemByCode("mDeviceSelect", "env255"));
        benchmark::DoNotOptimize(definitions.findMatchItemByValue("mDeviceSelect", 255));
        benchmark::DoNotOptimize(definitions.findEvent("veESCAPE"));
        benchmark::DoNotOptimize(definitions.matchItemAt("mDeviceSelect", 255));
    }
}
BENCHMARK(LookupsInOurFile);

void LookupsInWideTables(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto definitions = wideDefinitions(count);
    const std::string last = std::to_string(count - 1);
    const std::string op = "OP_NUMBER" + last, code = "ititem" + last;
    for (auto _ : state) {
        benchmark::DoNotOptimize(definitions.findOperation(op));
        benchmark::DoNotOptimize(definitions.findMatchItemByCode("MBIG", code));
        benchmark::DoNotOptimize(definitions.findMatchItemByValue("mBig", count - 1));
        benchmark::DoNotOptimize(definitions.matchItemAt("mBig", static_cast<std::size_t>(count - 1)));
        benchmark::DoNotOptimize(definitions.countMatchItems("mBig"));
    }
}
BENCHMARK(LookupsInWideTables)->Arg(100)->Arg(10000);

void Conversions(benchmark::State& state) {
    std::int32_t p = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lv::PercentToRange(-50, 50, p));
        benchmark::DoNotOptimize(lv::RangeToPercent(0, 255, p & 0xFF));
        p = (p + 7919) % 100001;
    }
}
BENCHMARK(Conversions);

void ConversionsEmulated(benchmark::State& state) {
    std::int32_t p = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lv::detail::percentToRangeEmulated(-50, 50, p));
        benchmark::DoNotOptimize(lv::detail::rangeToPercentEmulated(0, 255, p & 0xFF));
        p = (p + 7919) % 100001;
    }
}
BENCHMARK(ConversionsEmulated);

} // namespace

BENCHMARK_MAIN();
