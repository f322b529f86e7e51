#include "platform/Geometry.h"
#include "platform/PlatformTestSupport.h"
#include "platform/TextFile.h"
#include "records/RecordFile.h"
#include "records/RecordsForm.h"
#include "select/SelectControls.h"
#include "app/Game.h"
#include "support/PlayerInput.h"
#include "support/TempAppDir.h"
#include "support/Wait.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using namespace jigsaw;

namespace {

QString line(const char *date, const char *time, const char *name)
{
    return QString::fromUtf8(date) + QStringLiteral("+sea.jpg%16\\") + QString::fromUtf8(time)
        + QLatin1Char('*') + QString::fromUtf8(name);
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

    // Writes the records, looks them up and shows the ranking; the record file afterwards.
    // With a count line that says otherwise when one is given.
    QStringList rank(const QStringList &records, const QString &countLine = QString())
    {
        const QString path = app.filePath(QStringLiteral("datasave/sea.jpg&16枚.txt"));
        const QString count =
            countLine.isNull() ? QStringLiteral(" %1 ").arg(records.size()) : countLine;
        EXPECT_EQ(text::writeLinesAtomically(path, QStringList{count} + records),
                  files::WriteStatus::Ok);
        form = game->frmRecords();
        form->LookUpPictureRecords();
        player::click(form->ui().Command1);
        return text::readLines(path).lines;
    }

    QString shown(int column, int row) const
    {
        const RecordsControls &ui = form->ui();
        const auto &labels = column == 0 ? ui.Label5 : column == 1 ? ui.Label6 : ui.Label7;
        return labels[static_cast<std::size_t>(row)]->text();
    }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = false,
                                        .recordDir = true}};
    std::unique_ptr<Game> game;
    RecordsForm *form = nullptr;
};

TEST_F(RankingViewTest, BestTimesComeFirstAndTheFileIsPutBackInThatOrder)
{
    const QStringList written =
        rank({line("2024/01/03", "754", "B"), line("2024/01/02", "60", "C"),
              line("2024/01/01", "754", "A")});
    const RecordsControls &ui = form->ui();
    EXPECT_EQ(shown(0, 0), QStringLiteral("00時間01分00秒"));
    EXPECT_EQ(shown(1, 0), QStringLiteral("C"));
    EXPECT_EQ(shown(2, 0), QStringLiteral("2024/01/02"));
    EXPECT_EQ(shown(0, 1), QStringLiteral("00時間12分34秒"));
    EXPECT_EQ(shown(1, 1), QStringLiteral("A"));
    EXPECT_EQ(shown(1, 2), QStringLiteral("B"));
    EXPECT_TRUE(shown(0, 3).isEmpty());
    EXPECT_EQ(form->panelText(1), QStringLiteral("ピース枚数16枚のベスト10を表示しています"));
    EXPECT_EQ(form->panelText(2), QStringLiteral("3 位以下のデータはありません"));
    EXPECT_EQ(written, QStringList({QStringLiteral(" 3 "), line("2024/01/02", "00060", "C"),
                                    line("2024/01/01", "00754", "A"),
                                    line("2024/01/03", "00754", "B")}));
    EXPECT_FALSE(ui.Command1->isEnabled());
}

TEST_F(RankingViewTest, TwelveRecordsShowTenAndKeepAllTwelveWhateverTheCountSays)
{
    QStringList records;
    for (int i = 12; i >= 1; --i)
        records.append(QStringLiteral("2024/02/01+sea.jpg%16\\%1*P%2").arg(100 * i).arg(i));
    const QStringList written = rank(records, QStringLiteral(" 5 "));
    EXPECT_EQ(shown(1, 0), QStringLiteral("P1"));
    EXPECT_EQ(shown(1, 9), QStringLiteral("P10"));
    EXPECT_EQ(form->panelText(2), QStringLiteral("10位以下は表示できません。"));
    ASSERT_EQ(written.size(), 13);
    EXPECT_EQ(written[0], QStringLiteral(" 12 "));
    EXPECT_EQ(written[12], line("2024/02/01", "01200", "P12"));
}

