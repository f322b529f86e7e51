#include "board/BoardForm.h"
#include "GiantCheck.h"
#include "board/PictureBox.h"
#include "board/PieceCutting.h"
#include "platform/AppSetup.h"
#include "platform/GameFolders.h"
#include "platform/ScaledPicture.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "BenchUtil.h"
#include "app/Game.h"

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

// The game as a player starts it, for the benchmark driver, which plays it through the X server
// and reads the screen back. Besides playing, it only says on its standard output where things
// are on the screen, once they are there, so that the driver knows where to click and what to
// look for; it takes no time of its own.
//   select win=<window> go=<rect> thumb=<rect> x6      the selection form, once shown
//   board view=<rect> panel=<top>,<bottom> start=<rect> picture=<w>,<h>   a board, once shown
//   box probe=<x>,<y>,<picture x>,<picture y> ...      points of the box's pieces in sight and
//       cell=<picture rect> ...                        what they show, after Start; the cells of
//                                                      the photo those pieces show
//   shown=<rect>                                       (on the board line) where the picture lies,
//                                                      at the zoom's scale
//   pieces n=<count>                                   with BENCH_PIECES=most: the largest piece
//                                                      count chosen, once the question panel rests
//   piece at=<rect> cell=<picture rect>                a piece put on the board, and the cell of
//                                                      the photo it shows
//   zoom shown=<rect>                                  the picture's place after a zoom step, and
//                                                      a box line again while the box is shown
//   sharp                                              the copy of the picture at the zoom's scale
//                                                      is ready, its paint asked for
//   late ms=<ms> at=<ns>                               the user-interface thread came to an event
//                                                      posted at that time only that much later
// A rect is x,y,w,h in screen pixels.

