#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The arithmetic of the picture browser, apart from its widgets: which files are pictures,
// how many pages they fill, and the folder above a browsed one.
namespace jigsaw::browse {

// Room of the picture table; a folder with more pictures lists the first ones only.
inline constexpr int kMaxPictures = 200;
inline constexpr int kThumbsPerPage = 6;

// A picture is a file whose name ends in ".jpg" or ".jpeg", in any letter case.
bool isPictureName(const QString &entry);

// The pictures among a folder's entries, in the entries' order, at most kMaxPictures.
QStringList pictureNames(const QStringList &entries);

// Pages of kThumbsPerPage thumbnails needed for a number of pictures (0 for none).
std::int16_t pageCountFor(int pictureCount);

// The folder above a shown folder path: the path up to and including its last "/", looked for
// among at most searchLength characters from the start. The path unchanged when none is found.
QString folderAbove(const QString &shownPath, qsizetype searchLength);

// A listed folder always ends in "/" (a drive root already does).
QString withTrailingSlash(const QString &folder);

} // namespace jigsaw::browse
