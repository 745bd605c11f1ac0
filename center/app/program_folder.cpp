#include "app/program_folder.h"

#include <filesystem>
#include <system_error>

namespace mlc {

namespace fs = std::filesystem;

namespace {

std::string withSeparator(std::string path) {
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

// Creates the folder when missing; the problem, if any, in the operator's words.
std::string prepare(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error)
        return "The settings folder " + path + " cannot be created: " + error.message() + ".";
    if (!FolderWritable(path))
        return "The settings folder " + path + " cannot be written.";
    return {};
}

// The same folder however it is written (a trailing '/', a symbolic link).
bool sameFolder(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return false;
    const auto resolved = [](const std::string& path) {
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(path, error);
        return error ? fs::path() : (canonical / "").lexically_normal();
    };
    const fs::path first = resolved(a);
    std::error_code error;
    return (!first.empty() && first == resolved(b)) || fs::equivalent(a, b, error);
}

} // namespace

ProgramFolder ResolveProgramFolder(const std::string& executableDir, const std::string& installedDir,
                                   const std::optional<std::string>& configDir,
                                   const std::function<const char*(const char*)>& env,
                                   const std::function<bool(const std::string&)>& writable) {
    ProgramFolder folder;
    if (configDir) {
        std::error_code error;
        const fs::path absolute = fs::absolute(*configDir, error);
        folder.path = withSeparator(error ? *configDir : absolute.lexically_normal().generic_string());
        folder.problem = prepare(folder.path);
        return folder;
    }
    if (!sameFolder(executableDir, installedDir) && writable(executableDir)) {
        folder.path = withSeparator(executableDir);
        return folder;
    }
    folder.userFolder = true;
    folder.path = withSeparator(UserConfigBase(env) + "/mlcenter");
    folder.problem = prepare(folder.path);
    return folder;
}

} // namespace mlc
