#pragma once
// Start-up of the editor: the application object, the Japanese window font
// and Qt's own Japanese texts, and every window created once, in a fixed
// order, for the whole run.
#include <QApplication>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Mainunit.h"
#include "app/Cardunit.h"
#include "platform/WindowContext.h"

class QAction;
class QDialog;

namespace tesslor::gui {

class TAnimaDemoForm;
class TDemoForm;
class TMakeAnimationForm;
class TMakePerformForm;
class TMongonHensyuuForm;
class THyoujiScheduleForm;
class TPenColorForm;
class TMagnificationForm;
class TCO2SakugenSeteiForm;
class TSetei2Form;
class TSeteiForm;

/// Makes "ＭＳ Ｐゴシック" and "MS PGothic" resolve to IPA P Gothic and sets the
/// window font (12 pixels), so Japanese text never shows as empty boxes.
void InstallJapaneseFonts(QApplication& app);

/// Before the application object is made: Qt's system locale (file sizes,
/// dates and kinds in the file dialogs) becomes Japanese whatever the
/// desktop's language. The program's own texts and files do not depend on
/// the C library's locale.
void UseJapaneseSystemLocale();

/// Loads Qt's own Japanese texts (file dialogs, standard buttons, the
/// overwrite question), whatever the desktop's language. False when they are
/// not installed; the dialogs then speak English.
bool InstallJapaneseTranslations(QApplication& app);

/// The message boxes every window is given. While a file of the card is
/// opened, a question about work it would replace first says whose work that is.
class WorkNamingPrompter : public Prompter {
public:
    explicit WorkNamingPrompter(Prompter& shown) : shown_(&shown) {}
    void Inform(const std::string& text) override { shown_->Inform(text); }
    bool Confirm(const std::string& text) override { return shown_->Confirm(Named(text)); }
    bool Ask(const std::string& text) override { return shown_->Ask(Named(text)); }
    SaveChoice AskSave(const std::string& text) override { return shown_->AskSave(Named(text)); }
    /// Every question until the next call shows work on a line before its own
    /// text; "" ends that.
    void NameWork(std::string work) { work_ = std::move(work); }

private:
    std::string Named(const std::string& text) const { return work_.empty() ? text : work_ + "\n" + text; }
    Prompter* shown_;
    std::string work_;
};

/// The windows of one run, created in the program's order, wired to the main
/// window's menu items, and destroyed at exit. A new window is one member, one
/// line that creates it and one line that wires its menu item.
class EditorWindows {
public:
    explicit EditorWindows(const EditorEnvironment& env);
    ~EditorWindows();

    TMainForm& MainForm() { return *mainForm_; }
    TDemoForm& DemoForm() { return *demoForm_; }
    TPenColorForm& PenColorForm() { return *penColorForm_; }
    TMagnificationForm& MagnificationForm() { return *magnificationForm_; }
    TMakePerformForm& MakePerformForm() { return *makePerformForm_; }
    TMakeAnimationForm& MakeAnimationForm() { return *makeAnimationForm_; }
    TMongonHensyuuForm& MongonHensyuuForm() { return *mongonHensyuuForm_; }
    TAnimaDemoForm& AnimaDemoForm() { return *animaDemoForm_; }
    THyoujiScheduleForm& HyoujiScheduleForm() { return *hyoujiScheduleForm_; }
    TCO2SakugenSeteiForm& CO2SakugenSeteiForm() { return *co2SakugenSeteiForm_; }
    TSetei2Form& Setei2Form() { return *setei2Form_; }
    TSeteiForm& SeteiForm() { return *seteiForm_; }
    TCardForm& CardForm() { return *cardForm_; }

private:
    /// The item opens the window modally: the main window waits until it is closed.
    void OpenModal(QAction* item, QDialog& window);
    /// The windows after the main one, in the program's order.
    void CreateWindows();
    /// The main window's menu items, each to the window it opens.
    void WireMenuItems();
    /// The item shows the window beside the main window, or brings it to the front.
    void OpenModeless(QAction* item, QWidget& window);
    /// The item shows its notices one after the other, then runs open.
    void OpenAfterNotices(QAction* item, std::vector<std::string> notices, std::function<void()> open);
    /// Repaints the main window and its picture.
    void RepaintMainForm();
    /// Opens a file of the card where it is edited.
    void OpenCardFile(CardKind kind, const std::string& path);
    /// Shows a modal window and, once it shows, runs load (its opening empties it first).
    void ShowModalThen(QDialog& window, std::function<void()> load);
    /// The main window takes the focus again after a modal window closed.
    void GiveFocusBack();

    WorkNamingPrompter prompter_;
    std::unique_ptr<TMainForm> mainForm_;
    std::unique_ptr<TDemoForm> demoForm_;
    std::unique_ptr<TPenColorForm> penColorForm_;
    std::unique_ptr<TMagnificationForm> magnificationForm_;
    std::unique_ptr<TMakePerformForm> makePerformForm_;
    std::unique_ptr<TMakeAnimationForm> makeAnimationForm_;
    std::unique_ptr<TMongonHensyuuForm> mongonHensyuuForm_;
    std::unique_ptr<TAnimaDemoForm> animaDemoForm_;
    std::unique_ptr<THyoujiScheduleForm> hyoujiScheduleForm_;
    std::unique_ptr<TSeteiForm> seteiForm_;
    std::unique_ptr<TCO2SakugenSeteiForm> co2SakugenSeteiForm_;
    std::unique_ptr<TSetei2Form> setei2Form_;
    std::unique_ptr<TCardForm> cardForm_;
};

/// An application that shows an exception escaping a handler in a message box
/// and goes on, instead of ending the program.
class TesslorApplication : public QApplication {
public:
    TesslorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    Prompter* prompter = nullptr;
};

/// Where a file the program keeps beside itself lies: besidePath (a path in
/// the executable's folder) when that folder can be written, else the same
/// file name in the user's configuration folder (created when missing).
std::string ChooseWritablePath(const std::string& executablePath, const std::string& besidePath);

/// Where the drive file lies: beside the executable when that folder can be
/// written, else in the user's configuration folder.
std::string ChooseDriveFilePath(const std::string& executablePath);

/// Where 表示データ作成 of the text message editor leaves "tmp.bmp", by the same rule.
std::string ChooseTmpBitmapPath(const std::string& executablePath);

}  // namespace tesslor::gui
