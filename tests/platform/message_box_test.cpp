#include "platform/AppSetup.h"
#include "platform/MessageBox.h"

#include "QtPrinting.h"
#include "support/ModalAnswer.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace msg = jigsaw::msg;

// How a test answers a message box: ModalAnswer is set up before the call that blocks, finds
// the box as the active modal widget, records it and presses the button.
TEST(MessageBox, NoticeShowsTheTextUnderTheGamesTitle)
{
    jigsaw::app::setUpApplication();
    QWidget form;
    form.show();

    const ModalAnswer answer(QMessageBox::Ok);
    msg::showNotice(&form, QStringLiteral("パズルのフォーム画面が最小化されています。\r"
                                          "元のサイズに戻してやり直してください。"));

    const ModalAnswer::Seen &seen = answer.seen();
    ASSERT_TRUE(seen.answered);
    EXPECT_EQ(seen.objectName, QStringLiteral("MessageBox"));
    EXPECT_EQ(seen.title, QStringLiteral("ジグソーパズル"));
    EXPECT_EQ(seen.text, QStringLiteral("パズルのフォーム画面が最小化されています。\n"
                                        "元のサイズに戻してやり直してください。"));
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
}

TEST(MessageBox, QuestionAnswersSixForYesAndSevenForNo)
{
    {
        const ModalAnswer answer(QMessageBox::Yes);
        EXPECT_EQ(msg::askYesNo(nullptr, QStringLiteral("ジグソーパズルを終了しますか？")), msg::kYes);
        EXPECT_EQ(answer.seen().text, QStringLiteral("ジグソーパズルを終了しますか？"));
        EXPECT_EQ(answer.seen().buttons, QMessageBox::Yes | QMessageBox::No);
    }
    {
        const ModalAnswer answer(QMessageBox::No);
        EXPECT_EQ(msg::askYesNo(nullptr, QStringLiteral("ジグソーパズルを終了しますか？")), msg::kNo);
        EXPECT_TRUE(answer.seen().answered);
    }
    EXPECT_EQ(msg::kYes, 6);
    EXPECT_EQ(msg::kNo, 7);
}
