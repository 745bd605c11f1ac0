#include "app/program_folder.h"

#include <filesystem>
#include <io.h>

namespace mlc {

bool FolderWritable(const std::string& path) {
    return ::_access(path.c_str(), 2) == 0; // 2: write permission
}

std::string UserConfigBase(const std::function<const char*(const char*)>& env) {
    const auto absolute = [](const char* value) {
        return value && std::filesystem::path(value).is_absolute();
    };
    if (const char* appData = env("APPDATA"); absolute(appData))
        return std::filesystem::path(appData).generic_string();
    if (const char* profile = env("USERPROFILE"); absolute(profile))
        return std::filesystem::path(profile).generic_string() + "/AppData/Roaming";
    if (const char* temp = env("TEMP"); absolute(temp))
        return std::filesystem::path(temp).generic_string();
    return "C:/";
}

} // namespace mlc
