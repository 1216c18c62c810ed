#include "messages/RIRowHeightCache.h"

#include <iterator>

#include "chat/records/QYChatModel.h"
#include "messages/QYSystemTableViewCell.h"
#include "messages/RIBubbleRules.h"
#include "messages/RIRingTabelViewCell.h"

RIRowHeightCache::RIRowHeightCache(Measure measure)
    : m_measure(measure ? std::move(measure) : Measure(&RIRowHeightCache::measureRow))
{
}

double RIRowHeightCache::measureRow(const QYChatModel& clock)
{
    if (clock.type() == QYChatModel::RecallNotice)
        return QYSystemTableViewCell::kRowHeight;
    return RIRingTabelViewCell::rowHeightForMessage(clock);
}

double RIRowHeightCache::estimatedRowHeight()
{
    return RIBubbleRules::rowHeight(QYChatModel::Text, false, false, RIBubbleRules::textBubbleHeight(0));
}

RIRowHeightCache::Inputs RIRowHeightCache::inputsOf(const QYChatModel& clock)
{
    Inputs inputs { clock.type(), clock.styleType(), clock.isShowDateTime(), clock.isGet(), {} };
    // Only texts are laid out; the other kinds' heights follow from the flags.
    if (clock.type() == QYChatModel::Text && clock.context())
        inputs.text = clock.context()->utf8();
    return inputs;
}

double RIRowHeightCache::heightFor(const std::shared_ptr<QYChatModel>& clock)
{
    if (!clock)
        return 0;
    Inputs inputs = inputsOf(*clock);
    auto found = m_entries.find(clock.get());
    // A record at the address of a gone one is a stranger.
    if (found != m_entries.end() && found->second.clock.lock() == clock && found->second.inputs == inputs)
        return found->second.height;
    double height = m_measure(*clock);
    ++m_measurements;
    m_entries[clock.get()] = Entry { clock, std::move(inputs), height };
    if (m_entries.size() >= m_pruneAt)
        dropGoneRecords();
    return height;
}

void RIRowHeightCache::dropGoneRecords()
{
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = it->second.clock.expired() ? m_entries.erase(it) : std::next(it);
    m_pruneAt = 2 * m_entries.size() + 1024;
}
