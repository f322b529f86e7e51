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
    madvise(base, length, MADV_HUGEPAGE); // only a wish: without large pages all still works

    auto *mapping = new Mapping{base, length};
    QImage image(static_cast<uchar *>(base), size.width(), size.height(), bytesPerLine, format,
                 unmapPicture, mapping);
    if (image.isNull())
        unmapPicture(mapping);
    return image;
}

void prefaultPicture(const QImage &picture, const std::stop_token &stop)
{
#ifdef MADV_POPULATE_WRITE
    auto *base = const_cast<uchar *>(picture.constBits());
    const auto bytes = static_cast<std::size_t>(picture.sizeInBytes());
    for (std::size_t done = 0; done < bytes && !stop.stop_requested(); done += kLargePage) {
        // Unknown to kernels before 5.14: then the decoder takes the faults as it goes.
        if (madvise(base + done, std::min(kLargePage, bytes - done), MADV_POPULATE_WRITE) != 0)
            return;
    }
#else
    (void)picture;
    (void)stop;
#endif
}

} // namespace jigsaw::picture
