#include "app/Cardunit.h"

#include "app/CardPerformPane.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/Paths.h"
#include "text/Numbers.h"
#include "app/CardOptions.h"
#include "card/CardAdd.h"
#include "card/CardView.h"
#include "card/CardWrite.h"
#include "platform/NamedWidgets.h"
#include "platform/QtImage.h"

namespace tesslor::gui {

namespace {
// Thumbnails are drawn this many pixels high, whatever the picture's rows
// (half a pixel a dot for the unit's five panel rows).
constexpr int kThumbnailHeight = 40;
// A rescan waits this long after the last change in the folder: a save
// renames a temporary file, a copy writes many.
constexpr int kRescanDelayMs = 400;
// Thumbnails made per turn of the event loop, so the window stays responsive.
constexpr int kThumbnailsPerTurn = 4;
// How often a folder that is gone (a card taken out) is looked for again: a
// watch ends with the folder it watched.
constexpr int kFolderLookMs = 1000;
// The 状態 column: room for a message of a dozen or more characters.
constexpr int kStateColumnWidth = 180;

QColor DotColour(std::uint8_t code) {
    switch (code) {
        case 1: return QColor(0xFF, 0x00, 0x00);
        case 2: return QColor(0x00, 0xFF, 0x00);
        case 3: return QColor(0xFF, 0xFF, 0x00);
        default: return QColor(0x00, 0x00, 0x00);
    }
}

QImage ThumbnailImage(const CardThumbnail& dots) {
    // Whole dots: a picture is never smoothed into colours the unit cannot
    // show, and no lit dot is dropped where it shrinks.
    const CardThumbnail thumb = ScaledThumbnail(dots, kThumbnailHeight);
    QImage image(thumb.width, thumb.height, QImage::Format_RGB32);
    for (int y = 0; y < thumb.height; ++y)
        for (int x = 0; x < thumb.width; ++x)
            image.setPixelColor(x, y, DotColour(thumb.codes[static_cast<std::size_t>(y) * thumb.width + x]));
    return image;
}

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}
}  // namespace

TCardForm::TCardForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      FolderDialog(context.chooser, kCardFolderDialog),
      SourceDialog(context.chooser, kCardSourceDialog),
      context_(context),
      watcher_(new QFileSystemWatcher(this)),
      rescanTimer_(new QTimer(this)),
      thumbnailTimer_(new QTimer(this)),
      folderLookTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("CardForm"));
    setWindowTitle(QStringLiteral("カードの確認"));
    setModal(false);
    CreateControls();
    rescanTimer_->setSingleShot(true);
    rescanTimer_->setInterval(kRescanDelayMs);
    connect(rescanTimer_, &QTimer::timeout, this, [this] { Rescan(); });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!writing_) rescanTimer_->start();
    });
    folderLookTimer_->setInterval(kFolderLookMs);
    connect(folderLookTimer_, &QTimer::timeout, this, [this] {
        // A window closed (閉じる, Escape or the close box) looks no more;
        // its next opening looks at the card afresh.
        if (!isVisible()) {
            folderLookTimer_->stop();
            return;
        }
        // The card is back: the window follows it as it was, without 更新.
        if (!writing_ && !folder_.empty() && context_.files.FolderExists(folder_)) Rescan();
    });
    thumbnailTimer_->setInterval(0);
    connect(thumbnailTimer_, &QTimer::timeout, this, [this] { NextThumbnails(); });
    connect(FolderButton, &QPushButton::clicked, this, [this] { FolderButtonClick(); });
    connect(RefreshButton, &QPushButton::clicked, this, [this] { Rescan(); });
    connect(FreeNumberButton, &QPushButton::clicked, this, [this] { FreeNumberButtonClick(); });
    connect(WriteButton, &QPushButton::clicked, this, [this] { WriteButtonClick(); });
    connect(CancelWriteButton, &QPushButton::clicked, this, [this] { CancelWriteButtonClick(); });
    connect(CloseButton, &QPushButton::clicked, this, [this] { close(); });
    connect(FileTable, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenRow(row); });
    connect(FileTable, &QTableWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
}

TCardForm::~TCardForm() = default;

void TCardForm::CreateControls() {
    FolderLabel = new QLabel(this);
    FolderLabel->setObjectName(QStringLiteral("FolderLabel"));
    FolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FolderButton = NamedButton("FolderButton", "フォルダーの選択…", this);
    RefreshButton = NamedButton("RefreshButton", "更新", this);
    FreeNumberButton = NamedButton("FreeNumberButton", "空いている番号にする", this);
    FreeNumberButton->setEnabled(false);
    WriteButton = NamedButton("WriteButton", "カードへ書き出し…", this);
    CancelWriteButton = NamedButton("CancelWriteButton", "書き出しの中止", this);
    CancelWriteButton->setEnabled(false);
    CloseButton = NamedButton("CloseButton", "閉じる", this);
    CreateTables();
    LayOutControls();
}

