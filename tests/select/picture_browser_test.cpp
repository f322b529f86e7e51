#include "select/SelectTestSupport.h"

#include "platform/Drives.h"
#include "platform/PictureLoader.h"
#include "records/RecordsForm.h"
#include "select/DriveList.h"
#include "select/FolderList.h"
#include "sound/Sound.h"
#include "sound/SoundCues.h"
#include "support/ModalAnswer.h"
#include "support/Wait.h"

#include <QAccessible>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace jigsaw;

TEST_F(SelectFormTest, PagesOfSixShowTheirButtonsAndCountersAndAThumbnailClickSelects)
{
    const auto expectPage = [this](int shown, int total, int filled, bool next, bool previous) {
        EXPECT_EQ(labelText(QStringLiteral("Label3")), QString::number(shown));
        EXPECT_EQ(labelText(QStringLiteral("Label5")), QString::number(total));
        EXPECT_EQ(filledThumbnails(), filled) << shown;
        EXPECT_EQ(control<QPushButton>(QStringLiteral("Command2"))->isVisible(), next) << shown;
        EXPECT_EQ(control<QPushButton>(QStringLiteral("Command3"))->isVisible(), previous);
    };
    const auto click = [this](const char *button) {
        QTest::mouseClick(control<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
    };
    makeLibrary(6);
    startGame();
    expectPage(6, 6, 6, false, false);
    // Its thumbnails all made, so that none of its decodes is counted below.
    ASSERT_SOON(shownThumbnails() == 6);

    // A seventh picture adds a page of one; the program folder's trailing "/" is dropped.
    // Start-up decodes the first page once: its first activation does not show it again.
    makeLibrary(7);
    const int decodesBefore = picture::decodeCount();
    startGame(app.path() + QLatin1Char('/'));
    ASSERT_SOON(shownThumbnails() == 6);
    EXPECT_EQ(picture::decodeCount() - decodesBefore, 6);
    EXPECT_EQ(state().BrowseDir, app.path() + QStringLiteral("/gazou/"));
    expectPage(6, 7, 6, true, false);
    auto *go = control<QPushButton>(QStringLiteral("Command1"));
    EXPECT_FALSE(go->isEnabled());
    // A double-click is one click: one cue.
    const int clicks = game->sound().cues().playedCount(SoundCues::Cue::Click);
    QTest::mouseClick(form->image1(3), Qt::LeftButton);
    QTest::mouseDClick(form->image1(3), Qt::LeftButton);
    QTest::mouseRelease(form->image1(3), Qt::LeftButton);
    EXPECT_EQ(game->sound().cues().playedCount(SoundCues::Cue::Click), clicks + 1);
    EXPECT_EQ(state().ImageFileName, form->image1(3)->toolTip());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(form->shape1(i)->isVisible(), i == 3) << i;
    EXPECT_TRUE(go->isEnabled());
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));

    // Paging drops the selection; the empty slot of the last page selects nothing.
    click("Command2");
    expectPage(7, 7, 1, false, true);
    EXPECT_FALSE(go->isEnabled());
    QTest::mouseClick(form->image1(0), Qt::LeftButton);
    EXPECT_TRUE(go->isEnabled());
    QTest::mouseClick(form->image1(1), Qt::LeftButton);
    EXPECT_FALSE(state().SelectedThumb.has_value());
    EXPECT_FALSE(go->isEnabled());
    EXPECT_FALSE(form->shape1(0)->isVisible());

    makeLibrary(13);
    startGame();
    expectPage(6, 13, 6, true, false);
    click("Command2");
    expectPage(12, 13, 6, true, true);
    click("Command2");
    expectPage(13, 13, 1, false, true);
    click("Command3");
    expectPage(12, 13, 6, true, true);
    click("Command3");
    expectPage(6, 13, 6, true, false);
}

