#include "app/Application.h"

#include "platform/NativePath.h"
#include "platform/ConfigLocation.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTranslator>
#include <exception>

#include "app/Animademoformunit.h"
#include "app/Drives.h"
#include "app/Messages.h"
#include "app/Magnificationunit.h"
#include "led/Pencolorunit.h"
#include "app/MainWindowRules.h"
#include "platform/PaintBoxWidget.h"
#include "platform/QtFonts.h"
#include "card/CardOpen.h"
#include "led/Demounit.h"
#include "makers/Hyoujischeduleunit.h"
#include "makers/Makeanimationunit.h"
#include "makers/Makeperformunit.h"
#include "makers/Mongonhensyuu.h"
#include "platform/FormWidgets.h"
#include "platform/Paths.h"
#include "settings/Co2sakugenseteiunit.h"
#include "settings/Setei2unit.h"
#include "settings/Seteiunit.h"

namespace tesslor::gui {

void InstallJapaneseFonts(QApplication& app) {
    InstallFontSubstitutions();
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    app.setFont(font);
}

void UseJapaneseSystemLocale() {
    // Qt reads the system locale's name from these once, when first asked;
    // LC_ALL beats every other one.
    qputenv("LC_ALL", "ja_JP.UTF-8");
}

bool InstallJapaneseTranslations(QApplication& app) {
    // Dates, sizes and file kinds in the dialogs follow the program's language
    // rather than the desktop's.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&app);
    // Qt's own folder, then the one beside the program (the Windows zip's).
    // qt_ja pulls in qtbase_ja, where the file dialogs' texts are.
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (translator->load(QStringLiteral("qt_ja"), folder) || translator->load(QStringLiteral("qtbase_ja"), folder)) {
            app.installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

namespace {

// The environment with its message boxes replaced by prompter.
EditorEnvironment WithPrompter(EditorEnvironment env, Prompter& prompter) {
    env.prompter = &prompter;
    return env;
}

// Names the work a card file would replace for as long as it lives.
class WorkNamed {
public:
    WorkNamed(WorkNamingPrompter& prompter, std::string work) : prompter_(prompter) {
        prompter_.NameWork(std::move(work));
    }
    ~WorkNamed() { prompter_.NameWork({}); }
    WorkNamed(const WorkNamed&) = delete;
    WorkNamed& operator=(const WorkNamed&) = delete;

private:
    WorkNamingPrompter& prompter_;
};

}  // namespace

EditorWindows::EditorWindows(const EditorEnvironment& env) : prompter_(*env.prompter) {
    // Created in this order: each later window may use what the earlier ones made.
    mainForm_ = std::make_unique<TMainForm>(WithPrompter(env, prompter_));
    CreateWindows();
    WireMenuItems();
    cardForm_ = std::make_unique<TCardForm>(mainForm_->Context());
    cardForm_->onOpen = [this](CardKind kind, const std::string& path) { OpenCardFile(kind, path); };
    OpenModeless(mainForm_->CardCheck, *cardForm_);
}

void EditorWindows::CreateWindows() {
    TMainForm& main = *mainForm_;
    const WindowContext& context = main.Context();
    demoForm_ = std::make_unique<TDemoForm>(context, main.Document());
    penColorForm_ = std::make_unique<TPenColorForm>(context, main.Document());
    magnificationForm_ = std::make_unique<TMagnificationForm>(context);
    // The makers stay above the main window, also while their file dialogs
    // are open (a window manager raises the main window otherwise).
    makePerformForm_ = std::make_unique<TMakePerformForm>(context, &main);
    makeAnimationForm_ = std::make_unique<TMakeAnimationForm>(context, &main);
    // The text editor's rendering replaces the picture: one step of the main window's undo.
    mongonHensyuuForm_ = std::make_unique<TMongonHensyuuForm>(context, main.Document(), *penColorForm_, [this] {
        RepaintMainForm();
        mainForm_->PictureChangedElsewhere();
    });
    mongonHensyuuForm_->addToCard = [this](const std::string& text) { return mainForm_->AddPictureToCard(text); };
    // Its rows outlive its window: the program's end asks about them too.
    mongonHensyuuForm_->WatchProgramEnd(main);
    mongonHensyuuForm_->TmpBitmapPath =
        ChooseTmpBitmapPath(NativePath(QCoreApplication::applicationFilePath()));
    animaDemoForm_ = std::make_unique<TAnimaDemoForm>(context);
    hyoujiScheduleForm_ = std::make_unique<THyoujiScheduleForm>(context);
    // Entries not written are asked about when the program ends with the window open.
    hyoujiScheduleForm_->WatchProgramEnd(main);
    seteiForm_ = std::make_unique<TSeteiForm>(context);
    co2SakugenSeteiForm_ = std::make_unique<TCO2SakugenSeteiForm>(context);
    setei2Form_ = std::make_unique<TSetei2Form>(context);
}

void EditorWindows::WireMenuItems() {
    TMainForm& main = *mainForm_;
    main.AttachPenColorForm(*penColorForm_);
    main.AttachMagnificationForm(*magnificationForm_);
    OpenModal(main.PenColor, *penColorForm_);
    OpenModal(main.HyoujiBairitu, *magnificationForm_);
    OpenModal(main.Perform1, *makePerformForm_);
    OpenModal(main.DougaFaileSakusei, *makeAnimationForm_);
    QObject::connect(main.MongonSakusei, &QAction::triggered, mongonHensyuuForm_.get(), [this] {
        ShowModeless(*mongonHensyuuForm_);
        RepaintMainForm();
    });
    OpenAfterNotices(main.HyoujiSchedule, {kScheduleNotice}, [this] {
        ShowModeless(*hyoujiScheduleForm_);
        mainForm_->update();
    });
    QObject::connect(main.Demonstration, &QAction::triggered, &main, [this] { mainForm_->DemonstrationClick(*demoForm_); });
    QObject::connect(main.AnimeDemonstration, &QAction::triggered, &main,
                     [this] { mainForm_->AnimeDemonstrationClick(*makeAnimationForm_, *animaDemoForm_); });
    makeAnimationForm_->play = [this] { mainForm_->PlayAnimationList(*makeAnimationForm_, *animaDemoForm_); };
    // One window edits both forms: the menu item sets its caption and its mode.
    for (const bool settings2 : {false, true}) {
        OpenAfterNotices(settings2 ? main.SeteiMake2 : main.SeteiMake, {kSeteiVersionNotice, kSeteiNotice},
                         [this, settings2] {
                             seteiForm_->setWindowTitle(QString::fromUtf8(settings2 ? kSetei2Caption : kSetei1Caption));
                             seteiForm_->OpenInMode(settings2);
                             mainForm_->update();
                         });
    }
    OpenAfterNotices(main.CO21, {kCo2Notice}, [this] { ShowModeless(*co2SakugenSeteiForm_); });
    OpenModeless(main.N1, *setei2Form_);
}

void EditorWindows::ShowModalThen(QDialog& window, std::function<void()> load) {
    QTimer::singleShot(0, &window, std::move(load));
    window.exec();
}

void EditorWindows::GiveFocusBack() {
    // Some window managers hand the focus to no window when a modal one
    // closes: the main window's shortcuts (Ctrl+O) would wait for a click.
    if (!mainForm_->isVisible()) return;
    mainForm_->raise();
    mainForm_->activateWindow();
}

void EditorWindows::OpenCardFile(CardKind kind, const std::string& cardPath) {
    const CardOpening opening = CardOpeningOf(mainForm_->Context().files, kind, cardPath);
    const std::string& path = opening.path;
    switch (opening.editor) {
        case CardEditor::Picture:
            // The main window asks before dropping unsaved work; it comes
            // forward with the picture, and a picture that did not open
            // leaves the card window in front.
            if (!mainForm_->OpenFromCommandLine(path)) return;
            mainForm_->raise();
            mainForm_->activateWindow();
            return;
        // A read's message box hands the focus back to the card window when
        // it closes: the window opened comes forward again after it.
        case CardEditor::Settings1:
        case CardEditor::Settings2: {
            const bool second = opening.editor == CardEditor::Settings2;
            seteiForm_->setWindowTitle(QString::fromUtf8(second ? kSetei2Caption : kSetei1Caption));
            seteiForm_->OpenPath(path, second);
            ShowModeless(*seteiForm_);
            return;
        }
        case CardEditor::Settings3:
            setei2Form_->OpenPath(path);
            ShowModeless(*setei2Form_);
            return;
        case CardEditor::Schedule:
            hyoujiScheduleForm_->OpenPath(path);
            ShowModeless(*hyoujiScheduleForm_);
            return;
        case CardEditor::Text: {
            // The card window gives no hint that "保存しますか？" is about the
            // text editor's rows, which may lie hidden: the question says so.
            const std::string& current = mongonHensyuuForm_->Form().CurrentFile;
            const std::string work = current.empty() ? std::string("名前なし") : FileNamePart(current);
            WorkNamed named(prompter_, "文言編集の文言（" + work + "）を " + FileNamePart(path) + " で置き換えます。");
            mongonHensyuuForm_->OpenPath(path);
            ShowModeless(*mongonHensyuuForm_);
            RepaintMainForm();
            return;
        }
        case CardEditor::AnimationList:
            ShowModalThen(*makeAnimationForm_, [this, path] { makeAnimationForm_->OpenPath(path); });
            return;
        case CardEditor::Perform:
            ShowModalThen(*makePerformForm_, [this, path] { makePerformForm_->OpenPath(path); });
            return;
        case CardEditor::None:
            mainForm_->Context().prompter.Inform(opening.refusal);
            return;
    }
}

void EditorWindows::RepaintMainForm() {
    mainForm_->update();
    // The text editor puts its picture into the document without drawing it:
    // the editing area's kept image is drawn afresh.
    mainForm_->PaintBox1->Refresh();
}

void EditorWindows::OpenModal(QAction* item, QDialog& window) {
    QObject::connect(item, &QAction::triggered, &window, [this, &window] {
        window.exec();
        GiveFocusBack();
    });
}

void EditorWindows::OpenModeless(QAction* item, QWidget& window) {
    QObject::connect(item, &QAction::triggered, &window, [&window] { ShowModeless(window); });
}

void EditorWindows::OpenAfterNotices(QAction* item, std::vector<std::string> notices, std::function<void()> open) {
    QObject::connect(item, &QAction::triggered, mainForm_.get(), [this, notices, open] {
        for (const std::string& notice : notices) mainForm_->Context().prompter.Inform(notice);
        open();
    });
}

EditorWindows::~EditorWindows() {
    setei2Form_.reset();
    co2SakugenSeteiForm_.reset();
    seteiForm_.reset();
    hyoujiScheduleForm_.reset();
    animaDemoForm_.reset();
    mongonHensyuuForm_.reset();
    makeAnimationForm_.reset();
    makePerformForm_.reset();
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
        if (prompter) prompter->Inform(kUnexpectedErrorMessage);
    }
    return false;
}

namespace {

// Whether a file can be made in folder: tried, not guessed from its
// permissions (on Windows a folder such as Program Files says it may be
// written, and refuses the file).
bool FolderTakesFiles(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/tesslor-probe-XXXXXX"));
    return probe.open();
}

}  // namespace

std::string ChooseWritablePath(const std::string& executablePath, const std::string& besidePath) {
    const QFileInfo exe(QString::fromStdString(executablePath));
    // Beside the executable when its folder may be written, unless that is a
    // folder programs are installed in (root may write /usr/bin, and should not).
    const QString folder = exe.absolutePath();
    if (!executablePath.empty() && !IsInstalledProgramFolder(folder.toStdString()) && FolderTakesFiles(folder))
        return besidePath;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (dir.isEmpty()) return besidePath;
    QDir().mkpath(dir);
    return NativePath(dir + QLatin1Char('/') + QFileInfo(QString::fromStdString(besidePath)).fileName());
}

std::string ChooseDriveFilePath(const std::string& executablePath) {
    return ChooseWritablePath(executablePath, DriveFilePathFor(executablePath));
}

std::string ChooseTmpBitmapPath(const std::string& executablePath) {
    // The executable's folder with the name appended.
    const QString folder = QFileInfo(QString::fromStdString(executablePath)).absolutePath();
    return ChooseWritablePath(executablePath, NativePath(folder + QStringLiteral("/tmp.bmp")));
}

}  // namespace tesslor::gui
