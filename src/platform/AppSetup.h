#pragma once

#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>

// The application's identity and look: its names, by which the desktop matches its windows to
// the desktop entry and which name the player's data folder, its icon, its name that titles
// the message boxes, a Japanese font, so that kana and kanji take their Japanese forms whatever
// the locale, and the language of its texts and of Qt's own (dialog buttons, the edit boxes'
// menus).
namespace jigsaw::app {

// The languages the game speaks: Japanese, its own, and English for everyone else.
enum class Language { Japanese, English };

// "ジグソーパズル", in the game's language.
QString displayName();

// The reverse-DNS application id shared by the desktop entry, the icon and the AppStream data.
QString applicationId();

// The game's icon, in every size it is drawn in.
QIcon icon();

// The font of every control: Noto Sans CJK JP at 9 points, with other Japanese fonts behind it
// for systems that lack it.
QFont applicationFont();

// The language for a desktop whose interface languages, most wanted first, are these (locale
// names such as "ja_JP.UTF-8" or "en-GB"): Japanese when the first is Japanese.
Language languageFor(const QStringList &uiLanguages);

// The desktop's language: the LANGUAGE variable's list when it is set, else the system's.
Language desktopLanguage();

// From now on the game's texts and Qt's own are in this language. False when Qt's own
// translation is missing (its texts then stay in English).
bool useLanguage(Language language);

// The language last chosen by useLanguage (Japanese before any choice).
Language currentLanguage();

// Starts reading the system's font configuration on a thread of its own, for the first text a
// form measures. Call at the start of main, before the QApplication is made.
void readFontConfigurationEarly();

// Gives every window, those shown and those to come, the game's icon. Reading its pictures and
// handing them to the window system takes milliseconds: done once the first form has painted.
void setWindowIcon();

// Sets the names, the style (the desktop's, see look::GameStyle), the font, the desktop's
// language unless one was chosen already, and lifts Qt's own cap on the size of pictures. Call
// once the QApplication exists, before the player's data folder is asked for and before the
// first form is built.
void setUpApplication();

} // namespace jigsaw::app
