#include "select/SelectTestSupport.h"

#include "select/FolderList.h"

#include <QAction>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QTest>

void SelectFormTest::startGame(const QString &appDir)
{
    game = std::make_unique<jigsaw::Game>(appDir.isEmpty() ? app.path() : appDir, music.path());
    game->start();
    form = game->frmSelect();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
}

void SelectFormTest::makePictures(const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    int hue = 0;
    for (const QString &name : names) {
        QImage image(48, 36, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(hue, 200, 220));
        hue = (hue + 37) % 360;
        ASSERT_TRUE(image.save(folder + QLatin1Char('/') + name, "JPG")) << name.toStdString();
    }
}

void SelectFormTest::makeLibrary(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("p%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
    makePictures(folder(QStringLiteral("gazou")), names);
}

void SelectFormTest::browse(const QString &path)
{
    control<QAction>(QStringLiteral("ファイルから読み込む"))->trigger();
    ASSERT_TRUE(control<jigsaw::FolderList>(QStringLiteral("Dir1"))->setPath(path));
}

int SelectFormTest::filledThumbnails() const
{
    int filled = 0;
    for (int i = 0; i < 6; ++i)
        filled += form->image1(i)->toolTip().isEmpty() ? 0 : 1;
    return filled;
}

int SelectFormTest::shownThumbnails() const
{
    int shown = 0;
    for (int i = 0; i < 6; ++i)
        shown += form->image1(i)->hasPicture() ? 1 : 0;
    return shown;
}
