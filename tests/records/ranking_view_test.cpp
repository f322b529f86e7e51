#include "platform/Geometry.h"
#include "platform/QtPrinting.h"
#include "platform/TextFile.h"
#include "records/RecordLookUp.h"
#include "records/RecordsForm.h"
#include "select/SelectControls.h"
#include "select/SelectForm.h"
#include "state/Game.h"
#include "support/TempAppDir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace jigsaw;

namespace {

QString line(const QString &date, const QString &time, const QString &name)
{
    return date + QStringLiteral("+sea.jpg%16\\") + time + QLatin1Char('*') + name;
}

} // namespace

// The records form on its own, prepared by the record look-up for the picture sea.jpg.
class RankingViewTest : public ::testing::Test
{
protected:
    RankingViewTest()
        : game(std::make_unique<Game>(app.path()))
    {
        game->state().AppDir = app.path();
        game->state().ImageFileName = QStringLiteral("sea.jpg");
    }

    void writeRecords(const QStringList &records, const QString &pieces = QStringLiteral("16"))
    {
        QStringList lines{QStringLiteral(" %1 ").arg(records.size())};
        lines += records;
        ASSERT_TRUE(text::writeLinesAtomically(
            app.filePath(QStringLiteral("datasave/sea.jpg&") + pieces + QStringLiteral("枚.txt")),
            lines));
    }

    QStringList fileLines(const QString &pieces = QStringLiteral("16")) const
    {
        return text::readLines(app.filePath(QStringLiteral("datasave/sea.jpg&") + pieces
                                            + QStringLiteral("枚.txt")))
            .lines;
    }

    RecordsForm *lookUp()
    {
        LookUpPictureRecords(*game);
        return game->frmRecords();
    }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = false,
                                        .recordDir = true}};
    std::unique_ptr<Game> game;
};

TEST_F(RankingViewTest, BestTimesComeFirstAndTheFileIsPutBackInThatOrder)
{
    writeRecords({line(QStringLiteral("2024/01/03"), QStringLiteral("754"), QStringLiteral("B")),
                  line(QStringLiteral("2024/01/02"), QStringLiteral("60"), QStringLiteral("C")),
                  line(QStringLiteral("2024/01/01"), QStringLiteral("754"), QStringLiteral("A"))});
    writeRecords({line(QStringLiteral("2024/01/01"), QStringLiteral("5"), QStringLiteral("Z"))},
                 QStringLiteral("100"));
    RecordsForm *form = lookUp();
    const RecordsControls &ui = form->ui();

    EXPECT_EQ(form->formHeightTwips(), 2900);
    EXPECT_EQ(ui.Label4->text(), QStringLiteral("sea.jpg"));
    ASSERT_EQ(ui.Combo1->count(), 2);
    EXPECT_EQ(ui.Combo1->itemText(0), QStringLiteral("16"));
    EXPECT_EQ(ui.Combo1->itemText(1), QStringLiteral("100"));
    EXPECT_EQ(ui.Combo1->currentText(), QStringLiteral("16"));
    EXPECT_EQ(form->panelText(1), QStringLiteral("順位表示ボタンをクリックしてください"));

    ui.Command1->click();
    EXPECT_EQ(ui.Label5[0]->text(), QStringLiteral("00時間01分00秒"));
    EXPECT_EQ(ui.Label6[0]->text(), QStringLiteral("C"));
    EXPECT_EQ(ui.Label7[0]->text(), QStringLiteral("2024/01/02"));
    EXPECT_EQ(ui.Label5[1]->text(), QStringLiteral("00時間12分34秒"));
    EXPECT_EQ(ui.Label6[1]->text(), QStringLiteral("A"));
    EXPECT_EQ(ui.Label6[2]->text(), QStringLiteral("B"));
    EXPECT_TRUE(ui.Label5[3]->text().isEmpty());
    EXPECT_EQ(form->panelText(1), QStringLiteral("ピース枚数16枚のベスト10を表示しています"));
    EXPECT_EQ(form->panelText(2), QStringLiteral("3 位以下のデータはありません"));
    EXPECT_FALSE(ui.Command1->isEnabled());
    EXPECT_EQ(form->formHeightTwips(), 7300);
    EXPECT_EQ(ui.Combo2->count(), 3);
    EXPECT_EQ(ui.Combo2->itemText(0), QStringLiteral("00060C2024/01/02"));
    EXPECT_EQ(fileLines(),
              QStringList({QStringLiteral(" 3 "),
                           line(QStringLiteral("2024/01/02"), QStringLiteral("00060"),
                                QStringLiteral("C")),
                           line(QStringLiteral("2024/01/01"), QStringLiteral("00754"),
                                QStringLiteral("A")),
                           line(QStringLiteral("2024/01/03"), QStringLiteral("00754"),
                                QStringLiteral("B"))}));

    // Another count empties the table and offers the button again.
    ui.Combo1->setCurrentIndex(1);
    EXPECT_TRUE(ui.Label5[0]->text().isEmpty());
    EXPECT_TRUE(ui.Label6[0]->text().isEmpty());
    EXPECT_TRUE(ui.Label7[0]->text().isEmpty());
    EXPECT_TRUE(form->panelText(2).isEmpty());
    EXPECT_TRUE(ui.Command1->isEnabled());
    ui.Command1->click();
    EXPECT_EQ(ui.Label6[0]->text(), QStringLiteral("Z"));
    EXPECT_EQ(form->panelText(1), QStringLiteral("ピース枚数100枚のベスト10を表示しています"));
    EXPECT_EQ(form->panelText(2), QStringLiteral("1 位以下のデータはありません"));
}

