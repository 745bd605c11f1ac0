// Where mlcenter keeps its settings file and its automatic files (lastused.MLV,
// .MLS, .MLD): the folder of the program file, unless --config-dir names another,
// or, when the program's folder cannot be written (an installed program), the
// user's configuration folder $XDG_CONFIG_HOME/mlcenter/ (~/.config/mlcenter/).
// The driver, the router library and the definitions are always the ones beside
// the program file.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace mlgui {

struct ProgramFolder {
    std::string path;        // with a trailing '/'
    bool userFolder = false; // the program's own folder could not be written
    std::string problem;     // non-empty when the folder cannot be created or written
};

bool FolderWritable(const std::string& path);

// env looks up an environment variable (nullptr when unset); writable tells
// whether a folder can be written.
ProgramFolder ResolveProgramFolder(const std::string& executableDir,
                                   const std::optional<std::string>& configDir,
                                   const std::function<const char*(const char*)>& env,
                                   const std::function<bool(const std::string&)>& writable = FolderWritable);

} // namespace mlgui
