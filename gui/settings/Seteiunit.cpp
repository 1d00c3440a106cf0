#include "settings/Seteiunit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <initializer_list>

#include "platform/DialogFlows.h"
#include "platform/NamedWidgets.h"

namespace tesslor::gui {

namespace {
// The open dialog writes ＬＥＤ in full-width letters in both entries, the
// save dialog in ASCII letters in its first, as the operator has always seen them.
const FileDialogSetup kSeteiOpenDialog{
    FileDialogKind::Open, {{"ＬＥＤ設定(*.txt)", "*.txt"}, {"ＬＥＤ設定(*.lee)", "*.lee"}}, "lee", ""};
const FileDialogSetup kSeteiSaveDialog{
    FileDialogKind::Save, {{"LED設定(*.txt)", "*.txt"}, {"ＬＥＤ設定(*.lee)", "*.lee"}}, "txt", ""};
// The unit looks for this name on its card.
constexpr const char* kSeteiFileName = "setei.txt";

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

}  // namespace

TSeteiForm::TSeteiForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      FileOpenDialog(context.chooser, kSeteiOpenDialog),
      SaveDialog(context.chooser, kSeteiSaveDialog),
      context_(context) {
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
}

QLineEdit* TSeteiForm::NewEdit(const char* name) {
    const SeteiField* field = nullptr;
    for (const SeteiField& f : kSeteiFields)
        if (std::string(f.name) == name) field = &f;
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(field->width);
    e->setAlignment(Qt::AlignRight);
    const QFontMetrics metrics(e->font());
    e->setFixedWidth(metrics.horizontalAdvance(QString(field->width + 1, QLatin1Char('0'))) + 12);
    edits_[name] = e;
    return e;
}

QLabel* TSeteiForm::NewLabel(const char* text, const char* name) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

void TSeteiForm::CreateControls() {
    auto edit = [this](const char* name) { return NewEdit(name); };
    auto label = [this](const char* text) { return NewLabel(text); };

    // Lamp times and the scroll speed.
    QGroupBox* jikan = Group("JikanPanel", "時間", this);
    QGridLayout* g = GridOf(jikan);
    Row(g, 0, {label("点灯時間"), edit("TentouJikanEdit"), label("単位10msec")});
    Row(g, 1, {label("消灯時間"), edit("SyoutouJikanEdit"), label("単位10msec")});
    Row(g, 2, {label("スクロール時間"), edit("ScrollJikanEdit"), label("単位10msec")});

    QGroupBox* ondo = Group("OndoPanel", "温度", this);
    g = GridOf(ondo);
    Row(g, 0, {label("CHK1"), edit("OndoChk1MinEdit"), label("°C"), label("以上"), edit("OndoChk1MaxEdit"),
               label("°C"), label("以下")});
    Row(g, 1, {label("CHK2"), edit("OndoChk2MinEdit"), label("°C"), label("以上"), edit("OndoChk2MaxEdit"),
               label("°C"), label("以下")});
    Row(g, 2, {label("CHK3"), edit("OndoChk3Edit"), label("°C"), label("以上"), label("回転灯"),
               edit("OndoChk3KaitenTouEdit")});
    Row(g, 3, {label("CHK ZERO"), edit("OndoChkZeroEdit"), label("°C"), label("以下")});

    QGroupBox* wbgt = Group("WbgtPanel", "WBGT", this);
    g = GridOf(wbgt);
    Row(g, 0, {label("CHK1"), edit("WbgtChk1MinEdit"), label("°C"), label("以上"), edit("WbgtChk1MaxEdit"),
               label("°C"), label("以下")});
    Row(g, 1, {label("CHK2"), edit("WbgtChk2MinEdit"), label("°C"), label("以上"), edit("WbgtChk2MaxEdit"),
               label("°C"), label("以下")});
    Row(g, 2, {label("CHK3"), edit("WbgtChk3MinEdit"), label("°C"), label("以上"), edit("WbgtChk3MaxEdit"),
               label("°C"), label("以下")});
    Row(g, 3, {label("CHK4"), edit("WbgtChk4Edit"), label("°C"), label("以上"), label("回転灯"),
               edit("WbgtChk4KaitenTouEdit")});

    // Noise and wind carry the settings 2 choice beside their threshold.
    QGroupBox* souon = Group("SouonPanel", "騒音", this);
    g = GridOf(souon);
    Row(g, 0, {edit("SouonChkEdit"), label("dB"), label("以上"), label("回転灯"), edit("SouonChkKaitenTouEdit")});
    SouonGroupBox = Group("SouonGroupBox", "騒音", souon);
    HeikinSouonRadioButton = Radio("HeikinSouonRadioButton", "平均騒音", SouonGroupBox);
    SyunkanSouonRadioButton = Radio("SyunkanSouonRadioButton", "瞬間騒音", SouonGroupBox);
    auto* souonChoice = new QHBoxLayout(SouonGroupBox);
    souonChoice->addWidget(HeikinSouonRadioButton);
    souonChoice->addWidget(SyunkanSouonRadioButton);
    g->addWidget(SouonGroupBox, 1, 0, 1, 6);

    QGroupBox* sindou = Group("SindouPanel", "振動", this);
    g = GridOf(sindou);
    Row(g, 0, {edit("SindouChkEdit"), label("dB"), label("以上"), label("回転灯"), edit("SindouChkKaitenTouEdit")});

    QGroupBox* uryou = Group("UryouPanel", "雨量", this);
    g = GridOf(uryou);
    Row(g, 0, {edit("UryouChkEdit"), label("mm"), label("以上"), label("回転灯"), edit("UryouChkKaitenTouEdit")});

    QGroupBox* fuusoku = Group("FuusokuPanel", "風速", this);
    g = GridOf(fuusoku);
    Row(g, 0,
        {edit("FuusokuChkEdit"), label("m/s"), label("以上"), label("回転灯"), edit("FuusokuChkKaitenTouEdit")});
    FuusokuGroupBox = Group("FuusokuGroupBox", "風速", fuusoku);
    HeikinFuusokuRadioButton = Radio("HeikinFuusokuRadioButton", "平均風速", FuusokuGroupBox);
    SyunkanFuusokuRadioButton = Radio("SyunkanFuusokuRadioButton", "瞬間風速", FuusokuGroupBox);
    auto* fuusokuChoice = new QHBoxLayout(FuusokuGroupBox);
    fuusokuChoice->addWidget(HeikinFuusokuRadioButton);
    fuusokuChoice->addWidget(SyunkanFuusokuRadioButton);
    g->addWidget(FuusokuGroupBox, 1, 0, 1, 6);

    // The four wind bands of the wind-only lamp mode, each with its own lamp.
    FuusokuSenyouPanel = Group("FuusokuSenyouPanel", "風速専用回転灯", this);
    g = GridOf(FuusokuSenyouPanel);
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

    OpenButton = NamedButton("OpenButton", "開く", this);
    WriteButton = NamedButton("WriteButton", "書込み", this);
    CancelButton = NamedButton("CancelButton", "キャンセル", this);
    HyoujyunSeteiButton = NamedButton("HyoujyunSeteiButton", "標準設定", this);
    FuusokuSenyouKaitentouSeteiButton = NamedButton("FuusokuSenyouKaitentouSeteiButton", kWindOnlyOnCaption, this);

    auto* left = new QVBoxLayout;
    left->addWidget(jikan);
    left->addWidget(ondo);
    left->addWidget(wbgt);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(souon);
    right->addWidget(sindou);
    right->addWidget(uryou);
    right->addWidget(fuusoku);
    right->addWidget(FuusokuSenyouPanel);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(HyoujyunSeteiButton);
    buttons->addWidget(FuusokuSenyouKaitentouSeteiButton);
    buttons->addStretch();
    buttons->addWidget(OpenButton);
    buttons->addWidget(WriteButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QGridLayout(this);
    layout->addLayout(left, 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addLayout(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

QLineEdit* TSeteiForm::Edit(const std::string& name) const {
    auto it = edits_.find(name);
    return it == edits_.end() ? nullptr : it->second;
}

void TSeteiForm::ReadForm() {
    for (const auto& [name, e] : edits_) form_.SetText(name, e->text().toStdString());
    for (QRadioButton* b : {HeikinSouonRadioButton, SyunkanSouonRadioButton, HeikinFuusokuRadioButton,
                            SyunkanFuusokuRadioButton})
        form_.SetChecked(b->objectName().toStdString(), b->isChecked());
}

void TSeteiForm::ShowForm() {
    for (const auto& [name, e] : edits_) e->setText(QString::fromStdString(form_.Text(name)));
    for (QRadioButton* b : {HeikinSouonRadioButton, SyunkanSouonRadioButton, HeikinFuusokuRadioButton,
                            SyunkanFuusokuRadioButton}) {
        // Both buttons of a group may be off in the form; the buttons then show no choice.
        b->setAutoExclusive(false);
        b->setChecked(form_.Checked(b->objectName().toStdString()));
        b->setAutoExclusive(true);
    }
    const bool windOnly = form_.WindOnly();
    FuusokuSenyouKaitentouSeteiButton->setText(
        QString::fromUtf8(windOnly ? kWindOnlyOffCaption : kWindOnlyOnCaption));
    for (QWidget* w : windOnlyControls_) w->setVisible(windOnly);
    FuusokuSenyouPanel->setVisible(windOnly);
    edits_.at(kFuusokuLampField)->setEnabled(form_.FuusokuChkKaitenTouEnabled());
}

void TSeteiForm::OpenInMode(bool settings2) {
    form_.SetSettings2(settings2);
    SouonGroupBox->setVisible(settings2);
    FuusokuGroupBox->setVisible(settings2);
    show();
    raise();
    activateWindow();
}

void TSeteiForm::OpenButtonClick() {
    ReadForm();
    FileOpenDialog.InitialDir = context_.driveRoot();
    OpenThroughDialog(context_.prompter, false, FileOpenDialog, [this](const std::string& path) {
        const bool opened = OpenSettingsFile(form_, context_.files, context_.prompter, path);
        ShowForm();  // a failed open shows what was read before it failed
        return opened;
    });
}

void TSeteiForm::WriteButtonClick() {
    ReadForm();
    if (!form_.Check(context_.prompter)) return;
    // The unit reads the file from its card: start where the card is.
    SaveDialog.InitialDir = context_.driveRoot();
    SaveThroughDialog(SaveDialog, kSeteiFileName, [this](const std::string& path) {
        return WriteSettingsFile(form_, context_.files, context_.prompter, path);
    });
}

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
