#include "chat/records/RecordClasses.h"

#include "chat/records/QYBlanceModel.h"
#include "chat/records/QYChatModel.h"
#include "chat/records/QYUserModel.h"
#include "coding/ClassRegistry.h"

void registerRecordClasses()
{
    auto& registry = coding::ClassRegistry::shared();
    registry.registerClass(QYChatModel::staticClassInfo());
    registry.registerClass(QYUserModel::staticClassInfo());
    registry.registerClass(QYBlanceModel::staticClassInfo());
}
