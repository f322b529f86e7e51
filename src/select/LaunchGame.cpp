#include "select/LaunchGame.h"

#include "board/BoardForm.h"
#include "board/QuestionPanel.h"
#include "platform/MessageBox.h"
#include "platform/PendingPicture.h"
#include "records/SavedGameFile.h"
#include "state/GameSession.h"

#include <QCoreApplication>

#include <optional>
#include <utility>

namespace jigsaw {

namespace {

constexpr char kTooSmall[] = QT_TRANSLATE_NOOP(
    "jigsaw::SelectForm", "画像が小さすぎてジグソーパズルを表示できません。");
constexpr char kTooLarge[] = QT_TRANSLATE_NOOP(
    "jigsaw::SelectForm", "画像が大きすぎてジグソーパズルを表示できません。\rこのコンピュータのメモリが足りません。");
constexpr char kNotNormalSize[] = QT_TRANSLATE_NOOP(
    "jigsaw::SelectForm", "パズルのフォーム画面が最小化されています。\r元のサイズに戻してやり直してください。");

} // namespace

void LaunchGame(GameSession &game, FormInstance<BoardForm> &board, QWidget *messageParent)
{
    GameState &s = game.state();
    if (!s.SelectedThumb)
        return;
    // A saved game is resumed only when one was chosen and read whole; anything else (a library
    // picture reached from the saved-game view) launches nothing.
    std::optional<savedgame::Settings> saved;
    if (s.LaunchMode == 2) {
        if (s.ChosenSavedGame.isEmpty())
            return;
        saved = savedgame::settingsOf(s.SavedValues);
        if (!saved)
            return;
    }
    s.ImageFilePath = game.folders().filePath(s.PictureDir, s.ImageFileName);

    // A minimised or maximised board cannot be moved or sized; the player restores it first.
    if (const BoardForm *open = board.ifLoaded();
        open && (open->isMinimized() || open->isMaximized())) {
        msg::showNotice(messageParent,
                        QCoreApplication::translate("jigsaw::SelectForm", kNotNormalSize));
        return;
    }
    // The picture is judged before the board is touched, so a refused picture leaves an open
    // board as it was. Its rows are decoded while the board is made ready.
    picture::PendingPicture picture = picture::PendingPicture::load(s.ImageFilePath);
    if (picture.failure() == picture::Failure::TooLarge) {
        msg::showNotice(messageParent,
                        QCoreApplication::translate("jigsaw::SelectForm", kTooLarge));
        return;
    }
    if (picture.isNull()) {
        msg::showNotice(messageParent,
                        QCoreApplication::translate(
                            "LaunchGame", "選択した画像ファイルを読み込めません。\r"
                                          "画像ではないか、壊れているファイルです。"));
        return;
    }
    if (picture.image().width() < kQuestionPanelWidth) {
        msg::showNotice(messageParent,
                        QCoreApplication::translate("jigsaw::SelectForm", kTooSmall));
        return;
    }

    // GO on a board that is still open starts the new picture on a board loaded afresh. Laid
    // over the old one, the old game's pieces, clocks and music would carry on and its spent
    // スタート would stay disabled.
    if (BoardForm *open = board.ifLoaded()) {
        open->StopMusic();
        delete open;
    }

    board.get()->LayOutLaunchedGame(std::move(picture), saved);
}

} // namespace jigsaw
