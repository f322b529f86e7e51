#include "select/SelectTestSupport.h"

#include "support/ModalAnswer.h"
#include "platform/Drives.h"
#include "select/DriveList.h"
#include "select/FolderList.h"
#include "select/SelectControls.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace jigsaw;

namespace {

int filledThumbnails(const SelectForm *form)
{
    int filled = 0;
    for (int i = 0; i < 6; ++i) {
        if (!form->image1(i)->toolTip().isEmpty())
            ++filled;
    }
    return filled;
}

} // namespace

TEST_F(SelectFormTest, SixPicturesFillOnePageAndASeventhAddsAPageWithOnePicture)
{
    makeLibrary(6);
    startGame();
    auto *next = control<QPushButton>(QStringLiteral("Command2"));
    auto *previous = control<QPushButton>(QStringLiteral("Command3"));
    EXPECT_EQ(state().PageCount, 1);
    EXPECT_EQ(filledThumbnails(form), 6);
    EXPECT_FALSE(next->isVisible());
    EXPECT_FALSE(previous->isVisible());
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("6"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("6"));

    makePictures(app.filePath(QStringLiteral("gazou")), {QStringLiteral("p07.jpg")});
    startGame();
    next = control<QPushButton>(QStringLiteral("Command2"));
    previous = control<QPushButton>(QStringLiteral("Command3"));
    EXPECT_EQ(state().PageCount, 2);
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(previous->isVisible());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(filledThumbnails(form), 1);
    EXPECT_TRUE(form->image1(0)->hasPicture());
    EXPECT_FALSE(form->image1(1)->hasPicture());
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label3"))->text(), QStringLiteral("7"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("7"));
    EXPECT_FALSE(next->isVisible());
    EXPECT_TRUE(previous->isVisible());
}

TEST_F(SelectFormTest, ThirteenPicturesPageForwardAndBack)
{
    makeLibrary(13);
    startGame();
    auto *next = control<QPushButton>(QStringLiteral("Command2"));
    auto *previous = control<QPushButton>(QStringLiteral("Command3"));
    auto *shown = control<QLabel>(QStringLiteral("Label3"));
    EXPECT_EQ(state().PageCount, 3);
    EXPECT_EQ(shown->text(), QStringLiteral("6"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label4"))->text(), QStringLiteral("/"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label5"))->text(), QStringLiteral("13"));

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(shown->text(), QStringLiteral("12"));
    EXPECT_TRUE(next->isVisible());
    EXPECT_TRUE(previous->isVisible());

    QTest::mouseClick(next, Qt::LeftButton);
    EXPECT_EQ(shown->text(), QStringLiteral("13"));
    EXPECT_EQ(filledThumbnails(form), 1);
    EXPECT_FALSE(next->isVisible());
    EXPECT_TRUE(previous->isVisible());

    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(shown->text(), QStringLiteral("12"));
    EXPECT_TRUE(next->isVisible());
    EXPECT_TRUE(previous->isVisible());

    QTest::mouseClick(previous, Qt::LeftButton);
    EXPECT_EQ(shown->text(), QStringLiteral("6"));
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(previous->isVisible());
    EXPECT_EQ(state().PageIndex, 0);
}

TEST_F(SelectFormTest, ThumbnailClickSelectsAndAPageChangeOrEmptySlotClearsTheSelection)
{
    makeLibrary(7);
    startGame();
    auto *go = control<QPushButton>(QStringLiteral("Command1"));

    QTest::mouseClick(form->image1(3), Qt::LeftButton);
    ASSERT_TRUE(state().SelectedThumb.has_value());
    EXPECT_EQ(*state().SelectedThumb, 3);
    EXPECT_EQ(state().ImageFileName, form->image1(3)->toolTip());
    EXPECT_TRUE(form->shape1(3)->isVisible());
    for (int i : {0, 1, 2, 4, 5})
        EXPECT_FALSE(form->shape1(i)->isVisible()) << i;
    EXPECT_TRUE(go->isEnabled());
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));

    // Another thumbnail moves the marker.
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    EXPECT_TRUE(form->shape1(0)->isVisible());
    EXPECT_FALSE(form->shape1(3)->isVisible());

    // The last page has an empty slot 1: clicking it leaves nothing selected.
    QTest::mouseClick(control<QPushButton>(QStringLiteral("Command2")), Qt::LeftButton);
    EXPECT_FALSE(go->isEnabled());
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    EXPECT_TRUE(go->isEnabled());
    QTest::mouseClick(form->image1(1), Qt::LeftButton);
    EXPECT_FALSE(state().SelectedThumb.has_value());
    EXPECT_FALSE(go->isEnabled());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(form->shape1(i)->isVisible()) << i;
}

