#pragma once

#include "platform/PictureLoader.h"

#include <QImage>
#include <QString>

#include <thread>

namespace jigsaw::picture {

// A game's picture, decoded top rows first: load() returns as soon as the rows a window can
// show are final, and a worker thread decodes the rest meanwhile. Whatever shows or reads rows
// from readyRows() down calls finish() first, so no one ever sees a half-decoded picture.
class PendingPicture
{
public:
    PendingPicture() = default;
    // Stops an unfinished decode.
    ~PendingPicture() = default;
    PendingPicture(PendingPicture &&) noexcept = default;
    PendingPicture &operator=(PendingPicture &&) noexcept = default;

    // Loads the picture at its natural size in 32-bit pixels, at least its first firstRows
    // rows before returning (every row, for formats other than JPEG).
    static PendingPicture load(const QString &path, int firstRows);

    bool isNull() const { return m_image.isNull(); }
    Failure failure() const { return m_failure; }
    // The picture; rows from readyRows() down may still be undecoded.
    const QImage &image() const { return m_image; }
    int readyRows() const { return m_readyRows; }
    bool isComplete() const { return m_readyRows >= m_image.height(); }
    // Waits until every row is final.
    void finish();

private:
    QImage m_image;
    Failure m_failure = Failure::None;
    int m_readyRows = 0;
    // Holds its own reference to the picture's buffer while it writes into it.
    std::jthread m_worker;
};

} // namespace jigsaw::picture
