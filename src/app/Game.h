#pragma once

#include "platform/FormInstance.h"
#include "platform/GameFolders.h"
#include "state/GameSession.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace jigsaw {

class BoardForm;
class RecordsForm;
class SelectForm;

// One run of the game put together: the session every form shares and the single instance of
// each form. It is the one place that knows all three forms; what one form's doings mean for
// another passes through here.
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

    GameSession &session() { return m_session; }
    GameState &state() { return m_session.state(); }
    BoardFields &boardFields() { return m_session.boardFields(); }
    Sound &sound() { return m_session.sound(); }
    bool hasEnded() const { return m_session.hasEnded(); }

    // The form instances. The board form is loaded by GO, and again by the next GO after the
    // player closed it; boardIfLoaded() never loads it.
    SelectForm *frmSelect() const;
    BoardForm *boardIfLoaded() const;
    FormInstance<BoardForm> &boardInstance() { return m_board; }
    // The records form, loaded from its design (and hidden) when it has no window.
    RecordsForm *frmRecords();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    BoardForm *loadBoard();
    RecordsForm *loadRecords();

    GameSession m_session;
    QPointer<SelectForm> m_frmSelect;
    FormInstance<BoardForm> m_board;
    FormInstance<RecordsForm> m_records;
};

// The program's whole life for the executable in this folder: start-up, event loop, end.
int runGame(const QString &executableFolder);

} // namespace jigsaw
