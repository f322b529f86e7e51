#pragma once

#include <QLineF>
#include <QList>
#include <QRect>

#include <cstdint>
#include <optional>

namespace jigsaw {

// The size of one piece: the board divided into grid-side equal parts each way. The width is
// kept at full precision, the height at single precision.
struct PieceSize
{
    double pieceW = 0;
    float pieceH = 0;
};

PieceSize pieceSizeFor(float boardWidth, float boardHeight, double gridSide);

// How far from its place a piece may lie and still count as placed.
struct PlaceTolerance
{
    double x = 0;
    std::int16_t y = 0;
};

// The divisor of the tolerances for a piece count: 10 for 16 to 36 pieces, 8 for 49 to 64,
// 7 for 81 to 100; none for any other count, which keeps the tolerances of the last game.
std::optional<int> toleranceDivisor(double pieceCount);
std::optional<PlaceTolerance> placeTolerance(double pieceW, float pieceH, double pieceCount);

// The whole pixels of the picture that a piece at (left, top) of the solved picture shows.
// Edges are rounded like the pieces' own edges, so the cells tile the picture.
QRect pieceCell(float left, float top, double pieceW, float pieceH);

// A piece's first board position along one side in a new game: somewhere inside the board,
// from 1 to boardSide - pieceSide + 1, for a uniform r in [0, 1).
double randomStart(float boardSide, double pieceSide, double r);

// The grid of the bare board: gridSide - 1 vertical lines at x = i * pieceW and as many
// horizontal lines at y = i * pieceH rounded to whole pixels, none along the outer edges.
QList<QLineF> boardGridLines(double pieceW, float pieceH, double gridSide, float boardWidth,
                             float boardHeight);

// Whether a piece count and grid side can be laid out on the piece controls.
bool isPlayableGrid(double pieceCount, double gridSide);

} // namespace jigsaw
