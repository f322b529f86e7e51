#include "ThumbnailLoader.h"

#include "platform/PictureLoader.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <utility>

namespace jigsaw::picture {

namespace {

// Two pages' worth: going back a page or returning from the board reads nothing.
constexpr qsizetype kRemembered = 12;
// One picture per core: thumbnails of large photos are made side by side.
constexpr unsigned kMaxWorkers = 2;

const auto kMadeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

ThumbnailLoader::ThumbnailLoader(const QString &cacheFolder, QObject *parent)
    : QObject(parent)
    , m_cache(cacheFolder)
{
}

ThumbnailLoader::~ThumbnailLoader()
{
    cancelAll();
    for (std::jthread &worker : m_workers)
        worker.request_stop();
    m_workers.clear();
}

std::optional<QImage> ThumbnailLoader::kept(const QString &path, QSize size)
{
    const QString key = ThumbnailCache::keyOf(path, size);
    if (key.isEmpty())
        return std::nullopt;
    if (const auto found = m_memory.constFind(key); found != m_memory.cend())
        return *found;
    std::optional<QImage> stored = m_cache.find(key, size);
    if (stored)
        remember(key, *stored);
    return stored;
}

int ThumbnailLoader::request(const QString &path, QSize size)
{
    startWorkers();
    const int ticket = ++m_nextTicket;
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(
            {ticket, m_generation.load(), path, size, ThumbnailCache::keyOf(path, size)});
    }
    m_wake.notify_one();
    return ticket;
}

void ThumbnailLoader::startWorkers()
{
    // Started for the first picture to make: a start-up whose page was kept makes none.
    if (!m_workers.empty())
        return;
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
    for (unsigned i = 0; i < workers; ++i)
        m_workers.emplace_back([this](std::stop_token stop) { work(stop); });
}

void ThumbnailLoader::cancelAll()
{
    const std::lock_guard lock(m_mutex);
    m_jobs.clear();
    m_made.clear();
    ++m_generation;
}

void ThumbnailLoader::work(const std::stop_token &stop)
{
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            if (!m_wake.wait(lock, stop, [this] { return !m_jobs.empty(); }))
                return;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        const auto unwanted = [this, &job, &stop] {
            return stop.stop_requested() || m_generation.load() != job.generation;
        };
        bool gaveUp = false;
        const QImage thumbnail = loadThumbnail(job.path, job.size, unwanted, &gaveUp);
        if (unwanted())
            continue;
        // The report is made under the lock customEvent() takes before reading it: Qt's event
        // queue hands it over safely, but through a lock ThreadSanitizer cannot see.
        QEvent *report = nullptr;
        {
            const std::lock_guard lock(m_mutex);
            m_made.push_back({job.ticket, job.generation, job.key, thumbnail});
            if (!std::exchange(m_deliveryPosted, true))
                report = new QEvent(kMadeEvent);
        }
        if (report)
            QCoreApplication::postEvent(this, report);
        // Kept after the hand-over: the page shows it first. A picture given up on for its
        // time may go faster another time.
        if (!gaveUp)
            m_cache.store(job.key, thumbnail);
    }
}

void ThumbnailLoader::customEvent(QEvent *event)
{
    std::unique_lock lock(m_mutex);
    if (event->type() != kMadeEvent) {
        lock.unlock();
        QObject::customEvent(event);
        return;
    }
    std::vector<Made> made;
    made.swap(m_made);
    m_deliveryPosted = false;
    lock.unlock();
    for (const Made &thumbnail : made) {
        if (thumbnail.generation != m_generation.load())
            continue;
        remember(thumbnail.key, thumbnail.thumbnail);
        emit thumbnailReady(thumbnail.ticket, thumbnail.thumbnail);
    }
}

void ThumbnailLoader::remember(const QString &key, const QImage &thumbnail)
{
    if (key.isEmpty())
        return;
    if (!m_memory.contains(key))
        m_memoryOrder.append(key);
    m_memory.insert(key, thumbnail);
    while (m_memoryOrder.size() > kRemembered)
        m_memory.remove(m_memoryOrder.takeFirst());
}

} // namespace jigsaw::picture
