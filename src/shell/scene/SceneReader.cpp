#include "shell/scene/SceneReader.h"

#include <filesystem>
#include <fstream>
#include <sstream>

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

double readStartTime(const SceneField& field, const std::string& zone)
{
    if (field.json().is_number())
        return field.number();
    if (!field.json().is_string())
        field.fail("expected a local time such as \"2016-11-24T09:41:00\" or seconds since 1970");
    auto seconds = SceneTime::parseLocal(field.string(), zone);
    if (!seconds)
        field.fail("\"" + field.string() + "\" is not a local time such as \"2016-11-24T09:41:00\"");
    return *seconds;
}

} // namespace

Scene SceneReader::readFile(const std::string& path)
{
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
    nlohmann::ordered_json json;
    try {
        json = nlohmann::ordered_json::parse(text);
    } catch (const nlohmann::ordered_json::exception& error) {
        // Syntax errors and numbers too large for a double alike; the library's
        // message names where the mistake is.
        throw SceneError("scene", std::string("not valid JSON (") + error.what() + ")");
    }
    return read(json);
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
