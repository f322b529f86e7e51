#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

// The application's identity and look: its names, by which the desktop matches its windows to
// the desktop entry and which name the player's data folder, its icon, its name that titles
// the message boxes, a Japanese font, so that kana and kanji take their Japanese forms whatever
// the locale, and Qt's own texts (dialog buttons, the edit boxes' menus) in Japanese.
namespace jigsaw::app {

// "ジグソーパズル".
QString displayName();

// The reverse-DNS application id shared by the desktop entry, the icon and the AppStream data.
QString applicationId();

// The game's icon, in every size it is drawn in.
QIcon icon();

// The font of every control: Noto Sans CJK JP at 9 points, with other Japanese fonts behind it
// for systems that lack it.
QFont applicationFont();

// Qt's own texts in Japanese, whatever the system's language; false when the system lacks
// Qt's Japanese translations (they then stay in English).
bool loadQtJapanese();

// Sets the names, the window icon of every form, the font and Qt's Japanese texts, and lifts
// Qt's own cap on the size of pictures. Call once the QApplication exists, before the player's
// data folder is asked for and before the first form is built.
void setUpApplication();

} // namespace jigsaw::app
