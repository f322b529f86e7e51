#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace jigsaw {

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

} // namespace jigsaw
