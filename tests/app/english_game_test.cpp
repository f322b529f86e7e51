#include "DesktopTestSupport.h"

#include "platform/AppSetup.h"
#include "platform/TextFile.h"
#include "records/RecordsForm.h"
#include "select/SelectForm.h"
#include "support/ModalAnswer.h"

#include <QDate>
#include <QFile>
#include <QMenuBar>

using namespace jigsaw;

namespace {

// Every item of a menu and of the menus it opens.
QStringList menuTexts(const QList<QAction *> &actions)
{
    QStringList texts;
    for (QAction *action : actions) {
        if (action->isSeparator())
            continue;
        texts.append(action->text());
        if (action->menu())
            texts += menuTexts(action->menu()->actions());
    }
    return texts;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The game on a desktop that is not Japanese.
class EnglishGameTest : public DesktopGameTest
{
protected:
    EnglishGameTest() { app::useLanguage(app::Language::English); }
    ~EnglishGameTest() override { app::useLanguage(app::Language::Japanese); }

    // Everything the form shows, its caption and its menus are English, and its texts fit.
    static void expectEnglish(QMainWindow *form, const char *when)
    {
        QCoreApplication::processEvents();
        QStringList seen = menuTexts(form->menuBar()->actions());
        seen.append(form->windowTitle());
        for (const QString &text : seen)
            EXPECT_TRUE(isFreeOfJapanese(text)) << when << ": \"" << text.toStdString() << "\"";
        for (const ShownText &shown : shownTexts(form)) {
            const std::string what = std::string(when) + ": " + shown.name.toStdString() + " \""
                + shown.text.toStdString() + "\"";
            // The picture's file name is shown as it is stored.
            if (shown.text != kPicture) {
                EXPECT_TRUE(isFreeOfJapanese(shown.text)) << what;
            }
            EXPECT_EQ(fitProblem(shown).toStdString(), "") << what;
        }
    }

    // The question panel's text, after its slide.
    QString panelQuestion()
    {
        finishSlides();
        return ui().Label5->text();
    }
};

TEST_F(EnglishGameTest, AWholeGameSpeaksEnglishFitsItsControlsAndStoresWhatTheJapaneseGameStores)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    expectEnglish(select(), "library");
    EXPECT_EQ(select()->windowTitle(), QStringLiteral("Choose a Picture"));
    {
        // Qt's own buttons speak the game's language too.
        ModalAnswer no(QMessageBox::No);
        player::chooseMenu(select(), {QStringLiteral("終了")});
        ASSERT_TRUE(no.seen().answered);
        EXPECT_EQ(no.seen().title, QStringLiteral("Jigsaw Puzzle"));
        EXPECT_EQ(no.seen().text, QStringLiteral("Quit Jigsaw Puzzle?"));
        EXPECT_EQ(no.seen().buttonTexts,
                  QStringList({QStringLiteral("&Yes"), QStringLiteral("&No")}));
    }
    player::chooseMenu(select(), {QStringLiteral("画像の読込"), QStringLiteral("ファイルから読み込む")});
    expectEnglish(select(), "folders");
    player::chooseMenu(select(), {QStringLiteral("画像の読込"), QStringLiteral("サンプルを表示")});

    ASSERT_NO_FATAL_FAILURE(goToBoard());
    expectEnglish(board(), "board");
    for (const QString &text : menuTexts(ui().PopupMenu->actions()))
        EXPECT_TRUE(isFreeOfJapanese(text)) << text.toStdString();
    EXPECT_EQ(panelQuestion(),
              QStringLiteral("Choose your settings under Settings, then click Start.\r"
                             "Once you have started, right-click to see the finished picture."));

    player::chooseMenu(board(), {QStringLiteral("設定"), QStringLiteral("ゲーム時間を設定")});
    expectEnglish(board(), "time-limit question");
    player::typeInto(ui().Combo1, QStringLiteral("90"));
    player::click(ui().Command1);
    finishSlides();
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("Time limit 90 min"));

    player::chooseMenu(board(), {QStringLiteral("設定"), QStringLiteral("ピース数"),
                                 QStringLiteral("ピース数16枚")});
    player::chooseMenu(board(), {QStringLiteral("スタート")});
    finishSlides();
    ASSERT_EQ(state().InPlay, 1);
    board()->Timer2_Timer();
    expectEnglish(board(), "playing");
    EXPECT_EQ(panelText(1), QStringLiteral("Pieces: 16"));

    // A game saved in English is the same file as one saved in Japanese.
    player::chooseMenu(board(), {QStringLiteral("保存")});
    EXPECT_EQ(panelQuestion(), QStringLiteral("Enter a name to save the game under"));
    expectEnglish(board(), "save question");
    player::typeInto(ui().Combo1, QStringLiteral("Evening"));
    player::click(ui().Command1);
    EXPECT_EQ(panelQuestion(), QStringLiteral("The game is saved.\rQuit Jigsaw Puzzle?"));
    expectEnglish(board(), "saved");
    player::click(ui().Command3);
    app::useLanguage(app::Language::Japanese);
    player::chooseMenu(board(), {QStringLiteral("保存")});
    player::typeInto(ui().Combo1, QStringLiteral("夕方"));
    player::click(ui().Command1);
    EXPECT_EQ(panelQuestion(), QStringLiteral("この画面を保存しました。\rジグソーパズルを終了しますか？"));
    player::click(ui().Command3);
    app::useLanguage(app::Language::English);
    const QByteArray english = fileBytes(app.filePath(QStringLiteral("save/Evening.txt")));
    EXPECT_FALSE(english.isEmpty());
    EXPECT_EQ(english, fileBytes(app.filePath(QStringLiteral("save/夕方.txt"))));

    placeAllBut(-1, QPoint());
    ASSERT_EQ(fields().Completed, 1);
    EXPECT_EQ(panelQuestion(), QStringLiteral("Congratulations! The puzzle is complete.\r"
                                              "You can enter your time in the ranking.\r"
                                              "To do so, type your name and click OK."));
    expectEnglish(board(), "completed");

    // The record goes into the same file, in the same words, as the Japanese game's; the
    // ranking puts it back with its time in five digits.
    const auto seconds = static_cast<long long>(state().ElapsedMin * 60 + state().ElapsedSec);
    RecordsForm *records = recordAndShowRanking(QStringLiteral("Hanako"));
    ASSERT_NE(records, nullptr);
    const QString record = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))
        + QLatin1Char('+') + kPicture + QStringLiteral("%16\\")
        + QStringLiteral("%1").arg(seconds, 5, 10, QLatin1Char('0'))
        + QStringLiteral("*Hanako");
    const QString recordFile = QStringLiteral("datasave/") + kPicture + QStringLiteral("&16枚.txt");
    EXPECT_EQ(fileBytes(app.filePath(recordFile)),
              text::encodeShiftJis(QStringLiteral(" 1 \r\n") + record + QStringLiteral("\r\n"))
                  .value_or(QByteArray()));
    expectEnglish(records, "ranking");
    EXPECT_EQ(records->ui().Label5[0]->text(), QStringLiteral("00:%1:%2")
                                                   .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                                                   .arg(seconds % 60, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(records->panelText(1), QStringLiteral("The 10 best times with 16 pieces"));
}
