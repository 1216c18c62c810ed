#include "app/home/ViewController.h"

#include "app/home/HomeRoutes.h"
#include "widgets/AdBannerView.h"
#include "platform/Log.h"
#include "ui/NavigationController.h"

std::shared_ptr<ui::Button> ViewController::makeHomeButton(const char* imageName, int tag,
    void (ViewController::*action)(ui::Control&))
{
    auto button = ui::Button::make(ui::Button::Type::Custom);
    auto image = ui::Image::named(imageName);
    button->setImage(image);
    button->imageView()->setContentMode(ui::ContentMode::ScaleToFill);
    button->setContentHorizontalAlignment(ui::ContentHorizontalAlignment::Fill);
    button->setContentVerticalAlignment(ui::ContentVerticalAlignment::Fill);
    if (tag)
        button->setTag(tag);
    std::weak_ptr<ui::Responder> weakSelf = shared_from_this();
    button->addAction(ui::TouchUpInside, [weakSelf, action](ui::Control& sender) {
        if (auto self = std::static_pointer_cast<ViewController>(weakSelf.lock()))
            ((*self).*action)(sender);
    });
    return button;
}

void ViewController::viewDidLoad()
{
    setTitle(std::string("截屏工坊"));
    auto root = view();
    root->setBackgroundColor(ui::Color::whiteColor());

    m_scrollView = std::make_shared<ui::ScrollView>(root->bounds());
    m_scrollView->setBackgroundColor(ui::Color::whiteColor());
    m_scrollView->bounces = true;
    m_scrollView->alwaysBounceVertical = true;
    // The column fills what the navigation bar leaves of the screen, so the
    // last button can be scrolled clear of the banner on every phone.
    m_scrollView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    root->addSubview(m_scrollView);

    m_chatButton = makeHomeButton("QYHome_1.png", 100, &ViewController::pushChatAction);
    m_moneyButton = makeHomeButton("QYHome_2.png", 0, &ViewController::pushMoneyAction);
    m_aliChatButton = makeHomeButton("QYHome_5.png", 101, &ViewController::pushChatAction);
    m_balanceButton = makeHomeButton("QYHome_4.png", 0, &ViewController::pushBalanceAction);
    m_selectImage = makeHomeButton("QYHome_3.png", 0, &ViewController::pushImageAction);

    double width = m_scrollView->bounds().width();
    m_contentView = std::make_shared<ui::View>(ui::Rect { 0, 0, width, 0 });
    double y = 0;
    for (auto& button : { m_chatButton, m_moneyButton, m_aliChatButton, m_balanceButton, m_selectImage }) {
        ui::Size size = button->currentImage() ? button->currentImage()->size() : ui::Size {};
        button->setFrame({ (width - size.width) / 2, y, size.width, size.height });
        button->setAutoresizingMask(ui::FlexibleLeftMargin | ui::FlexibleRightMargin);
        m_contentView->addSubview(button);
        y += size.height;
    }
    double contentHeight = y + kBannerHeight;
    m_contentView->setFrame({ 0, 0, width, contentHeight });
    m_contentView->setAutoresizingMask(ui::FlexibleWidth);
    m_scrollView->addSubview(m_contentView);
    m_scrollView->setContentSize({ width, contentHeight });

    // The banner's bottom edge meets the bottom of the screen: the view is
    // still screen-high here, and the bars take 64 points of it.
    m_banner = std::make_shared<AdBannerView>(ui::Rect { 0, root->bounds().height() - kBannerHeight - 44 - 20,
        root->bounds().width(), kBannerHeight });
    // Without advertising the strip stays quiet: the page's own white, so
    // that it does not read as a rendering fault.
    m_banner->setBackgroundColor(ui::Color::whiteColor());
    root->addSubview(m_banner);
    m_bannerHasDelegate = true;
}

void ViewController::viewWillAppear(bool)
{
    auto* navigation = navigationController();
    if (!navigation)
        return;
    navigation->setNavigationBarHidden(false, false);
    auto gesture = navigation->interactivePopGestureRecognizer();
    gesture->setEnabled(true);
    // The home screen lets the swipe back begin only on screens above it.
    gesture->shouldBegin = [navigation](ui::GestureRecognizer&) { return navigation->viewControllers().size() > 1; };
}

void ViewController::viewWillDisappear(bool)
{
    if (m_bannerHasDelegate) {
        platform::log::line("home", "banner released");
        m_bannerHasDelegate = false;
    }
}

void ViewController::push(const std::shared_ptr<ui::ViewController>& screen)
{
    if (!screen)
        return;
    if (auto* navigation = navigationController())
        navigation->pushViewController(screen, true);
}

void ViewController::pushChatAction(ui::Control& sender)
{
    int type = sender.tag() == 100 ? 1 : 2;
    push(HomeRoutes::makeScreen(HomeRoutes::Route::Preset, type));
}

void ViewController::pushMoneyAction(ui::Control&)
{
    push(HomeRoutes::makeScreen(HomeRoutes::Route::WalletChange));
}

void ViewController::pushBalanceAction(ui::Control&)
{
    push(HomeRoutes::makeScreen(HomeRoutes::Route::Balance));
}

void ViewController::pushImageAction(ui::Control&)
{
    push(HomeRoutes::makeScreen(HomeRoutes::Route::Doodle));
}
