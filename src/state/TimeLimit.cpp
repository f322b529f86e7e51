#include "state/TimeLimit.h"

#include "platform/Numbers.h"

namespace jigsaw {

TimeLimit TimeLimit::fromNumber(double minutes)
{
    TimeLimit limit;
    limit.m_minutes = minutes;
    return limit;
}

TimeLimit TimeLimit::fromTyped(const QString &text, double minutes)
{
    TimeLimit limit;
    limit.m_minutes = minutes;
    limit.m_typed = true;
    limit.m_text = text;
    return limit;
}

QString TimeLimit::savedForm() const
{
    return m_typed ? m_text : num::numberLine(m_minutes);
}

} // namespace jigsaw
