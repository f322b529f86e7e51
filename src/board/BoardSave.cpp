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

const QString kAskName = QStringLiteral("保存する名前を入力してください");
const QString kConfirmName = QStringLiteral(" の名前で今の状態を保存しますか？");
const QString kNameExists =
    QStringLiteral("この名前はすでに存在します。\rこの名前で上書き保存しますか？");
const QString kQuitQuestion = QStringLiteral("ジグソーパズルを終了しますか？");
const QString kSaved = QStringLiteral("この画面を保存しました。\r");
const QString kOverwritten = QStringLiteral("この画面を上書き保存しました。\r");

// Why a save did not happen, told in the panel while it keeps asking for a name.
const QString kUnusableName = QStringLiteral(
    "この名前では保存できません。\r「/」「\\」などの記号を使わない名前を入力してください。");
const QString kNameTooLong =
    QStringLiteral("この名前は長すぎて保存できません。\r短い名前を入力してください。");
const QString kNotSaved = QStringLiteral("このゲームは保存できませんでした。\r");
const QString kNotStorable =
    QStringLiteral("画像のフォルダ名やファイル名に保存できない文字があります。");
const QString kFolderUnusable = QStringLiteral("保存フォルダ「save」に書き込めません。");
const QString kNotAFile = QStringLiteral(
    "同じ名前のフォルダやリンクがあります。別の名前を入力してください。");
const QString kWriteFailed = QStringLiteral("ディスクの空きや保存フォルダを確かめてください。");

QString failureText(savedgame::WriteStatus status)
{
    switch (status) {
    case savedgame::WriteStatus::UnusableName:
        return kUnusableName;
    case savedgame::WriteStatus::NameTooLong:
        return kNameTooLong;
    case savedgame::WriteStatus::NotStorable:
        return kNotSaved + kNotStorable;
    case savedgame::WriteStatus::FolderUnusable:
        return kNotSaved + kFolderUnusable;
    case savedgame::WriteStatus::NotAFile:
        return kNotSaved + kNotAFile;
    default:
        return kNotSaved + kWriteFailed;
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
    AskQuestion(4, kAskName, InputBox | NoButton);
}

void BoardForm::SaveNameChoice()
{
    const QString name = m_ui.Combo1->currentText();
    if (!name.isEmpty())
        m_ui.Label5->setCaption(name + kConfirmName);
}

void BoardForm::SaveNameOk()
{
    const QString name = m_ui.Combo1->currentText();
    if (name.isEmpty())
        return;
    if (!savedgame::isUsableName(name)) {
        m_ui.Label5->setCaption(kUnusableName);
        m_game.PlayClickSound();
        return;
    }
    if (listHolds(m_ui.Combo1, name)) {
        state().PanelMode = 5;
        m_ui.Label5->setCaption(kNameExists);
        return;
    }
    if (WriteSavedGame())
        m_ui.Label5->setCaption(kSaved + kQuitQuestion);
}

void BoardForm::OverwriteOk()
{
    if (m_ui.Combo1->currentText().isEmpty())
        return;
    if (WriteSavedGame())
        m_ui.Label5->setCaption(kOverwritten + kQuitQuestion);
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
    AskQuestion(1, kQuitQuestion, NoButton);
    return true;
}

} // namespace jigsaw
