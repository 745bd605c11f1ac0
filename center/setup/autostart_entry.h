// The start-at-login entry: a freedesktop autostart file that starts the program
// when the user logs in (on Windows a shell link in the Startup folder, whose
// file is the entry; the desktop-entry texts below are not built there). Its
// presence is the setting; there is no key for it.
#pragma once

#include <string>

namespace mlc {

// $XDG_CONFIG_HOME/autostart/<programName>.desktop, or ~/.config/autostart/...
// when that variable is unset, empty or not an absolute path.
std::string autostartEntryPath(const std::string& programName);

// The entry's text: an application named "Marlune Control Center" whose Exec is
// `programPath` (absolute), quoted and escaped as desktop entries require, followed
// by "--config-dir" and `configDir` unless that is empty, so that the program
// started at login keeps the settings folder it runs on now.
std::string autostartEntryText(const std::string& programPath, const std::string& configDir = {});
// One argument of an Exec value (the program path, a folder).
std::string desktopExecValue(const std::string& argument);

// Writes the entry whole, creating its folder, replacing any old one. False, with
// `error` saying why, when it could not be written; an old entry is then kept.
bool writeAutostartEntry(const std::string& entryPath, const std::string& programPath,
                         const std::string& configDir, std::string& error);
// Deletes the entry; true when none is left.
bool removeAutostartEntry(const std::string& entryPath);

// The platform's part (autostart_entry_<platform>.cpp): writes the entry whole
// into its existing folder, keeping an old one when it fails.
bool saveAutostartEntry(const std::string& entryPath, const std::string& programPath,
                        const std::string& configDir, std::string& error);

} // namespace mlc
