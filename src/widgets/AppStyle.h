#pragma once
#include "ui/graphics/Color.h"
#include "ui/graphics/Font.h"

// The app's own colours and fonts, named by what they are for. Screens take
// their look from here rather than spelling out values, so that a look used
// in several places is one entry. The values are the phone app's own.
enum class AppColor {
    ChatBackground, // behind the conversation when no picture is set
    PaymentBarTint, // the payment-app style's navigation bar
    HintStrip, // the speaker hint under the navigation bar
    FormBackground, // the preset form behind its groups, and their dividers
    FormLabelText, // the preset form's captions
    EmptyPicturePreview, // a picture row's square before a picture is chosen
    StartButton, // the preset form's "开始"
    LinkText, // @names, #topics and links in message text
    ToolbarBackground, // the input toolbar
    ToolbarHairline, // the line along the toolbar's top edge
    InputBorder, // the toolbar's text field outline
    InputText, // text typed into the toolbar
    OwnVoiceLength, // a voice clip's seconds, own side
    OtherVoiceLength, // a voice clip's seconds, other side
    MessengerMoneyAccent, // the messenger style's taken-money pill
    PaymentMoneyAccent, // the payment-app style's taken-money pill
    Count
};

enum class AppFont {
    HintStrip, // system 14
    ChatTitle, // the other side's nickname in the chat's navigation bar, bold 18
    FormLabel, // system 17
    MessageText, // text bubbles and the toolbar's field, system 16
    EmojiLabel, // the emoji label's default, system 14
    MoreItemTitle, // system 12
    TimeStamp, // the time-stamp pill above a message, system 12
    MoneyCardText, // greetings and captions on money cards, system 14
    MoneyCardAmount, // the messenger transfer card's amount, light 14
    PaymentTransferAmount, // the payment-app transfer card's amount, system 16
    VoiceLength, // system 15
    SystemNotice, // recall and time notices, messenger style, system 14
    PaymentSystemNotice, // the same in the payment-app style, system 15
    NoticeOverlay, // the transient notice's text, system 15
    Count
};

ui::Color appColor(AppColor color);
ui::Font appFont(AppFont font);
