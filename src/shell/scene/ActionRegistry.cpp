#include "shell/scene/ActionRegistry.h"

#include "shell/scene/actions/AlertAction.h"
#include "shell/scene/actions/DragAction.h"
#include "shell/scene/actions/DumpAction.h"
#include "shell/scene/actions/KeyAction.h"
#include "shell/scene/actions/PhoneScreenshotAction.h"
#include "shell/scene/actions/PickPhotoAction.h"
#include "shell/scene/actions/RecordAction.h"
#include "shell/scene/actions/ScreenshotAction.h"
#include "shell/scene/actions/SheetAction.h"
#include "shell/scene/actions/TapAction.h"
#include "shell/scene/actions/TypeAction.h"
#include "shell/scene/actions/WaitAction.h"

namespace shell {

ActionRegistry& ActionRegistry::shared()
{
    static ActionRegistry registry;
    return registry;
}

ActionRegistry::ActionRegistry()
{
    add("tap", [](const SceneField& field) { return TapAction::read(field, TapAction::kTapSeconds); });
    add("longPress", [](const SceneField& field) { return TapAction::read(field, TapAction::kLongPressSeconds); });
    add("drag", &DragAction::read);
    add("type", &TypeAction::read);
    add("key", &KeyAction::read);
    add("wait", &WaitAction::read);
    add("screenshot", &ScreenshotAction::read);
    add("phoneScreenshot", &PhoneScreenshotAction::read);
    add("dump", &DumpAction::read);
    add("pickPhoto", &PickPhotoAction::read);
    add("alert", &AlertAction::read);
    add("sheet", &SheetAction::read);
    add("record", &RecordAction::read);
}

void ActionRegistry::add(const std::string& name, Factory factory)
{
    m_factories[name] = std::move(factory);
}

std::vector<std::string> ActionRegistry::names() const
{
    std::vector<std::string> names;
    for (auto& [name, factory] : m_factories)
        names.push_back(name);
    return names;
}

std::unique_ptr<SceneAction> ActionRegistry::make(const SceneField& entry) const
{
    if (!entry.isObject() || entry.json().size() != 1)
        entry.fail("expected an object with one action, such as {\"tap\": [x, y]} or {\"wait\": 1}");
    const std::string& name = entry.json().begin().key();
    auto it = m_factories.find(name);
    if (it == m_factories.end()) {
        std::string known;
        for (auto& candidate : names())
            known += (known.empty() ? "" : ", ") + candidate;
        entry.fail("unknown action \"" + name + "\" (known: " + known + ")");
    }
    return it->second(*entry.member(name));
}

} // namespace shell
