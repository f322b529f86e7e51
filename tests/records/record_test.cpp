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

TEST_F(RecordTest, PictureThatCannotBeCopiedGetsNoRecordUnderItsLibraryName)
{
    finishGame(QStringLiteral("海.png"), 1, 0);
    ASSERT_EQ(panelMode(), 6);
    const QString source = app.filePath(QStringLiteral("pictures/海.png"));
    ASSERT_TRUE(QFile::rename(source, source + QStringLiteral(".aside")));

    answer(QStringLiteral("太郎"));
    EXPECT_EQ(panelMode(), 6);
    EXPECT_EQ(question(), QStringLiteral("記録を保存できませんでした。\r使用した画像ファイルを"
                                         "読み込めないため、画像フォルダにコピーできません。"));
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("gazou/ジグソー画像1.png"))));
    EXPECT_FALSE(QFile::exists(app.filePath(kAddedRecordFile)));

    // With the picture back, the next OK stores both.
    ASSERT_TRUE(QFile::rename(source + QStringLiteral(".aside"), source));
    player::click(ui().Command1);
    EXPECT_EQ(panelMode(), 8);
    EXPECT_TRUE(QFile::exists(app.filePath(QStringLiteral("gazou/ジグソー画像1.png"))));
    EXPECT_EQ(fileLines(kAddedRecordFile).size(), 2);
}

TEST_F(RecordTest, TwoCopiesCompletingOutsidePicturesKeepEachUnderItsOwnNameWithItsRecords)
{
    // A second copy of the game started from the same folder. Each completes an outside
    // picture while the library has no ジグソー画像1 yet, so both are offered that name.
    auto other = std::make_unique<Game>(app.path(), musicDir.path());
    other->state().AppDir = app.path();
    finishGame(QStringLiteral("海.png"), 1, 0);
    app.writeFile(QStringLiteral("pictures/海.png"), "sea");
    std::swap(game, other);
    finishGame(QStringLiteral("山.png"), 2, 0);
    app.writeFile(QStringLiteral("pictures/山.png"), "mountain");
    ASSERT_EQ(state().ImageFileName, QStringLiteral("ジグソー画像1.png"));

    // The mountain's copy stores first; the sea's takes the next name.
    answer(QStringLiteral("山子"));
    EXPECT_EQ(panelMode(), 8);
    std::swap(game, other);
    ASSERT_EQ(state().ImageFileName, QStringLiteral("ジグソー画像1.png"));
    answer(QStringLiteral("海子"));
    EXPECT_EQ(panelMode(), 8);
    EXPECT_EQ(question(), QStringLiteral("この記録を保存しました。なお、使用した画像を起動時に"
                                         "表示できるように設定しました。\r"
                                         "この記録の順位を確認しますか？"));
    EXPECT_EQ(fileBytes(QStringLiteral("gazou/ジグソー画像1.png")), "mountain");
    EXPECT_EQ(fileBytes(QStringLiteral("gazou/ジグソー画像2.png")), "sea");
    const QStringList mountain = fileLines(kAddedRecordFile);
    const QStringList sea = fileLines(QStringLiteral("datasave/ジグソー画像2.png&16枚.txt"));
    ASSERT_EQ(mountain.size(), 2);
    ASSERT_EQ(sea.size(), 2);
    EXPECT_EQ(recordfile::playerNameOf(mountain[1]), QStringLiteral("山子"));
    EXPECT_EQ(recordfile::playerNameOf(sea[1]), QStringLiteral("海子"));
    EXPECT_TRUE(sea[1].contains(QStringLiteral("+ジグソー画像2.png%16\\60*")));

    // The ranking offered is that of the sea's own library name.
    const RecordsControls &records = showRanking()->ui();
    EXPECT_EQ(records.Label4->text(), QStringLiteral("ジグソー画像2.png"));
    EXPECT_EQ(records.Label6[0]->text(), QStringLiteral("海子"));
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
