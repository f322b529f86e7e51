#include "records/RecordsTestSupport.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"
#include "platform/QtPrinting.h"
#include "platform/TextFile.h"
#include "select/SelectForm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace jigsaw;

namespace {

const QString kAskName = QStringLiteral("保存する名前を入力してください");
const QString kSaved = QStringLiteral("この画面を保存しました。\rジグソーパズルを終了しますか？");
const QString kOverwritten =
    QStringLiteral("この画面を上書き保存しました。\rジグソーパズルを終了しますか？");
const QString kNameExists =
    QStringLiteral("この名前はすでに存在します。\rこの名前で上書き保存しますか？");
const QString kUnusableName = QStringLiteral(
    "この名前では保存できません。\r「/」「\\」などの記号を使わない名前を入力してください。");
const QString kWriteFailed = QStringLiteral(
    "このゲームは保存できませんでした。\rディスクの空きや保存フォルダを確かめてください。");
const QString kNotStorable = QStringLiteral(
    "このゲームは保存できませんでした。\r画像のフォルダ名やファイル名に保存できない文字があります。");

} // namespace

class SaveTest : public RecordsBoardTest
{
protected:
    // A started 16-piece game with every piece on the board at a known place and the clock
    // values of a game three minutes in with a typed 45-minute limit. The clocks are held, so
    // that the file holds exactly these values.
    void startKnownGame(const QString &pictureName = QStringLiteral("pic.png"))
    {
        startSmallGame(pictureName);
        ui().Timer1->stop();
        ui().Timer2->stop();
        for (int i = 0; i < 16; ++i)
            placePiece(i, 5 + 20 * i, 7 + 3 * i);
        placePiece(3, 480.0 / 7.0, -2);
        GameState &s = state();
        s.GameTimeLimit = TimeLimit::fromTyped(QStringLiteral("45"), 45);
        s.PlacementSound = 1;
        s.ElapsedSec = 12;
        s.ElapsedMin = 3;
        s.RemainingTotalSec = 2508;
        s.TimeBarStep = 0.75f;
        s.RemainingSec = 48;
        s.RemainingMin = 41;
    }

    // The file startKnownGame's game makes, written out by hand.
    QByteArray knownGameFile()
    {
        QByteArray bytes = state().ImageFilePath.toUtf8() + "\r\n";
        bytes += "45\r\n 1 \r\n 12 \r\n 3 \r\n 2508 \r\n .75 \r\n 48 \r\n 41 \r\n 16 \r\n 4 \r\n";
        bytes += "5&7\r\n25&10\r\n45&13\r\n68.57143&-2\r\n85&19\r\n105&22\r\n125&25\r\n145&28\r\n"
                 "165&31\r\n185&34\r\n205&37\r\n225&40\r\n245&43\r\n265&46\r\n285&49\r\n"
                 "305&52\r\n";
        return bytes;
    }

    QStringList offeredNames() const
    {
        QStringList names;
        for (int i = 0; i < ui().Combo1->count(); ++i)
            names.append(ui().Combo1->itemText(i));
        names.sort();
        return names;
    }

    bool nothingOutsideSaveFolder() const
    {
        const QStringList top = QDir(app.path()).entryList(QDir::Files);
        for (const QString &name : top) {
            if (name.endsWith(QStringLiteral(".txt")))
                return false;
        }
        return true;
    }
};

