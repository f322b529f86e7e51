#include "board/BoardForm.h"

#include "board/PictureBox.h"
#include "state/GameSession.h"

#include <QCloseEvent>
#include <QTimer>

#include <algorithm>

namespace jigsaw {

void BoardForm::Quit_Click()
{
    AskQuestion(1, tr("ジグソーパズルを終了しますか？"), NoButton);
}

void BoardForm::QuitProgram()
{
    StopMusic();
    ClearPiecePictures();
    m_game.endProgram();
}

void BoardForm::NewPicture_Click()
{
    close();
}

void BoardForm::ClearPiecePictures()
{
    const int count = std::clamp(static_cast<int>(state().PieceCount), 0, kPieceControls);
    for (int i = 0; i < count; ++i) {
        m_ui.Picture1[static_cast<std::size_t>(i)]->clearPicture();
        m_ui.Picture6[static_cast<std::size_t>(i)]->clearPicture();
    }
}

void BoardForm::closeEvent(QCloseEvent *event)
{
    // The board is never kept open. When the program itself ends, the forms just go: the
    // selection form needs no preparing for a next game.
    event->accept();
    if (m_game.hasEnded())
        return;
    ClearPiecePictures();
    StopMusic();
    // The window goes, and its clocks with it: nothing may tick between now and its deletion.
    for (QTimer *timer : {m_ui.Timer1, m_ui.Timer2, m_ui.Timer3, m_ui.Timer4, m_ui.Timer5})
        timer->stop();
    emit closed();
}

} // namespace jigsaw
