#pragma once

#include "platform/GameFolders.h"
#include "state/FormFields.h"
#include "state/GameState.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

namespace jigsaw {

class BoardForm;
class RecordsForm;
class SelectForm;
class Sound;

// One run of the game: the shared state, the private fields of each form, and the single
// instance of each form. A form's window may be closed and made again; its fields stay here.
class Game : public QObject
{
    Q_OBJECT

public:
    // A game whose files all lie in the program folder appDir (the portable layout); musicDir
    // is the folder the music file is played from (the player's data folder when empty).
    explicit Game(const QString &appDir, const QString &musicDir = QString());
    // A game in the folders given.
    explicit Game(const GameFolders &folders);
    ~Game() override;

    // Shows the start-up form; the toolkit's event loop drives everything after that.
    void start();

    // Ends the program at once: every form disappears without its closing reaction.
    void endProgram();
    bool hasEnded() const { return m_ended; }

    // Where the bundled files are read and the player's files kept.
    const GameFolders &folders() const { return m_folders; }

    GameState &state() { return m_state; }
    BoardFields &boardFields() { return m_board; }
    SelectFields &selectFields() { return m_select; }

    // The form instances. frmBoard() loads the board form from its design when it has no
    // window (first launch, or after the player closed it); boardIfLoaded() never does.
    SelectForm *frmSelect() const;
    BoardForm *frmBoard();
    BoardForm *boardIfLoaded() const;
    // The records form, loaded from its design (and hidden) when it has no window.
    RecordsForm *frmRecords();

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
    QPointer<SelectForm> m_frmSelect;
    QPointer<BoardForm> m_frmBoard;
    QPointer<RecordsForm> m_frmRecords;
    bool m_ended = false;
};

// The program's whole life for the executable in this folder: start-up, event loop, end.
int runGame(const QString &executableFolder);

} // namespace jigsaw
