// play and sequence: the sequencer without a window.
#include "commands.h"

#include "app/time_of_day.h"
#include "command_line.h"
#include "files/wall_file.h"
#include "sequencer/sequencer.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <deque>

namespace mlctl {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

std::string clockText() {
    const std::time_t now = std::time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

// Sleeps until about one second after the last tick, or until Ctrl-C.
void waitForNextTick() {
    timespec second{1, 0};
    while (!stopRequested && nanosleep(&second, &second) != 0) {
    }
}

// The sequencer's dialogs on the command line: wall files to add come from a
// list, item details take the delays given with them.
class ScriptedDialogs : public mlc::SequencerDialogs {
public:
    struct Entry {
        std::string file;
        int seconds = 1;
    };
    std::deque<Entry> entries;

    std::optional<std::string> chooseWallFileToAdd() override {
        if (entries.empty())
            return std::nullopt;
        return entries.front().file;
    }
    bool editItemDetails(mlc::ItemDetails& details) override {
        if (entries.empty())
            return false;
        const int seconds = entries.front().seconds;
        entries.pop_front();
        details.hours = seconds / 3600;
        details.minutes = seconds / 60 % 60;
        details.seconds = seconds % 60;
        details.mode = 2; // from the last event
        return true;
    }
};

mlc::SequencerHooks hooksFor(Session& session, bool& writeFailed) {
    mlc::SequencerHooks hooks;
    auto& model = session.model();
    hooks.wallSettings = [&model] { return mlc::wallSettingsOf(model.Monitors); };
    hooks.showOnWall = [&model](const mlc::WallSettings& settings) {
        mlc::applyWallSettings(settings, model.Monitors);
    };
    hooks.writeWall = [&session, &writeFailed] {
        const bool ok = session.sync().WriteWall();
        writeFailed |= !ok;
        return ok;
    };
    hooks.loadWallFile = [](const std::string& path, mlc::WallSettings& settings) {
        return static_cast<bool>(mlc::loadVideowallFile(path, settings));
    };
    hooks.updateCaption = [] {};
    hooks.clock = mlc::ReadClocks;
    hooks.deviceBusy = [&session] { return session.sync().Busy(); };
    return hooks;
}

} // namespace

int runPlay(Session& session) {
    if (!checkWords(session, 1, 1))
        return kExitUsage;
    const std::string& path = session.line().words[0];
    ScriptedDialogs dialogs;
    bool writeFailed = false;
    mlc::SequencerHooks hooks = hooksFor(session, writeFailed);
    mlc::Sequencer* sequencerRef = nullptr;
    // Each item is announced as it is put on the wall, before it is sent.
    hooks.showOnWall = [&, show = hooks.showOnWall](const mlc::WallSettings& settings) {
        const int firing = sequencerRef->executingItemIndex();
        std::printf("%s  item %d: %s\n", clockText().c_str(), firing + 1,
                    sequencerRef->lines()[static_cast<std::size_t>(firing)].text.c_str());
        std::fflush(stdout);
        show(settings);
    };
    mlc::Sequencer sequencer(session.op(), dialogs, hooks);
    sequencerRef = &sequencer;
    if (const mlc::LoadStatus status = sequencer.loadSequence(path); !status) {
        complain("cannot load sequence file " + path + ": " + status.text());
        return kExitUsage;
    }
    if (sequencer.items().empty()) {
        complain("sequence file " + path + " has no items");
        return kExitUsage;
    }
    if (!session.openPort())
        return kExitFailed;
    sequencer.setLoop(session.line().hasFlag("--loop"));
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    sequencer.togglePlay(mlc::ReadClocks());
    while (sequencer.playing() && !stopRequested) {
        waitForNextTick();
        if (stopRequested)
            break;
        sequencer.tick(mlc::ReadClocks());
    }
    if (sequencer.playing()) {
        sequencer.togglePlay(mlc::ReadClocks());
        std::printf("%s  stopped\n", clockText().c_str());
    } else {
        std::printf("%s  sequence ended\n", clockText().c_str());
    }
    return writeFailed ? kExitFailed : kExitOk;
}

int runSequence(Session& session) {
    if (!checkWords(session, 2, 256))
        return kExitUsage;
    const auto& words = session.line().words;
    ScriptedDialogs dialogs;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const auto at = word.rfind('@');
        ScriptedDialogs::Entry entry{word.substr(0, at), 1};
        if (at != std::string::npos) {
            const auto seconds = parseInteger(word.substr(at + 1), 0, 99 * 3600 + 59 * 60 + 59);
            if (!seconds) {
                complain("\"" + word + "\": the delay after @ is a number of seconds");
                return kExitUsage;
            }
            entry.seconds = *seconds;
        }
        mlc::WallSettings probe;
        if (const mlc::LoadStatus status = mlc::loadVideowallFile(entry.file, probe); !status) {
            complain("cannot load wall file " + entry.file + ": " + status.text());
            return kExitUsage;
        }
        dialogs.entries.push_back(entry);
    }
    bool writeFailed = false;
    mlc::Sequencer sequencer(session.op(), dialogs, hooksFor(session, writeFailed));
    while (!dialogs.entries.empty())
        sequencer.addItem();
    if (!sequencer.saveSequence(words[0])) {
        complain("sequence file " + words[0] + " not written");
        return kExitFailed;
    }
    std::printf("%zu items written to %s\n", sequencer.items().size(), words[0].c_str());
    return kExitOk;
}

} // namespace mlctl