TEST_F(SelectFormTest, ThumbnailsFillInFromTheWorkersAndTheNextStartUpDecodesNoneOfThemAgain)
{
    const QString library = folder(QStringLiteral("gazou"));
    makePictures(library, {QStringLiteral("p01.jpg"), QStringLiteral("p02.jpg"),
                           QStringLiteral("p03.jpg"), QStringLiteral("p04.jpg"),
                           QStringLiteral("p05.jpg")});
    // A large progressive photo, and a picture whose header claims more than JPEG allows.
    QImage photo(1600, 1200, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(255 * x / photo.width(), 255 * y / photo.height(), 80));
    }
    QImageWriter writer(library + QStringLiteral("/p06.jpg"), "jpeg");
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(photo));
    putBytes(library + QStringLiteral("/p07.jpg"),
             withClaimedSize(fileBytes(library + QStringLiteral("/p01.jpg")), 65535, 65535));
    const auto kept = [this] {
        return QDir(music.filePath(QStringLiteral("thumbnails")))
            .entryList(QDir::Files)
            .size();
    };

    int decodes = picture::decodeCount();
    startGame();
    ASSERT_SOON(shownThumbnails() == 6);
    EXPECT_EQ(picture::decodeCount() - decodes, 6);
    // What a slot shows is its picture stretched to it.
    const QImage expected = photo.scaled(form->image1(5)->size(), Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
    const QImage shown = form->image1(5)->picture();
    ASSERT_EQ(shown.size(), expected.size());
    for (const QPoint at : {QPoint(10, 10), QPoint(84, 60), QPoint(160, 110)})
        EXPECT_TRUE(qAbs(qRed(shown.pixel(at)) - qRed(expected.pixel(at))) <= 8
                    && qAbs(qGreen(shown.pixel(at)) - qGreen(expected.pixel(at))) <= 8)
            << at.x() << "," << at.y();
    QList<QImage> first;
    for (int i = 0; i < 6; ++i)
        first.append(form->image1(i)->picture());

    // The refused picture's slot stays empty; every picture, that one too, is kept.
    QTest::mouseClick(control<QPushButton>(QStringLiteral("Command2")), Qt::LeftButton);
    EXPECT_EQ(form->image1(0)->toolTip(), QStringLiteral("p07.jpg"));
    ASSERT_SOON(kept() == 7);
    EXPECT_FALSE(form->image1(0)->hasPicture());

    // The library shown again, as after a return from the board: the page is there at once.
    decodes = picture::decodeCount();
    control<QAction>(QStringLiteral("サンプルを表示"))->trigger();
    EXPECT_EQ(shownThumbnails(), 6);

    // The next start-up shows every thumbnail at once, as the first one made it.
    startGame();
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(form->image1(i)->picture() == first[i]) << i;
    EXPECT_EQ(picture::decodeCount(), decodes);

    // Entries cut short (a full disk, a game stopped while writing) are made anew, never shown.
    const QDir entries(music.filePath(QStringLiteral("thumbnails")));
    for (const QFileInfo &entry : entries.entryInfoList(QDir::Files)) {
        if (entry.size() > 0)
            putBytes(entry.filePath(), fileBytes(entry.filePath()).first(entry.size() / 2));
    }
    startGame();
    ASSERT_SOON(shownThumbnails() == 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(form->image1(i)->picture() == first[i]) << i;
    EXPECT_EQ(picture::decodeCount(), decodes + 6);
    decodes = picture::decodeCount();

    // A picture changed since is made anew.
    QImage red(48, 36, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(library + QStringLiteral("/p01.jpg"), "JPG"));
    startGame();
    ASSERT_SOON(qRed(form->image1(0)->picture().pixel(84, 60)) > 200);
    EXPECT_EQ(picture::decodeCount(), decodes + 1);
}

TEST_F(SelectFormTest, TheKeyboardChoosesAThumbnailOnTheSecondPageAndLaunches)
{
    makeLibrary(13);
    QImage playable(400, 300, QImage::Format_RGB32); // wide enough for a game
    playable.fill(Qt::darkGreen);
    ASSERT_TRUE(playable.save(folder(QStringLiteral("gazou/p09.jpg")), "JPG"));
    startGame();
    // The page has the focus from the start, without a frame until the keys are used; Page
    // Down turns it.
    const auto framed = [](QWidget *thumbnail) {
        const QImage shown = thumbnail->grab().toImage();
        const QRgb edge = shown.pixel(1, shown.height() / 2);
        return edge == qRgb(255, 255, 255) || edge == qRgb(0, 0, 160);
    };
    ASSERT_EQ(QApplication::focusWidget(), form->image1(0));
    EXPECT_FALSE(framed(form->image1(0)));
    player::pressKey(Qt::Key_PageDown);
    EXPECT_TRUE(framed(form->image1(0)));
    EXPECT_EQ(labelText(QStringLiteral("Label3")), QStringLiteral("12"));
    ASSERT_EQ(QApplication::focusWidget(), form->image1(0));
    // Down to the third picture, Enter chooses it, Shift+Tab leaves the page for GO.
    player::pressKey(Qt::Key_Right);
    player::pressKey(Qt::Key_Down);
    player::pressKey(Qt::Key_Left);
    ASSERT_EQ(QApplication::focusWidget(), form->image1(2));
    player::pressKey(Qt::Key_Return);
    EXPECT_EQ(state().ImageFileName, QStringLiteral("p09.jpg"));
    EXPECT_TRUE(form->shape1(2)->isVisible());
    player::pressKey(Qt::Key_Backtab);
    auto *go = control<QPushButton>(QStringLiteral("Command1"));
    ASSERT_EQ(QApplication::focusWidget(), go);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(go)->text(QAccessible::Name),
              QStringLiteral("GO"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form->image1(2))->text(QAccessible::Name),
              QStringLiteral("p09.jpg"));
    player::pressKey(Qt::Key_Return);
    ASSERT_NE(game->boardIfLoaded(), nullptr);
    EXPECT_EQ(state().ImageFilePath, folder(QStringLiteral("gazou/p09.jpg")));
}

