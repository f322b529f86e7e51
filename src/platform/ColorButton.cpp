#include "ColorButton.h"

#include "FormLook.h"

#include <QApplication>

namespace jigsaw {

ColorButton::ColorButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // Enter presses the focused button, as Space does.
    setAutoDefault(true);
    useSystemFace();
}

QColor ColorButton::systemFaceColor()
{
    return QApplication::palette().color(QPalette::Active, QPalette::Button);
}

void ColorButton::setFaceColor(const QColor &color)
{
    m_face = color;
    // A style sheet is the one way every widget style honours: palette colours are ignored by
    // some native styles.
    const QColor border = color.darker(200);
    const QColor pressed = color.darker(120);
    // The caption is the game's choice as well, on any theme; greyed out, it is half-way to
    // the face.
    const QColor text = look::textOn(color);
    const QColor disabledText((text.red() + color.red()) / 2, (text.green() + color.green()) / 2,
                              (text.blue() + color.blue()) / 2);
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid %2;"
                                 " border-radius: 2px; padding: 1px; color: %5; }"
                                 "QPushButton:pressed { background-color: %3; }"
                                 "QPushButton:disabled { color: %4; }")
                      .arg(color.name(), border.name(), pressed.name(), disabledText.name(),
                           text.name()));
}

void ColorButton::useSystemFace()
{
    setFaceColor(systemFaceColor());
}

} // namespace jigsaw
