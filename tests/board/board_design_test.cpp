#include "BoardTestSupport.h"

#include "board/PictureBox.h"
#include "board/StatusPanels.h"
#include "platform/Geometry.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

using namespace jigsaw;

namespace {

template <typename T>
T *named(QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

} // namespace

using BoardDesign = BoardTest;

TEST_F(BoardDesign, ControlsCarryTheirDesignNamesAndStartHidden)
{
    BoardForm *form = game->frmBoard();
    EXPECT_EQ(form->objectName(), QStringLiteral("frmBoard"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ジグソーパズル"));

    for (int i : {0, 3, 42, 99}) {
        auto *boardPiece = named<PictureBox>(form, QStringLiteral("Picture1(%1)").arg(i));
        auto *boxPiece = named<PictureBox>(form, QStringLiteral("Picture6(%1)").arg(i));
        ASSERT_TRUE(boardPiece && boxPiece);
        EXPECT_EQ(boardPiece->parentWidget()->objectName(), QStringLiteral("Picture2"));
        EXPECT_EQ(boxPiece->parentWidget()->objectName(), QStringLiteral("Picture5"));
        EXPECT_TRUE(boardPiece->isHidden());
        EXPECT_TRUE(boxPiece->isHidden());
    }
    EXPECT_EQ(form->findChild<PictureBox *>(QStringLiteral("Picture1(100)")), nullptr);

    // Containers: the board in its view, the question panel on the board, the strip and the
    // box's scroll bar in the box panel, the progress and time controls in their frames.
    const std::pair<const char *, const char *> parents[] = {
        {"Picture2", "Picture9"}, {"Picture4", "Picture2"},     {"Picture5", "Picture7"},
        {"VScroll1", "Picture7"}, {"Label5", "Picture4"},       {"Combo1", "Picture4"},
        {"Label7", "Picture4"},   {"Command1", "Picture4"},     {"Command3", "Picture4"},
        {"Label8", "Frame2"},     {"ProgressBar1", "Frame2"},   {"Label1", "Frame1"},
        {"Label3", "Frame1"},     {"Label4", "Frame1"},         {"HScroll1", "Form"},
        {"VScroll2", "Form"},     {"Picture8", "Form"},         {"Picture3", "Form"},
        {"StatusBar1", "Form"},   {"Combo2", "Form"}};
    for (const auto &[child, parent] : parents) {
        auto *widget = named<QWidget>(form, QString::fromLatin1(child));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(parent)) << child;
    }
    for (const char *hidden : {"Picture8", "Picture7", "Picture3", "Frame1", "Frame2", "Combo2"})
        EXPECT_TRUE(named<QWidget>(form, QString::fromLatin1(hidden))->isHidden()) << hidden;

    EXPECT_EQ(named<PictureBox>(form, QStringLiteral("Picture2"))->backColor(), QColor(209, 249, 206));
    auto *panel = named<PictureBox>(form, QStringLiteral("Picture4"));
    EXPECT_EQ(geom::width(panel), 340);
    EXPECT_EQ(panel->picture().size(), QSize(340, 120));
    EXPECT_TRUE(named<QComboBox>(panel, QStringLiteral("Combo1"))->isEditable());
    EXPECT_EQ(named<QLabel>(panel, QStringLiteral("Label7"))->text(), QStringLiteral("分"));
    EXPECT_EQ(named<QPushButton>(panel, QStringLiteral("Command1"))->text(), QStringLiteral("O  K"));
    EXPECT_EQ(named<QPushButton>(panel, QStringLiteral("Command3"))->text(), QStringLiteral("N  O"));
    EXPECT_EQ(named<QLabel>(form, QStringLiteral("Label8"))->text(),
              QStringLiteral("画面を設定しています"));

    auto *status = named<StatusPanels>(form, QStringLiteral("StatusBar1"));
    EXPECT_EQ(status->panelText(3), QStringLiteral("配置音＝ＯＦＦ"));
    status->setPanelText(4, QStringLiteral("ヒント"));
    EXPECT_EQ(status->panelText(4), QStringLiteral("ヒント"));
    EXPECT_TRUE(status->panelText(5).isEmpty());
}

TEST_F(BoardDesign, TimersAreStoppedWithTheirIntervals)
{
    BoardForm *form = game->frmBoard();
    const std::pair<const char *, int> timers[] = {
        {"Timer1", 1000}, {"Timer2", 1000}, {"Timer3", 1}, {"Timer4", 1}, {"Timer5", 1000}};
    for (const auto &[name, interval] : timers) {
        auto *timer = named<QTimer>(form, QString::fromLatin1(name));
        ASSERT_NE(timer, nullptr);
        EXPECT_EQ(timer->interval(), interval) << name;
        EXPECT_FALSE(timer->isActive()) << name;
    }
}

TEST_F(BoardDesign, MenusWithCaptionsAndStates)
{
    BoardForm *form = game->frmBoard();
    auto action = [form](const char *name) { return named<QAction>(form, QString::fromUtf8(name)); };

    const std::pair<const char *, const char *> captions[] = {
        {"スタート", "スタート"},
        {"設定", "設定"},
        {"ピース数", "ピース数"},
        {"ゲーム時間を設定", "ゲーム時間を設定する"},
        {"ゲーム時間の設定をキャンセルする", "ゲーム時間の設定をキャンセルする"},
        {"配置が正しいときに音で知らせる", "配置が正しいときに音で知らせる(ＯＦＦ)"},
        {"保存", "保存"},
        {"終了", "終了"},
        {"新しい画像を選択する", "画像を変更する"},
        {"完成画像を表示", "完成画像を表示"},
        {"ピースボックス", "ピースをボックスに入れる"},
        {"ピースボックスを表示しない", "ピースボックスを表示しない"},
        {"ピース数16枚", "16枚（4×4）"},
        {"ピース数25枚", "25枚（5×5）"},
        {"ピース数36枚", "36枚（6×6）"},
        {"ピース数49枚", "49枚（7×7）"},
        {"ピース数64枚", "64枚（8×8）"},
        {"ピース数81枚", "81枚（9×9）"},
        {"ピース数100枚", "100枚（10×10）"},
    };
    for (const auto &[name, caption] : captions) {
        QAction *item = action(name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QString::fromUtf8(caption)) << name;
    }
    for (const char *count : {"16", "25", "36", "64", "81", "100"})
        EXPECT_FALSE(action((QByteArray("ピース数") + count + "枚").constData())->isChecked());
    EXPECT_TRUE(action("ピース数49枚")->isChecked());
    EXPECT_FALSE(action("ゲーム時間の設定をキャンセルする")->isEnabled());
    EXPECT_FALSE(action("保存")->isEnabled());
    EXPECT_TRUE(action("配置が正しいときに音で知らせる")->isCheckable());
    EXPECT_FALSE(action("配置が正しいときに音で知らせる")->isChecked());

    // The popup is a menu of its own, not an entry of the menu bar.
    auto *popup = named<QMenu>(form, QStringLiteral("右クリック"));
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(form->menuBar()->actions().contains(popup->menuAction()));
    EXPECT_EQ(popup->actions().size(), 3);
    QStringList bar;
    for (QAction *item : form->menuBar()->actions())
        bar.append(item->objectName());
    EXPECT_EQ(bar, (QStringList{"スタート", "設定", "保存", "新しい画像を選択する", "終了"}));
}
