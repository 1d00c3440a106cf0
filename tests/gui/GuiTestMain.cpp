// The GUI tests run inside one offscreen application of the editor's own kind,
// with the editor's fonts.
#include <gtest/gtest.h>

#include "GuiHarness.h"

namespace tesslor::test {
/// Messages the application itself shows (an exception escaping a handler).
ScriptedPrompter& ApplicationPrompter() {
    static ScriptedPrompter prompter;
    return prompter;
}
}  // namespace tesslor::test

int main(int argc, char** argv) {
    // Offscreen always; a test may ask for its own screens (a configfile).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tesslor::gui::TesslorApplication app(argc, argv);
    app.prompter = &tesslor::test::ApplicationPrompter();
    tesslor::gui::InstallJapaneseFonts(app);
    tesslor::gui::InstallJapaneseTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
