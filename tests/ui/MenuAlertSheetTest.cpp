#include "support/PhoneTest.h"

#include <any>
#include <string>
#include <vector>

#include "ui/ActionSheet.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/DialogButton.h"
#include "ui/MenuController.h"
#include "ui/NavigationController.h"
#include "ui/TextField.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

using namespace ui;

namespace {

// A row that can hold the edit menu, inside a list that performs its items.
struct Row : View {
    using View::View;
    bool canBecomeFirstResponder() const override { return true; }
};

struct List : View {
    using View::View;
    std::vector<std::string> performed;
    std::vector<std::string> offered { "deleteMenuAction", "backOutMenuAction" };
    bool canPerformAction(const std::string& action) const override
    {
        return std::find(offered.begin(), offered.end(), action) != offered.end() || View::canPerformAction(action);
    }
    bool performAction(const std::string& action) override
    {
        if (std::find(offered.begin(), offered.end(), action) == offered.end())
            return View::performAction(action);
        performed.push_back(action);
        return true;
    }
};

struct Page : ViewController {
    std::vector<std::string> log;
    void viewWillAppear(bool) override { log.push_back("willAppear"); }
    void viewDidAppear(bool) override { log.push_back("didAppear"); }
    void viewWillDisappear(bool) override { log.push_back("willDisappear"); }
    void viewDidDisappear(bool) override { log.push_back("didDisappear"); }
};

Point centerOnScreen(const View& view)
{
    Rect r = view.convertRectTo(view.bounds(), nullptr);
    Point origin = view.window() ? view.window()->frame().origin : Point {};
    return { r.midX() + origin.x, r.midY() + origin.y };
}

} // namespace

// The app under the dialogs: one screen with a button covering its middle,
// which counts the taps that reach it.
class DialogTest : public PhoneTest {
protected:
    void SetUp() override
    {
        PhoneTest::SetUp();
        page = std::make_shared<Page>();
        window = std::make_shared<Window>();
        window->setRootViewController(page);
        window->makeKeyAndVisible();
        below = Button::make();
        below->setFrame({ 0, 0, 375, 667 });
        below->addAction(TouchUpInside, [this](Control&) { ++tapsBelow; });
        page->view()->addSubview(below);
        Application::shared().layoutIfNeeded();
    }
    void tapButton(const std::shared_ptr<DialogButton>& button)
    {
        ASSERT_TRUE(button);
        Application::shared().layoutIfNeeded();
        tap(centerOnScreen(*button));
    }
    std::shared_ptr<Page> page;
    std::shared_ptr<Window> window;
    std::shared_ptr<Button> below;
    int tapsBelow = 0;
};

using AlertViewTest = DialogTest;

TEST_F(AlertViewTest, CancelIsIndexZeroAndSitsLeftOfTheOtherButton)
{
    auto alert = AlertView::make("输入转账金额", std::nullopt, "取消", { "发送" });
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "发送");
    std::vector<int> clicked, dismissed;
    alert->clickedButtonAtIndex = [&](AlertView&, int index) { clicked.push_back(index); };
    alert->didDismissWithButtonIndex = [&](AlertView&, int index) { dismissed.push_back(index); };
    alert->show();
    advance(0.5);
    ASSERT_EQ(AlertView::visibleAlert(), alert);
    auto cancel = alert->buttonAtIndex(0), send = alert->buttonAtIndex(1);
    EXPECT_LT(cancel->frame().x(), send->frame().x());
    EXPECT_EQ(cancel->frame().y(), send->frame().y());
    EXPECT_EQ(alert->frame().width(), 270);
    EXPECT_NEAR(alert->center().x, 187.5, 0.01);
    EXPECT_NEAR(alert->center().y, 333.5, 0.01);

    tapButton(send);
    EXPECT_EQ(clicked, std::vector<int> { 1 });
    EXPECT_TRUE(dismissed.empty()) << "the alert is still fading out";
    advance(0.5);
    EXPECT_EQ(dismissed, std::vector<int> { 1 });
    EXPECT_EQ(AlertView::visibleAlert(), nullptr);
    EXPECT_EQ(Application::shared().keyWindow(), window);
}

