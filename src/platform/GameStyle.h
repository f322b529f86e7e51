#pragma once

#include <QProxyStyle>

// The desktop's own widget style, in all but one thing: the overflow arrow every menu bar
// makes for itself is read from its picture when it is first drawn, not when the menu bar is
// made. Read at once, the picture's format is found by asking every image plug-in the
// toolkit has, loading each, on the way to the game's first window; a menu bar of the game's
// forms never overflows.
namespace jigsaw::look {

class GameStyle : public QProxyStyle
{
public:
    // Over the style of that key ("Fusion", "Breeze", ...).
    explicit GameStyle(const QString &baseKey);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};

// The application's style becomes a GameStyle over the one the desktop chose. Call once the
// QApplication exists, before the first form is built; again, it changes nothing.
void useGameStyle();

} // namespace jigsaw::look
