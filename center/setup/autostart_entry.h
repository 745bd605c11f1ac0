// The start-at-login entry: a freedesktop autostart file that starts the program
// when the user logs in. Its presence is the setting; there is no key for it.
#pragma once

#include <string>

namespace mlc {

// $XDG_CONFIG_HOME/autostart/<programName>.desktop, or ~/.config/autostart/...
// when that variable is unset, empty or not an absolute path.
std::string autostartEntryPath(const std::string& programName);

// The entry's text: an application named "Marlune Control Center" whose Exec is
// `programPath` (absolute), quoted and escaped as desktop entries require.
std::string autostartEntryText(const std::string& programPath);
// The Exec value for a program path without arguments.
std::string desktopExecValue(const std::string& programPath);

// Writes the entry whole, creating its folder, replacing any old one. False, with
// `error` saying why, when it could not be written; an old entry is then kept.
bool writeAutostartEntry(const std::string& entryPath, const std::string& programPath, std::string& error);
// Deletes the entry; true when none is left.
bool removeAutostartEntry(const std::string& entryPath);

} // namespace mlc