TEST_F(AlertViewTest, ThreeButtonsStackWithCancelAtTheBottomInIndexOrder)
{
    auto alert = AlertView::make("标题", "内容", "取消", { "一", "二" });
    EXPECT_EQ(alert->addButtonWithTitle("三"), 3);
    alert->show();
    advance(0.5);
    double previousY = -1;
    for (int index : { 1, 2, 3, 0 }) {
        auto button = alert->buttonAtIndex(index);
        EXPECT_GT(button->frame().y(), previousY) << "button " << index;
        EXPECT_EQ(button->frame().width(), 270);
        previousY = button->frame().y();
    }
    std::vector<int> clicked;
    alert->clickedButtonAtIndex = [&](AlertView&, int index) { clicked.push_back(index); };
    tapButton(alert->buttonAtIndex(0));
    tapButton(alert->buttonAtIndex(2)); // already going away: ignored
    EXPECT_EQ(clicked, std::vector<int> { 0 });
    EXPECT_EQ(tapsBelow, 0) << "nor does the tap reach the screen while the alert fades";
}

TEST_F(AlertViewTest, StaysCentredInTheSpaceAboveTheKeyboard)
{
    auto alert = AlertView::make("输入转账金额", std::nullopt, "取消", { "发送" });
    alert->setAlertViewStyle(AlertView::Style::PlainTextInput);
    alert->show();
    advance(0.5);
    auto keyboardTo = [](Rect end) {
        NotificationCenter::shared().post("UIKeyboardWillChangeFrameNotification",
            { { "UIKeyboardFrameEndUserInfoKey", std::any(end) } });
        advance(0.5);
    };
    keyboardTo({ 0, 667 - 216, 375, 216 });
    EXPECT_NEAR(alert->center().y, (667 - 216) / 2.0, 0.01);
    EXPECT_LE(alert->frame().maxY(), 667 - 216);
    keyboardTo({ 0, 667, 375, 216 });
    EXPECT_NEAR(alert->center().y, 667 / 2.0, 0.01);
}

TEST_F(AlertViewTest, TouchesNeverReachTheScreenBelow)
{
    auto alert = AlertView::make("", "您现在可以继续对截图进行涂鸦", "现在就去", { "以后再说" });
    alert->show();
    advance(0.5);
    tap({ 20, 100 });   // on the dim
    tap(alert->center()); // on the panel's text
    EXPECT_EQ(tapsBelow, 0);
    EXPECT_TRUE(alert->isVisible()) << "a tap on an alert's dim does not dismiss it";
    tapButton(alert->buttonAtIndex(0));
    advance(0.5);
    tap({ 20, 100 });
    EXPECT_EQ(tapsBelow, 1) << "once gone, the screen takes touches again";
}

TEST_F(AlertViewTest, PlainTextInputFocusesItsFieldAndKeepsTheTextForTheCallback)
{
    auto alert = AlertView::make("输入转账金额", std::nullopt, "取消", { "发送" });
    EXPECT_EQ(alert->textFieldAtIndex(0), nullptr);
    alert->setAlertViewStyle(AlertView::Style::PlainTextInput);
    auto field = alert->textFieldAtIndex(0);
    ASSERT_TRUE(field);
    EXPECT_EQ(alert->textFieldAtIndex(1), nullptr);
    std::string sent;
    alert->clickedButtonAtIndex = [&](AlertView& a, int index) {
        if (index == 1)
            sent = a.textFieldAtIndex(0)->utf8Text();
    };
    alert->show();
    advance(0.5);
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_GT(field->frame().width(), 200);
    Application::shared().firstResponder()->insertText(u"12.5");
    tapButton(alert->buttonAtIndex(1));
    EXPECT_EQ(sent, "12.5");
    EXPECT_FALSE(field->isFirstResponder()) << "the keyboard leaves with the alert";
}

TEST_F(AlertViewTest, ACallbackMayDropItsAlertDismissItOrShowAnother)
{
    auto first = AlertView::make("一", std::nullopt, "好", {});
    std::shared_ptr<AlertView> second;
    int dismissals = 0;
    first->clickedButtonAtIndex = [&](AlertView& alert, int index) {
        alert.dismissWithClickedButtonIndex(index, false);
        first.reset(); // the caller's only reference
        second = AlertView::make("二", std::nullopt, "好", {});
        second->show();
    };
    first->didDismissWithButtonIndex = [&](AlertView&, int) { ++dismissals; };
    std::weak_ptr<AlertView> weakFirst = first;
    first->show();
    advance(0.5);
    tapButton(first->buttonAtIndex(0));
    advance(0.5);
    EXPECT_EQ(dismissals, 1);
    EXPECT_TRUE(weakFirst.expired()) << "a dismissed alert is not kept alive";
    EXPECT_EQ(AlertView::visibleAlert(), second);
}

