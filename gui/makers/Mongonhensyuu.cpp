#include "makers/Mongonhensyuu.h"

#include <QEvent>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

#include "led/Pencolorunit.h"
#include "platform/DotPreviewBox.h"
#include "platform/FormWidgets.h"
#include "platform/NamedWidgets.h"
#include "platform/QtFonts.h"
#include "platform/Windows.h"

namespace tesslor::gui {

namespace {

// The X and Y boxes take exactly what their mask takes, nothing in between.
class PositionValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return FitsPositionMask(input.toStdString()) ? Acceptable : Invalid;
    }
};

QColor QColorOfValue(std::int32_t value) {
    const Rgb c = RgbOfColorValue(value);
    return QColor(c.r, c.g, c.b);
}

QLabel* Heading(const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

TMongonHensyuuForm::TMongonHensyuuForm(const WindowContext& context, LedHyoujikiClass& document,
                                       TPenColorForm& penColorForm, std::function<void()> repaintMain,
                                       QWidget* parent)
    : QDialog(parent),
      OpenDialog1(context.chooser, kMongonOpenDialog),
      SaveDialog1(context.chooser, kMongonSaveDialog),
      context_(context),
      document_(document),
      penColorForm_(penColorForm),
      repaintMain_(std::move(repaintMain)),
      form_(context.config.NanSyoku, context.config.TateMaisuu, context.files),
      canvas_(context.files) {
    setObjectName(QStringLiteral("MongonHensyuuForm"));
    setWindowTitle(QStringLiteral("文言編集"));
    setModal(false);

    FontDialog1.choose = [this](const QFont& preset) -> std::optional<QFont> {
        bool ok = false;
        // Preset with the family actually drawn, so the dialog finds it in its list.
        QFont shown = preset;
        shown.setFamily(QFontInfo(preset).family());
        const QFont chosen = QFontDialog::getFont(&ok, shown, this);
        if (!ok) return std::nullopt;
        return chosen;
    };
    runPenColorForm = [](QDialog& window) { window.exec(); };

    CreateControls();

    // Rows the display does not have are hidden; they are still drawn when a
    // file gives them a position.
    for (int i = 0; i < kMongonRows; ++i) {
        if (form_.RowShown(i)) continue;
        fontButtons_[i]->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{fontButtons_[i], xEdits_[i], yEdits_[i], mojiEdits_[i],
                                                          labels_[i]})
            w->hide();
    }
    if (HidesRestrictedControls(context.config)) {
        for (QPushButton* b : {FileReadButton, FileWriteButton, FileReNameWriteButton, NewButton}) {
            b->setEnabled(false);
            b->hide();
        }
    }

    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(100);
    connect(&previewTimer_, &QTimer::timeout, this, [this] { UpdatePreview(); });

    ShowRows();
    UpdatePreview();
    SetCurrentRow(0);

    resize(sizeHint());
    CentreOnScreen(*this, OuterSizeOf(WindowSize{width(), height()}, kSizeableFrame));
}

TMongonHensyuuForm::~TMongonHensyuuForm() {
    // The boxes outlive this object's members while QDialog deletes them.
    for (int i = 0; i < kMongonRows; ++i)
        for (QLineEdit* e : {xEdits_[i], yEdits_[i], mojiEdits_[i]}) e->removeEventFilter(this);
    if (mainWindow_) mainWindow_->removeEventFilter(this);
}

