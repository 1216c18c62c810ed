#pragma once
#include <memory>
#include <optional>
#include <string>

#include "coding/Object.h"

// The only door to the settings store for records: an object graph is encoded
// before it is saved under a key and decoded afresh on every load, so two loads
// give two distinct graphs. Used on the main thread.
class HLObjectValue {
public:
    // The one instance of the process, made on first use.
    static HLObjectValue& sharedInstance();

    // Encodes `object` and saves it under `key`, replacing the earlier value. When
    // there is nothing to save (nil, or an object the encoder refuses) the earlier
    // value stays. False only when the store could not write (read-only, full
    // disk, no store at all): the caller must tell the user, and the failure is
    // also kept for saveFailure().
    bool hl_setObject(const coding::ObjectPtr& object, const std::string& key);
    // The last save that failed, in words ("CHAT: database or disk is full");
    // headless runs report it. Cleared by clearSaveFailure().
    const std::optional<std::string>& saveFailure() const { return m_saveFailure; }
    void clearSaveFailure() { m_saveFailure.reset(); }
    // The decoded object under `key`; nil when the key holds nothing or its data
    // does not decode (the data then stays in the store untouched).
    coding::ObjectPtr objectWithKey(const std::string& key) const;

    // The class operation the screens use: objectWithKey of the shared instance.
    static coding::ObjectPtr hl_objectWithKey(const std::string& key);
    // The same, typed; nil also when the stored root is of another class.
    template <class T>
    static std::shared_ptr<T> hl_objectWithKey(const std::string& key)
    {
        return std::dynamic_pointer_cast<T>(hl_objectWithKey(key));
    }

private:
    HLObjectValue();

    std::optional<std::string> m_saveFailure;
};

// Saves any object under `key` through the shared instance; false when the
// store could not write it.
bool hl_setObjectWithKey(const coding::ObjectPtr& object, const std::string& key);
