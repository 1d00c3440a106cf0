#include "settings/Co2sakugenseteiunit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/DialogFlows.h"

namespace tesslor::gui {

namespace {
// The file's own filter. The default extension is the filter's, so a name
// typed without one is found again by this filter and by the perform list's.
const FileDialogSetup kCo2SaveDialog{FileDialogKind::Save, {{"CO2設定(*.co2)", "*.co2"}}, "co2", ""};
}  // namespace

TCO2SakugenSeteiForm::TCO2SakugenSeteiForm(const WindowContext& context, QWidget* parent)
    : QDialog(parent), SaveDialog(context.chooser, kCo2SaveDialog), context_(context) {
    setObjectName(QStringLiteral("CO2SakugenSeteiForm"));
    setWindowTitle(QStringLiteral("CO2削減設定ファイル作成"));
    setModal(false);

    auto edit = [this](const char* name, int width) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setFixedWidth(width);
        e->setAlignment(Qt::AlignRight);
        return e;
    };
    Edit0 = edit("Edit0", 48);
    Edit1 = edit("Edit1", 48);
    Edit2 = edit("Edit2", 28);
    HintLabel = new QLabel(QString::fromUtf8(kCo2Hint), this);
    HintLabel->setObjectName(QStringLiteral("HintLabel"));
    Button1 = new QPushButton(QStringLiteral("作成・終了"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

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
    buttons->addWidget(Button2);
    auto* layout = new QGridLayout(this);
    layout->addLayout(amount, 0, 0);
    layout->addWidget(HintLabel, 1, 0);
    layout->addLayout(buttons, 2, 0);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    ShowForm();
}

void TCO2SakugenSeteiForm::ReadForm() {
    form_.SetText("Edit0", Edit0->text().toStdString());
    form_.SetText("Edit1", Edit1->text().toStdString());
    form_.SetText("Edit2", Edit2->text().toStdString());
}

void TCO2SakugenSeteiForm::ShowForm() {
    Edit0->setText(QString::fromStdString(form_.Text("Edit0")));
    Edit1->setText(QString::fromStdString(form_.Text("Edit1")));
    Edit2->setText(QString::fromStdString(form_.Text("Edit2")));
}

void TCO2SakugenSeteiForm::Button1Click() {
    ReadForm();
    const bool checked = form_.Check(context_.prompter);
    ShowForm();  // a thousands text of "0" has been emptied
    if (!checked) return;
    SaveDialog.InitialDir = context_.driveRoot();
    if (SaveThroughDialog(SaveDialog, "", [this](const std::string& path) {
            return WriteSettingsFile(form_, context_.files, context_.prompter, path);
        }))
        hide();
}

void TCO2SakugenSeteiForm::Button2Click() { hide(); }

}  // namespace tesslor::gui
