#include "platform/ScaledPicture.h"

#include <QMetaObject>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace jigsaw::picture {

namespace {

// Factors this close are the same zoom: a view asks with the factor it computes itself.
bool sameFactor(double a, double b)
{
    return std::abs(a - b) <= 1e-9 * std::max(a, b);
}

QSize scaledSize(QSize size, double factor)
{
    return QSize(std::max(1, static_cast<int>(std::lround(size.width() * factor))),
                 std::max(1, static_cast<int>(std::lround(size.height() * factor))));
}

// Rows of the copy made at a time: between two bands the worker sees whether the copy is
// still wanted, so a new zoom never waits for the copy of the last one.
constexpr int kBandRows = 32;

// The copy, band by band of its rows, each from the picture's rows that fall into it, with
// area averaging: every picture pixel counts towards the screen pixel it falls in. Null when
// stopped.
QImage scaledCopy(const QImage &picture, QSize size, const std::stop_token &stop)
{
    QImage copy(size, QImage::Format_RGB32);
    if (copy.isNull())
        return {};
    const double rowsPerRow = double(picture.height()) / size.height();
    for (int top = 0; top < size.height(); top += kBandRows) {
        if (stop.stop_requested())
            return {};
        const int bottom = std::min(top + kBandRows, size.height());
        const int from = std::min(picture.height() - 1, static_cast<int>(top * rowsPerRow));
        const int to = std::clamp(static_cast<int>(std::ceil(bottom * rowsPerRow)), from + 1,
                                  picture.height());
        // The band's rows of the picture, read in place.
        const QImage band(picture.constScanLine(from), picture.width(), to - from,
                          picture.bytesPerLine(), picture.format());
        const QImage scaled = band.scaled(size.width(), bottom - top, Qt::IgnoreAspectRatio,
                                          Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        for (int y = top; y < bottom; ++y)
            std::memcpy(copy.scanLine(y), scaled.constScanLine(y - top),
                        static_cast<std::size_t>(size.width()) * 4);
    }
    return copy;
}

} // namespace

ScaledPicture::ScaledPicture(QObject *parent)
    : QObject(parent)
{
}

ScaledPicture::~ScaledPicture()
{
    stopWorker();
}

void ScaledPicture::stopWorker()
{
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

void ScaledPicture::make(const QImage &picture, double factor)
{
    if (picture.isNull() || factor >= 1) {
        clear();
        return;
    }
    if (m_wantedSource == picture.cacheKey() && sameFactor(m_wantedFactor, factor))
        return;
    stopWorker();
    m_wantedSource = picture.cacheKey();
    m_wantedFactor = factor;
    // The copy of the last scale is of no use any more: its memory goes before the next is made.
    {
        const std::lock_guard lock(m_mutex);
        m_made = Made{};
    }
    m_worker = std::jthread([this, picture, factor](std::stop_token stop) {
        QImage copy = scaledCopy(picture, scaledSize(picture.size(), factor), stop);
        if (copy.isNull())
            return;
        {
            const std::lock_guard lock(m_mutex);
            m_made = Made{picture.cacheKey(), factor, std::move(copy)};
        }
        QMetaObject::invokeMethod(this, &ScaledPicture::ready, Qt::QueuedConnection);
    });
}

void ScaledPicture::clear()
{
    stopWorker();
    m_wantedSource = 0;
    m_wantedFactor = 0;
    const std::lock_guard lock(m_mutex);
    m_made = Made{};
}

QImage ScaledPicture::copyOf(const QImage &picture, double factor) const
{
    const std::lock_guard lock(m_mutex);
    if (m_made.copy.isNull() || m_made.source != picture.cacheKey()
        || !sameFactor(m_made.factor, factor))
        return {};
    return m_made.copy;
}

} // namespace jigsaw::picture
