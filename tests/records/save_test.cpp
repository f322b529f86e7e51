#include "records/RecordsTestSupport.h"

#include "platform/Geometry.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace jigsaw;

class SaveTest : public RecordsBoardTest
{
protected:
    SaveTest()
    {
        app.writeFile(QStringLiteral("save/first.txt"), "x");
        app.writeFile(QStringLiteral("save/ABC.TXT"), "x");
        app.writeFile(QStringLiteral("save/notes.md"), "x");
    }
};

TEST_F(SaveTest, NewNamesAreSavedAtOnceExistingOnesAfterAskingAndUnsafeOnesNever)
{
    startSixteen();
    ui().mnuSave->trigger();
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(question(), QStringLiteral("保存する名前を入力してください"));
    ASSERT_EQ(ui().Combo1->count(), 1);
    EXPECT_EQ(ui().Combo1->itemText(0), QStringLiteral("first"));

    // Picking a name asks about it; OK with an empty box does nothing.
    player::pickWithKeys(ui().Combo1, QStringLiteral("first"));
    EXPECT_EQ(question(), QStringLiteral("first の名前で今の状態を保存しますか？"));
    answer(QString());
    EXPECT_EQ(panelMode(), 4);

    // ABC.TXT was never offered, so ABC is a new name: saved at once, then the quit question,
    // whose NO goes back to the game.
    answer(QStringLiteral("ABC"));
    EXPECT_EQ(fileLines(QStringLiteral("save/ABC.txt")).size(), 27);
    EXPECT_EQ(fileBytes(QStringLiteral("save/ABC.TXT")), QByteArray("x"));
    EXPECT_EQ(panelMode(), 1);
    EXPECT_EQ(question(), QStringLiteral("この画面を保存しました。\rジグソーパズルを終了しますか？"));
    player::click(ui().Command3);
    EXPECT_TRUE(ui().Timer1->isActive());
    EXPECT_FALSE(game->hasEnded());

    // The name now exists; NO asks for a name again with an empty box, the panel staying.
    ui().mnuSave->trigger();
    answer(QStringLiteral("ABC"));
    EXPECT_EQ(panelMode(), 5);
    EXPECT_EQ(question(),
              QStringLiteral("この名前はすでに存在します。\rこの名前で上書き保存しますか？"));
    player::click(ui().Command3);
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(question(), QStringLiteral("プレーヤー名を入力してください。"));
    EXPECT_TRUE(ui().Combo1->currentText().isEmpty());
    EXPECT_FALSE(ui().Timer4->isActive());

    // A name changed while the overwrite question is open is checked again.
    answer(QStringLiteral("ABC"));
    ASSERT_EQ(panelMode(), 5);
    for (const QString &name : {QStringLiteral("../ABC"), QStringLiteral("../x"),
                                QStringLiteral(".."), QStringLiteral("a\\b"),
                                QStringLiteral("/tmp/x"), QStringLiteral(".hidden")}) {
        const int clicksBefore = cues(SoundCues::Cue::Click);
        answer(name);
        EXPECT_EQ(panelMode(), 4) << name.toStdString();
        EXPECT_EQ(question(), QStringLiteral("この名前では保存できません。\r「/」「\\」などの"
                                             "記号を使わない名前を入力してください。"));
        EXPECT_EQ(cues(SoundCues::Cue::Click), clicksBefore + 1);
    }
    EXPECT_TRUE(QDir(app.path()).entryList({QStringLiteral("*.txt")}, QDir::Files).isEmpty());
    EXPECT_EQ(QDir(app.filePath(QStringLiteral("save"))).entryList(QDir::Files).size(), 4);

    // Files that cannot be written say why: a folder or a link in the name's place (the link
    // leads out of the save folder and is never written through), a name too long for a file.
    QDir().mkpath(app.filePath(QStringLiteral("save/塞がれた.txt")));
    const QString outside = app.filePath(QStringLiteral("outside.txt"));
    app.writeFile(QStringLiteral("outside.txt"), "keep");
    ASSERT_TRUE(QFile::link(outside, app.filePath(QStringLiteral("save/リンク.txt"))));
    for (const QString &name : {QStringLiteral("塞がれた"), QStringLiteral("リンク")}) {
        answer(name);
        EXPECT_EQ(panelMode(), 4);
        EXPECT_EQ(question(), QStringLiteral("このゲームは保存できませんでした。\r同じ名前のフォルダや"
                                             "リンクがあります。別の名前を入力してください。"));
    }
    EXPECT_EQ(fileBytes(QStringLiteral("outside.txt")), QByteArray("keep"));
    // A file name of 249 to 255 bytes leaves no room for the temporary file it is written as
    // first; 248 bytes do (長 takes three bytes, ".txt" four).
    for (const QString &name : {QString(81, QChar(u'長')) + QStringLiteral("ab"),
                                QString(83, QChar(u'長')) + QStringLiteral("ab")}) {
        answer(name);
        EXPECT_EQ(question(),
                  QStringLiteral("この名前は長すぎて保存できません。\r短い名前を入力してください。"))
            << name.toUtf8().size() + 4 << " bytes";
    }
    answer(QString(81, QChar(u'長')) + QStringLiteral("a"));
    EXPECT_EQ(panelMode(), 1) << "248 bytes still make a file name";
    ui().Command3->click();
    ui().mnuSave->trigger();

    state().ElapsedSec = 59;
    answer(QStringLiteral("ABC"));
    ASSERT_EQ(panelMode(), 5);
    player::click(ui().Command1);
    EXPECT_EQ(fileLines(QStringLiteral("save/ABC.txt")).value(3), QStringLiteral(" 59 "));
    EXPECT_EQ(question(),
              QStringLiteral("この画面を上書き保存しました。\rジグソーパズルを終了しますか？"));

    // A missing save folder is made.
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("save"))).removeRecursively());
    ui().mnuSave->trigger();
    answer(QStringLiteral("新しい"));
    EXPECT_EQ(panelMode(), 1);
    EXPECT_EQ(fileLines(QStringLiteral("save/新しい.txt")).size(), 27);
}

