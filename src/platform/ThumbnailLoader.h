#pragma once

#include "platform/ThumbnailCache.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

namespace jigsaw::picture {

// Makes the thumbnails of a page of pictures on worker threads, so that the page appears at
// once and fills in as they come, and keeps them: the last ones made in memory, all of them in
// the cache folder, so that showing a page again decodes nothing it decoded before. Each
// thumbnail is decoded, stretched to its size and handed over by one worker alone.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    explicit ThumbnailLoader(const QString &cacheFolder, QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    // The thumbnail of a picture file at this size when it is kept: an image, a null image
    // for a file known to give none, nothing when it must be made.
    std::optional<QImage> kept(const QString &path, QSize size);
    // Has the thumbnail made; it comes back with thumbnailReady and this ticket.
    int request(const QString &path, QSize size);
    // Drops every request not answered yet: those thumbnails are no longer wanted.
    void cancelAll();

signals:
    // On the loader's thread: a requested thumbnail, null when the picture gives none.
    void thumbnailReady(int ticket, const QImage &thumbnail);

private:
    struct Job
    {
        int ticket = 0;
        int generation = 0;
        QString path;
        QSize size;
        QString key;
    };
    struct Made
    {
        int ticket = 0;
        int generation = 0;
        QString key;
        QImage thumbnail;
    };

protected:
    // The hand-over of what the workers made, on the loader's thread.
    void customEvent(QEvent *event) override;

private:
    void startWorkers();
    void work(const std::stop_token &stop);
    void remember(const QString &key, const QImage &thumbnail);

    ThumbnailCache m_cache;
    // The latest thumbnails, for showing a page again without reading the cache.
    QHash<QString, QImage> m_memory;
    QList<QString> m_memoryOrder;
    int m_nextTicket = 0;

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::deque<Job> m_jobs;
    std::vector<Made> m_made;
    std::atomic<int> m_generation{0};
    bool m_deliveryPosted = false;
    std::vector<std::jthread> m_workers;
};

} // namespace jigsaw::picture
