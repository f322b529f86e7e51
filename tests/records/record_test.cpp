#include "records/RecordsTestSupport.h"

#include "records/RecordFile.h"
#include "records/RecordsForm.h"
#include "select/SelectControls.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

using namespace jigsaw;

namespace {

const QString kLibraryPicture = QStringLiteral("ジグソー画像3.png");
const QString kRecordFile = QStringLiteral("datasave/ジグソー画像3.png&16枚.txt");
const QString kAddedRecordFile = QStringLiteral("datasave/ジグソー画像1.png&16枚.txt");

// A record line of the library picture; today's when no date is given.
QString line(const QString &time, const QString &name, const char *date = nullptr)
{
    const QString day = date != nullptr
        ? QString::fromLatin1(date)
        : QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    return day + QLatin1Char('+') + kLibraryPicture + QStringLiteral("%16\\") + time
        + QLatin1Char('*') + name;
}

} // namespace

class RecordTest : public RecordsBoardTest
{
protected:
    void finishGame(const QString &pictureName, double minutes, double seconds)
    {
        startSixteen(pictureName);
        completeGame();
        state().ElapsedMin = minutes;
        state().ElapsedSec = seconds;
    }

    RecordsForm *showRanking()
    {
        player::click(ui().Command1);
        player::click(game->frmRecords()->ui().Command1);
        return game->frmRecords();
    }
};

TEST_F(RecordTest, FirstRecordMakesTheFolderAndAFileOfOneRecordInSeconds)
{
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("datasave"))).removeRecursively());
    finishGame(kLibraryPicture, 12, 34);
    ASSERT_EQ(panelMode(), 7);

    // Names that cannot be stored keep the panel asking and write nothing.
    const int clicksBefore = cues(SoundCues::Cue::Click);
    answer(QString());
    EXPECT_EQ(question(), QStringLiteral("プレーヤー名が入力されていません。"));
    EXPECT_EQ(cues(SoundCues::Cue::Click), clicksBefore + 1);
    answer(QStringLiteral("🙂"));
    EXPECT_EQ(question(), QStringLiteral("この名前では記録を保存できません。\r"
                                         "別のプレーヤー名を入力してください。"));
    EXPECT_EQ(panelMode(), 7);
    EXPECT_FALSE(QDir(app.filePath(QStringLiteral("datasave"))).exists());

    answer(QStringLiteral("花子"));
    EXPECT_EQ(fileBytes(kRecordFile),
              shiftJisLines({QStringLiteral(" 1 "), line(QStringLiteral("754"),
                                                         QStringLiteral("花子"))}));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(question(), QStringLiteral("この記録を保存しました。\rこの記録の順位を確認しますか？"));
}

TEST_F(RecordTest, NewRecordGoesOnTopAndTheRankingOpensForThisPictureAndCount)
{
    const QString older1 = line(QStringLiteral("00300"), QStringLiteral("一郎"), "2023/01/05");
    const QString older2 = line(QStringLiteral("900"), QStringLiteral("二郎"), "2023/02/06");
    app.writeFile(kRecordFile, shiftJisLines({QStringLiteral(" 2 "), older1, older2}));
    app.writeFile(QStringLiteral("datasave/ジグソー画像3.png&25枚.txt"),
                  shiftJisLines({QStringLiteral(" 1 "), older1}));
    finishGame(kLibraryPicture, 10, 0);

    answer(QStringLiteral("三郎*さん"));
    EXPECT_EQ(fileLines(kRecordFile),
              QStringList({QStringLiteral(" 3 "),
                           line(QStringLiteral("600"), QStringLiteral("三郎*さん")), older1,
                           older2}));

    const RecordsControls &records = showRanking()->ui();
    EXPECT_EQ(records.Combo1->currentText(), QStringLiteral("16"));
    EXPECT_EQ(records.Label6[0]->text(), QStringLiteral("一郎"));
    EXPECT_EQ(records.Label6[1]->text(), QStringLiteral("三郎*さん"));
    EXPECT_EQ(records.Label5[1]->text(), QStringLiteral("00時間10分00秒"));
}

TEST_F(RecordTest, PictureThatCannotBeCopiedStillGetsItsRecord)
{
    finishGame(QStringLiteral("海.png"), 1, 0);
    ASSERT_EQ(panelMode(), 6);
    ASSERT_TRUE(QFile::remove(app.filePath(QStringLiteral("pictures/海.png"))));

    answer(QStringLiteral("太郎"));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(question(), QStringLiteral("この記録を保存しました。ただし、使用した画像を画像"
                                         "フォルダにコピーできませんでした。\r"
                                         "この記録の順位を確認しますか？"));
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("gazou/ジグソー画像1.png"))));
    EXPECT_EQ(fileLines(kAddedRecordFile).size(), 2);
}

TEST_F(RecordTest, HundredAndFiftyRecordsSurviveANewRecordAndTheRanking)
{
    QStringList lines{QStringLiteral(" 150 ")};
    for (int i = 0; i < 150; ++i) {
        lines.append(line(QString::number(1000 + 7 * ((i * 37) % 150)),
                          QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0')), "2023/01/01"));
    }
    app.writeFile(kRecordFile, shiftJisLines(lines));
    finishGame(kLibraryPicture, 0, 30);

    answer(QStringLiteral("new"));
    QStringList written = fileLines(kRecordFile);
    ASSERT_EQ(written.size(), 152);
    EXPECT_EQ(written.mid(2), lines.mid(1));

    EXPECT_EQ(showRanking()->ui().Label6[0]->text(), QStringLiteral("new"));
    written = fileLines(kRecordFile);
    ASSERT_EQ(written.size(), 152);
    EXPECT_EQ(written[0], QStringLiteral(" 151 "));
    for (int i = 0; i < 150; ++i) {
        const QString name = QStringLiteral("*P%1").arg(i, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(written.filter(name).size(), 1) << name.toStdString();
    }
    for (int i = 2; i < written.size(); ++i)
        EXPECT_LE(recordfile::timeTextOf(written[i - 1]), recordfile::timeTextOf(written[i]));
}
