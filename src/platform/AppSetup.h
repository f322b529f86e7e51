#pragma once

#include <QFont>
#include <QString>

// The application's identity and look: its display name, which titles the message boxes, and
// a Japanese font, so that kana and kanji take their Japanese forms whatever the locale.
namespace jigsaw::app {

// "ジグソーパズル".
QString displayName();

// The font of every control: Noto Sans CJK JP at 9 points, with other Japanese fonts behind it
// for systems that lack it.
QFont applicationFont();

// Sets the display name and the font. Call once, after the QApplication exists and before the
// first form is built.
void setUpApplication();

} // namespace jigsaw::app
