#include "board/PlayRules.h"

#include "platform/Numbers.h"

#include <algorithm>

namespace jigsaw {

namespace {

constexpr char kLibraryPrefix[] = "ジグソー画像";

double d(float value)
{
    return static_cast<double>(value);
}

} // namespace

bool liesInPlace(float left, float top, float correctLeft, float correctTop, double tolX,
                 std::int16_t tolY)
{
    const float lowX = num::toSingle(d(correctLeft) - tolX);
    const float highX = num::toSingle(d(correctLeft) + tolX);
    const float lowY = num::toSingle(d(correctTop) - tolY);
    const float highY = num::toSingle(d(correctTop) + tolY);
    return lowX <= left && left <= highX && lowY <= top && top <= highY;
}

DragPlace pieceDragPlace(float pieceLeft, float pieceTop, double x, double y, float grabX,
                         std::int16_t grabY, float pieceW, float pieceH, float boardW,
                         float boardH)
{
    float left = num::toSingle(d(pieceLeft) + (x - d(grabX)));
    double top = num::roundHalfEven(y - grabY + d(pieceTop));

    const float halfW = pieceW / 2;
    const float halfH = pieceH / 2;
    if (left < -halfW)
        left = -halfW;
    if (left > boardW - halfW)
        left = boardW - halfW;
    if (top < -halfH)
        top = num::roundHalfEven(-d(halfH));
    if (top > boardH - halfH)
        top = num::roundHalfEven(d(boardH) - d(halfH));
    return {left, top};
}

DragPlace boxDragPlace(float titleLeft, float titleTop, double x, double y, float grabX,
                       std::int16_t grabY, float titleW, float titleH, float innerW,
                       float innerH)
{
    float left = num::toSingle(d(titleLeft) + (x - d(grabX)));
    std::int16_t top = num::toInt16Clamped(y - grabY + d(titleTop));

    const float halfW = titleW / 2;
    if (left < -halfW)
        left = -halfW;
    if (left > innerW - halfW)
        left = innerW - halfW;
    if (top < 0)
        top = 0;
    if (top > innerH - titleH)
        top = num::toInt16Clamped(d(innerH) - d(titleH));
    return {left, static_cast<double>(top)};
}

std::optional<double> toNextCell(double at, const std::vector<double> &cellStarts, bool forward)
{
    std::optional<double> next;
    for (const double start : cellStarts) {
        const bool beyond = forward ? start > at + 0.5 : start < at - 0.5;
        if (beyond && (!next || (forward ? start < *next : start > *next)))
            next = start;
    }
    if (!next)
        return std::nullopt;
    return *next - at;
}

std::optional<TakeOutPlace> takeOutPlace(const TakeOutInput &in)
{
    // Gaps of 10 pixels keep the piece clear of the box and of the view's edge.
    constexpr double kGap = 10;
    const QRectF seen = in.view & in.board;
    const double shownW = d(in.pieceW) * in.scale;
    const double shownH = d(in.pieceH) * in.scale;
    double x = seen.right() - shownW - kGap;
    if (in.box && in.box->intersects(seen)) {
        const double leftRoom = in.box->left() - kGap - seen.left();
        const double rightRoom = seen.right() - (in.box->right() + kGap);
        if (std::max(leftRoom, rightRoom) < shownW)
            return std::nullopt;
        x = leftRoom >= rightRoom ? in.box->left() - kGap - shownW : in.box->right() + kGap;
    }
    const double y = in.view.top() + in.view.height() / 2 - shownH / 2;

    // From the view to the board, kept inside what the view shows of the board.
    const auto inside = [](double at, double shownFrom, double shownTo, double size) {
        return std::max(shownFrom, std::min(at, shownTo - size));
    };
    const auto onBoard = [&in](double at, double boardAt) { return (at - boardAt) / in.scale; };
    TakeOutPlace place;
    place.left = num::toSingle(inside(onBoard(x, in.board.left()), onBoard(seen.left(), in.board.left()),
                                      onBoard(seen.right(), in.board.left()), d(in.pieceW)));
    place.top = num::toSingle(inside(onBoard(y, in.board.top()), onBoard(seen.top(), in.board.top()),
                                     onBoard(seen.bottom(), in.board.top()), d(in.pieceH)));
    return place;
}

std::optional<QString> libraryNameFor(const QString &imageFileName,
                                      std::int16_t libraryPictureCount,
                                      const std::function<bool(const QString &)> &isTaken)
{
    const QString prefix = QString::fromUtf8(kLibraryPrefix);
    if (imageFileName.left(prefix.size()) == prefix)
        return std::nullopt;
    // A name without an extension keeps none.
    const qsizetype dot = imageFileName.indexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : imageFileName.mid(dot);
    int number = libraryPictureCount + 1;
    while (isTaken && isTaken(prefix + QString::number(number) + extension))
        ++number;
    return prefix + QString::number(number) + extension;
}

QString nextLibraryName(const QString &libraryName)
{
    const QString prefix = QString::fromUtf8(kLibraryPrefix);
    qsizetype end = prefix.size();
    while (end < libraryName.size() && libraryName.at(end).isDigit()
           && libraryName.at(end).unicode() < 128)
        ++end;
    const long long number = libraryName.mid(prefix.size(), end - prefix.size()).toLongLong();
    return prefix + QString::number(number + 1) + libraryName.mid(end);
}

} // namespace jigsaw
