#include "ui/View.h"

#include <algorithm>

#include "ui/DisplayState.h"
#include "ui/GestureRecognizer.h"
#include "ui/ViewController.h"
#include "ui/Window.h"

namespace ui {

View::View() = default;

View::View(const Rect& frame)
{
    m_bounds = AnimatedValue<Rect>(Rect { 0, 0, frame.width(), frame.height() });
    m_center = AnimatedValue<Point>(frame.center());
}

View::~View()
{
    for (auto& subview : m_subviews)
        subview->m_superview = nullptr;
    for (auto& recognizer : m_gestureRecognizers)
        recognizer->setView(nullptr);
}

Rect View::frame() const
{
    Rect b = m_bounds.value();
    Point c = m_center.value();
    AffineTransform t = m_transform.value();
    if (t.isIdentity())
        return { c.x - b.width() / 2, c.y - b.height() / 2, b.width(), b.height() };
    // The frame of a transformed view is the bounding box of its corners.
    double hw = b.width() / 2, hh = b.height() / 2;
    Point corners[4] = { { -hw, -hh }, { hw, -hh }, { -hw, hh }, { hw, hh } };
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (auto corner : corners) {
        Point p = t.apply(corner);
        minX = std::min(minX, p.x + c.x);
        maxX = std::max(maxX, p.x + c.x);
        minY = std::min(minY, p.y + c.y);
        maxY = std::max(maxY, p.y + c.y);
    }
    return { minX, minY, maxX - minX, maxY - minY };
}

void View::setFrame(const Rect& frame)
{
    Rect b = m_bounds.value();
    setBounds({ b.x(), b.y(), frame.width(), frame.height() });
    setCenter(frame.center());
}

void View::setBounds(const Rect& bounds)
{
    Rect old = m_bounds.value();
    if (old == bounds && !Animation::currentTiming())
        return;
    m_bounds.set(bounds);
    DisplayState::markDirty();
    if (old.size != bounds.size) {
        boundsSizeDidChange(old.size);
        resizeSubviews(old.size);
        setNeedsLayout();
    }
}

void View::setCenter(Point center)
{
    if (m_center.value() == center && !Animation::currentTiming())
        return;
    m_center.set(center);
    DisplayState::markDirty();
}

void View::setTransform(const AffineTransform& transform)
{
    if (m_transform.value() == transform && !Animation::currentTiming())
        return;
    m_transform.set(transform);
    DisplayState::markDirty();
}

bool View::isAnimating() const
{
    return m_bounds.isAnimating() || m_center.isAnimating() || m_transform.isAnimating() || m_alpha.isAnimating()
        || m_backgroundColor.isAnimating();
}

void View::setAlpha(double alpha)
{
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (m_alpha.value() == alpha && !Animation::currentTiming())
        return;
    m_alpha.set(alpha);
    DisplayState::markDirty();
}

void View::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    DisplayState::markDirty();
}

void View::setBackgroundColor(std::optional<Color> color)
{
    if (!color) {
        m_hasBackground = false;
        m_backgroundColor = AnimatedValue<Color>(Color::clearColor());
    } else {
        if (!m_hasBackground)
            m_backgroundColor = AnimatedValue<Color>(color->withAlpha(0));
        m_hasBackground = true;
        m_backgroundColor.set(*color);
    }
    DisplayState::markDirty();
}

void View::setCornerRadius(double radius)
{
    if (m_cornerRadius == radius)
        return;
    m_cornerRadius = radius;
    DisplayState::markDirty();
}

void View::setBorderWidth(double width)
{
    if (m_borderWidth == width)
        return;
    m_borderWidth = width;
    DisplayState::markDirty();
}

void View::setBorderColor(const Color& color)
{
    if (m_borderColor == color)
        return;
    m_borderColor = color;
    DisplayState::markDirty();
}

void View::setClipsToBounds(bool clips)
{
    if (m_clipsToBounds == clips)
        return;
    m_clipsToBounds = clips;
    DisplayState::markDirty();
}

