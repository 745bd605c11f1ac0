// Where the tests find the built programs and the source tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// build/bin: LVDRIVER.so, mlemu, mlctl, pgc, mlcenter.PGC ...
std::string binDir();
std::string binPath(const std::string& name);
std::string sourcePath(const std::string& relative);

// LVDRIVER_PORTS listing these entries, port 1 first, separated as on this
// platform (':', or ';' on Windows).
std::string portList(const std::vector<std::string>& entries);

// A file's bytes (none when it cannot be read); a file written with `bytes`.
std::vector<std::uint8_t> readAll(const std::string& path);
void writeAll(const std::string& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace testsupport
