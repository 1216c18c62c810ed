#include "voice/overlay/RIRecordView.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "ui/Animation.h"
#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/Window.h"

namespace {

constexpr double kFadeSeconds = 0.24;
constexpr double kLevelStep = 0.04;

ui::ImagePtr levelImage(int index)
{
    return ui::Image::named("RIVolume_" + std::to_string(index) + ".png");
}

} // namespace

std::shared_ptr<RIRecordView> RIRecordView::defaultManager()
{
    static std::shared_ptr<RIRecordView> shared = std::make_shared<RIRecordView>();
    return shared;
}

RIRecordView::RIRecordView()
{
    auto window = ui::Application::shared().keyWindow();
    setFrame(window ? window->bounds() : ui::Screen::main().bounds());
    setAlpha(0);
    m_voiceHud = std::make_shared<ui::ImageView>(levelImage(0));
    m_voiceHud->setCenter({ bounds().width() / 2, bounds().height() / 2 });
    addSubview(m_voiceHud);
}

void RIRecordView::layoutSubviews()
{
    m_voiceHud->setCenter({ bounds().width() / 2, bounds().height() / 2 });
}

void RIRecordView::show()
{
    auto window = ui::Application::shared().keyWindow();
    if (!window)
        return;
    window->addSubview(sharedView());
    ui::Animation::animate(kFadeSeconds, [this] { setAlpha(1); });
}

void RIRecordView::hide()
{
    removeFromSuperview();
}

int RIRecordView::volumeIndex(float volume)
{
    // The quotient is taken to single precision before the ceiling, so 0.5
    // lands on 13 and 1.0 on 25.
    float steps = float(double(volume) / kLevelStep);
    if (!(steps > 0))
        return 0;
    return int(std::min(std::ceil(steps), float(kLevelCount - 1)));
}

void RIRecordView::setVolume(float volume)
{
    m_voiceHud->setImage(levelImage(volumeIndex(volume)));
}
