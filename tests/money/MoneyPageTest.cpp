#include "money/MoneyPageTest.h"

#include "platform/Locale.h"
#include "ui/NavigationBar.h"
#include "ui/Screen.h"
#include "widgets/QYNoticeHUD.h"

void MoneyPageTest::SetUp()
{
    PhoneTest::SetUp();
    platform::locale::setLocale("zh_CN");
    platform::locale::setTimeZone("Asia/Shanghai");
    open("iphone6");
}

void MoneyPageTest::TearDown()
{
    ui::NavigationBarAppearance::defaults() = {};
    navigation.reset();
    chatStandIn.reset();
    window.reset();
    PhoneTest::TearDown();
}

void MoneyPageTest::open(const char* device)
{
    ui::Application::shared().reset();
    ui::NavigationBarAppearance::defaults() = {};
    useDevice(device);
    ui::Image::clearCache();
    chatStandIn = std::make_shared<ui::ViewController>();
    navigation = ui::NavigationController::make(chatStandIn);
    window = std::make_shared<ui::Window>(ui::Screen::main().bounds());
    navigation->view();
    auto bar = navigation->navigationBar();
    bar->setTranslucent(false);
    bar->setBackgroundImage(ui::Image::named("QYNavigation_bar.png"));
    bar->setTintColor(ui::Color::whiteColor());
    bar->setTitleColor(ui::Color::whiteColor());
    window->setRootViewController(navigation);
    window->makeKeyAndVisible();
    settle();
}

coding::DataPtr MoneyPageTest::jpegOf(int width, int height, std::uint8_t red)
{
    platform::PixelBuffer pixels { width, height, width * 4, std::vector<std::uint8_t>(std::size_t(width) * height * 4, 255) };
    for (std::size_t i = 2; i < pixels.pixels.size(); i += 4)
        pixels.pixels[i] = red;
    return coding::Data::make(ui::Image::fromPixels(std::move(pixels), 1)->jpegData(1.0));
}

QYChatModelPtr MoneyPageTest::transfer(std::optional<std::string> amount, bool isSend, std::optional<std::string> nick,
    std::optional<std::string> heNick)
{
    auto clock = QYChatModel::make();
    clock->setType(QYChatModel::Transfer);
    clock->setStyleType(2);
    clock->setIsSend(isSend);
    clock->setIsTran(true);
    if (amount)
        clock->setRedPac(coding::String::make(*amount));
    if (nick)
        clock->setNickName(coding::String::make(*nick));
    if (heNick)
        clock->setHeNickName(coding::String::make(*heNick));
    clock->setAvatar(jpegOf(40, 40, 10));
    clock->setReceiveAvatar(jpegOf(40, 40, 250));
    clock->setCreatDate(coding::Date::make(1480000000)); // 2016-11-24 23:06:40 in Shanghai
    return clock;
}
