#include "app/Mainunit.h"


#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/Animademoformunit.h"
#include "app/Magnification.h"
#include "app/Magnificationunit.h"
#include "app/MainWindowRules.h"
#include "led/Pencolorunit.h"
#include "led/DocumentStep.h"
#include "platform/NativePath.h"
#include "platform/WindowSizes.h"
#include "makers/Makeanimationunit.h"
#include "platform/PaintBoxWidget.h"
#include "platform/QtImage.h"
#include "platform/RadioGroup.h"
#include "platform/Windows.h"

namespace tesslor::gui {

namespace {
// The user's pictures folder where it exists, else the home folder.
std::string PicturesFolder(const std::string& given) {
    if (!given.empty()) return given;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return NativePath(!pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath());
}
}  // namespace

TMainForm::TMainForm(const EditorEnvironment& env, QWidget* parent)
    : QMainWindow(parent),
      prompter_(*env.prompter),
      files_(env.files ? *env.files : RealFileSystem()),
      driveFilePath_(env.driveFilePath),
      configFile_(env.configPath, files_),
      driveRoots_(configFile_, prompter_, files_),
      context_{prompter_, *env.chooser, files_, config_, [this] { return DriveRoot(); },
               [this](const std::string& done) { ShowCardStatus(done); }, PicturesFolder(env.picturesFolder)} {
    setObjectName(QStringLiteral("MainForm"));
    if (!env.recentFilesPath.empty()) {
        recentProfile_ = std::make_unique<IniProfile>(env.recentFilesPath, files_);
        recent_ = RecentFiles(recentProfile_.get());
    }
    // A file dropped on the window opens as from the menu.
    setAcceptDrops(true);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    CreateControlBar(central);
    CreateEditingArea(central);
    setCentralWidget(central);
    ConnectControls();
    CreateFileMenu();
    CreateToolMenu();
    CreateViewMenus();
    CreateEditMenu();
    ConnectMenus();
    CreateDrawingToolBar();
    CreateStatusBar();
    CreateDialogs();
    ApplyConfiguration();
    FormCreate();
    UpdateEditActions();
    UpdateStatusBar();
    // The tool bar and the status bar come beside the window's specified
    // client area, not out of it: the control bar keeps its full width.
    const WindowSize outer{kMainFormSize.width + DrawingToolBar->sizeHint().width(),
                           kMainFormSize.height + statusBar()->sizeHint().height()};
    PlaceCentred(*this, outer, kSizeableFrame);
}

TMainForm::~TMainForm() {
    // The controls die after this body has run, when the window is only a
    // QWidget any more; none of their last signals may reach its handlers.
    for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
    ReverseModeColorRadioGroup->onClick = nullptr;
    PaintBox1->onPaint = nullptr;
    PaintBox1->removeEventFilter(this);
}

void TMainForm::AttachPenColorForm(TPenColorForm& form) {
    penColorForm_ = &form;
    connect(&form, &QDialog::finished, this, [this](int) { UpdateStatusBar(); });
}

void TMainForm::ConnectControls() {
    PaintBox1->onPaint = [this] { PaintBox1Paint(); };
    connect(PaintBox1, &PaintBoxWidget::mousePressed, this,
            [this](Qt::MouseButton b, Qt::MouseButtons bs, QPoint p) { PaintBox1MouseDown(b, bs, p); });
    connect(PaintBox1, &PaintBoxWidget::mouseMoved, this,
            [this](Qt::MouseButtons bs, QPoint p) { PaintBox1MouseMove(bs, p); });
    connect(PaintBox1, &PaintBoxWidget::zoomRequested, this, [this](int steps, QPoint p) { ZoomAt(steps, p); });
    // The widget reports no releases, no modifier keys and no leaving: they
    // are taken from its events here. Moves without a button held tell the
    // status bar where the pointer is.
    PaintBox1->installEventFilter(this);
    // Ctrl+Z and Ctrl+Y belong to a text box of the bar only while it has
    // typing of its own to take back; otherwise they act on the picture.
    WriteNoMaskComboBox->installEventFilter(this);
    NiniItiMaskEdit->installEventFilter(this);
    PaintBox1->setMouseTracking(true);
    // A click on the picture takes the keys from a text box: Ctrl+Z then undoes
    // in the picture, not in the box.
    PaintBox1->setFocusPolicy(Qt::ClickFocus);

    // Only the operator's own choices and typing run the handlers; what the
    // program puts into a control does not count as an edit.
    connect(WriteNoMaskComboBox, &QComboBox::activated, this, [this](int) { WriteNoMaskComboBoxChange(); });
    connect(WriteNoMaskComboBox->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { WriteNoMaskComboBoxChange(); });
    connect(DisplayModeComboBox, &QComboBox::activated, this, [this](int) { DisplayModeComboBoxChange(); });
    connect(SounyuuMojiComboBox, &QComboBox::activated, this, [this](int) { SounyuuMojiComboBoxChange(); });
    connect(SounyuuItiComboBox, &QComboBox::activated, this, [this](int) { SounyuuItiComboBoxChange(); });
    connect(NiniItiMaskEdit, &QLineEdit::textEdited, this, [this](const QString&) { NiniItiMaskEditChange(); });
    connect(UwagakiHozonButton, &QPushButton::clicked, this, [this] { UwagakiHozonButtonClick(); });
    ReverseModeColorRadioGroup->onClick = [this] { ReverseModeColorRadioGroupClick(); };
}

// ---- menus ----

void TMainForm::ConnectMenus() {
    // The items that open other windows are wired where those windows are made.
    const std::pair<QAction*, void (TMainForm::*)()> handlers[] = {
        {NewFileOpen, &TMainForm::NewFileOpenClick},     {FileOpen, &TMainForm::FileOpenClick},
        {FileWrite, &TMainForm::FileWriteClick},         {FileWriteName, &TMainForm::FileWriteNameClick},
        {BmpFileOpen, &TMainForm::BmpFileOpenClick},     {BmpFileWrite, &TMainForm::BmpFileWriteClick},
        {OldFileOpen, &TMainForm::OldFileOpenClick},     {OldFileWrite, &TMainForm::OldFileWriteClick},
        {M_Exit, &TMainForm::M_ExitClick},               {Verssion, &TMainForm::VerssionClick},
        {TesslorNiTuite, &TMainForm::TesslorNiTuiteClick},
    };
    for (const auto& [action, handler] : handlers)
        connect(action, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
}

void TMainForm::CreateDialogs() {
    FileChooser& chooser = context_.chooser;
    AnaOpenDialog = std::make_unique<FileDialog>(chooser, kAnimationListOpenDialog);
}

// ---- start-up and close ----

void TMainForm::ApplyConfiguration() {
    config_ = ReadStartupConfig(configFile_);
    for (const std::string& name : DisabledMenuItemNames(ReadAllMakers(configFile_)))
        if (QAction* a = findChild<QAction*>(QString::fromStdString(name))) a->setEnabled(false);
    for (const std::string& item : WriteNoListItems(config_)) WriteNoMaskComboBox->addItem(QString::fromStdString(item));
    for (const std::string& name : HiddenControlNames(config_)) {
        const QString objectName = QString::fromStdString(name);
        if (QAction* a = findChild<QAction*>(objectName)) a->setVisible(false);
        else if (QWidget* w = findChild<QWidget*>(objectName)) w->setVisible(false);
    }
}

void TMainForm::FormCreate() {
    document_ = std::make_unique<LedHyoujikiClass>(*PaintBox1, DisplayShapeOf(config_));
    documentFiles_ = std::make_unique<DocumentFiles>(*document_, prompter_, files_, config_.CustomerMode);
    documentFiles_->SetDriveRootProvider([this] { return DriveRoot(); });
    bar_ = std::make_unique<ControlBar>(*document_, prompter_, config_.CustomerMode);
    commands_ = std::make_unique<DocumentCommands>(*documentFiles_, *bar_, context_.chooser, &recent_, [this] {
            // The editor's image reads PNG as well as BMP.
            return std::make_unique<QtImage>(files_);
        });
    commands_->onRecentChanged = [this] { ShowRecentFiles(); };
    commands_->onCardAdded = [this](const std::string& done) { ShowCardStatus(done); };
    tools_ = std::make_unique<DrawingTools>(*document_);
    FillBarLists();
    bar_->FormCreate();
    ShowBar(bar_->state);
    setWindowTitle(QString::fromStdString(MainCaption(config_, false)));
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    const IniProfile drive(driveFilePath_, files_);
    if (const auto index =
            DriveIndexForStoredValue(drive.ReadString("Drive", "Drive", ""), MappedDriveLetters(configFile_)))
        DriveComboBox->setCurrentIndex(*index);
    const bool schedule = EnablesSchedule(ReadKiki(configFile_));
    HyoujiSchedule->setEnabled(schedule);
    if (schedule) setWindowTitle(QString::fromStdString(MainCaption(config_, true)));
}

bool TMainForm::FormClose() {
    EndStroke();
    return commands_->Close(driveFilePath_, DriveText());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormClose()) {
        event->accept();
        QMainWindow::closeEvent(event);
    } else {
        event->ignore();
    }
}

std::string TMainForm::DriveText() const { return DriveComboBox->currentText().toStdString(); }

std::string TMainForm::DriveRoot() { return driveRoots_.RootFor(DriveText()); }

Rgb TMainForm::PenColorValue() const { return penColorForm_ ? penColorForm_->PenColor() : kRed; }

// ---- editing area ----

void TMainForm::PaintBox1Paint() { document_->Paint(); }

void TMainForm::PaintBox1MouseDown(Qt::MouseButton button, Qt::MouseButtons, QPoint pos) {
    ShowPointer(pos);
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    if (!tools_->Dragging()) strokeButton_ = button;
    // The left button paints in the pen colour, the right one erases, with every tool.
    tools_->Press(PointerAtPixel(*document_, pos.x(), pos.y()), button == Qt::LeftButton ? PenColorValue() : kBlack);
    if (!tools_->Dragging()) RecordPicture();
}

void TMainForm::PaintBox1MouseMove(Qt::MouseButtons buttons, QPoint pos) {
    ShowPointer(pos);
    if (!(buttons & (Qt::LeftButton | Qt::RightButton))) {
        // A release the window never saw (the button let go elsewhere) ends the stroke here.
        if (tools_->Dragging()) EndStroke();
        return;
    }
    if (!tools_->Dragging() && tools_->Current() == Tool::Pen)
        strokeButton_ = (buttons & Qt::LeftButton) ? Qt::LeftButton : Qt::RightButton;
    // With both buttons held the right one wins.
    tools_->Move(PointerAtPixel(*document_, pos.x(), pos.y()), (buttons & Qt::RightButton) ? kBlack : PenColorValue());
}

void TMainForm::PaintBox1MouseUp(Qt::MouseButton button, QPoint pos) {
    if (!tools_->Dragging() || button != strokeButton_) return;
    tools_->Release(PointerAtPixel(*document_, pos.x(), pos.y()));
    EndStroke();
}

void TMainForm::MagnificationComboBoxChange() {
    const int value = magnificationForm_ ? magnificationForm_->Magnification() : 100;
    document_->Relayout(*PaintBox1, value);
    ApplyFitScale();
}

void TMainForm::ApplyFitScale() {
    const bool fit = magnificationForm_ && magnificationForm_->FitSelected();
    PaintBox1->SetDisplayScale(fit ? FitScale(ScrollBox->viewport()->width(), PaintBox1->Width()) : 1.0);
}

void TMainForm::ZoomAt(int steps, QPoint pos) {
    if (!magnificationForm_) return;
    // The pitch as shown (全体表示 shows the board scaled), and where the
    // pointer is in the viewport, to keep the same dot under it.
    const double oldScale = PaintBox1->DisplayScale();
    const int oldPitch = static_cast<int>(document_->Pitch() * oldScale + 0.5);
    const QPoint shown = PaintBox1->ToWidget(pos);
    const QPoint inViewport = PaintBox1->mapTo(ScrollBox->viewport(), shown);
    if (!magnificationForm_->StepMagnification(steps)) return;
    ScrollBox->widget()->layout()->activate();
    const Point scroll = ScrollKeepingPointer({shown.x(), shown.y()}, oldPitch, document_->Pitch(),
                                              {PaintBox1->x(), PaintBox1->y()}, {inViewport.x(), inViewport.y()});
    ScrollBox->horizontalScrollBar()->setValue(scroll.x);
    ScrollBox->verticalScrollBar()->setValue(scroll.y);
}

// ---- control bar ----

template <class Rule>
void TMainForm::RunBarRule(Rule rule, const char* typing) {
    if (showingBar_ || !bar_) return;
    {
        // A setting changed is a step of its own; a box typed into key by key is one step.
        const DocumentStep step(*document_, typing ? typing : "");
        bar_->state = ReadBar();
        (bar_.get()->*rule)();
    }
    ShowBar(bar_->state);
    UpdateEditActions();
    UpdateStatusBar();
}

void TMainForm::DisplayModeComboBoxChange() { RunBarRule(&ControlBar::DisplayModeComboBoxChange); }
void TMainForm::SounyuuMojiComboBoxChange() { RunBarRule(&ControlBar::SounyuuMojiComboBoxChange); }
void TMainForm::SounyuuItiComboBoxChange() { RunBarRule(&ControlBar::SounyuuItiComboBoxChange); }
void TMainForm::NiniItiMaskEditChange() { RunBarRule(&ControlBar::NiniItiMaskEditChange, "NiniItiMaskEdit"); }
void TMainForm::ReverseModeColorRadioGroupClick() { RunBarRule(&ControlBar::ReverseModeColorRadioGroupClick); }
void TMainForm::WriteNoMaskComboBoxChange() {
    RunBarRule(&ControlBar::WriteNoMaskComboBoxChange, "WriteNoMaskComboBox");
}
void TMainForm::ShowDocumentSettings() { RunBarRule(&ControlBar::ShowDocumentSettings); }

// ---- file commands ----

template <class Command>
void TMainForm::RunCommand(Command command) {
    // A stroke in progress ends first, so that it is a step of its own.
    EndStroke();
    (commands_.get()->*command)();
    ShowDocument();
}

void TMainForm::NewFileOpenClick() { RunCommand(&DocumentCommands::NewFile); }
void TMainForm::FileOpenClick() { RunOpening(&DocumentCommands::Open); }
void TMainForm::OldFileOpenClick() { RunOpening(&DocumentCommands::OpenOld); }
void TMainForm::BmpFileOpenClick() { RunOpening(&DocumentCommands::ImportBitmap); }

void TMainForm::RunOpening(bool (DocumentCommands::*open)()) {
    EndStroke();
    const bool opened = (commands_.get()->*open)();
    ShowDocument();
    if (opened) ShowPictureStart();
}

void TMainForm::ShowPictureStart() {
    // A picture opened where the view had scrolled to the board's far end
    // would look empty: its start (the top left corner) is shown.
    ScrollBox->horizontalScrollBar()->setValue(0);
    ScrollBox->verticalScrollBar()->setValue(0);
}
void TMainForm::FileWriteClick() { RunCommand(&DocumentCommands::Save); }
// The bar's 上書き保存 button is ファイル → 上書き保存.
void TMainForm::UwagakiHozonButtonClick() { FileWriteClick(); }
void TMainForm::FileWriteNameClick() { RunCommand(&DocumentCommands::SaveAs); }
void TMainForm::BmpFileWriteClick() { RunCommand(&DocumentCommands::ExportBitmap); }
void TMainForm::OldFileWriteClick() { RunCommand(&DocumentCommands::SaveOld); }
void TMainForm::M_ExitClick() { close(); }

bool TMainForm::OpenByName(const std::string& path) {
    EndStroke();
    const bool ok = commands_->OpenByName(path);
    ShowDocument();
    if (ok) ShowPictureStart();
    return ok;
}

bool TMainForm::OpenFromCommandLine(const std::string& path) {
    if (!OpenedKindOf(path)) {
        prompter_.Inform(UnknownKindMessage(path));
        return false;
    }
    return OpenByName(path);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return;
    const std::string path = NativePath(urls[0].toLocalFile());
    if (OpenedKindOf(path) || IsImportImageName(path)) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return;
    const std::string path = NativePath(urls[0].toLocalFile());
    event->acceptProposedAction();
    // The questions come after the drop has ended, not while the source waits.
    QTimer::singleShot(0, this, [this, path] {
        if (OpenedKindOf(path)) OpenByName(path);
        else ImportImageByName(path);
    });
}

void TMainForm::OpenLedDataFileByName(const std::string& path) {
    commands_->LoadWithoutQuestion(path);
    ShowDocument();
    QCoreApplication::processEvents();
}

// ---- editing ----

void TMainForm::SelectTool(Tool tool) {
    tools_->Select(tool);
    RecordPicture();
    const std::pair<Tool, QToolButton*> buttons[] = {{Tool::Pen, PenToolButton},
                                                     {Tool::Line, LineToolButton},
                                                     {Tool::Rectangle, RectangleToolButton},
                                                     {Tool::FilledRectangle, FilledRectangleToolButton},
                                                     {Tool::Fill, FillToolButton}};
    for (const auto& [which, button] : buttons)
        if (which == tool) button->defaultAction()->setChecked(true);
}

void TMainForm::RecordPicture() {
    UpdateEditActions();
    UpdateStatusBar();
}

void TMainForm::ShowDocument() {
    ShowBar(bar_->state);
    UpdateEditActions();
    UpdateStatusBar();
}

void TMainForm::EndStroke() {
    tools_->End();
    strokeButton_ = Qt::NoButton;
    RecordPicture();
}

void TMainForm::UndoClick() { RunCommand(&DocumentCommands::Undo); }
void TMainForm::RedoClick() { RunCommand(&DocumentCommands::Redo); }

// The 編集 menu's picture edits.
void TMainForm::ShiftClick(int dx, int dy) {
    EndStroke();
    commands_->ShiftDots(dx, dy);
    ShowDocument();
}

void TMainForm::FlipHorizontallyClick() { RunCommand(&DocumentCommands::FlipDotsHorizontally); }
void TMainForm::FlipVerticallyClick() { RunCommand(&DocumentCommands::FlipDotsVertically); }
void TMainForm::SwapRedGreenClick() { RunCommand(&DocumentCommands::SwapDotColors); }
void TMainForm::ClearPictureClick() { RunCommand(&DocumentCommands::ClearDots); }

void TMainForm::PictureChangedElsewhere() {
    // The other window has drawn the picture itself; a stroke here has ended.
    tools_->End();
    strokeButton_ = Qt::NoButton;
    ShowDocument();
}

void TMainForm::UpdateEditActions() {
    UndoAction->setEnabled(document_->CanUndo());
    RedoAction->setEnabled(document_->CanRedo());
}

void TMainForm::UpdateStatusBar() {
    if (!document_) return;
    PenColorStatusLabel->setText(QString::fromStdString(PenColorText(*document_, PenColorValue())));
    const int percent = magnificationForm_ ? magnificationForm_->Magnification() : 100;
    // 全体表示 shows the board larger than its layout: the status says what shows.
    const int shownPercent = static_cast<int>(percent * PaintBox1->DisplayScale() + 0.5);
    MagnificationStatusLabel->setText(QString::fromStdString(MagnificationText(shownPercent)));
    UsedWidthStatusLabel->setText(QString::fromStdString(UsedWidthText(UsedWidth(*document_))));
    FileStatusLabel->setText(QString::fromStdString(DocumentStatusText(document_->FileName, document_->Modified())));
    FileStatusLabel->setToolTip(QString::fromStdString(document_->FileName));
    if (document_->Modified()) CardStatusLabel->clear();
}

void TMainForm::ShowCardStatus(const std::string& done) {
    // Several lines (a write's message before the card's) read as one, the
    // card's first: a narrow window cuts the line's end.
    QStringList lines = QString::fromStdString(done).split(QLatin1Char('\n'));
    lines.prepend(lines.takeLast());
    const QString text = lines.join(QStringLiteral("　"));
    CardStatusLabel->setText(text);
    CardStatusLabel->setToolTip(text);
}

void TMainForm::ShowPointer(std::optional<QPoint> pos) {
    // The dot the pen would paint there.
    std::optional<Point> dot;
    if (pos) dot = DotAtPixel(*document_, pos->x(), pos->y());
    PositionStatusLabel->setText(QString::fromStdString(DotPositionText(dot)));
    PenColorStatusLabel->setText(QString::fromStdString(PenColorText(*document_, PenColorValue())));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // The write number's box has the focus for its line edit.
        auto* edit = watched == WriteNoMaskComboBox ? WriteNoMaskComboBox->lineEdit() : qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (edit && ((key->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) ||
                     (key->matches(QKeySequence::Redo) && !edit->isRedoAvailable()) ||
                     (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier && !edit->isRedoAvailable())))
            return true;  // not taken by the box: the menu's shortcut runs
    }
    if (watched == PaintBox1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
            tools_->SetShift(static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier);
            break;
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            tools_->SetShift(e->modifiers() & Qt::ShiftModifier);
            PaintBox1MouseUp(e->button(), PaintBox1->ToSurface(e->position().toPoint()));
            break;
        }
        case QEvent::Leave:
            ShowPointer(std::nullopt);
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    // Escape drops the shape being dragged; Shift holds a line to 0, 45 or 90 degrees.
    if (event->key() == Qt::Key_Escape && tools_->Escape()) {
        strokeButton_ = Qt::NoButton;
        return;
    }
    if (event->key() == Qt::Key_Shift && tools_->SetShift(true)) return;
    QMainWindow::keyPressEvent(event);
}

void TMainForm::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift && tools_->SetShift(false)) return;
    QMainWindow::keyReleaseEvent(event);
}

// ---- view and help ----

void TMainForm::VerssionClick() { prompter_.Inform(VersionBoxText()); }

void TMainForm::TesslorNiTuiteClick() { prompter_.Inform(EnquiryText()); }

}  // namespace tesslor::gui