TEST_F(RankingViewTest, TwelveRecordsShowTenAndKeepAllTwelve)
{
    QStringList records;
    for (int i = 12; i >= 1; --i)
        records.append(line(QStringLiteral("2024/02/01"), QString::number(100 * i),
                            QStringLiteral("P%1").arg(i)));
    writeRecords(records);
    RecordsForm *form = lookUp();
    form->ui().Command1->click();

    EXPECT_EQ(form->ui().Label6[0]->text(), QStringLiteral("P1"));
    EXPECT_EQ(form->ui().Label6[9]->text(), QStringLiteral("P10"));
    EXPECT_EQ(form->ui().Label5[9]->text(), QStringLiteral("00時間16分40秒"));
    EXPECT_EQ(form->panelText(2), QStringLiteral("10位以下は表示できません。"));
    const QStringList written = fileLines();
    ASSERT_EQ(written.size(), 13);
    EXPECT_EQ(written[0], QStringLiteral(" 12 "));
    EXPECT_EQ(written[12], line(QStringLiteral("2024/02/01"), QStringLiteral("01200"),
                                QStringLiteral("P12")));
}

TEST_F(RankingViewTest, HoursBeyondSixteenBitsShowAndHugeTimesSortLast)
{
    const QString x =
        line(QStringLiteral("2024/03/01"), QStringLiteral("100000"), QStringLiteral("X"));
    writeRecords({x, line(QStringLiteral("2024/03/02"), QStringLiteral("40000"), QStringLiteral("Y")),
                  line(QStringLiteral("2024/03/03"), QStringLiteral("99999"), QStringLiteral("Z"))});
    RecordsForm *form = lookUp();
    form->ui().Command1->click();

    EXPECT_EQ(form->ui().Label5[0]->text(), QStringLiteral("11時間06分40秒"));
    EXPECT_EQ(form->ui().Label5[1]->text(), QStringLiteral("27時間46分39秒"));
    EXPECT_EQ(form->ui().Label5[2]->text(), QStringLiteral("27時間46分40秒"));
    EXPECT_EQ(form->ui().Label6[2]->text(), QStringLiteral("X"));
    EXPECT_EQ(fileLines(),
              QStringList({QStringLiteral(" 3 "),
                           line(QStringLiteral("2024/03/02"), QStringLiteral("40000"),
                                QStringLiteral("Y")),
                           line(QStringLiteral("2024/03/03"), QStringLiteral("99999"),
                                QStringLiteral("Z")),
                           line(QStringLiteral("2024/03/01"), QStringLiteral("100000"),
                                QStringLiteral("X"))}));
}

