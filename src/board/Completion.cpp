#include "board/BoardForm.h"

#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "board/QuestionPanel.h"
#include "board/PlayRules.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Geometry.h"
#include "records/LibraryPicture.h"
#include "records/RecordFile.h"
#include "records/SavedGameFile.h"
#include "state/GameSession.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTimer>

namespace jigsaw {

namespace {

constexpr char kCongratulation[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "おめでとう！完成です。\r"
    "この記録を保存して、順位表に登録できます。\r"
    "保存する場合はプレーヤー名を入力してＯＫボタンをクリックしてください。");

// Loads the records of the game's picture and piece count for the record writer, and offers
// each earlier player's name once.
void loadEarlierPlayers(const GameFolders &folders, GameState &s, QComboBox *names)
{
    names->clear();
    const recordfile::Contents file = recordfile::read(
        recordfile::filePath(folders.recordFolder(), s.ImageFileName, s.PieceCount));
    s.RecordLines = file.records;
    s.RecordCount = static_cast<double>(file.records.size());
    // A file may hold a great many players; each name is looked up in a set, not in the list.
    QSet<QString> seen;
    QStringList offered;
    for (const QString &line : file.records) {
        const QString name = recordfile::playerNameOf(line);
        if (!seen.contains(name)) {
            seen.insert(name);
            offered.append(name);
        }
    }
    names->addItems(offered);
    // The names are offered in the list; the box itself starts empty.
    names->setCurrentIndex(-1);
}

} // namespace

void BoardForm::CheckCompletion()
{
    GameState &s = state();
    BoardFields &f = fields();
    if (f.Completed != 0)
        return;

    // Only pieces lying on the board count: a piece sent back into the box keeps the position
    // its board control had, but it is not on the board.
    const int count = static_cast<int>(s.PieceCount);
    f.CorrectCount = 0;
    for (int i = 0; i < count; ++i) {
        if (!m_ui.Picture1[static_cast<std::size_t>(i)]->isHidden() && PieceInPlace(i))
            f.CorrectCount += 1;
    }
    if (f.CorrectCount != s.PieceCount)
        return;

    m_ui.Timer1->stop();
    m_ui.Timer2->stop();
    m_ui.Timer5->stop();
    m_ui.Picture7->hide();
    m_ui.Picture8->hide();
    // The box leaves the screen before the rows start to snap.
    repaint();
    StopMusic();

    // Row by row, each row shown before its cue sounds; the cue's length paces the rows.
    const int side = static_cast<int>(s.GridSide);
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const auto k = static_cast<std::size_t>(r * side + c);
            PictureBox *piece = m_ui.Picture1[k];
            piece->raise();
            geom::move(piece, f.CorrectPos[k][1], f.CorrectPos[k][2]);
        }
        m_ui.Picture9->repaint();
        m_game.PlayCompleteSound();
    }

    m_ui.Command3->show();
    geom::setWidth(m_ui.Combo1, geom::twips(2200));
    m_ui.Combo1->show();
    enableJapaneseInput(m_ui.Combo1);
    m_ui.Label7->hide();
    m_ui.Picture4->raise();

    m_ui.Label5->setCaption(tr(kCongratulation));
    const library::TakenNames taken(m_game.folders());
    if (const std::optional<QString> libraryName =
            libraryNameFor(s.ImageFileName, s.LibraryPictureCount,
                           [&taken](const QString &name) { return taken.taken(name); })) {
        s.ImageFileName = *libraryName;
        s.PanelMode = 6;
    } else {
        s.PanelMode = 7;
    }

    loadEarlierPlayers(m_game.folders(), s, m_ui.Combo1);

    // A completed game cannot be resumed again.
    if (s.BoardLaunchMode == 2) {
        m_ui.Combo1->setEditText(s.ResumedGameName);
        QFile::remove(savedgame::filePath(m_game.folders().saveFolder(), s.ResumedGameName));
    }

    m_ui.mnuSave->setEnabled(false);
    // A slide-out still under way would take the question away again.
    m_ui.Timer4->stop();
    m_ui.Timer3->start();
    m_ui.VScroll1->setValue(0);
    s.GameTimeLimit = TimeLimit();
    f.Completed = 1;
    s.InPlay = 0;
}

} // namespace jigsaw
