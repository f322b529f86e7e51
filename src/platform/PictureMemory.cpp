#include "PictureMemory.h"

#include "MemoryLimits.h"

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace jigsaw::picture {

namespace {

// Transparent huge pages are 2 MB on the machines we run on.
constexpr std::size_t kLargePage = std::size_t(2) << 20;
// How far ahead of the decoder pages are faulted in: a few hundred rows of a wide photo, enough
// to keep the decoder clear of faults, little enough to take no memory long before it is used.
constexpr std::size_t kPrefaultWindow = 4 * kLargePage;

// The largest buffer worth large pages.
constexpr std::size_t kLargePagesUpTo = std::size_t(512) << 20;

std::atomic<qint64> g_cap{0};

struct Mapping
{
    void *base;
    std::size_t length;
};

void unmapPicture(void *info)
{
    const auto *mapping = static_cast<Mapping *>(info);
    munmap(mapping->base, mapping->length);
    delete mapping;
}

} // namespace

qint64 memoryBudget()
{
    qint64 budget = memory::pictureBudget();
    if (const qint64 cap = g_cap.load(); cap > 0)
        budget = std::min(budget, cap);
    return budget;
}

void setMemoryCap(qint64 bytes)
{
    g_cap.store(std::max<qint64>(0, bytes));
}

QImage allocatePicture(QSize size, QImage::Format format)
{
    if (size.isEmpty() || QImage::toPixelFormat(format).bitsPerPixel() != 32)
        return {};
    const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(size.height());
    const std::size_t length = (bytes + kLargePage - 1) / kLargePage * kLargePage;

    // Map one large page more than needed, then trim the ends, so the buffer starts on a
    // large-page boundary and every part of it can be a large page.
    void *raw = mmap(nullptr, length + kLargePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return {};
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    if (aligned > start)
        munmap(raw, aligned - start);
    if (const std::size_t tail = kLargePage - (aligned - start); tail > 0)
        munmap(reinterpret_cast<void *>(aligned + length), tail);
    void *base = reinterpret_cast<void *>(aligned);
    // Only a wish: without large pages all still works. Past a few hundred megabytes the kernel
    // runs out of free large pages and compacts memory to make more while the decoder waits:
    // zeroing a 4 GB picture took 8 s so against 1.5 s in small pages, though large pages
    // halve the time up to 400 MB.
    if (length <= kLargePagesUpTo)
        madvise(base, length, MADV_HUGEPAGE);

    auto *mapping = new Mapping{base, length};
    QImage image(static_cast<uchar *>(base), size.width(), size.height(), bytesPerLine, format,
                 unmapPicture, mapping);
    if (image.isNull())
        unmapPicture(mapping);
    return image;
}

void prefaultAhead(const QImage &picture, std::atomic<int> &writerRow,
                   const std::stop_token &stop)
{
    const int height = picture.height();
    // Stopping wakes the wait below: the writer is done as far as we are concerned.
    const std::stop_callback wake(stop, [&writerRow, height] {
        writerRow.store(height);
        writerRow.notify_all();
    });
#ifdef MADV_POPULATE_WRITE
    auto *base = const_cast<uchar *>(picture.constBits());
    const auto bytes = static_cast<std::size_t>(picture.sizeInBytes());
    const auto bytesPerLine = static_cast<std::size_t>(picture.bytesPerLine());
    // The pages faulted in last, as one span; a writer that jumps elsewhere starts a new one.
    std::size_t faultedFrom = 0;
    std::size_t faultedTo = 0;
    for (int row = writerRow.load(); row < height && !stop.stop_requested();
         row = writerRow.load()) {
        if (row >= 0) {
            const std::size_t at = std::size_t(row) * bytesPerLine / kLargePage * kLargePage;
            if (at < faultedFrom || at > faultedTo)
                faultedFrom = faultedTo = at;
            const std::size_t to = std::min(bytes, at + kPrefaultWindow);
            for (; faultedTo < to && !stop.stop_requested(); faultedTo += kLargePage) {
                // Unknown to kernels before 5.14: then the writer takes the faults as it goes.
                if (madvise(base + faultedTo, std::min(kLargePage, bytes - faultedTo),
                            MADV_POPULATE_WRITE)
                    != 0)
                    return;
            }
        }
        writerRow.wait(row);
    }
#else
    (void)picture;
    (void)writerRow;
    (void)stop;
#endif
}

} // namespace jigsaw::picture
