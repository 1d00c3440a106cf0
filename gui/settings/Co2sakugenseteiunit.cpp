#include "settings/Co2sakugenseteiunit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/FormWidgets.h"

namespace tesslor::gui {

TCO2SakugenSeteiForm::TCO2SakugenSeteiForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), SaveDialog(context.chooser, kCo2SaveDialog), context_(context), form_(context.files) {
    setObjectName(QStringLiteral("CO2SakugenSeteiForm"));
    setWindowTitle(QStringLiteral("CO2削減設定ファイル作成"));
    setModal(false);

    // Each box is as wide as its digits.
    auto edit = [this](const Co2Field& f) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(f.Name));
        const QFontMetrics metrics(e->font());
        e->setFixedWidth(metrics.horizontalAdvance(QString(static_cast<int>(f.MaxDigits), QLatin1Char('0'))) + 20);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    Edit0 = edit(kCo2Fields[0]);
    Edit1 = edit(kCo2Fields[1]);
    Edit2 = edit(kCo2Fields[2]);
    HintLabel = new QLabel(QString::fromUtf8(kCo2Hint), this);
    HintLabel->setObjectName(QStringLiteral("HintLabel"));
    Button1 = new QPushButton(QStringLiteral("作成・終了"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    CardAddButton = new QPushButton(QStringLiteral("カードに追加"), this);
    CardAddButton->setObjectName(QStringLiteral("CardAddButton"));
    connect(CardAddButton, &QPushButton::clicked, this, [this] {
        // Written as 書込み does, then onto the card's root and into its Perform.txt.
        if (SaveAndAddToCard(
                context_.files, context_.driveRoot(), context_.prompter,
                [this](Prompter& held) { return WriteChecked(held); }, [this] { return form_.CurrentFile; },
                CloseAndTell(*this, context_)))
            hide();
    });

    // thousands "，" units "．" tenths "ｇ", as the amount is written.
    auto* amount = new QHBoxLayout;
    amount->addWidget(Edit0);
    amount->addWidget(new QLabel(QStringLiteral("，"), this));
    amount->addWidget(Edit1);
    amount->addWidget(new QLabel(QStringLiteral("．"), this));
    amount->addWidget(Edit2);
    amount->addWidget(new QLabel(QStringLiteral("ｇ"), this));
    amount->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(CardAddButton);
    buttons->addWidget(Button2);
    auto* layout = new QGridLayout(this);
    layout->addLayout(amount, 0, 0);
    layout->addWidget(HintLabel, 1, 0);
    layout->addLayout(buttons, 2, 0);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ShowForm();
}

void TCO2SakugenSeteiForm::ReadForm() { CopyWidgetsToForm(*this, form_); }

void TCO2SakugenSeteiForm::ShowForm() { CopyFormToWidgets(form_, *this); }

void TCO2SakugenSeteiForm::Button1Click() {
    if (WriteChecked(context_.prompter)) hide();
}

bool TCO2SakugenSeteiForm::WriteChecked(Prompter& shown) {
    ReadForm();
    const bool checked = form_.Check(shown);
    ShowForm();  // a thousands text of "0" has been emptied before the dialog comes up
    if (!checked) return false;
    // The check passes again unchanged on the way to the dialog.
    return form_.SaveAs({nullptr, &SaveDialog, context_.driveRoot()}, shown);
}

void TCO2SakugenSeteiForm::Button2Click() { hide(); }

}  // namespace tesslor::gui
