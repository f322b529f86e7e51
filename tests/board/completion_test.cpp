#include "PlayTestSupport.h"

#include "platform/Geometry.h"
#include "platform/TextFile.h"
#include "records/RecordFile.h"
#include "records/SavedGameFile.h"
#include "select/SelectForm.h"
#include "sound/Sound.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace jigsaw;
using Cue = SoundCues::Cue;

namespace {

QStringList comboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

using Completion = PlayTest;

TEST_F(Completion, TheLastPieceInPlaceSnapsTheRowsAndAsksForTheName)
{
    state().LibraryPictureCount = 12;
    ASSERT_NO_FATAL_FAILURE(startSixteen(QStringLiteral("sea.png")));
    MusicDevice &music = game->sound().music();

    // One piece a pixel outside its tolerance: nothing happens.
    placeAll(QPoint(9, -7), 10, false);
    dragTo(10, correctOf(10) + QPointF(17, 0));
    EXPECT_EQ(fields().CorrectCount, 15);
    EXPECT_EQ(fields().Completed, 0);
    EXPECT_EQ(state().InPlay, 1);
    EXPECT_EQ(cues(Cue::Complete), 0);

    // Within the tolerances anywhere: complete.
    music.clearCommandLog();
    const int notices = cues(Cue::Notice);
    dragTo(10, correctOf(10) + QPointF(16, 12));
    EXPECT_EQ(fields().CorrectCount, 16);
    EXPECT_EQ(fields().Completed, 1);
    EXPECT_EQ(cues(Cue::Complete), 4); // one per row
    EXPECT_EQ(cues(Cue::Notice), notices);
    EXPECT_EQ(music.commandLog(), QStringList({"stop WaveFile", "close WaveFile"}));
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(placeOf(i), correctOf(i));
        EXPECT_FALSE(piece(i)->isHidden());
    }

    // The game has stopped.
    EXPECT_FALSE(ui().Timer1->isActive());
    EXPECT_FALSE(ui().Timer2->isActive());
    EXPECT_FALSE(ui().Timer5->isActive());
    EXPECT_FALSE(ui().Timer4->isActive());
    EXPECT_TRUE(ui().Timer3->isActive()); // the question slides in
    EXPECT_TRUE(ui().Picture7->isHidden());
    EXPECT_TRUE(ui().Picture8->isHidden());
    EXPECT_FALSE(ui().mnuSave->isEnabled());
    EXPECT_EQ(ui().VScroll1->value(), 0);
    EXPECT_FALSE(state().GameTimeLimit.isSet());
    EXPECT_EQ(state().InPlay, 0);

