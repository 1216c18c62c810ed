#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "doodle/DWDrawModel.h"
#include "doodle/DWPath.h"
#include "ui/View.h"
#include "ui/graphics/Image.h"

namespace ui {
class Bitmap;
}

// The transparent drawing surface of the doodle screen: records freehand
// strokes, paints them, and offers undo, redo, clear, an eraser and saving of
// the picture under it with the strokes into the album.
//
// Finished strokes are painted once into a cached layer; the stroke under the
// finger is laid over a copy of it one dirty rectangle at a time, so a touch
// move costs the same however many strokes the board holds. Undo repaints
// the cache where the stroke was, redo paints the stroke back on top, clear
// and a new size rebuild it.
class DWDrawingBoard : public ui::View {
public:
    enum Status { Drawing = 1, Ended = 2 };
    // Called synchronously from the touch handlers; the callee may not
    // release the board.
    using StatusBlock = std::function<void(int status, const DWDrawModelPtr& model)>;
    using BoardImageBlock = std::function<void(const ui::ImagePtr& image)>;

    static constexpr const char* kSavedMessage = "已保存到相册";
    static constexpr const char* kSaveFailedMessage = "保存失败";
    static constexpr double kDefaultLineWidth = 5;

    // The eraser is one switch for the whole app: it outlives every board and
    // applies to every board.
    static bool isEraserOn();

    explicit DWDrawingBoard(const ui::Rect& frame = {});
    ~DWDrawingBoard() override;
    static std::shared_ptr<DWDrawingBoard> make(const ui::Rect& frame);

    std::string className() const override { return "DWDrawingBoard"; }

    const std::vector<DWPathPtr>& paths() const { return m_paths; }
    // The redo stack, its top last.
    const std::vector<DWPathPtr>& tempPath() const { return m_tempPath; }
    // The positions of the stroke in progress; empty between strokes.
    const std::vector<DWDrawPoint>& tempPoints() const { return m_tempPoints; }
    const ui::Color& lineColor() const { return m_lineColor; }
    double lineWidth() const { return m_lineWidth; }
    const ui::ImagePtr& boardBackImage() const { return m_boardBackImage; }

    // While the eraser is on, a chosen colour waits until it is turned off.
    void setLineColor(const ui::Color& color);
    // Applies to the eraser too.
    void setLineWidth(double width);
    void setBoardBackImage(ui::ImagePtr image);
    void drawingStatus(StatusBlock block) { m_statusBlock = std::move(block); }
    void getChangeBoardImage(BoardImageBlock block) { m_boardImage = std::move(block); }

    void clearAll();
    // Undo: the last stroke goes onto the redo stack.
    void backToLastDraw();
    // Redo: the top of the redo stack comes back as the last stroke.
    void regeneration();
    // Toggles the eraser, remembering the pen while it is on.
    void eraser();
    // Writes the parent view (the picture with the strokes) at the screen's
    // scale into the album as PNG and tells the user how it went.
    void saveCurrentImageToAlbum();
    // Draws a recorded stroke, its points scaled from the screen it was
    // recorded on to this one. Touches wait until it is done.
    void drawWithPoints(const DWDrawModel& model);

    // The area the last change repainted, in the board's points.
    ui::Rect lastDirtyRect() const { return m_lastDirtyRect; }

    void touchesBegan(const ui::TouchList& touches) override;
    void touchesMoved(const ui::TouchList& touches) override;
    void touchesEnded(const ui::TouchList& touches) override;
    void touchesCancelled(const ui::TouchList& touches) override;
    void draw(ui::GraphicsContext& context, const ui::Rect& rect) override;

private:
    void observeBoardNotification();
    void beginStroke(ui::Point point);
    void continueStroke(ui::Point point);
    void endStroke(ui::Point point);
    DWDrawModelPtr makeRecord() const;
    void sendStatus(int status, const DWDrawModelPtr& model);

    // The layers: `m_committed` holds the finished strokes, `m_display` what
    // is shown (the finished strokes with the live one over them).
    bool ensureLayers();
    void rebuildLayers();
    // Paints the finished strokes afresh within `area`.
    void repaint(const ui::Rect& area);
    void commit(const DWPath& path);
    void refresh(const ui::Rect& area);

    std::vector<DWPathPtr> m_paths;
    std::vector<DWPathPtr> m_tempPath;
    std::vector<DWDrawPoint> m_tempPoints;
    DWPathPtr m_livePath;
    ui::Color m_lineColor = ui::Color::redColor();
    double m_lineWidth = kDefaultLineWidth;
    ui::Color m_lastColor = ui::Color::redColor();
    double m_lastLineWidth = kDefaultLineWidth;
    ui::ImagePtr m_boardBackImage;
    StatusBlock m_statusBlock;
    BoardImageBlock m_boardImage;

    std::unique_ptr<ui::Bitmap> m_committed;
    std::unique_ptr<ui::Bitmap> m_display;
    ui::Rect m_lastDirtyRect;
    std::uint64_t m_boardObserver = 0;
};
