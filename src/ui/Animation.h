#pragma once
#include <functional>
#include <optional>

#include "ui/graphics/Color.h"
#include "ui/graphics/Geometry.h"

namespace ui {

enum class AnimationCurve { EaseInOut, EaseIn, EaseOut, Linear };

// Timing of one running animation of a view property, on the main queue's clock.
struct AnimationTiming {
    double start = 0;
    double duration = 0;
    AnimationCurve curve = AnimationCurve::EaseInOut;

    // Progress in [0, 1] at `now`, after the curve.
    double progressAt(double now) const;
    bool isFinishedAt(double now) const { return now >= start + duration; }
};

// The block-based view animations. Property changes made inside `animations`
// take their new (model) values at once; what is drawn moves from the old
// values to the new ones over the duration. Blocks nest: an inner animation
// uses its own timing. `completion` runs on the main queue when the duration
// (plus delay) has passed, with true, never synchronously.
class Animation {
public:
    static void animate(double duration, double delay, AnimationCurve curve, const std::function<void()>& animations,
        std::function<void(bool)> completion = {});
    static void animate(double duration, const std::function<void()>& animations, std::function<void(bool)> completion = {});
    // Changes made inside take effect without animation even within an animation block.
    static void performWithoutAnimation(const std::function<void()>& changes);

    // The timing for a property change made now, or nullopt outside any block.
    static std::optional<AnimationTiming> currentTiming();
    static double now();
    // When the last of the animations begun so far ends; from then on nothing
    // on screen moves until a new one begins.
    static double latestEnd();

    static double interpolate(double from, double to, double progress) { return from + (to - from) * progress; }
    static Rect interpolate(const Rect& from, const Rect& to, double progress);
    static Point interpolate(Point from, Point to, double progress);
    static AffineTransform interpolate(const AffineTransform& from, const AffineTransform& to, double progress);
    static Color interpolate(const Color& from, const Color& to, double progress);
};

// One animatable value: the model value plus, while animating, where it came from.
template<typename T>
class AnimatedValue {
public:
    AnimatedValue() = default;
    explicit AnimatedValue(T value)
        : m_value(value)
    {
    }

    const T& value() const { return m_value; }
    void set(const T& value)
    {
        auto timing = Animation::currentTiming();
        if (timing && timing->duration > 0) {
            m_from = presentation();
            m_timing = timing;
        } else {
            m_timing.reset();
        }
        m_value = value;
    }
    T presentation() const
    {
        if (!m_timing)
            return m_value;
        double now = Animation::now();
        if (m_timing->isFinishedAt(now))
            return m_value;
        return Animation::interpolate(m_from, m_value, m_timing->progressAt(now));
    }
    bool isAnimating() const { return m_timing && !m_timing->isFinishedAt(Animation::now()); }

private:
    T m_value {};
    T m_from {};
    std::optional<AnimationTiming> m_timing;
};

} // namespace ui
