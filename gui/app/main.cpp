// The editor's entry. `tesslor FILE` opens FILE (.lee, .led, .bmp, .png) after
// the usual start-up, as a file manager does with the desktop entry. The
// configuration is the file beside the executable when there is one, else the
// user's (~/.config/Tesslor/tesslor.INI), else the system's (/etc/tesslor.INI).
#include <QDir>
#include <QTimer>
#include <exception>

#include "app/Application.h"
#include "app/Drives.h"
#include "app/Mainunit.h"
#include "platform/ConfigLocation.h"
#include "platform/QtDialogs.h"

int main(int argc, char** argv) {
    using namespace tesslor;
    using namespace tesslor::gui;
    UseJapaneseSystemLocale();
    TesslorApplication app(argc, argv);
    // No organisation name: Qt would put it before the application's, and the
    // per-user folder (drive file, tmp.bmp) would become ~/.config/Tesslor/Tesslor
    // instead of ~/.config/Tesslor, where the configuration file also lies.
    QApplication::setApplicationName(QStringLiteral("Tesslor"));
    InstallJapaneseFonts(app);
    InstallJapaneseTranslations(app);
    QtPrompter prompter;
    QtFileChooser chooser;
    app.prompter = &prompter;

    const std::string exe = ExecutablePath();
    EditorEnvironment env;
    env.prompter = &prompter;
    env.chooser = &chooser;
    env.configPath = ChooseConfigFile(ConfigFilePathFor(exe), UserConfigFolder(), SystemConfigFolder());
    env.driveFilePath = ChooseDriveFilePath(exe);
    // 最近使ったファイル belongs to the user, wherever the program lies.
    if (const std::string folder = UserConfigFolder(); !folder.empty() && QDir().mkpath(QString::fromStdString(folder)))
        env.recentFilesPath = folder + "/recent.INI";

    std::unique_ptr<EditorWindows> windows;
    try {
        windows = std::make_unique<EditorWindows>(env);
    } catch (const std::exception& e) {
        prompter.Inform(e.what());
        return 0;
    }
    TMainForm& mainForm = windows->MainForm();
    mainForm.show();
    // Qt has taken its own options out of argv: what is left is ours.
    if (argc > 1) {
        const std::string path = QString::fromLocal8Bit(argv[1]).toStdString();
        QTimer::singleShot(0, &mainForm, [&mainForm, path] { mainForm.OpenFromCommandLine(path); });
    }
    app.exec();
    return 0;
}
