#include <gtest/gtest.h>

#include <string>

#include "shell/scene/SceneError.h"
#include "shell/scene/SceneReader.h"

using shell::SceneError;
using shell::SceneReader;

// The message a bad scene gets, or "" when it reads.
static std::string complaint(const std::string& text)
{
    try {
        SceneReader::readText(text);
    } catch (const SceneError& error) {
        return error.what();
    }
    return {};
}

static void expectComplaint(const std::string& text, const std::string& field, const std::string& words)
{
    std::string message = complaint(text);
    EXPECT_EQ(message.rfind(field + ": ", 0), 0u) << text << "\n  gave: " << message;
    EXPECT_NE(message.find(words), std::string::npos) << text << "\n  gave: " << message;
}

TEST(SceneReaderTest, EveryBadFieldIsNamedInTheMessage)
{
    expectComplaint("{\"actions\": [1,]}", "scene", "not valid JSON");
    expectComplaint("{\"actions\": [{\"wait\": 1e99999}]}", "scene", "not valid JSON");
    expectComplaint("[1]", "scene", "expected an object");
    expectComplaint("{\"acitons\": []}", "scene", "unknown field \"acitons\"");
    expectComplaint("{\"device\": \"iphone7\"}", "device", "unknown device \"iphone7\"");
    expectComplaint("{\"device\": 6}", "device", "expected a text");
    expectComplaint("{\"timeZone\": \"Mars/Olympus\"}", "timeZone", "unknown time zone");
    expectComplaint("{\"time\": \"2016-13-01T00:00\"}", "time", "is not a local time");
    expectComplaint("{\"time\": \"2016-11-24T09:41:00 and more\"}", "time", "is not a local time");
    expectComplaint("{\"time\": true}", "time", "expected a local time");
    expectComplaint("{\"statusBar\": {\"battery\": 150}}", "statusBar.battery", "0 to 100");
    expectComplaint("{\"statusBar\": {\"battery\": 50.5}}", "statusBar.battery", "whole number");
    expectComplaint("{\"statusBar\": {\"carier\": \"x\"}}", "statusBar", "unknown field \"carier\"");
    expectComplaint("{\"store\": []}", "store", "expected an object");
    expectComplaint("{\"store\": {\"CAHT\": 1}}", "store.CAHT", "not a key the app saves under");
    expectComplaint("{\"actions\": {}}", "actions", "expected a list");
    expectComplaint("{\"actions\": [{\"wait\": 1}, 7]}", "actions[1]", "expected an object with one action");
    expectComplaint("{\"actions\": [{\"tap\": [1, 2], \"wait\": 1}]}", "actions[0]", "one action");
    expectComplaint("{\"actions\": [{\"tapp\": [1, 2]}]}", "actions[0]", "unknown action \"tapp\"");
    expectComplaint("{\"actions\": [{\"wait\": 1}, {\"wait\": 1}, {\"wait\": 1}, {\"tap\": \"OK\"}]}",
        "actions[3].tap", "expected a point [x, y], a \"text\", a \"tag\" or an \"image\"");
    expectComplaint("{\"actions\": [{\"tap\": [1]}]}", "actions[0].tap", "expected a point [x, y]");
    expectComplaint("{\"actions\": [{\"tap\": {\"tag\": \"7\"}}]}", "actions[0].tap.tag", "whole number");
    expectComplaint("{\"actions\": [{\"tap\": {\"txt\": \"a\"}}]}", "actions[0].tap", "expected a point");
    expectComplaint("{\"actions\": [{\"longPress\": {\"text\": 5}}]}", "actions[0].longPress.text", "expected a text");
    expectComplaint("{\"actions\": [{\"wait\": -1}]}", "actions[0].wait", "at least 0");
    expectComplaint("{\"actions\": [{\"wait\": 1e9}]}", "actions[0].wait", "at most");
    expectComplaint("{\"actions\": [{\"key\": \"esc\"}]}", "actions[0].key", "unknown key \"esc\"");
    expectComplaint("{\"actions\": [{\"type\": 5}]}", "actions[0].type", "expected a text");
    expectComplaint("{\"actions\": [{\"screenshot\": \"\"}]}", "actions[0].screenshot", "file name");
    expectComplaint("{\"actions\": [{\"dump\": null}]}", "actions[0].dump", "expected a text");
    expectComplaint("{\"actions\": [{\"drag\": {\"from\": [1, 2]}}]}", "actions[0].drag", "\"to\"");
    expectComplaint("{\"actions\": [{\"drag\": {\"from\": [1, 2], \"to\": [3, 4], \"seconds\": \"1\"}}]}",
        "actions[0].drag.seconds", "expected a number");
}

TEST(SceneReaderTest, AMissingFileIsASceneErrorToo)
{
    EXPECT_THROW(SceneReader::readFile("/nonexistent/scene.json"), SceneError);
}

TEST(SceneReaderTest, ReadsEveryPartOfAGoodScene)
{
    auto scene = SceneReader::readText(R"({
        "device": "iphone5",
        "time": "2016-11-24T09:41:00",
        "timeZone": "Asia/Shanghai",
        "statusBar": { "carrier": "中国联通", "time": "09:41", "battery": 35, "charging": true },
        "store": {},
        "actions": [ {"tap": [10, 20]}, {"tap": {"text": "开始"}}, {"longPress": {"tag": 100}},
                     {"drag": {"from": {"image": "QYHome_1.png"}, "to": [0, 0]}}, {"type": "你好"},
                     {"key": "return"}, {"key": "backspace"}, {"wait": 0.5}, {"screenshot": "a.png"},
                     {"dump": "a.json"} ]
    })");
    EXPECT_EQ(scene.device, "iphone5");
    // 09:41 in Shanghai (UTC+8) is 01:41 UTC.
    EXPECT_DOUBLE_EQ(*scene.startTime, 1479951660.0);
    EXPECT_EQ(scene.statusBar.carrier, "中国联通");
    EXPECT_EQ(scene.statusBar.time, "09:41");
    EXPECT_EQ(scene.statusBar.battery, 35);
    EXPECT_EQ(scene.statusBar.charging, true);
    ASSERT_EQ(scene.actions.size(), 10u);
    EXPECT_EQ(scene.actions[3]->field(), "actions[3].drag");
}

TEST(SceneReaderTest, StartTimeIsLocalTimeOrSecondsSince1970)
{
    auto seconds = SceneReader::readText(R"({"time": 1480000000.5})");
    EXPECT_DOUBLE_EQ(*seconds.startTime, 1480000000.5);
    // Without seconds, and in another zone.
    auto utc = SceneReader::readText(R"({"time": "2016-11-24T15:06", "timeZone": "UTC"})");
    EXPECT_DOUBLE_EQ(*utc.startTime, 1480000000.0 - 40);
    EXPECT_FALSE(SceneReader::readText("{}").startTime);
}
