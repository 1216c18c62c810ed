#include "doodle/DWDrawingBoard.h"

#include <utility>

#include "platform/Log.h"
#include "platform/MainQueue.h"
#include "platform/PhotoAlbum.h"
#include "ui/NotificationCenter.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"
#include "ui/graphics/Bitmap.h"
#include "widgets/ColorHex.h"
#include "widgets/QYNoticeHUD.h"

namespace {

bool g_eraserOn = false;

constexpr const char* kImageBoardNotification = "ImageBoardNotification";
constexpr const char* kImageBoardNameKey = "imageBoardName";

} // namespace

bool DWDrawingBoard::isEraserOn() { return g_eraserOn; }

DWDrawingBoard::DWDrawingBoard(const ui::Rect& frame)
    : ui::View(frame)
{
    // A board made while the eraser is on starts erasing, as the switch shows.
    if (g_eraserOn)
        m_lineColor = ui::Color::clearColor();
}

DWDrawingBoard::~DWDrawingBoard() { ui::NotificationCenter::shared().removeObserver(m_boardObserver); }

std::shared_ptr<DWDrawingBoard> DWDrawingBoard::make(const ui::Rect& frame)
{
    auto board = std::make_shared<DWDrawingBoard>(frame);
    board->observeBoardNotification();
    return board;
}

void DWDrawingBoard::observeBoardNotification()
{
    std::weak_ptr<ui::View> weak = sharedView();
    m_boardObserver = ui::NotificationCenter::shared().addObserver(sharedView(), kImageBoardNotification,
        [weak](const ui::Notification& notification) {
            auto self = std::static_pointer_cast<DWDrawingBoard>(weak.lock());
            auto name = notification.userInfo.find(kImageBoardNameKey);
            if (!self || name == notification.userInfo.end())
                return;
            if (auto text = std::any_cast<std::string>(&name->second))
                self->setBoardBackImage(ui::Image::named(*text));
        });
}

// MARK: - Pen

void DWDrawingBoard::setLineColor(const ui::Color& color)
{
    if (g_eraserOn)
        m_lastColor = color;
    else
        m_lineColor = color;
}

void DWDrawingBoard::setLineWidth(double width)
{
    m_lineWidth = width;
    m_lastLineWidth = width;
}

void DWDrawingBoard::setBoardBackImage(ui::ImagePtr image)
{
    m_boardBackImage = std::move(image);
    if (m_boardImage)
        m_boardImage(m_boardBackImage);
}

void DWDrawingBoard::eraser()
{
    if (!g_eraserOn) {
        m_lastColor = m_lineColor;
        m_lastLineWidth = m_lineWidth;
        m_lineColor = ui::Color::clearColor();
        g_eraserOn = true;
    } else {
        g_eraserOn = false;
        m_lineColor = m_lastColor;
        m_lineWidth = m_lastLineWidth;
    }
}

// MARK: - Editing

void DWDrawingBoard::clearAll()
{
    m_paths.clear();
    m_livePath.reset();
    rebuildLayers();
}

void DWDrawingBoard::backToLastDraw()
{
    if (m_paths.empty())
        return;
    // Undone under the finger, the stroke is drawn no further.
    if (m_paths.back() == m_livePath)
        m_livePath.reset();
    auto undone = m_paths.back();
    m_tempPath.push_back(undone);
    m_paths.pop_back();
    // Only where the stroke was does anything change.
    repaint(undone->bounds());
}

void DWDrawingBoard::regeneration()
{
    if (m_tempPath.empty())
        return;
    auto path = m_tempPath.back();
    m_tempPath.pop_back();
    // The stroke comes back on top of the others: painting it once is enough.
    if (m_livePath) {
        m_paths.insert(m_paths.end() - 1, path);
        rebuildLayers();
        return;
    }
    m_paths.push_back(path);
    commit(*path);
}

// MARK: - Strokes

void DWDrawingBoard::touchesBegan(const ui::TouchList& touches)
{
    if (!touches.empty())
        beginStroke(touches.front()->locationIn(this));
}

void DWDrawingBoard::touchesMoved(const ui::TouchList& touches)
{
    if (!touches.empty())
        continueStroke(touches.front()->locationIn(this));
}

void DWDrawingBoard::touchesEnded(const ui::TouchList& touches)
{
    if (!touches.empty())
        endStroke(touches.front()->locationIn(this));
}

void DWDrawingBoard::touchesCancelled(const ui::TouchList& touches)
{
    // A stroke taken over by the system keeps what was drawn and ends cleanly.
    if (!touches.empty())
        endStroke(touches.front()->locationIn(this));
}

void DWDrawingBoard::beginStroke(ui::Point point)
{
    m_livePath = std::make_shared<DWPath>(point, m_lineWidth, m_lineColor, g_eraserOn);
    m_paths.push_back(m_livePath);
    m_tempPoints.push_back({ float(point.x), float(point.y) });
    refresh(m_livePath->lastSegmentBounds());
    sendStatus(Drawing, nullptr);
}

void DWDrawingBoard::continueStroke(ui::Point point)
{
    // Undo or clear in the middle of a stroke takes the live stroke away.
    if (m_livePath && (m_paths.empty() || m_paths.back() != m_livePath))
        m_livePath.reset();
    if (m_livePath) {
        m_livePath->addLineTo(point);
        refresh(m_livePath->lastSegmentBounds());
    }
    m_tempPoints.push_back({ float(point.x), float(point.y) });
    sendStatus(Drawing, nullptr);
}

