#include "app/Application.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QStandardPaths>
#include <exception>
#include <unistd.h>

#include "app/Drives.h"
#include "app/Magnificationunit.h"
#include "app/Pencolorunit.h"
#include "led/Demounit.h"

namespace tesslor::gui {

void InstallJapaneseFonts(QApplication& app) {
    const QStringList ipa = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック"),
                             QStringLiteral("IPAGothic")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), ipa);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), ipa);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    app.setFont(font);
}

EditorWindows::EditorWindows(const EditorEnvironment& env) {
    mainForm_ = std::make_unique<TMainForm>(env);
    demoForm_ = std::make_unique<TDemoForm>(mainForm_->Document());
    penColorForm_ = std::make_unique<TPenColorForm>(mainForm_->Document(), mainForm_->Config().NanSyoku);
    magnificationForm_ = std::make_unique<TMagnificationForm>();
    mainForm_->SetCompanions(demoForm_.get(), penColorForm_.get(), magnificationForm_.get());
}

EditorWindows::~EditorWindows() {
    magnificationForm_.reset();
    penColorForm_.reset();
    demoForm_.reset();
    mainForm_.reset();
}

TesslorApplication::TesslorApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TesslorApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (prompter) prompter->Inform(e.what());
    } catch (...) {
        if (prompter) prompter->Inform("予期しないエラーが発生しました");
    }
    return false;
}

std::string ChooseDriveFilePath(const std::string& executablePath) {
    const std::string beside = DriveFilePathFor(executablePath);
    const QFileInfo exe(QString::fromStdString(executablePath));
    if (!executablePath.empty() && ::access(exe.absolutePath().toLocal8Bit().constData(), W_OK) == 0) return beside;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty()) return beside;
    QDir().mkpath(dir);
    return (dir + QLatin1Char('/') + QFileInfo(QString::fromStdString(beside)).fileName()).toStdString();
}

}  // namespace tesslor::gui
