#include "money/redpacket/QYRedPacViewController.h"

#include "money/common/MoneyTitleView.h"
#include "money/redpacket/RedPacketAmountFilter.h"
#include "money/redpacket/RedPacketAmountText.h"
#include "ui/Animation.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Screen.h"

namespace {

const ui::Color kGold = ui::Color::rgb(253, 220, 162);

// Tops of the form's parts by screen class: small (480), middle (568), large.
struct FormTops {
    double amount, blessing, preview;
};

FormTops formTops()
{
    double height = ui::Screen::main().size().height;
    if (height == 480)
        return { 33, 90, 160 };
    if (height == 568)
        return { 46, 110, 210 };
    return { 58, 135, 210 };
}

constexpr double kAmountRightInset = 60;
constexpr double kAmountWidth = 150;
constexpr double kFieldHeight = 30;
constexpr double kBlessingInset = 27;
constexpr double kButtonInset = 17;
constexpr double kButtonHeight = 45;
constexpr double kButtonGap = 20;

} // namespace

std::weak_ptr<QYRedPacViewController> QYRedPacViewController::weakThis()
{
    return std::static_pointer_cast<QYRedPacViewController>(shared_from_this());
}

std::string QYRedPacViewController::defaultBlessing(int style)
{
    return style == 1 ? "恭喜发财，大吉大利！" : "恭喜发财，万事如意！";
}

void QYRedPacViewController::viewDidLoad()
{
    view()->setBackgroundColor(ui::Color::rgb(255, 249, 243));
    initNavigationItems();
    initUI();
}

void QYRedPacViewController::viewWillAppear(bool)
{
    auto* navigation = navigationController();
    if (!navigation)
        return;
    auto bar = navigation->navigationBar();
    // The form is laid out from under the bar, in a stack of its own.
    bar->setTranslucent(false);
    bar->setBackgroundImage(ui::Image::named("QYMoney_Navigation_bar_2.png"));
    bar->setTintColor(kGold);
}

void QYRedPacViewController::initNavigationItems()
{
    auto weak = weakThis();
    navigationItem().leftBarButtonItem = ui::BarButtonItem::withTitle("关闭", [weak] {
        if (auto self = weak.lock())
            self->close();
    });
    auto help = ui::Button::make();
    help->setFrame({ 0, 0, 25, 30 });
    help->setImage(ui::Image::named("QYInterrogation.png"));
    help->setAdjustsImageWhenHighlighted(false);
    navigationItem().rightBarButtonItem = ui::BarButtonItem::withCustomView(help);
    if (m_style == 1) {
        navigationItem().titleView = std::make_shared<MoneyTitleView>(150, "发红包", "微信安全支付", kGold);
    } else {
        setTitle("个人红包");
    }
}

