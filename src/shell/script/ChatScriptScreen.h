#pragma once
#include <memory>
#include <string>
#include <vector>

#include "chat/records/QYChatModel.h"
#include "shell/scene/SceneRunner.h"
#include "shell/script/ChatScript.h"

class QYChatViewController;

namespace shell {

// A script's conversation on the real chat screen, headless: the participants
// go into the store as the preset form saves them, the preset form opens on
// them, the records are made from the values it passes on, and "开始" opens
// the chat screen on the conversation, scrolled to its end.
class ChatScriptScreen {
public:
    // Opens the chat; the caller provides the scratch home the store lives in.
    explicit ChatScriptScreen(const ChatScript& script);
    ~ChatScriptScreen();

    // The screen as it shows now.
    bool writeScreen(const std::string& path);
    // Screenshots from the top of the conversation to its end, each starting
    // at the last whole row of the one before ("page-01.png", ...). Returns
    // the files written, empty on failure.
    std::vector<std::string> writePages(const std::string& folder);
    // Bars, every row and the toolbar in one tall picture at the phone's
    // scale (see ChatLongPicture, which also tells whether it fits).
    bool writeLong(const std::string& path);

    const std::shared_ptr<QYChatViewController>& chat() const { return m_chat; }
    const std::vector<QYChatModelPtr>& records() const { return m_records; }
    // Content offsets of the pages writePages() takes, in points.
    std::vector<double> pageOffsets();

private:
    void scrollTo(double offset);

    SceneRunner m_runner;
    std::shared_ptr<QYChatViewController> m_chat;
    std::vector<QYChatModelPtr> m_records;
};

} // namespace shell