void View::setMaskView(std::shared_ptr<View> mask)
{
    m_maskView = std::move(mask);
    DisplayState::markDirty();
}

void View::setContentMode(ContentMode mode)
{
    if (m_contentMode == mode)
        return;
    m_contentMode = mode;
    setNeedsDisplay();
}

void View::setSuperview(View* superview)
{
    m_superview = superview;
}

void View::addSubview(const std::shared_ptr<View>& view)
{
    insertSubview(view, m_subviews.size());
}

void View::insertSubview(const std::shared_ptr<View>& view, size_t index)
{
    if (!view || view.get() == this || isDescendantOf(view.get()))
        return;
    std::shared_ptr<View> keep = view;
    Window* oldWindow = view->window();
    if (view->m_superview == this) {
        // Re-inserting an existing subview only changes its order.
        auto it = std::find(m_subviews.begin(), m_subviews.end(), view);
        size_t current = size_t(it - m_subviews.begin());
        m_subviews.erase(it);
        if (index > current)
            --index;
        m_subviews.insert(m_subviews.begin() + std::min(index, m_subviews.size()), view);
        DisplayState::markDirty();
        return;
    }
    if (view->m_superview)
        view->removeFromSuperview();
    view->willMoveToSuperview(this);
    m_subviews.insert(m_subviews.begin() + std::min(index, m_subviews.size()), view);
    view->setSuperview(this);
    if (view->needsLayoutInTree()) {
        m_subviewNeedsLayout = true;
        markSuperviewsForLayout();
    }
    didAddSubview(view.get());
    view->didMoveToSuperview();
    if (view->window() != oldWindow)
        view->notifyMovedToWindow();
    DisplayState::markDirty();
}

void View::insertSubviewBelow(const std::shared_ptr<View>& view, const View* sibling)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& v) { return v.get() == sibling; });
    insertSubview(view, it == m_subviews.end() ? m_subviews.size() : size_t(it - m_subviews.begin()));
}

void View::insertSubviewAbove(const std::shared_ptr<View>& view, const View* sibling)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& v) { return v.get() == sibling; });
    insertSubview(view, it == m_subviews.end() ? m_subviews.size() : size_t(it - m_subviews.begin()) + 1);
}

void View::removeFromSuperview()
{
    View* parent = m_superview;
    if (!parent)
        return;
    auto self = sharedView(); // the superview held the last strong reference, maybe
    Window* oldWindow = window();
    if (isFirstResponder() || oldWindow)
        endEditing(true);
    parent->willRemoveSubview(this);
    willMoveToSuperview(nullptr);
    auto& siblings = parent->m_subviews;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
    m_superview = nullptr;
    didMoveToSuperview();
    if (oldWindow)
        notifyMovedToWindow();
    DisplayState::markDirty();
}

void View::notifyMovedToWindow()
{
    auto self = sharedView();
    didMoveToWindow();
    auto children = m_subviews;
    for (auto& child : children)
        child->notifyMovedToWindow();
}

void View::bringSubviewToFront(const View* view)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& v) { return v.get() == view; });
    if (it == m_subviews.end())
        return;
    auto keep = *it;
    m_subviews.erase(it);
    m_subviews.push_back(keep);
    DisplayState::markDirty();
}

void View::sendSubviewToBack(const View* view)
{
    auto it = std::find_if(m_subviews.begin(), m_subviews.end(), [&](auto& v) { return v.get() == view; });
    if (it == m_subviews.end())
        return;
    auto keep = *it;
    m_subviews.erase(it);
    m_subviews.insert(m_subviews.begin(), keep);
    DisplayState::markDirty();
}

bool View::isDescendantOf(const View* view) const
{
    for (const View* v = this; v; v = v->m_superview) {
        if (v == view)
            return true;
    }
    return false;
}

std::shared_ptr<View> View::viewWithTag(int tag)
{
    if (m_tag == tag)
        return sharedView();
    for (auto& subview : m_subviews) {
        if (auto found = subview->viewWithTag(tag))
            return found;
    }
    return nullptr;
}

