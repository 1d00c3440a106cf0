// The main window's controls as they are laid out: the control bar, the
// editing area, the menus, the drawing tool bar and the status bar, and the
// copying of the bar's state to and from its widgets, the lists of the bar
// and of 最近使ったファイル. The wiring is in
// Mainunit.cpp.
#include <QAction>
#include <algorithm>
#include <QActionGroup>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Magnification.h"
#include "app/Magnificationunit.h"
#include "app/Mainunit.h"
#include "platform/IniProfile.h"
#include "platform/PaintBoxWidget.h"
#include "platform/RadioGroup.h"

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
}  // namespace

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
    CardAdd = MenuItem(File, "CardAdd", "カードに追加…");
    connect(CardAdd, &QAction::triggered, this, [this] { AddPictureToCard({}); });
    BmpFileOpen = MenuItem(File, "BmpFileOpen", "ビットマップファイルを開く(&B)");
    ImageImport = MenuItem(File, "ImageImport", "画像の読み込み(&I)…");
    connect(ImageImport, &QAction::triggered, this, [this] { ImportImageClick(); });
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
    FileWriteName->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

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
    R1->addSeparator();
    CardCheck = MenuItem(R1, "CardCheck", "カードの確認");
}

void TMainForm::CreateViewMenus() {
    Hyouji = TopMenu(menuBar(), "Hyouji", "表示(&V)");
    HyoujiBairitu = MenuItem(Hyouji, "HyoujiBairitu", "表示倍率(&Z)");
    ZentaiHyouji = MenuItem(Hyouji, "ZentaiHyouji", "全体表示");
    ZentaiHyouji->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(ZentaiHyouji, &QAction::triggered, this, [this] {
        if (magnificationForm_) magnificationForm_->SelectFit();
    });
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
    auto label = [bar](const char* name, int minimumWidth, int stretch = 0) {
        auto* l = new QLabel(bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(minimumWidth);
        bar->addWidget(l, stretch);
        return l;
    };
    PositionStatusLabel = label("PositionStatusLabel", 150);
    PenColorStatusLabel = label("PenColorStatusLabel", 70);
    MagnificationStatusLabel = label("MagnificationStatusLabel", 80);
    UsedWidthStatusLabel = label("UsedWidthStatusLabel", 110);
    FileStatusLabel = label("FileStatusLabel", 160);
    // The card's message takes whatever width the window has, now and after
    // a resize, and never widens the window itself.
    CardStatusLabel = label("CardStatusLabel", 0, 1);
    CardStatusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

// ---- the bar's widgets ----

void TMainForm::FillBarLists() {
    const LedHyoujikiClass& doc = *document_;
    for (int i = 0; i < doc.DisplayModeCount(); ++i)
        DisplayModeComboBox->addItem(QString::fromStdString(doc.DisplayModeName(i)));
    QStringList colours;
    for (int i = 0; i < doc.ReverseColorCount(); ++i) colours << QString::fromStdString(doc.ReverseColorName(i));
    ReverseModeColorRadioGroup->SetItems(colours);
    for (int i = 0; i < doc.SounyuuMojiCount(); ++i)
        SounyuuMojiComboBox->addItem(QString::fromStdString(doc.SounyuuMojiName(i)));
    for (int i = 0; i < doc.SounyuuItiCount(); ++i)
        SounyuuItiComboBox->addItem(QString::fromStdString(doc.SounyuuItiName(i)));
}

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

// ---- 最近使ったファイル ----

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

bool TMainForm::AddPictureToCard(const std::string& text) {
    EndStroke();
    const bool added = commands_->AddToCard(text);
    ShowDocument();
    return added;
}

// ---- magnification ----

namespace {
constexpr const char* kViewSection = "View";
constexpr const char* kMagnificationKey = "Magnification";
}  // namespace

void TMainForm::AttachMagnificationForm(TMagnificationForm& form) {
    magnificationForm_ = &form;
    form.fitMagnification = [this] { return FitMagnification(ScrollBox->viewport()->width()); };
    // The magnification of the last run, kept with the recent files.
    if (recentProfile_) form.SelectChoice(recentProfile_->ReadString(kViewSection, kMagnificationKey, "100"));
    form.onMagnification = [this](int value) {
        document_->Relayout(*PaintBox1, value);
        ApplyFitScale();
        if (recentProfile_ && magnificationForm_)
            recentProfile_->WriteString(kViewSection, kMagnificationKey, magnificationForm_->Choice());
        UpdateStatusBar();
    };
    if (form.Choice() != "100") MagnificationComboBoxChange();
    UpdateStatusBar();
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // 全体表示 follows the window's width (laid out again only when the dots' size changes).
    if (!magnificationForm_ || !magnificationForm_->FitSelected() || !document_) return;
    const int dot = std::max(1, magnificationForm_->Magnification() * 8 / 100);
    if (16 * dot + 3 != document_->Pitch()) MagnificationComboBoxChange();
    else ApplyFitScale();
    UpdateStatusBar();
}

}  // namespace tesslor::gui