TEST_F(AlertViewTest, DialogsLeftOnScreenGoWithTheApplicationsWindows)
{
    std::weak_ptr<AlertView> alert;
    std::weak_ptr<ActionSheet> sheet;
    {
        auto shownAlert = AlertView::make("一", std::nullopt, "好", {});
        auto shownSheet = ActionSheet::make("二", "取消", std::nullopt, {});
        shownAlert->show();
        shownSheet->showInView(nullptr);
        alert = shownAlert;
        sheet = shownSheet;
    }
    advance(0.5);
    EXPECT_FALSE(alert.expired()) << "a shown alert keeps itself alive";
    Application::shared().reset();
    EXPECT_TRUE(alert.expired());
    EXPECT_TRUE(sheet.expired());
}

using ActionSheetTest = DialogTest;

// Indexes run destructive, others, cancel, then added buttons; each button
// reports its own index, clicked then dismissed.
TEST_F(ActionSheetTest, EachButtonReportsItsOwnIndex)
{
    for (int index : { 0, 1, 2, 3 }) {
        auto sheet = ActionSheet::make("设置背景", "取消", "拍照", { "相册选择" });
        EXPECT_EQ(sheet->addButtonWithTitle("默认"), 3);
        EXPECT_EQ(sheet->destructiveButtonIndex(), 0);
        EXPECT_EQ(sheet->cancelButtonIndex(), 2);
        int clicked = -1, dismissed = -1;
        sheet->clickedButtonAtIndex = [&](ActionSheet&, int i) { clicked = i; };
        sheet->didDismissWithButtonIndex = [&](ActionSheet&, int i) { dismissed = i; };
        sheet->showInView(page->view().get());
        advance(0.5);
        // Shown top to bottom: 拍照, 相册选择, 默认, then 取消 apart at the bottom.
        auto yOf = [&](int i) { return centerOnScreen(*sheet->buttonAtIndex(i)).y; };
        EXPECT_LT(yOf(0), yOf(1));
        EXPECT_LT(yOf(1), yOf(3));
        EXPECT_LT(yOf(3), yOf(2));
        EXPECT_NEAR(sheet->frame().maxY(), 667 - ActionSheet::kMargin, 0.01);
        tapButton(sheet->buttonAtIndex(index));
        EXPECT_EQ(clicked, index);
        advance(0.5);
        EXPECT_EQ(dismissed, index);
        EXPECT_EQ(ActionSheet::visibleSheet(), nullptr);
    }
    EXPECT_EQ(tapsBelow, 0);
}

TEST_F(ActionSheetTest, ATapOnTheDimIsCancelAndNeverReachesTheScreen)
{
    auto sheet = ActionSheet::make("设置头像", "取消", "拍照", { "相册选择" });
    std::vector<int> clicked;
    sheet->clickedButtonAtIndex = [&](ActionSheet&, int index) { clicked.push_back(index); };
    sheet->showInView(nullptr);
    advance(0.5);
    tap({ sheet->frame().x() + 2, sheet->frame().y() + 30 }); // the panel's edge, not a button... still the sheet
    tap({ 187, 100 });
    EXPECT_EQ(clicked, std::vector<int> { 2 });
    EXPECT_EQ(tapsBelow, 0);
    advance(0.5);
    tap({ 187, 100 });
    EXPECT_EQ(tapsBelow, 1);
}

