#pragma once

#include <QSize>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <memory>

// The picture loader's own JPEG decoding on libjpeg: row by row into 32-bit pixels, at a scale
// of M/8, with bounds on the time and memory a hostile file can make it spend.
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
    explicit JpegDecoder(FileHandle file);
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder &) = delete;
    JpegDecoder &operator=(const JpegDecoder &) = delete;

    // Reads the markers up to the first scan; false when the file is no JPEG we can decode.
    bool readHeader();
    QSize size() const;
    // The size of the output at a scale of eighths/8, rounded up as the decoder rounds.
    QSize scaledSize(int eighths) const;
    // What the decoder itself needs besides the output: a picture of several scans (a
    // progressive one) is gathered whole before its first row comes out.
    qint64 workingBytes() const;

    // Prepares the output at eighths/8 of the natural size (1 to 8) and reads every scan of a
    // multi-scan picture; false when it has more than kMaxScans scans, needs more memory than
    // memoryLimit, or is broken beyond decoding.
    bool start(int eighths, qint64 memoryLimit);
    // Decodes the rows from nextRow() up to endRow into the lines of a 32-bit picture
    // (0xffRRGGBB) that starts at firstLine; false on a fatal error. A file cut short is no
    // error: its missing rows come out grey.
    bool readRows(uchar *firstLine, qsizetype bytesPerLine, int endRow);
    int nextRow() const;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace jigsaw::picture