void TCardForm::CreateTables() {
    FileTable = new QTableWidget(0, kCardColumns, this);
    FileTable->setObjectName(QStringLiteral("FileTable"));
    FileTable->setHorizontalHeaderLabels({QStringLiteral("名前"), QStringLiteral("種類"), QStringLiteral("書き込みNo"),
                                          QStringLiteral("内容"), QStringLiteral("状態"), QStringLiteral("Perform順")});
    FileTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FileTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FileTable->verticalHeader()->setVisible(false);
    FileTable->setIconSize(QSize(6 * kThumbnailHeight, kThumbnailHeight));
    FileTable->verticalHeader()->setDefaultSectionSize(kThumbnailHeight + 6);
    QHeaderView* header = FileTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The state is read first, beside the name, at a width of its own: the
    // other columns, thumbnails and all, may take more than the window has,
    // and a column that only takes what is left is squeezed to nothing. The
    // columns after it scroll; a longer message is read whole in its tip.
    header->moveSection(header->visualIndex(kCardState), 1);
    header->setSectionResizeMode(kCardState, QHeaderView::Interactive);
    header->resizeSection(kCardState, kStateColumnWidth);
    header->setStretchLastSection(true);

    PerformPane = new CardPerformPane(context_.files, context_.prompter, this);
    PerformPane->selectedNames = [this] {
        std::vector<std::string> names;
        for (const QModelIndex& index : FileTable->selectionModel()->selectedRows())
            if (index.row() < static_cast<int>(scan_.files.size()))
                names.push_back(scan_.files[static_cast<std::size_t>(index.row())].name);
        return names;
    };
    PerformPane->onSaved = [this] { Rescan(); };
    FindingTable = new QTableWidget(0, 2, this);
    FindingTable->setObjectName(QStringLiteral("FindingTable"));
    FindingTable->setHorizontalHeaderLabels({QStringLiteral("区分"), QStringLiteral("内容")});
    FindingTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FindingTable->verticalHeader()->setVisible(false);
    FindingTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    FindingTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    WriteProgress = new QProgressBar(this);
    WriteProgress->setObjectName(QStringLiteral("WriteProgress"));
    WriteProgress->setVisible(false);
    WriteResult = new QListWidget(this);
    WriteResult->setObjectName(QStringLiteral("WriteResult"));
    WriteResult->setVisible(false);
}

void TCardForm::LayOutControls() {
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("フォルダー:"), this));
    top->addWidget(FolderLabel, 1);
    top->addWidget(FolderButton);
    top->addWidget(RefreshButton);
    auto* files = new QSplitter(Qt::Horizontal, this);
    files->addWidget(FileTable);
    files->addWidget(PerformPane);
    files->setStretchFactor(0, 3);
    files->setStretchFactor(1, 1);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(files);
    split->addWidget(FindingTable);
    split->addWidget(WriteResult);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setStretchFactor(2, 2);
    split->setChildrenCollapsible(false);
    // The table before the list: most of the width.
    files->setSizes({720, 260});
    // The findings get room for a dozen lines.
    split->setSizes({300, 200, 160});
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(SummaryLabel, 1);
    bottom->addWidget(WriteProgress);
    bottom->addWidget(FreeNumberButton);
    bottom->addWidget(WriteButton);
    bottom->addWidget(CancelWriteButton);
    bottom->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    // Fits a 1366 × 768 screen with its task bar.
    resize(1000, 600);
}

CardScanOptions TCardForm::Options() const {
    CardScanOptions options = CardScanOptionsOf(context_.config);
    options.newImage = [](FileSystem& files) { return std::make_unique<QtImage>(files); };
    return options;
}

void TCardForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each opening looks at the card of the drive selected now.
    if (!event->spontaneous() && context_.driveRoot) ShowFolder(context_.driveRoot());
}

void TCardForm::ShowFolder(const std::string& folder) {
    // Unsaved changes of the list are the operator's to keep or drop first.
    if (folder != folder_ && !PerformPane->ConfirmLeave()) return;
    if (folder != folder_) {
        // A write's result tells of the folder it went to, not of the next one shown.
        WriteResult->clear();
        WriteResult->setVisible(false);
        WriteProgress->setVisible(false);
    }
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    folder_ = folder;
    FolderLabel->setText(QString::fromStdString(folder));
    Rescan();
}

