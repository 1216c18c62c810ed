#include "widgets/AppStyle.h"

#include <array>
#include <cassert>
#include <cstddef>

namespace {

struct Rgb {
    AppColor name;
    int red;
    int green;
    int blue;
};

// In the order of AppColor, which the lookup checks.
constexpr std::array kColors {
    Rgb { AppColor::ChatBackground, 235, 235, 235 },
    Rgb { AppColor::PaymentBarTint, 58, 58, 58 },
    Rgb { AppColor::HintStrip, 127, 131, 137 },
    Rgb { AppColor::FormBackground, 230, 230, 230 },
    Rgb { AppColor::FormLabelText, 55, 55, 55 },
    Rgb { AppColor::EmptyPicturePreview, 255, 255, 0 },
    Rgb { AppColor::StartButton, 63, 184, 56 },
    Rgb { AppColor::LinkText, 85, 190, 255 },
    Rgb { AppColor::ToolbarBackground, 245, 245, 247 },
    Rgb { AppColor::ToolbarHairline, 195, 195, 197 },
    Rgb { AppColor::InputBorder, 173, 172, 177 },
    Rgb { AppColor::InputText, 44, 44, 44 },
    Rgb { AppColor::OwnVoiceLength, 178, 178, 178 },
    Rgb { AppColor::OtherVoiceLength, 140, 140, 140 },
    Rgb { AppColor::MessengerMoneyAccent, 253, 153, 49 },
    Rgb { AppColor::PaymentMoneyAccent, 0, 170, 238 },
};
static_assert(kColors.size() == std::size_t(AppColor::Count), "every colour has one entry");

struct FontEntry {
    AppFont name;
    const char* face; // nullptr: the system font
    bool bold;
    double size;
};

constexpr std::array kFonts {
    FontEntry { AppFont::HintStrip, nullptr, false, 14 },
    FontEntry { AppFont::ChatTitle, nullptr, true, 18 },
    FontEntry { AppFont::FormLabel, nullptr, false, 17 },
    FontEntry { AppFont::MessageText, nullptr, false, 16 },
    FontEntry { AppFont::EmojiLabel, nullptr, false, 14 },
    FontEntry { AppFont::MoreItemTitle, nullptr, false, 12 },
    FontEntry { AppFont::TimeStamp, nullptr, false, 12 },
    FontEntry { AppFont::MoneyCardText, nullptr, false, 14 },
    FontEntry { AppFont::MoneyCardAmount, "Helvetica-Light", false, 14 },
    FontEntry { AppFont::PaymentTransferAmount, nullptr, false, 16 },
    FontEntry { AppFont::VoiceLength, nullptr, false, 15 },
    FontEntry { AppFont::SystemNotice, nullptr, false, 14 },
    FontEntry { AppFont::PaymentSystemNotice, nullptr, false, 15 },
    FontEntry { AppFont::NoticeOverlay, nullptr, false, 15 },
};
static_assert(kFonts.size() == std::size_t(AppFont::Count), "every font has one entry");

constexpr bool inOrder()
{
    for (std::size_t i = 0; i < kColors.size(); ++i)
        if (std::size_t(kColors[i].name) != i)
            return false;
    for (std::size_t i = 0; i < kFonts.size(); ++i)
        if (std::size_t(kFonts[i].name) != i)
            return false;
    return true;
}
static_assert(inOrder(), "the tables follow the order of their enums");

} // namespace

ui::Color appColor(AppColor color)
{
    assert(color < AppColor::Count);
    const Rgb& entry = kColors[std::size_t(color)];
    return ui::Color::rgb(entry.red, entry.green, entry.blue);
}

ui::Font appFont(AppFont font)
{
    assert(font < AppFont::Count);
    const FontEntry& entry = kFonts[std::size_t(font)];
    if (entry.face)
        return ui::Font::named(entry.face, entry.size);
    return entry.bold ? ui::Font::boldSystem(entry.size) : ui::Font::system(entry.size);
}
