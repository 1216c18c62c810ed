#pragma once
#include <memory>

namespace platform {

// The source of time for the whole program. The app runs on the system clock;
// tests and headless scenes run on a virtual clock that only moves when told to,
// so nothing in the program ever sleeps to wait for time to pass.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 UTC; what "now" means for dates and time stamps.
    virtual double now() const = 0;
};

class SystemClock final : public Clock {
public:
    double now() const override;
};

class VirtualClock final : public Clock {
public:
    explicit VirtualClock(double start = 1480000000.0) : m_now(start) {}
    double now() const override { return m_now; }
    void setNow(double seconds) { m_now = seconds; }

private:
    double m_now;
};

} // namespace platform
