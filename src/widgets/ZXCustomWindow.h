#pragma once
#include <memory>

#include "ui/NotificationCenter.h"
#include "ui/Window.h"

// A screen-sized window at alert level that slides a panel up from below and
// back. A touch outside the panel, or the "hideTopWindow" notification, hides it.
class ZXCustomWindow : public ui::Window {
public:
    explicit ZXCustomWindow(const std::shared_ptr<ui::View>& animationView);
    static std::shared_ptr<ZXCustomWindow> make(const std::shared_ptr<ui::View>& animationView);
    ~ZXCustomWindow() override;

    std::string className() const override { return "ZXCustomWindow"; }

    std::shared_ptr<ui::View> animationView() const { return m_animationView.lock(); }
    double animationTime() const { return m_animationTime; }

    void showWithAnimationTime(double seconds);
    void hideWithAnimationTime(double seconds);

    void touchesBegan(const ui::TouchList& touches) override;

private:
    void observeHideNotification();

    std::weak_ptr<ui::View> m_animationView;
    double m_animationTime = 0;
    ui::NotificationCenter::Token m_observer = 0;
};
