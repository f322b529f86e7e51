#pragma once

#include <QImage>
#include <QObject>

#include <memory>
#include <mutex>
#include <thread>

namespace jigsaw::picture {

// One copy of a picture at the size a zoomed view shows it, in the screen's own pixels, so
// that the view draws a scaled-down picture from its own pixels without scaling it again on
// every paint. The copy is made on a worker thread whenever the scale changes; the picture
// itself stays as it is, for the views that show it at its own size or larger.
class ScaledPicture : public QObject
{
    Q_OBJECT

public:
    explicit ScaledPicture(QObject *parent = nullptr);
    ~ScaledPicture() override;

    // Starts making the copy of a whole, final picture at factor screen pixels to one picture
    // pixel (the zoom's scale times the screen's pixel ratio), giving up a copy still in the
    // making. At a factor of 1 or more no copy is made.
    void make(const QImage &picture, double factor);
    // Drops the copy, and any in the making.
    void clear();

    // The copy of this picture at this factor, once it is made; null otherwise.
    QImage copyOf(const QImage &picture, double factor) const;

signals:
    // A copy has been made; views showing it repaint.
    void ready();

private:
    void stopWorker();

    struct Made
    {
        qint64 source = 0;
        double factor = 0;
        QImage copy;
    };
    // Written by the worker, read by the views.
    mutable std::mutex m_mutex;
    Made m_made;
    qint64 m_wantedSource = 0;
    double m_wantedFactor = 0;
    std::jthread m_worker;
};

} // namespace jigsaw::picture
