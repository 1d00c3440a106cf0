#include "app/Mainunit.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/Animademoformunit.h"
#include "app/FileDialogs.h"
#include "app/Magnificationunit.h"
#include "app/MainWindowRules.h"
#include "app/Pencolorunit.h"
#include "platform/WindowSizes.h"
#include "makers/Makeanimationunit.h"
#include "platform/PaintBoxWidget.h"
#include "platform/QtImage.h"
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
// Left of and above the first panel lie its number labels, 20 and 12 pixels.
constexpr int kLabelMarginX = 20;
constexpr int kLabelMarginY = 12;
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
    // The picture of a new start is the saved one: nothing to undo yet.
    document_->ResetHistory();
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

void TMainForm::AttachMagnificationForm(TMagnificationForm& form) {
    magnificationForm_ = &form;
    form.onMagnification = [this](int value) {
        document_->Relayout(*PaintBox1, value);
        UpdateStatusBar();
    };
    UpdateStatusBar();
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
    // The widget reports no releases, no modifier keys and no leaving: they
    // are taken from its events here. Moves without a button held tell the
    // status bar where the pointer is.
    PaintBox1->installEventFilter(this);
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
    File->addSeparator();
    RecentFilesMenu = File->addMenu(QStringLiteral("最近使ったファイル"));
    RecentFilesMenu->setObjectName(QStringLiteral("RecentFilesMenu"));
    ShowRecentFiles();
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

void TMainForm::CreateEditMenu() {
    // 編集 comes right after ファイル, before the pen colour item.
    Edit = new QMenu(QStringLiteral("編集(&E)"), menuBar());
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->menuAction()->setObjectName(QStringLiteral("EditMenu"));
    menuBar()->insertMenu(PenColor, Edit);
    UndoAction = MenuItem(Edit, "UndoAction", "元に戻す");
    UndoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoAction = MenuItem(Edit, "RedoAction", "やり直し");
    RedoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Edit->addSeparator();
    ShiftLeftAction = MenuItem(Edit, "ShiftLeftAction", "左へ1ドット");
    ShiftRightAction = MenuItem(Edit, "ShiftRightAction", "右へ1ドット");
    ShiftUpAction = MenuItem(Edit, "ShiftUpAction", "上へ1ドット");
    ShiftDownAction = MenuItem(Edit, "ShiftDownAction", "下へ1ドット");
    FlipHorizontalAction = MenuItem(Edit, "FlipHorizontalAction", "左右反転");
    FlipVerticalAction = MenuItem(Edit, "FlipVerticalAction", "上下反転");
    SwapRedGreenAction = MenuItem(Edit, "SwapRedGreenAction", "赤と緑を入れ替え");
    ClearPictureAction = MenuItem(Edit, "ClearPictureAction", "消去");

    connect(UndoAction, &QAction::triggered, this, [this] { UndoClick(); });
    connect(RedoAction, &QAction::triggered, this, [this] { RedoClick(); });
    connect(ShiftLeftAction, &QAction::triggered, this, [this] { ShiftClick(-1, 0); });
    connect(ShiftRightAction, &QAction::triggered, this, [this] { ShiftClick(1, 0); });
    connect(ShiftUpAction, &QAction::triggered, this, [this] { ShiftClick(0, -1); });
    connect(ShiftDownAction, &QAction::triggered, this, [this] { ShiftClick(0, 1); });
    connect(FlipHorizontalAction, &QAction::triggered, this, [this] { FlipHorizontallyClick(); });
    connect(FlipVerticalAction, &QAction::triggered, this, [this] { FlipVerticallyClick(); });
    connect(SwapRedGreenAction, &QAction::triggered, this, [this] { SwapRedGreenClick(); });
    connect(ClearPictureAction, &QAction::triggered, this, [this] { ClearPictureClick(); });
}

void TMainForm::CreateDrawingToolBar() {
    // The tools stand on the right, beside the control bar: nothing of the
    // bar or the editing area moves for them.
    DrawingToolBar = new QToolBar(QStringLiteral("描画ツール"), this);
    DrawingToolBar->setObjectName(QStringLiteral("DrawingToolBar"));
    DrawingToolBar->setMovable(false);
    DrawingToolBar->setFloatable(false);
    DrawingToolBar->setOrientation(Qt::Vertical);
    DrawingToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::RightToolBarArea, DrawingToolBar);
    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusive(true);
    auto tool = [this](const char* name, const char* caption, const char* tip, Tool which) {
        auto* action = new QAction(QString::fromUtf8(caption), toolGroup_);
        action->setObjectName(QString::fromLatin1(name).replace(QStringLiteral("Button"), QStringLiteral("Action")));
        action->setToolTip(QString::fromUtf8(tip));
        action->setCheckable(true);
        auto* button = new QToolButton(DrawingToolBar);
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action);
        DrawingToolBar->addWidget(button);
        connect(action, &QAction::triggered, this, [this, which] { SelectTool(which); });
        return button;
    };
    PenToolButton = tool("PenToolButton", "ペン", "ペン: ドットを1つずつ描く", Tool::Pen);
    LineToolButton = tool("LineToolButton", "直線", "直線 (Shiftで0/45/90度)", Tool::Line);
    RectangleToolButton = tool("RectangleToolButton", "四角", "四角形 (枠)", Tool::Rectangle);
    FilledRectangleToolButton = tool("FilledRectangleToolButton", "塗四角", "四角形 (塗りつぶし)", Tool::FilledRectangle);
    FillToolButton = tool("FillToolButton", "塗潰し", "塗りつぶし", Tool::Fill);
    PenToolButton->defaultAction()->setChecked(true);
}

