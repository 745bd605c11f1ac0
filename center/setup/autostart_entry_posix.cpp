// The autostart entry on freedesktop systems.
#include "setup/autostart_entry.h"

#include "files/atomic_file.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace mlc {

namespace {

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

// Characters that make an Exec argument need quotes.
bool isReserved(char c) {
    return std::string_view(" \t\n\"'\\><~|&;$*?#()`").find(c) != std::string_view::npos;
}

} // namespace

std::string autostartEntryPath(const std::string& programName) {
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
        config = xdg;
    else
        config = homeFolder() + "/.config";
    return (std::filesystem::path(config) / "autostart" / (programName + ".desktop")).string();
}

std::string desktopExecValue(const std::string& argument) {
    bool quote = false;
    for (const char c : argument)
        quote = quote || isReserved(c);
    // First the quoting rule inside the argument, then the string escapes of the
    // file format over the whole value: a backslash in the path becomes four.
    std::string quoted;
    for (const char c : argument) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            quoted += '\\';
        quoted += c;
    }
    if (quote)
        quoted = '"' + quoted + '"';
    std::string value;
    for (const char c : quoted) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        case '%': // field codes start with a percent sign
            value += "%%";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string autostartEntryText(const std::string& programPath, const std::string& configDir) {
    std::string exec = desktopExecValue(programPath);
    if (!configDir.empty())
        exec += " --config-dir " + desktopExecValue(configDir);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Marlune Control Center\n"
           "Exec=" +
           exec +
           "\n"
           "Terminal=false\n";
}

bool saveAutostartEntry(const std::string& entryPath, const std::string& programPath,
                        const std::string& configDir, std::string& error) {
    const std::string text = autostartEntryText(programPath, configDir);
    if (!writeFileAtomically(entryPath,
                             std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
        error = "the file could not be written";
        return false;
    }
    return true;
}

} // namespace mlc
