#include "JpegDecoder.h"

#include "platform/JpegCoefficients.h"

#include <QColor>
#include <QFile>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
// libjpeg's headers need <cstdio> first.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <utility>

namespace jigsaw::picture {

namespace {

// What a JPEG may hold before its first scan (EXIF, colour profiles, previews): far less than
// this. A larger header is a file of something else, perhaps a vast empty one.
constexpr qint64 kHeaderAllowance = qint64(64) << 20;
// Compressed data never takes more than a few bytes per pixel.
constexpr qint64 kBytesPerPixelAllowance = 8;
constexpr std::size_t kReadBuffer = 64 * 1024;
constexpr int kRowsPerRead = 16;

std::atomic<int> g_decodes{0};

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void failDecoding(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

// Reads the file in large blocks at the decoder's own place, so that several decoders can
// read one file, and never more than the allowance: past it, or at the end of the file, the
// picture ends as if cut short.
struct Source
{
    jpeg_source_mgr pub;
    int fd;
    qint64 offset;
    qint64 allowance;
    JOCTET buffer[kReadBuffer];
};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr info)
{
    auto *source = reinterpret_cast<Source *>(info->src);
    const std::size_t wanted =
        static_cast<std::size_t>(std::clamp<qint64>(source->allowance, 0, qint64(kReadBuffer)));
    ssize_t got = 0;
    if (wanted > 0) {
        do
            got = pread(source->fd, source->buffer, wanted, source->offset);
        while (got < 0 && errno == EINTR);
    }
    if (got <= 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        got = 2;
    } else {
        source->offset += got;
        source->allowance -= got;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

void skipInputData(j_decompress_ptr info, long count)
{
    auto *source = reinterpret_cast<Source *>(info->src);
    while (count > 0) {
        if (source->pub.bytes_in_buffer == 0)
            fillInputBuffer(info);
        const std::size_t step =
            std::min(static_cast<std::size_t>(count), source->pub.bytes_in_buffer);
        source->pub.next_input_byte += step;
        source->pub.bytes_in_buffer -= step;
        count -= static_cast<long>(step);
    }
}

// Qt's JPEG reader turns (Adobe's inverted) CMYK into RGB this way; so do we.
void cmykToRgb(uchar *line, int width)
{
    auto *pixel = reinterpret_cast<QRgb *>(line);
    for (int x = 0; x < width; ++x, line += 4) {
        const int k = line[3];
        pixel[x] = qRgb(k * line[0] / 255, k * line[1] / 255, k * line[2] / 255);
    }
}

struct Progress
{
    jpeg_progress_mgr pub;
    const std::function<bool()> *interrupted;
};

// Called as a whole-picture decode gathers its scans, row by row: refuses endless scans and
// stops when the decode is no longer wanted.
void watchProgress(j_common_ptr info)
{
    const auto *progress = reinterpret_cast<const Progress *>(info->progress);
    const auto *decompress = reinterpret_cast<j_decompress_ptr>(info);
    // A picture read scan by scan counts its scans itself, and stops reading at the limit.
    if ((!decompress->buffered_image && decompress->input_scan_number > kMaxScans)
        || (*progress->interrupted && (*progress->interrupted)()))
        failDecoding(info);
}

} // namespace

struct JpegDecoder::State
{
    SharedFile file;
    jpeg_decompress_struct info{};
    ErrorManager error{};
    Progress progress{};
    Source source{};
    JpegCoefficients coefficients;
    std::function<bool()> interrupted;
    bool created = false;
    bool cmyk = false;
    bool inputEnded = false;
    bool outputStarted = false;
    int scansComplete = 0;

    bool stopAsked() const { return interrupted && interrupted(); }
};

namespace {

// Every call into libjpeg that may fail runs inside this: libjpeg's errors jump back to its
// setjmp, and it returns false. The body keeps no objects that need destroying.
template <typename Body>
bool guarded(JpegDecoder::State *d, Body &&body)
{
    if (setjmp(d->error.jump))
        return false;
    return body();
}

} // namespace

FileHandle openPictureFile(const QString &path, qint64 &size)
{
    // Opened without blocking, so that a FIFO cannot hold the game before it is recognised.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat status{};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE *file = fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    size = status.st_size;
    return FileHandle(file);
}

bool startsLikeJpeg(std::FILE *file)
{
    unsigned char head[3] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    std::rewind(file);
    return got == sizeof head && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

void noteDecode()
{
    g_decodes.fetch_add(1, std::memory_order_relaxed);
}

int decodesNoted()
{
    return g_decodes.load(std::memory_order_relaxed);
}

JpegDecoder::JpegDecoder(SharedFile file)
    : d(std::make_unique<State>())
{
    d->file = std::move(file);
    d->info.err = jpeg_std_error(&d->error.pub);
    d->error.pub.error_exit = failDecoding;
    d->error.pub.output_message = ignoreMessage;
    d->created = d->file && guarded(d.get(), [&] {
        jpeg_create_decompress(&d->info);
        return true;
    });
    if (!d->created)
        return;
    d->source.pub.init_source = initSource;
    d->source.pub.fill_input_buffer = fillInputBuffer;
    d->source.pub.skip_input_data = skipInputData;
    d->source.pub.resync_to_restart = jpeg_resync_to_restart;
    d->source.pub.term_source = termSource;
    d->source.fd = fileno(d->file.get());
    d->source.offset = 0;
    d->source.allowance = kHeaderAllowance;
    d->info.src = &d->source.pub;
    d->progress.pub.progress_monitor = watchProgress;
    d->progress.interrupted = &d->interrupted;
    d->info.progress = &d->progress.pub;
}

JpegDecoder::~JpegDecoder()
{
    if (d->created)
        jpeg_destroy_decompress(&d->info);
}

bool JpegDecoder::readHeader()
{
    if (!d->created
        || !guarded(d.get(), [&] { return jpeg_read_header(&d->info, TRUE) == JPEG_HEADER_OK; }))
        return false;
    d->source.allowance =
        kBytesPerPixelAllowance * d->info.image_width * d->info.image_height + kHeaderAllowance;
    return true;
}

bool JpegDecoder::sizeRefused() const
{
    const int code = d->error.pub.msg_code;
    return code == JERR_IMAGE_TOO_BIG || code == JERR_WIDTH_OVERFLOW;
}

QSize JpegDecoder::size() const
{
    return {static_cast<int>(d->info.image_width), static_cast<int>(d->info.image_height)};
}

QSize JpegDecoder::scaledSize(int eighths) const
{
    const auto scale = [eighths](qint64 side) {
        return static_cast<int>((side * eighths + 7) / 8);
    };
    return {scale(d->info.image_width), scale(d->info.image_height)};
}

bool JpegDecoder::hasScans() const
{
    return jpeg_has_multiple_scans(&d->info);
}

qint64 JpegDecoder::workingBytes() const
{
    if (!hasScans())
        return 0;
    qint64 bytes = 0;
    for (int c = 0; c < d->info.num_components; ++c) {
        const jpeg_component_info &component = d->info.comp_info[c];
        const auto roundUp = [](qint64 value, qint64 step) {
            return (value + step - 1) / step * step;
        };
        bytes += roundUp(component.width_in_blocks, component.h_samp_factor)
            * roundUp(component.height_in_blocks, component.v_samp_factor) * DCTSIZE2
            * qint64(sizeof(JCOEF));
    }
    return bytes;
}

void JpegDecoder::setInterruption(std::function<bool()> interrupted)
{
    d->interrupted = std::move(interrupted);
}

namespace {

// The accurate transform and smooth chroma of Qt's own reader, so both give the same pixels.
void prepareOutput(JpegDecoder::State *d, int eighths, qint64 memoryLimit, bool scanByScan)
{
    jpeg_decompress_struct &info = d->info;
    info.scale_num = static_cast<unsigned>(std::clamp(eighths, 1, 8));
    info.scale_denom = 8;
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    info.buffered_image = scanByScan ? TRUE : FALSE;
    d->cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (d->cmyk)
        info.out_color_space = JCS_CMYK;
    else
        info.out_color_space =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    const qint64 limit = std::max<qint64>(1, memoryLimit);
    info.mem->max_memory_to_use =
        static_cast<long>(std::min<qint64>(limit, std::numeric_limits<long>::max()));
    d->coefficients.install(&info, limit);
}

} // namespace

bool JpegDecoder::start(int eighths, qint64 memoryLimit)
{
    prepareOutput(d.get(), eighths, memoryLimit, false);
    noteDecode();
    return guarded(d.get(), [&] { return jpeg_start_decompress(&d->info) == TRUE; });
}

bool JpegDecoder::startScans(int eighths, qint64 memoryLimit)
{
    prepareOutput(d.get(), eighths, memoryLimit, true);
    noteDecode();
    return guarded(d.get(), [&] { return jpeg_start_decompress(&d->info) == TRUE; });
}

JpegDecoder::Scan JpegDecoder::readScan()
{
    d->coefficients.faultIn();
    while (!d->inputEnded) {
        if (d->stopAsked())
            return Scan::Interrupted;
        // One call reads a row of blocks, or the markers up to the next scan.
        int status = JPEG_SUSPENDED;
        if (!guarded(d.get(), [&] {
                status = jpeg_consume_input(&d->info);
                return true;
            })) {
            // A broken scan: the picture is what the scans before it made.
            d->inputEnded = true;
            break;
        }
        switch (status) {
        case JPEG_REACHED_SOS:
            if (d->info.input_scan_number > kMaxScans)
                d->inputEnded = true;
            break;
        case JPEG_SCAN_COMPLETED:
            d->scansComplete = d->info.input_scan_number;
            return Scan::Read;
        case JPEG_ROW_COMPLETED:
            break;
        default: // the end of the file (ours never suspends)
            d->scansComplete = d->info.input_scan_number;
            d->inputEnded = true;
            break;
        }
    }
    return Scan::InputEnded;
}

bool JpegDecoder::meansComplete() const
{
    return d->coefficients.meansComplete();
}

QImage JpegDecoder::meanPicture() const
{
    return d->coefficients.meanPicture();
}

bool JpegDecoder::startOutput()
{
    // Rows can come only from scans read whole.
    return d->scansComplete > 0 && guarded(d.get(), [&] {
        if (std::exchange(d->outputStarted, false))
            jpeg_finish_output(&d->info);
        if (!jpeg_start_output(&d->info, d->scansComplete))
            return false;
        d->outputStarted = true;
        return true;
    });
}

void JpegDecoder::releaseAbove(int row)
{
    d->coefficients.releaseAbove(row);
}

bool JpegDecoder::readRows(uchar *firstLine, qsizetype bytesPerLine, int endRow)
{
    jpeg_decompress_struct *info = &d->info;
    endRow = std::min(endRow, static_cast<int>(info->output_height));
    return guarded(d.get(), [&] {
        JSAMPROW rows[kRowsPerRead];
        while (static_cast<int>(info->output_scanline) < endRow) {
            if (d->stopAsked())
                return false;
            const int first = static_cast<int>(info->output_scanline);
            const int count = std::min(kRowsPerRead, endRow - first);
            for (int i = 0; i < count; ++i)
                rows[i] = firstLine + bytesPerLine * (first + i);
            const auto got = static_cast<int>(
                jpeg_read_scanlines(info, rows, static_cast<JDIMENSION>(count)));
            if (got <= 0)
                return false;
            if (d->cmyk) {
                for (int i = 0; i < got; ++i)
                    cmykToRgb(rows[i], static_cast<int>(info->output_width));
            }
        }
        return true;
    });
}

bool JpegDecoder::skipTo(int row)
{
    const int count = std::min(row, static_cast<int>(d->info.output_height)) - nextRow();
    return count <= 0 || guarded(d.get(), [&] {
        jpeg_skip_scanlines(&d->info, static_cast<JDIMENSION>(count));
        return true;
    });
}

int JpegDecoder::nextRow() const
{
    return static_cast<int>(d->info.output_scanline);
}

} // namespace jigsaw::picture
