// The picture loader through its public functions, as the browser and GO call it: the size
// from the header, the thumbnail and the whole picture, never beyond the size it accepts.

#include "FuzzSupport.h"

#include "platform/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace jigsaw;

namespace {

QString inputPath()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/fuzz_picture-XXXXXX"));
    return dir.filePath(QStringLiteral("picture.jpg"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::ensureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = inputPath();
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(fuzz::bytesOf(data, size)) == static_cast<qint64>(size));
    }
    const auto withinLimits = [](QSize image) {
        return image.width() <= picture::kMaxSide && image.height() <= picture::kMaxSide;
    };
    picture::pictureSize(path);
    const QImage thumbnail = picture::loadThumbnail(path, QSize(169, 121));
    FUZZ_CHECK(withinLimits(thumbnail.size()));
    const QImage whole = picture::loadPicture(path);
    FUZZ_CHECK(withinLimits(whole.size()));
    return 0;
}
