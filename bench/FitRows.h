#pragma once

#include "BenchSession.h"

// The figures of a photo shown at the scale that fits the screen, and of a photo beyond 16 bits
// a side.
namespace jigsaw::bench {

// Probes over the part of the view where the board shows the photo, at the scale the board line
// said (`shown`), away from the question panel's rows.
std::vector<Probe> fittedProbes(const Report &board, const Photo &photo);

// GO, the first Start with the most pieces and a zoom step, each in fresh game processes;
// `name` heads the rows.
void printFittedPhoto(const char *name, const QString &folder, const Photo &photo,
                      const QString &runs);

// The giant photo played once in a game process of its own: its far corner, a slot of its own
// for each of 100 pieces, every piece dragged onto its place.
void printGiantPhoto(const QString &folder, const QString &runs);

} // namespace jigsaw::bench
