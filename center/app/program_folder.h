// Where mlcenter keeps its settings file and its automatic files (lastused.MLV,
// .MLS, .MLD), and where mlctl looks for its settings: the folder of the program
// file, unless --config-dir names another, or the user's configuration folder
// $XDG_CONFIG_HOME/mlcenter/ (~/.config/mlcenter/; %APPDATA%\mlcenter on Windows)
// for an installed program and
// for one whose folder cannot be written. The driver, the router library and the
// definitions are always the ones beside the program file.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace mlc {

struct ProgramFolder {
    std::string path;        // with a trailing '/'
    bool userFolder = false; // the user's configuration folder, not the program's own
    std::string problem;     // non-empty when the folder cannot be created or written
};

bool FolderWritable(const std::string& path);

// The folder below which a user's programs keep their settings: $XDG_CONFIG_HOME,
// else ~/.config (POSIX); %APPDATA% (Windows). env as below.
std::string UserConfigBase(const std::function<const char*(const char*)>& env);

// installedDir is the folder an installed program lives in (fixed when it is
// built; empty for none): such a program never writes beside itself, even when
// it could (run by root), since that folder belongs to the package. env looks up
// an environment variable (nullptr when unset); writable tells whether a folder
// can be written.
ProgramFolder ResolveProgramFolder(const std::string& executableDir, const std::string& installedDir,
                                   const std::optional<std::string>& configDir,
                                   const std::function<const char*(const char*)>& env,
                                   const std::function<bool(const std::string&)>& writable = FolderWritable);

} // namespace mlc
