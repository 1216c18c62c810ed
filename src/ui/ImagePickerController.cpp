#include "ui/ImagePickerController.h"

#include <algorithm>
#include <filesystem>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/PhotoAlbum.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/NavigationBar.h"
#include "ui/PhotoGridView.h"
#include "ui/Screen.h"

namespace ui {

static constexpr double kCameraBarHeight = 96;
static constexpr double kShutterSide = 72;

static std::function<ImagePtr()>& captureDevice()
{
    static std::function<ImagePtr()> device;
    return device;
}

static std::function<void(ImagePickerController&)>& pendingAnswer()
{
    static std::function<void(ImagePickerController&)> answer;
    return answer;
}

// Pickers that have appeared and not yet disappeared, oldest first.
static std::vector<std::weak_ptr<ImagePickerController>>& shownPickers()
{
    static std::vector<std::weak_ptr<ImagePickerController>> pickers;
    return pickers;
}

ImagePickerController::ImagePickerController()
{
    setTitle("相机胶卷");
}

ImagePickerController::~ImagePickerController() = default;

bool ImagePickerController::isSourceTypeAvailable(SourceType type)
{
    return type == SourceType::PhotoLibrary || bool(captureDevice());
}

void ImagePickerController::setCaptureDevice(std::function<ImagePtr()> device)
{
    captureDevice() = std::move(device);
}

void ImagePickerController::setSourceType(SourceType type)
{
    if (m_sourceType == type)
        return;
    m_sourceType = type;
    if (isViewLoaded())
        platform::log::line("picker", "the source changed after the picker was shown; it applies to a new picker");
}

bool ImagePickerController::isPresentable()
{
    if (isSourceTypeAvailable(m_sourceType))
        return true;
    platform::log::line("picker", "source type camera not available");
    if (sourceUnavailable) {
        auto keep = sharedController();
        auto callback = sourceUnavailable;
        callback(*this);
    }
    return false;
}

void ImagePickerController::viewDidLoad()
{
    if (m_sourceType == SourceType::Camera)
        buildCamera();
    else
        buildLibrary();
}

void ImagePickerController::buildLibrary()
{
    auto root = view();
    Rect bounds = root->bounds();
    root->setBackgroundColor(Color::whiteColor());
    double top = 20 + NavigationBar::kHeight;
    m_grid = std::make_shared<PhotoGridView>(Rect { 0, top, bounds.width(), bounds.height() - top });
    m_grid->setAutoresizingMask(FlexibleWidth | FlexibleHeight);
    std::weak_ptr<ImagePickerController> weak = std::static_pointer_cast<ImagePickerController>(sharedController());
    m_grid->didSelectPhoto = [weak](size_t index) {
        if (auto picker = weak.lock())
            picker->photoSelected(index);
    };
    root->addSubview(m_grid);
    m_bar = std::make_shared<NavigationBar>();
    m_bar->setFrame({ 0, 20, bounds.width(), NavigationBar::kHeight });
    navigationItem().rightBarButtonItem = BarButtonItem::withTitle("取消", [weak] {
        if (auto picker = weak.lock())
            picker->cancel();
    });
    m_bar->showItem(&navigationItem(), std::nullopt, {});
    root->addSubview(m_bar);
}

void ImagePickerController::buildCamera()
{
    auto root = view();
    Rect bounds = root->bounds();
    root->setBackgroundColor(Color::blackColor());
    m_preview = std::make_shared<ImageView>(Rect { 0, 0, bounds.width(), bounds.height() - kCameraBarHeight });
    m_preview->setContentMode(ContentMode::ScaleAspectFill);
    m_preview->setClipsToBounds(true);
    root->addSubview(m_preview);

    std::weak_ptr<ImagePickerController> weak = std::static_pointer_cast<ImagePickerController>(sharedController());
    double barY = bounds.height() - kCameraBarHeight;
    m_shutter = Button::make();
    m_shutter->setFrame({ (bounds.width() - kShutterSide) / 2, barY + (kCameraBarHeight - kShutterSide) / 2, kShutterSide, kShutterSide });
    m_shutter->setCornerRadius(kShutterSide / 2);
    m_shutter->setBorderWidth(6);
    m_shutter->setBorderColor(Color::whiteColor());
    auto disc = std::make_shared<View>(Rect { 9, 9, kShutterSide - 18, kShutterSide - 18 });
    disc->setBackgroundColor(Color::whiteColor());
    disc->setCornerRadius((kShutterSide - 18) / 2);
    disc->setUserInteractionEnabled(false);
    m_shutter->addSubview(disc);
    m_shutter->addAction(TouchUpInside, [weak](Control&) {
        auto picker = weak.lock();
        if (picker && captureDevice())
            picker->pickImage(captureDevice()());
    });
    root->addSubview(m_shutter);

    m_cameraCancel = Button::make();
    m_cameraCancel->setTitle("取消");
    m_cameraCancel->titleLabel()->setFont(Font::system(18));
    m_cameraCancel->setFrame({ 10, barY + (kCameraBarHeight - 44) / 2, 60, 44 });
    m_cameraCancel->addAction(TouchUpInside, [weak](Control&) {
        if (auto picker = weak.lock())
            picker->cancel();
    });
    root->addSubview(m_cameraCancel);
}

void ImagePickerController::reloadAlbum()
{
    if (!m_grid)
        return;
    m_grid->setPhotos(platform::PhotoAlbum().photos());
    m_grid->scrollToNewest();
}

void ImagePickerController::viewWillAppear(bool)
{
    m_finished = false;
    if (m_sourceType == SourceType::Camera) {
        if (m_preview && captureDevice())
            m_preview->setImage(captureDevice()());
    } else {
        reloadAlbum();
    }
}

void ImagePickerController::viewDidAppear(bool)
{
    auto self = std::static_pointer_cast<ImagePickerController>(sharedController());
    auto& shown = shownPickers();
    std::erase_if(shown, [](auto& weak) { return weak.expired(); });
    shown.push_back(self);
    if (auto answer = std::exchange(pendingAnswer(), {})) {
        std::weak_ptr<ImagePickerController> weak = self;
        platform::MainQueue::shared().async([weak, answer] {
            if (auto picker = weak.lock())
                answer(*picker);
        });
    }
}

void ImagePickerController::viewDidDisappear(bool)
{
    std::erase_if(shownPickers(), [this](auto& weak) {
        auto picker = weak.lock();
        return !picker || picker.get() == this;
    });
}

std::shared_ptr<ImagePickerController> ImagePickerController::visiblePicker()
{
    auto& shown = shownPickers();
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        auto picker = it->lock();
        if (picker && !picker->m_finished && picker->presentingViewController())
            return picker;
    }
    return nullptr;
}

