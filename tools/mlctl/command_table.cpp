#include "commands.h"

namespace mlctl {

const std::vector<CommandInfo>& commands() {
    static const std::vector<CommandInfo> table{
        {"detect", "detect [--save]", "find the units on the line and the grid they form",
         "Probes device IDs 1 to 99 on the port, prints the IDs found and the grid they\n"
         "form. --save stores the grid's shape and IDs into the settings file (asking\n"
         "whether a horizontal wall should be turned vertical).",
         runDetect},
        {"write", "write FILE.MLV", "send a wall file to the units",
         "Loads a wall file and writes the whole wall: every used monitor's changes are\n"
         "queued in its unit, then one broadcast applies all queues at once.",
         runWrite},
        {"read", "read FILE.MLV", "read the units back into a wall file",
         "Reads every used monitor back from its unit and saves what the units hold as\n"
         "a wall file (asking before it overwrites one).",
         runRead},
        {"play", "play FILE.MLS [--loop]", "play a sequence file",
         "Plays a sequence with the real clock, printing each item as it fires. Ends\n"
         "after the last item unless --loop; Ctrl-C stops cleanly.",
         runPlay},
        {"sequence", "sequence OUT.MLS WALL.MLV[@SECONDS] ...", "make a sequence file from wall files",
         "Builds a sequence file from wall files, one item each, due SECONDS (default 1)\n"
         "after the previous item. Touches no unit.",
         runSequence},
        {"autoset", "autoset [--cols A-B] [--rows A-B]", "spread the picture over a block of monitors",
         "Spreads the picture over a block of monitors (the whole wall by default) with\n"
         "bezel correction, then writes the wall.",
         runAutoset},
        {"memory", "memory store N | memory recall N", "store or recall a device memory in every unit",
         "Stores the units' current settings into device memory N (1..16; asks first),\n"
         "or recalls memory N in every unit.",
         runMemory},
        {"event", "event NAME", "send a remote-control key to every unit",
         "Sends a remote-control event (for example veMENUUP) to all units.", runEvent},
        {"get", "get OP [TARGET] --id ID", "read one setting of one unit",
         "Reads one operation's value from one unit and prints it as an identifier or a\n"
         "percentage."
         "\n\nThe names come from the definition file, mlcenter.PGC beside mlctl: operations\n"
         "(op_BRIGHTNESS), their targets (wnWIN_MAIN) and value identifiers\n"
         "(isANALOGRGB1). \"pgc dump mlcenter.PGC\" prints them all, each operation with\n"
         "its target and value lists (the source is defs/marlune.pgcs); \"mlctl lists\"\n"
         "prints the lists the control program uses, with their display texts.",
         runGet},
        {"set", "set OP [TARGET] VALUE --id ID", "change one setting of one unit",
         "Sets one operation on one unit; VALUE is an identifier or a percentage such as\n"
         "50% (0% to 100%, up to three decimals)."
         "\n\nThe names come from the definition file, mlcenter.PGC beside mlctl: operations\n"
         "(op_BRIGHTNESS), their targets (wnWIN_MAIN) and value identifiers\n"
         "(isANALOGRGB1). \"pgc dump mlcenter.PGC\" prints them all, each operation with\n"
         "its target and value lists (the source is defs/marlune.pgcs); \"mlctl lists\"\n"
         "prints the lists the control program uses, with their display texts.",
         runSet},
        {"lists", "lists", "print the match lists (identifiers and texts)",
         "Prints the match lists with their identifiers and display texts.", runLists},
    };
    return table;
}

const CommandInfo* findCommand(const std::string& name) {
    for (const auto& command : commands())
        if (name == command.name)
            return &command;
    return nullptr;
}

bool checkWords(const Session& session, std::size_t min, std::size_t max) {
    const auto& line = session.line();
    const std::size_t count = line.words.size();
    if (count >= min && count <= max)
        return true;
    const CommandInfo* info = findCommand(line.command);
    complain(std::string(count < min ? "too few" : "too many") + " arguments; usage: mlctl " +
             (info ? info->synopsis : line.command.c_str()));
    return false;
}

} // namespace mlctl
