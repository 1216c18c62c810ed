#include "composer/ChatTimeStampRule.h"

bool ChatTimeStampRule::isShowDateTime(double date)
{
    if (!m_oldDate) {
        m_oldDate = date;
        return true;
    }
    bool show = date - *m_oldDate > kInterval;
    m_oldDate = date;
    return show;
}
