#include "makers/Hyoujischeduleunit.h"
#include "platform/FormWidgets.h"
#include "platform/NamedWidgets.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tesslor::gui {

THyoujiScheduleForm::THyoujiScheduleForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent),
      FileOpenDialog(context.chooser, kScheduleOpenDialog),
      FileWriteDialog(context.chooser, kScheduleWriteDialog),
      context_(context),
      form_(context.files) {
    setObjectName(QStringLiteral("HyoujiScheduleForm"));
    setWindowTitle(QStringLiteral("表示スケジュール"));
    setModal(false);

    auto* grid = new QGridLayout;
    for (int n = 1; n <= kScheduleEntries; ++n) {
        const int row = (n - 1) / kScheduleEntriesPerLine;
        const int column = (n - 1) % kScheduleEntriesPerLine;
        auto* label = new QLabel(QString::number(n), this);
        label->setObjectName(QStringLiteral("Label%1").arg(n));
        label->setAlignment(Qt::AlignCenter);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromStdString(ScheduleForm::EntryName(n)));
        edit->setMaxLength(static_cast<int>(kScheduleEntryLength));
        const QFontMetrics metrics(edit->font());
        edit->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("000")) + 16);
        label->setBuddy(edit);
        grid->addWidget(label, row * 2, column);
        grid->addWidget(edit, row * 2 + 1, column);
        labels_[n - 1] = label;
        edits_[n - 1] = edit;
    }
    OpenButton = NamedButton("OpenButton", "開く", this);
    WriteButton = NamedButton("WriteButton", "書込み", this);
    CardAddButton = NamedButton("CardAddButton", "カードに追加", this);
    CancelButton = NamedButton("CancelButton", "キャンセル", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {OpenButton, WriteButton, CardAddButton, CancelButton}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(OpenButton, &QPushButton::clicked, this, [this] { OpenButtonClick(); });
    connect(WriteButton, &QPushButton::clicked, this, [this] { WriteButtonClick(); });
    connect(CardAddButton, &QPushButton::clicked, this, [this] {
        // Written as 書込み does, then onto the card's root and into its Perform.txt.
        ReadForm();
        SaveAndAddToCard(
            context_.files, context_.driveRoot(), context_.prompter,
            // Its dialog starts on the card (書込み's starts where 開く left off).
            [this](Prompter& held) { return form_.SaveAs(Dialogs(), held); },
            [this] { return form_.CurrentFile; }, CloseAndTell(*this, context_));
    });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    ReadForm();
    form_.MarkUnchanged();
}

void THyoujiScheduleForm::ReadForm() { CopyWidgetsToForm(*this, form_); }

void THyoujiScheduleForm::ShowForm() { CopyFormToWidgets(form_, *this); }

FormDialogs THyoujiScheduleForm::Dialogs() { return {&FileOpenDialog, &FileWriteDialog, context_.driveRoot()}; }

void THyoujiScheduleForm::ClearEntries() {
    form_.Closed();
    ShowForm();
}

void THyoujiScheduleForm::OpenButtonClick() {
    ReadForm();
    ReadShowingValuesFirst(
        context_.prompter, [&](Prompter& held) { form_.OpenWithDialog(Dialogs(), held); }, [this] { ShowForm(); });
}

void THyoujiScheduleForm::OpenPath(const std::string& path) {
    ShowModeless(*this);
    ReadForm();
    ReadShowingValuesFirst(
        context_.prompter, [&](Prompter& held) { form_.OpenPath(Dialogs(), path, held); }, [this] { ShowForm(); });
}

void THyoujiScheduleForm::WriteButtonClick() {
    ReadForm();
    form_.WriteWithDialog(Dialogs(), context_.prompter);
}

void THyoujiScheduleForm::CancelButtonClick() { close(); }

void THyoujiScheduleForm::WatchProgramEnd(QWidget& mainWindow) { mainWindow.installEventFilter(this); }

bool THyoujiScheduleForm::eventFilter(QObject* watched, QEvent* event) {
    // The window stays open when its question was answered キャンセル: so does the program.
    if (event->type() == QEvent::Close && watched != this && isVisible() && !close()) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void THyoujiScheduleForm::closeEvent(QCloseEvent* event) {
    // A shown window closes through done(), which asks about the entries.
    if (!isVisible()) ClearEntries();
    QDialog::closeEvent(event);
}

void THyoujiScheduleForm::done(int result) {
    // キャンセル, the close box, Escape and accept all close the window here.
    ReadForm();
    const bool closing = form_.Close(Dialogs(), context_.prompter);
    ShowForm();
    if (closing) QDialog::done(result);
}

}  // namespace tesslor::gui
