#pragma once

#include "platform/ColorButton.h"
#include "platform/StretchImage.h"

#include <QColor>
#include <QLabel>
#include <QWidget>

namespace jigsaw {

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
