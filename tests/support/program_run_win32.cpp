#include "program_run.h"

#include <cctype>
#include <cstring>
#include <thread>

#include <windows.h>

namespace testsupport {
namespace {

// One argument as the C run-time splits a command line.
std::string quoted(const std::string& argument) {
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        text += c;
    }
    text.append(backslashes * 2, '\\');
    return text + "\"";
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// This process's environment with the given variables replaced, as a block.
std::string environmentBlock(const std::map<std::string, std::string>& changes) {
    std::map<std::string, std::string> variables; // upper-case name -> "name=value"
    char* strings = ::GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += std::strlen(entry) + 1) {
        const std::string text = entry;
        const std::size_t equals = text.find('=', 1);
        if (equals != std::string::npos)
            variables[upper(text.substr(0, equals))] = text;
    }
    ::FreeEnvironmentStringsA(strings);
    for (const auto& [name, value] : changes)
        variables[upper(name)] = name + "=" + value;
    std::string block;
    for (const auto& [name, entry] : variables)
        block += entry + '\0';
    return block + '\0';
}

void readAll(HANDLE pipe, std::string& into) {
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        into.append(buffer, got);
}

} // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, const std::string& input) {
    // The tests name programs as on Linux; CreateProcess wants the file's full name.
    const std::string path = program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0
                                 ? program
                                 : program + ".exe";
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE in[2], out[2], err[2]; // read end, write end
    if (!::CreatePipe(&in[0], &in[1], &inheritable, 0) || !::CreatePipe(&out[0], &out[1], &inheritable, 0) ||
        !::CreatePipe(&err[0], &err[1], &inheritable, 0))
        return {};
    for (HANDLE ours : {in[1], out[0], err[0]})
        ::SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);

    std::string command = quoted(path);
    for (const std::string& arg : args)
        command += " " + quoted(arg);
    std::string environment = environmentBlock(env);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in[0];
    startup.hStdOutput = out[1];
    startup.hStdError = err[1];
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                          environment.data(), nullptr, &startup, &process);
    for (HANDLE theirs : {in[0], out[1], err[1]})
        ::CloseHandle(theirs);

    ProgramResult result;
    if (started) {
        std::thread errors([&] { readAll(err[0], result.err); });
        DWORD written = 0;
        if (!input.empty())
            ::WriteFile(in[1], input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
        ::CloseHandle(in[1]);
        readAll(out[0], result.out);
        errors.join();
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        result.status = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else {
        ::CloseHandle(in[1]);
    }
    ::CloseHandle(out[0]);
    ::CloseHandle(err[0]);
    for (std::string* text : {&result.out, &result.err})
        for (std::size_t at = 0; (at = text->find("\r\n", at)) != std::string::npos;)
            text->erase(at, 1);
    return result;
}

} // namespace testsupport
