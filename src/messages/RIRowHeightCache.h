#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class QYChatModel;

// Row heights of the message list by record, so that a record is measured
// (its text laid out) once, not each time its row comes back on screen or
// the list reloads. An entry holds what the height was computed from (kind,
// style, time label, collected state and text); a record whose inputs changed
// since (an edit, a collected transfer) is measured again, alone. Avatars and
// the list's width take no part: a row's height does not depend on them.
class RIRowHeightCache {
public:
    using Measure = std::function<double(const QYChatModel&)>;

    // The message list's own rule (notices 38 points, texts laid out) unless
    // told otherwise.
    explicit RIRowHeightCache(Measure measure = {});

    // The height of the record's row, measured only when it is not known yet.
    double heightFor(const std::shared_ptr<QYChatModel>& clock);
    // How many times a row was actually measured.
    std::size_t measurements() const { return m_measurements; }
    void clear() { m_entries.clear(); }

    // The row height rule of the message list.
    static double measureRow(const QYChatModel& clock);
    // A row height to assume for rows not measured yet: a one-line text.
    static double estimatedRowHeight();

private:
    struct Inputs {
        int type = 0;
        int styleType = 0;
        bool showTime = false;
        bool isGet = false;
        std::string text;
        bool operator==(const Inputs&) const = default;
    };
    struct Entry {
        std::weak_ptr<QYChatModel> clock;
        Inputs inputs;
        double height = 0;
    };
    static Inputs inputsOf(const QYChatModel& clock);
    void dropGoneRecords();

    Measure m_measure;
    std::unordered_map<const QYChatModel*, Entry> m_entries;
    std::size_t m_measurements = 0;
    std::size_t m_pruneAt = 1024;
};
