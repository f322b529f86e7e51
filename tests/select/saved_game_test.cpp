#include "select/SelectTestSupport.h"

#include "support/ModalAnswer.h"
#include "records/SavedGameFile.h"
#include "select/SelectControls.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QStringEncoder>

using namespace jigsaw;

namespace {

// A saved game's lines as the board writes them: numbers with a space on each side, pieces
// as Left&Top.
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

QByteArray shiftJisFile(const QStringList &lines)
{
    QStringEncoder encoder("Shift_JIS");
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += QByteArray(encoder.encode(line)) + "\r\n";
    return bytes;
}

} // namespace

TEST(SavedGameFile, ReadsHeaderAndPiecesAndRefusesWhatItCannotReadToTheEnd)
{
    QStringList lines = savedLines(QStringLiteral(" /pics/山 と 海.jpg "), 16, 4);
    lines[15] = QStringLiteral("12.5&-3.5");
    lines.append(QStringLiteral("anything after the pieces"));
    const std::optional<SavedGame> game = savedgame::parse(lines);
    ASSERT_TRUE(game.has_value());
    EXPECT_EQ(game->values[savedgame::PicturePath], QStringLiteral(" /pics/山 と 海.jpg "));
    EXPECT_EQ(game->values[savedgame::TimeLimit], QStringLiteral("0"));
    EXPECT_EQ(game->values[savedgame::ElapsedSec], QStringLiteral("15"));
    EXPECT_EQ(game->values[savedgame::PieceCount], QStringLiteral("16"));
    EXPECT_EQ(game->values[savedgame::GridSide], QStringLiteral("4"));
    ASSERT_EQ(game->pieceCount(), 16);
    EXPECT_EQ(game->left[0], 1230);
    EXPECT_EQ(game->top[0], 450);
    EXPECT_EQ(game->left[4], 12); // halves go to the even neighbour
    EXPECT_EQ(game->top[4], -4);

    // A time limit typed by the player is kept as text.
    lines = savedLines(QStringLiteral("/p.jpg"), 16, 4);
    lines[1] = QStringLiteral("45");
    ASSERT_TRUE(savedgame::parse(lines).has_value());
    EXPECT_EQ(savedgame::parse(lines)->values[savedgame::TimeLimit], QStringLiteral("45"));

    const auto refused = [](QStringList broken) { return !savedgame::parse(broken).has_value(); };
    const QStringList good = savedLines(QStringLiteral("/p.jpg"), 16, 4);
    EXPECT_TRUE(refused(good.mid(0, 26)));         // one piece short
    EXPECT_TRUE(refused(good.mid(0, 10)));         // header short
    QStringList broken = good;
    broken[20] = QStringLiteral("1230 450");       // no "&"
    EXPECT_TRUE(refused(broken));
    broken = good;
    broken[20] = QStringLiteral("40000&1");        // beyond 16 bits
    EXPECT_TRUE(refused(broken));
    broken = good;
    broken[20] = QStringLiteral("1&2&3");
    EXPECT_TRUE(refused(broken));
    broken = good;
    broken[3] = QStringLiteral(" fifteen ");       // a number line that is not a number
    EXPECT_TRUE(refused(broken));
    broken = good;
    broken[2] = QStringLiteral(" 70000 ");         // the placement cue is a 16-bit value
    EXPECT_TRUE(refused(broken));
    EXPECT_TRUE(refused(savedLines(QStringLiteral("/p.jpg"), 101, 10)));
    EXPECT_TRUE(refused(savedLines(QStringLiteral("/p.jpg"), 0, 4)));
    EXPECT_TRUE(refused(savedLines(QStringLiteral("/p.jpg"), 16, 11)));
    EXPECT_TRUE(refused(savedLines(QStringLiteral("/p.jpg"), 16, 0)));
    EXPECT_TRUE(savedgame::parse(savedLines(QStringLiteral("/p.jpg"), 100, 10)).has_value());

    EXPECT_EQ(savedgame::namesFromEntries({QStringLiteral("abc.txt"), QStringLiteral("ABC.TXT"),
                                           QStringLiteral("ゲーム.txt"), QStringLiteral("x.txt~")}),
              QStringList({QStringLiteral("abc"), QStringLiteral("ゲーム")}));
}

