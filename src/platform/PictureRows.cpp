#include "PictureRows.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <vector>

namespace jigsaw::picture {

namespace {

// Wishes are the rows of what was shown lately; older ones have long been met or scrolled away.
constexpr std::size_t kMaxWishes = 64;

const auto kReportEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

PictureRows::PictureRows(int height, bool allFinal)
    : m_height(std::max(0, height))
    , m_final(std::size_t(m_height), allFinal ? 1 : 0)
    , m_finalCount(allFinal ? m_height : 0)
{
}

bool PictureRows::isComplete() const
{
    const std::lock_guard lock(m_mutex);
    return m_finalCount >= m_height;
}

bool PictureRows::areFinal(int top, int bottom) const
{
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height);
    const std::lock_guard lock(m_mutex);
    if (m_finalCount >= m_height)
        return true;
    return std::all_of(m_final.begin() + top, m_final.begin() + std::max(top, bottom),
                       [](char final) { return final != 0; });
}

QList<std::pair<int, int>> PictureRows::finalRuns(int top, int bottom) const
{
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height);
    QList<std::pair<int, int>> runs;
    const std::lock_guard lock(m_mutex);
    for (int row = top; row < bottom;) {
        if (!m_final[std::size_t(row)]) {
            ++row;
            continue;
        }
        const int start = row;
        while (row < bottom && m_final[std::size_t(row)])
            ++row;
        runs.append({start, row});
    }
    return runs;
}

void PictureRows::request(int top, int bottom)
{
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height);
    if (top >= bottom)
        return;
    const std::lock_guard lock(m_mutex);
    if (m_finalCount >= m_height)
        return;
    if (!m_wishes.empty() && m_wishes.front() == std::pair(top, bottom))
        return;
    m_wishes.emplace_front(top, bottom);
    if (m_wishes.size() > kMaxWishes)
        m_wishes.pop_back();
}

QImage PictureRows::standIn() const
{
    const std::lock_guard lock(m_mutex);
    return m_standIn;
}

void PictureRows::waitForAll() const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_finalCount >= m_height; });
}

void PictureRows::markFinal(int top, int bottom)
{
    top = std::max(top, 0);
    bottom = std::min(bottom, m_height);
    bool post = false;
    {
        const std::lock_guard lock(m_mutex);
        for (int row = top; row < bottom; ++row) {
            char &final = m_final[std::size_t(row)];
            m_finalCount += final ? 0 : 1;
            final = 1;
        }
        if (m_unreportedTop >= m_unreportedBottom) {
            m_unreportedTop = top;
            m_unreportedBottom = bottom;
        } else {
            m_unreportedTop = std::min(m_unreportedTop, top);
            m_unreportedBottom = std::max(m_unreportedBottom, bottom);
        }
        post = needsReport();
    }
    m_changed.notify_all();
    if (post)
        postReport();
}

void PictureRows::setStandIn(const QImage &picture)
{
    bool post = false;
    {
        const std::lock_guard lock(m_mutex);
        m_standIn = picture;
        m_standInUnreported = true;
        post = needsReport();
    }
    m_changed.notify_all();
    if (post)
        postReport();
}

bool PictureRows::needsReport()
{
    return !std::exchange(m_reportPosted, true);
}

void PictureRows::deliverReports()
{
    QCoreApplication::sendPostedEvents(nullptr, kReportEvent);
}

void PictureRows::postReport()
{
    // Made under the lock that customEvent() takes before reading it: Qt's event queue hands
    // it over safely, but through a lock ThreadSanitizer cannot see.
    QEvent *report = nullptr;
    {
        const std::lock_guard lock(m_mutex);
        report = new QEvent(kReportEvent);
    }
    QCoreApplication::postEvent(this, report);
}

void PictureRows::customEvent(QEvent *event)
{
    std::unique_lock lock(m_mutex);
    if (event->type() != kReportEvent) {
        lock.unlock();
        QObject::customEvent(event);
        return;
    }
    const int top = std::exchange(m_unreportedTop, 0);
    const int bottom = std::exchange(m_unreportedBottom, 0);
    const bool standIn = std::exchange(m_standInUnreported, false);
    m_reportPosted = false;
    lock.unlock();
    if (standIn)
        emit standInChanged();
    if (top < bottom)
        emit rowsFinal(top, bottom);
}

int PictureRows::firstPendingLocked(int from) const
{
    from = std::max(from, 0);
    if (m_finalCount >= m_height)
        return m_height;
    const auto found = std::find(m_final.begin() + std::min(from, m_height), m_final.end(), 0);
    return static_cast<int>(found - m_final.begin());
}

int PictureRows::firstPending(int from) const
{
    const std::lock_guard lock(m_mutex);
    return firstPendingLocked(from);
}

int PictureRows::firstFinal(int from) const
{
    from = std::clamp(from, 0, m_height);
    const std::lock_guard lock(m_mutex);
    const auto found = std::find(m_final.begin() + from, m_final.end(), 1);
    return static_cast<int>(found - m_final.begin());
}

std::optional<std::pair<int, int>> PictureRows::pendingWish()
{
    const std::lock_guard lock(m_mutex);
    while (!m_wishes.empty()) {
        const auto [top, bottom] = m_wishes.front();
        const int first = firstPendingLocked(top);
        if (first < bottom)
            return std::pair(first, bottom);
        m_wishes.pop_front();
    }
    return std::nullopt;
}

std::pair<int, int> PictureRows::wishedBelow(int from) const
{
    from = std::clamp(from, 0, m_height);
    const std::lock_guard lock(m_mutex);
    std::vector<std::pair<int, int>> spans;
    for (const auto &[top, bottom] : m_wishes) {
        if (std::min(bottom, m_height) > std::max(top, from))
            spans.emplace_back(std::max(top, from), std::min(bottom, m_height));
    }
    std::sort(spans.begin(), spans.end());
    int wished = 0;
    int end = from;
    for (const auto &[top, bottom] : spans) {
        const int start = std::max(top, end);
        if (bottom > start) {
            wished += static_cast<int>(std::count(m_final.begin() + start, m_final.begin() + bottom, 0));
            end = bottom;
        }
    }
    return {wished, end};
}

} // namespace jigsaw::picture