void TMongonHensyuuForm::CreateControls() {
    QGridLayout* grid = CreateRowGrid();
    QHBoxLayout* pixelFonts = CreatePixelFontButtons();
    QLabel* previewLabel = CreatePreview();
    QHBoxLayout* buttons = CreateFileButtons();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(pixelFonts);
    layout->addSpacing(6);
    layout->addWidget(previewLabel);
    layout->addWidget(PreviewBox, 0, Qt::AlignLeft);
    layout->addWidget(Image1);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(MakeDataButton, &QPushButton::clicked, this, [this] { MakeDataButtonClick(); });
    connect(CardAddButton, &QPushButton::clicked, this, [this] { CardAddButtonClick(); });
    connect(FileReadButton, &QPushButton::clicked, this, [this] { FileReadButtonClick(); });
    connect(FileWriteButton, &QPushButton::clicked, this, [this] { FileWriteButtonClick(); });
    connect(FileReNameWriteButton, &QPushButton::clicked, this, [this] { FileReNameWriteButtonClick(); });
    connect(NewButton, &QPushButton::clicked, this, [this] { NewButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(UnifontButton, &QPushButton::clicked, this, [this] { UnifontButtonClick(); });
    connect(MisakiButton, &QPushButton::clicked, this, [this] { MisakiButtonClick(); });
}

QGridLayout* TMongonHensyuuForm::CreateRowGrid() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(Heading("項番", this), 0, 0);
    grid->addWidget(Heading("横座標", this), 0, 1);
    grid->addWidget(Heading("縦座標", this), 0, 2);
    grid->addWidget(Heading("文言", this), 0, 3);

    // Every text box is tall enough for a row in a 16-dot font, so rows do not
    // jump when one of them gets Unifont.
    const QFont tallest = QFontOf(MongonBoxFont(MongonFont{0, 0, -kMongonUnifont.Pixels, kMongonUnifont.Face}));
    const int textBoxHeight = QFontMetrics(tallest).height() + 10;
    const int positionWidth = QFontMetrics(font()).horizontalAdvance(QStringLiteral("-000")) + 16;

    for (int i = 0; i < kMongonRows; ++i) CreateRow(grid, i, textBoxHeight, positionWidth);
    grid->setColumnStretch(3, 1);
    return grid;
}

void TMongonHensyuuForm::CreateRow(QGridLayout* grid, int i, int textBoxHeight, int positionWidth) {
    auto* label = new QLabel(QString::number(i), this);
    label->setObjectName(QStringLiteral("LabelNo%1").arg(i));
    label->setAlignment(Qt::AlignCenter);
    auto* x = NewPositionEdit("X_Edit", i, positionWidth);
    auto* y = NewPositionEdit("Y_Edit", i, positionWidth);
    auto* moji = new QLineEdit(this);
    moji->setObjectName(QStringLiteral("MojiEdit%1").arg(i));
    moji->setMaxLength(static_cast<int>(kMongonTextChars));
    moji->setMinimumWidth(480);
    moji->setMinimumHeight(textBoxHeight);
    moji->installEventFilter(this);
    auto* fontButton = NamedButton("FontButton", "フォント", this);
    fontButton->setObjectName(QStringLiteral("FontButton%1").arg(i));
    label->setBuddy(moji);

    grid->addWidget(label, i + 1, 0);
    grid->addWidget(x, i + 1, 1);
    grid->addWidget(y, i + 1, 2);
    grid->addWidget(moji, i + 1, 3);
    grid->addWidget(fontButton, i + 1, 4);
    labels_[i] = label;
    xEdits_[i] = x;
    yEdits_[i] = y;
    mojiEdits_[i] = moji;
    fontButtons_[i] = fontButton;

    for (QLineEdit* e : {x, y, moji})
        connect(e, &QLineEdit::textChanged, this, [this, i] { RowEdited(i); });
    connect(fontButton, &QPushButton::clicked, this, [this, i] { FontButtonClick(i); });
}

QLineEdit* TMongonHensyuuForm::NewPositionEdit(const char* prefix, int row, int width) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(row));
    e->setMaxLength(static_cast<int>(kMongonPositionChars));
    e->setValidator(new PositionValidator(e));
    e->setFixedWidth(width);
    e->setAlignment(Qt::AlignRight);
    e->installEventFilter(this);
    return e;
}

QHBoxLayout* TMongonHensyuuForm::CreatePixelFontButtons() {
    UnifontButton = NamedButton("UnifontButton", "Unifont 16ドット", this);
    UnifontButton->setToolTip(QStringLiteral(
        "対象の行をGNU Unifontにします。どの文字も高さ16ドットで、パネル1段にちょうど収まります"));
    MisakiButton = NamedButton("MisakiButton", "美咲 8ドット", this);
    MisakiButton->setToolTip(QStringLiteral(
        "対象の行を美咲ゴシックにします。どの文字も高さ8ドットで、パネル1段に2行入ります"));
    CurrentRowLabel = new QLabel(this);
    CurrentRowLabel->setObjectName(QStringLiteral("CurrentRowLabel"));
    CurrentRowLabel->setToolTip(QStringLiteral("最後に入力した行がドット用フォントの対象になります"));
    auto* pixelFonts = new QHBoxLayout;
    pixelFonts->addWidget(UnifontButton);
    pixelFonts->addWidget(MisakiButton);
    pixelFonts->addWidget(CurrentRowLabel);
    pixelFonts->addStretch();
    return pixelFonts;
}

