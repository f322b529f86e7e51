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

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace jigsaw
