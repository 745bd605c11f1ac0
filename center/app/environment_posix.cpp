#include "app/environment.h"

#include <cstdlib>

namespace mlc {

void SetEnvironmentValue(const char* name, const char* value, bool overwrite) {
    ::setenv(name, value, overwrite ? 1 : 0);
}

void ClearEnvironmentValue(const char* name) {
    ::unsetenv(name);
}

} // namespace mlc
