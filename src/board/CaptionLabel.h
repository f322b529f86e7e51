#pragma once

#include <QLabel>

namespace jigsaw {

// A label for the game's messages, whose lines are joined by a carriage return alone: it keeps
// the caption as given and shows each carriage return as a line break, wrapping long lines at
// its width.
class CaptionLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget *parent = nullptr);

    // Sets the message as given; a screen reader gets its lines as lines, and hears it change.
    void setCaption(const QString &caption);

    // The height its lines take at that width, set as they are painted.
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Lays out the caption's lines at the width, from the top of the area; the height they
    // take. With a painter the lines are drawn as well.
    double layOutLines(const QRect &area, QPainter *painter) const;
};

} // namespace jigsaw
