#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>

#include <atomic>
#include <stop_token>

// The memory that decoded pictures live in: how much a picture may take on this machine, and
// buffers that the kernel fills with large pages up to a size, so that a photo of a hundred
// megapixels is not slowed down by a hundred thousand page faults.
namespace jigsaw::picture {

// The most bytes one decoded picture may take now (memory::pictureBudget: at most half of
// what the system can give within the process's limits). Lowered by setMemoryCap().
qint64 memoryBudget();

// Caps memoryBudget() for the rest of the run; 0 lifts the cap. A test gives the game less
// memory this way; a fuzzer keeps each picture small.
void setMemoryCap(qint64 bytes);

// A 32-bit picture of this size in a fresh, zeroed buffer of its own that asks the kernel for
// large pages unless it is vast; null when the memory cannot be had. The buffer is freed with the last copy of
// the image.
QImage allocatePicture(QSize size, QImage::Format format = QImage::Format_RGB32);

// Faults in the pages of a picture made by allocatePicture, without changing its pixels, a
// bounded window ahead of the row its writer reports in writerRow: a negative row while the
// writer has not begun, the picture's height or more once it is done. Run on a thread of its
// own, it spares the writer the page faults of the rows ahead of it, yet takes no memory long
// before the writer needs it. Returns when the writer is done or the thread is stopped.
void prefaultAhead(const QImage &picture, std::atomic<int> &writerRow,
                   const std::stop_token &stop);

} // namespace jigsaw::picture
