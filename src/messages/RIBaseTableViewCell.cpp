#include "messages/RIBaseTableViewCell.h"

#include "ui/GestureRecognizer.h"
#include "widgets/AppStyle.h"

RIBaseTableViewCell::RIBaseTableViewCell(std::string reuseIdentifier)
    : TableViewCell(std::move(reuseIdentifier))
{
    setSelectionStyle(ui::TableViewCellSelectionStyle::None);
    setBackgroundColor(ui::Color::clearColor());

    m_headView = View::make<ui::ImageView>(ui::Rect { 0, 0, kAvatarSize, kAvatarSize });
    m_headView->setContentMode(ui::ContentMode::ScaleAspectFill);
    m_headView->setClipsToBounds(true);
    m_headView->setBorderWidth(0.5);
    m_headView->setBorderColor(ui::Color::fromWhite(0, 0.15));
    m_headView->setUserInteractionEnabled(true);
    m_headView->addGestureRecognizer(std::make_shared<ui::TapGestureRecognizer>([this](ui::GestureRecognizer&) {
        auto keep = sharedView();
        headViewAction();
    }));
    contentView()->addSubview(m_headView);

    m_dateTime = View::make<QYLabel>(ui::EdgeInsets { 3, 3, 3, 3 });
    m_dateTime->setFont(appFont(AppFont::TimeStamp));
    m_dateTime->setTextAlignment(ui::TextAlignment::Center);
    m_dateTime->setTextColor(ui::Color::whiteColor());
    m_dateTime->setBackgroundColor(ui::Color::fromWhite(0, 0.15));
    m_dateTime->setCornerRadius(5);
    m_dateTime->setClipsToBounds(true);
    m_dateTime->setText("14:24");
    contentView()->addSubview(m_dateTime);

    // Nothing in the app fails to send, so the button stays hidden; a row
    // that shows it puts it beside the bubble, away from the avatar.
    m_repeatBUtton = ui::Button::make();
    m_repeatBUtton->setImage(ui::Image::named("RIContinueSend.png"));
    m_repeatBUtton->setFrame({ 0, 0, kResendSize, kResendSize });
    m_repeatBUtton->setHidden(true);
    m_repeatBUtton->addAction(ui::TouchUpInside, [this](ui::Control&) {
        auto keep = sharedView();
        repeatAction();
    });
    contentView()->addSubview(m_repeatBUtton);

    // Where the first bind puts them; every bind places them again.
    m_dateTime->setFrame({ (bounds().width() - 42) / 2, 10, 42, 20 });
    m_headView->setFrame({ 15, 43, kAvatarSize, kAvatarSize });
}

double RIBaseTableViewCell::heightForRowAtIndexPath(ui::TableView&, const ui::IndexPath&, const QYChatModel&)
{
    return 40;
}
