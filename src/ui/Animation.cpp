#include "ui/Animation.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/MainQueue.h"

namespace ui {

static std::vector<std::optional<AnimationTiming>>& timingStack()
{
    static std::vector<std::optional<AnimationTiming>> stack;
    return stack;
}

static double s_latestEnd = 0;

// A cubic Bézier timing function from (0,0) to (1,1), solved for x by bisection.
static double cubicBezier(double x1, double y1, double x2, double y2, double x)
{
    auto at = [](double a, double b, double t) {
        double u = 1 - t;
        return 3 * u * u * t * a + 3 * u * t * t * b + t * t * t;
    };
    double lo = 0, hi = 1, t = x;
    for (int i = 0; i < 40; ++i) {
        t = (lo + hi) / 2;
        if (at(x1, x2, t) < x)
            lo = t;
        else
            hi = t;
    }
    return at(y1, y2, t);
}

double AnimationTiming::progressAt(double now) const
{
    if (duration <= 0 || now >= start + duration)
        return 1;
    if (now <= start)
        return 0;
    double x = (now - start) / duration;
    switch (curve) {
    case AnimationCurve::Linear:
        return x;
    case AnimationCurve::EaseIn:
        return cubicBezier(0.42, 0, 1, 1, x);
    case AnimationCurve::EaseOut:
        return cubicBezier(0, 0, 0.58, 1, x);
    case AnimationCurve::EaseInOut:
        return cubicBezier(0.42, 0, 0.58, 1, x);
    }
    return x;
}

void Animation::animate(double duration, double delay, AnimationCurve curve, const std::function<void()>& animations,
    std::function<void(bool)> completion)
{
    AnimationTiming timing { now() + std::max(0.0, delay), std::max(0.0, duration), curve };
    s_latestEnd = std::max(s_latestEnd, timing.start + timing.duration);
    timingStack().push_back(timing);
    if (animations)
        animations();
    timingStack().pop_back();
    if (completion) {
        platform::MainQueue::shared().after(std::max(0.0, delay) + std::max(0.0, duration),
            [completion = std::move(completion)] { completion(true); });
    }
}

void Animation::animate(double duration, const std::function<void()>& animations, std::function<void(bool)> completion)
{
    animate(duration, 0, AnimationCurve::EaseInOut, animations, std::move(completion));
}

void Animation::performWithoutAnimation(const std::function<void()>& changes)
{
    timingStack().push_back(std::nullopt);
    changes();
    timingStack().pop_back();
}

std::optional<AnimationTiming> Animation::currentTiming()
{
    if (timingStack().empty())
        return std::nullopt;
    return timingStack().back();
}

double Animation::now() { return platform::MainQueue::shared().now(); }

double Animation::latestEnd() { return s_latestEnd; }

Rect Animation::interpolate(const Rect& from, const Rect& to, double p)
{
    return { interpolate(from.x(), to.x(), p), interpolate(from.y(), to.y(), p), interpolate(from.width(), to.width(), p),
        interpolate(from.height(), to.height(), p) };
}

Point Animation::interpolate(Point from, Point to, double p)
{
    return { interpolate(from.x, to.x, p), interpolate(from.y, to.y, p) };
}

AffineTransform Animation::interpolate(const AffineTransform& from, const AffineTransform& to, double p)
{
    return { interpolate(from.a, to.a, p), interpolate(from.b, to.b, p), interpolate(from.c, to.c, p),
        interpolate(from.d, to.d, p), interpolate(from.tx, to.tx, p), interpolate(from.ty, to.ty, p) };
}

Color Animation::interpolate(const Color& from, const Color& to, double p)
{
    // A clear colour fades in or out in its partner's hue rather than through black.
    Color a = from.isClear() ? to.withAlpha(0) : from;
    Color b = to.isClear() ? from.withAlpha(0) : to;
    return { interpolate(a.red, b.red, p), interpolate(a.green, b.green, p), interpolate(a.blue, b.blue, p),
        interpolate(a.alpha, b.alpha, p) };
}

} // namespace ui