TEST_F(SelectFormTest, LibraryPictureWithRecordNameLooksUpItsRecords)
{
    makePictures(app.filePath(QStringLiteral("gazou")),
                 {QStringLiteral("ジグソー画像3.jpg"), QStringLiteral("海.jpg")});
    startGame();
    const int records = form->image1(0)->toolTip() == QStringLiteral("ジグソー画像3.jpg") ? 0 : 1;
    const int plain = 1 - records;

    // The look-up finds no records: it hides the records button and shows the GO hint.
    form->command6()->show();
    QTest::mouseClick(form->image1(records), Qt::LeftButton);
    EXPECT_FALSE(form->command6()->isVisible());
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));
    EXPECT_EQ(state().ImageFileName, QStringLiteral("ジグソー画像3.jpg"));

    // Any other picture leaves the records button alone.
    form->command6()->show();
    QTest::mouseClick(form->image1(plain), Qt::LeftButton);
    EXPECT_TRUE(form->command6()->isVisible());
    EXPECT_EQ(state().ImageFileName, QStringLiteral("海.jpg"));
}

TEST_F(SelectFormTest, UndecodablePictureKeepsAnEmptyButSelectableSlot)
{
    makePictures(app.filePath(QStringLiteral("gazou")), {QStringLiteral("good.jpg")});
    app.writeFile(QStringLiteral("gazou/broken.jpg"), "not a picture at all");
    startGame();
    EXPECT_EQ(state().PictureCount, 2);
    const int broken = form->image1(0)->toolTip() == QStringLiteral("broken.jpg") ? 0 : 1;
    EXPECT_FALSE(form->image1(broken)->hasPicture());
    EXPECT_TRUE(form->image1(1 - broken)->hasPicture());

    QTest::mouseClick(form->image1(broken), Qt::LeftButton);
    EXPECT_EQ(state().ImageFileName, QStringLiteral("broken.jpg"));
    EXPECT_TRUE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());
}

TEST_F(SelectFormTest, FolderListsOnlyJpegFilesAndShowsThemOnRequest)
{
    const QString folder = app.filePath(QStringLiteral("mixed"));
    makePictures(folder, {QStringLiteral("a.JPG"), QStringLiteral("b.jpeg")});
    QFile::copy(folder + QStringLiteral("/a.JPG"), folder + QStringLiteral("/c.png"));
    QFile::copy(folder + QStringLiteral("/a.JPG"), folder + QStringLiteral("/d.jpg.bak"));
    QDir(folder).mkdir(QStringLiteral("sub.jpg"));
    startGame();
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    ASSERT_TRUE(control<FolderList>(QStringLiteral("Dir1"))->setPath(folder));

    EXPECT_EQ(state().PictureCount, 2);
    QStringList names{state().PictureNames[1], state().PictureNames[2]};
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("a.JPG"), QStringLiteral("b.jpeg")}));
    EXPECT_TRUE(state().PictureNames[3].isEmpty());
    EXPECT_EQ(state().BrowseDir, folder + QLatin1Char('/'));
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label7"))->text(), folder);
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("2"));
    EXPECT_EQ(game->selectFields().FolderHasPictures, 1);
    EXPECT_FALSE(control<QLabel>(QStringLiteral("Label3"))->isVisible());
    EXPECT_EQ(filledThumbnails(form), 0);
    EXPECT_TRUE(control<QPushButton>(QStringLiteral("Command4"))->isEnabled());
    EXPECT_EQ(form->statusText(), QStringLiteral("画像が表示されていません"));

    QTest::mouseClick(control<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    EXPECT_EQ(filledThumbnails(form), 2);
    EXPECT_EQ(state().PictureDir, folder);
    EXPECT_EQ(form->statusText(), QStringLiteral("画像をクリックして選択してください"));
    EXPECT_FALSE(control<QPushButton>(QStringLiteral("Command2"))->isVisible());
}

