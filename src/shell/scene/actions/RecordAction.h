#pragma once
#include <memory>
#include <optional>
#include <string>

#include "shell/scene/SceneAction.h"
#include "shell/scene/SceneField.h"
#include "shell/scene/TouchTarget.h"

namespace shell {

// {"record": {"wav": "hello.wav", "release": "inside" | "outside", "target": TARGET}}:
// the WAV file becomes the microphone, press-to-talk is held for as long as the
// file plays, and the finger lifts on the button (the clip is sent) or after
// dragging away from it (the clip is cancelled). The target defaults to the
// press-to-talk button of either chat style.
class RecordAction final : public SceneAction {
public:
    static std::unique_ptr<SceneAction> read(const SceneField& field);

    RecordAction(std::string field, std::string wavPath, bool releaseInside, std::optional<TouchTarget> target);
    void play(SceneRunner& runner) const override;

private:
    ui::Point locateButton() const;
    // The WAV file's length in seconds; SceneError when it is no regular
    // PCM file the microphone can play, is silent or plays longer than a wait may.
    double playingTime() const;

    std::string m_wavPath;
    bool m_releaseInside;
    std::optional<TouchTarget> m_target;
};

} // namespace shell
