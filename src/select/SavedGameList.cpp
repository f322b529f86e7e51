#include "select/SelectForm.h"

#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "records/SavedGameFile.h"
#include "select/SelectControls.h"
#include "state/GameSession.h"

#include "platform/ChoiceComboBox.h"

#include <algorithm>

namespace jigsaw {

namespace {

constexpr char kNotFound[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "選択した画像ファイルが見つかりません。");
constexpr char kTooLarge[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "このゲームのファイルは大きすぎて読み込めません。");
constexpr char kGoHint[] =
    QT_TRANSLATE_NOOP("jigsaw::SelectForm", "よろしければＧＯボタンをクリックしてください");

// Where a saved picture path divides into folder and file name. Games saved by the Windows
// program use "\", ours "/"; either counts.
qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace

void SelectForm::offerSavedGames()
{
    m_menuContinue->setEnabled(true);
}

void SelectForm::ListSavedGames()
{
    GameState &s = m_game.state();
    // The list shows no name until the player picks one.
    m_Combo1->setItemsUnchosen(savedgame::listNames(m_game.folders().saveFolder()));
    s.SaveListEntry.clear();
}

void SelectForm::Combo1_Click(int index)
{
    GameState &s = m_game.state();
    // Whatever was chosen before is chosen no longer, also when this choice fails: GO must
    // never launch one saved game's pieces on another one's picture.
    ClearThumbnails();
    const auto failed = [this, &s] {
        s.SelectedThumb.reset();
        m_Combo1->setCurrentIndex(-1);
    };
    const QString name = m_Combo1->itemText(index);
    const QString file = savedgame::filePath(m_game.folders().saveFolder(), name);
    const savedgame::ReadResult read = savedgame::readFile(file);
    if (read.status == savedgame::ReadStatus::Missing) {
        failed();
        msg::showNotice(this, tr(kNotFound));
        return;
    }
    if (read.status == savedgame::ReadStatus::TooLarge) {
        failed();
        msg::showNotice(this, tr(kTooLarge));
        return;
    }
    if (read.status == savedgame::ReadStatus::Refused) {
        failed();
        msg::showNotice(this, tr("このゲームのファイルは壊れているため読み込めません。"));
        return;
    }
    if (read.status != savedgame::ReadStatus::Ok) {
        failed();
        msg::showNotice(this, tr("このゲームのファイルを読み込めません。"));
        return;
    }

    const SavedGame &saved = read.game;
    s.SavedValues = saved.values;
    for (int i = 0; i < saved.pieceCount(); ++i) {
        const auto piece = static_cast<std::size_t>(i);
        s.SavedLeft[piece] = saved.left[piece];
        s.SavedTop[piece] = saved.top[piece];
    }

    const QString picturePath = saved.values[savedgame::PicturePath];
    if (!files::fileExists(picturePath)) {
        failed();
        msg::showNotice(this, tr(kNotFound));
        return;
    }
    StretchImage *image = image1(0);
    showThumbnail(0, picturePath);
    shape1(0)->show();
    const qsizetype separator = lastSeparator(picturePath);
    image->setName(picturePath.mid(separator + 1));
    s.PictureDir = separator < 0 ? QString() : picturePath.left(separator);
    m_Command1->setEnabled(true);
    Image1_Click(0);
    s.SelectedThumb = 0;
    s.ChosenSavedGame = name;
    setStatusText(tr(kGoHint));
}

} // namespace jigsaw
