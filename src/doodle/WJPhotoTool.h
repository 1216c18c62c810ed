#pragma once
#include <functional>

#include "doodle/WJAsset.h"

// Fetches the newest photo of the album, so that a screenshot just taken can
// be opened in the doodle screen.
class WJPhotoTool {
public:
    // Answers once, on a later turn of the main queue, with the newest picture
    // (by the time it was taken), or nullptr when the album is empty or its
    // newest picture cannot be read.
    static void latestAsset(std::function<void(const WJAssetPtr&)> completion);
    // The same answer, at once.
    static WJAssetPtr latestAssetNow();
};
