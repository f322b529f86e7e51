#pragma once

#include <QFont>
#include <QString>

// The application's identity and look: its name, which titles the message boxes, a Japanese
// font, so that kana and kanji take their Japanese forms whatever the locale, and Qt's own
// texts (dialog buttons, the edit boxes' menus) in Japanese.
namespace jigsaw::app {

// "ジグソーパズル".
QString displayName();

// The font of every control: Noto Sans CJK JP at 9 points, with other Japanese fonts behind it
// for systems that lack it.
QFont applicationFont();

// Qt's own texts in Japanese, whatever the system's language; false when the system lacks
// Qt's Japanese translations (they then stay in English).
bool loadQtJapanese();

// Sets the font and Qt's Japanese texts. Call after the QApplication exists and before the
// first form is built.
void setUpApplication();

} // namespace jigsaw::app
