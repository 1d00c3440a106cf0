// The GUI tests run inside one offscreen application with the editor's fonts.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/Application.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tesslor::gui::InstallJapaneseFonts(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
