#pragma once

#include "platform/PictureLoader.h"
#include "platform/PictureRows.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>

namespace jigsaw::picture {

// A game's picture while it is being decoded: load() reads the file's header, judges the
// picture and returns, and a worker thread decodes it meanwhile. Its rows() tell which rows
// are final; whatever shows the picture shows only those, asks for the rows it wants next and
// shows the coarse stand-in of a progressive picture elsewhere, so no one ever sees a
// half-decoded row and the user interface never waits for the decoder.
class PendingPicture
{
public:
    PendingPicture() = default;
    // Stops an unfinished decode.
    ~PendingPicture();
    PendingPicture(PendingPicture &&) noexcept = default;
    PendingPicture &operator=(PendingPicture &&) noexcept;

    enum class Decoding {
        Background, // a JPEG is decoded on a worker thread after load() returns
        Here,       // every row is decoded before load() returns
    };

    // Starts loading the picture at its natural size in 32-bit pixels. Formats other than JPEG
    // are always read whole before this returns.
    static PendingPicture load(const QString &path, Decoding decoding = Decoding::Background);

    bool isNull() const { return m_image.isNull(); }
    Failure failure() const { return m_failure; }
    // The picture; only its final rows may be read.
    const QImage &image() const { return m_image; }
    // Which rows are final; null for a null picture. Lives as long as this picture.
    PictureRows *rows() const { return m_rows.get(); }
    bool isComplete() const { return !m_rows || m_rows->isComplete(); }
    // Waits until every row is final.
    void finish() const;

private:
    void stop();

    QImage m_image;
    Failure m_failure = Failure::None;
    std::shared_ptr<PictureRows> m_rows;
    // The row the worker writes now, for the thread that faults in the pages ahead of it.
    std::shared_ptr<std::atomic<int>> m_writeRow;
    // Each holds its own reference to the picture's buffer while it works on it.
    std::jthread m_prefault;
    std::jthread m_worker;
};

} // namespace jigsaw::picture
