#pragma once
#include <memory>
#include <string>

#include "chat/records/QYChatModel.h"
#include "money/bill/QYEditNickNameViewController.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ViewController.h"

using QYChatModelPtr = std::shared_ptr<QYChatModel>;

// The payment-app bill detail of a transfer, shared by the incoming and the
// outgoing page: the amount with its "+" or "-", the counterparty's avatar and
// name, and the creation time. A tap on the name edits it through the nickname
// editor; the edit changes only this page, never the message.
class AliBillViewController : public ui::ViewController {
public:
    // The tapped transfer, set before the page is shown.
    const QYChatModelPtr& model() const { return m_model; }
    void setModel(QYChatModelPtr model) { m_model = std::move(model); }

    const std::shared_ptr<ui::ImageView>& backgroundView() const { return m_background; }
    const std::shared_ptr<ui::Label>& numString() const { return m_numString; }
    const std::shared_ptr<ui::ImageView>& avatar() const { return m_avatar; }
    const std::shared_ptr<ui::Label>& nickName() const { return m_nickName; }
    const std::shared_ptr<ui::Label>& creatTime() const { return m_creatTime; }
    const std::shared_ptr<ui::Button>& backButton() const { return m_backButton; }
    const std::shared_ptr<ui::Button>& moreButton() const { return m_moreButton; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    // Opens the nickname editor on the name shown.
    void editNickName();

protected:
    // What tells the two pages apart.
    virtual bool isOutgoing() const = 0;
    // The outgoing page's payment line, between the avatar and the time; returns
    // the y where the time label goes.
    virtual double addPaymentLine(ui::View&, double avatarBottom) { return avatarBottom + 128; }

    static std::shared_ptr<ui::Label> greyLabel(const std::string& text);

private:
    void initNavigation();
    void initUI();

    QYChatModelPtr m_model;
    std::shared_ptr<ui::ImageView> m_background;
    std::shared_ptr<ui::Label> m_numString;
    std::shared_ptr<ui::ImageView> m_avatar;
    std::shared_ptr<ui::Label> m_nickName;
    std::shared_ptr<ui::Label> m_creatTime;
    std::shared_ptr<ui::Button> m_backButton;
    std::shared_ptr<ui::Button> m_moreButton;
    std::shared_ptr<QYEditNickNameViewControllerDelegate> m_editorDelegate;
};
