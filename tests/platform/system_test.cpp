#include "platform/AppSetup.h"
#include "platform/Drives.h"
#include "platform/MessageBox.h"
#include "platform/WindowFrame.h"

#include "PlatformTestSupport.h"
#include "support/ModalAnswer.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace drives = jigsaw::drives;
namespace msg = jigsaw::msg;

TEST(MessageBox, ShowsTheTextUnderTheGamesTitleAndAnswersSixOrSeven)
{
    jigsaw::app::setUpApplication();
    QWidget form;
    form.show();
    {
        const ModalAnswer answer(QMessageBox::Ok); // finds the box as the active modal widget
        msg::showNotice(&form, QStringLiteral("パズルのフォーム画面が最小化されています。\r"
                                              "元のサイズに戻してやり直してください。"));
        const ModalAnswer::Seen &seen = answer.seen();
        ASSERT_TRUE(seen.answered);
        EXPECT_EQ(seen.title, QStringLiteral("ジグソーパズル"));
        EXPECT_EQ(seen.text, QStringLiteral("パズルのフォーム画面が最小化されています。\n"
                                            "元のサイズに戻してやり直してください。"));
        EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(seen.buttonTexts, QStringList({"OK"}));
        EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    }
    for (const auto &[button, result] : {std::pair{QMessageBox::Yes, 6}, {QMessageBox::No, 7}}) {
        const ModalAnswer answer(button);
        EXPECT_EQ(msg::askYesNo(nullptr, QStringLiteral("ジグソーパズルを終了しますか？")), result);
        EXPECT_EQ(answer.seen().buttons, QMessageBox::Yes | QMessageBox::No);
        // Qt's own buttons speak Japanese too.
        QStringList texts = answer.seen().buttonTexts;
        texts.sort();
        EXPECT_EQ(texts, QStringList({"いいえ(&N)", "はい(&Y)"}));
    }
}

TEST(Drives, ListStartsAtTheRootAndADriveHoldsOnlyPathsBelowIt)
{
    const QList<drives::Drive> list = drives::listDrives();
    ASSERT_FALSE(list.isEmpty());
    EXPECT_EQ(list.first().root, QStringLiteral("/"));
    for (const drives::Drive &drive : list) {
        EXPECT_TRUE(drive.root.endsWith(u'/')) << qPrintable(drive.root);
        EXPECT_FALSE(drive.root.startsWith(QLatin1String("/proc"))) << qPrintable(drive.root);
    }
    EXPECT_TRUE(drives::isVolumeReady(QStringLiteral("/")));
    QTemporaryDir dir;
    EXPECT_FALSE(drives::isVolumeReady(dir.filePath(QStringLiteral("gone/"))));

    const QList<drives::Drive> mounts = {{"/", "/"}, {"/home/taro/", "/home/taro"}};
    EXPECT_EQ(drives::driveOf("/home/taro/Pictures", mounts), QStringLiteral("/home/taro/"));
    EXPECT_EQ(drives::driveOf("/home/taro", mounts), QStringLiteral("/home/taro/"));
    EXPECT_EQ(drives::driveOf("/home/taroX/a", mounts), QStringLiteral("/"));
}

TEST(AppSetup, FormCaptionsAreTheGamesOwn)
{
    jigsaw::app::setUpApplication();
    // No display name, which the window system would append to every form's caption.
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
}

TEST(AppSetup, TheDesktopsStyleStaysAndAMenuBarsOverflowArrowIsItsOwn)
{
    // A desktop whose style is not the toolkit's own default; the tests after this one have
    // the default back.
    const auto restore = qScopeGuard(
        [] { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); });
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    jigsaw::app::setUpApplication();
    QStyle *style = QApplication::style();
    auto *game = qobject_cast<QProxyStyle *>(style);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->baseStyle()->name(), QStringLiteral("windows"));
    jigsaw::app::setUpApplication();
    EXPECT_EQ(QApplication::style(), style);

    // The arrow of a menu bar too narrow for its menus, drawn: the style's own picture.
    QWidget form;
    auto *bar = new QMenuBar(&form);
    for (const char *title : {"画像の読込", "ピース数", "オプション", "ヘルプ", "終了"})
        bar->addMenu(QString::fromUtf8(title));
    bar->setGeometry(0, 0, 90, 24);
    form.resize(90, 60);
    form.show();
    auto *arrow = bar->findChild<QToolButton *>();
    ASSERT_NE(arrow, nullptr);
    ASSERT_FALSE(arrow->icon().isNull());
    const QImage drawn = arrow->icon().pixmap(QSize(16, 16)).toImage();
    const QImage own = game->baseStyle()
                           ->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)
                           .pixmap(QSize(16, 16))
                           .toImage();
    ASSERT_FALSE(own.isNull());
    EXPECT_TRUE(drawn == own);
    EXPECT_TRUE(arrow->isVisible());
}

TEST(WindowFrame, ScreenWideFrameLeavesEveryDesktopPanelUncovered)
{
    // A 1600 x 900 screen, decorations of a 28-pixel title bar and 4-pixel borders, and the
    // board's 27 pixels left free below it.
    const QRect screen(0, 0, 1600, 900);
    const QMargins decoration(4, 28, 4, 4);
    const auto frame = [&](const QRect &available) {
        return jigsaw::frame::screenSpanningFrame(screen, available, decoration, 27);
    };
    const jigsaw::frame::FramePlace free = frame(screen);
    EXPECT_EQ(free.outer, QRect(0, 0, 1600, 873));
    EXPECT_EQ(free.client, QSize(1592, 841));

    // A panel of 40 pixels on each edge in turn: the frame lies in what is left, as large as
    // it fits there, and the form inside it fills it but for the decorations.
    const std::pair<const char *, QRect> panels[] = {{"top", QRect(0, 40, 1600, 860)},
                                                     {"bottom", QRect(0, 0, 1600, 860)},
                                                     {"left", QRect(40, 0, 1560, 900)},
                                                     {"right", QRect(0, 0, 1560, 900)}};
    for (const auto &[edge, available] : panels) {
        SCOPED_TRACE(edge);
        const jigsaw::frame::FramePlace placed = frame(available);
        EXPECT_TRUE(available.contains(placed.outer));
        EXPECT_EQ(placed.outer.topLeft(), available.topLeft());
        EXPECT_EQ(placed.outer.width(), available.width());
        EXPECT_EQ(placed.outer.height(), std::min(873, available.height()));
        EXPECT_EQ(placed.client.grownBy(decoration), placed.outer.size());
    }
}
