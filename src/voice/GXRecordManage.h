#pragma once
#include <functional>
#include <memory>
#include <string>

#include "voice/VOAmrPlayer.h"
#include "voice/VOAmrRecorder.h"

// What the record manager reports to the chat screen. Both operations are
// optional: the defaults return false to say "not implemented". Both are
// called synchronously on the main queue.
class GXRecordManageDelegate {
public:
    virtual ~GXRecordManageDelegate() = default;
    // A recording has been stopped and converted.
    virtual bool stopRecordHandler(VOAmrRecorder&, const VOAmrFileInfo&) { return false; }
    // The microphone level, 0 to 1, every 10 ms while recording.
    virtual bool recorder(VOAmrRecorder&, float) { return false; }
};

// The app's one entry point to voice clips: a recorder and a player, with
// the recorder's reports passed on to the delegate.
class GXRecordManage final : public VOAmrRecorderDelegate, public std::enable_shared_from_this<GXRecordManage> {
public:
    // The shared instance, made on first use and kept for the rest of the run.
    static std::shared_ptr<GXRecordManage> defaultManager();
    // A separate manager with its own recorder and player.
    static std::shared_ptr<GXRecordManage> make();

    // Routes output away from the loudspeaker, then records for the AMR file.
    void startRecord(const std::string& amrPath);
    // The result arrives later through the delegate.
    void stopRecord();
    // Routes output to the loudspeaker and plays the clip; `finished` runs
    // when it plays to its end by itself. False when nothing could play.
    bool playRecord(const std::string& amrPath, std::function<void()> finished);
    void stopPlay();
    void setSpeakMode(bool loudspeaker);

    VOAmrRecorder& recorder() { return *m_recorder; }
    VOAmrPlayer& player() { return *m_player; }
    void setDelegate(std::weak_ptr<GXRecordManageDelegate> delegate) { m_delegate = std::move(delegate); }

    bool recorder(VOAmrRecorder& recorder, const VOAmrFileInfo& info) override;
    bool recorder(VOAmrRecorder& recorder, float power) override;

private:
    GXRecordManage() = default;

    std::unique_ptr<VOAmrRecorder> m_recorder = std::make_unique<VOAmrRecorder>();
    std::unique_ptr<VOAmrPlayer> m_player = std::make_unique<VOAmrPlayer>();
    std::weak_ptr<GXRecordManageDelegate> m_delegate;
};