TEST_F(SelectFormTest, LibraryPictureWithRecordsOffersItsRankingAndGoingBackUnmarksIt)
{
    const QString recorded = QStringLiteral("ジグソー画像3.jpg");
    makePictures(folder(QStringLiteral("gazou")),
                 {recorded, QStringLiteral("ジグソー画像4.jpg"), QStringLiteral("海.jpg")});
    app.writeFile(QStringLiteral("datasave/ジグソー画像3.jpg&16枚.txt"), QByteArrayLiteral(" 0 \r\n"));
    startGame();
    const auto thumbnail = [this](const QString &name) {
        for (int i = 0; i < 3; ++i) {
            if (form->image1(i)->toolTip() == name)
                return form->image1(i);
        }
        ADD_FAILURE() << name.toStdString();
        return form->image1(0);
    };
    const QString recordsHint = QStringLiteral("過去の記録ボタンをクリックすると、順位表が表示されます。");

    QTest::mouseClick(thumbnail(recorded), Qt::LeftButton);
    EXPECT_TRUE(form->command6()->isVisible());
    EXPECT_EQ(form->statusText(), recordsHint);
    // A picture not named as the game names its own leaves the records button alone.
    QTest::mouseClick(thumbnail(QStringLiteral("海.jpg")), Qt::LeftButton);
    EXPECT_TRUE(form->command6()->isVisible());
    // One without records hides it and shows the GO hint.
    QTest::mouseClick(thumbnail(QStringLiteral("ジグソー画像4.jpg")), Qt::LeftButton);
    EXPECT_FALSE(form->command6()->isVisible());
    EXPECT_EQ(form->statusText(), QStringLiteral("よろしければＧＯボタンをクリックしてください"));

    // The records button opens the records of the picture, with its thumbnail.
    QTest::mouseClick(thumbnail(recorded), Qt::LeftButton);
    player::click(form->command6());
    const QPointer<RecordsForm> ranking = game->frmRecords();
    ASSERT_SOON(ranking->isVisible());
    EXPECT_EQ(ranking->ui().Label4->text(), recorded);
    EXPECT_EQ(ranking->ui().Combo1->currentText(), QStringLiteral("16"));
    EXPECT_EQ(ranking->ui().Image1->picture(), thumbnail(recorded)->picture());

    // Going back leaves no picture marked and no records button on the selection form.
    player::click(ranking->ui().Command2);
    EXPECT_FALSE(form->command6()->isVisible());
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(form->shape1(i)->isVisible()) << i;
    ASSERT_SOON(ranking.isNull());
}

