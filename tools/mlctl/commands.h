// mlctl's commands. Each returns an exit status (kExitOk, kExitFailed, kExitUsage).
#pragma once

#include "session.h"

#include <string>
#include <vector>

namespace mlctl {

struct CommandInfo {
    const char* name;
    const char* synopsis;
    const char* summary; // one line for mlctl --help
    const char* help;
    int (*run)(Session&);
};

const std::vector<CommandInfo>& commands();
const CommandInfo* findCommand(const std::string& name);

int runDetect(Session& session);
int runWrite(Session& session);
int runRead(Session& session);
int runPlay(Session& session);
int runSequence(Session& session);
int runAutoset(Session& session);
int runMemory(Session& session);
int runEvent(Session& session);
int runGet(Session& session);
int runSet(Session& session);
int runLists(Session& session);

// Checks a command's words before anything touches the line or a file; prints
// the problem and returns false.
bool checkWords(const Session& session, std::size_t min, std::size_t max);

} // namespace mlctl
