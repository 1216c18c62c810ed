#pragma once
#include "coding/Object.h"

namespace coding {

// A moment, as seconds since 1970-01-01 00:00 UTC.
class Date final : public Object {
public:
    explicit Date(double secondsSince1970 = 0)
        : m_seconds(secondsSince1970)
    {
    }
    static std::shared_ptr<Date> make(double secondsSince1970) { return std::make_shared<Date>(secondsSince1970); }

    Kind kind() const override { return Kind::Date; }
    bool isEqual(const Object& other) const override
    {
        auto* date = dynamic_cast<const Date*>(&other);
        return date && date->m_seconds == m_seconds;
    }

    double secondsSince1970() const { return m_seconds; }

private:
    double m_seconds = 0;
};

using DatePtr = std::shared_ptr<Date>;

} // namespace coding
