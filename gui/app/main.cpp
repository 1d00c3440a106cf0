// The editor's entry: no arguments are read; the configuration lies beside the executable.
#include <exception>

#include "app/Application.h"
#include "app/Drives.h"
#include "platform/QtDialogs.h"

int main(int argc, char** argv) {
    using namespace tesslor;
    using namespace tesslor::gui;
    TesslorApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tesslor"));
    QApplication::setOrganizationName(QStringLiteral("Tesslor"));
    InstallJapaneseFonts(app);
    InstallJapaneseTranslations(app);
    QtPrompter prompter;
    QtFileChooser chooser;
    app.prompter = &prompter;

    const std::string exe = ExecutablePath();
    EditorEnvironment env;
    env.prompter = &prompter;
    env.chooser = &chooser;
    env.configPath = ConfigFilePathFor(exe);
    env.driveFilePath = ChooseDriveFilePath(exe);

    std::unique_ptr<EditorWindows> windows;
    try {
        windows = std::make_unique<EditorWindows>(env);
    } catch (const std::exception& e) {
        prompter.Inform(e.what());
        return 0;
    }
    windows->MainForm().show();
    app.exec();
    return 0;
}
