#include "state/GameSession.h"

#include "sound/Sound.h"
#include "sound/SoundCues.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

namespace jigsaw {

GameSession::GameSession(const GameFolders &folders)
    : m_folders(folders)
    , m_sound(std::make_unique<Sound>(folders.waveFolder()))
{
}

GameSession::~GameSession() = default;

void GameSession::PlayNoticeSound()
{
    m_sound->cues().PlayNoticeSound();
}

void GameSession::PlayClickSound()
{
    m_sound->cues().PlayClickSound();
}

void GameSession::PlayCompleteSound()
{
    m_sound->cues().PlayCompleteSound();
}

void GameSession::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *widget : QApplication::topLevelWidgets())
        widget->hide();
    emit programEnded();
    // Outside an event loop (a test driving the forms directly) there is nothing to leave, and
    // exit() would only leave a quit request behind for the next loop to trip over.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

} // namespace jigsaw
