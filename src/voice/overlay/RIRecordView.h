#pragma once
#include <memory>

#include "ui/ImageView.h"
#include "ui/View.h"

// The overlay shown while a voice clip records: a level picture in the middle
// of the screen, chosen from the microphone level. It has no background of
// its own and takes the touches that land on it while shown.
class RIRecordView final : public ui::View {
public:
    static constexpr int kLevelCount = 26;

    // The shared overlay, made on first use over the key window's bounds.
    static std::shared_ptr<RIRecordView> defaultManager();

    RIRecordView();
    std::string className() const override { return "RIRecordView"; }

    // Puts the overlay on top of the key window and fades it in over 0.24 s;
    // after a hide() it stays opaque, so later showings appear at once.
    void show();
    // Takes the overlay off the window at once; nothing when not shown.
    void hide();
    // Shows the picture for the level (0 silence … 1 full scale).
    void setVolume(float volume);

    // Picture index for a level: the ceiling of level / 0.04, kept in 0 … 25.
    static int volumeIndex(float volume);

    const std::shared_ptr<ui::ImageView>& voiceHud() const { return m_voiceHud; }
    void layoutSubviews() override;

private:
    std::shared_ptr<ui::ImageView> m_voiceHud;
};
