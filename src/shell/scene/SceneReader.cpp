#include "shell/scene/SceneReader.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "coding/OrderedJsonParser.h"
#include "platform/DeviceProfile.h"
#include "shell/scene/ActionRegistry.h"
#include "shell/scene/SceneError.h"
#include "shell/scene/SceneField.h"
#include "shell/scene/SceneStore.h"
#include "shell/scene/SceneTime.h"

namespace shell {

namespace {

std::string knownDevices()
{
    std::string names;
    for (auto& profile : platform::DeviceProfile::all())
        names += (names.empty() ? "" : ", ") + profile.name;
    return names;
}

void readStatusBar(const SceneField& field, Scene::StatusBarSettings& settings)
{
    field.expectOnlyMembers({ "carrier", "time", "battery", "charging" });
    if (auto carrier = field.member("carrier"))
        settings.carrier = carrier->string();
    if (auto time = field.member("time"))
        settings.time = time->string();
    if (auto battery = field.member("battery")) {
        int percent = battery->integer();
        if (percent < 0 || percent > 100)
            battery->fail("expected a percentage from 0 to 100");
        settings.battery = percent;
    }
    if (auto charging = field.member("charging"))
        settings.charging = charging->boolean();
}

// 1970-01-01 and 2100-01-01 00:00 UTC. Far outside, a frame of 1/60 s is
// below a double's resolution and the clock would never move.
constexpr double kEarliestStart = 0;
constexpr double kLatestStart = 4102444800;

double readStartTime(const SceneField& field, const std::string& zone)
{
    double seconds = 0;
    if (field.json().is_number()) {
        seconds = field.number();
    } else {
        if (!field.json().is_string())
            field.fail("expected a local time such as \"2016-11-24T09:41:00\" or seconds since 1970");
        auto parsed = SceneTime::parseLocal(field.string(), zone);
        if (!parsed)
            field.fail("\"" + field.string() + "\" is not a local time such as \"2016-11-24T09:41:00\"");
        seconds = *parsed;
    }
    if (seconds < kEarliestStart || seconds >= kLatestStart)
        field.fail("expected a time from 1970 to 2099 (seconds since 1970 from 0 to 4102444799)");
    return seconds;
}

} // namespace

Scene SceneReader::readFile(const std::string& path)
{
    std::error_code error;
    auto status = std::filesystem::status(path, error);
    if (!std::filesystem::is_regular_file(status))
        throw SceneError("", std::filesystem::is_directory(status) ? "the scene file is a folder" : "cannot open the scene file");
    if (std::filesystem::file_size(path, error) > kLargestScene)
        throw SceneError("", "the scene file is larger than " + std::to_string(kLargestScene >> 20) + " MB");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw SceneError("", "cannot open the scene file");
    std::stringstream text;
    text << in.rdbuf();
    SceneField::BaseFolder folder(std::filesystem::absolute(path).parent_path().string());
    Scene scene = readText(text.str());
    scene.path = path;
    return scene;
}

Scene SceneReader::readText(const std::string& text)
{
    // Syntax errors and numbers too large for a double alike; the library's
    // message names where the mistake is.
    auto parsed = coding::OrderedJsonParser::parse(text, kLargestScene);
    if (!parsed.json)
        throw SceneError("scene", "not valid JSON (" + parsed.error + ")");
    return read(*parsed.json);
}

Scene SceneReader::read(const nlohmann::ordered_json& json)
{
    SceneField root(json, "");
    if (!root.isObject())
        throw SceneError("scene", "expected an object { ... } at the top of the file");
    root.expectOnlyMembers({ "device", "time", "timeZone", "statusBar", "store", "actions" });

    Scene scene;
    if (auto device = root.member("device")) {
        if (!platform::DeviceProfile::named(device->string()))
            device->fail("unknown device \"" + device->string() + "\" (known: " + knownDevices() + ")");
        scene.device = device->string();
    }
    if (auto zone = root.member("timeZone")) {
        if (!SceneTime::isKnownZone(zone->string()))
            zone->fail("unknown time zone \"" + zone->string() + "\" (expected a name such as \"Asia/Shanghai\")");
        scene.timeZone = zone->string();
    }
    if (auto time = root.member("time"))
        scene.startTime = readStartTime(*time, scene.timeZone.value_or(""));
    if (auto statusBar = root.member("statusBar"))
        readStatusBar(*statusBar, scene.statusBar);
    if (auto store = root.member("store")) {
        SceneStore::check(*store);
        scene.store = store->json();
    }
    if (auto actions = root.member("actions")) {
        const auto& list = actions->array();
        for (size_t i = 0; i < list.size(); ++i)
            scene.actions.push_back(ActionRegistry::shared().make(actions->element(i)));
    }
    return scene;
}

} // namespace shell