void TMainForm::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    auto label = [bar](const char* name, int minimumWidth) {
        auto* l = new QLabel(bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(minimumWidth);
        bar->addWidget(l);
        return l;
    };
    PositionStatusLabel = label("PositionStatusLabel", 200);
    PenColorStatusLabel = label("PenColorStatusLabel", 70);
    MagnificationStatusLabel = label("MagnificationStatusLabel", 80);
    UsedWidthStatusLabel = label("UsedWidthStatusLabel", 110);
    FileStatusLabel = label("FileStatusLabel", 160);
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
    tools_ = std::make_unique<DrawingTools>(*document_);
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
    // A setting changed is a step of its own.
    RecordPicture();
}

void TMainForm::DisplayModeComboBoxChange() { RunBarRule(&ControlBar::DisplayModeComboBoxChange); }
void TMainForm::SounyuuMojiComboBoxChange() { RunBarRule(&ControlBar::SounyuuMojiComboBoxChange); }
void TMainForm::SounyuuItiComboBoxChange() { RunBarRule(&ControlBar::SounyuuItiComboBoxChange); }
void TMainForm::NiniItiMaskEditChange() { RunBarRule(&ControlBar::NiniItiMaskEditChange); }
void TMainForm::ReverseModeColorRadioGroupClick() { RunBarRule(&ControlBar::ReverseModeColorRadioGroupClick); }
void TMainForm::WriteNoMaskComboBoxChange() { RunBarRule(&ControlBar::WriteNoMaskComboBoxChange); }
void TMainForm::ShowDocumentSettings() { RunBarRule(&ControlBar::ShowDocumentSettings); }

// ---- file commands ----

// Each command ends a stroke in progress first, so that it is a step of its own.
void TMainForm::NewFileOpenClick() {
    EndStroke();
    commands_->NewFile();
    ShowDocument();
}

void TMainForm::FileOpenClick() {
    EndStroke();
    commands_->Open();
    ShowDocument();
}

void TMainForm::OldFileOpenClick() {
    EndStroke();
    commands_->OpenOld();
    ShowDocument();
}

void TMainForm::BmpFileOpenClick() {
    EndStroke();
    commands_->ImportBitmap();
    ShowDocument();
}

void TMainForm::FileWriteClick() {
    EndStroke();
    commands_->Save();
    ShowDocument();
}

// The bar's 上書き保存 button is ファイル → 上書き保存.
void TMainForm::UwagakiHozonButtonClick() { FileWriteClick(); }

void TMainForm::FileWriteNameClick() {
    EndStroke();
    commands_->SaveAs();
    ShowDocument();
}

void TMainForm::BmpFileWriteClick() {
    EndStroke();
    commands_->ExportBitmap();
}

void TMainForm::OldFileWriteClick() {
    EndStroke();
    commands_->SaveOld();
    ShowDocument();
}

void TMainForm::M_ExitClick() { close(); }

