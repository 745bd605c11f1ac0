// write, read and autoset: whole-wall commands.
#include "commands.h"

#include "command_line.h"
#include "files/wall_file.h"
#include "wall/enlargement.h"
#include "wall/wall_state.h"

#include <cstdio>

namespace mlctl {

int runWrite(Session& session) {
    if (!checkWords(session, 1, 1))
        return kExitUsage;
    const std::string& path = session.line().words[0];
    mlc::WallSettings settings;
    if (const mlc::LoadStatus status = mlc::loadVideowallFile(path, settings); !status) {
        complain("cannot load wall file " + path + ": " + status.text());
        return kExitUsage;
    }
    if (!session.openPort())
        return kExitFailed;
    mlc::applyWallSettings(settings, session.model().Monitors);
    if (!session.sync().WriteWall())
        return kExitFailed;
    std::printf("wrote %s to %d x %d monitors\n", path.c_str(), session.model().WallColumns,
                session.model().WallRows);
    return kExitOk;
}

int runRead(Session& session) {
    if (!checkWords(session, 1, 1))
        return kExitUsage;
    if (!session.openPort())
        return kExitFailed;
    if (!session.sync().ReadWall(true))
        return kExitFailed;
    const std::string& path = session.line().words[0];
    if (!mlc::saveVideowallFile(session.op(), path, mlc::wallSettingsOf(session.model().DeviceState))) {
        complain("wall file " + path + " not written");
        return kExitFailed;
    }
    std::printf("read %d x %d monitors into %s\n", session.model().WallColumns, session.model().WallRows,
                path.c_str());
    return kExitOk;
}

int runAutoset(Session& session) {
    if (!checkWords(session, 0, 0))
        return kExitUsage;
    auto& model = session.model();
    const auto& line = session.line();
    mlc::WallRect rect{1, 1, mlc::UsedColumns(model), mlc::UsedRows(model)};
    for (const auto& [flag, first, last, limit] :
         {std::tuple{"--cols", &rect.Left, &rect.Right, mlc::UsedColumns(model)},
          std::tuple{"--rows", &rect.Top, &rect.Bottom, mlc::UsedRows(model)}}) {
        if (!line.hasFlag(flag))
            continue;
        const auto range = parseRange(line.flags.at(flag), limit);
        if (!range) {
            complain(std::string(flag) + " needs A-B within 1.." + std::to_string(limit) + ", not \"" +
                     line.flags.at(flag) + "\"");
            return kExitUsage;
        }
        *first = range->first;
        *last = range->last;
    }
    if (!session.openPort())
        return kExitFailed;
    mlc::AutosetEnlargement(model, rect);
    if (!session.sync().WriteWall())
        return kExitFailed;
    std::printf("enlargement set for columns %d-%d, rows %d-%d\n", rect.Left, rect.Right, rect.Top,
                rect.Bottom);
    return kExitOk;
}

} // namespace mlctl
