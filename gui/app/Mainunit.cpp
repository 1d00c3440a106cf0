#include "app/Mainunit.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/Drives.h"
#include "app/Magnificationunit.h"
#include "app/Pencolorunit.h"
#include "led/Demounit.h"
#include "platform/PaintBoxWidget.h"
#include "platform/RadioGroup.h"
#include "text/Numbers.h"

namespace tesslor::gui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* s) { return QString::fromUtf8(s); }

// The editing area lies at (1, 64) of the client area, 7 pixels below the bar.
constexpr int kPaintBoxLeft = 1;
constexpr int kPaintBoxGap = 64 - 57;
}  // namespace

TMainForm::TMainForm(const EditorEnvironment& env, QWidget* parent)
    : QMainWindow(parent), env_(env), configFile_(env.configPath) {
    setObjectName(QStringLiteral("MainForm"));
    CreateControls();
    CreateMenus();
    CreateDialogs();
    ApplyConfiguration();
    title_ = kTitleText;
    version_ = kVersionText;
    date_ = kDateText;
    setWindowTitle(Q(title_ + version_));
    FormCreate();

    // The window's outer size is 906 x 664, centred on the screen.
    resize(906 - 16, 664 - 38);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect avail = screen->availableGeometry();
        move(avail.center() - QPoint(906 / 2, 664 / 2));
    }
}

TMainForm::~TMainForm() {
    // The controls die after this body has run, when the window is only a
    // QWidget any more; none of their last signals may reach its handlers.
    for (QObject* child : findChildren<QObject*>()) QObject::disconnect(child, nullptr, this, nullptr);
    ReverseModeColorRadioGroup->onClick = nullptr;
    PaintBox1->onPaint = nullptr;
}

void TMainForm::SetCompanions(TDemoForm* demo, TPenColorForm* penColor, TMagnificationForm* magnification) {
    demoForm_ = demo;
    penColorForm_ = penColor;
    magnificationForm_ = magnification;
    if (magnificationForm_) magnificationForm_->onMagnification = [this](int value) {
        document_->Relayout(*PaintBox1, value);
    };
}

