#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/ViewController.h"
#include "ui/graphics/Image.h"

namespace ui {

class Button;
class ImageView;
class NavigationBar;
class PhotoGridView;

// What the picker hands back, named after the phone's info keys.
struct ImagePickerInfo {
    ImagePtr originalImage;  // UIImagePickerControllerOriginalImage: the picture as it is, at scale 1
    std::string mediaType;   // UIImagePickerControllerMediaType: "public.image" for pictures
};

// The phone's image picker, presented modally. The photo-library source shows
// the album folder's pictures as a grid under a bar with "取消"; a tap on a
// picture finishes with it. The camera source shows what the capture device
// sees with a shutter; without a capture device it is unavailable, and
// presenting such a picker shows nothing and reports it. Editing is never
// offered. Choose the source before presenting.
class ImagePickerController : public ViewController {
public:
    enum class SourceType { PhotoLibrary, Camera };
    static constexpr const char* kMediaTypeImage = "public.image";

    ImagePickerController();
    static std::shared_ptr<ImagePickerController> make() { return std::make_shared<ImagePickerController>(); }
    ~ImagePickerController() override;

    std::string className() const override { return "UIImagePickerController"; }

    static bool isSourceTypeAvailable(SourceType type);
    // The capture device: each call gives the picture the camera takes now.
    // Empty (the default) means the machine has no camera. Process-wide.
    static void setCaptureDevice(std::function<ImagePtr()> device);

    SourceType sourceType() const { return m_sourceType; }
    void setSourceType(SourceType type);
    // Kept for the screens that set it; the picker offers no editing either way.
    bool allowsEditing = false;

    // Called synchronously when the user has chosen a picture. The callee
    // normally dismisses the picker; it may release it. Without a callee the
    // picker dismisses itself.
    std::function<void(ImagePickerController&, const ImagePickerInfo&)> didFinishPickingMedia;
    // Called synchronously when the user taps "取消"; as above.
    std::function<void(ImagePickerController&)> didCancel;
    // Called synchronously from presentViewController when the source is not
    // available (a camera without a capture device); nothing is presented.
    std::function<void(ImagePickerController&)> sourceUnavailable;

    // The user's choices, as their taps make them.
    // Chooses the album picture at `path`; false when the album has no such picture.
    bool pickPhotoAtPath(const std::string& path);
    // Finishes with a picture (what the shutter does with the camera's frame).
    void pickImage(ImagePtr image);
    // A picture file dropped on the open picker is picked as if chosen in
    // the grid; a file that is no picture is left to others.
    bool acceptDroppedFile(const std::string& path, Point screenPoint) override;
    void cancel();

    // The album as the grid shows it, read again when the picker appears.
    void reloadAlbum();
    const std::shared_ptr<PhotoGridView>& gridView() const { return m_grid; }
    const std::shared_ptr<NavigationBar>& navigationBar() const { return m_bar; }
    const std::shared_ptr<Button>& shutterButton() const { return m_shutter; }

    // The picker on screen (the last presented one still up), if any.
    static std::shared_ptr<ImagePickerController> visiblePicker();
    // Runs `answer` once, on the main queue, when the next picker has appeared
    // (scripted runs answer pickers this way). Replaces an earlier request.
    static void answerNextPicker(std::function<void(ImagePickerController&)> answer);
    static bool hasPendingAnswer();

    bool isPresentable() override;
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    void buildLibrary();
    void buildCamera();
    void finish(ImagePtr image);
    void photoSelected(size_t index);

    SourceType m_sourceType = SourceType::PhotoLibrary;
    std::shared_ptr<NavigationBar> m_bar;
    std::shared_ptr<PhotoGridView> m_grid;
    std::shared_ptr<ImageView> m_preview;
    std::shared_ptr<Button> m_shutter;
    std::shared_ptr<Button> m_cameraCancel;
    bool m_finished = false;
};

} // namespace ui
