#include "app/environment.h"

#include <cstdlib>

namespace mlc {

// The C run-time's copy of the environment is the one getenv reads, in the
// program and in the plug-in (both use the system's msvcrt); child processes
// inherit it.
void SetEnvironmentValue(const char* name, const char* value, bool overwrite) {
    if (overwrite || !std::getenv(name))
        ::_putenv_s(name, value);
}

void ClearEnvironmentValue(const char* name) {
    ::_putenv_s(name, "");
}

} // namespace mlc