void TMainForm::CreateControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(57);
    Panel1->setFrameShape(QFrame::StyledPanel);
    column->addWidget(Panel1);

    auto label = [this](const char* name, const char* text, int x) {
        auto* l = new QLabel(Q(text), Panel1);
        l->setObjectName(QString::fromLatin1(name));
        l->move(x, 6);
        l->adjustSize();
        return l;
    };
    auto combo = [this](const char* name, int x, int width, bool editable) {
        auto* c = new QComboBox(Panel1);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(editable);
        c->setGeometry(x, 24, width, 22);
        c->setMaxVisibleItems(20);
        return c;
    };

    Label4 = label("Label4", "書込みNo", 8);
    WriteNoMaskComboBox = combo("WriteNoMaskComboBox", 8, 58, true);
    WriteNoMaskComboBox->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 1; i <= 10; ++i) WriteNoMaskComboBox->addItem(QString::number(i));
    WriteNoMaskComboBox->setEditText(QStringLiteral("1"));

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
    NiniItiMaskEdit->setGeometry(806, 24, 44, 22);
    NiniItiMaskEdit->setMaxLength(3);
    NiniItiMaskEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), NiniItiMaskEdit));
    NiniItiMaskEdit->setEnabled(false);

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
    column->addWidget(ScrollBox, 1);
    setCentralWidget(central);

    PaintBox1->onPaint = [this] { PaintBox1Paint(); };
    connect(PaintBox1, &PaintBoxWidget::mousePressed, this,
            [this](Qt::MouseButton b, Qt::MouseButtons bs, QPoint p) { PaintBox1MouseDown(b, bs, p); });
    connect(PaintBox1, &PaintBoxWidget::mouseMoved, this,
            [this](Qt::MouseButtons bs, QPoint p) { PaintBox1MouseMove(bs, p); });
    connect(PaintBox1, &PaintBoxWidget::zoomRequested, this, [this](int steps, QPoint p) { ZoomAt(steps, p); });

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

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [this](QMenu* menu, const char* name, const char* caption) {
        QAction* a = menu->addAction(Q(caption));
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    auto menu = [bar](const char* name, const char* caption) {
        QMenu* m = bar->addMenu(Q(caption));
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
        return m;
    };

    File = menu("File", "ファイル(&F)");
    NewFileOpen = item(File, "NewFileOpen", "新規作成(&N)");
    FileOpen = item(File, "FileOpen", "開く(&O)");
    FileWrite = item(File, "FileWrite", "上書き保存(&S)");
    FileWriteName = item(File, "FileWriteName", "名前を付けて保存(&A)");
    BmpFileOpen = item(File, "BmpFileOpen", "ビットマップファイルを開く(&B)");
    BmpFileWrite = item(File, "BmpFileWrite", "ビットマップファイルで保存((&V)");
    OldFileOpen = item(File, "OldFileOpen", "旧ファイルを開く(&J)");
    OldFileWrite = item(File, "OldFileWrite", "旧ファイルで保存(&K)");
    M_Exit = item(File, "M_Exit", "終了(&X)");
    NewFileOpen->setShortcut(QKeySequence::New);
    FileOpen->setShortcut(QKeySequence::Open);
    FileWrite->setShortcut(QKeySequence::Save);

    PenColor = bar->addAction(QStringLiteral("ペンの色(&P)"));
    PenColor->setObjectName(QStringLiteral("PenColor"));

    R1 = menu("R1", "ツール(&R)");
    DougaFaileSakusei = item(R1, "DougaFaileSakusei", "動画ファイルの作成");
    Perform1 = item(R1, "Perform1", "Performファイルの作成");
    MongonSakusei = item(R1, "MongonSakusei", "文言ファイル作成");
    HyoujiSchedule = item(R1, "HyoujiSchedule", "表示スケジュール作成");
    SeteiMake = item(R1, "SeteiMake", "設定作成１");
    SeteiMake->setEnabled(false);
    SeteiMake2 = item(R1, "SeteiMake2", "設定作成２");
    SeteiMake2->setEnabled(false);
    N1 = item(R1, "N1", "設定作成３");
    CO21 = item(R1, "CO21", "CO2削減量設定ファイル作成");
    CO21->setEnabled(false);

    Hyouji = menu("Hyouji", "表示(&V)");
    HyoujiBairitu = item(Hyouji, "HyoujiBairitu", "表示倍率(&Z)");
    Demonstration = item(Hyouji, "Demonstration", "デモ表示(&D)");
    AnimeDemonstration = item(Hyouji, "AnimeDemonstration", "動画のデモ");

    Etc = menu("Etc", "etc");
    Verssion = item(Etc, "Verssion", "バージョン");
    TesslorNiTuite = item(Etc, "TesslorNiTuite", "Tesslorについて");

    connect(NewFileOpen, &QAction::triggered, this, [this] { NewFileOpenClick(); });
    connect(FileOpen, &QAction::triggered, this, [this] { FileOpenClick(); });
    connect(FileWrite, &QAction::triggered, this, [this] { FileWriteClick(); });
    connect(FileWriteName, &QAction::triggered, this, [this] { FileWriteNameClick(); });
    connect(BmpFileOpen, &QAction::triggered, this, [this] { BmpFileOpenClick(); });
    connect(BmpFileWrite, &QAction::triggered, this, [this] { BmpFileWriteClick(); });
    connect(OldFileOpen, &QAction::triggered, this, [this] { OldFileOpenClick(); });
    connect(OldFileWrite, &QAction::triggered, this, [this] { OldFileWriteClick(); });
    connect(M_Exit, &QAction::triggered, this, [this] { M_ExitClick(); });
    connect(PenColor, &QAction::triggered, this, [this] { PenColorClick(); });
    connect(HyoujiBairitu, &QAction::triggered, this, [this] { HyoujiBairituClick(); });
    connect(Demonstration, &QAction::triggered, this, [this] { DemonstrationClick(); });
    connect(Verssion, &QAction::triggered, this, [this] { VerssionClick(); });
    connect(TesslorNiTuite, &QAction::triggered, this, [this] { TesslorNiTuiteClick(); });
}

void TMainForm::CreateDialogs() {
    FileChooser& chooser = *env_.chooser;
    FileOpenDialog = std::make_unique<FileDialog>(chooser, FileDialogKind::Open,
                                                  std::vector<FileFilter>{{"ＬＥＤデータファイル(*.lee)", "*.lee"}});
    FileSaveDialog =
        std::make_unique<FileDialog>(chooser, FileDialogKind::Save,
                                     std::vector<FileFilter>{{"LEDデータファイル(*.lee)", "*.lee"}}, "lee",
                                     "LEDデータファイルを保存する");
    OldFileOpenDialog = std::make_unique<FileDialog>(chooser, FileDialogKind::Open,
                                                     std::vector<FileFilter>{{"旧ＬＥＤファイル(*.led)", "*.led"}});
    OldFileSaveDialog = std::make_unique<FileDialog>(
        chooser, FileDialogKind::Save, std::vector<FileFilter>{{"旧ＬＥＤファイル(*.led)", "*.led"}}, "led");
    BmpFileOpenDialog = std::make_unique<FileDialog>(
        chooser, FileDialogKind::Open, std::vector<FileFilter>{{"ビットマップファイル(*.bmp)", "*.bmp"}});
    BmpFileSaveDialog = std::make_unique<FileDialog>(
        chooser, FileDialogKind::Save, std::vector<FileFilter>{{"ビットマップファイル(*.bmp)", "*.bmp"}}, "bmp",
        "ビットマップファイルの保存");
}

