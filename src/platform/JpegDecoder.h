#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <functional>
#include <memory>

// The picture loader's own JPEG decoding on libjpeg: row by row into 32-bit pixels, at a scale
// of M/8, with bounds on the time and memory a hostile file can make it spend. A progressive
// picture can also be read scan by scan, showing a coarse picture long before its last scan.
namespace jigsaw::picture {

// More scans than any camera or encoder writes (a progressive photo has about ten). Every
// scan is a pass over the whole picture, so a file with thousands of them would hold the
// game for minutes.
inline constexpr int kMaxScans = 100;

struct FileCloser
{
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;
// One open file read by several decoders at once, each at its own place.
using SharedFile = std::shared_ptr<std::FILE>;

// Opens a picture file for reading and gives its size; null for a missing file, a folder,
// a FIFO or a device, whose reading could block or never end.
FileHandle openPictureFile(const QString &path, qint64 &size);

// Whether the file starts as a JPEG does; leaves it at its start.
bool startsLikeJpeg(std::FILE *file);

// Counts a decode of any picture or thumbnail, and tells how many this process has made.
void noteDecode();
int decodesNoted();

class JpegDecoder
{
public:
    explicit JpegDecoder(SharedFile file);
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    // Reads the markers up to the first scan; false when the file is no JPEG we can decode.
    bool readHeader();
    // After a failed readHeader: the file is a JPEG whose header names a size beyond what
    // JPEG allows.
    bool sizeRefused() const;
    QSize size() const;
    // The size of the output at a scale of eighths/8, rounded up as the decoder rounds.
    QSize scaledSize(int eighths) const;
    // Whether the picture comes in several scans (a progressive one), which are gathered
    // whole before its last rows can come out.
    bool hasScans() const;
    // What the decoder itself needs besides the output for those scans.
    qint64 workingBytes() const;

    // Decoding stops with a failure as soon as this returns true; asked between rows and
    // between the parts of a scan.
    void setInterruption(std::function<bool()> interrupted);

    // Prepares the output at eighths/8 of the natural size (1 to 8) and reads every scan of a
    // multi-scan picture; false when it has more than kMaxScans scans, needs more memory than
    // memoryLimit, is broken beyond decoding or is interrupted.
    bool start(int eighths, qint64 memoryLimit);

    // A multi-scan picture scan by scan: prepares the output at eighths/8 without reading a
    // scan; false as start() is.
    bool startScans(int eighths, qint64 memoryLimit);
    enum class Scan {
        Read,        // one more scan is in
        InputEnded,  // no more: the file has ended, or kMaxScans are in, or a scan was broken
        Interrupted,
    };
    Scan readScan();
    // Every component's coarsest picture (its blocks' mean values) is in at full precision.
    bool meansComplete() const;
    // That coarse picture, one pixel per 8 × 8 pixels; null before it is there.
    QImage meanPicture() const;
    // Begins a pass that makes rows from the scans read so far, from the top; ends the pass
    // before. False when even that is impossible.
    bool startOutput();
    // The rows above `row` will never be asked for again: the memory only they needed goes.
    void releaseAbove(int row);

    // Decodes the rows from nextRow() up to endRow into the lines of a 32-bit picture
    // (0xffRRGGBB) that starts at firstLine; false on a fatal error. A file cut short is no
    // error: its missing rows come out grey.
    bool readRows(uchar *firstLine, qsizetype bytesPerLine, int endRow);
    // Passes over the rows up to `row` without making them; false on a fatal error.
    bool skipTo(int row);
    int nextRow() const;

    // libjpeg's state, known only to the decoder's own code.
    struct State;

private:
    std::unique_ptr<State> d;
};

} // namespace jigsaw::picture