void ImagePickerController::answerNextPicker(std::function<void(ImagePickerController&)> answer)
{
    pendingAnswer() = std::move(answer);
}

bool ImagePickerController::hasPendingAnswer()
{
    return bool(pendingAnswer());
}

void ImagePickerController::photoSelected(size_t index)
{
    if (!m_grid || index >= m_grid->photos().size())
        return;
    const std::string path = m_grid->photos()[index].path;
    auto image = Image::fromPhotoFile(path);
    if (!image) {
        platform::log::line("picker", "cannot read " + path);
        return;
    }
    finish(image);
}

bool ImagePickerController::acceptDroppedFile(const std::string& path, Point screenPoint)
{
    auto picture = Image::fromPhotoFile(path);
    if (!picture)
        return ViewController::acceptDroppedFile(path, screenPoint);
    pickImage(std::move(picture));
    return true;
}

bool ImagePickerController::pickPhotoAtPath(const std::string& path)
{
    if (!m_grid)
        return false;
    auto find = [&]() -> std::optional<size_t> {
        std::error_code error;
        auto& photos = m_grid->photos();
        for (size_t i = 0; i < photos.size(); ++i) {
            if (photos[i].path == path || std::filesystem::equivalent(photos[i].path, path, error))
                return i;
        }
        return std::nullopt;
    };
    auto index = find();
    if (!index) {
        reloadAlbum();
        index = find();
    }
    if (!index)
        return false;
    Rect cell = m_grid->cellRect(*index);
    m_grid->scrollRectToVisible(cell, false);
    photoSelected(*index);
    return true;
}

void ImagePickerController::pickImage(ImagePtr image)
{
    if (image)
        finish(std::move(image));
}

void ImagePickerController::finish(ImagePtr image)
{
    if (m_finished)
        return;
    m_finished = true;
    auto keep = sharedController();
    ImagePickerInfo info { std::move(image), kMediaTypeImage };
    if (didFinishPickingMedia) {
        auto callback = didFinishPickingMedia;
        callback(*this, info);
    } else {
        dismissViewController(true);
    }
    // A delegate that leaves the picker up lets the user choose again.
    if (auto* presenter = presentingViewController(); presenter && presenter->presentedViewController() == keep)
        m_finished = false;
}

void ImagePickerController::cancel()
{
    if (m_finished)
        return;
    m_finished = true;
    auto keep = sharedController();
    if (didCancel) {
        auto callback = didCancel;
        callback(*this);
    } else {
        dismissViewController(true);
    }
    if (auto* presenter = presentingViewController(); presenter && presenter->presentedViewController() == keep)
        m_finished = false;
}

} // namespace ui
