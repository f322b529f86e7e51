#include "records/RecordsTestSupport.h"

#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "support/ModalAnswer.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <map>
#include <vector>

using namespace jigsaw;

namespace {

const QString kDamaged = QStringLiteral("このゲームのファイルは壊れているため読み込めません。");

// A saved game of 16 pieces with 2:15 played and no limit, as the game writes it, with some of
// its lines (numbered from 1, piece lines from 12) changed; piece i lies at (100 + 20i,
// 50 + 10i).
QStringList savedGame(const QString &picture, const std::map<int, QString> &changed,
                      int pieceLines)
{
    QStringList lines{picture,          QStringLiteral(" 0 "),  QStringLiteral(" 0 "),
                      QStringLiteral(" 15 "), QStringLiteral(" 2 "), QStringLiteral(" 0 "),
                      QStringLiteral(" 0 "),  QStringLiteral(" 60 "), QStringLiteral(" 0 "),
                      QStringLiteral(" 16 "), QStringLiteral(" 4 ")};
    for (int i = 0; i < pieceLines; ++i)
        lines.append(QStringLiteral("%1&%2").arg(100 + 20 * i).arg(50 + 10 * i));
    for (const auto &[line, text] : changed)
        lines[line - 1] = text;
    return lines;
}

} // namespace

