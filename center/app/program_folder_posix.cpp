#include "app/program_folder.h"

#include <unistd.h>

namespace mlc {

bool FolderWritable(const std::string& path) {
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string UserConfigBase(const std::function<const char*(const char*)>& env) {
    const char* xdg = env("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') // a relative value is to be ignored
        return xdg;
    const char* home = env("HOME");
    if (home && *home)
        return std::string(home) + "/.config";
    return "/tmp";
}

} // namespace mlc
