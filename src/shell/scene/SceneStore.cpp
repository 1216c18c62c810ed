#include "shell/scene/SceneStore.h"

#include <algorithm>
#include <array>

#include "chat/records/RecordClasses.h"
#include "chat/store/HLObjectValue.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"

namespace shell {

// Every key the app saves under.
static constexpr std::array<const char*, 5> kKeys { "USERMODEL", "USERMODELALI", "CHAT", "CHATALI", "BLANCE" };

void SceneStore::check(const SceneField& store)
{
    store.object();
    if (store.json().empty())
        return;
    for (auto& [key, value] : store.json().items()) {
        SceneField field = *store.member(key);
        if (std::find(kKeys.begin(), kKeys.end(), key) == kKeys.end())
            field.fail("not a key the app saves under (expected USERMODEL, USERMODELALI, CHAT, CHATALI or BLANCE)");
        registerRecordClasses();
        auto imported = coding::JsonForm::fromJson(value);
        if (!imported.ok())
            field.fail(*imported.error);
        if (!imported.object)
            field.fail("null is nothing to store");
        auto encoded = coding::QYCoder::encode(imported.object);
        if (!encoded.ok())
            field.fail("the record cannot be encoded: " + encoded.error->message);
    }
}

void SceneStore::fill(const nlohmann::ordered_json& store)
{
    for (auto& [key, value] : store.items()) {
        auto imported = coding::JsonForm::fromJson(value);
        if (imported.ok() && imported.object)
            HLObjectValue::sharedInstance().hl_setObject(imported.object, key);
    }
}

} // namespace shell
