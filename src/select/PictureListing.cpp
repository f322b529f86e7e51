#include "select/PictureListing.h"

#include <algorithm>

namespace jigsaw::browse {

bool isPictureName(const QString &entry)
{
    const QString lower = entry.toLower();
    return lower.endsWith(QLatin1String(".jpg")) || lower.endsWith(QLatin1String(".jpeg"));
}

QStringList pictureNames(const QStringList &entries)
{
    QStringList names;
    for (const QString &entry : entries) {
        if (names.size() == kMaxPictures)
            break;
        if (isPictureName(entry))
            names.append(entry);
    }
    return names;
}

std::int16_t pageCountFor(int pictureCount)
{
    int pages = pictureCount / kThumbsPerPage;
    if (pages * kThumbsPerPage < pictureCount)
        ++pages;
    return static_cast<std::int16_t>(pages);
}

QString folderAbove(const QString &shownPath, qsizetype searchLength)
{
    const qsizetype from = std::min(searchLength, shownPath.size()) - 1;
    if (from < 0)
        return shownPath;
    const qsizetype slash = shownPath.lastIndexOf(QLatin1Char('/'), from);
    return slash < 0 ? shownPath : shownPath.left(slash + 1);
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace jigsaw::browse
