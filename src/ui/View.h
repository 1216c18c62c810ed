#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Animation.h"
#include "ui/Responder.h"
#include "ui/graphics/Color.h"
#include "ui/graphics/Geometry.h"

namespace ui {

class GestureRecognizer;
class GraphicsContext;
class ViewController;
class Window;

enum class ContentMode { ScaleToFill, ScaleAspectFit, ScaleAspectFill, Redraw, Center, Top, Bottom, Left, Right };

// Which edges and sizes follow the superview when its size changes.
enum AutoresizingMask : unsigned {
    AutoresizingNone = 0,
    FlexibleLeftMargin = 1 << 0,
    FlexibleWidth = 1 << 1,
    FlexibleRightMargin = 1 << 2,
    FlexibleTopMargin = 1 << 3,
    FlexibleHeight = 1 << 4,
    FlexibleBottomMargin = 1 << 5,
};

// A rectangle on the screen that draws itself and its subviews and receives
// touches. Geometry is the phone's: `center` and `bounds` are the model;
// `frame` is derived from them and the transform. Frame, transform, alpha and
// background colour animate inside an Animation block.
class View : public Responder {
public:
    View();
    explicit View(const Rect& frame);
    ~View() override;

    template<typename T, typename... Args>
    static std::shared_ptr<T> make(Args&&... args)
    {
        return std::make_shared<T>(std::forward<Args>(args)...);
    }
    std::shared_ptr<View> sharedView() { return std::static_pointer_cast<View>(shared_from_this()); }

    // The class name shown in tree dumps.
    virtual std::string className() const { return "UIView"; }

    // Geometry.
    Rect frame() const;
    virtual void setFrame(const Rect& frame);
    Rect bounds() const { return m_bounds.value(); }
    virtual void setBounds(const Rect& bounds);
    Point center() const { return m_center.value(); }
    void setCenter(Point center);
    AffineTransform transform() const { return m_transform.value(); }
    void setTransform(const AffineTransform& transform);

    // What is drawn right now, between the old and new values while animating.
    Rect presentationBounds() const { return m_bounds.presentation(); }
    Point presentationCenter() const { return m_center.presentation(); }
    AffineTransform presentationTransform() const { return m_transform.presentation(); }
    double presentationAlpha() const { return m_alpha.presentation(); }
    Color presentationBackgroundColor() const { return m_backgroundColor.presentation(); }
    bool isAnimating() const;

    // Appearance.
    double alpha() const { return m_alpha.value(); }
    void setAlpha(double alpha);
    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    std::optional<Color> backgroundColor() const { return m_hasBackground ? std::optional(m_backgroundColor.value()) : std::nullopt; }
    void setBackgroundColor(std::optional<Color> color);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width);
    Color borderColor() const { return m_borderColor; }
    void setBorderColor(const Color& color);
    bool clipsToBounds() const { return m_clipsToBounds; }
    void setClipsToBounds(bool clips);
    // A view whose drawn alpha masks this view's content (not part of the tree).
    std::shared_ptr<View> maskView() const { return m_maskView; }
    void setMaskView(std::shared_ptr<View> mask);
    ContentMode contentMode() const { return m_contentMode; }
    void setContentMode(ContentMode mode);
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    bool isExclusiveTouch() const { return m_exclusiveTouch; }
    void setExclusiveTouch(bool exclusive) { m_exclusiveTouch = exclusive; }
    unsigned autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(unsigned mask) { m_autoresizingMask = mask; }
    bool autoresizesSubviews() const { return m_autoresizesSubviews; }
    void setAutoresizesSubviews(bool value) { m_autoresizesSubviews = value; }

    // Hierarchy. Subviews are owned; the superview is a weak back reference.
    View* superview() const { return m_superview; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return m_subviews; }
    void addSubview(const std::shared_ptr<View>& view);
    void insertSubview(const std::shared_ptr<View>& view, size_t index);
    void insertSubviewBelow(const std::shared_ptr<View>& view, const View* sibling);
    void insertSubviewAbove(const std::shared_ptr<View>& view, const View* sibling);
    void removeFromSuperview();
    void bringSubviewToFront(const View* view);
    void sendSubviewToBack(const View* view);
    bool isDescendantOf(const View* view) const;
    // The first view with the tag in a depth-first search that starts here.
    std::shared_ptr<View> viewWithTag(int tag);
    virtual Window* window() const;

    // Hierarchy hooks, called synchronously by addSubview, insertSubview and
    // removeFromSuperview, in the order listed; the view stays alive through
    // all of them.
    // Before a subview leaves: on the superview, with the subview.
    virtual void willRemoveSubview(View*) { }
    // Before the view moves: with the new superview, or null when it leaves.
    virtual void willMoveToSuperview(View*) { }
    // After a subview was added: on the superview, with the subview.
    virtual void didAddSubview(View*) { }
    // After the view moved into or out of a superview.
    virtual void didMoveToSuperview() { }
    // After the view's window changed, on the view and then on each subview.
    virtual void didMoveToWindow() { }

