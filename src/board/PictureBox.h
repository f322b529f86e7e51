#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

class QPainter;

namespace jigsaw {

namespace picture {
class ScaledPicture;
class PictureRows;
}

// A picture box: a plain surface in its background colour that may show a picture at its
// top-left corner, keeps the lines drawn on it until they are cleared, and reports the mouse
// with the game's button numbers and coordinates in pixels. A box shown through a zoom
// (geom::Zoom) draws and reports in picture pixels all the same.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    // Mouse buttons and shift keys as the game numbers them.
    enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
    enum Shift { ShiftKey = 1, CtrlKey = 2, AltKey = 4 };

    explicit PictureBox(QWidget *parent = nullptr);

    void setBackColor(const QColor &color);
    QColor backColor() const { return m_backColor; }
    void setForeColor(const QColor &color);
    QColor foreColor() const { return m_foreColor; }

    // With auto-size on, giving the box a picture resizes it to the picture.
    void setAutoSize(bool on) { m_autoSize = on; }
    bool autoSize() const { return m_autoSize; }

    // The picture is shared, not copied: a box shows exactly the image it is given, or the
    // part of it within source (a piece shows its cell of the one game picture this way).
    // A picture still being decoded comes with its rows: the box shows only the final ones,
    // the coarse stand-in or its own colour elsewhere, asks for the rows it shows and repaints
    // them as they become final.
    void setPicture(const QImage &picture, const QRect &source = QRect(),
                    picture::PictureRows *rows = nullptr);
    // Shows the same part of the same picture as another box.
    void showPictureOf(const PictureBox &other)
    {
        setPicture(other.m_picture, other.m_source, other.m_rows);
    }
    // Where a zoom shows the picture smaller than its own pixels, the box draws it from this
    // copy once the copy is made for the scale shown.
    void setScaledPicture(const picture::ScaledPicture *scaled) { m_scaled = scaled; }
    // Removes the picture; the box keeps its size.
    void clearPicture();
    const QImage &picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // The pixels the box shows, as an image of their own.
    QImage shownPicture() const;

    // The scroll bars that scroll what the box shows: the mouse wheel over the box, or over
    // anything on it, works them as it works them over the bars themselves.
    // Shift turns the wheel sideways. With zoomsByWheel, Ctrl and the wheel over the box or
    // anything on it asks for a zoom step instead.
    void setWheelScrollBars(QScrollBar *vertical, QScrollBar *horizontal,
                            bool zoomsByWheel = false);

    // A box the player can reach with the keyboard (the pieces and the box's slots): it takes
    // the focus, shows a focus mark while it has it, and reports its keys, Tab included.
    void setKeyboardReachable(bool reachable);

    // Persistent drawing: lines in the fore colour, one pixel wide, painted over the picture.
    void drawLine(const QLineF &line);
    void clearDrawing();
    const QList<QLineF> &lines() const { return m_lines; }

signals:
    // button: the button that changed (press, release) or the buttons held (move); x, y in
    // pixels relative to the box.
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void dblClick();
    // Ctrl and the wheel: notches away from the player (positive) or towards, at (x, y) in
    // pixels relative to the box.
    void wheelZoom(double notches, double x, double y);
    // A key pressed while the box has the focus, with the game's shift code.
    void keyDown(int key, int shift);
    void focusGained();
    void focusLost();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The picture's part within the exposed rectangle (both in the widget's own pixels) at the
    // scale the box is shown at.
    void paintScaled(QPainter &painter, const QRect &area, double scale);
    void watchRows(picture::PictureRows *rows);
    void rowsFinal(int top, int bottom);
    void paintPending(QPainter &painter, const QRect &area, const QRect &from);

    QColor m_backColor;
    QColor m_foreColor = Qt::black;
    QImage m_picture;
    QRect m_source; // the part of m_picture shown at the box's top-left corner
    QPointer<picture::PictureRows> m_rows;
    QList<QLineF> m_lines;
    bool m_autoSize = false;
    bool m_keyboardReachable = false;
    QPointer<QScrollBar> m_wheelVertical;
    QPointer<QScrollBar> m_wheelHorizontal;
    bool m_zoomsByWheel = false;
    const picture::ScaledPicture *m_scaled = nullptr;
};

} // namespace jigsaw
