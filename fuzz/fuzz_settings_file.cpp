// Settings files from random text: read, write back, and the rewrite is stable.
#include "files/settings_file.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    mlc::IniFile ini = mlc::IniFile::parse(text);
    mlc::ProgramSettings settings;
    mlc::WallModel wall;
    mlc::readSettings(ini, 4, settings, wall);
    if (wall.WallColumns < 1 || wall.WallColumns > 16 || wall.WallRows < 1 || wall.WallRows > 16)
        std::abort();
    mlc::writeSettings(settings, wall, ini);
    const std::string once = ini.text();
    if (mlc::IniFile::parse(once).text() != once)
        std::abort();
    return 0;
}
