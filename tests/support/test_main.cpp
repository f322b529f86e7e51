#include "platform/AppSetup.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test program runs headless and silent unless the caller chose otherwise, and in
// Japanese whatever the machine's language: the tests read the game's own texts.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    jigsaw::app::useLanguage(jigsaw::app::Language::Japanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
