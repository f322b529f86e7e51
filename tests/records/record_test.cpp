#include "records/RecordsTestSupport.h"

#include "platform/QtPrinting.h"
#include "records/RecordFile.h"
#include "records/RecordsForm.h"
#include "select/SelectControls.h"
#include "sound/Sound.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace jigsaw;

namespace {

const QString kNoPlayerName = QStringLiteral("プレーヤー名が入力されていません。");
const QString kSaved = QStringLiteral("この記録を保存しました。\rこの記録の順位を確認しますか？");
const QString kSavedAndAdded = QStringLiteral(
    "この記録を保存しました。なお、使用した画像を起動時に表示できるように設定しました。\r"
    "この記録の順位を確認しますか？");
const QString kSavedNotAdded = QStringLiteral(
    "この記録を保存しました。ただし、使用した画像を画像フォルダにコピーできませんでした。\r"
    "この記録の順位を確認しますか？");
const QString kNameNotStorable =
    QStringLiteral("この名前では記録を保存できません。\r別のプレーヤー名を入力してください。");
const QString kRecordNotWritten = QStringLiteral(
    "記録を保存できませんでした。\rディスクの空きを確かめて、もう一度ＯＫをクリックしてください。");

const QString kLibraryPicture = QStringLiteral("ジグソー画像3.png");

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
}

} // namespace

class RecordTest : public RecordsBoardTest
{
protected:
    // Completes a 16-piece game on the picture in minutes:seconds.
    void finishGame(const QString &pictureName, double minutes, double seconds)
    {
        startSmallGame(pictureName);
        completeGame();
        state().ElapsedMin = minutes;
        state().ElapsedSec = seconds;
    }

    static QString recordFile(const QString &pictureName)
    {
        return QStringLiteral("datasave/") + pictureName + QStringLiteral("&16枚.txt");
    }

    static QString line(const QString &date, const QString &picture, const QString &time,
                        const QString &name)
    {
        return date + QLatin1Char('+') + picture + QStringLiteral("%16\\") + time
            + QLatin1Char('*') + name;
    }

    bool musicStopped() const
    {
        return game->sound().music().commandLog().contains(QStringLiteral("stop WaveFile"));
    }
};

TEST_F(RecordTest, FirstRecordMakesTheFolderAndFileAndOffersTheRanking)
{
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("datasave"))).removeRecursively());
    finishGame(kLibraryPicture, 12, 34);
    ASSERT_EQ(panelMode(), 7);

    // No name: the panel says so with the click cue and keeps asking; nothing is written.
    game->sound().music().clearCommandLog();
    int clicksBefore = clicks();
    answer(QString());
    EXPECT_EQ(panelText(), kNoPlayerName);
    EXPECT_EQ(clicks(), clicksBefore + 1);
    EXPECT_EQ(panelMode(), 7);
    EXPECT_FALSE(QDir(app.filePath(QStringLiteral("datasave"))).exists());
    EXPECT_TRUE(musicStopped());

    game->sound().music().clearCommandLog();
    clicksBefore = clicks();
    answer(QStringLiteral("花子"));
    const QStringList expected{QStringLiteral(" 1 "),
                               line(today(), kLibraryPicture, QStringLiteral("754"),
                                    QStringLiteral("花子"))};
    EXPECT_EQ(fileLines(recordFile(kLibraryPicture)), expected);
    EXPECT_EQ(fileBytes(recordFile(kLibraryPicture)), shiftJisLines(expected));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(panelText(), kSaved);
    EXPECT_TRUE(ui().Combo1->isHidden());
    EXPECT_FALSE(ui().Command3->isHidden());
    EXPECT_EQ(clicks(), clicksBefore + 1);
    EXPECT_TRUE(musicStopped());
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("gazou/") + kLibraryPicture)));
}

TEST_F(RecordTest, NewRecordGoesOnTopAndTheRankingOpensForThisPictureAndCount)
{
    const QString older1 = line(QStringLiteral("2023/01/05"), kLibraryPicture,
                                QStringLiteral("00300"), QStringLiteral("一郎"));
    const QString older2 = line(QStringLiteral("2023/02/06"), kLibraryPicture,
                                QStringLiteral("900"), QStringLiteral("二郎"));
    app.writeFile(recordFile(kLibraryPicture), shiftJisLines({QStringLiteral(" 2 "), older1,
                                                               older2}));
    app.writeFile(QStringLiteral("datasave/") + kLibraryPicture + QStringLiteral("&25枚.txt"),
                  shiftJisLines({QStringLiteral(" 1 "), older1}));
    finishGame(kLibraryPicture, 10, 0);

    // A name with "*" is stored whole.
    answer(QStringLiteral("三郎*さん"));
    const QString newest =
        line(today(), kLibraryPicture, QStringLiteral("600"), QStringLiteral("三郎*さん"));
    EXPECT_EQ(fileLines(recordFile(kLibraryPicture)),
              QStringList({QStringLiteral(" 3 "), newest, older1, older2}));

    // OK opens the ranking for this picture and 16 pieces, and the panel goes.
    pressOk();
    RecordsForm *records = game->frmRecords();
    EXPECT_TRUE(records->isVisible());
    EXPECT_FALSE(records->isModal());
    EXPECT_EQ(records->ui().Label4->text(), kLibraryPicture);
    EXPECT_EQ(records->ui().Combo1->count(), 2);
    EXPECT_EQ(records->ui().Combo1->currentText(), QStringLiteral("16"));
    EXPECT_TRUE(records->ui().Command1->isEnabled());
    EXPECT_TRUE(ui().Timer4->isActive());

    records->ui().Command1->click();
    EXPECT_EQ(records->ui().Label6[0]->text(), QStringLiteral("一郎"));
    EXPECT_EQ(records->ui().Label6[1]->text(), QStringLiteral("三郎*さん"));
    EXPECT_EQ(records->ui().Label5[1]->text(), QStringLiteral("00時間10分00秒"));
    EXPECT_EQ(records->ui().Label7[1]->text(), today());
    EXPECT_EQ(records->ui().Label6[2]->text(), QStringLiteral("二郎"));
}

