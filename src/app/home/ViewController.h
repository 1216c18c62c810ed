#pragma once
#include <memory>

#include "ui/Button.h"
#include "ui/ScrollView.h"
#include "ui/ViewController.h"

// The home screen: a scrolling column of five picture buttons, one per tool,
// over an (empty) 48-point banner strip at the bottom of the screen.
class ViewController : public ui::ViewController {
public:
    static constexpr double kBannerHeight = 48;

    std::string className() const override { return "ViewController"; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    void pushChatAction(ui::Control& sender);
    void pushMoneyAction(ui::Control& sender);
    void pushBalanceAction(ui::Control& sender);
    void pushImageAction(ui::Control& sender);

    const std::shared_ptr<ui::ScrollView>& scrollView() const { return m_scrollView; }
    const std::shared_ptr<ui::View>& bannerView() const { return m_banner; }
    std::shared_ptr<ui::Button> chatButton() const { return m_chatButton; }
    std::shared_ptr<ui::Button> moneyButton() const { return m_moneyButton; }
    std::shared_ptr<ui::Button> aliChatButton() const { return m_aliChatButton; }
    std::shared_ptr<ui::Button> balanceButton() const { return m_balanceButton; }
    std::shared_ptr<ui::Button> selectImage() const { return m_selectImage; }
    // Whether the banner still has its delegate (dropped on the first disappearance).
    bool bannerHasDelegate() const { return m_bannerHasDelegate; }

private:
    std::shared_ptr<ui::Button> makeHomeButton(const char* imageName, int tag, void (ViewController::*action)(ui::Control&));
    void push(const std::shared_ptr<ui::ViewController>& screen);

    std::shared_ptr<ui::ScrollView> m_scrollView;
    std::shared_ptr<ui::View> m_contentView;
    std::shared_ptr<ui::View> m_banner;
    bool m_bannerHasDelegate = false;
    std::shared_ptr<ui::Button> m_chatButton;
    std::shared_ptr<ui::Button> m_moneyButton;
    std::shared_ptr<ui::Button> m_aliChatButton;
    std::shared_ptr<ui::Button> m_balanceButton;
    std::shared_ptr<ui::Button> m_selectImage;
};
