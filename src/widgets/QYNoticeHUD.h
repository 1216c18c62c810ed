#pragma once
#include <memory>
#include <string>

#include "platform/MainQueue.h"
#include "ui/View.h"

// The app's one transient message overlay: a small white rounded box in the
// middle of the key window with an icon and one line of text. It fades in,
// stays for a time set by the text's length, and fades out by itself. It takes
// no touches: the screen under it stays fully usable.
class QYNoticeHUD : public ui::View {
public:
    enum class Kind { Info, Success, Error };

    static constexpr double kCornerRadius = 14;
    static constexpr double kFadeDuration = 0.15;
    static inline double minimumDismissTimeInterval = 5.0;

    static std::shared_ptr<QYNoticeHUD> sharedView();

    // Each shows its kind's icon with the text, on the next turn of the main
    // queue (callers may be anywhere).
    static void showInfoWithStatus(const std::string& status);
    static void showSuccessWithStatus(const std::string& status);
    static void showErrorWithStatus(const std::string& status);
    static void showImage(Kind kind, const std::string& status);
    // 0.06 s per character plus 0.5 s, at most minimumDismissTimeInterval.
    static double displayDurationForString(const std::string& status);

    QYNoticeHUD();
    std::string className() const override { return "QYNoticeHUD"; }

    bool isVisible() const { return superview() && !m_dismissing; }
    Kind kind() const { return m_kind; }
    const std::string& status() const { return m_status; }

    std::shared_ptr<ui::View> hitTest(ui::Point point) override;
    void layoutSubviews() override;
    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override;
    std::string debugText() const override { return m_status; }

private:
    void show(Kind kind, const std::string& status, double duration);
    void dismiss();
    ui::Rect boxRect() const;

    Kind m_kind = Kind::Info;
    std::string m_status;
    bool m_dismissing = false;
    std::shared_ptr<platform::Timer> m_fadeOutTimer;
};