TEST_F(RecordTest, OutsidePictureJoinsTheLibraryWithItsRecord)
{
    finishGame(QStringLiteral("海.png"), 0, 59);
    ASSERT_EQ(panelMode(), 6);
    ASSERT_EQ(state().ImageFileName, QStringLiteral("ジグソー画像1.png"));
    app.writeFile(QStringLiteral("gazou/ジグソー画像1.png"), "an older picture of that name");

    answer(QStringLiteral("太郎"));
    EXPECT_EQ(fileBytes(QStringLiteral("gazou/ジグソー画像1.png")),
              fileBytes(QStringLiteral("pictures/海.png")));
    EXPECT_EQ(fileLines(recordFile(QStringLiteral("ジグソー画像1.png"))),
              QStringList({QStringLiteral(" 1 "),
                           line(today(), QStringLiteral("ジグソー画像1.png"),
                                QStringLiteral("59"), QStringLiteral("太郎"))}));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(panelText(), kSavedAndAdded);
    EXPECT_TRUE(ui().Combo1->isHidden());
    EXPECT_TRUE(ui().Label7->isHidden());
    EXPECT_FALSE(ui().Command3->isHidden());
}

TEST_F(RecordTest, PictureThatCannotBeCopiedStillGetsItsRecord)
{
    finishGame(QStringLiteral("海.png"), 1, 0);
    ASSERT_EQ(panelMode(), 6);
    ASSERT_TRUE(QFile::remove(app.filePath(QStringLiteral("pictures/海.png"))));

    answer(QStringLiteral("太郎"));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(panelText(), kSavedNotAdded);
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("gazou/ジグソー画像1.png"))));
    EXPECT_EQ(fileLines(recordFile(QStringLiteral("ジグソー画像1.png"))).size(), 2);
}

TEST_F(RecordTest, NameOrFileThatCannotBeStoredKeepsThePanelAsking)
{
    finishGame(kLibraryPicture, 2, 0);

    answer(QStringLiteral("🙂"));
    EXPECT_EQ(panelMode(), 7);
    EXPECT_EQ(panelText(), kNameNotStorable);
    EXPECT_FALSE(QFile::exists(app.filePath(recordFile(kLibraryPicture))));

    QDir().mkpath(app.filePath(recordFile(kLibraryPicture)));
    answer(QStringLiteral("花子"));
    EXPECT_EQ(panelMode(), 7);
    EXPECT_EQ(panelText(), kRecordNotWritten);
    EXPECT_FALSE(ui().Combo1->isHidden());

    ASSERT_TRUE(QDir(app.filePath(recordFile(kLibraryPicture))).removeRecursively());
    answer(QStringLiteral("花子"));
    EXPECT_EQ(panelMode(), 8);
}

TEST_F(RecordTest, HundredAndFiftyRecordsSurviveANewRecordAndTheRanking)
{
    QStringList lines{QStringLiteral(" 150 ")};
    for (int i = 0; i < 150; ++i) {
        lines.append(line(QStringLiteral("2023/01/01"), kLibraryPicture,
                          QString::number(1000 + 7 * ((i * 37) % 150)),
                          QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0'))));
    }
    app.writeFile(recordFile(kLibraryPicture), shiftJisLines(lines));
    finishGame(kLibraryPicture, 0, 30);

    answer(QStringLiteral("new"));
    QStringList written = fileLines(recordFile(kLibraryPicture));
    ASSERT_EQ(written.size(), 152);
    EXPECT_EQ(written[0], QStringLiteral(" 151 "));
    EXPECT_EQ(written.mid(2), lines.mid(1));

    pressOk();
    RecordsForm *records = game->frmRecords();
    records->ui().Command1->click();
    EXPECT_EQ(records->ui().Label6[0]->text(), QStringLiteral("new"));
    EXPECT_EQ(records->panelText(2), QStringLiteral("10位以下は表示できません。"));
    written = fileLines(recordFile(kLibraryPicture));
    ASSERT_EQ(written.size(), 152);
    EXPECT_EQ(written[0], QStringLiteral(" 151 "));
    EXPECT_EQ(written[1], line(today(), kLibraryPicture, QStringLiteral("00030"),
                               QStringLiteral("new")));
    for (int i = 0; i < 150; ++i) {
        const QString name = QStringLiteral("*P%1").arg(i, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(written.filter(name).size(), 1) << name.toStdString();
    }
    // Sorted by time.
    for (int i = 2; i < written.size(); ++i)
        EXPECT_LE(recordfile::timeTextOf(written[i - 1]), recordfile::timeTextOf(written[i]));
}
