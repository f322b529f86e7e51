#include "MessageBox.h"

#include "AppSetup.h"
#include "InWindowDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <algorithm>

namespace jigsaw::msg {

namespace {

// A text's lines are joined by CR, or CR LF; Qt breaks lines at LF only.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A box is at least as wide as a title bar needs to show the whole caption beside the window's
// icon and its buttons; Qt's own allowance for them is too small for most window decorations.
void keepCaptionWhole(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    constexpr int kDecorationWidth = 160;
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    QFont bold = box.font();
    bold.setBold(true);
    const int width = std::max(title.horizontalAdvance(box.windowTitle()),
                               QFontMetrics(bold).horizontalAdvance(box.windowTitle()))
                      + kDecorationWidth;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

int runBox(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, app::displayName(),
                    displayText(text), buttons, parent);
    box.setObjectName(QLatin1String(kObjectName));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    keepCaptionWhole(box);
    if (parent && dialog::showInWindow())
        return dialog::execInWindow(box, parent->window(), box.defaultButton());
    return box.exec();
}

} // namespace

void showNotice(QWidget *parent, const QString &text)
{
    runBox(parent, text, QMessageBox::Ok, QMessageBox::Ok);
}

int askYesNo(QWidget *parent, const QString &text)
{
    const int answer = runBox(parent, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes ? kYes : kNo;
}

} // namespace jigsaw::msg