TEST_F(SaveTest, PictureWhosePathTheFileCannotHoldIsNotSaved)
{
    // A character Shift_JIS lacks, and a line break, which would shift every later line.
    for (const QString &picture : {QStringLiteral("café🍰.png"), QStringLiteral("改\n行.png")}) {
        SCOPED_TRACE(picture.toStdString());
        startSixteen(picture);
        ui().mnuSave->trigger();
        answer(QStringLiteral("ケーキ"));
        EXPECT_EQ(panelMode(), 4);
        EXPECT_EQ(question(), QStringLiteral("このゲームは保存できませんでした。\r画像のフォルダ名や"
                                              "ファイル名に保存できない文字があります。"));
        EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("save/ケーキ.txt"))));
    }
}

TEST_F(RecordsBoardTest, SavedGameComesBackThroughTheSavedGameListAndGo)
{
    QDir().mkpath(app.filePath(QStringLiteral("gazou")));
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(app.filePath(QStringLiteral("gazou/港.jpg")), "JPG"));
    game->start();
    SelectForm *form = game->frmSelect();
    ASSERT_TRUE(QTest::qWaitFor([form] { return form->isActiveWindow(); }));
    auto *go = form->findChild<QPushButton *>(QStringLiteral("Command1"));
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    player::click(go);
    ASSERT_NE(board(), nullptr);
    ui().mnuPieceCounts[0]->trigger();
    setLimit(QStringLiteral("30"));
    startGame();
    ui().Timer1->stop();
    ui().Timer2->stop();
    GameState &s = state();
    s.PlacementSound = 1;
    s.ElapsedSec = 41;
    s.ElapsedMin = 7;
    s.RemainingMin = 22;
    s.RemainingSec = 19;
    s.RemainingTotalSec = 22 * 60 + 19;
    for (int i = 0; i < 16; ++i)
        geom::move(piece(i), 11 + 17 * i, 250 - 13 * i);
    ui().mnuSave->trigger();
    answer(QStringLiteral("港の続き"));
    ASSERT_EQ(panelMode(), 1);
    const QStringList savedOnce = fileLines(QStringLiteral("save/港の続き.txt"));
    board()->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return board() == nullptr; }));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([form] { return form->isActiveWindow(); }));

    // No saved game existed at start-up; this one is offered without a restart.
    auto *resume = form->findChild<QAction *>(QStringLiteral("ゲームの続き"));
    ASSERT_TRUE(resume->isEnabled());
    resume->trigger();
    player::pickWithKeys(form->findChild<QComboBox *>(QStringLiteral("Combo1")),
                         QStringLiteral("港の続き"));
    s.PlacementSound = 0;
    s.ElapsedSec = 0;
    s.ElapsedMin = 0;
    player::click(go);
    ASSERT_NE(board(), nullptr);
    startGame();
    ui().Timer1->stop();
    ui().Timer2->stop();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(placeOf(i), QPointF(11 + 17 * i, 250 - 13 * i)) << i;
        EXPECT_FALSE(piece(i)->isHidden()) << i;
    }
    EXPECT_EQ(s.ElapsedSec, 41);
    EXPECT_EQ(s.ElapsedMin, 7);
    EXPECT_EQ(s.RemainingMin, 22);
    EXPECT_EQ(s.RemainingSec, 19);
    EXPECT_EQ(s.PlacementSound, 1);

    // Saving again offers the name it came from; the file is the same but for the limit, now
    // a number.
    ui().mnuSave->trigger();
    EXPECT_EQ(ui().Combo1->currentText(), QStringLiteral("港の続き"));
    player::click(ui().Command1);
    ASSERT_EQ(panelMode(), 5);
    player::click(ui().Command1);
    QStringList expected = savedOnce;
    expected[1] = QStringLiteral(" 30 ");
    EXPECT_EQ(fileLines(QStringLiteral("save/港の続き.txt")), expected);
}
