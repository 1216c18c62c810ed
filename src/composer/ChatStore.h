#pragma once
#include <memory>

#include "chat/records/ChatStyle.h"
#include "chat/records/QYUserModel.h"
#include "coding/Collection.h"

// The participants and the conversation of one chat type in the keyed store:
// "USERMODEL"/"CHAT" for the messenger style, "USERMODELALI"/"CHATALI" for any other, so
// the two styles never share data.
struct ChatStore {
    static const char* userKey(ChatStyle style);
    static const char* chatKey(ChatStyle style);

    // The stored participants; nullptr when none are stored or they do not read.
    static std::shared_ptr<QYUserModel> loadUser(ChatStyle style);
    // The stored conversation as a list the message list may grow; nullptr when
    // nothing, nothing readable or an empty list is stored.
    static coding::CollectionPtr loadConversation(ChatStyle style);

    // False when the store could not write the value.
    static bool saveUser(ChatStyle style, const std::shared_ptr<QYUserModel>& user);
    static bool saveConversation(ChatStyle style, const coding::CollectionPtr& conversation);
};
