// The start-up entry on Windows: a shell link in the user's Startup folder.
#include "setup/autostart_entry.h"

#include <filesystem>
#include <string>

#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <shlobj.h>

namespace mlc {

namespace {

std::string startupFolder() {
    PIDLIST_ABSOLUTE list = nullptr;
    char path[MAX_PATH] = "";
    if (::SHGetSpecialFolderLocation(nullptr, CSIDL_STARTUP, &list) == S_OK) {
        if (!::SHGetPathFromIDListA(list, path))
            path[0] = '\0';
        ::CoTaskMemFree(list);
    }
    return path;
}

// One argument of a command line as the C run-time splits it: quoted, with the
// backslashes before a quote (or the closing one) doubled.
std::string quotedArgument(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::wstring wide(const std::string& text) {
    const int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring result(size > 0 ? static_cast<std::size_t>(size) : 1u, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), size);
    result.resize(result.size() - 1);
    return result;
}

// COM for the calling thread while the object lives.
class ComScope {
public:
    ComScope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

template <typename Interface> void release(Interface* object) {
    if (object)
        object->Release();
}

// Writes the shell link to `path`; false with `error` saying why.
bool saveShellLink(const std::string& path, const std::string& programPath, const std::string& configDir,
                   std::string& error) {
    const ComScope com;
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                        reinterpret_cast<void**>(&link));
    if (SUCCEEDED(result)) {
        const std::string arguments = configDir.empty() ? "" : "--config-dir " + quotedArgument(configDir);
        link->SetPath(programPath.c_str());
        link->SetArguments(arguments.c_str());
        link->SetWorkingDirectory(std::filesystem::path(programPath).parent_path().string().c_str());
        link->SetDescription("Marlune Control Center");
        result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    }
    if (SUCCEEDED(result))
        result = file->Save(wide(path).c_str(), TRUE);
    release(file);
    release(link);
    if (FAILED(result)) {
        char text[64];
        std::snprintf(text, sizeof text, "the shell link could not be saved (error 0x%08lx)",
                      static_cast<unsigned long>(result));
        error = text;
        return false;
    }
    return true;
}

} // namespace

std::string autostartEntryPath(const std::string& programName) {
    return (std::filesystem::path(startupFolder()) / (programName + ".lnk")).string();
}

bool saveAutostartEntry(const std::string& entryPath, const std::string& programPath,
                        const std::string& configDir, std::string& error) {
    // Written beside the entry and moved over it, so that a failure keeps the old one.
    const std::string fresh = entryPath + ".new";
    if (!saveShellLink(fresh, programPath, configDir, error)) {
        ::DeleteFileA(fresh.c_str());
        return false;
    }
    if (!::MoveFileExA(fresh.c_str(), entryPath.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileA(fresh.c_str());
        error = "the file could not be written";
        return false;
    }
    return true;
}

} // namespace mlc
