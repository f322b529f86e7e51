#include "GiantCheck.h"

#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "platform/StretchImage.h"
#include "select/SelectForm.h"
#include "app/Game.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <set>

namespace jigsaw::bench {

namespace {

bool waitFor(const std::function<bool()> &condition, int ms = 120000)
{
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void sendMouse(QWidget *w, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

} // namespace

int checkGiantPhoto(Game &game)
{
    game.start();
    SelectForm *form = game.frmSelect();
    if (!form || !QTest::qWaitForWindowExposed(form))
        return 2;
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    BoardForm *board = game.boardIfLoaded();
    if (!board || !waitFor([&] { return game.state().BoardActivated == 1; }))
        return 3;
    const BoardControls &ui = board->ui();
    waitFor([&ui] { return !ui.Timer3->isActive(); });
    // The whole photo, decoded, before its far corner is looked at.
    const QImage &picture = board->gamePicture();
    ui.mnuZoomSteps[2]->trigger(); // 100 %
    QTest::keyClick(ui.HScroll1, Qt::Key_End);
    QTest::keyClick(ui.VScroll2, Qt::Key_End);
    const QImage shown = ui.Picture9->grab().toImage();
    const QRgb corner = shown.pixel(shown.width() - 1, shown.height() - 1);
    const QRgb last = picture.pixel(picture.width() - 1, picture.height() - 1);
    const bool reached = geom::left(ui.Picture2) + geom::width(ui.Picture2) == geom::width(ui.Picture9)
        && std::abs(qGray(corner) - qGray(last)) < 8;

    ui.mnuPieceCounts.back()->trigger();
    ui.mnuStart->trigger();
    ui.Timer1->stop();
    ui.Timer5->stop();
    std::set<std::pair<int, int>> places;
    for (std::size_t i = 0; i < 100; ++i)
        places.insert({game.boardFields().BoxSlot[i][1], game.boardFields().BoxSlot[i][2]});
    const int distinct = static_cast<int>(places.size());

    ui.mnuZoomFit->trigger();
    ui.mnuPieceBox->trigger(); // every piece out on the board
    waitFor([&ui] { return !ui.Timer4->isActive(); });
    const double scale = board->zoomScale();
    for (std::size_t i = 0; i < 100; ++i) {
        PictureBox *piece = ui.Picture1[i];
        const auto &place = game.boardFields().CorrectPos[i];
        const QPointF by =
            (QPointF(place[1], place[2]) - QPointF(geom::left(piece), geom::top(piece))) * scale;
        const QPointF grab = QRectF(piece->rect()).center();
        sendMouse(piece, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        sendMouse(piece, QEvent::MouseMove, grab + by, Qt::NoButton, Qt::LeftButton);
        sendMouse(piece, QEvent::MouseButtonRelease, grab + by, Qt::LeftButton, Qt::NoButton);
    }
    std::printf("giant width=%d height=%d reached=%d slots=%d completed=%d\n", picture.width(),
                picture.height(), reached ? 1 : 0, distinct,
                game.boardFields().Completed == 1 ? 1 : 0);
    std::fflush(stdout);
    return 0;
}

} // namespace jigsaw::bench
