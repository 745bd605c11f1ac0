// Setting the process's environment variables, which the plug-in and the child
// processes read.
#pragma once

namespace mlc {

// Sets name=value; with overwrite false an existing value stays.
void SetEnvironmentValue(const char* name, const char* value, bool overwrite = true);
void ClearEnvironmentValue(const char* name);

} // namespace mlc