void TCardForm::FollowFolder() {
    const QString folder = QString::fromStdString(folder_);
    const bool there = !folder_.empty() && context_.files.FolderExists(folder_);
    // A folder removed takes its watch with it; one made again is watched anew.
    if (there && !watcher_->directories().contains(folder)) watcher_->addPath(folder);
    if (there || folder_.empty()) folderLookTimer_->stop();
    else if (!folderLookTimer_->isActive()) folderLookTimer_->start();
}

void TCardForm::SelectionChanged() {
    FreeNumberButton->setEnabled(SelectedSharingPicture() != nullptr);
    PerformPane->SetCanAdd(FileTable->selectionModel()->hasSelection());
}

void TCardForm::Rescan() {
    std::string message;
    thumbnailTimer_->stop();
    // The list as the card now has it, unless the operator is changing it.
    if (!PerformPane->Modified()) PerformPane->Load(folder_);
    FollowFolder();
    if (!ScanCard(context_.files, folder_, Options(), scan_, message)) {
        scan_ = CardScan{};
        ShowScan();
        ShowMessage(message);
        return;
    }
    ShowScan();
    nextThumbnail_ = 0;
    thumbnailTimer_->start();
}

void TCardForm::ShowMessage(const std::string& message) { SummaryLabel->setText(QString::fromStdString(message)); }

void TCardForm::ShowScan() {
    FileTable->setRowCount(static_cast<int>(scan_.files.size()));
    for (int row = 0; row < FileTable->rowCount(); ++row) {
        const CardFile& f = scan_.files[static_cast<std::size_t>(row)];
        FileTable->setItem(row, kCardName, Cell(f.name));
        FileTable->setItem(row, kCardKind, Cell(CardKindCaption(f.kind)));
        FileTable->setItem(row, kCardWriteNo, Cell(CardWriteNoText(f)));
        FileTable->setItem(row, kCardContent, Cell(CardSummaryText(f)));
        QTableWidgetItem* state = Cell(f.status);
        // A long message is read whole where the column cuts it.
        state->setToolTip(QString::fromStdString(f.status));
        if (!f.ok) state->setForeground(QColor(0xC0, 0x00, 0x00));
        FileTable->setItem(row, kCardState, state);
        FileTable->setItem(row, kCardPerform, Cell(CardPerformText(scan_, f)));
    }
    FindingTable->setRowCount(static_cast<int>(scan_.findings.size()));
    for (int row = 0; row < FindingTable->rowCount(); ++row) {
        const CardFinding& f = scan_.findings[static_cast<std::size_t>(row)];
        QTableWidgetItem* severity = Cell(CardSeverityWord(f.severity));
        if (f.severity == CardSeverity::Error) severity->setForeground(QColor(0xC0, 0x00, 0x00));
        FindingTable->setItem(row, 0, severity);
        FindingTable->setItem(row, 1, Cell(f.message));
    }
    ShowMessage(scan_.files.empty() && folder_.empty() ? std::string() : CardScanSummary(scan_));
    SelectionChanged();
}

void TCardForm::NextThumbnails() {
    int made = 0;
    const DisplayShape shape = DisplayShapeOf(context_.config);
    while (nextThumbnail_ < scan_.files.size() && made < kThumbnailsPerTurn) {
        const CardFile& f = scan_.files[nextThumbnail_];
        const int row = static_cast<int>(nextThumbnail_++);
        const CardThumbnail thumb = CardThumbnailOf(context_.files, scan_.folder, f, shape);
        if (thumb.Empty()) continue;
        if (QTableWidgetItem* item = FileTable->item(row, kCardName))
            item->setIcon(QIcon(QPixmap::fromImage(ThumbnailImage(thumb))));
        ++made;
    }
    if (nextThumbnail_ >= scan_.files.size()) thumbnailTimer_->stop();
}

void TCardForm::MakeAllThumbnails() {
    while (nextThumbnail_ < scan_.files.size()) NextThumbnails();
    thumbnailTimer_->stop();
}

void TCardForm::FolderButtonClick() {
    FolderDialog.InitialDir = folder_;
    FolderDialog.FileName.clear();
    if (FolderDialog.Execute()) ShowFolder(FolderDialog.FileName);
}

const CardFile* TCardForm::SelectedSharingPicture() const {
    const int row = FileTable->currentRow();
    if (row < 0 || row >= static_cast<int>(scan_.files.size())) return nullptr;
    const CardFile& f = scan_.files[static_cast<std::size_t>(row)];
    if (f.kind != CardKind::Picture || !f.ok || !PictureWithWriteNo(scan_, f.writeNo, f.name)) return nullptr;
    return &f;
}