TEST_F(SelectFormTest, MoreThanTwoHundredPicturesListTheFirstTwoHundred)
{
    const QString folder = app.filePath(QStringLiteral("many"));
    makePictures(folder, {QStringLiteral("seed.jpg")});
    for (int i = 0; i < 204; ++i)
        QFile::copy(folder + QStringLiteral("/seed.jpg"), folder + QStringLiteral("/m%1.jpg").arg(i));
    startGame();
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    ASSERT_TRUE(control<FolderList>(QStringLiteral("Dir1"))->setPath(folder));
    EXPECT_EQ(state().PictureCount, 200);
    EXPECT_EQ(state().PageCount, 34);
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("200"));
}

TEST_F(SelectFormTest, GoingUpReachesTheDriveRootWhereUpIsDisabled)
{
    const QString top = app.filePath(QStringLiteral("a"));
    const QString nested = top + QStringLiteral("/b");
    QDir().mkpath(nested);
    makePictures(top, {QStringLiteral("above.jpg")});
    startGame();
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    auto *dir1 = control<FolderList>(QStringLiteral("Dir1"));
    auto *up = control<QPushButton>(QStringLiteral("Command4"));
    auto *shown = control<QLabel>(QStringLiteral("Label7"));
    const QString root = state().DriveRoot;
    EXPECT_EQ(root, drives::driveOf(app.path(), drives::listDrives()));
    EXPECT_EQ(dir1->path(), root);
    EXPECT_FALSE(up->isEnabled());

    ASSERT_TRUE(dir1->setPath(nested));
    EXPECT_EQ(shown->text(), nested);
    EXPECT_EQ(state().PictureCount, 0);
    EXPECT_TRUE(up->isEnabled());

    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(shown->text(), top);
    EXPECT_EQ(dir1->path(), top);
    EXPECT_EQ(state().BrowseDir, top + QLatin1Char('/'));
    EXPECT_EQ(state().PictureCount, 1);
    EXPECT_TRUE(up->isEnabled());

    // Up and up again until the drive's root, where the button gives out.
    for (int step = 0; step < 64 && up->isEnabled(); ++step)
        QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_FALSE(up->isEnabled());
    EXPECT_EQ(shown->text(), root);
    EXPECT_EQ(dir1->path(), root);
    EXPECT_EQ(state().BrowseDir, root);
}

TEST_F(SelectFormTest, DriveThatIsNotReadyKeepsBrowsingWhereItWas)
{
    const QString folder = app.filePath(QStringLiteral("pics"));
    makePictures(folder, {QStringLiteral("a.jpg")});
    startGame();
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    auto *dir1 = control<FolderList>(QStringLiteral("Dir1"));
    ASSERT_TRUE(dir1->setPath(folder));
    const QString root = state().DriveRoot;

    auto *drive1 = control<DriveList>(QStringLiteral("Drive1"));
    QList<drives::Drive> list = drives::listDrives();
    list.append({QStringLiteral("/no-such-volume-here/"), QStringLiteral("/no-such-volume-here")});
    drive1->setDrives(list);
    const int gone = drive1->count() - 1;
    {
        ModalAnswer ok(QMessageBox::Ok);
        drive1->setCurrentIndex(gone);
        emit drive1->activated(gone);
        ASSERT_TRUE(ok.seen().answered);
        EXPECT_EQ(ok.seen().text, QStringLiteral("ディスクが準備されていません。"));
        EXPECT_EQ(ok.seen().buttons, QMessageBox::Ok);
    }
    EXPECT_EQ(drive1->currentRoot(), root);
    EXPECT_EQ(state().DriveRoot, root);
    EXPECT_EQ(dir1->path(), folder);
    EXPECT_EQ(control<QLabel>(QStringLiteral("Label7"))->text(), folder);
    EXPECT_EQ(state().PictureCount, 1);
}
