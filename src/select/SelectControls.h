#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

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

// A picture image that stretches its picture to its own size and reports clicks, as the six
// thumbnails of the picture browser do. A thumbnail that holds a picture's name can be reached
// with the keyboard: it shows a focus frame, Enter or Space is its click, and it reports the
// arrow keys and Tab for the page to move the focus.
class StretchImage : public QWidget
{
    Q_OBJECT

public:
    explicit StretchImage(QWidget *parent = nullptr);

    const QImage &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    void setPicture(const QImage &picture);
    void clearPicture();

    // The name of the picture (its file name) as its tool-tip and for screen readers; an empty
    // name marks an empty slot, which the keyboard passes by.
    void setName(const QString &name);

signals:
    void clicked();
    void arrowPressed(int key);
    // Tab (forward) or Shift+Tab leaves the page of thumbnails.
    void tabbedOut(bool forward);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void rescale();

    bool m_secondClick = false; // the press of a double-click, whose release is no new click

    QImage m_picture;
    QPixmap m_shown; // the picture at the control's size
};

// The square outline that marks the selected thumbnail; clicks pass through it to the
// thumbnail below.
class MarkerShape : public QWidget
{
    Q_OBJECT

public:
    MarkerShape(const QColor &color, int borderWidth, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    int m_borderWidth;
};

// A label that wraps its text anywhere, so that a long folder path without spaces still fits
// its box line by line.
class PathLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PathLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace jigsaw
