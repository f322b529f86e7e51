#include "platform/PendingPicture.h"

#include "platform/JpegDecoder.h"
#include "platform/PictureMemory.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <atomic>
#include <memory>
#include <stop_token>
#include <utility>

namespace jigsaw::picture {

namespace {

// Rows decoded between two reports of progress and looks at what is wanted next.
constexpr int kRowsPerStep = 32;
// A wish for rows this close below the decoder going down the picture is met by that decoder
// on its way; one further down by another decoder that jumps there.
constexpr int kNearRows = 256;

qint64 pixelBytes(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

// A picture the board draws fast: 32-bit pixels.
QImage drawable(QImage image)
{
    const QImage::Format format = image.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied)
        return image;
    return image.convertToFormat(QImage::Format_RGB32);
}

// Formats other than JPEG, through Qt's readers, after the same check of the memory needed.
QImage readWithQt(std::FILE *file, qint64 fileSize, qint64 budget, Failure &failure)
{
    QFile device;
    if (!device.open(file, QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        failure = Failure::Unreadable;
        return {};
    }
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isEmpty()) {
        failure = Failure::Unreadable;
        return {};
    }
    if (fileSize > budget || size.width() > kMaxSide || size.height() > kMaxSide ||
        pixelBytes(size) > budget) {
        failure = Failure::TooLarge;
        return {};
    }
    noteDecode();
    QImage image;
    if (!reader.read(&image)) {
        failure = Failure::Unreadable;
        return {};
    }
    return drawable(std::move(image));
}

// What a fatal error leaves undecoded comes out grey, as the rows of a file cut short do.
void fillGreyPending(uchar *lines, const QImage &picture, PictureRows &rows)
{
    const qsizetype bytesPerLine = picture.bytesPerLine();
    for (int row = rows.firstPending(); row < picture.height(); row = rows.firstPending(row)) {
        const int end = rows.firstFinal(row);
        for (int y = row; y < end; ++y) {
            auto *pixel = reinterpret_cast<QRgb *>(lines + bytesPerLine * y);
            std::fill(pixel, pixel + picture.width(), qRgb(128, 128, 128));
        }
        rows.markFinal(row, end);
    }
}

// What one decode of the game's picture works with.
struct Job
{
    SharedFile file;
    qint64 memoryLimit = 0;
    QImage picture;
    uchar *lines = nullptr;
    std::shared_ptr<PictureRows> rows;
    std::shared_ptr<std::atomic<int>> writeRow;

    void writing(int row) const
    {
        if (writeRow) {
            writeRow->store(row);
            writeRow->notify_all();
        }
    }

    // Makes rows [from, to) with a decoder at or above `from`; false on a fatal error.
    bool make(JpegDecoder &decoder, int from, int to) const
    {
        writing(from);
        if (!decoder.skipTo(from) || !decoder.readRows(lines, picture.bytesPerLine(), to))
            return false;
        rows->markFinal(from, to);
        return true;
    }