TEST_F(ActionSheetTest, WithoutCancelTheDimDoesNothingAndTheOrderIsOthersOnly)
{
    auto sheet = ActionSheet::make(std::nullopt, std::nullopt, std::nullopt, { "一", "二" });
    EXPECT_EQ(sheet->cancelButtonIndex(), -1);
    EXPECT_EQ(sheet->destructiveButtonIndex(), -1);
    int clicks = 0;
    sheet->clickedButtonAtIndex = [&](ActionSheet&, int) { ++clicks; };
    sheet->showInView(nullptr);
    advance(0.5);
    tap({ 187, 100 });
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(ActionSheetTest, ACallbackMayPresentAScreenAndDropTheSheet)
{
    auto sheet = ActionSheet::make("设置头像", "取消", "拍照", { "相册选择" });
    std::weak_ptr<ActionSheet> weak = sheet;
    auto presented = std::make_shared<Page>();
    sheet->clickedButtonAtIndex = [&](ActionSheet&, int) {
        sheet.reset();
        page->presentViewController(presented, true);
    };
    weak.lock()->showInView(nullptr);
    advance(0.5);
    tapButton(weak.lock()->buttonAtIndex(1));
    advance(1);
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(page->presentedViewController(), presented);
    EXPECT_EQ(Application::shared().keyWindow(), presented->view()->window()->sharedView());
}

class EditMenuTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        list = std::make_shared<List>(Rect { 0, 64, 375, 400 });
        row = std::make_shared<Row>(Rect { 0, 200, 375, 80 });
        list->addSubview(row);
        page->view()->addSubview(list);
        menu().setMenuItems({ { "删除", "deleteMenuAction" }, { "撤回", "backOutMenuAction" } });
        Application::shared().layoutIfNeeded();
    }
    void TearDown() override
    {
        menu().setMenuVisible(false, false);
        menu().setMenuItems({});
        DialogTest::TearDown();
    }
    static MenuController& menu() { return MenuController::shared(); }
    void showOver(const Rect& target)
    {
        ASSERT_TRUE(row->becomeFirstResponder());
        menu().setTargetRect(target, row.get());
        menu().setMenuVisible(true, true);
        advance(0.3);
    }
    Point itemCenter(size_t index) const
    {
        Rect frame = menu().menuFrame();
        double width = frame.width() / double(menu().visibleItems().size());
        double barMid = menu().arrowPointsDown() ? frame.y() + 18 : frame.maxY() - 18;
        // Items are as wide as their titles; equal titles make equal items.
        return { frame.x() + width * (double(index) + 0.5), barMid };
    }
    std::shared_ptr<List> list;
    std::shared_ptr<Row> row;
};

TEST_F(EditMenuTest, OffersWhatTheChainCanPerformAndSendsTheTappedAction)
{
    list->offered = { "deleteMenuAction", "backOutMenuAction", "copy" };
    showOver({ 100, 10, 120, 60 });
    ASSERT_TRUE(menu().isMenuVisible());
    std::vector<std::string> titles;
    for (auto& item : menu().visibleItems())
        titles.push_back(item.title);
    EXPECT_EQ(titles, (std::vector<std::string> { "拷贝", "删除", "撤回" }));

    list->offered = { "deleteMenuAction", "backOutMenuAction" };
    menu().update();
    ASSERT_EQ(menu().visibleItems().size(), 2u);
    tap(itemCenter(1));
    EXPECT_EQ(list->performed, std::vector<std::string> { "backOutMenuAction" });
    EXPECT_FALSE(menu().isMenuVisible());
    EXPECT_EQ(tapsBelow, 0);
}

TEST_F(EditMenuTest, PointsDownAtATargetWithRoomAboveAndUpNearTheTop)
{
    showOver({ 100, 10, 120, 60 }); // window y 274..334
    Rect frame = menu().menuFrame();
    EXPECT_TRUE(menu().arrowPointsDown());
    EXPECT_NEAR(frame.maxY(), 274, 0.01);
    EXPECT_NEAR(frame.x() + frame.width() / 2, 160, 0.01);

    row->setFrame({ 0, -40, 375, 80 }); // target at window y 34..94: no room above
    menu().update();
    frame = menu().menuFrame();
    EXPECT_FALSE(menu().arrowPointsDown());
    EXPECT_NEAR(frame.y(), 94, 0.01);

    row->setFrame({ 0, 200, 375, 80 });
    menu().setTargetRect({ 360, 10, 15, 60 }, row.get()); // at the right edge: stays on screen
    menu().update();
    EXPECT_LE(menu().menuFrame().maxX(), 375 - MenuController::kScreenMargin + 0.01);
}

TEST_F(EditMenuTest, ATouchElsewhereHidesTheMenuAndStillReachesTheScreen)
{
    showOver({ 100, 10, 120, 60 });
    Point onMenu = itemCenter(0);
    tap({ 30, 600 });
    EXPECT_FALSE(menu().isMenuVisible());
    EXPECT_EQ(tapsBelow, 1);
    tap({ 30, 600 }); // while it fades
    advance(0.5);
    EXPECT_EQ(tapsBelow, 2);
    auto windows = Application::shared().windows();
    EXPECT_EQ(windows.size(), 1u) << "the menu's window is gone once faded";
    tap(onMenu);
    EXPECT_TRUE(list->performed.empty());
}

