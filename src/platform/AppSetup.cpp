#include "AppSetup.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStringList>

namespace jigsaw::app {

QString displayName()
{
    return QStringLiteral("ジグソーパズル");
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

void setUpApplication()
{
    QGuiApplication::setApplicationDisplayName(displayName());
    QApplication::setFont(applicationFont());
}

} // namespace jigsaw::app
