// Reading and rewriting a settings file that carries many sections the program
// does not know (other tools' settings kept in the same file): the program's own
// keys first, then N foreign sections of two keys and a comment each.
#include "files/ini_file.h"
#include "files/settings_file.h"
#include "wall/wall_state.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string settingsText(int foreignSections) {
    mlc::IniFile ini;
    mlc::WallModel wall;
    mlc::InitialiseWall(wall);
    mlc::writeSettings(mlc::ProgramSettings{}, wall, ini);
    std::string text = ini.text();
    for (int i = 0; i < foreignSections; ++i) {
        const std::string n = std::to_string(i);
        text += "\n[Plugin" + n + "]\n; kept by another tool\nName=Entry " + n + "\nValue=" + n + "\n";
    }
    return text;
}

// Parse plus reading every setting: what the program does at start.
void ReadSettings(benchmark::State& state) {
    const std::string text = settingsText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const mlc::IniFile ini = mlc::IniFile::parse(text);
        mlc::ProgramSettings settings;
        mlc::WallModel wall;
        mlc::InitialiseWall(wall);
        mlc::readSettings(ini, 8, settings, wall);
        benchmark::DoNotOptimize(settings);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Writing every setting into the parsed file and producing its text: the end.
void RewriteSettings(benchmark::State& state) {
    const std::string text = settingsText(static_cast<int>(state.range(0)));
    mlc::IniFile ini = mlc::IniFile::parse(text);
    mlc::WallModel wall;
    mlc::InitialiseWall(wall);
    for (auto _ : state) {
        mlc::writeSettings(mlc::ProgramSettings{}, wall, ini);
        std::string out = ini.text();
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(ReadSettings)->Arg(1000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(RewriteSettings)->Arg(1000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
