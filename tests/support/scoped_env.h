// Sets (or, with nullptr, clears) an environment variable for the life of the
// object; set() changes it again meanwhile. The old value comes back at the end.
// On Windows an empty value clears the variable, as the C run-time keeps no
// empty ones.
#pragma once

#include "app/environment.h"

#include <cstdlib>
#include <optional>
#include <string>

namespace testsupport {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        set(value);
    }
    ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name, value.c_str()) {}
    ~ScopedEnv() {
        if (old_)
            mlc::SetEnvironmentValue(name_, old_->c_str());
        else
            mlc::ClearEnvironmentValue(name_);
    }
    void set(const char* value) {
        if (value)
            mlc::SetEnvironmentValue(name_, value);
        else
            mlc::ClearEnvironmentValue(name_);
    }
    void set(const std::string& value) { set(value.c_str()); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace testsupport
