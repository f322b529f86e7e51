#include "DesktopTestSupport.h"

#include "records/RecordsForm.h"
#include "select/SelectForm.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

using namespace jigsaw;

namespace {

// What a dark desktop theme gives every program once it has started (as qt6ct or a KDE dark
// colour scheme do): the Fusion style, light text on dark colours and an 11-point font.
QPalette darkPalette()
{
    QPalette dark;
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    const QColor light(230, 230, 230);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, light);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Text, light);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, light);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, light);
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    return dark;
}

} // namespace

class DarkDesktopTest : public DesktopGameTest
{
protected:
    DarkDesktopTest()
        : m_palette(QApplication::palette())
        , m_font(QApplication::font())
        , m_style(QApplication::style()->name())
    {
    }

    ~DarkDesktopTest() override
    {
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }

    void useDarkDesktop()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
        QFont large = QApplication::font();
        large.setPointSize(11);
        QApplication::setFont(large);
    }

    // Every label, button and frame caption the form shows reads well and fits; `when` says
    // which moment of the game failed.
    static void expectReadable(QMainWindow *form, const char *when)
    {
        QCoreApplication::processEvents();
        const QImage grab = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QList<ShownText> texts = shownTexts(form);
        EXPECT_FALSE(texts.isEmpty()) << when;
        for (const ShownText &shown : texts) {
            const std::string what = std::string(when) + ": " + shown.name.toStdString() + " \""
                + shown.text.toStdString() + "\"";
            EXPECT_EQ(fitProblem(shown).toStdString(), "") << what;
            if (shown.control->isEnabled()) {
                EXPECT_GE(textContrast(shown, grab), 4.5) << what;
            }
        }
    }

private:
    QPalette m_palette;
    QFont m_font;
    QString m_style;
};

// The theme and the font arrive after the start, as a desktop's platform theme applies them;
// the board and the records form are built under them.
TEST_F(DarkDesktopTest, EveryTextOfTheFormsAndThePanelReadsAndFitsOnADarkThemeWithALargerFont)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    useDarkDesktop();
    expectReadable(select(), "library view");
    player::chooseMenu(select(), {QStringLiteral("画像の読込"), QStringLiteral("ファイルから読み込む")});
    expectReadable(select(), "folder view");
    player::chooseMenu(select(), {QStringLiteral("画像の読込"), QStringLiteral("サンプルを表示")});

    ASSERT_NO_FATAL_FAILURE(goToBoard());
    expectReadable(board(), "board greeting");
    player::chooseMenu(board(), {QStringLiteral("設定"), QStringLiteral("ゲーム時間を設定")});
    finishSlides();
    expectReadable(board(), "time-limit question");
    player::typeInto(ui().Combo1, QStringLiteral("5"));
    player::click(ui().Command1);
    finishSlides();
    ASSERT_TRUE(ui().Frame1->isVisible());
    expectReadable(board(), "time limit set");

    ASSERT_NO_FATAL_FAILURE(playSixteenToCompletion());
    expectReadable(board(), "congratulation");
    RecordsForm *records = recordAndShowRanking(QStringLiteral("Hanako"));
    ASSERT_NE(records, nullptr);
    expectReadable(records, "ranking");
}
