#pragma once

#include "platform/PictureLoader.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace jigsaw::picture {

// A game's picture while it is being decoded: load() reads the file's header, judges the
// picture and returns, and a worker thread decodes the rows from the top down meanwhile. The
// rows above readyRows() are final; whatever shows or reads rows further down waits for them
// first (waitForRows, finish), so no one ever sees a half-decoded picture.
class PendingPicture
{
public:
    PendingPicture() = default;
    // Stops an unfinished decode.
    ~PendingPicture() = default;
    PendingPicture(PendingPicture &&) noexcept = default;
    PendingPicture &operator=(PendingPicture &&) noexcept = default;

    enum class Decoding {
        Background, // a JPEG's rows are decoded on a worker thread after load() returns
        Here,       // every row is decoded before load() returns
    };

    // Starts loading the picture at its natural size in 32-bit pixels. Formats other than JPEG
    // are always read whole before this returns.
    static PendingPicture load(const QString &path, Decoding decoding = Decoding::Background);

    bool isNull() const { return m_image.isNull(); }
    Failure failure() const { return m_failure; }
    // The picture; rows from readyRows() down may still be undecoded.
    const QImage &image() const { return m_image; }
    int readyRows() const;
    bool isComplete() const { return readyRows() >= m_image.height(); }
    // Waits until the first rows (at most all) are final.
    void waitForRows(int rows) const;
    void finish() const { waitForRows(m_image.height()); }

private:
    QImage m_image;
    Failure m_failure = Failure::None;
    // Rows final so far, written by the worker.
    std::shared_ptr<std::atomic<int>> m_ready;
    // Each holds its own reference to the picture's buffer while it works on it.
    std::jthread m_prefault;
    std::jthread m_worker;
};

} // namespace jigsaw::picture
