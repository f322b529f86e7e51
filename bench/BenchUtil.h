#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Helpers shared by the benchmark driver and the player it starts: the clock both read, medians
// and test photos made on the spot.
namespace jigsaw::bench {

// The monotonic clock in nanoseconds, the same in every process of the machine, so a time
// taken by the driver and one taken by a player process can be compared.
qint64 monotonicNs();

double median(std::vector<double> values);

// A photo-like JPEG: smooth gradients with grain, 4:2:0 chroma as cameras write it. The seed
// makes each picture different.
QByteArray makePhotoJpeg(int width, int height, int quality, unsigned seed);

// Writes bytes to a file, making its folder; false when it cannot.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace jigsaw::bench
