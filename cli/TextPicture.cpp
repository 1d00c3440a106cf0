// The text message file drawn into a picture with Qt's fonts: a build with Qt.
#include <QGuiApplication>
#include <QtGlobal>

#include <memory>

#include "TextCommands.h"
#include "makers/MongonForm.h"
#include "makers/MongonTable.h"
#include "platform/QtFonts.h"
#include "platform/QtImage.h"

namespace tesslor::cli {

namespace {

// Qt's notes about its own set-up (a missing XDG_RUNTIME_DIR and the like)
// are no message of the tool: standard error carries the editor's messages,
// which scripts read. Critical and fatal ones still go out.
QtMessageHandler previousHandler = nullptr;

void DropQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    if (previousHandler) previousHandler(type, context, text);
}

// Qt's fonts for the duration of one drawing, without a display: a
// QGuiApplication on the off-screen platform (unless the caller chose one),
// with the substitutions that let Japanese face names reach real fonts.
class OffscreenFonts {
public:
    OffscreenFonts() {
        if (QGuiApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        previousHandler = qInstallMessageHandler(DropQtNotes);
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        gui::InstallFontSubstitutions();
    }
    ~OffscreenFonts() {
        if (!app_) return;
        app_.reset();
        qInstallMessageHandler(previousHandler);
    }
    OffscreenFonts(const OffscreenFonts&) = delete;
    OffscreenFonts& operator=(const OffscreenFonts&) = delete;

private:
    // QGuiApplication keeps references to these for its whole life.
    static inline int argc_ = 1;
    static inline char name_[] = "tesslor-cli";
    static inline char* argv_[] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

bool ReadTextMessagePicture(DocumentFiles& files, const std::string& path) {
    MongonTable table;
    if (!ReadWholeTextMessageFile(files, path, table)) return false;
    OffscreenFonts fonts;
    gui::QtImage canvas;
    DrawMongonRows(table, canvas);
    return files.ImportImage(canvas);
}

}  // namespace tesslor::cli