TEST_F(SaveTest, SaveQuestionOffersTheSavedNamesAndWritesTheGameUnderANewName)
{
    app.writeFile(QStringLiteral("save/first.txt"), "x");
    app.writeFile(QStringLiteral("save/二番目.txt"), "x");
    app.writeFile(QStringLiteral("save/ABC.TXT"), "x");
    app.writeFile(QStringLiteral("save/notes.md"), "x");
    startKnownGame();
    ASSERT_TRUE(ui().mnuSave->isEnabled());
    ui().mnuSave->trigger();

    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(panelText(), kAskName);
    EXPECT_EQ(offeredNames(), QStringList({QStringLiteral("first"), QStringLiteral("二番目")}));
    EXPECT_TRUE(ui().Combo1->currentText().isEmpty());
    EXPECT_FALSE(ui().Combo1->isHidden());
    EXPECT_FLOAT_EQ(geom::width(ui().Combo1), static_cast<float>(geom::twips(2200)));
    EXPECT_TRUE(ui().Combo1->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(ui().Label7->isHidden());
    EXPECT_FALSE(ui().Command3->isHidden());
    EXPECT_TRUE(ui().Timer3->isActive());

    // Picking a name asks about it; OK with an empty box does nothing.
    pick(QStringLiteral("二番目"));
    EXPECT_EQ(panelText(), QStringLiteral("二番目 の名前で今の状態を保存しますか？"));
    answer(QString());
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(panelText(), QStringLiteral("二番目 の名前で今の状態を保存しますか？"));

    // ABC.TXT was never offered, so ABC is a new name: saved at once, then the quit question.
    answer(QStringLiteral("ABC"));
    EXPECT_EQ(fileBytes(QStringLiteral("save/ABC.txt")), knownGameFile());
    EXPECT_EQ(fileLines(QStringLiteral("save/ABC.txt")).size(), 27);
    EXPECT_EQ(fileBytes(QStringLiteral("save/ABC.TXT")), QByteArray("x"));
    EXPECT_EQ(panelMode(), 1);
    EXPECT_EQ(panelText(), kSaved);
    EXPECT_TRUE(ui().Combo1->isHidden());
    EXPECT_FALSE(ui().Command3->isHidden());

    // NO goes back to the game, which never stopped.
    ui().Timer1->start();
    pressNo();
    EXPECT_TRUE(ui().Timer1->isActive());
    EXPECT_TRUE(ui().mnuSave->isEnabled());
    EXPECT_FALSE(game->hasEnded());
}

TEST_F(SaveTest, ExistingNameIsOverwrittenOnlyAfterAsking)
{
    app.writeFile(QStringLiteral("save/続き.txt"), "old");
    startKnownGame();
    ui().mnuSave->trigger();

    answer(QStringLiteral("続き"));
    EXPECT_EQ(panelMode(), 5);
    EXPECT_EQ(panelText(), kNameExists);
    EXPECT_EQ(fileBytes(QStringLiteral("save/続き.txt")), QByteArray("old"));

    // NO asks for a name again with an empty box.
    pressNo();
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(panelText(), QStringLiteral("プレーヤー名を入力してください。"));
    EXPECT_TRUE(ui().Combo1->currentText().isEmpty());

    answer(QStringLiteral("続き"));
    ASSERT_EQ(panelMode(), 5);
    pressOk();
    EXPECT_EQ(fileBytes(QStringLiteral("save/続き.txt")), knownGameFile());
    EXPECT_EQ(panelMode(), 1);
    EXPECT_EQ(panelText(), kOverwritten);

    // A name changed into one that leaves the folder while the overwrite question is open is
    // refused too.
    ui().mnuSave->trigger();
    answer(QStringLiteral("続き"));
    ASSERT_EQ(panelMode(), 5);
    answer(QStringLiteral("../続き"));
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(panelText(), kUnusableName);
    EXPECT_TRUE(nothingOutsideSaveFolder());
}

TEST_F(SaveTest, RefusedNamesAndFailedWritesKeepThePanelAskingAndTheGameRunning)
{
    startKnownGame();
    ui().Timer1->start();
    ui().mnuSave->trigger();

    for (const QString &name : {QStringLiteral("../x"), QStringLiteral(".."),
                                QStringLiteral("a\\b"), QStringLiteral("/tmp/x")}) {
        const int clicksBefore = clicks();
        answer(name);
        EXPECT_EQ(panelMode(), 4) << name.toStdString();
        EXPECT_EQ(panelText(), kUnusableName) << name.toStdString();
        EXPECT_EQ(clicks(), clicksBefore + 1);
        EXPECT_FALSE(ui().Combo1->isHidden());
    }
    EXPECT_TRUE(nothingOutsideSaveFolder());
    EXPECT_TRUE(QDir(app.filePath(QStringLiteral("save"))).isEmpty());

    // A file that cannot be written says so; the old one stays.
    QDir().mkpath(app.filePath(QStringLiteral("save/塞がれた.txt")));
    answer(QStringLiteral("塞がれた"));
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(panelText(), kWriteFailed);
    EXPECT_TRUE(QFileInfo(app.filePath(QStringLiteral("save/塞がれた.txt"))).isDir());

    // A missing save folder is made.
    ASSERT_TRUE(QDir(app.filePath(QStringLiteral("save"))).removeRecursively());
    answer(QStringLiteral("新しい"));
    EXPECT_EQ(panelMode(), 1);
    EXPECT_EQ(fileBytes(QStringLiteral("save/新しい.txt")), knownGameFile());
    EXPECT_TRUE(ui().Timer1->isActive());
}

TEST_F(SaveTest, PictureWhosePathShiftJisCannotHoldIsNotSavedAndSaysWhy)
{
    startKnownGame(QStringLiteral("café🍰.png"));
    ui().mnuSave->trigger();
    answer(QStringLiteral("ケーキ"));
    EXPECT_EQ(panelMode(), 4);
    EXPECT_EQ(panelText(), kNotStorable);
    EXPECT_FALSE(QFile::exists(app.filePath(QStringLiteral("save/ケーキ.txt"))));
}

// A game saved on the board and resumed through the selection form's saved-game list and GO.
class ResumeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(app.filePath(QStringLiteral("gazou.wav")));
        QDir().mkpath(app.filePath(QStringLiteral("gazou")));
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(QColor(90, 160, 220));
        ASSERT_TRUE(picture.save(app.filePath(QStringLiteral("gazou/港.jpg")), "JPG"));
        game = std::make_unique<Game>(app.path(), music.path());
        game->start();
        form = game->frmSelect();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
    }

    template <typename T>
    T *selectControl(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    BoardForm *board() const { return game->boardIfLoaded(); }
    const BoardControls &ui() const { return board()->ui(); }

    // GO on the selection form, and the board it opens.
    BoardForm *go()
    {
        selectControl<QPushButton>(QStringLiteral("Command1"))->click();
        return board();
    }

    // Closes the board as the player does and comes back to the selection form.
    void closeBoard()
    {
        board()->close();
        ASSERT_TRUE(QTest::qWaitFor([this] { return board() == nullptr; }));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
    }

    TempAppDir app{TempAppDir::Contents{.library = false, .waves = true, .saveDir = true,
                                        .recordDir = true}};
    QTemporaryDir music;
    std::unique_ptr<Game> game;
    SelectForm *form = nullptr;
};

