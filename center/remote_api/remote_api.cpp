#include "remote_api/remote_api.h"

#include "dialogs/monitor_apply.h"
#include "dialogs/remote_keys.h"
#include "remote_api/body_fields.h"
#include "text_case.h"
#include "wall/wall_state.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

namespace mlc {

namespace {

constexpr const char* kNothingTaken = "The units did not take the command.";
constexpr const char* kNoItems = "The sequence has no items.";

std::string fileNamePart(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The value of one parameter of a query ("since=4&x=1"), if it is there.
std::optional<std::string_view> queryValue(std::string_view query, std::string_view name) {
    while (!query.empty()) {
        const std::size_t end = std::min(query.find('&'), query.size());
        const std::string_view pair = query.substr(0, end);
        if (pair.substr(0, pair.find('=')) == name)
            return pair.find('=') == std::string_view::npos ? std::string_view()
                                                            : pair.substr(pair.find('=') + 1);
        query.remove_prefix(std::min(end + 1, query.size()));
    }
    return std::nullopt;
}

HttpReply unprocessable(const BodyFields& fields) {
    return errorReply(422, fields.problem());
}

} // namespace

HttpReply RemoteApi::handle(const HttpRequest& request) {
    auto routed = routeRequest(request, p_.center.settings().Remote.Token);
    if (auto* refused = std::get_if<HttpReply>(&routed))
        return std::move(*refused);
    return run(std::get<RoutedRequest>(routed));
}

HttpReply RemoteApi::run(const RoutedRequest& r) {
    // Routes without fields still refuse fields they do not know.
    BodyFields none(r.body);
    switch (r.route) {
    case RouteId::Status:
        return jsonReply(200, statusJson(status()));
    case RouteId::Monitors:
        return monitors();
    case RouteId::Monitor:
        if (!inWall(r.column, r.row))
            break;
        return jsonReply(200, monitorJson(p_.center.wall(), p_.center.lists(), r.column, r.row));
    case RouteId::ChangeMonitor:
        if (!inWall(r.column, r.row))
            break;
        return changeMonitor(r);
    case RouteId::OpenWall:
    case RouteId::OpenSequence:
        return openFile(r, r.route == RouteId::OpenWall);
    case RouteId::WriteWall:
        if (!none.complete())
            return unprocessable(none);
        return changing([this](const CommandOperator& op) { return outcome(p_.sync.WriteWall(), op); });
    case RouteId::ResyncWall:
        if (!none.complete())
            return unprocessable(none);
        return resyncWall();
    case RouteId::RecallMemory:
    case RouteId::StoreMemory:
        return memory(r, r.route == RouteId::StoreMemory);
    case RouteId::SendEvent:
        return sendEvent(r);
    case RouteId::PlaySequence:
    case RouteId::StopSequence:
        if (!none.complete())
            return unprocessable(none);
        return playSequence(r.route == RouteId::PlaySequence);
    case RouteId::ExecuteItem:
        return executeItem(r);
    case RouteId::Reports:
        return reports(r);
    }
    const WallModel& wall = p_.center.wall();
    return errorReply(404, "No monitor at column " + std::to_string(r.column) + ", row " +
                               std::to_string(r.row) + ": the wall has " + std::to_string(UsedColumns(wall)) +
                               " x " + std::to_string(UsedRows(wall)) + " monitors");
}

bool RemoteApi::inWall(int column, int row) const {
    const WallModel& wall = p_.center.wall();
    return column >= 1 && column <= UsedColumns(wall) && row >= 1 && row <= UsedRows(wall);
}

std::string RemoteApi::refusal() const {
    return p_.sync.Busy() ? kExchangeBusyMessage : p_.host.refusal();
}

ProgramStatus RemoteApi::status() const {
    const WallModel& wall = p_.center.wall();
    ControlCenter& center = p_.center;
    const Sequencer& sequencer = center.sequencer();
    ProgramStatus s;
    s.columns = UsedColumns(wall);
    s.rows = UsedRows(wall);
    s.synced = IsWallSynced(wall);
    s.serialLink = !center.settings().InhibitSerialCommunication;
    s.modified = wall.VideowallModified;
    s.busy = !refusal().empty();
    s.videowallFile = fileNamePart(center.videowallFileName());
    s.sequenceFile = fileNamePart(sequencer.fileName());
    s.playing = sequencer.playing();
    s.loop = sequencer.loop();
    s.items = static_cast<int>(sequencer.items().size());
    s.current = sequencer.currentItemIndex();
    s.reports = p_.host.lastReportNumber();
    return s;
}

HttpReply RemoteApi::changing(const Command& command) {
    if (const std::string why = refusal(); !why.empty())
        return errorReply(409, why);
    CommandOperator op(p_.op);
    HttpReply reply;
    p_.host.runUnattended(op, [&] { reply = command(op); });
    p_.center.UpdateCaption();
    return reply;
}

HttpReply RemoteApi::outcome(bool done, const CommandOperator& op) {
    if (done && !op.failed())
        return jsonReply(200, statusJson(status()));
    return errorReply(502, op.failure().empty() ? kNothingTaken : op.failure());
}

HttpReply RemoteApi::monitors() const {
    const WallModel& wall = p_.center.wall();
    Json list = Json::array();
    for (int r = 1; r <= UsedRows(wall); ++r)
        for (int c = 1; c <= UsedColumns(wall); ++c)
            list.push_back(monitorJson(wall, p_.center.lists(), c, r));
    return jsonReply(200, list);
}

HttpReply RemoteApi::changeMonitor(const RoutedRequest& r) {
    WallModel& wall = p_.center.wall();
    BodyFields fields(r.body);
    const auto changed =
        changedMonitor(fields, wall.Monitors.at(r.column, r.row).Settings, p_.center.lists());
    if (!changed)
        return unprocessable(fields);
    return changing([&](const CommandOperator& op) {
        // As the monitor dialog's Ok: stored, written with its queue executed, router committed.
        const ApplyOutcome applied =
            ApplySettings(wall, p_.center.history(), DeviceAccess{p_.sync, p_.router, p_.op},
                          p_.center.settings().ActivateVideoRouter, r.column, r.row, *changed);
        if (applied == ApplyOutcome::RouterRefused)
            return errorReply(502, "The video router refused to commit the change.");
        if (applied != ApplyOutcome::Sent)
            return outcome(false, op);
        return jsonReply(200, monitorJson(wall, p_.center.lists(), r.column, r.row));
    });
}

HttpReply RemoteApi::openFile(const RoutedRequest& r, bool wall) {
    BodyFields fields(r.body);
    const auto name = fields.fileName("file", wall ? ".MLV" : ".MLS");
    if (!fields.complete())
        return unprocessable(fields);
    return changing([&](const CommandOperator& op) {
        ControlCenter& center = p_.center;
        const bool hadChanges = wall ? center.wall().VideowallModified : center.sequencer().modified();
        LoadStatus loaded;
        bool sent = true;
        if (wall) {
            const ControlCenter::WallOpened opened = center.openVideowall(programFile(*name));
            loaded = opened.loaded;
            sent = opened.sent;
        } else {
            loaded = center.LoadSequence(programFile(*name));
            center.sequencer().UpdateSequencerActions();
        }
        if (!loaded)
            return errorReply(422, "file: " + *name + " could not be opened: " + loaded.text());
        if (hadChanges)
            p_.op.report(MessageKind::Warning,
                         std::string("Unsaved changes to the ") + (wall ? "videowall" : "sequence") +
                             " were discarded: " + *name + " was opened from the network.");
        return outcome(sent, op);
    });
}

HttpReply RemoteApi::resyncWall() {
    // A state the control system can see (serialLink), not a unit's failure.
    if (p_.center.settings().InhibitSerialCommunication)
        return errorReply(409, kReadsNeedLinkMessage);
    return changing([this](const CommandOperator& op) { return outcome(p_.sync.ResyncVideowall(), op); });
}

HttpReply RemoteApi::memory(const RoutedRequest& r, bool store) {
    BodyFields fields(r.body);
    const auto number = fields.integer("number", 1, kMemoryCount);
    if (!fields.complete())
        return unprocessable(fields);
    return changing([&](const CommandOperator& op) {
        return outcome(store ? p_.chain.storeMemory(*number) : p_.chain.MemoryRecall(*number), op);
    });
}

HttpReply RemoteApi::sendEvent(const RoutedRequest& r) {
    BodyFields fields(r.body);
    const auto name = fields.text("name");
    const RemoteKey* key = nullptr;
    if (name) {
        const auto& keys = RemoteKeys();
        const auto found = std::find_if(keys.begin(), keys.end(),
                                        [&](const RemoteKey& k) { return equalNoCase(k.event, *name); });
        if (found == keys.end())
            fields.refuse("name", "\"" + *name + "\" is not the event of a key of the remote control");
        else
            key = &*found;
    }
    if (!fields.complete())
        return unprocessable(fields);
    return changing(
        [&](const CommandOperator& op) { return outcome(p_.chain.SendRemoteEvent(key->event), op); });
}

HttpReply RemoteApi::playSequence(bool play) {
    Sequencer& sequencer = p_.center.sequencer();
    if (sequencer.playing() == play)
        return jsonReply(200, statusJson(status()));
    if (play && sequencer.items().empty())
        return errorReply(409, kNoItems);
    return changing([&](const CommandOperator& op) {
        sequencer.togglePlay(p_.center.clocks());
        return outcome(true, op);
    });
}

HttpReply RemoteApi::executeItem(const RoutedRequest& r) {
    Sequencer& sequencer = p_.center.sequencer();
    const int count = static_cast<int>(sequencer.items().size());
    if (count == 0)
        return errorReply(409, kNoItems);
    BodyFields fields(r.body);
    const auto item = fields.integer("item", 0, count - 1);
    if (!fields.complete())
        return unprocessable(fields);
    return changing([&](const CommandOperator& op) {
        // The item's wall write reports its own failure; the playback state stays.
        sequencer.ExecuteSequenceItem(*item);
        return outcome(true, op);
    });
}

HttpReply RemoteApi::reports(const RoutedRequest& r) const {
    std::int64_t since = 0;
    if (const auto text = queryValue(r.query, "since")) {
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), since);
        if (error != std::errc() || end != text->data() + text->size() || text->empty() || since < 0)
            return errorReply(422, "since: must be a whole number of 0 or more");
    }
    return jsonReply(200, reportsJson(p_.host.reportsAfter(since)));
}

} // namespace mlc
