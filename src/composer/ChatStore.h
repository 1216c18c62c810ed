#pragma once
#include <memory>

#include "chat/records/QYUserModel.h"
#include "coding/Collection.h"

// The participants and the conversation of one chat type in the keyed store:
// "USERMODEL"/"CHAT" for type 1, "USERMODELALI"/"CHATALI" for any other, so
// the two styles never share data.
struct ChatStore {
    static const char* userKey(int type);
    static const char* chatKey(int type);

    // The stored participants; nullptr when none are stored or they do not read.
    static std::shared_ptr<QYUserModel> loadUser(int type);
    // The stored conversation as a list the message list may grow; nullptr when
    // nothing, nothing readable or an empty list is stored.
    static coding::CollectionPtr loadConversation(int type);

    static void saveUser(int type, const std::shared_ptr<QYUserModel>& user);
    static void saveConversation(int type, const coding::CollectionPtr& conversation);
};
