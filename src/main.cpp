#include "app/Game.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return jigsaw::runGame(QCoreApplication::applicationDirPath());
}
