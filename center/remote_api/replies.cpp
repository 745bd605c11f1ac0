#include "remote_api/replies.h"

#include "dialogs/slider_values.h"

namespace mlc {

namespace {

const char* kindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return "error";
    case MessageKind::Warning:
        return "warning";
    case MessageKind::Information:
        break;
    }
    return "information";
}

} // namespace

HttpReply jsonReply(int status, const Json& body) {
    // Invalid UTF-8 (a file name, a driver's text) is replaced rather than thrown on.
    return {status, body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)};
}

HttpReply errorReply(int status, const std::string& text) {
    return jsonReply(status, Json{{"error", text}});
}

Json statusJson(const ProgramStatus& s) {
    return Json{
        {"columns", s.columns},
        {"rows", s.rows},
        {"synced", s.synced},
        {"serialLink", s.serialLink},
        {"modified", s.modified},
        {"busy", s.busy},
        {"videowallFile", s.videowallFile},
        {"sequenceFile", s.sequenceFile},
        {"sequencer", {{"playing", s.playing}, {"loop", s.loop}, {"items", s.items}, {"current", s.current}}},
        {"reports", s.reports}};
}

Json monitorJson(const WallModel& wall, const MatchLists& lists, int column, int row) {
    const TWallMonitor& monitor = wall.Monitors.at(column, row);
    const TMonitorSettings& s = monitor.Settings;
    const std::string* input = lists.InputSources.idAt(s.SourceInput);
    return Json{{"column", column},
                {"row", row},
                {"id", monitor.DeviceId},
                {"synced", monitor.Synced},
                {"input", input ? Json(*input) : Json(nullptr)},
                {"xPosition", s.XPosition},
                {"yPosition", s.YPosition},
                {"xZoom", s.XZoom},
                {"yZoom", s.YZoom},
                {"brightness", ShownPercent(s.Brightness)},
                {"contrast", ShownPercent(s.Contrast)}};
}

Json reportsJson(const std::vector<ReportEntry>& entries) {
    Json list = Json::array();
    for (const ReportEntry& e : entries)
        list.push_back(
            {{"number", e.number}, {"time", e.time}, {"kind", kindName(e.kind)}, {"text", e.text}});
    return list;
}

} // namespace mlc
