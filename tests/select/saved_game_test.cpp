#include "select/SelectTestSupport.h"

#include "platform/TextFile.h"
#include "records/SavedGameFile.h"
#include "support/ModalAnswer.h"

#include <QAction>
#include <QComboBox>
#include <QAbstractItemView>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using namespace jigsaw;

namespace {

// A saved game's lines as the board writes them.
QStringList savedLines(const QString &picturePath, int pieces, int side)
{
    QStringList lines{picturePath, QStringLiteral(" 0 "), QStringLiteral(" 1 "),
                      QStringLiteral(" 15 "), QStringLiteral(" 2 "), QStringLiteral(" 0 "),
                      QStringLiteral(" 0 "), QStringLiteral(" 0 "), QStringLiteral(" 0 "),
                      QStringLiteral(" %1 ").arg(pieces), QStringLiteral(" %1 ").arg(side)};
    for (int i = 0; i < pieces; ++i)
        lines.append(QStringLiteral("%1&%2").arg(1230 + i).arg(450 - i));
    return lines;
}

} // namespace

TEST(SavedGameFile, ReadsHeaderAndPiecesToTheLastPieceLine)
{
    QStringList lines = savedLines(QStringLiteral(" /pics/山 と 海.jpg "), 16, 4);
    lines[1] = QStringLiteral("45");
    lines[15] = QStringLiteral("12.5&-3.5");
    lines.append(QStringLiteral("anything after the pieces"));
    const std::optional<SavedGame> game = savedgame::parse(lines);
    ASSERT_TRUE(game.has_value());
    EXPECT_EQ(game->values[savedgame::PicturePath], QStringLiteral(" /pics/山 と 海.jpg "));
    EXPECT_EQ(game->values[savedgame::TimeLimit], QStringLiteral("45"));
    EXPECT_EQ(game->values[savedgame::ElapsedSec], QStringLiteral("15"));
    ASSERT_EQ(game->pieceCount(), 16);
    EXPECT_EQ(game->left[4], 12); // halves go to the even neighbour
    EXPECT_EQ(game->top[4], -4);

    // Up to the last piece line, not one short; 100 pieces is the most.
    const QStringList good = savedLines(QStringLiteral("/p.jpg"), 16, 4);
    EXPECT_FALSE(savedgame::parse(good.mid(0, 26)).has_value());
    EXPECT_FALSE(savedgame::parse(good.mid(0, 10)).has_value());
    EXPECT_TRUE(savedgame::parse(savedLines(QStringLiteral("/p.jpg"), 100, 10)).has_value());
}

