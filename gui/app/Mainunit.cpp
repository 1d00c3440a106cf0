#include "app/Mainunit.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/Animademoformunit.h"
#include "app/FileDialogs.h"
#include "app/Magnificationunit.h"
#include "app/MainWindowRules.h"
#include "app/Pencolorunit.h"
#include "app/WindowSizes.h"
#include "makers/Makeanimationunit.h"
#include "platform/PaintBoxWidget.h"
#include "platform/RadioGroup.h"
#include "platform/Windows.h"

namespace tesslor::gui {

namespace {
// The control bar is 57 pixels high; the editing area lies at (1, 64) of the
// client area, 7 pixels below it.
constexpr int kBarHeight = 57;
constexpr int kPaintBoxLeft = 1;
constexpr int kPaintBoxGap = 64 - kBarHeight;
// The bar's labels stand above their controls.
constexpr int kLabelTop = 6;
constexpr int kControlTop = 24;
constexpr int kControlHeight = 22;
// 動画のデモ with a list of no pictures, and with more than the demo holds.
constexpr const char* kNoAnimationFilesMessage = "ファイルが追加されていません";
constexpr const char* kDemoFirstFramesMessage = "ファイルが３０を超えていますので、最初の３０ファイルを表示します";
}  // namespace

TMainForm::TMainForm(const EditorEnvironment& env, QWidget* parent)
    : QMainWindow(parent),
      prompter_(*env.prompter),
      files_(env.files ? *env.files : RealFileSystem()),
      driveFilePath_(env.driveFilePath),
      configFile_(env.configPath, files_),
      driveRoots_(configFile_, prompter_, files_),
      context_{prompter_, *env.chooser, files_, config_, [this] { return DriveRoot(); }} {
    setObjectName(QStringLiteral("MainForm"));
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
    ConnectMenus();
    CreateDialogs();
    ApplyConfiguration();
    FormCreate();
    PlaceCentred(*this, kMainFormSize, kSizeableFrame);
}

TMainForm::~TMainForm() {
    // The controls die after this body has run, when the window is only a
    // QWidget any more; none of their last signals may reach its handlers.
    for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
    ReverseModeColorRadioGroup->onClick = nullptr;
    PaintBox1->onPaint = nullptr;
}

void TMainForm::AttachPenColorForm(TPenColorForm& form) { penColorForm_ = &form; }

void TMainForm::AttachMagnificationForm(TMagnificationForm& form) {
    magnificationForm_ = &form;
    form.onMagnification = [this](int value) { document_->Relayout(*PaintBox1, value); };
}

// ---- controls ----

void TMainForm::CreateControlBar(QWidget* central) {
    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(kBarHeight);
    Panel1->setFrameShape(QFrame::StyledPanel);
    central->layout()->addWidget(Panel1);

    auto label = [this](const char* name, const char* text, int x) {
        auto* l = new QLabel(QString::fromUtf8(text), Panel1);
        l->setObjectName(QString::fromLatin1(name));
        l->move(x, kLabelTop);
        l->adjustSize();
        return l;
    };
    auto combo = [this](const char* name, int x, int width, bool editable) {
        auto* c = new QComboBox(Panel1);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(editable);
        c->setGeometry(x, kControlTop, width, kControlHeight);
        c->setMaxVisibleItems(20);
        return c;
    };

    Label4 = label("Label4", "書込みNo", 8);
    WriteNoMaskComboBox = combo("WriteNoMaskComboBox", 8, 58, true);
    WriteNoMaskComboBox->setInsertPolicy(QComboBox::NoInsert);

    Label1 = label("Label1", "表示モード", 74);
    DisplayModeComboBox = combo("DisplayModeComboBox", 74, 186, false);

    Label3 = label("Label3", "ドライブ", 268);
    DriveComboBox = combo("DriveComboBox", 268, 44, false);
    for (char c = 'A'; c <= 'Z'; ++c) DriveComboBox->addItem(QString(QChar(c)));
    DriveComboBox->setCurrentIndex(-1);

    UwagakiHozonButton = new QPushButton(QStringLiteral("上書き保存"), Panel1);
    UwagakiHozonButton->setObjectName(QStringLiteral("UwagakiHozonButton"));
    UwagakiHozonButton->setGeometry(320, 20, 78, 27);

    ReverseModeColorRadioGroup = new RadioGroup(QStringLiteral("反転の色"), 3, Panel1);
    ReverseModeColorRadioGroup->setObjectName(QStringLiteral("ReverseModeColorRadioGroup"));
    ReverseModeColorRadioGroup->setGeometry(406, 2, 150, 50);
    ReverseModeColorRadioGroup->setEnabled(false);

    Label5 = label("Label5", "挿入文字", 564);
    SounyuuMojiComboBox = combo("SounyuuMojiComboBox", 564, 130, false);
    SounyuuMojiComboBox->setEnabled(false);
    Label6 = label("Label6", "挿入位置", 700);
    SounyuuItiComboBox = combo("SounyuuItiComboBox", 700, 100, false);
    SounyuuItiComboBox->setEnabled(false);
    Label7 = label("Label7", "任意位置", 806);
    NiniItiMaskEdit = new QLineEdit(Panel1);
    NiniItiMaskEdit->setObjectName(QStringLiteral("NiniItiMaskEdit"));
    NiniItiMaskEdit->setGeometry(806, kControlTop, 44, kControlHeight);
    // The position takes at most three digits and nothing else.
    NiniItiMaskEdit->setMaxLength(3);
    NiniItiMaskEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), NiniItiMaskEdit));
    NiniItiMaskEdit->setEnabled(false);
}

