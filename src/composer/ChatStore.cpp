#include "composer/ChatStore.h"

#include "chat/store/HLObjectValue.h"

const char* ChatStore::userKey(ChatStyle style)
{
    return isMessenger(style) ? "USERMODEL" : "USERMODELALI";
}

const char* ChatStore::chatKey(ChatStyle style)
{
    return isMessenger(style) ? "CHAT" : "CHATALI";
}

std::shared_ptr<QYUserModel> ChatStore::loadUser(ChatStyle style)
{
    return HLObjectValue::hl_objectWithKey<QYUserModel>(userKey(style));
}

coding::CollectionPtr ChatStore::loadConversation(ChatStyle style)
{
    auto stored = HLObjectValue::hl_objectWithKey<coding::Collection>(chatKey(style));
    if (!stored || stored->count() == 0)
        return nullptr;
    if (stored->type() == coding::CollectionType::Array && stored->isMutable())
        return stored;
    // The list appends to and removes from the collection it is given, which
    // only a growable array allows; anything else is copied into one, rows
    // and order unchanged.
    return coding::Collection::mutableArray(stored->elements());
}

bool ChatStore::saveUser(ChatStyle style, const std::shared_ptr<QYUserModel>& user)
{
    return hl_setObjectWithKey(user, userKey(style));
}

bool ChatStore::saveConversation(ChatStyle style, const coding::CollectionPtr& conversation)
{
    return hl_setObjectWithKey(conversation, chatKey(style));
}
