#include "money/bill/AliBillViewController.h"

#include "money/common/MoneyAmountText.h"
#include "money/common/MoneyBackButton.h"
#include "money/common/MoneyBackground.h"
#include "money/common/MoneyBarLook.h"
#include "money/common/MoneyLabel.h"
#include "money/common/MoneyScreen.h"
#include "platform/Locale.h"
#include "ui/GestureRecognizer.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Screen.h"
#include "widgets/QYNoticeHUD.h"

namespace {

std::optional<std::string> textOf(const coding::StringPtr& text)
{
    return text ? std::optional(text->utf8()) : std::nullopt;
}

ui::ImagePtr pictureOf(const coding::DataPtr& data)
{
    return data ? ui::Image::fromData(data->bytes()) : nullptr;
}

} // namespace

std::shared_ptr<ui::Label> AliBillViewController::greyLabel(const std::string& text)
{
    auto label = MoneyLabel::make(text, ui::Font::system(14), ui::Color::rgb(153, 153, 153));
    MoneyLabel::fit(*label, ui::Screen::main().size().width);
    return label;
}

void AliBillViewController::viewDidLoad()
{
    initNavigation();
    initUI();
}

void AliBillViewController::viewWillAppear(bool)
{
    MoneyBarLook {}.applyTo(*this);
}

void AliBillViewController::initNavigation()
{
    setTitle("账单详情");
    // Bars made from now on take the payment app's dark tint.
    ui::NavigationBarAppearance::defaults().barTintColor = ui::Color::rgb(58, 58, 58);

    m_moreButton = ui::Button::make();
    m_moreButton->setFrame({ 0, 0, 30, 30 });
    m_moreButton->setTitle("更多");
    m_moreButton->titleLabel()->setFont(ui::Font::system(14));
    m_moreButton->addAction(ui::TouchUpInside, [](ui::Control&) { QYNoticeHUD::showInfoWithStatus("点击名字可修改"); });
    navigationItem().rightBarButtonItem = ui::BarButtonItem::withCustomView(m_moreButton);

    m_backButton = MoneyBackButton::installPopping(*this, { .image = "QYPay_Arrow.png", .width = 87, .titleFontSize = 14 });
}

void AliBillViewController::initUI()
{
    auto root = view();
    double width = root->bounds().width();
    bool outgoing = isOutgoing();
    auto model = m_model ? m_model : QYChatModel::make();

    m_background = MoneyBackground::fill(*root, MoneyScreen::pictureName(outgoing ? "QYPay_Transfer_Setails.png" : "QYPay_Transfer_Setails_2.png"));
    m_background->setUserInteractionEnabled(true);

    std::string amount = MoneyAmountText::billAmount(textOf(model->redPac()), outgoing ? "-" : "+");
    m_numString = MoneyLabel::make(amount, ui::Font::named("Helvetica-Light", 55), ui::Color::rgb(51, 51, 51));
    m_numString->setOrigin({ 18, 53 });
    MoneyLabel::fit(*m_numString, width - 18);
    root->addSubview(m_numString);

    m_avatar = std::make_shared<ui::ImageView>(ui::Rect { 15, m_numString->frame().maxY() + 38, 39, 39 });
    m_avatar->setCornerRadius(2);
    m_avatar->setClipsToBounds(true);
    m_avatar->setContentMode(ui::ContentMode::ScaleAspectFill);
    m_avatar->setImage(pictureOf(outgoing ? model->receiveAvatar() : model->avatar()));
    root->addSubview(m_avatar);

    // The counterparty: the sender of an incoming transfer, the receiver of an outgoing one.
    auto name = textOf(outgoing ? model->heNickName() : model->nickName());
    if (name && name->empty())
        name = "点我修改";
    m_nickName = MoneyLabel::make(name, ui::Font::system(15));
    double nameX = m_avatar->frame().maxX() + 8;
    double nameHeight = m_nickName->font().lineHeight();
    m_nickName->setFrame({ nameX, m_avatar->frame().midY() - nameHeight / 2, width - 10 - nameX, nameHeight });
    m_nickName->setUserInteractionEnabled(true);
    std::weak_ptr<ui::ViewController> weak = sharedController();
    m_nickName->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>([weak](ui::GestureRecognizer& tap) {
        if (tap.state() != ui::GestureRecognizer::State::Ended)
            return;
        if (auto self = std::static_pointer_cast<AliBillViewController>(weak.lock()))
            self->editNickName();
    }));
    root->addSubview(m_nickName);

    double timeTop = addPaymentLine(*root, m_avatar->frame().maxY());
    std::optional<std::string> created;
    if (model->creatDate())
        created = platform::locale::formatDate(model->creatDate()->secondsSince1970(), "yyyy-MM-dd HH:mm");
    m_creatTime = greyLabel(created.value_or(""));
    m_creatTime->setOrigin({ 87, timeTop });
    root->addSubview(m_creatTime);
}

void AliBillViewController::editNickName()
{
    auto* navigation = navigationController();
    if (!navigation)
        return;
    auto editor = std::make_shared<QYEditNickNameViewController>();
    editor->setNickName(m_nickName->text());
    m_editorDelegate = std::make_shared<QYEditNickNameViewControllerDelegate>();
    std::weak_ptr<ui::Label> label = m_nickName;
    // An emptied field keeps the name shown.
    m_editorDelegate->doneNickName = [label](const std::string& text) {
        if (auto name = label.lock(); name && !text.empty())
            name->setText(text);
    };
    editor->setDelegate(m_editorDelegate);
    navigation->pushViewController(editor, true);
}
