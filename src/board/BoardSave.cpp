#include "board/BoardForm.h"

#include "board/CaptionLabel.h"
#include "board/PictureBox.h"
#include "board/QuestionPanel.h"
#include "platform/ChoiceComboBox.h"
#include "platform/Geometry.h"
#include "records/SavedGameFile.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace jigsaw {

namespace {

constexpr char kAskName[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "保存する名前を入力してください");
constexpr char kConfirmName[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "%1 の名前で今の状態を保存しますか？");
constexpr char kNameExists[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "この名前はすでに存在します。\rこの名前で上書き保存しますか？");
constexpr char kQuitQuestion[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ジグソーパズルを終了しますか？");
constexpr char kSaved[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "この画面を保存しました。\rジグソーパズルを終了しますか？");
constexpr char kOverwritten[] = QT_TRANSLATE_NOOP(
    "jigsaw::BoardForm", "この画面を上書き保存しました。\rジグソーパズルを終了しますか？");

// Why a save did not happen, told in the panel while it keeps asking for a name.
constexpr char kUnusableName[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "この名前では保存できません。\r「/」「\\」などの記号を使わない名前を入力してください。");
constexpr char kNameTooLong[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "この名前は長すぎて保存できません。\r短い名前を入力してください。");
// The reason goes on the line below.
constexpr char kNotSaved[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "このゲームは保存できませんでした。\r%1");
constexpr char kNotStorable[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "画像のフォルダ名やファイル名に保存できない文字があります。");
constexpr char kFolderUnusable[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "保存フォルダ「save」に書き込めません。");
constexpr char kNotAFile[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "同じ名前のフォルダやリンクがあります。別の名前を入力してください。");
constexpr char kWriteFailed[] =
    QT_TRANSLATE_NOOP("jigsaw::BoardForm", "ディスクの空きや保存フォルダを確かめてください。");

QString failureText(savedgame::WriteStatus status)
{
    switch (status) {
    case savedgame::WriteStatus::UnusableName:
        return BoardForm::tr(kUnusableName);
    case savedgame::WriteStatus::NameTooLong:
        return BoardForm::tr(kNameTooLong);
    case savedgame::WriteStatus::NotStorable:
        return BoardForm::tr(kNotSaved).arg(BoardForm::tr(kNotStorable));
    case savedgame::WriteStatus::FolderUnusable:
        return BoardForm::tr(kNotSaved).arg(BoardForm::tr(kFolderUnusable));
    case savedgame::WriteStatus::NotAFile:
        return BoardForm::tr(kNotSaved).arg(BoardForm::tr(kNotAFile));
    default:
        return BoardForm::tr(kNotSaved).arg(BoardForm::tr(kWriteFailed));
    }
}

// Whether the list offered by the menu holds the name, compared exactly.
bool listHolds(const QComboBox *combo, const QString &name)
{
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == name)
            return true;
    }
    return false;
}

} // namespace

void BoardForm::Save_Click()
{
    GameState &s = state();
    ChoiceComboBox *names = m_ui.Combo1;
    // The list offers the names; the box starts empty, or with the name the game came from.
    names->setItemsUnchosen(savedgame::listNames(m_game.folders().saveFolder()));
    names->setEditText(s.BoardLaunchMode == 2 ? s.ResumedGameName : QString());
    geom::setWidth(names, geom::twips(2200));
    enableJapaneseInput(names);
    AskQuestion(4, tr(kAskName), InputBox | NoButton);
}

void BoardForm::SaveNameChoice()
{
    const QString name = m_ui.Combo1->currentText();
    if (!name.isEmpty())
        m_ui.Label5->setCaption(tr(kConfirmName).arg(name));
}

void BoardForm::SaveNameOk()
{
    const QString name = m_ui.Combo1->currentText();
    if (name.isEmpty())
        return;
    if (!savedgame::isUsableName(name)) {
        m_ui.Label5->setCaption(tr(kUnusableName));
        m_game.PlayClickSound();
        return;
    }
    if (listHolds(m_ui.Combo1, name)) {
        state().PanelMode = 5;
        m_ui.Label5->setCaption(tr(kNameExists));
        return;
    }
    if (WriteSavedGame())
        m_ui.Label5->setCaption(tr(kSaved));
}

void BoardForm::OverwriteOk()
{
    if (m_ui.Combo1->currentText().isEmpty())
        return;
    if (WriteSavedGame())
        m_ui.Label5->setCaption(tr(kOverwritten));
}

bool BoardForm::WriteSavedGame()
{
    GameState &s = state();
    GameToSave game;
    game.picturePath = s.ImageFilePath;
    game.timeLimit = s.GameTimeLimit.savedForm();
    game.placementSound = s.PlacementSound;
    game.elapsedSec = s.ElapsedSec;
    game.elapsedMin = s.ElapsedMin;
    game.remainingTotalSec = s.RemainingTotalSec;
    game.timeBarStep = s.TimeBarStep;
    game.remainingSec = s.RemainingSec;
    game.remainingMin = s.RemainingMin;
    game.pieceCount = s.PieceCount;
    game.gridSide = s.GridSide;
    const int count = std::clamp(static_cast<int>(s.PieceCount), 0, kPieceControls);
    for (int i = 0; i < count; ++i) {
        const PictureBox *piece = m_ui.Picture1[static_cast<std::size_t>(i)];
        game.left.push_back(geom::left(piece));
        game.top.push_back(geom::top(piece));
    }

    const savedgame::WriteStatus written =
        savedgame::writeFile(m_game.folders().saveFolder(), m_ui.Combo1->currentText(), game);
    if (written != savedgame::WriteStatus::Ok) {
        // The game goes on; the panel keeps asking for a name.
        s.PanelMode = 4;
        m_ui.Label5->setCaption(failureText(written));
        m_game.PlayClickSound();
        return false;
    }
    emit savedGamesChanged();
    AskQuestion(1, tr(kQuitQuestion), NoButton);
    return true;
}

} // namespace jigsaw
