#include "shell/scene/SceneStore.h"

#include <algorithm>
#include <array>

#if QY_HAVE_CHAT && QY_HAVE_CODING
#include "chat/records/RecordClasses.h"
#include "chat/store/HLObjectValue.h"
#include "coding/JsonForm.h"
#include "coding/QYCoder.h"
#define QY_SCENE_STORE 1
#endif

namespace shell {

// Every key the app saves under.
static constexpr std::array<const char*, 5> kKeys { "USERMODEL", "USERMODELALI", "CHAT", "CHATALI", "BLANCE" };

bool SceneStore::isAvailable()
{
#ifdef QY_SCENE_STORE
    return true;
#else
    return false;
#endif
}

void SceneStore::check(const SceneField& store)
{
    store.object();
    if (store.json().empty())
        return;
    if (!isAvailable())
        store.fail("this build has no settings store to fill; leave \"store\" out or empty");
    for (auto& [key, value] : store.json().items()) {
        SceneField field = *store.member(key);
        if (std::find(kKeys.begin(), kKeys.end(), key) == kKeys.end())
            field.fail("not a key the app saves under (expected USERMODEL, USERMODELALI, CHAT, CHATALI or BLANCE)");
#ifdef QY_SCENE_STORE
        registerRecordClasses();
        auto imported = coding::JsonForm::fromJson(value);
        if (!imported.ok())
            field.fail(*imported.error);
        if (!imported.object)
            field.fail("null is nothing to store");
        auto encoded = coding::QYCoder::encode(imported.object);
        if (!encoded.ok())
            field.fail("the record cannot be encoded: " + encoded.error->message);
#endif
    }
}

void SceneStore::fill(const nlohmann::ordered_json& store)
{
#ifdef QY_SCENE_STORE
    for (auto& [key, value] : store.items()) {
        auto imported = coding::JsonForm::fromJson(value);
        if (imported.ok() && imported.object)
            HLObjectValue::sharedInstance().hl_setObject(imported.object, key);
    }
#else
    (void)store;
#endif
}

} // namespace shell
