#include "composer/ChatStore.h"

#include "chat/store/HLObjectValue.h"

const char* ChatStore::userKey(int type)
{
    return type == 1 ? "USERMODEL" : "USERMODELALI";
}

const char* ChatStore::chatKey(int type)
{
    return type == 1 ? "CHAT" : "CHATALI";
}

std::shared_ptr<QYUserModel> ChatStore::loadUser(int type)
{
    return HLObjectValue::hl_objectWithKey<QYUserModel>(userKey(type));
}

coding::CollectionPtr ChatStore::loadConversation(int type)
{
    auto stored = HLObjectValue::hl_objectWithKey<coding::Collection>(chatKey(type));
    if (!stored || stored->count() == 0)
        return nullptr;
    if (stored->type() == coding::CollectionType::Array && stored->isMutable())
        return stored;
    // The list appends to and removes from the collection it is given, which
    // only a growable array allows; anything else is copied into one, rows
    // and order unchanged.
    return coding::Collection::mutableArray(stored->elements());
}

void ChatStore::saveUser(int type, const std::shared_ptr<QYUserModel>& user)
{
    hl_setObjectWithKey(user, userKey(type));
}

void ChatStore::saveConversation(int type, const coding::CollectionPtr& conversation)
{
    hl_setObjectWithKey(conversation, chatKey(type));
}
