// The pseudo-terminal the emulated chain listens on, and the link that names it.
#pragma once

#include <string>

namespace mlemu {

class PseudoTerminal {
public:
    // Opens a master in non-blocking mode and its slave in raw mode. The slave
    // stays open here too, so the master keeps working while no host has it open.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

// A symbolic link to the slave, removed with the object. An existing symbolic
// link at that path is replaced; any other file is left alone and refused.
class SymbolicLink {
public:
    SymbolicLink(const std::string& path, const std::string& target);
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;

private:
    std::string path_;
};

} // namespace mlemu
