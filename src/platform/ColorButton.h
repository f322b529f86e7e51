#pragma once

#include <QColor>
#include <QPushButton>

namespace jigsaw {

// A push button whose face shows a chosen background colour whatever the widget style: the
// colour of GO, of the records button and of the blinking show-pictures button.
class ColorButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QColor faceColor READ faceColor)

public:
    explicit ColorButton(const QString &caption, QWidget *parent = nullptr);

    QColor faceColor() const { return m_face; }
    void setFaceColor(const QColor &color);
    // Back to the system's button-face colour.
    void useSystemFace();

    static QColor systemFaceColor();

private:
    QColor m_face;
};

} // namespace jigsaw