    // The rows to make next from `from` on: up to the next final row, at most a step.
    int stepEnd(int from, int wishEnd) const
    {
        return std::min({rows->firstFinal(from), from + kRowsPerStep, wishEnd});
    }
};

std::unique_ptr<JpegDecoder> startedDecoder(const Job &job, const std::stop_token &stop)
{
    auto decoder = std::make_unique<JpegDecoder>(job.file);
    decoder->setInterruption([stop] { return stop.stop_requested(); });
    if (!decoder->readHeader() || !decoder->start(8, job.memoryLimit))
        return nullptr;
    return decoder;
}

// Whether a decoder jumping ahead meets the wishes sooner than the one going down from `from`.
// Wishes that cover most of the rows between (a box of pieces from all over the picture) are
// met as soon by going down, which reads no row twice.
bool worthJumping(const PictureRows &rows, int from)
{
    const auto [wished, end] = rows.wishedBelow(from);
    return qint64(wished) * 2 < qint64(end - from);
}

// A picture of one scan (baseline): one decoder goes down the picture making every row it
// reaches; the rows wished for far below it are made by a second decoder that jumps there,
// passing over the rows between without making them (it still has to read them).
void decodeRows(const Job &job, std::unique_ptr<JpegDecoder> down, const std::stop_token &stop)
{
    const int height = job.picture.height();
    std::unique_ptr<JpegDecoder> jump;
    bool jumping = true;
    // Every fresh jumping decoder reads the picture from the top down to its wish. Wishes that
    // come in turn from pieces all over the picture would start one after another, each reading
    // most of the picture again; the rows read so are bounded at twice the picture's height, after
    // which the decoder going down makes every row in one pass.
    qint64 jumpRowsLeft = 2 * qint64(height);
    while (!stop.stop_requested()) {
        const int from = job.rows->firstPending(down->nextRow());
        if (from >= height)
            break;
        const auto wish = job.rows->pendingWish();
        if (wish && jumping && wish->first > from + kNearRows && worthJumping(*job.rows, from)) {
            if (!jump || jump->nextRow() > wish->first) {
                jumpRowsLeft -= wish->first;
                if (jumpRowsLeft < 0) {
                    jump.reset();
                    jumping = false;
                    continue;
                }
                jump = startedDecoder(job, stop);
            }
            if (jump && job.make(*jump, wish->first, job.stepEnd(wish->first, wish->second)))
                continue;
            if (stop.stop_requested())
                return;
            // What the jumping decoder cannot make, the one going down will meet or fail on.
            jump.reset();
            jumping = false;
            continue;
        }
        if (!job.make(*down, from, job.stepEnd(from, height))) {
            if (stop.stop_requested())
                return;
            break;
        }
    }
    if (!stop.stop_requested())
        fillGreyPending(job.lines, job.picture, *job.rows);
}

// A progressive picture: its scans are read first, the coarse picture of the blocks' means
// standing in as soon as it is there; then passes over the scans' coefficients make the rows,
// the wished-for ones first (passing over rows costs nothing here), each band's coefficients
// let go once its rows are final.
void decodeScans(const Job &job, JpegDecoder &decoder, const std::stop_token &stop)
{
    for (;;) {
        const JpegDecoder::Scan scan = decoder.readScan();
        if (scan == JpegDecoder::Scan::Interrupted)
            return;
        // The coarse picture, as soon as every component's means are in. Later scans refine
        // them by a bit at most: the rows that come out at the end are what is worth waiting
        // for.
        if (job.rows->standIn().isNull()) {
            const QImage means = decoder.meanPicture();
            if (!means.isNull())
                job.rows->setStandIn(means);
        }
        if (scan == JpegDecoder::Scan::InputEnded)
            break;
    }

    const int height = job.picture.height();
    bool passing = decoder.startOutput();
    while (passing && !stop.stop_requested()) {
        const int firstPending = job.rows->firstPending();
        if (firstPending >= height)
            break;
        decoder.releaseAbove(firstPending);
        int from = job.rows->firstPending(decoder.nextRow());
        int end = height;
        if (const auto wish = job.rows->pendingWish()) {
            from = wish->first;
            end = wish->second;
        }
        // Rows above the pass need a new pass from the top.
        if (from < decoder.nextRow() || from >= height) {
            passing = decoder.startOutput();
            continue;
        }
        passing = job.make(decoder, from, job.stepEnd(from, end));
    }
    if (stop.stop_requested())
        return;
    fillGreyPending(job.lines, job.picture, *job.rows);
    decoder.releaseAbove(height);
}

} // namespace

PendingPicture::~PendingPicture()
{
    stop();
}

PendingPicture &PendingPicture::operator=(PendingPicture &&other) noexcept
{
    if (this != &other) {
        stop();
        m_image = std::move(other.m_image);
        m_failure = other.m_failure;
        m_rows = std::move(other.m_rows);
        m_writeRow = std::move(other.m_writeRow);
        m_prefault = std::move(other.m_prefault);
        m_worker = std::move(other.m_worker);
    }
    return *this;
}

void PendingPicture::stop()
{
    // The worker first: it still tells the prefaulting thread where it writes.
    for (std::jthread *thread : {&m_worker, &m_prefault}) {
        if (thread->joinable()) {
            thread->request_stop();
            thread->join();
        }
    }
}

void PendingPicture::finish() const
{
    if (m_rows)
        m_rows->waitForAll();
}

PendingPicture PendingPicture::load(const QString &path, Decoding decoding)
{
    PendingPicture result;
    result.m_failure = Failure::Unreadable;
    qint64 fileSize = 0;
    FileHandle handle = openPictureFile(path, fileSize);
    if (!handle)
        return result;
    // A file larger than memory is no picture we could show; but only one whose header is a
    // picture's is too large: a vast file of anything else cannot be read at all. Reading a
    // header never reads far into the file.
    const qint64 budget = memoryBudget();
    if (!startsLikeJpeg(handle.get())) {
        result.m_image = readWithQt(handle.get(), fileSize, budget, result.m_failure);
        if (!result.m_image.isNull()) {
            result.m_failure = Failure::None;
            result.m_rows = std::make_shared<PictureRows>(result.m_image.height(), true);
        }
        return result;
    }

    Job job;
    job.file = SharedFile(handle.release(), FileCloser());
    auto decoder = std::make_unique<JpegDecoder>(job.file);
    if (!decoder->readHeader()) {
        if (decoder->sizeRefused())
            result.m_failure = Failure::TooLarge;
        return result;
    }
    const QSize size = decoder->size();
    if (fileSize > budget || pixelBytes(size) + decoder->workingBytes() > budget) {
        result.m_failure = Failure::TooLarge;
        return result;
    }
    job.picture = allocatePicture(size);
    if (job.picture.isNull()) {
        result.m_failure = Failure::TooLarge;
        return result;
    }
    job.memoryLimit = budget - pixelBytes(size);
    const bool scans = decoder->hasScans();
    if (!(scans ? decoder->startScans(8, job.memoryLimit) : decoder->start(8, job.memoryLimit)))
        return result;

    result.m_failure = Failure::None;
    result.m_image = job.picture;
    result.m_rows = std::make_shared<PictureRows>(size.height());
    job.rows = result.m_rows;
    // The image is not shared yet, so these are its own lines. The worker writes through them
    // while the image is shown; a row is shown only once it is final.
    job.lines = const_cast<uchar *>(job.picture.constBits());
    // The pages of a baseline picture are faulted in ahead of its decoder. A progressive
    // picture's rows take the place of its coefficients as they are let go; pages faulted in
    // ahead would only add to what it holds at once.
    const bool prefault = decoding == Decoding::Background && !scans;
    if (prefault) {
        result.m_writeRow = std::make_shared<std::atomic<int>>(0);
        job.writeRow = result.m_writeRow;
    }
    auto work = [job, decoder = std::move(decoder), scans](std::stop_token stop) mutable {
        decoder->setInterruption([stop] { return stop.stop_requested(); });
        if (scans)
            decodeScans(job, *decoder, stop);
        else
            decodeRows(job, std::move(decoder), stop);
        job.writing(job.picture.height());
    };
    if (decoding == Decoding::Here) {
        work(std::stop_token());
        return result;
    }
    if (prefault) {
        result.m_prefault = std::jthread(
            [image = job.picture, writeRow = result.m_writeRow](std::stop_token stop) {
                prefaultAhead(image, *writeRow, stop);
            });
    }
    result.m_worker = std::jthread(std::move(work));
    return result;
}

} // namespace jigsaw::picture
