#include "ui/Renderer.h"

#include <cairo.h>
#include <cmath>

#include "ui/Application.h"
#include "ui/Screen.h"
#include "ui/ScreenCanvas.h"
#include "ui/StatusBar.h"
#include "ui/View.h"
#include "ui/Window.h"
#include "ui/graphics/GraphicsContext.h"

namespace ui {

static void roundedRectPath(cairo_t* cr, const Rect& r, double radius)
{
    radius = std::min({ radius, r.width() / 2, r.height() / 2 });
    if (radius <= 0) {
        cairo_rectangle(cr, r.x(), r.y(), r.width(), r.height());
        return;
    }
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.maxX() - radius, r.y() + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, r.maxX() - radius, r.maxY() - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, r.x() + radius, r.maxY() - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, r.x() + radius, r.y() + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

static void drawTree(cairo_t* cr, View& view, bool applyGeometry);

static void drawContent(cairo_t* cr, View& view)
{
    Rect bounds = view.presentationBounds();
    Rect local { bounds.x(), bounds.y(), bounds.width(), bounds.height() };
    bool clip = view.clipsToBounds();
    if (clip) {
        roundedRectPath(cr, local, view.cornerRadius());
        cairo_clip(cr);
    }
    Color background = view.presentationBackgroundColor();
    if (view.backgroundColor() && background.alpha > 0) {
        cairo_set_source_rgba(cr, background.red, background.green, background.blue, background.alpha);
        roundedRectPath(cr, local, view.cornerRadius());
        cairo_fill(cr);
    }
    {
        GraphicsContext context(cr);
        context.save();
        view.draw(context, local);
        context.restore();
    }
    for (auto& child : view.subviews())
        drawTree(cr, *child, true);
    {
        GraphicsContext context(cr);
        context.save();
        view.drawAfterSubviews(context, local);
        context.restore();
    }
    if (view.borderWidth() > 0) {
        Color border = view.borderColor();
        double inset = view.borderWidth() / 2;
        cairo_set_source_rgba(cr, border.red, border.green, border.blue, border.alpha);
        cairo_set_line_width(cr, view.borderWidth());
        roundedRectPath(cr, local.insetBy(inset, inset), std::max(0.0, view.cornerRadius() - inset));
        cairo_stroke(cr);
    }
}

static void drawTree(cairo_t* cr, View& view, bool applyGeometry)
{
    if (view.isHidden())
        return;
    double alpha = view.presentationAlpha();
    if (alpha <= 0.001)
        return;
    cairo_save(cr);
    if (applyGeometry) {
        Point center = view.presentationCenter();
        Rect bounds = view.presentationBounds();
        AffineTransform t = view.presentationTransform();
        cairo_translate(cr, center.x, center.y);
        if (!t.isIdentity()) {
            cairo_matrix_t m { t.a, t.b, t.c, t.d, t.tx, t.ty };
            cairo_transform(cr, &m);
        }
        cairo_translate(cr, -bounds.width() / 2 - bounds.x(), -bounds.height() / 2 - bounds.y());
    }
    auto mask = view.maskView();
    bool group = alpha < 0.999 || mask;
    if (group)
        cairo_push_group(cr);
    drawContent(cr, view);
    if (group) {
        cairo_pattern_t* content = cairo_pop_group(cr);
        if (mask) {
            // The mask view is drawn in this view's coordinates; its alpha
            // decides what of the content shows.
            cairo_push_group(cr);
            drawTree(cr, *mask, true);
            cairo_pattern_t* maskPattern = cairo_pop_group(cr);
            if (alpha < 0.999) {
                cairo_push_group(cr);
                cairo_set_source(cr, content);
                cairo_mask(cr, maskPattern);
                cairo_pattern_t* masked = cairo_pop_group(cr);
                cairo_set_source(cr, masked);
                cairo_paint_with_alpha(cr, alpha);
                cairo_pattern_destroy(masked);
            } else {
                cairo_set_source(cr, content);
                cairo_mask(cr, maskPattern);
            }
            cairo_pattern_destroy(maskPattern);
        } else {
            cairo_set_source(cr, content);
            cairo_paint_with_alpha(cr, alpha);
        }
        cairo_pattern_destroy(content);
    }
    cairo_restore(cr);
}

void Renderer::drawView(cairo_t* cr, View& view)
{
    view.layoutIfNeeded();
    drawTree(cr, view, false);
}

void Renderer::drawScreen(cairo_t* cr)
{
    auto& app = Application::shared();
    app.layoutIfNeeded();
    Size size = Screen::main().size();
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_rectangle(cr, 0, 0, size.width, size.height);
    cairo_fill(cr);
    auto drawWindow = [cr](Window& window) {
        cairo_save(cr);
        Rect f = window.frame();
        cairo_translate(cr, f.x(), f.y());
        drawTree(cr, window, false);
        cairo_restore(cr);
    };
    auto windows = app.windows();
    for (auto& window : windows) {
        if (window->windowLevel() <= WindowLevel::StatusBar)
            drawWindow(*window);
    }
    GraphicsContext context(cr);
    StatusBar::shared().draw(context, size.width);
    // Alerts and the keyboard sit above the status bar: an alert's dim covers it too.
    for (auto& window : windows) {
        if (window->windowLevel() > WindowLevel::StatusBar)
            drawWindow(*window);
    }
    cairo_restore(cr);
}

static ImagePtr surfaceToImage(cairo_surface_t* surface, double scale)
{
    cairo_surface_flush(surface);
    platform::PixelBuffer pixels;
    pixels.width = cairo_image_surface_get_width(surface);
    pixels.height = cairo_image_surface_get_height(surface);
    pixels.stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    pixels.pixels.assign(data, data + size_t(pixels.stride) * size_t(pixels.height));
    return Image::fromPixels(std::move(pixels), scale);
}

ImagePtr Renderer::snapshotScreen()
{
    // Drawn into the shared canvas; the image keeps a copy of its own.
    return Image::fromPixels(ScreenCanvas::shared().draw(), Screen::main().scale());
}

ImagePtr Renderer::snapshotView(View& view, double scale)
{
    if (scale <= 0)
        scale = Screen::main().scale();
    Rect b = view.bounds();
    int w = std::max(1, int(std::lround(b.width() * scale))), h = std::max(1, int(std::lround(b.height() * scale)));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_surface_set_device_scale(surface, scale, scale);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, -b.x(), -b.y());
    drawView(cr, view);
    cairo_destroy(cr);
    auto image = surfaceToImage(surface, scale);
    cairo_surface_destroy(surface);
    return image;
}

} // namespace ui
