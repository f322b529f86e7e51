#include "AppSetup.h"

#include "GameStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace jigsaw::app {

namespace {

std::optional<Language> s_language;
// The translators in use: the game's own and Qt's.
std::unique_ptr<QTranslator> s_gameTranslator;
std::unique_ptr<QTranslator> s_qtTranslator;

void removeTranslator(std::unique_ptr<QTranslator> &translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

// Loads and installs a translation; an empty pointer when it cannot be read.
std::unique_ptr<QTranslator> installTranslation(const QString &file, const QString &folder)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file, folder))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

} // namespace

QString displayName()
{
    return QCoreApplication::translate("jigsaw::app", "ジグソーパズル");
}

QString applicationId()
{
    return QStringLiteral(JIGSAW_APP_ID);
}

QIcon icon()
{
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

QFont applicationFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                      QStringLiteral("IPAexGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("TakaoGothic"), QStringLiteral("VL Gothic")});
    font.setPointSize(9);
    return font;
}

Language languageFor(const QStringList &uiLanguages)
{
    for (const QString &entry : uiLanguages) {
        if (entry.trimmed().isEmpty())
            continue;
        const QString language = entry.trimmed().section(QLatin1Char('_'), 0, 0)
                                     .section(QLatin1Char('-'), 0, 0)
                                     .section(QLatin1Char('.'), 0, 0);
        return language.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0
                   ? Language::Japanese
                   : Language::English;
    }
    return Language::English;
}

Language desktopLanguage()
{
    // GNU's LANGUAGE list comes first, as it does for every program's messages.
    const QString list = qEnvironmentVariable("LANGUAGE");
    const QStringList chosen = list.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (!chosen.isEmpty())
        return languageFor(chosen);
    return languageFor(QLocale::system().uiLanguages());
}

bool useLanguage(Language language)
{
    s_language = language;
    removeTranslator(s_gameTranslator);
    removeTranslator(s_qtTranslator);
    // The game's texts are written in Japanese; only English needs a translation. Qt's own
    // texts are English; only Japanese needs one.
    if (language == Language::English) {
        s_gameTranslator =
            installTranslation(QStringLiteral("jigsaw_en"), QStringLiteral(":/i18n"));
        return true;
    }
    s_qtTranslator = installTranslation(QStringLiteral("qtbase_ja"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return s_qtTranslator != nullptr;
}

Language currentLanguage()
{
    return s_language.value_or(Language::Japanese);
}

namespace {

// Reading the system's font configuration, started before the application exists. Joined by
// the font primer, or at exit when there never was one.
struct FontConfigReader
{
    std::thread thread;
    ~FontConfigReader()
    {
        if (thread.joinable())
            thread.join();
    }
};
FontConfigReader s_fontConfig;

std::thread s_fontPrimer;

void joinFontPrimer()
{
    if (s_fontPrimer.joinable())
        s_fontPrimer.join();
}

// The first text measured fills the toolkit's font database from the system's fonts: done on a
// thread of its own while the forms are built, it is ready when their first label asks. Only
// the shared database: a face loaded here would be this thread's alone, and the form's thread
// loads its own, so loading one would only take the processor from the form.
void primeFonts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return;
        s_fontPrimer = std::thread([] {
            if (s_fontConfig.thread.joinable())
                s_fontConfig.thread.join();
            (void)QFontDatabase::families();
        });
        qAddPostRoutine(joinFontPrimer);
    });
}

} // namespace

void setWindowIcon()
{
    if (QGuiApplication::windowIcon().isNull())
        QApplication::setWindowIcon(icon());
}

void readFontConfigurationEarly()
{
    // fontconfig parses its XML configuration once per process, the better part of the font
    // database's cost; nothing of it waits for the display connection the application makes.
    if (!s_fontConfig.thread.joinable() && !QCoreApplication::instance())
        s_fontConfig.thread = std::thread([] { FcInit(); });
}

void setUpApplication()
{
    primeFonts();
    // The application name alone (no organisation) names the player's data folder,
    // ~/.local/share/jigsaw-puzzle. No display name: the window system would add it to every
    // window's caption.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral(JIGSAW_APP_NAME));
    QGuiApplication::setDesktopFileName(applicationId());
    look::useGameStyle();
    QApplication::setFont(applicationFont());
    if (!s_language)
        useLanguage(desktopLanguage());
    // Qt refuses pictures above 128 MB (about 33 megapixels); the picture loader judges every
    // picture against the memory the machine can give instead, before any reader allocates.
    QImageReader::setAllocationLimit(0);
}

} // namespace jigsaw::app
