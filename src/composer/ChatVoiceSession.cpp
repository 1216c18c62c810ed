#include "composer/ChatVoiceSession.h"

#include "composer/ChatVoiceClip.h"
#include "voice/GXRecordManage.h"
#include "voice/overlay/RIRecordView.h"

void ChatVoiceSession::start()
{
    RIRecordView::defaultManager()->show();
    m_cancelled = false;
    m_voicePath = ChatVoiceClip::newPath();
    GXRecordManage::defaultManager()->startRecord(*m_voicePath);
}

void ChatVoiceSession::finish()
{
    RIRecordView::defaultManager()->hide();
    GXRecordManage::defaultManager()->stopRecord();
}

void ChatVoiceSession::cancel()
{
    RIRecordView::defaultManager()->hide();
    GXRecordManage::defaultManager()->stopRecord();
    // The clip is written only when the recorder reports it, so the report
    // must know that it is not wanted; removing now covers an earlier file.
    m_cancelled = true;
    removeClip();
}

std::optional<ChatVoiceSession::Clip> ChatVoiceSession::take(const VOAmrFileInfo& info)
{
    RIRecordView::defaultManager()->hide();
    if (m_cancelled || info.duration < kMinimumDuration) {
        m_cancelled = false;
        removeClip();
        // The reported file is the one just written; it goes even when the
        // session no longer names it.
        ChatVoiceClip::remove(info.fileUrl);
        return std::nullopt;
    }
    // The reported file is the clip that was written; it is the session's
    // own path unless a new press came before the report.
    std::string path = info.fileUrl.empty() ? m_voicePath.value_or("") : info.fileUrl;
    if (path.empty())
        return std::nullopt;
    m_fileInfo = info;
    return Clip { std::move(path), info.duration };
}

void ChatVoiceSession::showLevel(float power)
{
    RIRecordView::defaultManager()->setVolume(power);
}

void ChatVoiceSession::removeClip()
{
    if (m_voicePath && ChatVoiceClip::remove(*m_voicePath))
        m_voicePath.reset();
}
