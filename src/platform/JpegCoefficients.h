#pragma once

#include <QImage>
#include <QtGlobal>

#include <memory>

struct jpeg_decompress_struct;

// The whole-picture coefficient buffers of a progressive JPEG, held by us instead of libjpeg's
// memory manager: every coefficient must stay until the last scan is read, but once a band of
// the picture has come out for good its coefficients can go, and before that the buffers
// already hold a coarse picture (the blocks' mean values) worth showing.
namespace jigsaw::picture {

class JpegCoefficients
{
public:
    JpegCoefficients();
    ~JpegCoefficients();
    JpegCoefficients(const JpegCoefficients &) = delete;
    JpegCoefficients &operator=(const JpegCoefficients &) = delete;

    // Takes over the coefficient buffers of this decompressor, which must have been created
    // and must keep `this` in its client_data. Buffers beyond `limit` bytes are refused as a
    // lack of memory.
    void install(jpeg_decompress_struct *info, qint64 limit);

    // Faults in every page of the buffers at once: far faster than the first scan touching
    // every block does page by page. For the thread that reads the scans, not the one that
    // starts them.
    void faultIn();

    // Every component's mean values read to their full precision.
    bool meansComplete() const;
    // The picture of the blocks' mean values: one pixel per 8 × 8 pixels of the picture, in
    // 16-bit RGB; null before every component has a mean value or for colour spaces other
    // than grey, RGB and YCbCr.
    QImage meanPicture() const;

    // The output rows above `row` are final and will never be made again: gives the memory of
    // the coefficients only they needed back to the system.
    void releaseAbove(int row);

private:
    struct Store;
    std::unique_ptr<Store> d;
};

} // namespace jigsaw::picture