void TCardForm::FreeNumberButtonClick() {
    const CardFile* picture = SelectedSharingPicture();
    if (!picture || writing_) return;
    const std::string name = picture->name;
    const int from = picture->writeNo;
    std::string message;
    const int given = GiveFreeWriteNo(context_.files, scan_, name, Options().checkWriteNo, message);
    if (given == 0) {
        context_.prompter.Inform(message);
        return;
    }
    Rescan();
    ShowMessage(name + " の書き込みNoを " + ZeroPad(from, 2) + " から " + ZeroPad(given, 2) + " にしました");
}

void TCardForm::OpenRow(int row) {
    if (row < 0 || row >= static_cast<int>(scan_.files.size()) || !onOpen) return;
    const CardFile& f = scan_.files[static_cast<std::size_t>(row)];
    onOpen(f.kind, PathInFolder(scan_.folder, f.name));
}

void TCardForm::CancelWriteButtonClick() { cancelWrite_ = true; }

void TCardForm::reject() {
    // A write runs to its end (or its cancel) before the window goes.
    if (!writing_ && PerformPane->ConfirmLeave()) QDialog::reject();
}

void TCardForm::closeEvent(QCloseEvent* event) {
    if (writing_ || !PerformPane->ConfirmLeave()) {
        event->ignore();
        return;
    }
    folderLookTimer_->stop();
    QDialog::closeEvent(event);
}

void TCardForm::WriteButtonClick() {
    if (writing_ || folder_.empty()) return;
    SourceDialog.InitialDir.clear();
    SourceDialog.FileName.clear();
    if (!SourceDialog.Execute()) return;
    CardScan prepared;
    if (PrepareWrite(SourceDialog.FileName, prepared)) RunWrite(prepared);
}

bool TCardForm::PrepareWrite(const std::string& source, CardScan& prepared) {
    std::string message;
    if (!ScanCard(context_.files, source, Options(), prepared, message)) {
        context_.prompter.Inform(message);
        return false;
    }
    const std::string errors = CardSourceErrorQuestion(prepared);
    if (!errors.empty() && !context_.prompter.Confirm(errors)) return false;
    // What the write will do, file by file, in view before anything changes.
    CardPlan plan;
    if (!PlanCardWrite(context_.files, prepared, folder_, plan, message)) {
        context_.prompter.Inform(message);
        return false;
    }
    WriteResult->clear();
    WriteResult->setVisible(true);
    WriteResult->addItem(QStringLiteral("書き出しの予定（") + QString::fromStdString(source) + QStringLiteral(" → ") +
                         QString::fromStdString(folder_) + QStringLiteral("）"));
    bool refused = false;
    for (const CardPlanEntry& e : plan.entries) {
        const bool readOnly = e.action == CardPlanAction::Replace && e.readOnly;
        refused = refused || readOnly;
        WriteResult->addItem(QString::fromStdString(e.name + "　" + CardPlanWord(e.action) + (readOnly ? "（読み取り専用）" : "")));
    }
    // A write that a read-only file stops says so at once, without asking first.
    const std::string question = refused ? "" : CardReplaceQuestion(plan);
    if (!question.empty() && !context_.prompter.Confirm(question)) {
        WriteResult->addItem(QStringLiteral("書き出しをやめました（カードはそのままです）"));
        WriteResult->scrollToBottom();
        return false;
    }
    return true;
}

void TCardForm::RunWrite(const CardScan& prepared) {
    writing_ = true;
    cancelWrite_ = false;
    WriteProgress->setVisible(true);
    WriteProgress->setRange(0, 1);
    WriteProgress->setValue(0);
    CancelWriteButton->setEnabled(true);
    for (QPushButton* b : {WriteButton, FolderButton, RefreshButton, CloseButton}) b->setEnabled(false);
    const CardWriteResult result = WriteCard(
        context_.files, prepared, folder_,
        [this](std::size_t index, std::size_t count, const std::string&) {
            WriteProgress->setRange(0, static_cast<int>(count));
            WriteProgress->setValue(static_cast<int>(index));
            // Between files the operator may press 書き出しの中止.
            QApplication::processEvents();
            return !cancelWrite_;
        },
        [this](const std::string& name) { WriteResult->addItem(QString::fromStdString(CardWrittenLine(name))); });
    if (result.Succeeded()) WriteProgress->setValue(WriteProgress->maximum());
    for (const CardFinding& f : result.leftAlone)
        WriteResult->addItem(QString::fromStdString(std::string(CardSeverityWord(f.severity)) + "　" + f.message));
    WriteResult->addItem(QString::fromStdString(CardWriteOutcome(result)));
    WriteResult->scrollToBottom();
    writing_ = false;
    CancelWriteButton->setEnabled(false);
    for (QPushButton* b : {WriteButton, FolderButton, RefreshButton, CloseButton}) b->setEnabled(true);
    Rescan();
}

}  // namespace tesslor::gui
