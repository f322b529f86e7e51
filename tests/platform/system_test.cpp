#include "platform/AppSetup.h"
#include "platform/Drives.h"
#include "platform/MessageBox.h"

#include "PlatformTestSupport.h"
#include "support/ModalAnswer.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QTemporaryDir>
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

TEST(AppSetup, JapaneseFontNamesAndIcon)
{
    jigsaw::app::setUpApplication();
    // No display name, which the window system would append to every form's caption.
    EXPECT_TRUE(QGuiApplication::applicationDisplayName() == QCoreApplication::applicationName());
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), QStringLiteral("Noto Sans CJK JP"))
        << "fonts-noto-cjk must be installed";
    // The desktop matches the windows to the desktop entry by this name.
    EXPECT_EQ(QGuiApplication::desktopFileName(), jigsaw::app::applicationId());
}
