// Runs one of the built programs as a child process and collects what it printed.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct ProgramResult {
    int status = -1; // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs the program with the arguments, extra environment variables and standard
// input; waits for it to end. Output comes with '\n' line ends also from Windows
// programs, which write text with "\r\n".
ProgramResult runProgram(const std::string& path, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env = {}, const std::string& input = "");

} // namespace testsupport