    // The question: the name of an outside picture becomes the next library name.
    EXPECT_EQ(ui().Label5->text(),
              QStringLiteral("おめでとう！完成です。\rこの記録を保存して、順位表に登録できます。\r"
                             "保存する場合はプレーヤー名を入力してＯＫボタンをクリックしてください。"));
    EXPECT_FALSE(ui().Command3->isHidden());
    EXPECT_FALSE(ui().Combo1->isHidden());
    EXPECT_EQ(geom::width(ui().Combo1), static_cast<float>(geom::twips(2200)));
    EXPECT_TRUE(ui().Combo1->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(ui().Combo1->lineEdit()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_EQ(ui().Combo1->lineEdit()->inputMethodHints(), Qt::ImhNone);
    EXPECT_TRUE(ui().Label7->isHidden());
    EXPECT_EQ(ui().Picture2->children().last(), ui().Picture4);
    EXPECT_EQ(state().ImageFileName, QStringLiteral("ジグソー画像13.png"));
    EXPECT_EQ(state().PanelMode, 6);
    EXPECT_EQ(state().RecordCount, 0);
    EXPECT_EQ(ui().Combo1->count(), 0);
    EXPECT_EQ(ui().Combo1->currentText(), QString());

    // Later releases run no check and play nothing.
    drag(3, 40, 0);
    EXPECT_EQ(cues(Cue::Complete), 4);
    EXPECT_EQ(state().PanelMode, 6);
}

TEST_F(Completion, APieceSentBackFromItsPlaceKeepsTheGameFromCompleting)
{
    ASSERT_NO_FATAL_FAILURE(startSixteen());
    placeAll(QPoint(0, 0), 15, false);
    ui().mnuHideBox->setText(QStringLiteral("ピースボックスを表示する"));
    ui().mnuHideBox->trigger();
    doubleClick(piece(4)); // from its place back into the box
    ASSERT_TRUE(piece(4)->isHidden());
    dragTo(15, correctOf(15));
    EXPECT_EQ(fields().CorrectCount, 15);
    EXPECT_EQ(fields().Completed, 0);
    EXPECT_EQ(cues(Cue::Complete), 0);

    takeOut(4);
    dragTo(4, correctOf(4));
    EXPECT_EQ(fields().Completed, 1);
    EXPECT_EQ(cues(Cue::Complete), 4);
}

TEST_F(Completion, ALibraryPictureKeepsItsNameAndOffersEachEarlierPlayerOnce)
{
    state().LibraryPictureCount = 12;
    const QString name = QStringLiteral("ジグソー画像7.png");
    QStringList lines{QStringLiteral(" 120 ")};
    const QStringList players{QStringLiteral("太郎"), QStringLiteral("ﾀﾛｳ"), QStringLiteral("タロウ"),
                              QStringLiteral("taro"), QStringLiteral("Taro"), QStringLiteral("太郎"),
                              QStringLiteral("a*b")};
    for (int i = 0; i < 120; ++i) {
        lines << recordfile::makeLine(QDate(2024, 1, 2), name, 16, 100 + i,
                                      players[i % players.size()]);
    }
    ASSERT_TRUE(text::writeLinesAtomically(recordfile::filePath(app.path(), name, 16), lines));

    ASSERT_NO_FATAL_FAILURE(startSixteen(name));
    placeAll(QPoint(-3, 2), 0, true);
    ASSERT_EQ(fields().Completed, 1);
    EXPECT_EQ(state().ImageFileName, name);
    EXPECT_EQ(state().PanelMode, 7);
    EXPECT_EQ(comboItems(ui().Combo1),
              QStringList({"太郎", "ﾀﾛｳ", "タロウ", "taro", "Taro", "a*b"}));
    EXPECT_EQ(ui().Combo1->currentText(), QString());
    EXPECT_EQ(state().RecordCount, 120);
    ASSERT_EQ(state().RecordLines.size(), 120);
    EXPECT_EQ(state().RecordLines.first(), lines[1]);
    EXPECT_EQ(state().RecordLines.last(), lines[120]);
}

TEST_F(Completion, CompletingAResumedGameDeletesItsFileAndOffersItsName)
{
    // The selection form lists the saved games and has one chosen, as ゲームの続き leaves it.
    QTemporaryDir music;
    game = std::make_unique<Game>(app.path(), music.path());
    game->start();
    state().AppDir = app.path();
    QTRY_VERIFY(game->frmSelect()->isActiveWindow());
    const QString saved = QStringLiteral("続きの一局");
    const QString savedPath = savedgame::filePath(app.path(), saved);
    app.writeFile(QStringLiteral("save/続きの一局.txt"), QByteArrayLiteral("saved\r\n"));
    app.writeFile(QStringLiteral("save/ほかの一局.txt"), QByteArrayLiteral("saved\r\n"));
    game->frmSelect()->ShowSavedGameView();
    auto *list = game->frmSelect()->findChild<QComboBox *>(QStringLiteral("Combo1"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    list->setCurrentIndex(list->findText(saved));

    ASSERT_NE(launchResumed(640, 480, 16, 4, 0), nullptr);
    QTRY_COMPARE(state().BoardActivated, 1.0);
    start();
    ASSERT_EQ(fields().BoxMode, 2);
    ASSERT_TRUE(QFile::exists(savedPath));
    for (int i = 0; i < 16; ++i)
        dragTo(i, correctOf(i) + QPointF(1, 1));

    ASSERT_EQ(fields().Completed, 1);
    EXPECT_EQ(cues(Cue::Complete), 4);
    EXPECT_FALSE(QFile::exists(savedPath));
    EXPECT_TRUE(QFile::exists(app.filePath(QStringLiteral("save/ほかの一局.txt"))));
    EXPECT_EQ(ui().Combo1->currentText(), saved);
}