    // Coordinates.
    Point convertPointTo(Point point, const View* view) const;
    Point convertPointFrom(Point point, const View* view) const;
    Rect convertRectTo(const Rect& rect, const View* view) const;
    Rect convertRectFrom(const Rect& rect, const View* view) const;
    // The view's bounds in screen coordinates (through its window's frame).
    Rect frameInScreen() const;
    // Window coordinates of a point in this view, and back.
    Point toWindow(Point point) const;
    Point fromWindow(Point point) const;

    // Hit testing: the deepest visible, interactive view under the point
    // (in this view's coordinates), front-most first.
    virtual std::shared_ptr<View> hitTest(Point point);
    virtual bool pointInside(Point point) const;

    // Layout. layoutSubviews is called by layoutIfNeeded, which the renderer
    // runs on the whole tree before each frame; it descends only into subtrees
    // where some view was marked with setNeedsLayout.
    virtual void layoutSubviews() { }
    void setNeedsLayout();
    void layoutIfNeeded();
    bool needsLayout() const { return m_needsLayout; }
    // Whether this view or one inside it waits for layout.
    bool needsLayoutInTree() const { return m_needsLayout || m_subviewNeedsLayout; }
    virtual Size sizeThatFits(Size size) const;
    void sizeToFit();

    // Drawing: `draw` paints the view's own content in its bounds' coordinates,
    // after the background and before the subviews. The renderer calls it.
    virtual void draw(GraphicsContext& context, const Rect& rect);
    // Paints over the subviews (scroll indicators and the like).
    virtual void drawAfterSubviews(GraphicsContext&, const Rect&) { }
    void setNeedsDisplay();

    // Gestures.
    void addGestureRecognizer(const std::shared_ptr<GestureRecognizer>& recognizer);
    void removeGestureRecognizer(const GestureRecognizer* recognizer);
    const std::vector<std::shared_ptr<GestureRecognizer>>& gestureRecognizers() const { return m_gestureRecognizers; }

    // Resigns the first responder if it is this view or inside it.
    virtual bool endEditing(bool force);

    // The controller whose root view this is, if any.
    ViewController* viewController() const { return m_viewController; }
    void setViewController(ViewController* controller) { m_viewController = controller; }

    Responder* nextResponder() const override;

    // What a tree dump shows of the view beyond its geometry.
    virtual std::string debugText() const { return {}; }
    virtual std::string debugImageName() const { return {}; }

    // Frame accessors used throughout the screens.
    double x() const { return frame().x(); }
    double y() const { return frame().y(); }
    double width() const { return frame().width(); }
    double height() const { return frame().height(); }
    Size size() const { return frame().size; }
    Point origin() const { return frame().origin; }
    double centerX() const { return center().x; }
    double centerY() const { return center().y; }
    void setX(double x);
    void setY(double y);
    void setWidth(double width);
    void setHeight(double height);
    void setSize(Size size);
    void setOrigin(Point origin);
    void setCenterX(double x);
    void setCenterY(double y);

protected:
    // Called when the bounds size changed, before the subviews are resized.
    virtual void boundsSizeDidChange(Size) { }
    void setSuperview(View* superview);
    void notifyMovedToWindow();

private:
    void resizeSubviews(Size oldSize);
    // Tells the superviews up the chain that a view inside them waits for layout.
    void markSuperviewsForLayout();
    void applyAutoresizing(Size oldSuperSize, Size newSuperSize);
    AffineTransform transformToSuperview() const;

    AnimatedValue<Rect> m_bounds;
    AnimatedValue<Point> m_center;
    AnimatedValue<AffineTransform> m_transform;
    AnimatedValue<double> m_alpha { 1.0 };
    AnimatedValue<Color> m_backgroundColor;
    bool m_hasBackground = false;
    bool m_hidden = false;
    bool m_opaque = false;
    double m_cornerRadius = 0;
    double m_borderWidth = 0;
    Color m_borderColor = Color::blackColor();
    bool m_clipsToBounds = false;
    std::shared_ptr<View> m_maskView;
    ContentMode m_contentMode = ContentMode::ScaleToFill;
    int m_tag = 0;
    bool m_userInteractionEnabled = true;
    bool m_exclusiveTouch = false;
    unsigned m_autoresizingMask = AutoresizingNone;
    bool m_autoresizesSubviews = true;
    bool m_needsLayout = true;
    bool m_subviewNeedsLayout = false;

    View* m_superview = nullptr;
    std::vector<std::shared_ptr<View>> m_subviews;
    std::vector<std::shared_ptr<GestureRecognizer>> m_gestureRecognizers;
    ViewController* m_viewController = nullptr;
};

using ViewPtr = std::shared_ptr<View>;

} // namespace ui
