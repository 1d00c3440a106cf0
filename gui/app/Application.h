#pragma once
// Start-up of the editor: the application object, the Japanese window font,
// and every window created once, in a fixed order, for the whole run.
#include <QApplication>
#include <memory>

#include "app/Mainunit.h"

namespace tesslor::gui {

class TDemoForm;
class TPenColorForm;
class TMagnificationForm;

/// Makes "ＭＳ Ｐゴシック" and "MS PGothic" resolve to IPA P Gothic and sets the
/// window font (12 pixels), so Japanese text never shows as empty boxes.
void InstallJapaneseFonts(QApplication& app);

/// The windows of one run, created in the program's order and destroyed at exit.
class EditorWindows {
public:
    explicit EditorWindows(const EditorEnvironment& env);
    ~EditorWindows();

    TMainForm& MainForm() { return *mainForm_; }
    TDemoForm& DemoForm() { return *demoForm_; }
    TPenColorForm& PenColorForm() { return *penColorForm_; }
    TMagnificationForm& MagnificationForm() { return *magnificationForm_; }

private:
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TDemoForm> demoForm_;
    std::unique_ptr<TPenColorForm> penColorForm_;
    std::unique_ptr<TMagnificationForm> magnificationForm_;
};

/// An application that shows an exception escaping a handler in a message box
/// and goes on, instead of ending the program.
class TesslorApplication : public QApplication {
public:
    TesslorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    Prompter* prompter = nullptr;
};

/// Where the drive file lies: beside the executable when that folder can be
/// written, else in the user's configuration folder.
std::string ChooseDriveFilePath(const std::string& executablePath);

}  // namespace tesslor::gui
