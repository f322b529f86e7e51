#include "select/SelectTestSupport.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

SelectFormTest::SelectFormTest() = default;

void SelectFormTest::startGame()
{
    startGame(app.path());
}

void SelectFormTest::startGame(const QString &appDir)
{
    game = std::make_unique<jigsaw::Game>(appDir, music.path());
    game->start();
    form = game->frmSelect();
    ASSERT_NE(form, nullptr);
    // The first activation resets the form to the library view, as it does when the player
    // first sees it; tests act on the form after that.
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->isActiveWindow(); }));
}

int SelectFormTest::runUntilProgramEnds(const std::function<void()> &action)
{
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(20000);
    QTimer::singleShot(0, &guard, action);
    return QCoreApplication::exec();
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
    makePictures(app.filePath(QStringLiteral("gazou")), names);
}
