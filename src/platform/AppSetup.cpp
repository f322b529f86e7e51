#include "AppSetup.h"

#include <QApplication>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace jigsaw::app {

QString displayName()
{
    return QStringLiteral("ジグソーパズル");
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

bool loadQtJapanese()
{
    static QTranslator *translator = nullptr;
    if (translator)
        return true;
    auto *candidate = new QTranslator(qApp);
    if (!candidate->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete candidate;
        return false;
    }
    QCoreApplication::installTranslator(candidate);
    translator = candidate;
    return true;
}

void setUpApplication()
{
    // The application name alone (no organisation) names the player's data folder,
    // ~/.local/share/jigsaw-puzzle. No display name: the window system would add it to every
    // window's caption.
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationName(QStringLiteral(JIGSAW_APP_NAME));
    QGuiApplication::setDesktopFileName(applicationId());
    QApplication::setWindowIcon(icon());
    QApplication::setFont(applicationFont());
    loadQtJapanese();
    // Qt refuses pictures above 128 MB (about 33 megapixels); the picture loader judges every
    // picture against the memory the machine can give instead, before any reader allocates.
    QImageReader::setAllocationLimit(0);
}

} // namespace jigsaw::app