void DWDrawingBoard::endStroke(ui::Point point)
{
    if (m_tempPoints.empty())
        return; // no stroke began on this board
    continueStroke(point);
    m_tempPoints.push_back({ float(point.x), float(point.y) });
    if (auto finished = std::exchange(m_livePath, nullptr))
        commit(*finished);
    auto record = makeRecord();
    m_tempPoints.clear();
    sendStatus(Ended, record);
}

DWDrawModelPtr DWDrawingBoard::makeRecord() const
{
    auto record = std::make_shared<DWDrawModel>();
    record->pointList = m_tempPoints;
    record->paintColor = toColorString(m_lineColor);
    record->paintSize = float(m_lineWidth);
    record->isEraser = g_eraserOn;
    ui::Size screen = ui::Screen::main().size();
    record->width = float(screen.width);
    record->hight = float(screen.height);
    return record;
}

void DWDrawingBoard::sendStatus(int status, const DWDrawModelPtr& model)
{
    if (!m_statusBlock)
        return;
    auto keep = sharedView();
    auto block = m_statusBlock;
    block(status, model);
}

void DWDrawingBoard::drawWithPoints(const DWDrawModel& model)
{
    if (model.pointList.empty())
        return;
    ui::Size screen = ui::Screen::main().size();
    double sx = model.width > 0 ? screen.width / model.width : 1;
    double sy = model.hight > 0 ? screen.height / model.hight : 1;
    auto at = [&](const DWDrawPoint& p) { return ui::Point { p.x * sx, p.y * sy }; };
    ui::Color color = model.isEraser ? ui::Color::clearColor() : colorWithHexString(model.paintColor);
    auto path = std::make_shared<DWPath>(at(model.pointList.front()), model.paintSize > 0 ? model.paintSize : m_lineWidth,
        color, model.isEraser);
    for (size_t i = 1; i < model.pointList.size(); ++i)
        path->addLineTo(at(model.pointList[i]));

    bool interactive = isUserInteractionEnabled();
    setUserInteractionEnabled(false);
    // A stroke under the finger stays the last one.
    auto place = m_livePath && !m_paths.empty() && m_paths.back() == m_livePath ? m_paths.end() - 1 : m_paths.end();
    m_paths.insert(place, path);
    if (m_livePath)
        rebuildLayers();
    else
        commit(*path);
    setUserInteractionEnabled(interactive);
}

// MARK: - Saving

void DWDrawingBoard::saveCurrentImageToAlbum()
{
    ui::View& picture = superview() ? *superview() : *this;
    auto image = ui::Renderer::snapshotView(picture, ui::Screen::main().scale());
    platform::PhotoAlbum album;
    auto path = image ? album.save(image->pixels(), platform::PhotoAlbum::Format::Png, platform::MainQueue::shared().now())
                      : std::nullopt;
    if (path) {
        QYNoticeHUD::showSuccessWithStatus(kSavedMessage);
    } else {
        platform::log::line("doodle", "the drawing could not be saved in " + album.folder());
        QYNoticeHUD::showErrorWithStatus(kSaveFailedMessage);
    }
}

// MARK: - Layers

bool DWDrawingBoard::ensureLayers()
{
    ui::Size size = bounds().size;
    double scale = ui::Screen::main().scale();
    if (size.isEmpty()) {
        m_committed.reset();
        m_display.reset();
        return false;
    }
    if (m_display && m_display->size() == size && m_display->scale() == scale)
        return true;
    m_committed = std::make_unique<ui::Bitmap>(size, scale);
    m_display = std::make_unique<ui::Bitmap>(size, scale);
    rebuildLayers();
    return true;
}

void DWDrawingBoard::rebuildLayers()
{
    if (!m_display) {
        ensureLayers();
        return;
    }
    m_committed->clear();
    m_committed->draw([this](ui::GraphicsContext& context) {
        for (const auto& path : m_paths) {
            if (path != m_livePath)
                path->stroke(context);
        }
    });
    ui::Rect whole { {}, m_display->size() };
    m_display->copyFrom(*m_committed, whole);
    if (m_livePath)
        m_display->draw([this](ui::GraphicsContext& context) { m_livePath->stroke(context); });
    m_lastDirtyRect = whole;
    setNeedsDisplay();
}

void DWDrawingBoard::repaint(const ui::Rect& area)
{
    if (!m_display) {
        ensureLayers();
        return;
    }
    ui::Rect dirty = m_committed->pixelAligned(area);
    if (dirty.isEmpty())
        return;
    m_committed->clear(dirty);
    m_committed->draw([&](ui::GraphicsContext& context) {
        for (const auto& path : m_paths) {
            if (path != m_livePath)
                path->stroke(context, dirty);
        }
    }, dirty);
    refresh(dirty);
}

void DWDrawingBoard::commit(const DWPath& path)
{
    if (!ensureLayers())
        return;
    m_committed->draw([&](ui::GraphicsContext& context) { path.stroke(context); }, path.bounds());
    m_display->copyFrom(*m_committed, path.bounds());
    m_lastDirtyRect = m_display->pixelAligned(path.bounds());
    setNeedsDisplay();
}

void DWDrawingBoard::refresh(const ui::Rect& area)
{
    if (!ensureLayers())
        return;
    ui::Rect dirty = m_display->pixelAligned(area);
    if (dirty.isEmpty())
        return;
    m_display->copyFrom(*m_committed, dirty);
    if (m_livePath)
        m_display->draw([&](ui::GraphicsContext& context) { m_livePath->stroke(context, dirty); }, dirty);
    m_lastDirtyRect = dirty;
    setNeedsDisplay();
}

void DWDrawingBoard::draw(ui::GraphicsContext& context, const ui::Rect&)
{
    if (ensureLayers())
        m_display->paint(context, bounds());
}