TEST_F(RankingViewTest, HoursBeyondSixteenBitsShowAndDamagedTimesSortLastAsTheyWere)
{
    const QStringList written = rank(
        {line("2024/03/01", "100000", "X"), line("2024/03/04", "1E+300", "huge"),
         line("2024/03/02", "40000", "Y"), line("2024/03/05", "-5", "negative"),
         line("2024/03/03", "99999", "Z"), line("2024/03/06", "12:34", "text")});
    EXPECT_EQ(shown(0, 0), QStringLiteral("11時間06分40秒"));
    EXPECT_EQ(shown(0, 1), QStringLiteral("27時間46分39秒"));
    EXPECT_EQ(shown(0, 2), QStringLiteral("27時間46分40秒"));
    EXPECT_EQ(shown(1, 2), QStringLiteral("X"));
    // A time that is no game's time shows as the record held it, after every real one.
    EXPECT_EQ(shown(0, 3), QStringLiteral("-5"));
    EXPECT_EQ(shown(0, 4), QStringLiteral("12:34"));
    EXPECT_EQ(shown(0, 5), QStringLiteral("1E+300"));
    EXPECT_EQ(written.mid(3), QStringList({line("2024/03/01", "100000", "X"),
                                           line("2024/03/05", "-5", "negative"),
                                           line("2024/03/06", "12:34", "text"),
                                           line("2024/03/04", "1E+300", "huge")}));
}

TEST_F(RankingViewTest, RankingWhileAnotherCopyHoldsTheFileLeavesItByteForByte)
{
    const QString path = app.filePath(QStringLiteral("datasave/sea.jpg&16枚.txt"));
    const QStringList records{line("2024/01/03", "754", "B"), line("2024/01/02", "60", "C")};
    ASSERT_EQ(text::writeLinesAtomically(path, QStringList{QStringLiteral(" 2 ")} + records),
              files::WriteStatus::Ok);
    const QByteArray before = fileBytes(path);
    {
        const recordfile::Lock otherCopy(path);
        ASSERT_TRUE(otherCopy.held());
        form = game->frmRecords();
        form->LookUpPictureRecords();
        player::click(form->ui().Command1);
        EXPECT_EQ(fileBytes(path), before);
    }
    // The table still shows what the file holds.
    EXPECT_EQ(shown(1, 0), QStringLiteral("C"));
    EXPECT_EQ(shown(1, 1), QStringLiteral("B"));
}

TEST_F(RankingViewTest, ShortFormCoversTheTableUntilTheRankingIsShownAndStaysOnScreen)
{
    RecordsForm *records = game->frmRecords();
    records->open(nullptr);
    const int height = records->centralWidget()->height();
    EXPECT_LT(height, geom::top(records->ui().Label5[0]));
    EXPECT_GE(height, geom::top(records->ui().Command1) + geom::height(records->ui().Command1));

    // Grown to show the ranking, all of it is still on the screen, once every layout the
    // growth set off (the status texts' too) has landed.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    records->move(screen.left(), screen.bottom() + 1 - records->frameGeometry().height());
    ASSERT_TRUE(screen.contains(records->frameGeometry()));
    EXPECT_EQ(rank({line("2024/03/01", "00754", "A")}).size(), 2);
    for (QRect before; before != records->frameGeometry();) {
        before = records->frameGeometry();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    const QWidget *back = records->ui().Command2;
    EXPECT_GE(records->centralWidget()->height(), back->geometry().bottom() + 1)
        << "the table and the way back are uncovered";
    EXPECT_TRUE(screen.contains(records->frameGeometry()))
        << "frame bottom " << records->frameGeometry().bottom() << ", screen bottom "
        << screen.bottom();
}
