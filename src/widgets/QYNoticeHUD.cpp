#include "widgets/QYNoticeHUD.h"

#include <algorithm>
#include <cmath>

#include "ui/Animation.h"
#include "ui/Application.h"
#include "ui/graphics/GraphicsContext.h"
#include "ui/graphics/TextLayout.h"
#include "widgets/AppStyle.h"

namespace {

constexpr double kIconSize = 28;
constexpr double kMargin = 16;
constexpr double kMinimumBoxSize = 100;
constexpr double kIconTextGap = 10;

ui::Font statusFont() { return appFont(AppFont::NoticeOverlay); }

ui::AttributedString statusText(const std::string& status)
{
    ui::TextAttributes attributes;
    attributes.font = statusFont();
    attributes.foreground = ui::Color::blackColor();
    ui::ParagraphStyle paragraph;
    paragraph.alignment = ui::TextAlignment::Center;
    attributes.paragraph = paragraph;
    return ui::AttributedString::fromUtf8(status, attributes);
}

} // namespace

std::shared_ptr<QYNoticeHUD> QYNoticeHUD::sharedView()
{
    static std::shared_ptr<QYNoticeHUD> view = std::make_shared<QYNoticeHUD>();
    return view;
}

QYNoticeHUD::QYNoticeHUD()
{
    setUserInteractionEnabled(false);
}

double QYNoticeHUD::displayDurationForString(const std::string& status)
{
    double length = double(ui::toUtf16(status).size());
    return std::min(0.06 * length + 0.5, minimumDismissTimeInterval);
}

void QYNoticeHUD::showInfoWithStatus(const std::string& status) { showImage(Kind::Info, status); }
void QYNoticeHUD::showSuccessWithStatus(const std::string& status) { showImage(Kind::Success, status); }
void QYNoticeHUD::showErrorWithStatus(const std::string& status) { showImage(Kind::Error, status); }

void QYNoticeHUD::showImage(Kind kind, const std::string& status)
{
    double duration = displayDurationForString(status);
    platform::MainQueue::shared().async([kind, status, duration] { sharedView()->show(kind, status, duration); });
}

std::shared_ptr<ui::View> QYNoticeHUD::hitTest(ui::Point)
{
    return nullptr; // never in the way of the screen under it
}

void QYNoticeHUD::show(Kind kind, const std::string& status, double duration)
{
    auto window = ui::Application::shared().keyWindow();
    if (!window)
        return;
    auto self = sharedView();
    m_kind = kind;
    m_status = status;
    m_dismissing = false;
    setFrame(window->bounds());
    bool fresh = superview() != window.get();
    window->addSubview(self); // on top of everything in the key window
    if (fresh)
        ui::Animation::performWithoutAnimation([&] { setAlpha(0); });
    ui::Animation::animate(kFadeDuration, 0, ui::AnimationCurve::EaseOut, [&] { setAlpha(1); });
    setNeedsLayout();
    setNeedsDisplay();
    // A newer message restarts the clock with its own time.
    if (m_fadeOutTimer)
        m_fadeOutTimer->invalidate();
    std::weak_ptr<ui::View> weak = self;
    m_fadeOutTimer = platform::Timer::scheduled(duration, false, [weak](platform::Timer&) {
        if (auto hud = std::static_pointer_cast<QYNoticeHUD>(weak.lock()))
            hud->dismiss();
    });
}

void QYNoticeHUD::dismiss()
{
    m_dismissing = true;
    auto self = sharedView();
    ui::Animation::animate(kFadeDuration, 0, ui::AnimationCurve::EaseIn, [&] { setAlpha(0); }, [self](bool) {
        // A message shown during the fade keeps the box.
        if (self->m_dismissing)
            self->removeFromSuperview();
    });
}

ui::Rect QYNoticeHUD::boxRect() const
{
    ui::Rect b = bounds();
    double maxTextWidth = std::max(0.0, b.width() - 80 - 2 * kMargin);
    ui::Size text;
    if (!m_status.empty()) {
        text = ui::TextLayout::measure(statusText(m_status), maxTextWidth);
        text = { std::ceil(text.width), std::ceil(text.height) };
    }
    double width = std::max(kMinimumBoxSize, text.width + 2 * kMargin);
    double height = kMargin + kIconSize + (m_status.empty() ? 0 : kIconTextGap + text.height) + kMargin;
    height = std::max(height, m_status.empty() ? kMinimumBoxSize : 0.0);
    return { std::round(b.midX() - width / 2), std::round(b.midY() - height / 2), width, height };
}

void QYNoticeHUD::layoutSubviews() { setNeedsDisplay(); }

void QYNoticeHUD::draw(ui::GraphicsContext& context, const ui::Rect&)
{
    ui::Rect box = boxRect();
    // A soft edge so the white box reads on white screens too.
    context.fillRoundedRect(box.insetBy(-1, -1), kCornerRadius + 1, ui::Color::blackColor().withAlpha(0.08));
    context.fillRoundedRect(box, kCornerRadius, ui::Color::whiteColor());

    ui::Color ink = ui::Color::blackColor();
    double iconTop = m_status.empty() ? box.midY() - kIconSize / 2 : box.y() + kMargin;
    ui::Rect icon { box.midX() - kIconSize / 2, iconTop, kIconSize, kIconSize };
    switch (m_kind) {
    case Kind::Info:
        context.beginPath();
        context.addArc(icon.center(), kIconSize / 2 - 1, 0, 2 * M_PI, true);
        context.strokePath(ink, 2);
        context.fillEllipse({ icon.midX() - 1.75, icon.y() + 6, 3.5, 3.5 }, ink);
        context.fillRoundedRect({ icon.midX() - 1.5, icon.y() + 11.5, 3, 10.5 }, 1.5, ink);
        break;
    case Kind::Success:
        context.beginPath();
        context.moveTo({ icon.x() + 3, icon.midY() + 1 });
        context.lineTo({ icon.x() + 11, icon.maxY() - 5 });
        context.lineTo({ icon.maxX() - 2, icon.y() + 5 });
        context.strokePath(ink, 2.5, ui::LineCap::Round, ui::LineJoin::Round);
        break;
    case Kind::Error:
        context.beginPath();
        context.moveTo({ icon.x() + 5, icon.y() + 5 });
        context.lineTo({ icon.maxX() - 5, icon.maxY() - 5 });
        context.moveTo({ icon.maxX() - 5, icon.y() + 5 });
        context.lineTo({ icon.x() + 5, icon.maxY() - 5 });
        context.strokePath(ink, 2.5, ui::LineCap::Round);
        break;
    }
    if (m_status.empty())
        return;
    ui::TextLayout::Options options;
    options.width = box.width() - 2 * kMargin;
    ui::TextLayout layout(statusText(m_status), options);
    context.drawText(layout, { box.x() + kMargin, icon.maxY() + kIconTextGap });
}