TEST_F(RankingViewTest, FormIsBuiltAsDesigned)
{
    RecordsForm *form = game->frmRecords();
    const RecordsControls &ui = form->ui();
    EXPECT_EQ(form->objectName(), QStringLiteral("frmRecords"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("記録"));
    const auto at = [](const QWidget *w, double left, double top, double width, double height) {
        const std::string name = w->objectName().toStdString();
        EXPECT_FLOAT_EQ(geom::left(w), static_cast<float>(geom::twips(left))) << name;
        EXPECT_FLOAT_EQ(geom::top(w), static_cast<float>(geom::twips(top))) << name;
        EXPECT_FLOAT_EQ(geom::width(w), static_cast<float>(geom::twips(width)));
        EXPECT_FLOAT_EQ(geom::height(w), static_cast<float>(geom::twips(height)));
    };
    at(ui.Image1, 360, 240, 2295, 1695);
    at(ui.Frame1, 2880, 120, 3375, 1215);
    at(ui.Combo1, 1440, 720, 1095, 360);
    at(ui.Command1, 3000, 1440, 1215, 615);
    at(ui.Command2, 3720, 5760, 2535, 495);
    for (const int i : {0, kRankingRows - 1}) {
        const auto row = static_cast<std::size_t>(i);
        at(ui.Label5[row], 480, 2640 + 300 * i, 1935, 285);
        at(ui.Label6[row], 2400, 2640 + 300 * i, 1935, 285);
        at(ui.Label7[row], 4320, 2640 + 300 * i, 1935, 285);
        EXPECT_EQ(ui.Label5[row]->objectName(), QStringLiteral("Label5(%1)").arg(i));
        EXPECT_EQ(ui.Label6[row]->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_TRUE(ui.Label6[row]->autoFillBackground());
    }
    EXPECT_EQ(ui.RankNumbers[0]->text(), QStringLiteral(" 1"));
    EXPECT_EQ(ui.RankNumbers[8]->text(), QStringLiteral(" 9"));
    EXPECT_EQ(ui.RankNumbers[9]->text(), QStringLiteral("10"));
    EXPECT_EQ(ui.RankNumbers[9]->objectName(), QStringLiteral("Label20"));
    EXPECT_EQ(ui.Label8->text(), QStringLiteral("時　　　間"));
    EXPECT_EQ(ui.Label9->text(), QStringLiteral("プレーヤー"));
    EXPECT_EQ(ui.Label10->text(), QStringLiteral("ゲーム日時"));
    EXPECT_EQ(ui.Command1->text(), QStringLiteral("順位表示"));
    EXPECT_EQ(ui.Command1->faceColor(), QColor(255, 192, 255));
    EXPECT_EQ(ui.Command2->text(), QStringLiteral("元の画面に戻る"));
    EXPECT_EQ(ui.Frame1->palette().color(QPalette::Window), QColor(128, 0, 128));
    EXPECT_FALSE(ui.Combo1->isEditable());
    EXPECT_TRUE(ui.Combo2->isHidden());

    // The short form covers the table; the tall one shows the last row and the back button.
    form->show();
    const int shortHeight = form->centralWidget()->height();
    EXPECT_LT(shortHeight, geom::top(ui.Label5[0]));
    EXPECT_GE(shortHeight, geom::top(ui.Command1) + geom::height(ui.Command1));
}

// The records form reached from the selection form's records button.
class RecordsButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(app.filePath(QStringLiteral("gazou")));
        for (const char *name : {"ジグソー画像1.jpg", "ジグソー画像2.jpg"}) {
            QImage picture(400, 300, QImage::Format_RGB32);
            picture.fill(QColor(200, 120, 60));
            const QString path = app.filePath(QStringLiteral("gazou/") + QString::fromUtf8(name));
            ASSERT_TRUE(picture.save(path, "JPG"));
        }
        ASSERT_TRUE(text::writeLinesAtomically(
            app.filePath(QStringLiteral("datasave/ジグソー画像1.jpg&36枚.txt")),
            {QStringLiteral(" 1 "), QStringLiteral("2024/01/01+ジグソー画像1.jpg%36\\100*A")}));
        game = std::make_unique<Game>(app.path(), music.path());
        game->start();
        form = game->frmSelect();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
    }

    int thumbnailOf(const QString &name) const
    {
        for (int i = 0; i < 6; ++i) {
            if (form->image1(i)->toolTip() == name)
                return i;
        }
        return -1;
    }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = false, .saveDir = false,
                                        .recordDir = true}};
    QTemporaryDir music;
    std::unique_ptr<Game> game;
    SelectForm *form = nullptr;
};

TEST_F(RecordsButtonTest, PictureWithRecordsOffersTheFormAndBackClosesIt)
{
    const int withRecords = thumbnailOf(QStringLiteral("ジグソー画像1.jpg"));
    const int without = thumbnailOf(QStringLiteral("ジグソー画像2.jpg"));
    ASSERT_GE(withRecords, 0);
    ASSERT_GE(without, 0);

    form->Image1_Click(withRecords);
    EXPECT_TRUE(form->command6()->isVisible());
    EXPECT_EQ(form->statusText(),
              QStringLiteral("過去の記録ボタンをクリックすると、順位表が表示されます。"));
    QPointer<RecordsForm> records = game->frmRecords();
    EXPECT_FALSE(records->isVisible());
    EXPECT_EQ(records->ui().Combo1->currentText(), QStringLiteral("36"));
    EXPECT_TRUE(records->ui().Image1->hasPicture());
    EXPECT_EQ(records->ui().Image1->picture(), form->image1(withRecords)->picture());

    form->command6()->click();
    EXPECT_TRUE(records->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    records->ui().Command1->click();
    EXPECT_EQ(records->ui().Label6[0]->text(), QStringLiteral("A"));

    records->ui().Command2->click();
    EXPECT_FALSE(form->command6()->isVisible());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(form->shape1(i)->isVisible()) << i;
    ASSERT_TRUE(QTest::qWaitFor([&records] { return records.isNull(); }));

    // A picture without records hides the button and asks for GO; the form comes back new.
    form->Image1_Click(without);
    EXPECT_FALSE(form->command6()->isVisible());
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));
    EXPECT_EQ(game->frmRecords()->formHeightTwips(), 2900);
    EXPECT_EQ(game->frmRecords()->ui().Combo1->count(), 0);
}
