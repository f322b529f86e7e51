#include "board/PieceCutting.h"

#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "platform/Clipboard.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <cmath>

namespace jigsaw {

PieceSize pieceSizeFor(float boardWidth, float boardHeight, double gridSide)
{
    return {static_cast<double>(boardWidth) / gridSide,
            num::toSingle(static_cast<double>(boardHeight) / gridSide)};
}

std::optional<int> toleranceDivisor(double pieceCount)
{
    if (pieceCount >= 16 && pieceCount <= 36)
        return 10;
    if (pieceCount >= 49 && pieceCount <= 64)
        return 8;
    if (pieceCount >= 81 && pieceCount <= 100)
        return 7;
    return std::nullopt;
}

std::optional<PlaceTolerance> placeTolerance(double pieceW, float pieceH, double pieceCount)
{
    const std::optional<int> d = toleranceDivisor(pieceCount);
    if (!d)
        return std::nullopt;
    return PlaceTolerance{pieceW / *d, num::toInt16Clamped(static_cast<double>(pieceH) / *d)};
}

QRect pieceCell(float left, float top, double pieceW, float pieceH)
{
    return geom::pixelRect(left, top, num::toSingle(pieceW), pieceH);
}

double randomStart(float boardSide, double pieceSide, double r)
{
    return num::intDown((static_cast<double>(boardSide) - pieceSide) * r) + 1;
}

QList<QLineF> boardGridLines(double pieceW, float pieceH, double gridSide, float boardWidth,
                             float boardHeight)
{
    QList<QLineF> lines;
    for (int i = 1; i <= gridSide - 1; ++i) {
        const double x = i * pieceW;
        lines.append(QLineF(x, 0, x, boardHeight));
        const double y = num::roundHalfEven(i * static_cast<double>(pieceH));
        lines.append(QLineF(0, y, boardWidth, y));
    }
    return lines;
}

bool isPlayableGrid(double pieceCount, double gridSide)
{
    return pieceCount >= 1 && pieceCount <= kPieceControls && std::floor(pieceCount) == pieceCount
        && gridSide >= 1 && gridSide * gridSide <= kPieceControls
        && std::floor(gridSide) == gridSide;
}

void BoardForm::LayoutBoardPieces()
{
    GameState &s = state();
    BoardFields &f = fields();
    const auto &pieces = m_ui.Picture1;
    const int count = static_cast<int>(s.PieceCount);
    const int side = static_cast<int>(s.GridSide);
    auto piece = [&pieces](int i) { return pieces[static_cast<std::size_t>(i)]; };

    const PieceSize size = pieceSizeFor(geom::width(m_ui.Picture2), geom::height(m_ui.Picture2),
                                        s.GridSide);
    f.PieceW = size.pieceW;
    f.PieceH = size.pieceH;
    if (const std::optional<PlaceTolerance> tolerance =
            placeTolerance(f.PieceW, f.PieceH, s.PieceCount)) {
        f.PlaceTolX = tolerance->x;
        f.PlaceTolY = tolerance->y;
    }

    for (int i = 0; i < count; ++i)
        geom::resize(piece(i), f.PieceW, f.PieceH);
    advanceProgress(1);

    // The solved layout is built from the positions the controls give back, so every piece's
    // correct place carries the rounding of the pieces before it.
    geom::setTop(piece(0), 0);
    for (int i = 0; i < count; i += side) {
        geom::setLeft(piece(i), 0);
        if (i > 0) {
            const PictureBox *above = piece(i - side);
            geom::setTop(piece(i), static_cast<double>(geom::top(above))
                                       + static_cast<double>(geom::height(above)));
        }
    }
    advanceProgress(1);

    for (int c = 1; c < side; ++c) {
        for (int r = 0; r < side; ++r) {
            const int k = r * side + c;
            const PictureBox *before = piece(k - 1);
            geom::move(piece(k),
                       static_cast<double>(geom::left(before))
                           + static_cast<double>(geom::width(before)),
                       geom::top(piece(r * side)));
        }
    }
    advanceProgress(1);

    for (int i = 0; i < count; ++i) {
        f.CorrectPos[static_cast<std::size_t>(i)][1] = geom::left(piece(i));
        f.CorrectPos[static_cast<std::size_t>(i)][2] = geom::top(piece(i));
    }
    advanceProgress(1);
}

void BoardForm::CutPicture()
{
    GameState &s = state();
    const BoardFields &f = fields();
    const int count = static_cast<int>(s.PieceCount);
    // Every piece is a view of its cell of the one game picture: nothing is copied, and
    // nothing waits for the rows still being decoded.
    auto cell = [&f](int i) {
        const auto &place = f.CorrectPos[static_cast<std::size_t>(i)];
        return pieceCell(place[1], place[2], f.PieceW, f.PieceH);
    };

    clipboard::clearClipboard();
    if (s.BoardLaunchMode != 1) {
        for (int i = 0; i < count; ++i) {
            PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(i)];
            showGamePicture(piece, cell(i));
            geom::move(piece, s.SavedLeft[static_cast<std::size_t>(i)],
                       s.SavedTop[static_cast<std::size_t>(i)]);
        }
    } else {
        m_random.reseedFromClock();
        const float boardWidth = geom::width(m_ui.Picture2);
        const float boardHeight = geom::height(m_ui.Picture2);
        for (int i = 0; i < count; ++i) {
            showGamePicture(m_ui.Picture6[static_cast<std::size_t>(i)], cell(i));
            const double left = randomStart(boardWidth, f.PieceW, m_random.next());
            const double top = randomStart(boardHeight, f.PieceH, m_random.next());
            geom::move(m_ui.Picture1[static_cast<std::size_t>(i)], left, top);
        }
    }
    advanceProgress(1);
    clipboard::clearClipboard();
}

void BoardForm::DrawBoardGrid()
{
    const BoardFields &f = fields();
    PictureBox *board = m_ui.Picture2;
    board->clearPicture();
    board->clearDrawing();
    for (const QLineF &line : boardGridLines(f.PieceW, f.PieceH, state().GridSide,
                                             geom::width(board), geom::height(board)))
        board->drawLine(line);
}

} // namespace jigsaw
