// Where the tests find the built programs and the source tree.
#pragma once

#include <string>

namespace testsupport {

// build/bin: LVDRIVER.so, mlemu, mlctl, pgc, mlcenter.PGC ...
std::string binDir();
std::string binPath(const std::string& name);
std::string sourcePath(const std::string& relative);

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