class SavedGameListTest : public SelectFormTest
{
protected:
    void SetUp() override
    {
        pictureFolder = app.filePath(QStringLiteral("写真"));
        makePictures(pictureFolder, {QStringLiteral("富士山.jpg")});
        picturePath = pictureFolder + QStringLiteral("/富士山.jpg");
        app.writeFile(QStringLiteral("save/続き.txt"), shiftJisFile(savedLines(picturePath, 16, 4)));
    }

    // Opens the saved-game view and chooses a name from the list.
    void choose(const QString &name)
    {
        auto *combo = control<QComboBox>(QStringLiteral("Combo1"));
        const int index = combo->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void openSavedGameView() { control<QAction>(QStringLiteral("ゲームの続き"))->trigger(); }

    QString pictureFolder;
    QString picturePath;
};

TEST_F(SavedGameListTest, ChoosingASavedGameReadsItAndSelectsItsPicture)
{
    startGame();
    openSavedGameView();
    choose(QStringLiteral("続き"));

    EXPECT_EQ(state().SavedValues[1], picturePath);
    EXPECT_EQ(state().SavedValues[2], QStringLiteral("0"));
    EXPECT_EQ(state().SavedValues[4], QStringLiteral("15"));
    EXPECT_EQ(state().SavedValues[10], QStringLiteral("16"));
    EXPECT_EQ(state().SavedValues[11], QStringLiteral("4"));
    EXPECT_EQ(state().SavedLeft[0], 1230);
    EXPECT_EQ(state().SavedTop[0], 450);
    EXPECT_EQ(state().SavedLeft[15], 1245);
    EXPECT_EQ(state().SavedTop[15], 435);

    EXPECT_TRUE(form->image1(0)->hasPicture());
    EXPECT_EQ(form->image1(0)->toolTip(), QStringLiteral("富士山.jpg"));
    EXPECT_TRUE(form->shape1(0)->isVisible());
    EXPECT_EQ(state().PictureDir, pictureFolder);
    EXPECT_EQ(state().ImageFileName, QStringLiteral("富士山.jpg"));
    ASSERT_TRUE(state().SelectedThumb.has_value());
    EXPECT_EQ(*state().SelectedThumb, 0);
    EXPECT_TRUE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
    EXPECT_EQ(state().LaunchMode, 2);
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));
}

TEST_F(SavedGameListTest, SavedGameWhosePictureIsGoneSaysSoAndSelectsNothing)
{
    app.writeFile(QStringLiteral("save/消えた.txt"),
                  shiftJisFile(savedLines(pictureFolder + QStringLiteral("/ない.jpg"), 16, 4)));
    startGame();
    openSavedGameView();
    {
        ModalAnswer ok(QMessageBox::Ok);
        choose(QStringLiteral("消えた"));
        ASSERT_TRUE(ok.seen().answered);
        EXPECT_EQ(ok.seen().text, QStringLiteral("選択した画像ファイルが見つかりません。"));
        EXPECT_EQ(ok.seen().buttons, QMessageBox::Ok);
    }
    EXPECT_FALSE(form->image1(0)->hasPicture());
    EXPECT_TRUE(form->image1(0)->toolTip().isEmpty());
    EXPECT_FALSE(state().SelectedThumb.has_value());
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
}

TEST_F(SavedGameListTest, SavedGameCutShortIsIgnoredSilentlyAndChangesNothing)
{
    const QStringList full = savedLines(picturePath, 16, 4);
    app.writeFile(QStringLiteral("save/途中.txt"), shiftJisFile(full.mid(0, 20)));
    startGame();
    openSavedGameView();

    {
        ModalAnswer none(QMessageBox::Ok);
        choose(QStringLiteral("途中"));
        EXPECT_FALSE(none.seen().answered);
    }
    for (int i = 1; i <= 11; ++i)
        EXPECT_TRUE(state().SavedValues[static_cast<std::size_t>(i)].isEmpty()) << i;
    EXPECT_EQ(state().SavedLeft[0], 0);
    EXPECT_FALSE(state().SelectedThumb.has_value());
    EXPECT_FALSE(form->image1(0)->hasPicture());
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());

    // The file was closed: a good saved game opens next, and the short one can be replaced.
    choose(QStringLiteral("続き"));
    EXPECT_EQ(state().SavedValues[10], QStringLiteral("16"));
    EXPECT_TRUE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
    app.writeFile(QStringLiteral("save/途中.txt"), shiftJisFile(full));
    choose(QStringLiteral("途中"));
    EXPECT_EQ(state().SavedLeft[15], 1245);
}
