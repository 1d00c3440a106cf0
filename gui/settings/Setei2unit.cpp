#include "settings/Setei2unit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "platform/FormWidgets.h"
#include "platform/NamedWidgets.h"
#include "settings/ScreenFit.h"

namespace tesslor::gui {

namespace {
// Controls in use are white, those of a switched-off band silver.
const QColor kEnabledColor(0xFF, 0xFF, 0xFF);
const QColor kDisabledColor(0xC0, 0xC0, 0xC0);

// The grid columns of a band row.
enum Column { kCaption, kFrom, kFromUnit, kAbove, kTo, kToUnit, kBelow, kLampLabel, kLamp, kMongonLabel, kMongon, kReference };

// The unit's normal message numbers, shown beside the message choices of each quantity.
const std::vector<std::vector<const char*>> kReferences = {
    {"(35)", "(36)", "(37)", "(38)"}, {"(39)", "(40)", "(41)", "(42)"}, {"(43 瞬間)"}, {"(43)"}, {},
    {"(44\u3000：", "平均風速)"}};

// "Ondo" of "OndoChk1": the quantity's part of a band prefix.
std::string Stem(const char* prefix) {
    const std::string p(prefix);
    return p.substr(0, p.find("Chk"));
}

// Rows close together: the window fits a 1366 x 768 screen.
void Compact(QGridLayout* grid) {
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(6, 4, 6, 4);
}

// Gives every column of the grids the width of its widest single-column
// cell in any of them, so the columns line up from group to group.
void AlignColumns(const std::vector<QGridLayout*>& grids) {
    std::map<int, int> widths;
    for (QGridLayout* g : grids)
        for (int i = 0; i < g->count(); ++i) {
            int row = 0, column = 0, rows = 0, columns = 0;
            g->getItemPosition(i, &row, &column, &rows, &columns);
            if (columns == 1) widths[column] = std::max(widths[column], g->itemAt(i)->sizeHint().width());
        }
    for (QGridLayout* g : grids)
        for (const auto& [column, width] : widths) g->setColumnMinimumWidth(column, width);
}

QLabel* Label(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

void Paint(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, color);
    w->setPalette(pal);
}
}  // namespace

TSetei2Form::TSetei2Form(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      FileOpenDialog(context.chooser, kSettingsOpenDialog),
      SaveDialog(context.chooser, kSettingsSaveDialog),
      context_(context),
      form_(context.files) {
    setObjectName(QStringLiteral("Setei2Form"));
    setWindowTitle(QStringLiteral("設定３"));
    setModal(false);
    CreateControls();
    connect(OpenButton, &QPushButton::clicked, this, [this] { OpenButtonClick(); });
    connect(WriteButton, &QPushButton::clicked, this, [this] { WriteButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(HyoujyunSeteiButton, &QPushButton::clicked, this, [this] { HyoujyunSeteiButtonClick(); });
    connect(SeteiChkButton, &QPushButton::clicked, this, [this] { SeteiChkButtonClick(); });
    for (const Setei3Band& b : Setei3Bands()) {
        if (!b.CheckBox) continue;
        const std::string box = b.CheckBox;
        connect(boxes_[box], &QAbstractButton::toggled, this, [this, box](bool checked) {
            form_.SetChecked(box, checked);
            ApplyBandEnabling();
        });
    }
    ShowForm();
    KeepOnScreen(*this);
    // What the window starts with is nothing to save.
    ReadForm();
    form_.MarkUnchanged();
}

// ---- controls ----

QLineEdit* TSetei2Form::NewEdit(const char* name) {
    int width = 0;
    for (const Setei3NumberField& f : Setei3NumberFields())
        if (std::string_view(f.Name) == name) width = f.Width;
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(width);
    e->setAlignment(Qt::AlignRight);
    const QFontMetrics metrics(e->font());
    e->setFixedWidth(metrics.horizontalAdvance(QString(width + 1, QLatin1Char('0'))) + 12);
    edits_[name] = e;
    return e;
}

QComboBox* TSetei2Form::NewList(const std::string& name, std::span<const char* const> items, bool emptyItem) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString::fromStdString(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (const char* item : items) c->addItem(QString::fromUtf8(item));
    if (emptyItem) c->addItem(QString());
    const QFontMetrics metrics(c->font());
    c->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("右右右")) + 40);
    lists_[name] = c;
    return c;
}

QWidget* TSetei2Form::CreateTimes() {
    auto* group = new QGroupBox(QStringLiteral("時間"), this);
    group->setObjectName(QStringLiteral("JikanPanel"));
    auto* grid = new QGridLayout(group);
    Compact(grid);
    const char* captions[] = {"点灯時間", "消灯時間", "スクロール時間"};
    const char* names[] = {"TentouJikanEdit", "SyoutouJikanEdit", "ScrollJikanEdit"};
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(Label(captions[r], group), r, 0);
        grid->addWidget(NewEdit(names[r]), r, 1);
        grid->addWidget(Label("単位10msec", group), r, 2);
    }
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* TSetei2Form::CreateQuantity(int quantity) {
    const Setei3Quantity& q = Setei3Quantities()[static_cast<std::size_t>(quantity)];
    auto* group = new QGroupBox(QString::fromUtf8(q.Caption), this);
    auto* grid = new QGridLayout(group);
    Compact(grid);
    grid->setColumnStretch(kReference + 1, 1);
    grid->addWidget(Label("通常文言", group), 0, kReference);
    bandGrids_.push_back(grid);
    const auto& references = kReferences[static_cast<std::size_t>(quantity)];
    int row = 1;
    for (const Setei3Band& b : Setei3Bands()) {
        if (b.Quantity != quantity) continue;
        group->setObjectName(QString::fromStdString(Stem(b.Prefix) + "Panel"));
        if (b.CheckBox) {
            auto* box = new QCheckBox(QString::fromUtf8(b.Caption), group);
            box->setObjectName(QString::fromLatin1(b.CheckBox));
            boxes_[b.CheckBox] = box;
            grid->addWidget(box, row, kCaption);
        } else {
            grid->addWidget(Label(b.Caption, group), row, kCaption);
        }
        if (b.FromField) {
            grid->addWidget(NewEdit(b.FromField), row, kFrom);
            grid->addWidget(Label(q.Unit, group), row, kFromUnit);
            grid->addWidget(Label("以上", group), row, kAbove);
        }
        if (b.ToField) {
            grid->addWidget(NewEdit(b.ToField), row, kTo);
            grid->addWidget(Label(q.Unit, group), row, kToUnit);
            grid->addWidget(Label("以下", group), row, kBelow);
        }
        grid->addWidget(Label("回転灯", group), row, kLampLabel);
        grid->addWidget(NewList(std::string(b.Prefix) + "KaitenComboBox", Setei3LampItems()), row, kLamp);
        grid->addWidget(Label("文言", group), row, kMongonLabel);
        grid->addWidget(NewList(std::string(b.Prefix) + "MongonComboBox", Setei3MongonItems()), row, kMongon);
        if (static_cast<std::size_t>(row - 1) < references.size())
            grid->addWidget(Label(references[static_cast<std::size_t>(row - 1)], group), row, kReference);
        ++row;
    }
    for (const Setei3RadioPair& r : Setei3RadioPairs()) {
        if (std::string(r.GroupCaption) != q.Caption) continue;
        auto* choice = new QGroupBox(QString::fromUtf8(r.GroupCaption), group);
        choice->setObjectName(QString::fromLatin1(r.Group));
        auto* average = new QRadioButton(QString::fromUtf8(r.AverageCaption), choice);
        average->setObjectName(QString::fromLatin1(r.Average));
        auto* instant = new QRadioButton(QString::fromUtf8(r.InstantCaption), choice);
        instant->setObjectName(QString::fromLatin1(r.Instant));
        auto* line = new QHBoxLayout(choice);
        line->addWidget(average);
        line->addWidget(instant);
        line->addStretch();
        line->setContentsMargins(6, 0, 6, 0);
        boxes_[r.Average] = average;
        boxes_[r.Instant] = instant;
        // Beside the 通常文言 caption, over the bands, where the row has room.
        grid->addWidget(choice, 0, kCaption, 1, kReference);
    }
    return group;
}

QWidget* TSetei2Form::CreateSegments() {
    auto* group = new QGroupBox(QStringLiteral("8セグ表示"), this);
    group->setObjectName(QStringLiteral("SegPanel"));
    auto* grid = new QGridLayout(group);
    Compact(grid);
    int i = 0;
    for (const Setei3SegChoice& s : Setei3SegChoices()) {
        const int row = i / 3, column = (i % 3) * 2;
        grid->addWidget(Label(s.Caption, group), row, column);
        grid->addWidget(NewList(s.Name, Setei3SegItems(), s.EmptyItem), row, column + 1);
        ++i;
    }
    grid->setColumnStretch(6, 1);
    return group;
}

void TSetei2Form::CreateControls() {
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    left->addWidget(CreateTimes());
    const int quantities = static_cast<int>(Setei3Quantities().size());
    for (int q = 0; q < quantities; ++q) (q < 2 ? left : right)->addWidget(CreateQuantity(q));
    left->addWidget(CreateSegments());
    GModeCheckBox = new QCheckBox(QStringLiteral("Gモードチェック"), this);
    GModeCheckBox->setObjectName(QString::fromLatin1(kSetei3GModeBox));
    boxes_[kSetei3GModeBox] = GModeCheckBox;
    left->addWidget(GModeCheckBox);
    left->addStretch();
    right->addStretch();

    OpenButton = NamedButton("OpenButton", "開く", this);
    WriteButton = NamedButton("WriteButton", "書込み", this);
    CardAddButton = NamedButton("CardAddButton", "カードに追加", this);
    connect(CardAddButton, &QPushButton::clicked, this, [this] { buttons_.AddToCard(CloseAndTell(*this, context_)); });
    HyoujyunSeteiButton = NamedButton("HyoujyunSeteiButton", "標準設定", this);
    SeteiChkButton = NamedButton("SeteiChkButton", "設定チェック", this);
    CancelButton = NamedButton("CancelButton", "キャンセル", this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {OpenButton, WriteButton, CardAddButton, HyoujyunSeteiButton, SeteiChkButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(CancelButton);

    AlignColumns(bandGrids_);
    left->setSpacing(4);
    right->setSpacing(4);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(FieldScrollArea(columns, this), 1);
    layout->addLayout(buttons);

    SouonGroupBox = findChild<QGroupBox*>(QStringLiteral("SouonGroupBox"));
    FuusokuGroupBox = findChild<QGroupBox*>(QStringLiteral("FuusokuGroupBox"));
    HeikinSouonRadioButton = static_cast<QRadioButton*>(boxes_["HeikinSouonRadioButton"]);
    SyunkanSouonRadioButton = static_cast<QRadioButton*>(boxes_["SyunkanSouonRadioButton"]);
    HeikinFuusokuRadioButton = static_cast<QRadioButton*>(boxes_["HeikinFuusokuRadioButton"]);
    SyunkanFuusokuRadioButton = static_cast<QRadioButton*>(boxes_["SyunkanFuusokuRadioButton"]);
}

QLineEdit* TSetei2Form::Edit(const std::string& name) const {
    auto it = edits_.find(name);
    return it == edits_.end() ? nullptr : it->second;
}

QComboBox* TSetei2Form::List(const std::string& name) const {
    auto it = lists_.find(name);
    return it == lists_.end() ? nullptr : it->second;
}

QAbstractButton* TSetei2Form::Box(const std::string& name) const {
    auto it = boxes_.find(name);
    return it == boxes_.end() ? nullptr : it->second;
}

// ---- widgets and form ----

void TSetei2Form::ReadForm() { CopyWidgetsToForm(*this, form_); }

void TSetei2Form::ShowForm() {
    CopyFormToWidgets(form_, *this);
    ApplyBandEnabling();
}

void TSetei2Form::ApplyBandEnabling() {
    for (const Setei3Band& b : Setei3Bands()) {
        if (!b.CheckBox) continue;
        std::vector<QWidget*> controls{lists_.at(std::string(b.Prefix) + "KaitenComboBox"),
                                       lists_.at(std::string(b.Prefix) + "MongonComboBox")};
        for (const char* field : {b.FromField, b.ToField})
            if (field) controls.push_back(edits_.at(field));
        for (QWidget* w : controls) {
            const bool on = form_.ControlEnabled(w->objectName().toStdString());
            w->setEnabled(on);
            Paint(w, on ? kEnabledColor : kDisabledColor);
            if (auto* list = qobject_cast<QComboBox*>(w); list && list->lineEdit())
                Paint(list->lineEdit(), on ? kEnabledColor : kDisabledColor);
        }
    }
}

void TSetei2Form::showEvent(QShowEvent* event) {
    for (const Setei3Band& b : Setei3Bands())
        if (b.CheckBox) form_.SetChecked(b.CheckBox, boxes_.at(b.CheckBox)->isChecked());
    ApplyBandEnabling();
    QDialog::showEvent(event);
    KeepOnScreen(*this);
}

// ---- buttons ----

FormDialogs TSetei2Form::Dialogs() { return {&FileOpenDialog, &SaveDialog, context_.driveRoot()}; }

// The four CHK2 "to" fields keep their text through the open's clearing:
// the controls are read into the form first.
void TSetei2Form::OpenButtonClick() { buttons_.Open(); }

void TSetei2Form::OpenPath(const std::string& path) {
    ShowModeless(*this);
    buttons_.OpenPath(path);
}

void TSetei2Form::WriteButtonClick() { buttons_.Write(); }

void TSetei2Form::CancelButtonClick() { hide(); }

void TSetei2Form::HyoujyunSeteiButtonClick() {
    ReadForm();
    form_.Standard();
    ShowForm();
}

void TSetei2Form::SeteiChkButtonClick() {
    ReadForm();
    if (form_.CheckSettings3(context_.prompter)) context_.prompter.Inform(kSetei3CheckOk);
}

}  // namespace tesslor::gui