void QYRedPacViewController::initUI()
{
    auto root = view();
    double width = root->bounds().width();
    double screenHeight = ui::Screen::main().size().height;
    FormTops tops = formTops();

    m_backgroundView = std::make_shared<ui::ImageView>(root->bounds());
    m_backgroundView->setImage(ui::Image::named(screenHeight == 480 ? "QYMoney_iphone4.png" : "QYMoney.png"));
    m_backgroundView->setAutoresizingMask(ui::FlexibleWidth | ui::FlexibleHeight);
    root->addSubview(m_backgroundView);

    auto weak = weakThis();
    m_textPr = std::make_shared<ui::TextField>(ui::Rect { width - kAmountRightInset - kAmountWidth, tops.amount, kAmountWidth, kFieldHeight });
    m_textPr->setPlaceholder("填写金额");
    m_textPr->keyboardType = ui::KeyboardType::DecimalPad;
    m_textPr->setTextAlignment(ui::TextAlignment::Right);
    auto filter = std::make_shared<RedPacketAmountFilter>(m_style == 1 ? RedPacketAmountFilter::Style::Messenger : RedPacketAmountFilter::Style::PaymentApp);
    m_textPr->shouldChangeCharacters = [filter](ui::TextField& field, ui::Range range, const std::u16string& replacement) {
        return filter->shouldChange(field.text(), range, replacement);
    };
    root->addSubview(m_textPr);

    m_context = std::make_shared<ui::TextField>(ui::Rect { kBlessingInset, tops.blessing, width - 2 * kBlessingInset, kFieldHeight });
    m_context->setPlaceholder(m_style == 1 ? "恭喜发财，大吉大利!" : "恭喜发财，万事如意!");
    root->addSubview(m_context);

    for (const auto& field : { m_textPr, m_context }) {
        field->shouldReturn = [weak](ui::TextField& editing) {
            editing.resignFirstResponder();
            if (auto self = weak.lock())
                self->moveTo(kRestingY);
            return true;
        };
    }
    m_textPr->addAction(ui::EditingDidBegin, [weak](ui::Control&) {
        if (auto self = weak.lock())
            self->moveTo(ui::Screen::main().size().height == 480 ? 35 : 25);
    });
    m_context->addAction(ui::EditingDidBegin, [weak](ui::Control&) {
        if (auto self = weak.lock())
            self->moveTo(-20);
    });
    m_textPr->addAction(ui::AllEditingEvents, [weak](ui::Control&) {
        if (auto self = weak.lock())
            self->amountDidChange();
    });

    m_redPac = std::make_shared<ui::Label>();
    m_redPac->setTextAlignment(ui::TextAlignment::Center);
    m_redPac->setFont(RedPacketAmountText::font());
    m_redPac->setAttributedText(RedPacketAmountText::initial());
    double previewHeight = m_redPac->sizeThatFits({}).height;
    m_redPac->setFrame({ 0, tops.preview, width, previewHeight });
    root->addSubview(m_redPac);

    m_sendRed = ui::Button::make();
    m_sendRed->setFrame({ kButtonInset, m_redPac->frame().maxY() + kButtonGap, width - 2 * kButtonInset, kButtonHeight });
    if (m_style == 1) {
        m_sendRed->setCornerRadius(5);
        m_sendRed->setClipsToBounds(true);
        m_sendRed->setTitle("塞钱进钱包");
        m_sendRed->setBackgroundImage(ui::Image::named("QYMoney_Button_Selected.png"));
        m_sendRed->setBackgroundImage(ui::Image::named("QYMoney_Button_UnSelected.png"), ui::StateDisabled);
    } else {
        m_sendRed->setBackgroundImage(ui::Image::named("QYPay_SendMoney.png"));
    }
    m_sendRed->setEnabled(false);
    m_sendRed->addAction(ui::TouchUpInside, [weak](ui::Control&) {
        if (auto self = weak.lock())
            self->intoRed();
    });
    root->addSubview(m_sendRed);
}

void QYRedPacViewController::amountDidChange()
{
    m_redPac->setAttributedText(RedPacketAmountText::preview(m_textPr->text()));
    m_sendRed->setEnabled(RedPacketAmountText::amount(m_textPr->text()) > 0);
}

void QYRedPacViewController::moveTo(double y)
{
    auto root = view();
    ui::Rect frame = root->frame();
    ui::Animation::animate(kMoveDuration, [&] { root->setFrame({ frame.x(), y, frame.width(), frame.height() }); });
}

void QYRedPacViewController::touchesEnded(const ui::TouchList&)
{
    for (const auto& field : { m_textPr, m_context }) {
        if (field && field->isFirstResponder())
            field->resignFirstResponder();
    }
    moveTo(kRestingY);
}

void QYRedPacViewController::intoRed()
{
    std::string blessing = m_context->utf8Text();
    if (blessing.empty())
        blessing = defaultBlessing(m_style);
    std::string amount = m_redPac->attributedText() ? m_redPac->attributedText()->utf8() : m_redPac->text().value_or("");
    // The delegate may drop its last reference to this screen.
    auto keep = sharedController();
    if (auto delegate = m_delegate.lock(); delegate && delegate->intoRedBackNum)
        delegate->intoRedBackNum(amount, blessing);
    close();
}

void QYRedPacViewController::close()
{
    // The keyboard of a field still being edited goes with the form.
    if (isViewLoaded())
        view()->endEditing(true);
    ui::ViewController* presented = navigationController();
    if (!presented)
        presented = this;
    presented->dismissViewController(true);
}
