#pragma once
#include <memory>

#include "ui/ImagePickerController.h"

// The photo picker both composer screens show: editing off, answers going to
// the screen for as long as it lives (a picker outliving its screen just
// closes). `onUnavailable` runs when the source (the camera) is missing.
template <class Screen>
std::shared_ptr<ui::ImagePickerController> makeComposerPicker(ui::ImagePickerController::SourceType source,
    std::weak_ptr<Screen> screen,
    void (Screen::*onPick)(ui::ImagePickerController&, const ui::ImagePickerInfo&),
    void (Screen::*onCancel)(ui::ImagePickerController&),
    void (Screen::*onUnavailable)())
{
    auto picker = ui::ImagePickerController::make();
    picker->setSourceType(source);
    picker->allowsEditing = false;
    picker->didFinishPickingMedia = [screen, onPick](ui::ImagePickerController& p, const ui::ImagePickerInfo& info) {
        if (auto self = screen.lock())
            ((*self).*onPick)(p, info);
        else
            p.dismissViewController(true);
    };
    picker->didCancel = [screen, onCancel](ui::ImagePickerController& p) {
        if (auto self = screen.lock())
            ((*self).*onCancel)(p);
        else
            p.dismissViewController(true);
    };
    picker->sourceUnavailable = [screen, onUnavailable](ui::ImagePickerController&) {
        if (auto self = screen.lock())
            ((*self).*onUnavailable)();
    };
    return picker;
}
