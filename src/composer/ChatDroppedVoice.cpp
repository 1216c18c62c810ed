#include "composer/ChatDroppedVoice.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "composer/ChatVoiceClip.h"
#include "platform/Folders.h"
#include "platform/audio/VoiceWavFile.h"
#include "voice/AmrConversion.h"

namespace fs = std::filesystem;

static std::string lowercaseExtension(const std::string& path)
{
    std::string extension = fs::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

bool ChatDroppedVoice::isVoiceFile(const std::string& path)
{
    std::string extension = lowercaseExtension(path);
    return extension == ".wav" || extension == ".amr";
}

std::optional<ChatVoiceSession::Clip> ChatDroppedVoice::importClip(const std::string& path, std::string& whyNot)
{
    std::string amr = ChatVoiceClip::newPath();
    std::string copy = amr + ".wav";
    auto fail = [&](std::string reason) -> std::optional<ChatVoiceSession::Clip> {
        whyNot = std::move(reason);
        std::error_code error;
        fs::remove(amr, error);
        fs::remove(copy, error);
        return std::nullopt;
    };
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return fail("not a file: " + path);
    if (!platform::folders::makeFolders(fs::path(amr).parent_path().string()))
        return fail("cannot make the audio folder for " + amr);

    int frames = 0;
    if (lowercaseExtension(path) == ".wav") {
        if (!platform::VoiceWavFile::convert(path, copy, whyNot))
            return fail(whyNot);
        frames = encodeWavFileToAmr(copy, amr, 1, 16).frames;
    } else {
        // The clip is the file itself; decoding it proves it is one and
        // makes the copy that playback wants.
        if (!fs::copy_file(path, amr, fs::copy_options::overwrite_existing, error))
            return fail("cannot copy " + path + ": " + error.message());
        AmrConversionResult decoded = decodeAmrFileToWav(amr, copy);
        if (decoded.error && decoded.frames == 0)
            return fail(path + " is not an AMR voice clip: " + decoded.error->message);
        frames = decoded.frames;
    }
    double duration = frames * 20 / 1000.0;
    if (frames <= 0)
        return fail(path + " holds no sound");
    if (duration < ChatVoiceSession::kMinimumDuration)
        return fail(path + " is shorter than a second");
    return ChatVoiceSession::Clip { amr, duration };
}
