// The render library's tests run inside one offscreen QGuiApplication with the
// font substitutions both programs install, and no widgets at all.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "platform/QtFonts.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tesslor::gui::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
