#include "DesktopTestSupport.h"

#include "platform/ColorButton.h"
#include "platform/StretchImage.h"
#include "records/RecordsForm.h"
#include "select/SelectForm.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMainWindow>

#include <algorithm>
#include <cmath>

using namespace jigsaw;

namespace {

double relativeLuminance(const QColor &color)
{
    const auto channel = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF())
        + 0.0722 * channel(color.blueF());
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int distance(QRgb a, const QColor &b)
{
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green())
        + std::abs(qBlue(a) - b.blue());
}

QColor textColour(const QWidget *control)
{
    return control->palette().color(QPalette::Active, control->foregroundRole());
}

// Where the text lies: the whole control, or a frame's caption strip along its top.
QRect textArea(const ShownText &shown)
{
    QWidget *control = shown.control;
    if (qobject_cast<QGroupBox *>(control))
        return QRect(0, 0, control->width(), control->fontMetrics().height());
    return control->rect();
}

} // namespace

QList<ShownText> shownTexts(QWidget *form)
{
    QList<ShownText> found;
    for (QWidget *control : form->findChildren<QWidget *>()) {
        if (!control->isVisible() || control->visibleRegion().isEmpty())
            continue;
        QString text;
        if (auto *label = qobject_cast<QLabel *>(control))
            text = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(control))
            text = button->text();
        else if (auto *frame = qobject_cast<QGroupBox *>(control))
            text = frame->title();
        if (!text.trimmed().isEmpty())
            found.append({control, control->objectName(), text});
    }
    return found;
}

QString fitProblem(const ShownText &shown)
{
    QWidget *control = shown.control;
    const QFontMetrics metrics = control->fontMetrics();
    if (auto *label = qobject_cast<QLabel *>(control)) {
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            return needed <= label->height()
                ? QString()
                : QStringLiteral("needs %1 px of height, has %2").arg(needed).arg(label->height());
        }
        const int needed = label->minimumSizeHint().width();
        return needed <= label->width()
            ? QString()
            : QStringLiteral("needs %1 px, has %2").arg(needed).arg(label->width());
    }
    QString text = shown.text;
    text.remove(QLatin1Char('&'));
    // A button's face keeps a little room around its caption; a frame's caption sits in from
    // its left edge.
    const int room = qobject_cast<QGroupBox *>(control) ? 16 : 4;
    const int needed = metrics.horizontalAdvance(text) + room;
    return needed <= control->width()
        ? QString()
        : QStringLiteral("needs %1 px, has %2").arg(needed).arg(control->width());
}

double textContrast(const ShownText &shown, const QImage &formGrab)
{
    const QColor text = textColour(shown.control);
    const QRect area = textArea(shown).translated(
        shown.control->mapTo(shown.control->window(), QPoint()));
    // The most common colour, counted in buckets so that a gradient is one colour, and with
    // the text's own pixels left out.
    QHash<QRgb, int> counts;
    QHash<QRgb, QRgb> example;
    const QRect inside = area.intersected(formGrab.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = formGrab.pixel(x, y);
            if (distance(pixel, text) < 96)
                continue;
            const QRgb bucket = qRgb(qRed(pixel) & 0xF0, qGreen(pixel) & 0xF0, qBlue(pixel) & 0xF0);
            ++counts[bucket];
            example.insert(bucket, pixel);
        }
    }
    if (counts.isEmpty())
        return 1;
    const auto fewer = [](const auto &a, const auto &b) { return a.second < b.second; };
    const auto most =
        std::max_element(counts.constKeyValueBegin(), counts.constKeyValueEnd(), fewer);
    return contrastRatio(text, QColor(example.value((*most).first)));
}

bool isFreeOfJapanese(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF)
            || (u >= 0xFF00 && u <= 0xFFEF))
            return false;
    }
    return true;
}

const QString DesktopGameTest::kPicture = QStringLiteral("ジグソー画像1.jpg");

DesktopGameTest::DesktopGameTest()
{
    QImage picture(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, patternAt(x, y));
    }
    QDir().mkpath(app.filePath(QStringLiteral("gazou")));
    EXPECT_TRUE(picture.save(app.filePath(QStringLiteral("gazou/") + kPicture), "JPG", 95));
}

SelectForm *DesktopGameTest::select() const
{
    return game->frmSelect();
}

void DesktopGameTest::startGame()
{
    game->start();
    ASSERT_NE(select(), nullptr);
    ASSERT_SOON(select()->isActiveWindow() && !select()->image1(0)->picture().isNull());
}

void DesktopGameTest::goToBoard()
{
    QTest::mouseClick(select()->image1(0), Qt::LeftButton);
    auto *go = select()->findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_NE(go, nullptr);
    ASSERT_TRUE(go->isEnabled());
    player::click(go);
    ASSERT_NE(board(), nullptr);
    holdTheClocks();
    ASSERT_SOON(state().BoardActivated == 1);
    finishSlides();
}

void DesktopGameTest::playSixteenToCompletion()
{
    player::chooseMenu(board(), {QStringLiteral("設定"), QStringLiteral("ピース数"),
                                 QStringLiteral("ピース数16枚")});
    player::chooseMenu(board(), {QStringLiteral("スタート")});
    finishSlides();
    ASSERT_EQ(state().InPlay, 1);
    placeAllBut(-1, QPoint());
    ASSERT_EQ(fields().Completed, 1);
    finishSlides();
}

RecordsForm *DesktopGameTest::recordAndShowRanking(const QString &player)
{
    player::typeInto(ui().Combo1, player);
    player::click(ui().Command1);
    if (state().PanelMode != 8)
        return nullptr;
    player::click(ui().Command1);
    RecordsForm *records = game->frmRecords();
    if (!QTest::qWaitFor([records] { return records->isVisible(); }))
        return nullptr;
    player::click(records->ui().Command1);
    return records;
}
