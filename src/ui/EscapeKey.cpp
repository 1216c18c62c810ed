#include "ui/EscapeKey.h"

#include "ui/ActionSheet.h"
#include "ui/AlertView.h"
#include "ui/Application.h"
#include "ui/Control.h"
#include "ui/DialogButton.h"
#include "ui/ImagePickerController.h"
#include "ui/MenuController.h"
#include "ui/NavigationController.h"

namespace ui {

bool EscapeKey::perform()
{
    auto& menu = MenuController::shared();
    if (menu.isMenuVisible()) {
        menu.setMenuVisible(false, true);
        return true;
    }
    if (closeDialog() || closePresentedPicker())
        return true;
    if (auto top = topScreen(); top && top->closeForEscape())
        return true;
    if (auto responder = Application::shared().firstResponder(); responder && responder->hasKeyInput()) {
        responder->resignFirstResponder();
        return true;
    }
    return goBack();
}

bool EscapeKey::closeDialog()
{
    std::shared_ptr<DialogButton> cancel;
    if (auto sheet = ActionSheet::visibleSheet())
        cancel = sheet->buttonAtIndex(sheet->cancelButtonIndex());
    else if (auto alert = AlertView::visibleAlert())
        cancel = alert->buttonAtIndex(alert->cancelButtonIndex());
    else
        return false;
    // A dialog without a cancel button is answered by the user, not by Esc.
    if (cancel)
        cancel->sendActions(TouchUpInside);
    return true;
}

// The front-most presented screen of the app's windows, if it is a picker.
bool EscapeKey::closePresentedPicker()
{
    for (const auto& window : Application::shared().windows()) {
        auto controller = window->rootViewController();
        while (controller && controller->presentedViewController())
            controller = controller->presentedViewController();
        if (auto* picker = dynamic_cast<ImagePickerController*>(controller.get())) {
            auto keep = controller;
            picker->cancel();
            return true;
        }
    }
    return false;
}

std::shared_ptr<ViewController> EscapeKey::topScreen()
{
    auto window = Application::shared().keyWindow();
    auto* navigation = window ? dynamic_cast<NavigationController*>(window->rootViewController().get()) : nullptr;
    return navigation ? navigation->topViewController() : nullptr;
}

bool EscapeKey::goBack()
{
    auto window = Application::shared().keyWindow();
    auto* navigation = window ? dynamic_cast<NavigationController*>(window->rootViewController().get()) : nullptr;
    if (!navigation || navigation->viewControllers().size() < 2)
        return false;
    auto top = navigation->topViewController();
    // A screen with its own back button leaves the way that button does.
    if (auto item = top->navigationItem().leftBarButtonItem) {
        if (auto* control = dynamic_cast<Control*>(item->customView.get())) {
            auto keep = item->customView;
            control->sendActions(TouchUpInside);
            return true;
        }
        if (item->action) {
            auto action = item->action;
            action();
            return true;
        }
    }
    navigation->popViewController(true);
    return true;
}

} // namespace ui
