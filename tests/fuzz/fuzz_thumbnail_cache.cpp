// The reader of kept thumbnails, as a start-up meets whatever lies in the player's thumbnail
// folder under an entry's name: a thumbnail of the size asked for, a known empty one, or none.

#include "FuzzSupport.h"

#include "platform/ThumbnailCache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace jigsaw;

namespace {

const QSize kSize(169, 121);

// The folder and an entry made there by the cache itself, whose bytes each input replaces.
struct Entry
{
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/fuzz_thumbnail_cache-XXXXXX")};
    picture::ThumbnailCache cache{dir.path()};
    QString key;
    QString file;
};

Entry &entry()
{
    static Entry made;
    if (made.file.isEmpty()) {
        QFile picture(made.dir.filePath(QStringLiteral("picture.jpg")));
        if (picture.open(QIODevice::WriteOnly))
            picture.write("a picture");
        picture.close();
        made.key = picture::ThumbnailCache::keyOf(picture.fileName(), kSize);
        QImage thumbnail(kSize, QImage::Format_RGB32);
        thumbnail.fill(Qt::darkCyan);
        made.cache.store(made.key, thumbnail);
        const QStringList entries =
            QDir(made.dir.path()).entryList({QStringLiteral("*.thumb")}, QDir::Files);
        made.file = entries.isEmpty() ? QString() : made.dir.filePath(entries.first());
    }
    return made;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::ensureApplication();
    FUZZ_CHECK(!entry().file.isEmpty());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Entry &e = entry();
    {
        QFile file(e.file);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(fuzz::bytesOf(data, size)) == static_cast<qint64>(size));
    }
    const std::optional<QImage> found = e.cache.find(e.key, kSize);
    FUZZ_CHECK(!found || found->isNull() || found->size() == kSize);
    return 0;
}
