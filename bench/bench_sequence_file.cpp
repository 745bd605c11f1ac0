// Saving and loading a sequence of 100 items (4.3 MB) through real files.
#include "operator.h"
#include "sequencer/sequence_file.h"
#include "silent_operator.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

mlc::SequenceItems hundredItems() {
    mlc::SequenceItems items;
    for (int i = 0; i < 100; ++i) {
        auto item = mlc::NewSequenceItem();
        item->Seconds = static_cast<std::uint8_t>(i % 60);
        for (auto& s : item->Settings)
            s.Brightness = i * 1000;
        item->setName("Step " + std::to_string(i));
        items.push_back(std::move(item));
    }
    return items;
}

std::string benchFile() {
    return (std::filesystem::temp_directory_path() /
            ("bench-sequence-" + std::to_string(::getpid()) + ".MLS"))
        .string();
}

void SaveHundredItems(benchmark::State& state) {
    const auto items = hundredItems();
    bench::SilentOperator op{mlc::Answer::Yes};
    const std::string path = benchFile();
    for (auto _ : state)
        if (!mlc::saveSequenceFile(op, path, items))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (8 + 100 * 43276));
    std::filesystem::remove(path);
}

void LoadHundredItems(benchmark::State& state) {
    bench::SilentOperator op{mlc::Answer::Yes};
    const std::string path = benchFile();
    mlc::saveSequenceFile(op, path, hundredItems());
    for (auto _ : state) {
        auto items = mlc::loadSequenceFile(path);
        if (!items || items->size() != 100)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(items);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (8 + 100 * 43276));
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(SaveHundredItems)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadHundredItems)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