QLabel* TMongonHensyuuForm::CreatePreview() {
    auto* previewLabel = new QLabel(QStringLiteral("表示イメージ（480×80ドット）"), this);
    previewLabel->setObjectName(QStringLiteral("PreviewLabel"));
    PreviewBox = new DotPreviewBox(this);
    PreviewBox->setObjectName(QStringLiteral("PreviewBox"));
    PreviewBox->SetShape(context_.config.TateMaisuu, context_.config.YokoMaisuu);
    PreviewBox->setToolTip(QStringLiteral("表示データ作成で表示器に点灯するドットです（まだ表示データには入っていません）"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(kMongonCanvasWidth, kMongonCanvasHeight);
    Image1->hide();
    return previewLabel;
}

QHBoxLayout* TMongonHensyuuForm::CreateFileButtons() {
    MakeDataButton = NamedButton("MakeDataButton", "表示データ作成", this);
    CardAddButton = NamedButton("CardAddButton", "カードに追加", this);
    FileReadButton = NamedButton("FileReadButton", "開く", this);
    FileWriteButton = NamedButton("FileWriteButton", "上書き保存", this);
    FileReNameWriteButton = NamedButton("FileReNameWriteButton", "名前を付けて保存", this);
    NewButton = NamedButton("NewButton", "新規作成", this);
    CancelButton = NamedButton("CancelButton", "キャンセル（閉）", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {MakeDataButton, CardAddButton, FileReadButton, FileWriteButton, FileReNameWriteButton, NewButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(CancelButton);
    return buttons;
}

// ---- boxes and form ----

void TMongonHensyuuForm::ReadRows() {
    for (int i = 0; i < kMongonRows; ++i) {
        MongonFormRow& row = form_.Rows[i];
        row.X = xEdits_[i]->text().toStdString();
        row.Y = yEdits_[i]->text().toStdString();
        row.Text = mojiEdits_[i]->text().toStdString();
    }
}

void TMongonHensyuuForm::ShowRows() {
    for (int i = 0; i < kMongonRows; ++i) {
        const MongonFormRow& row = form_.Rows[i];
        // The form has already counted what changed; copying it is not an edit.
        for (auto [edit, text] : {std::pair{xEdits_[i], &row.X}, std::pair{yEdits_[i], &row.Y},
                                  std::pair{mojiEdits_[i], &row.Text}}) {
            const QString t = QString::fromStdString(*text);
            if (edit->text() == t) continue;
            const QSignalBlocker block(edit);
            edit->setText(t);
        }
        ShowRowFont(i);
    }
    previewTimer_.start();
}

void TMongonHensyuuForm::ShowRowFont(int row) {
    const MongonFont& font = form_.Rows[row].Font;
    // A pixel font is shown enlarged so that it can be read, and unsmoothed so
    // that its dots stay sharp squares; the row keeps its own font.
    QLineEdit* edit = mojiEdits_[row];
    edit->setFont(QFontOf(MongonBoxFont(font), !IsPixelFontFace(font.Name)));
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, QColorOfValue(font.Color));
    edit->setPalette(pal);
}

void TMongonHensyuuForm::RowEdited(int row) {
    MongonFormRow& r = form_.Rows[row];
    r.X = xEdits_[row]->text().toStdString();
    r.Y = yEdits_[row]->text().toStdString();
    r.Text = mojiEdits_[row]->text().toStdString();
    form_.Modified = true;
    previewTimer_.start();
}

bool TMongonHensyuuForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mainWindow_ && event->type() == QEvent::Close && !AskToSaveBeforeProgramEnd()) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < kMongonRows; ++i)
            if (watched == xEdits_[i] || watched == yEdits_[i] || watched == mojiEdits_[i]) SetCurrentRow(i);
    }
    return QDialog::eventFilter(watched, event);
}

void TMongonHensyuuForm::SetCurrentRow(int row) {
    currentRow_ = row;
    CurrentRowLabel->setText(QStringLiteral("対象: 項番 %1").arg(row));
}

void TMongonHensyuuForm::UpdatePreview() {
    previewTimer_.stop();
    ReadRows();
    PreviewBox->SetDots(MongonPreviewDots(form_.CollectedTable(), previewCanvas_, context_.config.TateMaisuu));
}

const std::vector<std::uint8_t>& TMongonHensyuuForm::PreviewDots() const { return PreviewBox->Dots(); }

FormDialogs TMongonHensyuuForm::Dialogs() {
    return FormDialogs{&OpenDialog1, &SaveDialog1, context_.driveRoot ? context_.driveRoot() : std::string()};
}

// ---- buttons ----

std::optional<MongonFont> TMongonHensyuuForm::RunFontDialog(const MongonFont& font) {
    if (!FontDialog1.choose) return std::nullopt;
    const QFont preset = QFontOf(FontSpecOf(font));
    const std::optional<QFont> chosen = FontDialog1.choose(preset);
    if (!chosen) return std::nullopt;
    const ChosenFont picked{chosen->family().toStdString(), chosen->pixelSize(), chosen->pointSizeF(),
                            FontStyleBits(chosen->bold(), chosen->italic(), chosen->underline(), chosen->strikeOut())};
    std::optional<MongonFont> f = MongonFontOfChosen(picked, font, QFontInfo(preset).family().toStdString());
    // A face the file cannot name counts as no choice at all.
    if (!f) context_.prompter.Inform(MongonFaceRefusedMessage(picked.Family));
    return f;
}