Window* View::window() const
{
    const View* top = this;
    while (top->m_superview)
        top = top->m_superview;
    return dynamic_cast<Window*>(const_cast<View*>(top));
}

AffineTransform View::transformToSuperview() const
{
    // Bounds coordinates → superview coordinates: undo the bounds origin, move the
    // bounds centre to the origin, apply the transform, then move to the centre.
    Rect b = m_bounds.value();
    Point c = m_center.value();
    AffineTransform t = AffineTransform::translation(-b.x() - b.width() / 2, -b.y() - b.height() / 2);
    t = t.concat(m_transform.value());
    return t.concat(AffineTransform::translation(c.x, c.y));
}

Point View::toWindow(Point point) const
{
    for (const View* v = this; v && v->m_superview; v = v->m_superview)
        point = v->transformToSuperview().apply(point);
    return point;
}

Point View::fromWindow(Point point) const
{
    std::vector<const View*> chain;
    for (const View* v = this; v && v->m_superview; v = v->m_superview)
        chain.push_back(v);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        point = (*it)->transformToSuperview().inverted().apply(point);
    return point;
}

Rect View::frameInScreen() const
{
    Rect inWindow = convertRectTo(bounds(), nullptr);
    if (Window* w = window())
        return inWindow.offsetBy(w->frame().x(), w->frame().y());
    return inWindow;
}

Point View::convertPointTo(Point point, const View* view) const
{
    Point inWindow = toWindow(point);
    return view ? view->fromWindow(inWindow) : inWindow;
}

Point View::convertPointFrom(Point point, const View* view) const
{
    Point inWindow = view ? view->toWindow(point) : point;
    return fromWindow(inWindow);
}

Rect View::convertRectTo(const Rect& rect, const View* view) const
{
    Point a = convertPointTo(rect.origin, view);
    Point b = convertPointTo({ rect.maxX(), rect.maxY() }, view);
    return { std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y) };
}

Rect View::convertRectFrom(const Rect& rect, const View* view) const
{
    Point a = convertPointFrom(rect.origin, view);
    Point b = convertPointFrom({ rect.maxX(), rect.maxY() }, view);
    return { std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y) };
}

bool View::pointInside(Point point) const
{
    return bounds().contains(point);
}

std::shared_ptr<View> View::hitTest(Point point)
{
    if (m_hidden || !m_userInteractionEnabled || alpha() < 0.01)
        return nullptr;
    if (!pointInside(point))
        return nullptr;
    auto children = m_subviews;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto& child = *it;
        Point local = child->transformToSuperview().inverted().apply(point);
        if (auto hit = child->hitTest(local))
            return hit;
    }
    return sharedView();
}

void View::setNeedsLayout()
{
    m_needsLayout = true;
    markSuperviewsForLayout();
    DisplayState::markDirty();
}

void View::markSuperviewsForLayout()
{
    // Stops at the first superview already marked: the rest of the chain was
    // marked with it, or is being laid out and visits it in this pass.
    for (View* v = m_superview; v && !v->m_subviewNeedsLayout; v = v->m_superview)
        v->m_subviewNeedsLayout = true;
}

void View::layoutIfNeeded()
{
    if (!needsLayoutInTree())
        return;
    auto self = sharedView();
    if (m_needsLayout) {
        m_needsLayout = false;
        layoutSubviews();
    }
    if (!m_subviewNeedsLayout)
        return;
    m_subviewNeedsLayout = false;
    // A subview's layout may add or remove its siblings, so the walk goes over
    // the list as it was; views marked during the walk mark this one again.
    auto children = m_subviews;
    for (auto& child : children)
        child->layoutIfNeeded();
    // A subview's layout may have marked a sibling, passed or not yet visited;
    // only one still waiting keeps this view marked.
    m_subviewNeedsLayout = std::any_of(m_subviews.begin(), m_subviews.end(), [](const auto& child) { return child->needsLayoutInTree(); });
}

