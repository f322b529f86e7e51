#include "MessageBox.h"

#include "AppSetup.h"

#include <QMessageBox>

namespace jigsaw::msg {

namespace {

// A text's lines are joined by CR, or CR LF; Qt breaks lines at LF only.
QString displayText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int runBox(QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons,
           QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::NoIcon, app::displayName(),
                    displayText(text), buttons, parent);
    box.setObjectName(QLatin1String(kObjectName));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
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
