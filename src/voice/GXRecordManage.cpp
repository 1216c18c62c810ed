#include "voice/GXRecordManage.h"

#include "platform/Log.h"

std::shared_ptr<GXRecordManage> GXRecordManage::defaultManager()
{
    static std::shared_ptr<GXRecordManage> shared = make();
    return shared;
}

std::shared_ptr<GXRecordManage> GXRecordManage::make()
{
    std::shared_ptr<GXRecordManage> manager(new GXRecordManage());
    manager->m_recorder->setDelegate(manager);
    return manager;
}

void GXRecordManage::startRecord(const std::string& amrPath)
{
    m_recorder->setSpeakMode(false);
    m_recorder->recordWithURL(amrPath);
}

void GXRecordManage::stopRecord()
{
    m_recorder->stop();
}

bool GXRecordManage::playRecord(const std::string& amrPath, std::function<void()> finished)
{
    m_player->setSpeakMode(true);
    return m_player->playWithURL(amrPath, std::move(finished));
}

void GXRecordManage::stopPlay()
{
    m_player->stop();
}

void GXRecordManage::setSpeakMode(bool loudspeaker)
{
    m_player->setSpeakMode(loudspeaker);
}

bool GXRecordManage::recorder(VOAmrRecorder& recorder, const VOAmrFileInfo& info)
{
    platform::log::line("voice",
        "recorded " + info.fileUrl + ", " + std::to_string(info.fileSize) + " bytes, " + std::to_string(info.duration) + " s");
    if (auto delegate = m_delegate.lock())
        delegate->stopRecordHandler(recorder, info);
    return true;
}

bool GXRecordManage::recorder(VOAmrRecorder& recorder, float power)
{
    if (auto delegate = m_delegate.lock())
        delegate->recorder(recorder, power);
    return true;
}