Size View::sizeThatFits(Size) const
{
    return bounds().size;
}

void View::sizeToFit()
{
    Size fitted = sizeThatFits(bounds().size);
    Rect f = frame();
    setFrame({ f.x(), f.y(), fitted.width, fitted.height });
}

void View::draw(GraphicsContext&, const Rect&) { }

void View::setNeedsDisplay()
{
    DisplayState::markDirty();
}

void View::addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer)
{
    if (!recognizer)
        return;
    if (auto* old = recognizer->view())
        old->removeGestureRecognizer(recognizer.get());
    m_gestureRecognizers.push_back(recognizer);
    recognizer->setView(this);
}

void View::removeGestureRecognizer(const GestureRecognizer* recognizer)
{
    auto it = std::find_if(m_gestureRecognizers.begin(), m_gestureRecognizers.end(),
        [&](auto& r) { return r.get() == recognizer; });
    if (it == m_gestureRecognizers.end())
        return;
    (*it)->setView(nullptr);
    m_gestureRecognizers.erase(it);
}

bool View::endEditing(bool)
{
    if (auto* w = window()) {
        if (auto responder = w->firstResponder()) {
            auto* asView = dynamic_cast<View*>(responder.get());
            if (asView && asView->isDescendantOf(this))
                return responder->resignFirstResponder();
        }
    }
    return false;
}

Responder* View::nextResponder() const
{
    if (m_viewController)
        return m_viewController;
    return m_superview;
}

void View::setX(double x) { auto f = frame(); f.origin.x = x; setFrame(f); }
void View::setY(double y) { auto f = frame(); f.origin.y = y; setFrame(f); }
void View::setWidth(double width) { auto f = frame(); f.size.width = width; setFrame(f); }
void View::setHeight(double height) { auto f = frame(); f.size.height = height; setFrame(f); }
void View::setSize(Size size) { auto f = frame(); f.size = size; setFrame(f); }
void View::setOrigin(Point origin) { auto f = frame(); f.origin = origin; setFrame(f); }
void View::setCenterX(double x) { setCenter({ x, center().y }); }
void View::setCenterY(double y) { setCenter({ center().x, y }); }

void View::resizeSubviews(Size oldSize)
{
    if (!m_autoresizesSubviews)
        return;
    Size newSize = m_bounds.value().size;
    for (auto& child : m_subviews)
        child->applyAutoresizing(oldSize, newSize);
}

// Distributes a change of the superview's size over the flexible parts, in
// proportion to their current sizes, as the phone's springs and struts do.
static void distribute(double delta, bool flexStart, bool flexSize, bool flexEnd, double start, double size, double end,
    double& outStart, double& outSize)
{
    outStart = start;
    outSize = size;
    double total = (flexStart ? start : 0) + (flexSize ? size : 0) + (flexEnd ? end : 0);
    int count = int(flexStart) + int(flexSize) + int(flexEnd);
    if (count == 0)
        return;
    auto share = [&](bool flex, double part) {
        if (!flex)
            return 0.0;
        return total > 0 ? delta * part / total : delta / count;
    };
    outStart = start + share(flexStart, start);
    outSize = size + share(flexSize, size);
}

void View::applyAutoresizing(Size oldSuper, Size newSuper)
{
    unsigned m = m_autoresizingMask;
    if (m == AutoresizingNone)
        return;
    Rect f = frame();
    double x, w, y, h;
    distribute(newSuper.width - oldSuper.width, m & FlexibleLeftMargin, m & FlexibleWidth, m & FlexibleRightMargin, f.x(),
        f.width(), oldSuper.width - f.maxX(), x, w);
    distribute(newSuper.height - oldSuper.height, m & FlexibleTopMargin, m & FlexibleHeight, m & FlexibleBottomMargin,
        f.y(), f.height(), oldSuper.height - f.maxY(), y, h);
    setFrame({ x, y, std::max(0.0, w), std::max(0.0, h) });
}

} // namespace ui
