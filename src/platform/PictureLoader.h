#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

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

// The picture stretched to a thumbnail of exactly the given size, as the thumbnail control
// shows it, in 32-bit pixels. A JPEG is first made small by the decoder itself (1/8 to 8/8), so
// a large photo is never decoded in full; of a progressive one at 1/8 only the scans up to the
// blocks' means are read. Null for what loadPicture refuses, and for a picture that takes more
// than kMaxScans scans or longer than its time (kThumbnailSeconds, and as many again for each
// ten megapixels): one hostile file must not hold up a page. `interrupted` stops the decode
// early, also with a null result; `gaveUp` tells whether the time or `interrupted` ended it,
// so that the outcome says nothing lasting about the picture.
inline constexpr int kThumbnailSeconds = 3;
QImage loadThumbnail(const QString &path, QSize size,
                     const std::function<bool()> &interrupted = nullptr, bool *gaveUp = nullptr);

// The picture stretched to the given size with every source pixel weighed in (an area average
// where it shrinks, linear where it grows), made by the calling thread alone.
QImage stretchPicture(const QImage &picture, QSize size);

// The natural size read from the file's header; invalid when the file is not a picture.
QSize pictureSize(const QString &path);

// How many pictures and thumbnails this process has decoded.
int decodeCount();

} // namespace jigsaw::picture
