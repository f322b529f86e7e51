#include "UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace jigsaw::folders {

QString musicFolder()
{
    // The generic data folder does not depend on the application or organisation name, which
    // the game never sets, so the folder stays the same however the program is started.
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return {};
    const QString folder = dataHome + QStringLiteral("/jigsaw-puzzle");
    if (!QDir().mkpath(folder))
        return {};
    return folder;
}

} // namespace jigsaw::folders