void TMainForm::ShowRecentFiles() {
    RecentFilesMenu->clear();
    const std::vector<std::string>& paths = recent_.Paths();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string path = paths[i];
        QAction* item = RecentFilesMenu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] {
            EndStroke();
            commands_->OpenRecent(path);
            ShowDocument();
        });
    }
    RecentFilesMenu->setEnabled(!paths.empty());
}

bool TMainForm::OpenByName(const std::string& path) {
    EndStroke();
    const bool ok = commands_->OpenByName(path);
    ShowDocument();
    return ok;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls[0].isLocalFile() && OpenedKindOf(urls[0].toLocalFile().toStdString()))
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return;
    const std::string path = urls[0].toLocalFile().toStdString();
    event->acceptProposedAction();
    // The questions come after the drop has ended, not while the source waits.
    QTimer::singleShot(0, this, [this, path] { OpenByName(path); });
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
    commands_->Record();
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

void TMainForm::UndoClick() {
    EndStroke();
    commands_->Undo();
    ShowDocument();
}

void TMainForm::RedoClick() {
    EndStroke();
    commands_->Redo();
    ShowDocument();
}

// The 編集 menu's picture edits.
template <class Command>
void TMainForm::EditPicture(Command edit) {
    EndStroke();
    (commands_.get()->*edit)();
    RecordPicture();
}

void TMainForm::ShiftClick(int dx, int dy) {
    EndStroke();
    commands_->ShiftDots(dx, dy);
    RecordPicture();
}

void TMainForm::FlipHorizontallyClick() { EditPicture(&DocumentCommands::FlipDotsHorizontally); }
void TMainForm::FlipVerticallyClick() { EditPicture(&DocumentCommands::FlipDotsVertically); }
void TMainForm::SwapRedGreenClick() { EditPicture(&DocumentCommands::SwapDotColors); }
void TMainForm::ClearPictureClick() { EditPicture(&DocumentCommands::ClearDots); }

void TMainForm::PictureChangedElsewhere(const std::string& keptIn) {
    // The other window has drawn the picture itself; a stroke here has ended.
    tools_->End();
    strokeButton_ = Qt::NoButton;
    commands_->PictureReplaced(keptIn);
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
    MagnificationStatusLabel->setText(QString::fromStdString(MagnificationText(percent)));
    UsedWidthStatusLabel->setText(QString::fromStdString(UsedWidthText(UsedWidth(*document_))));
    FileStatusLabel->setText(QString::fromStdString(DocumentStatusText(document_->FileName, document_->Modified)));
    FileStatusLabel->setToolTip(QString::fromStdString(document_->FileName));
}

void TMainForm::ShowPointer(std::optional<QPoint> pos) {
    // The dot the pen would paint there.
    std::optional<Point> dot;
    if (pos) dot = DotAtPixel(*document_, pos->x(), pos->y());
    PositionStatusLabel->setText(QString::fromStdString(DotPositionText(dot)));
    PenColorStatusLabel->setText(QString::fromStdString(PenColorText(*document_, PenColorValue())));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBox1) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseMove:
            tools_->SetShift(static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier);
            break;
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            tools_->SetShift(e->modifiers() & Qt::ShiftModifier);
            PaintBox1MouseUp(e->button(), e->position().toPoint());
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

void TMainForm::DemonstrationClick(QDialog& demo) {
    EndStroke();
    hide();
    demo.exec();
    show();
    MagnificationComboBoxChange();
    PaintBox1->setFocus();
}

void TMainForm::AnimeDemonstrationClick(TMakeAnimationForm& maker, TAnimaDemoForm& demo) {
    EndStroke();
    // The demo replaces the picture: unsaved drawing is not dropped without asking.
    if (!documentFiles_->ConfirmDiscard()) return;
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
            // The keys go to the picture again (Ctrl+Z undoes the demo's load).
            main.PaintBox1->setFocus();
        }
    } handBack{*this};
    hide();
    demo.ClearFrames();
    demo.SetFrames(CaptureAnimationFrames(
        *document_, list, [this](const std::string& path) { OpenLedDataFileByName(path); }, *demo.PaintBox1));
    // The pictures loaded are one step: undo goes back to the picture before the demo.
    commands_->EndLoads();
    ShowDocument();
    demo.exec();
}

void TMainForm::VerssionClick() { prompter_.Inform(VersionBoxText()); }

void TMainForm::TesslorNiTuiteClick() { prompter_.Inform(EnquiryText()); }

}  // namespace tesslor::gui