TEST_F(SelectFormTest, SavedGameIsReadWholeOrNotAtAllAndOnlyAChosenOneCanBeLaunched)
{
    const QString picturePath = folder(QStringLiteral("写真")) + QStringLiteral("/富士山.jpg");
    makePictures(folder(QStringLiteral("写真")), {QStringLiteral("富士山.jpg")});
    makeLibrary(7);
    const QStringList full = savedLines(picturePath, 16, 4);
    const auto save = [this](const char *name, const QStringList &lines) {
        ASSERT_EQ(text::writeLinesAtomically(
                      app.filePath(QStringLiteral("save/%1.txt").arg(QString::fromUtf8(name))),
                      lines),
                  files::WriteStatus::Ok);
    };
    save("続き", full);
    save("途中", full.mid(0, 20));
    save("消えた", savedLines(folder(QStringLiteral("写真/ない.jpg")), 16, 4));
    {
        // A sparse 30 GB file, and a FIFO no one writes to (not even listed).
        QFile huge(app.filePath(QStringLiteral("save/巨大.txt")));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(30LL << 30));
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(app.filePath(QStringLiteral("save/管.txt"))), 0600), 0);
    startGame();
    auto *next = control<QPushButton>(QStringLiteral("Command2"));
    EXPECT_TRUE(next->isVisible()) << "seven library pictures fill two pages";
    control<QAction>(QStringLiteral("ゲームの続き"))->trigger();
    auto *combo = control<QComboBox>(QStringLiteral("Combo1"));
    auto *go = control<QPushButton>(QStringLiteral("Command1"));

    // The fresh list names no game, and the library cannot be paged into from here.
    EXPECT_EQ(combo->count(), 4) << "the FIFO is not offered";
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_FALSE(next->isVisible());
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command3"))->isVisible());
    EXPECT_FALSE(control<QLabel>(QStringLiteral("Label5"))->isVisible());

    // The mouse wheel over the closed list chooses nothing, and an arrow key only opens it.
    player::wheel(combo, 1);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([combo] { return combo->view()->isVisible(); }));
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_FALSE(go->isEnabled());

    player::pickWithMouse(combo, QStringLiteral("続き"));
    EXPECT_EQ(state().SavedValues[1], picturePath);
    EXPECT_EQ(state().SavedValues[4], QStringLiteral("15"));
    EXPECT_EQ(state().SavedValues[10], QStringLiteral("16"));
    EXPECT_EQ(state().SavedValues[11], QStringLiteral("4"));
    EXPECT_EQ(state().SavedLeft[15], 1245);
    EXPECT_EQ(state().SavedTop[15], 435);
    EXPECT_EQ(form->image1(0)->toolTip(), QStringLiteral("富士山.jpg"));
    EXPECT_SOON(form->image1(0)->hasPicture());
    EXPECT_TRUE(form->shape1(0)->isVisible());
    EXPECT_EQ(state().PictureDir, folder(QStringLiteral("写真")));
    EXPECT_EQ(state().ImageFileName, QStringLiteral("富士山.jpg"));
    EXPECT_TRUE(go->isEnabled());
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));

    // A game whose picture is gone is reported, and nothing stays chosen: not this game, and
    // not the one chosen before it.
    {
        ModalAnswer ok(QMessageBox::Ok);
        player::pickWithKeys(combo, QStringLiteral("消えた"));
        ASSERT_TRUE(ok.seen().answered);
        EXPECT_EQ(ok.seen().text, QStringLiteral("選択した画像ファイルが見つかりません。"));
    }
    EXPECT_FALSE(form->image1(0)->hasPicture());
    EXPECT_FALSE(state().SelectedThumb.has_value());
    EXPECT_FALSE(go->isEnabled());
    EXPECT_TRUE(combo->currentText().isEmpty());

    // A file far larger than any saved game is refused as such, without being read.
    {
        ModalAnswer ok(QMessageBox::Ok);
        player::pickWithKeys(combo, QStringLiteral("巨大"));
        ASSERT_TRUE(ok.seen().answered);
        EXPECT_EQ(ok.seen().text, QStringLiteral("このゲームのファイルは大きすぎて読み込めません。"));
    }
    EXPECT_FALSE(go->isEnabled());

    // A game cut short is refused aloud, and nothing of it is taken.
    state().SavedValues[10] = QStringLiteral("earlier");
    state().SavedLeft[0] = -7;
    {
        ModalAnswer ok(QMessageBox::Ok);
        player::pickWithKeys(combo, QStringLiteral("途中"));
        ASSERT_TRUE(ok.seen().answered);
        EXPECT_EQ(ok.seen().text, QStringLiteral("このゲームのファイルは壊れているため読み込めません。"));
    }
    EXPECT_EQ(state().SavedValues[10], QStringLiteral("earlier"));
    EXPECT_EQ(state().SavedLeft[0], -7);
    EXPECT_FALSE(go->isEnabled());

    // The short file was closed: it can be replaced and read again.
    save("途中", full);
    player::pickWithKeys(combo, QStringLiteral("途中"));
    EXPECT_EQ(state().SavedLeft[0], 1230);
    EXPECT_TRUE(go->isEnabled());
}
