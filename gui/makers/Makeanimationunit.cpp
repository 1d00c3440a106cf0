#include "makers/Makeanimationunit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/RadioGroup.h"
#include "platform/FormWidgets.h"
#include "platform/NamedWidgets.h"

namespace tesslor::gui {

namespace {
QLabel* Label(const char* name, const char* text, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* DigitsEdit(const char* name, int digits, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(digits);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), e));
    const QFontMetrics metrics(e->font());
    e->setFixedWidth(metrics.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + 16);
    return e;
}
}  // namespace

TMakeAnimationForm::TMakeAnimationForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      AddOpenDialog(context.chooser, kAnimationPictureDialog),
      SaveDialog(context.chooser, kAnimationSaveDialog),
      OpenDialog(context.chooser, kAnimationListOpenDialog),
      context_(context),
      list_(context.files) {
    setObjectName(QStringLiteral("MakeAnimationForm"));
    setWindowTitle(QStringLiteral("MakeAnimation"));
    setModal(true);
    CreateControls();
    connect(AddButton, &QPushButton::clicked, this, [this] { AddButtonClick(); });
    connect(InsertButton, &QPushButton::clicked, this, [this] { InsertButtonClick(); });
    connect(DelButton, &QPushButton::clicked, this, [this] { DelButtonClick(); });
    connect(OpenButton, &QPushButton::clicked, this, [this] { OpenButtonClick(); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
    connect(OverSaveButton, &QPushButton::clicked, this, [this] { OverSaveButtonClick(); });
    connect(CardAddButton, &QPushButton::clicked, this, [this] { CardAddButtonClick(); });
    connect(PlayButton, &QPushButton::clicked, this, [this] {
        ReadList();
        if (play) play();
        ShowList();
    });
    connect(WriteNoMaskEdit, &QLineEdit::textEdited, this, [this] { SettingEdited(); });
    connect(P_TimeMaskEdit, &QLineEdit::textEdited, this, [this] { SettingEdited(); });
    AnimationTypeRadioGroup->onClick = [this] { SettingEdited(); };
    ShowList();
}

void TMakeAnimationForm::CreateControls() {
    ListBox = new QListWidget(this);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox->setMinimumSize(220, 300);

    AnimationTypeRadioGroup = new RadioGroup(QString(), 1, this);
    AnimationTypeRadioGroup->setObjectName(QString::fromLatin1(AnimationList::kTypeField));
    AnimationTypeRadioGroup->SetItems(
        {QString::fromUtf8(AnimationList::kTypeItems[0]), QString::fromUtf8(AnimationList::kTypeItems[1])});

    Label1 = Label("Label1", "書き込みNo", this);
    WriteNoMaskEdit = DigitsEdit(AnimationList::kWriteNoField, AnimationList::kWriteNoDigits, this);
    WriteNoMaskEdit->setToolTip(QStringLiteral("入力値のチェックを行っていませんのでご注意願います。"));
    Label2 = Label("Label2", "１枚の表示時間(単位10msec)", this);
    P_TimeMaskEdit = DigitsEdit(AnimationList::kTimeField, AnimationList::kTimeDigits, this);
    Label3 = Label("Label3", "入力値のチェックを行っていませんので", this);
    Label4 = Label("Label4", "注意願います", this);

    OpenButton = NamedButton("OpenButton", "開く", this);
    AddButton = NamedButton("AddButton", "追加", this);
    InsertButton = NamedButton("InsertButton", "挿入", this);
    DelButton = NamedButton("DelButton", "削除", this);
    SaveButton = NamedButton("SaveButton", "名前を付けて保存", this);
    OverSaveButton = NamedButton("OverSaveButton", "上書き保存", this);
    CardAddButton = NamedButton("CardAddButton", "カードに追加", this);
    PlayButton = NamedButton("PlayButton", "再生", this);
    PlayButton->setToolTip(QStringLiteral("この一覧を動画のデモで再生します"));
    StatusLabel = Label("StatusLabel", "", this);
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LayOutControls();
}

void TMakeAnimationForm::LayOutControls() {
    auto* settings = new QGridLayout;
    settings->addWidget(AnimationTypeRadioGroup, 0, 0, 1, 2);
    settings->addWidget(Label1, 1, 0);
    settings->addWidget(WriteNoMaskEdit, 1, 1, Qt::AlignLeft);
    settings->addWidget(Label2, 2, 0);
    settings->addWidget(P_TimeMaskEdit, 2, 1, Qt::AlignLeft);
    settings->addWidget(Label3, 3, 0, 1, 2);
    settings->addWidget(Label4, 4, 0, 1, 2);

    auto* listButtons = new QVBoxLayout;
    for (QPushButton* b : {AddButton, InsertButton, DelButton}) listButtons->addWidget(b);
    listButtons->addSpacing(12);
    listButtons->addWidget(PlayButton);
    listButtons->addStretch();

    auto* right = new QVBoxLayout;
    right->addLayout(settings);
    right->addStretch();
    for (QPushButton* b : {OpenButton, SaveButton, OverSaveButton, CardAddButton}) right->addWidget(b);

    auto* columns = new QHBoxLayout;
    columns->addWidget(ListBox, 1);
    columns->addLayout(listButtons);
    columns->addSpacing(12);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(StatusLabel);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

// ---- list and widgets ----

void TMakeAnimationForm::ReadList() {
    list_.Type = AnimationTypeRadioGroup->ItemIndex();
    list_.WriteNoText = WriteNoMaskEdit->text().toStdString();
    list_.TimeText = P_TimeMaskEdit->text().toStdString();
}

void TMakeAnimationForm::ShowList() {
    // Putting the list into the widgets is not the operator editing anything.
    showing_ = true;
    const int selected = SelectedIndex();
    ListBox->clear();
    for (const std::string& entry : list_.Entries) ListBox->addItem(QString::fromStdString(entry));
    if (selected >= 0 && selected < ListBox->count()) ListBox->setCurrentRow(selected);
    AnimationTypeRadioGroup->SetItemIndex(list_.Type);
    WriteNoMaskEdit->setText(QString::fromStdString(list_.WriteNoText));
    P_TimeMaskEdit->setText(QString::fromStdString(list_.TimeText));
    StatusLabel->setText(QString::fromStdString(list_.Status));
    showing_ = false;
}

int TMakeAnimationForm::SelectedIndex() const {
    const QList<QListWidgetItem*> selected = ListBox->selectedItems();
    return selected.isEmpty() ? -1 : ListBox->row(selected.front());
}

void TMakeAnimationForm::SettingEdited() {
    if (showing_) return;
    ReadList();
    list_.SettingEdited();
    StatusLabel->setText(QString::fromStdString(list_.Status));
}

FormDialogs TMakeAnimationForm::Dialogs() {
    return FormDialogs{&OpenDialog, &SaveDialog, context_.driveRoot ? context_.driveRoot() : std::string()};
}

// ---- opening and closing ----

void TMakeAnimationForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored from the task bar is not opened again.
    if (!event->spontaneous()) FormShow();
}

void TMakeAnimationForm::FormShow() {
    // The list holds the settings already (every edit copies them there, and
    // the animation demo may have loaded new ones).
    list_.OpenWindow();
    ListBox->clearSelection();
    ShowList();
}

bool TMakeAnimationForm::FormCloseQuery() {
    ReadList();
    if (!list_.ConfirmClose(context_.prompter)) return false;
    list_.CloseWindow();
    return true;
}

void TMakeAnimationForm::reject() {
    if (FormCloseQuery()) QDialog::reject();
}

// ---- buttons ----

void TMakeAnimationForm::AddOrInsert(int insertBefore) {
    ReadList();
    const int selected = SelectedIndex();
    const int added = list_.AddWithDialog(AddOpenDialog, Dialogs(), insertBefore, context_.prompter);
    ShowList();
    // The selection stays on the same entry, which an insertion moves down.
    if (added > 0 && selected >= 0 && insertBefore >= 0 && insertBefore <= selected)
        ListBox->setCurrentRow(selected + added);
}

void TMakeAnimationForm::AddButtonClick() { AddOrInsert(-1); }

void TMakeAnimationForm::InsertButtonClick() { AddOrInsert(SelectedIndex()); }

void TMakeAnimationForm::DelButtonClick() {
    const int selected = SelectedIndex();
    if (selected < 0) return;
    ReadList();
    list_.DeletePicture(selected);
    ListBox->clearSelection();
    ShowList();
}

bool TMakeAnimationForm::SaveButtonClick() {
    ReadList();
    list_.Status.clear();
    const bool saved = list_.SaveAs(Dialogs(), context_.prompter);
    ShowList();
    return saved;
}

bool TMakeAnimationForm::CardAddButtonClick() {
    // The animation is saved first (上書き保存, or 名前を付けて保存 when it
    // has no file yet); the unit reads its animation data, which goes onto the card.
    list_.SavedList.clear();
    return SaveAndAddToCard(
        context_.files, context_.driveRoot(), context_.prompter,
        [this](Prompter& held) {
            // A list of no file yet gets a name proposed, as pictures do.
            list_.SaveName = list_.ProposedListName();
            const bool saved = OverSave(held);
            list_.SaveName.clear();
            return saved;
        },
        [this] { return list_.SavedList.empty() ? "" : AnimationList::DataPathFor(list_.SavedList); },
        [this](const std::string& done) {
            // The status line said the save; it now says where it went.
            list_.Status = done;
            StatusLabel->setText(QString::fromStdString(done));
        });
}

bool TMakeAnimationForm::OverSaveButtonClick() { return OverSave(context_.prompter); }

bool TMakeAnimationForm::OverSave(Prompter& shown) {
    ReadList();
    list_.Status.clear();
    const bool saved = list_.Save(Dialogs(), shown);
    ShowList();
    return saved;
}

void TMakeAnimationForm::OpenPath(const std::string& path) {
    ReadList();
    list_.Status.clear();
    ListBox->clearSelection();
    ReadShowingValuesFirst(
        context_.prompter, [&](Prompter& held) { list_.OpenPath(Dialogs(), path, held); }, [this] { ShowList(); });
}

void TMakeAnimationForm::OpenButtonClick() {
    ReadList();
    list_.Status.clear();
    ListBox->clearSelection();
    ReadShowingValuesFirst(context_.prompter, [&](Prompter& held) { list_.Open(Dialogs(), held); }, [this] { ShowList(); });
}

}  // namespace tesslor::gui
