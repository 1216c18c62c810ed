#pragma once
#include <memory>

#include "doodle/DWDrawView.h"
#include "ui/ImagePickerController.h"
#include "ui/ViewController.h"

// The doodle screen: a photo (or none) with the drawing surface over it and
// the pen panel at hand. The panel's camera and album commands bring in a new
// photo, which replaces the old one and keeps the strokes.
class QYMosaicImageViewController : public ui::ViewController, public DWDrawViewDelegate {
public:
    static constexpr const char* kTitle = "涂鸦";
    static constexpr const char* kPanelButtonTitle = "涂鸦板";

    std::string className() const override { return "QYMosaicImageViewController"; }

    // The photo to start with; set before the screen is shown.
    const ui::ImagePtr& image() const { return m_image; }
    void setImage(ui::ImagePtr image) { m_image = std::move(image); }
    // Made on first use.
    const std::shared_ptr<DWDrawView>& drawView();

    void viewDidLoad() override;
    void viewWillDisappear(bool animated) override;

    // The right bar button: brings the panel back.
    void setting();
    void drawView(DWDrawView& view, int action) override;
    void didFinishPickingMedia(ui::ImagePickerController& picker, const ui::ImagePickerInfo& info);
    void imagePickerControllerDidCancel(ui::ImagePickerController& picker);

private:
    void presentPicker(ui::ImagePickerController::SourceType source);
    std::weak_ptr<QYMosaicImageViewController> weakSelf();

    ui::ImagePtr m_image;
    std::shared_ptr<DWDrawView> m_drawView;
};
