#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Turns picture files into images: whole pictures at their natural size for play, and
// thumbnails decoded small for the picture browser. A file that cannot be decoded, is empty,
// is missing, is no regular file or would take more memory than the machine can give yields a
// null image, never a crash and never a wait of minutes.
namespace jigsaw::picture {

// The largest width or height a JPEG can have.
inline constexpr int kMaxSide = 65500;

// Why a picture came out null.
enum class Failure {
    None,
    Unreadable, // missing, no picture, broken, or a hostile file such as one of endless scans
    TooLarge,   // the file or its pixels would take more memory than memoryBudget()
};

// The picture at its natural size in 32-bit pixels (the stored pixels; an EXIF orientation is
// not applied). JPEG files are decoded by our own decoder; other formats by Qt's readers.
QImage loadPicture(const QString &path, Failure *failure = nullptr);

// The picture made small enough for a thumbnail of the given size, yet at least that size in
// both directions (unless the picture itself is smaller), with its own aspect ratio: the
// thumbnail control stretches it. A JPEG is scaled by the decoder itself (1/8 to 8/8), so a
// large photo is never decoded in full.
QImage loadThumbnail(const QString &path, QSize box);

// The natural size read from the file's header; invalid when the file is not a picture.
QSize pictureSize(const QString &path);

// How many pictures and thumbnails this process has decoded.
int decodeCount();

} // namespace jigsaw::picture
