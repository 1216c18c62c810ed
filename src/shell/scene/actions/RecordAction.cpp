#include "shell/scene/actions/RecordAction.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/audio/AudioDevice.h"
#include "platform/audio/FileMicrophone.h"
#include "platform/audio/WavReader.h"
#include "shell/scene/SceneError.h"
#include "shell/scene/SceneRunner.h"
#include "shell/scene/actions/WaitAction.h"
#include "ui/Application.h"

namespace shell {

std::unique_ptr<SceneAction> RecordAction::read(const SceneField& field)
{
    if (!field.isObject())
        field.fail("expected {\"wav\": FILE, \"release\": \"inside\" or \"outside\"}");
    field.expectOnlyMembers({ "wav", "release", "target" });
    auto wav = field.member("wav");
    if (!wav)
        field.fail("missing \"wav\": the sound file the microphone hears");
    if (wav->string().empty())
        wav->fail("expected the path of a WAV file");
    std::string path = wav->filePath();
    bool inside = true;
    if (auto release = field.member("release")) {
        std::string where = release->string();
        if (where != "inside" && where != "outside")
            release->fail("expected \"inside\" (send) or \"outside\" (cancel)");
        inside = where == "inside";
    }
    std::optional<TouchTarget> target;
    if (auto member = field.member("target"))
        target = TouchTarget::read(*member);
    return std::make_unique<RecordAction>(field.path(), path, inside, std::move(target));
}

RecordAction::RecordAction(std::string field, std::string wavPath, bool releaseInside, std::optional<TouchTarget> target)
    : SceneAction(std::move(field))
    , m_wavPath(std::move(wavPath))
    , m_releaseInside(releaseInside)
    , m_target(std::move(target))
{
}

ui::Point RecordAction::locateButton() const
{
    if (m_target)
        return m_target->locate(field());
    // The press-to-talk button of either style.
    for (const char* image : { "QYPress.png", "QYPay_Press.png" }) {
        nlohmann::ordered_json json { { "image", image } };
        try {
            return TouchTarget::read(SceneField(json, field() + ".target")).locate(field());
        } catch (const SceneError&) {
        }
    }
    throw SceneError(field(), "no press-to-talk button on screen (switch the toolbar to voice first)");
}

double RecordAction::playingTime() const
{
    const std::string& path = m_wavPath;
    // A pipe or device would block or never end; only a file has a known length.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw SceneError(field(), "cannot read the sound file " + path + " (expected a PCM WAV file, not a folder, pipe or device)");
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file)
        throw SceneError(field(), "cannot open the sound file " + path);
    platform::WavReader reader(file.get());
    if (!reader.open() || !reader.format() || !reader.duration())
        throw SceneError(field(), "cannot read the sound file " + path + " (expected a PCM WAV file)");
    const auto& format = *reader.format();
    // Anything else would be heard as silence and leave no voice message.
    if ((format.formatTag != 1 && format.formatTag != 0xFFFE) || !platform::WavReader::isSupportedLayout(format.channels, format.bitsPerSample))
        throw SceneError(field(), "the sound file " + path + " is " + std::to_string(format.bitsPerSample) + "-bit, "
                + std::to_string(format.channels) + "-channel audio (expected 8- or 16-bit PCM, mono or stereo)");
    double seconds = *reader.duration();
    if (seconds <= 0)
        throw SceneError(field(), "the sound file " + path + " holds no sound");
    if (seconds > WaitAction::kLongestWait)
        throw SceneError(field(), "the sound file " + path + " plays for " + std::to_string(long(seconds))
                + " seconds (at most 3600, as for wait)");
    return seconds;
}

void RecordAction::play(SceneRunner& runner) const
{
    const std::string& path = m_wavPath;
    double duration = playingTime();
    auto microphone = std::make_shared<platform::FileMicrophone>(path);
    ui::Point point = locateButton();
    auto previous = platform::AudioDevice::microphone();
    platform::AudioDevice::setMicrophone(microphone);
    auto& app = ui::Application::shared();
    app.touchDown(point);
    runner.pass(duration);
    if (m_releaseInside) {
        app.touchUp(point);
    } else {
        // Far enough away that the finger is no longer on the button.
        ui::Point away { point.x, std::max(0.0, point.y - 200) };
        app.touchMove(away);
        app.touchUp(away);
    }
    // The finished clip is reported on the next turns of the queue.
    runner.pass(0.1);
    platform::AudioDevice::setMicrophone(previous);
}

} // namespace shell
