#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <optional>

namespace jigsaw::picture {

// Thumbnails made before, kept as small files in a folder of the player's own, so that a
// later start-up shows them without decoding their pictures again. An entry belongs to the
// picture file's path, size and time of change and to the thumbnail's size: a picture changed
// since is made anew. The folder holds a bounded number of entries, the oldest going first.
// Safe to use from several threads.
class ThumbnailCache
{
public:
    // No folder: nothing is kept, nothing found.
    explicit ThumbnailCache(const QString &folder);

    // The entry's name for a picture file as it is now; empty when the file is no ordinary
    // file.
    static QString keyOf(const QString &path, QSize size);

    // The thumbnail kept under the key: an image, a null image for a picture known to give no
    // thumbnail, or nothing when none is kept (or what is kept is damaged).
    std::optional<QImage> find(const QString &key, QSize size) const;
    // Keeps a thumbnail, or a null image for a picture that gives none.
    void store(const QString &key, const QImage &thumbnail);

private:
    void prune();

    QString m_folder;
    std::atomic<int> m_stores{0};
};

} // namespace jigsaw::picture
