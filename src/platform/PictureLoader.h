#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Turns picture files into images: whole pictures at their natural size for play, and
// thumbnails decoded small for the picture browser. A file that cannot be decoded, is empty,
// is missing or claims an absurd size gives a null image, never a crash.
namespace jigsaw::picture {

// Largest width or height accepted, so that a hostile header cannot make us allocate
// gigabytes; Qt's image allocation limit applies on top of it.
inline constexpr int kMaxSide = 16384;

// The picture at its natural size (the stored pixels; an EXIF orientation is not applied).
// JPEG files are decoded by libjpeg-turbo straight into the image; every other format, and a
// JPEG libjpeg-turbo refuses (CMYK), goes through Qt's image readers.
QImage loadPicture(const QString &path);

// The picture made small enough for a thumbnail of the given size, yet at least that size in
// both directions (unless the picture itself is smaller), with its own aspect ratio: the
// thumbnail control stretches it. A JPEG is scaled by the decoder itself (1/8 to 8/8), so a
// large photo is never decoded in full.
QImage loadThumbnail(const QString &path, QSize box);

// The natural size read from the file's header; invalid when the file is not a picture.
QSize pictureSize(const QString &path);

} // namespace jigsaw::picture