TEST_F(SelectFormTest, FolderListsOnlyJpegFilesUpToTwoHundredAndKeepsUndecodableOnes)
{
    const QString mixed = folder(QStringLiteral("mixed"));
    makePictures(mixed, {QStringLiteral("a.JPG"), QStringLiteral("b.jpeg")});
    QFile::copy(mixed + QStringLiteral("/a.JPG"), mixed + QStringLiteral("/c.png"));
    QFile::copy(mixed + QStringLiteral("/a.JPG"), mixed + QStringLiteral("/d.jpg.bak"));
    QDir(mixed).mkdir(QStringLiteral("sub.jpg"));
    app.writeFile(QStringLiteral("mixed/e.jpg"), "not a picture at all");
    startGame();
    browse(mixed);
    QStringList names{state().PictureNames[1], state().PictureNames[2], state().PictureNames[3],
                      state().PictureNames[4]};
    names.sort();
    EXPECT_EQ(names, QStringList({QString(), QStringLiteral("a.JPG"), QStringLiteral("b.jpeg"),
                                  QStringLiteral("e.jpg")}));
    EXPECT_EQ(labelText(QStringLiteral("Label1")), QStringLiteral("3"));
    EXPECT_EQ(filledThumbnails(), 0);

    QTest::mouseClick(control<QPushButton>(QStringLiteral("Command5")), Qt::LeftButton);
    EXPECT_EQ(filledThumbnails(), 3);
    EXPECT_EQ(state().PictureDir, mixed);
    ASSERT_SOON(shownThumbnails() == 2);
    int broken = -1;
    for (int i = 0; i < 3; ++i) {
        const bool isBroken = form->image1(i)->toolTip() == QStringLiteral("e.jpg");
        EXPECT_EQ(form->image1(i)->hasPicture(), !isBroken) << i;
        broken = isBroken ? i : broken;
    }
    ASSERT_GE(broken, 0);
    QTest::mouseClick(form->image1(broken), Qt::LeftButton);
    EXPECT_EQ(state().ImageFileName, QStringLiteral("e.jpg"));
    EXPECT_TRUE(control<QPushButton>(QStringLiteral("Command1"))->isEnabled());

    const QString many = folder(QStringLiteral("many"));
    QDir().mkpath(many);
    for (int i = 0; i < 204; ++i)
        QFile::copy(mixed + QStringLiteral("/a.JPG"), many + QStringLiteral("/m%1.jpg").arg(i));
    ASSERT_TRUE(control<FolderList>(QStringLiteral("Dir1"))->setPath(many));
    EXPECT_EQ(state().PictureCount, 200);
    EXPECT_EQ(state().PageCount, 34);
}

TEST_F(SelectFormTest, GoingUpReachesTheDriveRootAndADriveNotReadyKeepsTheFolder)
{
    const QString top = folder(QStringLiteral("a"));
    makePictures(top, {QStringLiteral("above.jpg")});
    QDir().mkpath(top + QStringLiteral("/b"));
    startGame();
    browse(top + QStringLiteral("/b"));
    auto *dir1 = control<FolderList>(QStringLiteral("Dir1"));
    auto *up = control<QPushButton>(QStringLiteral("Command4"));
    EXPECT_EQ(state().PictureCount, 0);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(labelText(QStringLiteral("Label7")), top);
    EXPECT_EQ(dir1->path(), top);
    EXPECT_EQ(state().BrowseDir, top + QLatin1Char('/'));
    EXPECT_EQ(state().PictureCount, 1);

    const QString root = state().DriveRoot;
    EXPECT_EQ(root, drives::driveOf(app.path(), drives::listDrives()));
    auto *drive1 = control<DriveList>(QStringLiteral("Drive1"));
    drive1->setDrives(drives::listDrives()
                      << drives::Drive{QStringLiteral("/no-such-volume/"),
                                       QStringLiteral("/no-such-volume")});
    {
        ModalAnswer ok(QMessageBox::Ok);
        player::pickWithKeys(drive1, drive1->itemText(drive1->count() - 1));
        ASSERT_TRUE(ok.seen().answered);
        EXPECT_EQ(ok.seen().text, QStringLiteral("ディスクが準備されていません。"));
    }
    EXPECT_EQ(drive1->currentRoot(), root);
    EXPECT_EQ(state().DriveRoot, root);
    EXPECT_EQ(dir1->path(), top);
    EXPECT_EQ(labelText(QStringLiteral("Label7")), top);
    EXPECT_EQ(state().PictureCount, 1);

    for (int step = 0; step < 64 && up->isEnabled(); ++step)
        QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_FALSE(up->isEnabled());
    EXPECT_EQ(labelText(QStringLiteral("Label7")), root);
    EXPECT_EQ(dir1->path(), root);
    EXPECT_EQ(state().BrowseDir, root);
}
