#include "money/redpacket/RedPacketAmountText.h"

#include "platform/PhoneValues.h"
#include "ui/Screen.h"

namespace RedPacketAmountText {

namespace {

ui::AttributedString kerned(const std::string& text, double restKern)
{
    ui::TextAttributes attributes;
    attributes.font = font();
    ui::ParagraphStyle centred;
    centred.alignment = ui::TextAlignment::Center;
    attributes.paragraph = centred;
    if (restKern != 0)
        attributes.kern = restKern;
    auto result = ui::AttributedString::fromUtf8(text, attributes);
    if (result.length() == 0)
        return result;
    // The sign is one character, which may take two units.
    std::size_t sign = (result.text()[0] >= 0xD800 && result.text()[0] < 0xDC00 && result.length() > 1) ? 2 : 1;
    ui::TextAttributes signAttributes;
    signAttributes.kern = signKern();
    result.addAttributes(signAttributes, { 0, sign });
    return result;
}

} // namespace

ui::Font font()
{
    return ui::Font::named("Helvetica-Light", 44);
}

double signKern()
{
    return ui::Screen::main().profile().compareSystemVersion("9.3") < 0 ? -20 : -10;
}

float amount(const std::u16string& fieldText)
{
    return platform::values::floatValue(fieldText);
}

ui::AttributedString preview(const std::u16string& fieldText)
{
    return kerned(platform::values::currencyText(amount(fieldText)), 0);
}

ui::AttributedString initial()
{
    // Before any typing the form carries the full-width sign, with a hair of
    // spacing everywhere and the sign pulled in by the usual amount.
    auto text = kerned("￥0.00", 0.001);
    ui::TextAttributes sign;
    sign.kern = -10;
    text.addAttributes(sign, { 0, 1 });
    return text;
}

} // namespace RedPacketAmountText
