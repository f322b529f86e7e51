#include "app/Game.h"
#include "platform/AppSetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    jigsaw::app::readFontConfigurationEarly();
    QApplication app(argc, argv);
    return jigsaw::runGame(QCoreApplication::applicationDirPath());
}
