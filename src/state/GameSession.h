#pragma once

#include "platform/GameFolders.h"
#include "state/FormFields.h"
#include "state/GameState.h"

#include <QObject>

#include <memory>

namespace jigsaw {

class Sound;

// One run of the game as every form shares it: the folders, the shared state, the private
// fields of each form (they outlive the form's window), the wave cues and the music, and the
// end of the program.
class GameSession : public QObject
{
    Q_OBJECT

public:
    explicit GameSession(const GameFolders &folders);
    ~GameSession() override;

    // Ends the program at once: every form disappears without its closing reaction.
    void endProgram();
    bool hasEnded() const { return m_ended; }

    // Where the bundled files are read and the player's files kept.
    const GameFolders &folders() const { return m_folders; }

    GameState &state() { return m_state; }
    BoardFields &boardFields() { return m_board; }
    SelectFields &selectFields() { return m_select; }

    // The cues and the music device of the run.
    Sound &sound() { return *m_sound; }

    // The three wave cues; each returns when its sound has finished.
    void PlayNoticeSound();
    void PlayClickSound();
    void PlayCompleteSound();

signals:
    void programEnded();

private:
    GameFolders m_folders;
    GameState m_state;
    BoardFields m_board;
    SelectFields m_select;
    std::unique_ptr<Sound> m_sound;
    bool m_ended = false;
};

} // namespace jigsaw