std::int32_t TMongonHensyuuForm::RunPenColorForm(std::optional<std::int32_t> preset) {
    if (preset) {
        for (int i = 0; i < document_.ReverseColorCount(); ++i)
            if (ColorValueOf(document_.ReverseColorValue(i)) == *preset) {
                penColorForm_.PenColorRadioGroup->SetItemIndex(i);
                break;
            }
    }
    if (runPenColorForm) runPenColorForm(penColorForm_);
    return ColorValueOf(penColorForm_.PenColor());
}

void TMongonHensyuuForm::FontButtonClick(int row) {
    if (row < 0 || row >= kMongonRows) return;
    ReadRows();
    form_.ChooseRowFont(
        row, [this](const MongonFont& font) { return RunFontDialog(font); },
        [this](std::optional<std::int32_t> preset) { return RunPenColorForm(preset); });
    ShowRows();
}

void TMongonHensyuuForm::CardAddButtonClick() {
    ReadRows();
    if (!addToCard) return;
    if (form_.ShowsRendering(document_)) {
        addToCard(form_.DrawnText());
        return;
    }
    // Drawn first; "Led表示データ作成完了" is left unsaid when the picture
    // then reaches the card (the main window's status line says so).
    HeldMessages held(context_.prompter);
    if (RenderRows(held) && addToCard(form_.DrawnText())) held.Take();
}

bool TMongonHensyuuForm::MakeDataButtonClick() { return RenderRows(context_.prompter); }

bool TMongonHensyuuForm::RenderRows(Prompter& shown) {
    ReadRows();
    // Both windows show the result while "Led表示データ作成完了" is up.
    return form_.RenderRows(canvas_, document_, TmpBitmapPath, shown, [this] {
        static_assert(sizeof(Rgb) == 3, "the canvas is packed RGB");
        if (canvas_.Width() > 0 && canvas_.Height() > 0) {
            const QImage image(reinterpret_cast<const uchar*>(canvas_.Data()), canvas_.Width(), canvas_.Height(),
                               canvas_.Width() * 3, QImage::Format_RGB888);
            Image1->setPixmap(QPixmap::fromImage(image.copy()));
        }
        ShowRows();
        update();
        if (repaintMain_) repaintMain_();
    });
}

void TMongonHensyuuForm::FileReadButtonClick() {
    ReadRows();
    form_.ReadMongonFile(Dialogs(), context_.prompter);
    ShowRows();
}

void TMongonHensyuuForm::OpenPath(const std::string& path) {
    ShowModeless(*this);
    ReadRows();
    form_.OpenPath(Dialogs(), path, context_.prompter);
    ShowRows();
}

void TMongonHensyuuForm::FileWriteButtonClick() {
    ReadRows();
    form_.SaveMongonFile(Dialogs(), context_.prompter);
    ShowRows();
}

void TMongonHensyuuForm::FileReNameWriteButtonClick() {
    ReadRows();
    form_.SaveMongonFileAs(Dialogs(), context_.prompter);
    ShowRows();
}

void TMongonHensyuuForm::NewButtonClick() {
    ReadRows();
    form_.ResetRows(Dialogs(), context_.prompter);
    ShowRows();
}

void TMongonHensyuuForm::CancelButtonClick() { close(); }

bool TMongonHensyuuForm::AskToSaveBeforeProgramEnd() {
    ReadRows();
    // A user without the file buttons keeps no rows in files: nothing to offer.
    if (HidesRestrictedControls(context_.config) || !form_.RowsUnsaved()) return true;
    // The question is about rows that may lie hidden: they come into view first.
    ShowModeless(*this);
    const bool goOn = form_.AskToSaveBeforeEnd(Dialogs(), context_.prompter);
    ShowRows();
    return goOn;
}

void TMongonHensyuuForm::WatchProgramEnd(QWidget& mainWindow) {
    if (mainWindow_) mainWindow_->removeEventFilter(this);
    mainWindow_ = &mainWindow;
    mainWindow.installEventFilter(this);
}

void TMongonHensyuuForm::GivePixelFont(const MongonPixelFont& pixelFont) {
    ReadRows();
    form_.GiveRowPixelFont(currentRow_, pixelFont);
    ShowRows();
}

void TMongonHensyuuForm::UnifontButtonClick() { GivePixelFont(kMongonUnifont); }

void TMongonHensyuuForm::MisakiButtonClick() { GivePixelFont(kMongonMisaki); }

}  // namespace tesslor::gui
