#pragma once
#include <optional>

// Decides which messages get a time-stamp row above them: the first one made
// after the screen opens does, and after that only one made more than a
// minute after the previous decision. Every decision moves the reference
// date, also back in time when it is given an older date.
class ChatTimeStampRule {
public:
    static constexpr double kInterval = 60;

    // `date` in seconds since 1970.
    bool isShowDateTime(double date);
    // The date of the previous decision; none before the first.
    const std::optional<double>& oldDate() const { return m_oldDate; }

private:
    std::optional<double> m_oldDate;
};
