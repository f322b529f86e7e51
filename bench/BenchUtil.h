#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Helpers shared by the benchmark driver and the game it starts: the clock both read, medians
// and test photos made on the spot.
namespace jigsaw::bench {

// The monotonic clock in nanoseconds, the same in every process of the machine.
qint64 monotonicNs();

double median(std::vector<double> values);

// A photo-like JPEG of any size, written row by row: a smooth gradient with grain, 4:2:0 chroma
// as cameras write it, baseline or progressive. Its colour at any place is known without
// decoding it (see photoColour), so whoever sees it on the screen can tell its own pixels from
// anything else: red grows to the right, green downwards, blue falls with both.
bool writePhotoJpeg(const QString &path, int width, int height, bool progressive);

struct Colour
{
    int red;
    int green;
    int blue;
};

// The photo's colour at (x, y), grain aside.
Colour photoColour(int x, int y, int width, int height);
// Whether a colour seen on the screen is the photo's own at (x, y): within the grain, the
// JPEG's loss and the smoothing of a picture shown small or coarse.
bool isPhotoColour(Colour seen, int x, int y, int width, int height);

} // namespace jigsaw::bench
