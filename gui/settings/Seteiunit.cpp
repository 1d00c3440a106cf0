#include "settings/Seteiunit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "platform/FormWidgets.h"
#include "platform/NamedWidgets.h"
#include "settings/ScreenFit.h"

namespace tesslor::gui {

namespace {
// Puts the widgets side by side in row r, one per column; nullptr leaves a column empty.
void Row(QGridLayout* grid, int r, std::initializer_list<QWidget*> widgets) {
    int column = 0;
    for (QWidget* w : widgets) {
        if (w) grid->addWidget(w, r, column);
        ++column;
    }
}

QGroupBox* Group(const char* name, const char* title, QWidget* parent) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QGridLayout* GridOf(QGroupBox* box) {
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setColumnStretch(16, 1);
    return grid;
}

QRadioButton* Radio(const char* name, const char* text, QWidget* parent) {
    auto* b = new QRadioButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

// A radio button's object name and caption.
struct RadioName {
    const char* name;
    const char* text;
};

// A settings 2 choice between the average and the instantaneous value.
struct Choice {
    QGroupBox* box;
    QRadioButton* average;
    QRadioButton* instant;
};

// Puts the choice in its own box under the threshold row of the panel's grid.
Choice AddChoice(QGroupBox* panel, const char* name, const char* title, RadioName average, RadioName instant) {
    Choice c{};
    c.box = Group(name, title, panel);
    c.average = Radio(average.name, average.text, c.box);
    c.instant = Radio(instant.name, instant.text, c.box);
    auto* row = new QHBoxLayout(c.box);
    row->addWidget(c.average);
    row->addWidget(c.instant);
    static_cast<QGridLayout*>(panel->layout())->addWidget(c.box, 1, 0, 1, 6);
    return c;
}

}  // namespace

TSeteiForm::TSeteiForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      FileOpenDialog(context.chooser, kSettingsOpenDialog),
      SaveDialog(context.chooser, kSettingsSaveDialog),
      context_(context),
      form_(false, context.files) {
    setObjectName(QStringLiteral("SeteiForm"));
    setWindowTitle(QStringLiteral("環境表示器設定"));
    setModal(false);
    CreateControls();
    connect(OpenButton, &QPushButton::clicked, this, [this] { OpenButtonClick(); });
    connect(WriteButton, &QPushButton::clicked, this, [this] { WriteButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(HyoujyunSeteiButton, &QPushButton::clicked, this, [this] { HyoujyunSeteiButtonClick(); });
    connect(FuusokuSenyouKaitentouSeteiButton, &QPushButton::clicked, this,
            [this] { FuusokuSenyouKaitentouSeteiButtonClick(); });
    // Created with the wind-only lamp mode off.
    form_.SetWindOnly(false);
    ShowForm();
    // What the window starts with is nothing to save.
    ReadForm();
    form_.MarkUnchanged();
}

QLineEdit* TSeteiForm::NewEdit(const char* name) {
    const SeteiField* field = FindSeteiField(name);
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(field->Width);
    e->setAlignment(Qt::AlignRight);
    const QFontMetrics metrics(e->font());
    e->setFixedWidth(metrics.horizontalAdvance(QString(field->Width + 1, QLatin1Char('0'))) + 12);
    edits_[name] = e;
    return e;
}

QWidget* TSeteiForm::UnitWord(const char* unit, const char* word) {
    auto* w = new QWidget(this);
    auto* row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(NewLabel(unit));
    row->addWidget(NewLabel(word));
    row->addStretch();
    return w;
}

QLabel* TSeteiForm::NewLabel(const char* text, const char* name) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

void TSeteiForm::CreateControls() {
    QGroupBox* jikan = CreateTimePanel();
    QGroupBox* ondo = CreateOndoPanel();
    QGroupBox* wbgt = CreateWbgtPanel();

    // Noise and wind carry the settings 2 choice beside their threshold.
    QGroupBox* souon = ThresholdPanel("SouonPanel", "騒音", "SouonChkEdit", "dB", "SouonChkKaitenTouEdit");
    const Choice souonChoice = AddChoice(souon, "SouonGroupBox", "騒音", {"HeikinSouonRadioButton", "平均騒音"},
                                         {"SyunkanSouonRadioButton", "瞬間騒音"});
    SouonGroupBox = souonChoice.box;
    HeikinSouonRadioButton = souonChoice.average;
    SyunkanSouonRadioButton = souonChoice.instant;
    QGroupBox* sindou = ThresholdPanel("SindouPanel", "振動", "SindouChkEdit", "dB", "SindouChkKaitenTouEdit");
    QGroupBox* uryou = ThresholdPanel("UryouPanel", "雨量", "UryouChkEdit", "mm", "UryouChkKaitenTouEdit");
    QGroupBox* fuusoku = ThresholdPanel("FuusokuPanel", "風速", "FuusokuChkEdit", "m/s", "FuusokuChkKaitenTouEdit");
    const Choice fuusokuChoice = AddChoice(fuusoku, "FuusokuGroupBox", "風速", {"HeikinFuusokuRadioButton", "平均風速"},
                                           {"SyunkanFuusokuRadioButton", "瞬間風速"});
    FuusokuGroupBox = fuusokuChoice.box;
    HeikinFuusokuRadioButton = fuusokuChoice.average;
    SyunkanFuusokuRadioButton = fuusokuChoice.instant;

    CreateWindOnlyPanel();
    CreateButtons();
    LayOut({jikan, ondo, wbgt}, {souon, sindou, uryou, fuusoku, FuusokuSenyouPanel});
}

QGroupBox* TSeteiForm::CreateTimePanel() {
    // Lamp times and the scroll speed.
    QGroupBox* jikan = Group("JikanPanel", "時間", this);
    QGridLayout* g = GridOf(jikan);
    Row(g, 0, {NewLabel("点灯時間"), NewEdit("TentouJikanEdit"), NewLabel("単位10msec")});
    Row(g, 1, {NewLabel("消灯時間"), NewEdit("SyoutouJikanEdit"), NewLabel("単位10msec")});
    Row(g, 2, {NewLabel("スクロール時間"), NewEdit("ScrollJikanEdit"), NewLabel("単位10msec")});
    return jikan;
}

QGroupBox* TSeteiForm::CreateOndoPanel() {
    QGroupBox* ondo = Group("OndoPanel", "温度", this);
    QGridLayout* g = GridOf(ondo);
    RangeRow(g, 0, "CHK1", "OndoChk1MinEdit", "OndoChk1MaxEdit");
    RangeRow(g, 1, "CHK2", "OndoChk2MinEdit", "OndoChk2MaxEdit");
    LampRow(g, 2, "CHK3", "OndoChk3Edit", "OndoChk3KaitenTouEdit");
    Row(g, 3, {NewLabel("CHK ZERO"), NewEdit("OndoChkZeroEdit"), UnitWord("°C", "以下")});
    return ondo;
}

QGroupBox* TSeteiForm::CreateWbgtPanel() {
    QGroupBox* wbgt = Group("WbgtPanel", "WBGT", this);
    QGridLayout* g = GridOf(wbgt);
    RangeRow(g, 0, "CHK1", "WbgtChk1MinEdit", "WbgtChk1MaxEdit");
    RangeRow(g, 1, "CHK2", "WbgtChk2MinEdit", "WbgtChk2MaxEdit");
    RangeRow(g, 2, "CHK3", "WbgtChk3MinEdit", "WbgtChk3MaxEdit");
    LampRow(g, 3, "CHK4", "WbgtChk4Edit", "WbgtChk4KaitenTouEdit");
    return wbgt;
}

void TSeteiForm::RangeRow(QGridLayout* g, int r, const char* chk, const char* minEdit, const char* maxEdit) {
    Row(g, r, {NewLabel(chk), NewEdit(minEdit), UnitWord("°C", "以上"), NewEdit(maxEdit), UnitWord("°C", "以下")});
}

void TSeteiForm::LampRow(QGridLayout* g, int r, const char* chk, const char* edit, const char* lampEdit) {
    Row(g, r, {NewLabel(chk), NewEdit(edit), UnitWord("°C", "以上"), NewLabel("回転灯"), NewEdit(lampEdit)});
}

QGroupBox* TSeteiForm::ThresholdPanel(const char* name, const char* title, const char* edit, const char* unit,
                                      const char* lampEdit) {
    QGroupBox* panel = Group(name, title, this);
    QGridLayout* g = GridOf(panel);
    Row(g, 0, {NewEdit(edit), UnitWord(unit, "以上"), NewLabel("回転灯"), NewEdit(lampEdit)});
    return panel;
}

void TSeteiForm::CreateWindOnlyPanel() {
    // The four wind bands of the wind-only lamp mode, each with its own lamp.
    FuusokuSenyouPanel = Group("FuusokuSenyouPanel", "風速専用回転灯", this);
    QGridLayout* g = GridOf(FuusokuSenyouPanel);
    auto named = [this](const char* name, const char* text) {
        QLabel* l = NewLabel(text, name);
        windOnlyControls_.push_back(l);
        return l;
    };
    auto band = [this](const char* name) {
        QLineEdit* e = NewEdit(name);
        windOnlyControls_.push_back(e);
        return e;
    };
    Row(g, 0, {named("Label44", "m/s"), nullptr, nullptr, nullptr, nullptr, named("Label45", "回転灯")});
    Row(g, 1, {named("Label46", "CHK1"), band("FuusokuChk1MinEdit"), named("Label47", "以上"),
               band("FuusokuChk1MaxEdit"), named("Label48", "以下"), band("FuusokuChk1KaitentouEdit")});
    Row(g, 2, {named("Label49", "CHK2"), band("FuusokuChk2MinEdit"), named("Label50", "以上"),
               band("FuusokuChk2MaxEdit"), named("Label51", "以下"), band("FuusokuChk2KaitentouEdit")});
    Row(g, 3, {named("Label52", "CHK3"), band("FuusokuChk3MinEdit"), named("Label53", "以上"),
               band("FuusokuChk3MaxEdit"), named("Label54", "以下"), band("FuusokuChk3KaitentouEdit")});
    Row(g, 4, {named("Label55", "CHK4"), band("FuusokuChk4MinEdit"), named("Label56", "以上"), nullptr, nullptr,
               band("FuusokuChk4KaitentouEdit")});
}

void TSeteiForm::CreateButtons() {
    OpenButton = NamedButton("OpenButton", "開く", this);
    WriteButton = NamedButton("WriteButton", "書込み", this);
    CardAddButton = NamedButton("CardAddButton", "カードに追加", this);
    connect(CardAddButton, &QPushButton::clicked, this, [this] { buttons_.AddToCard(CloseAndTell(*this, context_)); });
    CancelButton = NamedButton("CancelButton", "キャンセル", this);
    HyoujyunSeteiButton = NamedButton("HyoujyunSeteiButton", "標準設定", this);
    FuusokuSenyouKaitentouSeteiButton = NamedButton("FuusokuSenyouKaitentouSeteiButton", kWindOnlyOnCaption, this);
}

void TSeteiForm::LayOut(std::initializer_list<QWidget*> leftPanels, std::initializer_list<QWidget*> rightPanels) {
    auto* left = new QVBoxLayout;
    for (QWidget* panel : leftPanels) left->addWidget(panel);
    left->addStretch();
    auto* right = new QVBoxLayout;
    for (QWidget* panel : rightPanels) right->addWidget(panel);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HyoujyunSeteiButton);
    buttons->addWidget(FuusokuSenyouKaitentouSeteiButton);
    buttons->addStretch();
    buttons->addWidget(OpenButton);
    buttons->addWidget(WriteButton);
    buttons->addWidget(CardAddButton);
    buttons->addWidget(CancelButton);
    auto* fields = new QHBoxLayout;
    fields->addLayout(left);
    fields->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FieldScrollArea(fields, this), 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

QLineEdit* TSeteiForm::Edit(const std::string& name) const {
    auto it = edits_.find(name);
    return it == edits_.end() ? nullptr : it->second;
}

void TSeteiForm::ReadForm() { CopyWidgetsToForm(*this, form_); }

void TSeteiForm::ShowForm() {
    CopyFormToWidgets(form_, *this);
    const bool windOnly = form_.WindOnly();
    FuusokuSenyouKaitentouSeteiButton->setText(
        QString::fromUtf8(windOnly ? kWindOnlyOffCaption : kWindOnlyOnCaption));
    const bool modeChanged = FuusokuSenyouPanel->isVisibleTo(this) != windOnly;
    for (QWidget* w : windOnlyControls_) w->setVisible(windOnly);
    FuusokuSenyouPanel->setVisible(windOnly);
    // Leaving the mode takes the bands away: the window shrinks with them.
    if (modeChanged) FitToContents();
    edits_.at(kFuusokuLampField)->setEnabled(form_.FuusokuChkKaitenTouEnabled());
}

void TSeteiForm::FitToContents() {
    // The layout learns of the hidden and shown panels first, then the window takes its size.
    layout()->invalidate();
    layout()->activate();
    resize(sizeHint());
    // A window grown past the screen shrinks (its fields scroll) and moves
    // in until its buttons show.
    KeepOnScreen(*this);
}

void TSeteiForm::OpenInMode(bool settings2) {
    form_.SetSettings2(settings2);
    SouonGroupBox->setVisible(settings2);
    FuusokuGroupBox->setVisible(settings2);
    // Settings 1 has no choices: the window shrinks to what it shows.
    FitToContents();
    show();
    raise();
    activateWindow();
}

FormDialogs TSeteiForm::Dialogs() { return {&FileOpenDialog, &SaveDialog, context_.driveRoot()}; }

void TSeteiForm::OpenButtonClick() { buttons_.Open(); }

void TSeteiForm::OpenPath(const std::string& path, bool settings2) {
    OpenInMode(settings2);
    buttons_.OpenPath(path);
}

void TSeteiForm::WriteButtonClick() { buttons_.Write(); }

void TSeteiForm::CancelButtonClick() { hide(); }

void TSeteiForm::HyoujyunSeteiButtonClick() {
    ReadForm();
    form_.Standard();
    ShowForm();
}

void TSeteiForm::FuusokuSenyouKaitentouSeteiButtonClick() {
    ReadForm();
    form_.WindOnlyButton(context_.prompter);
    ShowForm();
}

}  // namespace tesslor::gui