TEST_F(ResumeTest, SavedGameComesBackThroughTheSavedGameListAndGo)
{
    // A new 16-piece game on a library picture, played a while.
    form->Image1_Click(0);
    ASSERT_NE(go(), nullptr);
    GameState &s = game->state();
    s.PieceCount = 16; // as the menu ピース数16枚 sets it
    s.GridSide = 4;
    s.GameTimeLimit = TimeLimit::fromTyped(QStringLiteral("30"), 30);
    ui().mnuStart->trigger();
    ui().Timer1->stop();
    ui().Timer2->stop();
    s.PlacementSound = 1;
    s.ElapsedSec = 41;
    s.ElapsedMin = 7;
    s.RemainingMin = 22;
    s.RemainingSec = 19;
    s.RemainingTotalSec = 22 * 60 + 19;
    const float step = s.TimeBarStep;
    ASSERT_GT(step, 0.0f);
    std::array<QPoint, 16> places{};
    for (int i = 0; i < 16; ++i) {
        places[static_cast<std::size_t>(i)] = QPoint(11 + 17 * i, 250 - 13 * i);
        geom::move(ui().Picture1[static_cast<std::size_t>(i)], 11 + 17 * i, 250 - 13 * i);
    }

    ui().mnuSave->trigger();
    ui().Combo1->setEditText(QStringLiteral("港の続き"));
    ui().Command1->click();
    ASSERT_EQ(s.PanelMode, 1);
    const QStringList savedOnce =
        text::readLines(app.filePath(QStringLiteral("save/港の続き.txt"))).lines;
    ASSERT_EQ(savedOnce.size(), 27);
    // There were no saved games at start-up; this one can be resumed without a restart.
    EXPECT_TRUE(selectControl<QAction>(QStringLiteral("ゲームの続き"))->isEnabled());
    closeBoard();

    // The saved-game list offers it; choosing it and GO bring the game back.
    selectControl<QAction>(QStringLiteral("ゲームの続き"))->trigger();
    auto *list = selectControl<QComboBox>(QStringLiteral("Combo1"));
    const int index = list->findText(QStringLiteral("港の続き"));
    ASSERT_GE(index, 0);
    list->setCurrentIndex(index);
    emit list->activated(index);
    s.PlacementSound = 0;
    s.ElapsedSec = 0;
    s.ElapsedMin = 0;
    ASSERT_NE(go(), nullptr);
    EXPECT_EQ(s.LaunchMode, 2);
    ui().mnuStart->trigger();
    ui().Timer1->stop();
    ui().Timer2->stop();

    for (int i = 0; i < 16; ++i) {
        const PictureBox *piece = ui().Picture1[static_cast<std::size_t>(i)];
        EXPECT_EQ(geom::left(piece), places[static_cast<std::size_t>(i)].x()) << i;
        EXPECT_EQ(geom::top(piece), places[static_cast<std::size_t>(i)].y()) << i;
        EXPECT_FALSE(piece->isHidden()) << i;
    }
    EXPECT_TRUE(ui().Picture7->isHidden());
    EXPECT_EQ(s.PieceCount, 16);
    EXPECT_EQ(s.GridSide, 4);
    EXPECT_EQ(s.ElapsedSec, 41);
    EXPECT_EQ(s.ElapsedMin, 7);
    EXPECT_EQ(s.GameTimeLimit.minutes(), 30);
    EXPECT_EQ(s.RemainingTotalSec, 22 * 60 + 19);
    EXPECT_EQ(s.RemainingMin, 22);
    EXPECT_EQ(s.RemainingSec, 19);
    EXPECT_EQ(s.TimeBarStep, step);
    EXPECT_FLOAT_EQ(geom::width(ui().Label4),
                    static_cast<float>(static_cast<double>(step) * (22 * 60 + 19)));
    EXPECT_FALSE(ui().Frame1->isHidden());
    EXPECT_EQ(s.PlacementSound, 1);
    EXPECT_TRUE(ui().mnuPlacementSound->isChecked());
    EXPECT_EQ(ui().StatusBar1->panelText(3), QStringLiteral("配置音＝ＯＮ"));

    // Saving the resumed game offers the name it came from, which then already exists; the
    // file is the same but for the limit, now a number.
    ui().mnuSave->trigger();
    EXPECT_EQ(ui().Combo1->currentText(), QStringLiteral("港の続き"));
    ui().Command1->click();
    EXPECT_EQ(s.PanelMode, 5);
    ui().Command1->click();
    EXPECT_EQ(s.PanelMode, 1);
    QStringList expected = savedOnce;
    expected[1] = QStringLiteral(" 30 ");
    EXPECT_EQ(text::readLines(app.filePath(QStringLiteral("save/港の続き.txt"))).lines, expected);
}
