#include "shell/script/ChatLongPicture.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

#include "composer/QYChatViewController.h"
#include "platform/PngBackgroundWriter.h"
#include "ui/Application.h"
#include "ui/ImageView.h"
#include "ui/Renderer.h"
#include "ui/Screen.h"

namespace shell {

namespace {

// One screen's drawing surface, drawn again for every strip.
class ScreenSurface {
public:
    ScreenSurface(int width, int height, double scale)
        : m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height))
    {
        cairo_surface_set_device_scale(m_surface, scale, scale);
    }
    ~ScreenSurface() { cairo_surface_destroy(m_surface); }
    ScreenSurface(const ScreenSurface&) = delete;
    ScreenSurface& operator=(const ScreenSurface&) = delete;

    bool isValid() const { return cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS; }

    // Draws the screen; with `only`, just what falls in that rectangle (points).
    void drawScreen(std::optional<ui::Rect> only = std::nullopt)
    {
        cairo_t* cr = cairo_create(m_surface);
        if (only) {
            cairo_rectangle(cr, only->x(), only->y(), only->width(), only->height());
            cairo_clip(cr);
        }
        ui::Renderer::drawScreen(cr);
        cairo_destroy(cr);
        cairo_surface_flush(m_surface);
    }

    platform::PixelView rows(int first, int count) const
    {
        platform::PixelView all(cairo_image_surface_get_data(m_surface), cairo_image_surface_get_width(m_surface),
            cairo_image_surface_get_height(m_surface), cairo_image_surface_get_stride(m_surface));
        return all.rows(first, count);
    }

private:
    cairo_surface_t* m_surface;
};

} // namespace

ChatLongPicture::ChatLongPicture(std::shared_ptr<QYChatViewController> chat)
    : m_chat(std::move(chat))
{
    ui::Application::shared().layoutIfNeeded();
    auto list = m_chat->baseTableView();
    // The picture is as long as every row: rows not shown yet are measured now.
    list->measureAllRows();
    auto bar = m_chat->toolBar();
    m_scale = ui::Screen::main().scale();
    auto px = [this](double points) { return std::llround(points * m_scale); };
    ui::Size screen = ui::Screen::main().size();
    m_width = int(px(screen.width));
    m_screenHeight = int(px(screen.height));
    m_listHeight = list->bounds().height();
    m_contentHeight = list->contentSize().height;
    m_topRows = int(px(list->convertRectTo(list->bounds(), nullptr).y()));
    ui::Rect barRect = bar->convertRectTo(bar->bounds(), nullptr);
    m_barTop = int(px(barRect.y()));
    m_barRows = int(px(barRect.height()));
    m_contentRows = px(m_contentHeight);
    m_height = m_topRows + m_contentRows + m_barRows;
}

std::string ChatLongPicture::tooTallMessage() const
{
    return "the long picture would be " + std::to_string(m_height) + " pixels tall, more than the "
        + std::to_string(kMaxHeight) + " that picture viewers open; write fewer messages, or use --pages";
}

void ChatLongPicture::scrollTo(double offset)
{
    m_chat->baseTableView()->setContentOffset({ 0, offset }, false);
    ui::Application::shared().layoutIfNeeded();
}

bool ChatLongPicture::write(const std::string& path)
{
    m_error.clear();
    if (!fitsTheLimit()) {
        m_error = tooTallMessage();
        return false;
    }
    if (m_listHeight <= 0 || m_width <= 0) {
        m_error = "the chat screen shows no messages to draw";
        return false;
    }
    auto list = m_chat->baseTableView();
    auto wallpaper = m_chat->backImageView();
    // What the strips change is put back whatever happens: one picture has no
    // scroll position to show, and the background picture shows only behind
    // the first screenful.
    struct Restore {
        std::shared_ptr<RIRingTableView> list;
        std::shared_ptr<ui::ImageView> wallpaper;
        ui::Point offset;
        bool indicator;
        bool wallpaperHidden;
        ~Restore()
        {
            list->showsVerticalScrollIndicator = indicator;
            if (wallpaper)
                wallpaper->setHidden(wallpaperHidden);
            list->setContentOffset(offset, false);
            ui::Application::shared().layoutIfNeeded();
        }
    } restore { list, wallpaper, list->contentOffset(), list->showsVerticalScrollIndicator,
        wallpaper && wallpaper->isHidden() };
    list->showsVerticalScrollIndicator = false;

    std::error_code ignored;
    auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder, ignored);
    ScreenSurface surface(m_width, m_screenHeight, m_scale);
    if (!surface.isValid()) {
        m_error = "cannot make a drawing surface of " + std::to_string(m_width) + "×" + std::to_string(m_screenHeight) + " pixels";
        return false;
    }
    // A drawn screen is opaque: the renderer starts each one on black.
    platform::PngBackgroundWriter writer(path, m_width, int(m_height), {}, true);
    auto px = [this](double points) { return std::llround(points * m_scale); };
    const ui::Rect listRect { 0, m_topRows / m_scale, m_width / m_scale, m_listHeight };
    // Strips start a list's height apart, also the last one: past the end the
    // list shows nothing, and only the rows of content are taken from it.
    double top = 0;
    do {
        if (top > 0 && wallpaper)
            wallpaper->setHidden(true);
        scrollTo(top);
        // After the first strip only the list's rows are taken: the bars
        // around them need not be drawn again, until the last strip's toolbar.
        bool last = top + m_listHeight >= m_contentHeight;
        if (top == 0 || last)
            surface.drawScreen();
        else
            surface.drawScreen(listRect);
        long long begin = px(top);
        long long end = std::min(px(top + m_listHeight), m_contentRows);
        int count = int(std::max(0LL, end - begin));
        bool written = top == 0 ? writer.writeRows(surface.rows(0, m_topRows + count))
                                : writer.writeRows(surface.rows(m_topRows, count));
        if (!written) {
            m_error = writer.error();
            return false;
        }
        top += m_listHeight;
    } while (top < m_contentHeight);
    if (!writer.writeRows(surface.rows(m_barTop, m_barRows)) || !writer.finish()) {
        m_error = writer.error();
        return false;
    }
    return true;
}

} // namespace shell
