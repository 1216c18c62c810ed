#include "chat/store/HLObjectValue.h"

#include "chat/records/RecordClasses.h"
#include "coding/QYCoder.h"
#include "platform/Log.h"
#include "platform/store/SettingsStore.h"

HLObjectValue::HLObjectValue() { registerRecordClasses(); }

HLObjectValue& HLObjectValue::sharedInstance()
{
    static HLObjectValue* instance = new HLObjectValue;
    return *instance;
}

bool HLObjectValue::hl_setObject(const coding::ObjectPtr& object, const std::string& key)
{
    auto data = coding::QYCoder::dataWithRootObject(object);
    if (!data)
        return true;
    auto& store = platform::SettingsStore::standard();
    if (store.set(key, *data))
        return true;
    m_saveFailure = "cannot save \"" + key + "\" in " + store.path() + ": " + store.lastError();
    platform::log::line("store", *m_saveFailure);
    return false;
}

coding::ObjectPtr HLObjectValue::objectWithKey(const std::string& key) const
{
    auto data = platform::SettingsStore::standard().get(key);
    if (!data)
        return nullptr;
    return coding::QYCoder::objectWithData(*data);
}

coding::ObjectPtr HLObjectValue::hl_objectWithKey(const std::string& key) { return sharedInstance().objectWithKey(key); }

bool hl_setObjectWithKey(const coding::ObjectPtr& object, const std::string& key)
{
    return HLObjectValue::sharedInstance().hl_setObject(object, key);
}
