#pragma once

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
    // appDir is the program folder; musicDir the per-user folder the music file is played from
    // (the platform's default per-user folder when empty).
    explicit Game(const QString &appDir, const QString &musicDir = QString());
    ~Game() override;

    // Shows the start-up form; the toolkit's event loop drives everything after that.
    void start();

    // Ends the program at once: every form disappears without its closing reaction.
    void endProgram();
    bool hasEnded() const { return m_ended; }

    const QString &programFolder() const { return m_programFolder; }
    const QString &musicFolder() const { return m_musicFolder; }

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
    QString m_programFolder;
    QString m_musicFolder;
    GameState m_state;
    BoardFields m_board;
    SelectFields m_select;
    std::unique_ptr<Sound> m_sound;
    QPointer<SelectForm> m_frmSelect;
    QPointer<BoardForm> m_frmBoard;
    QPointer<RecordsForm> m_frmRecords;
    bool m_ended = false;
};

// The program's whole life for a program folder: start-up, event loop, end.
int runGame(const QString &appDir);

} // namespace jigsaw
