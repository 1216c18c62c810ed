#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "shell/scene/SceneAction.h"

namespace shell {

// A scene file, read and checked: the phone to pretend to be, the moment its
// clock starts at, the status bar, what the settings store holds at launch,
// and the steps played on the running app.
//
//   { "device": "iphone6",                      // optional; see DeviceProfile
//     "time": "2016-11-24T09:41:00",            // optional; local time, or seconds since 1970
//     "timeZone": "Asia/Shanghai",              // optional; the process's zone otherwise
//     "statusBar": { "carrier": "中国移动", "time": "09:41", "battery": 80, "charging": false },
//     "store": { "CHAT": <JSON form of the record>, ... },   // optional
//     "actions": [ {"tap": {"text": "开始"}}, {"wait": 1}, {"screenshot": "step.png"} ] }
struct Scene {
    struct StatusBarSettings {
        std::optional<std::string> carrier;
        std::optional<std::string> time;
        std::optional<int> battery;
        std::optional<bool> charging;
    };

    // The file the scene came from; empty when read from memory.
    std::string path;
    std::optional<std::string> device;
    std::optional<double> startTime;
    std::optional<std::string> timeZone;
    StatusBarSettings statusBar;
    nlohmann::ordered_json store = nlohmann::ordered_json::object();
    std::vector<std::unique_ptr<SceneAction>> actions;
};

} // namespace shell
