// Loading a shared library by file name and finding its exports by name. The
// platform code lives in shared_library_<platform>.cpp.
#pragma once

#include <string>

namespace mlc {

class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads the file; false with error() describing why.
    bool open(const std::string& path);
    // Frees the library; false when none was loaded.
    bool close();
    bool isOpen() const { return handle_ != nullptr; }
    // Address of an export, or nullptr.
    void* symbol(const char* name) const;
    const std::string& error() const { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

// Folder of the running program, with no trailing separator.
std::string ProgramDirectory();

// File name of the driver plug-in on this platform ("LVDRIVER.so").
extern const char* const kDriverFileName;

} // namespace mlc
