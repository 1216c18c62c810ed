#include "ui/MenuController.h"

#include <algorithm>

#include "ui/Animation.h"
#include "ui/Application.h"
#include "ui/MenuCalloutView.h"
#include "ui/MenuWindow.h"
#include "ui/Screen.h"

namespace ui {

static constexpr double kStatusBarHeight = 20;

MenuController& MenuController::shared()
{
    static MenuController controller;
    return controller;
}

MenuController::MenuController() = default;

const std::vector<MenuItem>& MenuController::standardItems()
{
    static const std::vector<MenuItem> items {
        { "剪切", "cut" },
        { "拷贝", "copy" },
        { "粘贴", "paste" },
        { "选择", "select" },
        { "全选", "selectAll" },
        { "删除", "delete" },
    };
    return items;
}

void MenuController::setMenuItems(std::vector<MenuItem> items)
{
    if (m_items == items)
        return;
    m_items = std::move(items);
    if (isMenuVisible())
        update();
}

void MenuController::setTargetRect(const Rect& rect, View* view)
{
    m_targetRect = rect;
    m_targetView = view ? view->sharedView() : std::shared_ptr<View>();
}

void MenuController::ensureWindow()
{
    if (m_window && m_window->bounds() == Screen::main().bounds())
        return;
    m_window = std::make_shared<MenuWindow>();
    m_callout = std::make_shared<MenuCalloutView>();
    m_window->setMenuView(m_callout);
    m_window->touchedOutside = [this] { setMenuVisible(false, true); };
    m_callout->itemTapped = [this](int index) { itemTapped(index); };
}

bool MenuController::isMenuVisible() const
{
    if (!m_visible || !m_window)
        return false;
    // A fresh start of the application drops every window, this one too.
    auto windows = Application::shared().windows();
    return std::find(windows.begin(), windows.end(), m_window) != windows.end();
}

bool MenuController::layoutCallout()
{
    auto responder = Application::shared().firstResponder();
    auto view = m_targetView.lock();
    m_shown.clear();
    if (!responder || !view || !view->window())
        return false;
    const std::vector<MenuItem>* lists[] = { &standardItems(), &m_items };
    for (const auto* list : lists) {
        for (auto& item : *list) {
            if (responder->canPerformAction(item.action))
                m_shown.push_back(item);
        }
    }
    if (m_shown.empty())
        return false;
    std::vector<std::string> titles;
    for (auto& item : m_shown)
        titles.push_back(item.title);
    m_callout->setTitles(titles);

    Rect target = view->convertRectTo(m_targetRect, nullptr).offsetBy(view->window()->x(), view->window()->y());
    Size screen = Screen::main().size();
    Size size = m_callout->sizeThatFits(screen);
    size.width = std::min(size.width, screen.width - 2 * kScreenMargin);
    // Above the target, pointing down, when the bar fits under the status bar;
    // else below it pointing up; else inside the target's visible part.
    bool down = true;
    double y = target.minY() - size.height;
    if (y < kStatusBarHeight) {
        down = false;
        y = target.maxY();
        if (y + size.height > screen.height) {
            double top = std::max(target.minY(), kStatusBarHeight);
            double bottom = std::min(target.maxY(), screen.height);
            y = std::clamp((top + bottom) / 2 - size.height / 2, kStatusBarHeight, screen.height - size.height);
        }
    }
    double x = std::clamp(target.midX() - size.width / 2, kScreenMargin, screen.width - kScreenMargin - size.width);
    double tip = std::clamp(target.midX(), x + MenuCalloutView::kCornerRadius + MenuCalloutView::kArrowWidth / 2,
        x + size.width - MenuCalloutView::kCornerRadius - MenuCalloutView::kArrowWidth / 2);
    m_callout->setFrame({ x, y, size.width, size.height });
    m_callout->setArrow(down, tip - x);
    return true;
}

void MenuController::setMenuVisible(bool visible, bool animated)
{
    if (!visible) {
        if (!isMenuVisible()) {
            m_visible = false;
            return;
        }
        // A fade already under way finishes; only a later show cancels it.
        ++m_generation;
        m_visible = false;
        auto window = m_window;
        window->setUserInteractionEnabled(false);
        auto finish = [window] {
            window->setHidden(true);
            Application::shared().removeWindow(window.get());
        };
        if (!animated) {
            finish();
            return;
        }
        unsigned generation = m_generation;
        Animation::animate(kShowDuration, 0, AnimationCurve::EaseIn, [&] { m_callout->setAlpha(0); },
            [this, generation, finish](bool) {
                if (generation == m_generation)
                    finish();
            });
        return;
    }
    ++m_generation;
    ensureWindow();
    if (!layoutCallout()) {
        setMenuVisible(false, false);
        return;
    }
    m_visible = true;
    m_window->setUserInteractionEnabled(true);
    m_window->setHidden(false);
    // Shown without becoming key: typed text keeps going to the first responder.
    Application::shared().addWindow(m_window);
    if (animated) {
        Animation::performWithoutAnimation([&] { m_callout->setAlpha(0); });
        Animation::animate(kShowDuration, 0, AnimationCurve::EaseOut, [&] { m_callout->setAlpha(1); });
    } else {
        Animation::performWithoutAnimation([&] { m_callout->setAlpha(1); });
    }
}

void MenuController::update()
{
    if (!isMenuVisible())
        return;
    if (!layoutCallout())
        setMenuVisible(false, false);
}

Rect MenuController::menuFrame() const
{
    return m_callout ? m_callout->frame() : Rect {};
}

bool MenuController::arrowPointsDown() const
{
    return m_callout && m_callout->arrowPointsDown();
}

void MenuController::itemTapped(int index)
{
    if (index < 0 || size_t(index) >= m_shown.size() || !isMenuVisible())
        return;
    MenuItem item = m_shown[size_t(index)];
    setMenuVisible(false, true);
    auto responder = Application::shared().firstResponder();
    if (responder && responder->canPerformAction(item.action))
        responder->performAction(item.action);
}

} // namespace ui