TEST_F(EditMenuTest, NothingShowsWithoutAFirstResponderOrAnythingToOffer)
{
    menu().setTargetRect({ 100, 10, 120, 60 }, row.get());
    menu().setMenuVisible(true, false);
    EXPECT_FALSE(menu().isMenuVisible());
    list->offered.clear();
    showOver({ 100, 10, 120, 60 });
    EXPECT_FALSE(menu().isMenuVisible());
}

using PresentationTest = DialogTest;

TEST_F(PresentationTest, PresentedScreenCoversTheAppInItsOwnWindowAndCompletesAfterItArrives)
{
    auto modal = std::make_shared<Page>();
    int completions = 0;
    page->log.clear();
    page->presentViewController(modal, true, [&] { ++completions; });
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(page->log, (std::vector<std::string> { "willDisappear" }));
    advance(0.2);
    EXPECT_EQ(completions, 0) << "still sliding up";
    advance(0.3);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(modal->log, (std::vector<std::string> { "willAppear", "didAppear" }));
    EXPECT_EQ(page->log, (std::vector<std::string> { "willDisappear", "didDisappear" }));
    auto* modalWindow = modal->view()->window();
    ASSERT_NE(modalWindow, nullptr);
    EXPECT_NE(modalWindow, window.get());
    EXPECT_GT(modalWindow->windowLevel(), window->windowLevel());
    EXPECT_EQ(modal->view()->frame(), Screen::main().bounds());
    tap({ 100, 300 });
    EXPECT_EQ(tapsBelow, 0);

    // Dismissed from the presented screen itself.
    modal->dismissViewController(false, [&] { ++completions; });
    EXPECT_EQ(completions, 1) << "never synchronously";
    advance(0.01);
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(page->presentedViewController(), nullptr);
    EXPECT_EQ(modal->presentingViewController(), nullptr);
    EXPECT_EQ(page->log.back(), "didAppear");
    EXPECT_EQ(Application::shared().keyWindow(), window);
    tap({ 100, 300 });
    EXPECT_EQ(tapsBelow, 1);
}

TEST_F(PresentationTest, APresentedScreenPresentsAndDismissesItsOwn)
{
    auto outer = std::make_shared<Page>(), inner = std::make_shared<Page>();
    page->presentViewController(outer, false);
    advance(0.1);
    outer->presentViewController(inner, true);
    advance(0.5);
    EXPECT_EQ(outer->log.back(), "didDisappear");
    auto* outerWindow = outer->view()->window();
    auto* innerWindow = inner->view()->window();
    auto windows = Application::shared().windows();
    ASSERT_GE(windows.size(), 3u);
    EXPECT_EQ(windows.back().get(), innerWindow) << "the newest presentation is in front";
    inner->dismissViewController(true);
    advance(0.5);
    EXPECT_EQ(outer->presentedViewController(), nullptr);
    EXPECT_EQ(page->presentedViewController(), outer);
    EXPECT_EQ(outer->log.back(), "didAppear");
    EXPECT_EQ(Application::shared().keyWindow().get(), outerWindow);
}

TEST_F(PresentationTest, ASecondPresentationWhileOneIsUpDoesNothing)
{
    auto first = std::make_shared<Page>(), second = std::make_shared<Page>();
    int completions = 0;
    page->presentViewController(first, false, [&] { ++completions; });
    page->presentViewController(second, false, [&] { ++completions; });
    advance(0.1);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(page->presentedViewController(), first);
    EXPECT_EQ(second->presentingViewController(), nullptr);
}

TEST_F(PresentationTest, AScreenInsideANavigationStackPresentsOverTheWholeStack)
{
    auto top = std::make_shared<Page>();
    auto navigation = NavigationController::make(top);
    window->setRootViewController(navigation);
    Application::shared().layoutIfNeeded();
    top->log.clear();
    auto modal = std::make_shared<Page>();
    top->presentViewController(modal, true);
    advance(0.5);
    EXPECT_EQ(top->log, (std::vector<std::string> { "willDisappear", "didDisappear" }));
    EXPECT_EQ(top->navigationController(), navigation.get());
    EXPECT_EQ(modal->navigationController(), nullptr) << "it stands outside the presenter's stack";
    EXPECT_EQ(modal->presentingViewController(), top.get());
    modal->dismissViewController(true);
    advance(0.5);
    EXPECT_EQ(top->log.back(), "didAppear");
    EXPECT_EQ(top->presentedViewController(), nullptr);
}