// Saved games as the player finds them in the save folder, written by this game or by the
// one it follows, picked in the selection form's list and resumed with GO and スタート.
class ResumeTest : public RecordsBoardTest
{
protected:
    ResumeTest()
    {
        QImage image(640, 480, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        picture = app.filePath(QStringLiteral("写真/庭.jpg"));
        QDir().mkpath(app.filePath(QStringLiteral("写真")));
        image.save(picture, "JPG");
    }

    void write(const QString &name, const QStringList &lines)
    {
        app.writeFile(QStringLiteral("save/") + name + QStringLiteral(".txt"), shiftJisLines(lines));
    }

    // Shows the selection form, in front, as the player sees it after start-up or the board.
    void showSelection()
    {
        if (!form) {
            game->start();
            form = game->frmSelect();
        }
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
    }

    // Picks the saved game in the list of ゲームの続き; the text of the message it gave, if any.
    QString pick(const QString &name)
    {
        form->findChild<QAction *>(QStringLiteral("ゲームの続き"))->trigger();
        ModalAnswer ok(QMessageBox::Ok);
        player::pickWithKeys(form->findChild<QComboBox *>(QStringLiteral("Combo1")), name);
        return ok.seen().answered ? ok.seen().text : QString();
    }

    QPushButton *go() const { return form->findChild<QPushButton *>(QStringLiteral("Command1")); }

    // GO and スタート on the picked game.
    void resume()
    {
        player::click(go());
        ASSERT_NE(board(), nullptr);
        holdTheClocks();
        ASSERT_SOON(state().BoardActivated == 1.0);
        finishSlides();
        ASSERT_NO_FATAL_FAILURE(startGame());
    }

    void closeBoard()
    {
        board()->close();
        ASSERT_SOON(board() == nullptr);
    }

    QString picture;
    SelectForm *form = nullptr;
};

TEST_F(ResumeTest, EveryGameTheClocksCanHoldIsPlayedOnAndSavedAgainAsItReadsTheRestIsRefusedAloud)
{
    // What the game cannot hold: no number, beyond the clocks, pieces without their lines or
    // controls, a grid the controls cannot lay out.
    const std::vector<std::pair<const char *, std::map<int, QString>>> refused{
        {"文字の時間", {{2, QStringLiteral("abc")}}},
        {"制限が桁外れ", {{2, QStringLiteral("10000000000000")}}},
        {"制限が桁外れ", {{2, QStringLiteral("10000000000000")}}},
        {"経過が桁外れ", {{5, QStringLiteral(" 1E+13 ")}}},
        {"残りが桁外れ", {{6, QStringLiteral(" 1E+300 ")}}},
        {"音が16ビットを超える", {{3, QStringLiteral(" 70000 ")}}},
        {"ピースが足りない", {{10, QStringLiteral(" 17 ")}}},
        {"101ピース", {{10, QStringLiteral(" 101 ")}, {11, QStringLiteral(" 10 ")}}},
        {"半端なピース数", {{10, QStringLiteral(" 15.5 ")}}},
        {"11の升目", {{11, QStringLiteral(" 11 ")}}},
        {"区切りのないピース", {{12, QStringLiteral("100 50")}}},
        {"位置が16ビットを超える", {{12, QStringLiteral("40000&50")}}},
    };
    for (const auto &[name, lines] : refused)
        write(QString::fromUtf8(name), savedGame(picture, lines, 16));
    // More pieces than the board holds, each with its line: the count alone is refused.
    write(QStringLiteral("101ピース"),
          savedGame(picture, {{10, QStringLiteral(" 101 ")}, {11, QStringLiteral(" 10 ")}}, 101));

    // What it can, with what the game makes of it.
    struct Resumed
    {
        const char *name;
        std::map<int, QString> lines;
        const char *limit;     // the time panel at resume; null when it stays hidden
        float bar;             // the time bar at resume, in pixels of its 225
        const char *elapsed;   // status panel 2 after a minute of ticks
        const char *remaining; // the time left after that minute
        float barAfter;
        int runsOutAt;                     // the second the time runs out in; 0 for never
        std::map<int, QString> savedAgain; // lines of the game then saved again
    };
    const std::vector<Resumed> resumed{
        // A limit below 0 counts on below 0 and never runs out; its bar, step times time
        // left, is full and stays so.
        {"マイナス5分",
         {{2, QStringLiteral("-5")}, {6, QStringLiteral("-300 ")}, {7, QStringLiteral("-11.25 ")},
          {9, QStringLiteral("-6 ")}},
         "ゲーム時間 -5分", 225, "03:15", "-06:00", 225, 0,
         {{2, QStringLiteral("-5 ")}, {5, QStringLiteral(" 3 ")}, {6, QStringLiteral("-360 ")},
          {7, QStringLiteral("-11.25 ")}, {8, QStringLiteral(" 60 ")}, {9, QStringLiteral("-7 ")}}},
        {"プラス5分",
         {{2, QStringLiteral("+5")}, {6, QStringLiteral(" 200 ")}, {7, QStringLiteral(" 11.25 ")},
          {8, QStringLiteral(" 20 ")}, {9, QStringLiteral(" 3 ")}},
         "ゲーム時間 5分", 150, "03:15", "02:20", 105, 0,
         {{2, QStringLiteral(" 5 ")}, {6, QStringLiteral(" 140 ")}, {8, QStringLiteral(" 20 ")},
          {9, QStringLiteral(" 2 ")}}},
        {"千分",
         {{2, QStringLiteral("1,000")}, {6, QStringLiteral(" 60000 ")},
          {7, QStringLiteral(" .05625 ")}, {9, QStringLiteral(" 999 ")}},
         "ゲーム時間 1000分", 225, "03:15", "999:00", 224.775f, 0,
         {{2, QStringLiteral(" 1000 ")}, {6, QStringLiteral(" 59940 ")},
          {9, QStringLiteral(" 998 ")}}},
        {"百万分",
         {{2, QStringLiteral("1000000")}, {6, QStringLiteral(" 60000000 ")},
          {7, QStringLiteral(" 5.625E-05 ")}, {9, QStringLiteral(" 999999 ")}},
         "ゲーム時間 1000000分", 225, "03:15", "999999:00", 225, 0,
         {{2, QStringLiteral(" 1000000 ")}, {6, QStringLiteral(" 59999940 ")},
          {9, QStringLiteral(" 999998 ")}}},
        {"半分",
         {{2, QStringLiteral(" .5 ")}, {6, QStringLiteral(" 30 ")}, {7, QStringLiteral(" 112.5 ")},
          {8, QStringLiteral(" 30 ")}},
         "ゲーム時間 0.5分", 225, "02:45", "00:00", 0, 30, {}},
        // Clocks the game never keeps run on from the whole seconds they stand for.
        {"59.5秒", {{4, QStringLiteral(" 59.5 ")}}, nullptr, 0, "04:00", nullptr, 0, 0,
         {{4, QStringLiteral(" 0 ")}, {5, QStringLiteral(" 4 ")}}},
        {"残り2.5秒",
         {{2, QStringLiteral(" 5 ")}, {6, QStringLiteral(" 2.5 ")}, {7, QStringLiteral(" 11.25 ")},
          {8, QStringLiteral(" 2.5 ")}},
         "ゲーム時間 5分", 1.875f, "03:15", "-01:03", 0, 0,
         {{6, QStringLiteral("-57.5 ")}, {8, QStringLiteral(" 3 ")}, {9, QStringLiteral("-1 ")}}},
        {"経過999999分", {{4, QStringLiteral(" 59 ")}, {5, QStringLiteral(" 999999 ")}}, nullptr,
         0, "1000000:59", nullptr, 0, 0,
         {{4, QStringLiteral(" 59 ")}, {5, QStringLiteral(" 1000000 ")}}},
        {"残り-999999分",
         {{2, QStringLiteral(" 5 ")}, {6, QStringLiteral("-59999940 ")},
          {7, QStringLiteral(" 11.25 ")}, {9, QStringLiteral("-999999 ")}},
         "ゲーム時間 5分", 0, "03:15", "-1000000:00", 0, 0,
         {{6, QStringLiteral("-60000000 ")}, {8, QStringLiteral(" 60 ")},
          {9, QStringLiteral("-1000001 ")}}},
        // The elapsed clock stops where the clocks end.
        {"経過の果て", {{4, QStringLiteral(" 59 ")}, {5, QStringLiteral(" 1E+12 ")}}, nullptr, 0,
         "1000000000000:59", nullptr, 0, 0,
         {{4, QStringLiteral(" 59 ")}, {5, QStringLiteral(" 1000000000000 ")}}},
        // The time bar of the game this one follows, in twips, and of this game's own older
        // saves, in pixels: both half full with half of five minutes left, and saved in twips.
        {"元の時間バー",
         {{2, QStringLiteral(" 5 ")}, {6, QStringLiteral(" 150 ")}, {7, QStringLiteral(" 11.25 ")},
          {8, QStringLiteral(" 30 ")}, {9, QStringLiteral(" 2 ")}},
         "ゲーム時間 5分", 112.5f, "03:15", "01:30", 67.5f, 0, {{7, QStringLiteral(" 11.25 ")}}},
        {"以前の時間バー",
         {{2, QStringLiteral(" 5 ")}, {6, QStringLiteral(" 150 ")}, {7, QStringLiteral(" .75 ")},
          {8, QStringLiteral(" 30 ")}, {9, QStringLiteral(" 2 ")}},
         "ゲーム時間 5分", 112.5f, "03:15", "01:30", 67.5f, 0, {{7, QStringLiteral(" 11.25 ")}}},
    };
    for (const Resumed &row : resumed)
        write(QString::fromUtf8(row.name), savedGame(picture, row.lines, 16));
    // Forty pieces on a grid of seven, after a game of sixteen: the tolerances stay.
    write(QStringLiteral("40ピース"),
          savedGame(picture, {{10, QStringLiteral(" 40 ")}, {11, QStringLiteral(" 7 ")}}, 40));

    ASSERT_NO_FATAL_FAILURE(showSelection());
    for (const auto &[name, lines] : refused) {
        SCOPED_TRACE(name);
        EXPECT_EQ(pick(QString::fromUtf8(name)), kDamaged);
        EXPECT_FALSE(go()->isEnabled());
        EXPECT_FALSE(form->image1(0)->hasPicture());
    }

    for (const Resumed &row : resumed) {
        const QString name = QString::fromUtf8(row.name);
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(pick(name), QString());
        ASSERT_NO_FATAL_FAILURE(resume());
        EXPECT_EQ(ui().Frame1->isHidden(), row.limit == nullptr);
        if (row.limit) {
            EXPECT_EQ(ui().Label1->text(), QString::fromUtf8(row.limit));
            EXPECT_EQ(geom::width(ui().Label4), row.bar);
        }

        // A minute of the clocks, as their timers tick.
        int ranOut = 0;
        for (int second = 1; second <= 60; ++second) {
            if (ui().Timer1->isActive())
                board()->Timer1_Timer();
            if (ui().Timer2->isActive())
                board()->Timer2_Timer();
            if (ranOut == 0 && state().TimeIsUp == 1)
                ranOut = second;
        }
        EXPECT_EQ(ranOut, row.runsOutAt);
        EXPECT_EQ(panelText(2), QStringLiteral("経過時間 ") + QString::fromUtf8(row.elapsed));
        if (row.remaining) {
            EXPECT_EQ(ui().Label1->text(), QString::fromUtf8(row.limit)
                                               + QStringLiteral("　　残り時間 ")
                                               + QString::fromUtf8(row.remaining));
            EXPECT_NEAR(geom::width(ui().Label4), row.barAfter, 0.01);
        }

        // Saved again, the game is read back as it was saved.
        if (!row.savedAgain.empty()) {
            ui().mnuSave->trigger();
            finishSlides();
            answer(name + QStringLiteral("の続き"));
            ASSERT_EQ(panelMode(), 1);
            const QStringList again = fileLines(QStringLiteral("save/") + name
                                                + QStringLiteral("の続き.txt"));
            ASSERT_EQ(again.size(), 27);
            for (const auto &[line, text] : row.savedAgain)
                EXPECT_EQ(again[line - 1], text) << "line " << line;
        }
        ASSERT_NO_FATAL_FAILURE(closeBoard());
        ASSERT_NO_FATAL_FAILURE(showSelection());
        if (!row.savedAgain.empty()) {
            EXPECT_EQ(pick(name + QStringLiteral("の続き")), QString());
            EXPECT_TRUE(go()->isEnabled());
        }
    }

    ASSERT_EQ(pick(QStringLiteral("40ピース")), QString());
    ASSERT_NO_FATAL_FAILURE(resume());
    EXPECT_EQ(panelText(1), QStringLiteral("ピース数 40 枚"));
    for (int i = 0; i < 41; ++i)
        EXPECT_EQ(piece(i)->isHidden(), i == 40) << i;
    EXPECT_EQ(placeOf(39), QPointF(100 + 20 * 39, 50 + 10 * 39));
    // The last game, of sixteen pieces on 640 x 480, left tolerances of 16 and 12.
    EXPECT_EQ(fields().PlaceTolX, 16);
    EXPECT_EQ(fields().PlaceTolY, 12);
}
