#pragma once
#include <memory>
#include <string>

#include "chat/records/QYBlanceModel.h"
#include "chat/records/QYChatModel.h"
#include "chat/records/QYUserModel.h"
#include "coding/Collection.h"

namespace chattest {

// A conversation as the chat screen makes it: each speaker's avatar and nickname
// are shared by the records of that speaker; one record of every kind.
std::shared_ptr<coding::Collection> conversationOfEveryKind(int styleType);
std::shared_ptr<QYUserModel> participants();
std::shared_ptr<QYBlanceModel> balance();

// Expects every property of the two records to hold equal values.
void expectSameRecord(const QYChatModel& a, const QYChatModel& b);

// A fresh temporary home folder for the process, removed again on destruction.
class TemporaryHome {
public:
    TemporaryHome();
    ~TemporaryHome();
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace chattest