void TMainForm::CreateEditingArea(QWidget* central) {
    // The editing area scrolls when it is larger than the window.
    ScrollBox = new QScrollArea(central);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setWidgetResizable(false);
    auto* holder = new QWidget;
    holder->setObjectName(QStringLiteral("PaintBoxHolder"));
    PaintBox1 = new PaintBoxWidget(holder);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    auto* holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(kPaintBoxLeft, kPaintBoxGap, 0, 0);
    holderLayout->setSizeConstraint(QLayout::SetFixedSize);
    holderLayout->addWidget(PaintBox1, 0, Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->setWidget(holder);
    static_cast<QVBoxLayout*>(central->layout())->addWidget(ScrollBox, 1);
}

void TMainForm::ConnectControls() {
    PaintBox1->onPaint = [this] { PaintBox1Paint(); };
    connect(PaintBox1, &PaintBoxWidget::mousePressed, this,
            [this](Qt::MouseButton b, Qt::MouseButtons bs, QPoint p) { PaintBox1MouseDown(b, bs, p); });
    connect(PaintBox1, &PaintBoxWidget::mouseMoved, this,
            [this](Qt::MouseButtons bs, QPoint p) { PaintBox1MouseMove(bs, p); });
    connect(PaintBox1, &PaintBoxWidget::zoomRequested, this, [this](int steps, QPoint p) { ZoomAt(steps, p); });

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

namespace {
QAction* MenuItem(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* TopMenu(QMenuBar* bar, const char* name, const char* caption) {
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
    return m;
}
}  // namespace

void TMainForm::CreateFileMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    File = TopMenu(menuBar(), "File", "ファイル(&F)");
    NewFileOpen = MenuItem(File, "NewFileOpen", "新規作成(&N)");
    FileOpen = MenuItem(File, "FileOpen", "開く(&O)");
    FileWrite = MenuItem(File, "FileWrite", "上書き保存(&S)");
    FileWriteName = MenuItem(File, "FileWriteName", "名前を付けて保存(&A)");
    BmpFileOpen = MenuItem(File, "BmpFileOpen", "ビットマップファイルを開く(&B)");
    BmpFileWrite = MenuItem(File, "BmpFileWrite", "ビットマップファイルで保存((&V)");
    OldFileOpen = MenuItem(File, "OldFileOpen", "旧ファイルを開く(&J)");
    OldFileWrite = MenuItem(File, "OldFileWrite", "旧ファイルで保存(&K)");
    M_Exit = MenuItem(File, "M_Exit", "終了(&X)");
    NewFileOpen->setShortcut(QKeySequence::New);
    FileOpen->setShortcut(QKeySequence::Open);
    FileWrite->setShortcut(QKeySequence::Save);

    PenColor = menuBar()->addAction(QStringLiteral("ペンの色(&P)"));
    PenColor->setObjectName(QStringLiteral("PenColor"));
}

void TMainForm::CreateToolMenu() {
    R1 = TopMenu(menuBar(), "R1", "ツール(&R)");
    DougaFaileSakusei = MenuItem(R1, "DougaFaileSakusei", "動画ファイルの作成");
    Perform1 = MenuItem(R1, "Perform1", "Performファイルの作成");
    MongonSakusei = MenuItem(R1, "MongonSakusei", "文言ファイル作成");
    HyoujiSchedule = MenuItem(R1, "HyoujiSchedule", "表示スケジュール作成");
    SeteiMake = MenuItem(R1, "SeteiMake", "設定作成１");
    SeteiMake2 = MenuItem(R1, "SeteiMake2", "設定作成２");
    N1 = MenuItem(R1, "N1", "設定作成３");
    CO21 = MenuItem(R1, "CO21", "CO2削減量設定ファイル作成");
}

void TMainForm::CreateViewMenus() {
    Hyouji = TopMenu(menuBar(), "Hyouji", "表示(&V)");
    HyoujiBairitu = MenuItem(Hyouji, "HyoujiBairitu", "表示倍率(&Z)");
    Demonstration = MenuItem(Hyouji, "Demonstration", "デモ表示(&D)");
    AnimeDemonstration = MenuItem(Hyouji, "AnimeDemonstration", "動画のデモ");

    Etc = TopMenu(menuBar(), "Etc", "etc");
    Verssion = MenuItem(Etc, "Verssion", "バージョン");
    TesslorNiTuite = MenuItem(Etc, "TesslorNiTuite", "Tesslorについて");
}

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
    FileOpenDialog = std::make_unique<FileDialog>(chooser, kFileOpenDialog);
    FileSaveDialog = std::make_unique<FileDialog>(chooser, kFileSaveDialog);
    OldFileOpenDialog = std::make_unique<FileDialog>(chooser, kOldFileOpenDialog);
    OldFileSaveDialog = std::make_unique<FileDialog>(chooser, kOldFileSaveDialog);
    BmpFileOpenDialog = std::make_unique<FileDialog>(chooser, kBmpFileOpenDialog);
    BmpFileSaveDialog = std::make_unique<FileDialog>(chooser, kBmpFileSaveDialog);
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
    document_ = std::make_unique<LedHyoujikiClass>(*PaintBox1, prompter_, config_);
    document_->SetFileSystem(files_);
    document_->SetDriveRootProvider([this] { return DriveRoot(); });
    bar_ = std::make_unique<ControlBar>(*document_, prompter_);
    LedHyoujikiClass& doc = *document_;

    for (int i = 0; i < doc.DisplayModeCount(); ++i)
        DisplayModeComboBox->addItem(QString::fromStdString(doc.DisplayModeName(i)));
    QStringList colours;
    for (int i = 0; i < doc.ReverseColorCount(); ++i) colours << QString::fromStdString(doc.ReverseColorName(i));
    ReverseModeColorRadioGroup->SetItems(colours);
    for (int i = 0; i < doc.SounyuuMojiCount(); ++i)
        SounyuuMojiComboBox->addItem(QString::fromStdString(doc.SounyuuMojiName(i)));
    for (int i = 0; i < doc.SounyuuItiCount(); ++i)
        SounyuuItiComboBox->addItem(QString::fromStdString(doc.SounyuuItiName(i)));

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
    if (const auto index = DriveIndexForStoredValue(drive.ReadString("Drive", "Drive", "")))
        DriveComboBox->setCurrentIndex(*index);
    const bool schedule = EnablesSchedule(ReadKiki(configFile_));
    HyoujiSchedule->setEnabled(schedule);
    if (schedule) setWindowTitle(QString::fromStdString(MainCaption(config_, true)));
}

bool TMainForm::FormClose() {
    IniProfile drive(driveFilePath_, files_);
    // The letter is stored even when the close is then cancelled; a file that
    // cannot be written must not keep the operator from ending the program.
    if (!drive.WriteString("Drive", "Drive", DriveText()))
        prompter_.Inform("ドライブファイル " + driveFilePath_ + " に書き込めませんでした");
    return document_->ConfirmDiscard();
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
    if (button == Qt::LeftButton) document_->DrawDot(pos.x(), pos.y(), PenColorValue());
    else if (button == Qt::RightButton) document_->DrawDot(pos.x(), pos.y(), kBlack);
}

void TMainForm::PaintBox1MouseMove(Qt::MouseButtons buttons, QPoint pos) {
    if (buttons & Qt::RightButton) document_->DrawDot(pos.x(), pos.y(), kBlack);
    else if (buttons & Qt::LeftButton) document_->DrawDot(pos.x(), pos.y(), PenColorValue());
}

void TMainForm::MagnificationComboBoxChange() {
    const int value = magnificationForm_ ? magnificationForm_->Magnification() : 100;
    document_->Relayout(*PaintBox1, value);
}

void TMainForm::ZoomAt(int steps, QPoint pos) {
    if (!magnificationForm_) return;
    const int oldPitch = document_->Pitch();
    QScrollBar* h = ScrollBox->horizontalScrollBar();
    QScrollBar* v = ScrollBox->verticalScrollBar();
    // Where the pointer is in the viewport, to keep the same dot under it.
    const QPoint inViewport = PaintBox1->mapTo(ScrollBox->viewport(), pos);
    if (!magnificationForm_->StepMagnification(steps)) return;
    const double scale = static_cast<double>(document_->Pitch()) / oldPitch;
    ScrollBox->widget()->layout()->activate();
    const QPoint newPos(static_cast<int>(pos.x() * scale), static_cast<int>(pos.y() * scale));
    h->setValue(newPos.x() + PaintBox1->x() - inViewport.x());
    v->setValue(newPos.y() + PaintBox1->y() - inViewport.y());
}

// ---- control bar ----

ControlBarState TMainForm::ReadBar() const {
    ControlBarState s;
    s.WriteNoText = WriteNoMaskComboBox->currentText().toStdString();
    s.DisplayModeIndex = DisplayModeComboBox->currentIndex();
    s.ReverseColorIndex = ReverseModeColorRadioGroup->ItemIndex();
    s.SounyuuMojiIndex = SounyuuMojiComboBox->currentIndex();
    s.SounyuuItiIndex = SounyuuItiComboBox->currentIndex();
    s.NiniItiText = NiniItiMaskEdit->text().toStdString();
    s.ReverseColorEnabled = ReverseModeColorRadioGroup->isEnabled();
    s.SounyuuMojiEnabled = SounyuuMojiComboBox->isEnabled();
    s.SounyuuItiEnabled = SounyuuItiComboBox->isEnabled();
    s.NiniItiEnabled = NiniItiMaskEdit->isEnabled();
    return s;
}

void TMainForm::ShowBar(const ControlBarState& s) {
    // Putting the state into the controls is not the operator choosing anything.
    showingBar_ = true;
    if (WriteNoMaskComboBox->currentText().toStdString() != s.WriteNoText)
        WriteNoMaskComboBox->setEditText(QString::fromStdString(s.WriteNoText));
    DisplayModeComboBox->setCurrentIndex(s.DisplayModeIndex);
    ReverseModeColorRadioGroup->SetItemIndex(s.ReverseColorIndex);
    SounyuuMojiComboBox->setCurrentIndex(s.SounyuuMojiIndex);
    SounyuuItiComboBox->setCurrentIndex(s.SounyuuItiIndex);
    if (NiniItiMaskEdit->text().toStdString() != s.NiniItiText)
        NiniItiMaskEdit->setText(QString::fromStdString(s.NiniItiText));
    ReverseModeColorRadioGroup->setEnabled(s.ReverseColorEnabled);
    SounyuuMojiComboBox->setEnabled(s.SounyuuMojiEnabled);
    SounyuuItiComboBox->setEnabled(s.SounyuuItiEnabled);
    NiniItiMaskEdit->setEnabled(s.NiniItiEnabled);
    showingBar_ = false;
}

template <class Rule>
void TMainForm::RunBarRule(Rule rule) {
    if (showingBar_ || !bar_) return;
    bar_->state = ReadBar();
    (bar_.get()->*rule)();
    ShowBar(bar_->state);
}

void TMainForm::DisplayModeComboBoxChange() { RunBarRule(&ControlBar::DisplayModeComboBoxChange); }
void TMainForm::SounyuuMojiComboBoxChange() { RunBarRule(&ControlBar::SounyuuMojiComboBoxChange); }
void TMainForm::SounyuuItiComboBoxChange() { RunBarRule(&ControlBar::SounyuuItiComboBoxChange); }
void TMainForm::NiniItiMaskEditChange() { RunBarRule(&ControlBar::NiniItiMaskEditChange); }
void TMainForm::ReverseModeColorRadioGroupClick() { RunBarRule(&ControlBar::ReverseModeColorRadioGroupClick); }
void TMainForm::WriteNoMaskComboBoxChange() { RunBarRule(&ControlBar::WriteNoMaskComboBoxChange); }
void TMainForm::ShowDocumentSettings() { RunBarRule(&ControlBar::ShowDocumentSettings); }

// ---- file commands ----

void TMainForm::RefreshAfterOpen() {
    ShowDocumentSettings();
    DisplayModeComboBoxChange();
    document_->Paint();
    document_->Modified = false;
}

void TMainForm::NewFileOpenClick() { document_->NewData(); }

void TMainForm::FileOpenClick() {
    FileOpenDialog->InitialDir = DriveRoot();
    if (document_->OpenWithDialog(*FileOpenDialog)) RefreshAfterOpen();
}

void TMainForm::OldFileOpenClick() {
    if (document_->OpenOldWithDialog(*OldFileOpenDialog)) RefreshAfterOpen();
}

void TMainForm::BmpFileOpenClick() {
    image1_ = std::make_unique<MemoryImage>();
    image1_->SetFileSystem(files_);
    if (document_->ImportBmpWithDialog(*BmpFileOpenDialog, *image1_)) {
        document_->Paint();
        document_->Modified = false;
    }
}

void TMainForm::FileWriteClick() { document_->Save(*FileSaveDialog); }

void TMainForm::UwagakiHozonButtonClick() { document_->Save(*FileSaveDialog); }

void TMainForm::FileWriteNameClick() { document_->SaveAs(*FileSaveDialog); }

void TMainForm::BmpFileWriteClick() {
    image1_ = std::make_unique<MemoryImage>();
    image1_->SetFileSystem(files_);
    document_->ExportBmpWithDialog(*BmpFileSaveDialog, *image1_);
}

void TMainForm::OldFileWriteClick() { document_->SaveOldWithDialog(*OldFileSaveDialog); }

void TMainForm::M_ExitClick() { close(); }

void TMainForm::OpenLedDataFileByName(const std::string& path) {
    document_->OpenFile(path);
    ShowDocumentSettings();
    QCoreApplication::processEvents();
    document_->Paint();
    document_->Modified = false;
}

// ---- view and help ----

void TMainForm::DemonstrationClick(QDialog& demo) {
    hide();
    demo.exec();
    show();
    MagnificationComboBoxChange();
}

void TMainForm::AnimeDemonstrationClick(TMakeAnimationForm& maker, TAnimaDemoForm& demo) {
    // The demo replaces the picture: unsaved drawing is not dropped without asking.
    if (!document_->ConfirmDiscard()) return;
    if (!AnaOpenDialog->Execute()) return;
    AnimationList& list = maker.List();
    // The maker's window is closed: the folder the list fixes is released
    // again whatever happens, so its next opening accepts pictures from anywhere.
    struct ReleaseFolder {
        AnimationList& list;
        ~ReleaseFolder() { list.CloseWindow(); }
    } release{list};
    if (!list.LoadAnimationList(AnaOpenDialog->FileName, prompter_)) return;
    // Frames of an earlier run are never played for an empty list.
    if (list.entries.empty()) {
        prompter_.Inform(kNoAnimationFilesMessage);
        return;
    }
    if (list.entries.size() > static_cast<std::size_t>(kMaxDemoFrames)) prompter_.Inform(kDemoFirstFramesMessage);

    // This window is hidden while the document lays itself out on the demo's
    // paint target, and comes back laid out on the editing area whatever happens.
    struct HandBack {
        TMainForm& main;
        ~HandBack() {
            main.show();
            main.MagnificationComboBoxChange();
        }
    } handBack{*this};
    hide();
    demo.ClearFrames();
    demo.SetFrames(CaptureAnimationFrames(
        *document_, list, [this](const std::string& path) { OpenLedDataFileByName(path); }, *demo.PaintBox1));
    document_->Modified = false;
    demo.exec();
}

void TMainForm::VerssionClick() { prompter_.Inform(VersionBoxText()); }

void TMainForm::TesslorNiTuiteClick() { prompter_.Inform(EnquiryText()); }

}  // namespace tesslor::gui
