#include "JpegDecoder.h"

#include <QColor>
#include <QFile>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>
// libjpeg's headers need <cstdio> first.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <atomic>
#include <limits>

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

void refuseEndlessScans(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        failDecoding(info);
}

// Reads the file in large blocks and never more than the allowance: past it, or at the end of
// the file, the picture ends as if cut short.
struct Source
{
    jpeg_source_mgr pub;
    std::FILE *file;
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
    std::size_t got = wanted > 0 ? std::fread(source->buffer, 1, wanted, source->file) : 0;
    source->allowance -= qint64(got);
    if (got == 0) {
        WARNMS(info, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        got = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = got;
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

} // namespace

struct JpegDecoder::State
{
    FileHandle file;
    jpeg_decompress_struct info{};
    ErrorManager error{};
    jpeg_progress_mgr progress{};
    Source source{};
    bool created = false;
    bool cmyk = false;
};

namespace {

bool create(jpeg_decompress_struct *info, ErrorManager *error)
{
    if (setjmp(error->jump))
        return false;
    jpeg_create_decompress(info);
    return true;
}

bool readHeaderGuarded(jpeg_decompress_struct *info, ErrorManager *error)
{
    if (setjmp(error->jump))
        return false;
    return jpeg_read_header(info, TRUE) == JPEG_HEADER_OK;
}

bool startGuarded(jpeg_decompress_struct *info, ErrorManager *error)
{
    if (setjmp(error->jump))
        return false;
    return jpeg_start_decompress(info) == TRUE;
}

void readRowsUnguarded(jpeg_decompress_struct *info, uchar *firstLine, qsizetype bytesPerLine,
                       int endRow, bool cmyk)
{
    JSAMPROW rows[kRowsPerRead];
    while (static_cast<int>(info->output_scanline) < endRow) {
        const int first = static_cast<int>(info->output_scanline);
        const int count = std::min(kRowsPerRead, endRow - first);
        for (int i = 0; i < count; ++i)
            rows[i] = firstLine + bytesPerLine * (first + i);
        const auto got = static_cast<int>(
            jpeg_read_scanlines(info, rows, static_cast<JDIMENSION>(count)));
        if (got <= 0)
            failDecoding(reinterpret_cast<j_common_ptr>(info));
        if (cmyk) {
            for (int i = 0; i < got; ++i)
                cmykToRgb(rows[i], static_cast<int>(info->output_width));
        }
    }
}

bool readRowsGuarded(jpeg_decompress_struct *info, ErrorManager *error, uchar *firstLine,
                     qsizetype bytesPerLine, int endRow, bool cmyk)
{
    if (setjmp(error->jump))
        return false;
    readRowsUnguarded(info, firstLine, bytesPerLine, endRow, cmyk);
    return true;
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

JpegDecoder::JpegDecoder(FileHandle file)
    : d(std::make_unique<State>())
{
    d->file = std::move(file);
    d->info.err = jpeg_std_error(&d->error.pub);
    d->error.pub.error_exit = failDecoding;
    d->error.pub.output_message = ignoreMessage;
    d->created = d->file && create(&d->info, &d->error);
    if (!d->created)
        return;
    d->source.pub.init_source = initSource;
    d->source.pub.fill_input_buffer = fillInputBuffer;
    d->source.pub.skip_input_data = skipInputData;
    d->source.pub.resync_to_restart = jpeg_resync_to_restart;
    d->source.pub.term_source = termSource;
    d->source.file = d->file.get();
    d->source.allowance = kHeaderAllowance;
    d->info.src = &d->source.pub;
    d->progress.progress_monitor = refuseEndlessScans;
    d->info.progress = &d->progress;
}

JpegDecoder::~JpegDecoder()
{
    if (d->created)
        jpeg_destroy_decompress(&d->info);
}

bool JpegDecoder::readHeader()
{
    if (!d->created || !readHeaderGuarded(&d->info, &d->error))
        return false;
    d->source.allowance =
        kBytesPerPixelAllowance * d->info.image_width * d->info.image_height + kHeaderAllowance;
    return true;
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

qint64 JpegDecoder::workingBytes() const
{
    if (!jpeg_has_multiple_scans(&d->info))
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

bool JpegDecoder::start(int eighths, qint64 memoryLimit)
{
    jpeg_decompress_struct &info = d->info;
    info.scale_num = static_cast<unsigned>(std::clamp(eighths, 1, 8));
    info.scale_denom = 8;
    // The accurate transform and smooth chroma of Qt's own reader, so both give the same pixels.
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    d->cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (d->cmyk)
        info.out_color_space = JCS_CMYK;
    else
        info.out_color_space =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    info.mem->max_memory_to_use =
        static_cast<long>(std::clamp<qint64>(memoryLimit, 1, std::numeric_limits<long>::max()));
    noteDecode();
    return startGuarded(&info, &d->error);
}

bool JpegDecoder::readRows(uchar *firstLine, qsizetype bytesPerLine, int endRow)
{
    endRow = std::min(endRow, static_cast<int>(d->info.output_height));
    return readRowsGuarded(&d->info, &d->error, firstLine, bytesPerLine, endRow, d->cmyk);
}

int JpegDecoder::nextRow() const
{
    return static_cast<int>(d->info.output_scanline);
}

} // namespace jigsaw::picture
