// The checks every request of the network interface passes before a command runs,
// and the fields of its body.
#include "remote_api/body_fields.h"
#include "remote_api/request_routing.h"

#include <gtest/gtest.h>

namespace {

using mlc::HttpReply;
using mlc::HttpRequest;
using mlc::RoutedRequest;

constexpr const char* kToken = "0123456789abcdef0123456789abcdef";

HttpRequest request(std::string method, std::string path, std::string body = "",
                    std::string authorization = std::string("Bearer ") + kToken) {
    return {std::move(method), std::move(path), "", std::move(authorization), std::move(body)};
}

HttpReply refusal(const HttpRequest& r, const char* token = kToken) {
    auto routed = mlc::routeRequest(r, token);
    EXPECT_TRUE(std::holds_alternative<HttpReply>(routed)) << r.method << " " << r.path;
    return std::holds_alternative<HttpReply>(routed) ? std::get<HttpReply>(routed) : HttpReply{};
}

TEST(RemoteRequests, AreRefusedInTheOrderTokenSizePathMethodBody) {
    const HttpReply noToken = refusal(request("GET", "/nowhere", "{", ""));
    EXPECT_EQ(noToken.status, 401);
    EXPECT_EQ(noToken.body, R"({"error":"A valid token is needed: Authorization: Bearer <token>"})");
    EXPECT_EQ(refusal(request("GET", "/api/v1/status", "", "Bearer 0123")).status, 401);
    EXPECT_EQ(refusal(request("GET", "/api/v1/status", "", "Basic abc")).status, 401);
    // An interface without a token lets nobody in, not even with an empty one.
    EXPECT_EQ(refusal(request("GET", "/api/v1/status", "", "Bearer "), "").status, 401);

    EXPECT_EQ(refusal(request("GET", "/nowhere", std::string(mlc::kMaxRequestBody + 1, ' '))).status, 413);
    for (const char* path : {"/nowhere", "/api/v1/status/", "/api/v1/monitors/0/1", "/api/v1/monitors/x/1",
                             "/api/v1/monitors/1/2/3", "/api/v1/monitors/01/1"})
        EXPECT_EQ(refusal(request("GET", path)).status, 404) << path;

    const HttpReply wrongMethod = refusal(request("DELETE", "/api/v1/monitors/1/1"));
    EXPECT_EQ(wrongMethod.status, 405);
    EXPECT_EQ(wrongMethod.headers.at(0), (std::pair<std::string, std::string>{"Allow", "GET, PATCH"}));

    for (const char* body : {"{", "[1]", "\"text\"", "{\"a\":1}}"})
        EXPECT_EQ(refusal(request("POST", "/api/v1/wall/open", body)).status, 400) << body;
}

TEST(RemoteRequests, ThatPassTakeTheirRouteWithThePlaceAndTheBody) {
    auto routed = mlc::routeRequest(
        request("PATCH", "/api/v1/monitors/16/3", R"({"brightness": 30})", std::string("bearer  ") + kToken),
        kToken);
    ASSERT_TRUE(std::holds_alternative<RoutedRequest>(routed));
    const RoutedRequest& r = std::get<RoutedRequest>(routed);
    EXPECT_EQ(r.route, mlc::RouteId::ChangeMonitor);
    EXPECT_EQ(r.column, 16);
    EXPECT_EQ(r.row, 3);
    EXPECT_EQ(r.body.at("brightness"), 30);

    // No body at all is an empty object: a command without fields needs none.
    routed = mlc::routeRequest(request("POST", "/api/v1/wall/write", " \r\n"), kToken);
    ASSERT_TRUE(std::holds_alternative<RoutedRequest>(routed));
    EXPECT_TRUE(std::get<RoutedRequest>(routed).body.empty());
}

TEST(RemoteRequests, NameOnlyFilesInTheProgramFolder) {
    const auto check = [](const nlohmann::json& body) {
        mlc::BodyFields fields(body);
        const auto name = fields.fileName("file", ".MLV");
        return fields.complete() ? *name : fields.problem();
    };
    EXPECT_EQ(check({{"file", "scene 3.mlv"}}), "scene 3.mlv");
    const std::string refused =
        "file: must be the name of a .MLV file in the program folder, without a folder";
    for (const char* name : {"/tmp/scene.MLV", "../scene.MLV", "walls/scene.MLV", "..\\scene.MLV",
                             "C:scene.MLV", "show.MLS", "", ".MLV\n"})
        EXPECT_EQ(check({{"file", name}}), refused) << name;
    EXPECT_EQ(check({{"file", 3}}), "file: must be a text");
    EXPECT_EQ(check(nlohmann::json::object()), "file: missing");
    EXPECT_EQ(check({{"file", "a.MLV"}, {"fiel", "b.MLV"}}), "fiel: not a field of this request");
}

TEST(RemoteRequests, ChangeAMonitorOnlyWithValuesTheDialogCouldSet) {
    mlc::MatchLists lists;
    lists.InputSources.Ids = {"isANALOGRGB1", "isDVI1"};
    mlc::TMonitorSettings current;
    const auto change = [&](const nlohmann::json& body, std::string* problem = nullptr) {
        mlc::BodyFields fields(body);
        auto changed = mlc::changedMonitor(fields, current, lists);
        if (problem)
            *problem = fields.problem();
        return changed;
    };

    const auto changed =
        change({{"input", "isDVI1"}, {"brightness", 30.5}, {"xZoom", 25}, {"yPosition", 50}});
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->SourceInput, 1);
    EXPECT_EQ(changed->Brightness, 30500);
    EXPECT_EQ(changed->XZoom, 25.0);
    EXPECT_EQ(changed->YPosition, 50.0);
    EXPECT_EQ(changed->Contrast, current.Contrast);

    std::string problem;
    EXPECT_FALSE(change({{"input", "isNOWHERE"}}, &problem));
    EXPECT_EQ(problem, R"(input: "isNOWHERE" is not an input the units know)");
    EXPECT_FALSE(change({{"brightness", 100.5}}, &problem));
    EXPECT_EQ(problem, "brightness: must be a number from 0 to 100");
    EXPECT_FALSE(change({{"xZoom", 5}}, &problem));
    EXPECT_EQ(problem, "xZoom: must be a number from 6.25 to 133.333");
    EXPECT_FALSE(change({{"contrast", "50"}}, &problem));
    EXPECT_EQ(problem, "contrast: must be a number from 0 to 100");
    EXPECT_FALSE(change({{"sharpness", 50}}, &problem));
    EXPECT_EQ(problem, "body: names none of input, brightness, contrast, xPosition, yPosition, xZoom, yZoom");
    EXPECT_FALSE(change({{"brightness", 50}, {"gamma", 50}}, &problem));
    EXPECT_EQ(problem, "gamma: not a field of this request");
}

} // namespace