void TMainForm::ApplyConfiguration() {
    config_ = ReadStartupConfig(configFile_);
    if (config_.NanSyoku == -1 || config_.NanSyoku == 1) {
        PenColor->setVisible(false);
        ReverseModeColorRadioGroup->setVisible(false);
    }
    if (config_.CustomerMode != "root") {
        if (config_.CustomerMode == "customer51_60")
            for (int i = 51; i <= 60; ++i) WriteNoMaskComboBox->addItem(QString::number(i));
        for (QAction* a : {DougaFaileSakusei, AnimeDemonstration, OldFileOpen, OldFileWrite}) a->setVisible(false);
        for (QWidget* w : std::initializer_list<QWidget*>{Label5, Label6, Label7, SounyuuMojiComboBox,
                                                          SounyuuItiComboBox, NiniItiMaskEdit})
            w->setVisible(false);
    }
}

void TMainForm::FormCreate() {
    document_ = std::make_unique<LedHyoujikiClass>(*PaintBox1, *env_.prompter, config_);
    document_->SetDriveRootProvider([this] { return DriveRoot(); });
    LedHyoujikiClass& doc = *document_;

    doc.SetWriteNoText(WriteNoMaskComboBox->currentText().toStdString());

    for (int i = 0; i < doc.DisplayModeCount(); ++i) DisplayModeComboBox->addItem(Q(doc.DisplayModeName(i)));
    DisplayModeComboBox->setCurrentIndex(0);
    doc.SetDisplayModeByIndex(0);

    QStringList colours;
    for (int i = 0; i < doc.ReverseColorCount(); ++i) colours << Q(doc.ReverseColorName(i));
    ReverseModeColorRadioGroup->SetItems(colours);
    ReverseModeColorRadioGroup->SetItemIndex(0);
    doc.SetReverseColorByIndex(ReverseModeColorRadioGroup->ItemIndex());

    for (int i = 0; i < doc.SounyuuMojiCount(); ++i) SounyuuMojiComboBox->addItem(Q(doc.SounyuuMojiName(i)));
    SounyuuMojiComboBox->setCurrentIndex(0);
    doc.SetSounyuuMojiByIndex(0);

    for (int i = 0; i < doc.SounyuuItiCount(); ++i) SounyuuItiComboBox->addItem(Q(doc.SounyuuItiName(i)));
    SounyuuItiComboBox->setCurrentIndex(0);
    doc.SetSounyuuItiByIndex(0);

    NiniItiMaskEdit->setText(QStringLiteral("0"));
    doc.SetNiniItiText("0");

    doc.Modified = false;
    setWindowTitle(windowTitle() + Q(ColorCaptionSuffix(config_.NanSyoku)));
    if (config_.NanSyoku == -1) ReverseModeColorRadioGroup->SetItemIndex(2);
    // Choosing the XK series' yellow is part of starting up, not a change the
    // operator made: a fresh picture must close without the discard question.
    doc.Modified = false;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TMainForm::FormShow() {
    IniProfile drive(env_.driveFilePath);
    const std::string value = drive.ReadString("Drive", "Drive", "");
    if (value.empty()) {
        DriveComboBox->setCurrentIndex(2);
    } else if (value[0] >= 'A' && value[0] <= 'Z') {
        DriveComboBox->setCurrentIndex(value[0] - 'A');
    }
    const std::string kiki = ReadKiki(configFile_);
    HyoujiSchedule->setEnabled(false);
    if (kiki == kKankyouhyoujiki) {
        HyoujiSchedule->setEnabled(true);
        setWindowTitle(windowTitle() + QStringLiteral("　環境表示器用"));
    }
}

bool TMainForm::FormClose() {
    IniProfile drive(env_.driveFilePath);
    if (!drive.WriteString("Drive", "Drive", DriveText()))
        env_.prompter->Inform("ドライブファイル " + env_.driveFilePath + " に書き込めませんでした");
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

std::string TMainForm::DriveRoot() const {
    const std::string letter = DriveText();
    if (letter.empty()) return "";
    return DriveRootFor(configFile_, letter[0]);
}

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

void TMainForm::PenColorClick() {
    if (penColorForm_) penColorForm_->exec();
}

void TMainForm::HyoujiBairituClick() {
    if (magnificationForm_) magnificationForm_->exec();
}

void TMainForm::MagnificationComboBoxChange() {
    const int value = magnificationForm_ ? magnificationForm_->Magnification() : 100;
    document_->Relayout(*PaintBox1, value);
}

void TMainForm::ZoomAt(int steps, QPoint pos) {
    if (!magnificationForm_) return;
    const int oldPitch = document_->GetPitch();
    QScrollBar* h = ScrollBox->horizontalScrollBar();
    QScrollBar* v = ScrollBox->verticalScrollBar();
    // Where the pointer is in the viewport, to keep the same dot under it.
    const QPoint inViewport = PaintBox1->mapTo(ScrollBox->viewport(), pos);
    if (!magnificationForm_->StepMagnification(steps)) return;
    const double scale = static_cast<double>(document_->GetPitch()) / oldPitch;
    ScrollBox->widget()->layout()->activate();
    const QPoint newPos(static_cast<int>(pos.x() * scale), static_cast<int>(pos.y() * scale));
    h->setValue(newPos.x() + PaintBox1->x() - inViewport.x());
    v->setValue(newPos.y() + PaintBox1->y() - inViewport.y());
}

// ---- control bar ----

void TMainForm::DisplayModeComboBoxChange() {
    char code = 0;
    document_->DisplayModeCodeAt(DisplayModeComboBox->currentIndex(), code);
    ReverseModeColorRadioGroup->setEnabled(code == 'B' || code == 'D');
    SounyuuMojiComboBoxChange();
    document_->SetDisplayModeByIndex(DisplayModeComboBox->currentIndex());
}

void TMainForm::SounyuuMojiComboBoxChange() {
    char code = 0;
    const bool selected = document_->DisplayModeCodeAt(DisplayModeComboBox->currentIndex(), code);
    if (!selected || code == 'A' || code == 'B' || code == 'C' || code == 'D') {
        SounyuuMojiComboBox->setEnabled(false);
        SounyuuItiComboBox->setEnabled(false);
        NiniItiMaskEdit->setEnabled(false);
        return;
    }
    SounyuuMojiComboBox->setEnabled(true);
    if (SounyuuMojiComboBox->currentIndex() != 0) {
        SounyuuItiComboBox->setEnabled(true);
        SounyuuItiComboBoxChange();
    } else {
        SounyuuItiComboBox->setEnabled(false);
        NiniItiMaskEdit->setEnabled(false);
    }
    document_->SetSounyuuMojiByIndex(SounyuuMojiComboBox->currentIndex());
}

void TMainForm::SounyuuItiComboBoxChange() {
    char code = 0;
    document_->SounyuuItiCodeAt(SounyuuItiComboBox->currentIndex(), code);
    NiniItiMaskEdit->setEnabled(code == 'C' || code == 'c');
    document_->SetSounyuuItiByIndex(SounyuuItiComboBox->currentIndex());
}

void TMainForm::NiniItiMaskEditChange() {
    const std::string text = NiniItiMaskEdit->text().toStdString();
    const int value = LeadingInt(text);
    if (value >= 0 && value < document_->MaxColumns()) {
        document_->SetNiniItiText(text);
    } else {
        env_.prompter->Inform(NiniItiRangeMessage(document_->MaxColumns()));
    }
}

void TMainForm::ReverseModeColorRadioGroupClick() {
    if (document_) document_->SetReverseColorByIndex(ReverseModeColorRadioGroup->ItemIndex());
}

void TMainForm::WriteNoMaskComboBoxChange() {
    const std::string text = WriteNoMaskComboBox->currentText().toStdString();
    int n = 0;
    if (document_->CheckWriteNo(text, n)) {
        document_->SetWriteNoText(text);
        return;
    }
    env_.prompter->Inform(WriteNoRangeMessage(config_.CustomerMode));
    if (WriteNoErrorClearsText(config_.CustomerMode)) WriteNoMaskComboBox->setEditText(QString());
}

void TMainForm::ShowDocumentSettings() {
    LedHyoujikiClass& doc = *document_;
    WriteNoMaskComboBox->setEditText(Q(doc.WriteNoText()));
    DisplayModeComboBox->setCurrentIndex(doc.DisplayModeIndex());
    ReverseModeColorRadioGroup->SetItemIndex(doc.ReverseColorIndex());
    SounyuuMojiComboBox->setCurrentIndex(doc.SounyuuMojiIndex());
    SounyuuItiComboBox->setCurrentIndex(doc.SounyuuItiIndex());
    NiniItiMaskEdit->setText(Q(doc.NiniItiText()));
}

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

void TMainForm::DemonstrationClick() {
    if (!demoForm_) return;
    hide();
    demoForm_->exec();
    show();
    MagnificationComboBoxChange();
}

void TMainForm::VerssionClick() { env_.prompter->Inform("Ver " + version_ + "  Date " + date_); }

void TMainForm::TesslorNiTuiteClick() {
    env_.prompter->Inform(std::string("Tesslorについてのお問合せは、") + kMakerContact + " まで");
}

}  // namespace tesslor::gui
