#pragma once
// The money pages on a phone: a navigation stack whose bottom screen stands in
// for the chat screen (its dark bar, white tint), pages pushed onto it as the
// chat screen pushes them, and helpers that act and look as the user does.
#include "support/PhoneTest.h"

#include <memory>
#include <optional>
#include <string>

#include "chat/records/QYChatModel.h"
#include "coding/Data.h"
#include "ui/Application.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"
#include "ui/graphics/Image.h"

class MoneyPageTest : public PhoneTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh stack on the named phone.
    void open(const char* device);
    template<typename Page>
    std::shared_ptr<Page> push(std::shared_ptr<Page> page)
    {
        navigation->pushViewController(page, false);
        settle();
        return page;
    }
    std::shared_ptr<ui::ViewController> top() const { return navigation->topViewController(); }
    static void settle(double seconds = 0.5)
    {
        advance(seconds);
        ui::Application::shared().layoutIfNeeded();
    }
    static void tapView(const ui::ViewPtr& view)
    {
        ui::Application::shared().layoutIfNeeded();
        tap(view->frameInScreen().center());
        settle();
    }
    static std::string textOf(const std::shared_ptr<ui::Label>& label) { return label->text().value_or("(absent)"); }
    // A frame in the page's content view, whose top is under the bars.
    static ui::Rect frameIn(const ui::ViewPtr& view, const ui::ViewPtr& root) { return view->convertRectTo(view->bounds(), root.get()); }
    static coding::DataPtr jpegOf(int width, int height, std::uint8_t red);
    // A payment-app transfer from the other side ("李华") to the own side ("小明").
    static QYChatModelPtr transfer(std::optional<std::string> amount, bool isSend,
        std::optional<std::string> nick = "李华", std::optional<std::string> heNick = "小明");

    std::shared_ptr<ui::ViewController> chatStandIn;
    std::shared_ptr<ui::NavigationController> navigation;
    std::shared_ptr<ui::Window> window;
};