namespace {

using namespace jigsaw;

QByteArray rectText(const QRect &rect)
{
    return QByteArray::number(rect.x()) + ',' + QByteArray::number(rect.y()) + ','
        + QByteArray::number(rect.width()) + ',' + QByteArray::number(rect.height());
}

QRect globalRect(const QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// The number of a control of an array, "Picture6(12)" -> 12.
int pieceIndex(const QObject *control)
{
    return control->objectName().section(QLatin1Char('('), 1).section(QLatin1Char(')'), 0, 0).toInt();
}

void say(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A thread posts an event to the user-interface thread every few milliseconds; an event it
// comes to late tells how long it was kept from answering the player.
class Responsiveness : public QObject
{
public:
    Responsiveness()
        : m_poster([this](std::stop_token stop) {
            while (!stop.stop_requested()) {
                QCoreApplication::postEvent(this, new Posted(bench::monotonicNs()));
                std::this_thread::sleep_for(std::chrono::milliseconds(kEveryMs));
            }
        })
    {
    }

protected:
    void customEvent(QEvent *event) override
    {
        if (event->type() != Posted::kType)
            return;
        const qint64 at = static_cast<Posted *>(event)->postedNs;
        const qint64 late = bench::monotonicNs() - at;
        if (late > kToldMs * 1000000)
            say("late ms=" + QByteArray::number(late / 1000000) + " at=" + QByteArray::number(at));
    }

private:
    static constexpr int kEveryMs = 2;
    static constexpr int kToldMs = 4;

    struct Posted : QEvent
    {
        static constexpr auto kType = static_cast<QEvent::Type>(QEvent::User + 77);
        explicit Posted(qint64 ns)
            : QEvent(kType)
            , postedNs(ns)
        {
        }
        qint64 postedNs;
    };

    std::jthread m_poster;
};

class Reporter : public QObject
{
public:
    explicit Reporter(Game &game)
        : m_game(game)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose) {
            const auto *window = qobject_cast<QWindow *>(watched);
            if (window && window->isExposed())
                exposed(window);
        } else if (event->type() == QEvent::Show
                   && watched->objectName() == QLatin1String("Picture7")) {
            reportBox();
        } else if (event->type() == QEvent::Show
                   && watched->objectName().startsWith(QLatin1String("Picture1("))) {
            QTimer::singleShot(0, this, [this, piece = qobject_cast<QWidget *>(watched)] {
                reportPiece(piece);
            });
        } else if (event->type() == QEvent::Resize && m_boardSaid
                   && watched == m_boardSaid->ui().Picture2 && !m_zoomPending) {
            // A zoom step resizes the picture more than once: said once it has settled.
            m_zoomPending = true;
            QTimer::singleShot(0, this, [this] {
                m_zoomPending = false;
                BoardForm *board = m_game.boardIfLoaded();
                if (!board)
                    return;
                say("zoom shown=" + rectText(globalRect(board->ui().Picture2)));
                if (board->ui().Picture7->isVisible())
                    reportBox();
            });
        }
        return false;
    }

private:
    void exposed(const QWindow *window)
    {
        SelectForm *select = m_game.frmSelect();
        if (!m_selectSaid && select && select->windowHandle() == window) {
            m_selectSaid = true;
            // Once the window manager's placing of the window has reached the toolkit.
            QTimer::singleShot(0, select, [select] {
                QByteArray line = "select win=" + QByteArray::number(select->winId()) + " go="
                    + rectText(globalRect(select->findChild<QPushButton *>(
                        QStringLiteral("Command1"))));
                for (int i = 0; i < 6; ++i)
                    line += " thumb=" + rectText(globalRect(select->image1(i)));
                say(line);
            });
        }
        BoardForm *board = m_game.boardIfLoaded();
        if (board && board != m_boardSaid && board->windowHandle() == window) {
            m_boardSaid = board;
            if (auto *scaled = board->findChild<picture::ScaledPicture *>())
                connect(scaled, &picture::ScaledPicture::ready, this, [] { say("sharp"); });
            if (qgetenv("BENCH_PIECES") == "most")
                choosePiecesWhenResting(board);
            QTimer::singleShot(0, board, [board] {
                const BoardControls &ui = board->ui();
                const QRect view = globalRect(ui.Picture9);
                const QRect panel = globalRect(ui.Picture4);
                const QRect item = board->menuBar()->actionGeometry(ui.mnuStart);
                const QRect start(board->menuBar()->mapToGlobal(item.topLeft()), item.size());
                say("board view=" + rectText(view) + " panel=" + QByteArray::number(panel.top())
                    + ',' + QByteArray::number(panel.bottom() + 1) + " start=" + rectText(start)
                    + " picture=" + QByteArray::number(ui.Picture2->width()) + ','
                    + QByteArray::number(ui.Picture2->height()) + " shown="
                    + rectText(globalRect(ui.Picture2)));
            });
        }
    }

    // The player reads the question panel once it has slid in, then asks for the most pieces.
    void choosePiecesWhenResting(BoardForm *board)
    {
        auto *poll = new QTimer(board);
        connect(poll, &QTimer::timeout, board, [this, board, poll] {
            const BoardControls &ui = board->ui();
            if (m_game.state().BoardActivated != 1 || ui.Timer3->isActive())
                return;
            poll->stop();
            ui.mnuPieceCounts.back()->trigger();
            say("pieces n=" + QByteArray::number(int(m_game.state().PieceCount)));
        });
        poll->start(20);
    }

    // A piece put on the board: where it lies on the screen and the cell of the photo it shows.
    void reportPiece(const QWidget *piece)
    {
        if (!piece || !m_game.boardIfLoaded())
            return;
        const BoardFields &f = m_game.boardFields();
        const auto index = std::size_t(pieceIndex(piece));
        say("piece at=" + rectText(globalRect(piece)) + " cell="
            + rectText(pieceCell(f.CorrectPos[index][1], f.CorrectPos[index][2], f.PieceW, f.PieceH)));
    }

    // Points of the box's strip in sight, each with the point of the photo the slot on top there
    // shows, away from the slots' edges (their focus frames).
    void reportBox()
    {
        BoardForm *board = m_game.boardIfLoaded();
        if (!board)
            return;
        const BoardControls &ui = board->ui();
        const BoardFields &f = m_game.boardFields();
        QRect strip = globalRect(ui.Picture7);
        strip.setWidth(strip.width() - ui.VScroll1->width());
        strip &= globalRect(ui.Form) & QGuiApplication::primaryScreen()->geometry();
        QByteArray line = "box";
        QList<std::size_t> pieces;
        for (int j = 0; j < 12; ++j) {
            for (int i = 0; i < 12; ++i) {
                const QPoint at(strip.left() + strip.width() * (2 * i + 1) / 24,
                                strip.top() + strip.height() * (2 * j + 1) / 24);
                const QPoint local = ui.Picture5->mapFromGlobal(at);
                const auto *slot = qobject_cast<const PictureBox *>(ui.Picture5->childAt(local));
                if (!slot || !slot->hasPicture())
                    continue;
                const QPoint inSlot = slot->mapFromGlobal(at);
                if (!slot->rect().adjusted(6, 6, -6, -6).contains(inSlot))
                    continue;
                const auto index = std::size_t(pieceIndex(slot));
                const QRect cell =
                    pieceCell(f.CorrectPos[index][1], f.CorrectPos[index][2], f.PieceW, f.PieceH);
                if (!pieces.contains(index)) {
                    pieces.append(index);
                    line += " cell=" + rectText(cell);
                }
                const QPoint inCell = (QPointF(inSlot) / board->zoomScale()).toPoint();
                line += " probe=" + QByteArray::number(at.x()) + ',' + QByteArray::number(at.y())
                    + ',' + QByteArray::number(cell.x() + inCell.x()) + ','
                    + QByteArray::number(cell.y() + inCell.y());
            }
        }
        say(line);
    }

    Game &m_game;
    bool m_selectSaid = false;
    bool m_zoomPending = false;
    const BoardForm *m_boardSaid = nullptr;
};

} // namespace

int main(int argc, char **argv)
{
    app::readFontConfigurationEarly();
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_player <program folder>\n");
        return 1;
    }
    app::setUpApplication();
    Game game(GameFolders::forExecutable(args[1]));
    if (qgetenv("BENCH_CHECK") == "giant")
        return bench::checkGiantPhoto(game);
    Reporter reporter(game);
    application.installEventFilter(&reporter);
    // Its thread wakes the game every few milliseconds: not while the game's own wake-ups are
    // counted.
    std::optional<Responsiveness> responsiveness;
    if (qEnvironmentVariableIsEmpty("BENCH_QUIET"))
        responsiveness.emplace();
    game.start();
    return QApplication::exec();
}
