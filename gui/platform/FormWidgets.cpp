#include "platform/FormWidgets.h"

#include "card/CardAdd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace tesslor::gui {

namespace {

template <typename W>
W* Control(const QWidget& window, const FieldInfo& f) {
    return window.findChild<W*>(QString::fromStdString(f.Name));
}

}  // namespace

void CopyWidgetsToForm(const QWidget& window, FormFields& form) {
    for (const FieldInfo& f : form.Fields()) {
        switch (f.Kind) {
            case FieldKind::Edit:
                if (auto* e = Control<QLineEdit>(window, f)) form.SetText(f.Name, e->text().toStdString());
                break;
            case FieldKind::List:
                if (auto* c = Control<QComboBox>(window, f)) form.SetText(f.Name, c->currentText().toStdString());
                break;
            case FieldKind::CheckBox:
            case FieldKind::RadioButton:
                // Unchecking a radio button leaves its partner as it is, so
                // the pair ends as the buttons show it whatever the order.
                if (auto* b = Control<QAbstractButton>(window, f)) form.SetChecked(f.Name, b->isChecked());
                break;
        }
    }
}

void CopyFormToWidgets(const FormFields& form, QWidget& window) {
    for (const FieldInfo& f : form.Fields()) {
        switch (f.Kind) {
            case FieldKind::Edit:
                if (auto* e = Control<QLineEdit>(window, f)) e->setText(QString::fromStdString(form.Text(f.Name)));
                break;
            case FieldKind::List:
                if (auto* c = Control<QComboBox>(window, f)) {
                    const QString text = QString::fromStdString(form.Text(f.Name));
                    const int index = c->findText(text, Qt::MatchExactly);
                    if (index >= 0) c->setCurrentIndex(index);
                    if (c->isEditable()) c->setEditText(text);
                }
                break;
            case FieldKind::CheckBox:
                if (auto* b = Control<QAbstractButton>(window, f)) b->setChecked(form.Checked(f.Name));
                break;
            case FieldKind::RadioButton:
                if (auto* b = Control<QAbstractButton>(window, f)) {
                    const bool exclusive = b->autoExclusive();
                    b->setAutoExclusive(false);
                    b->setChecked(form.Checked(f.Name));
                    b->setAutoExclusive(exclusive);
                }
                break;
        }
    }
}

void ShowModeless(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

void ReadShowingValuesFirst(Prompter& prompter, const std::function<void(Prompter&)>& read,
                            const std::function<void()>& show) {
    HeldMessages held(prompter);
    read(held);
    show();
    held.Release();
}

void FormButtons::Open() {
    read();
    ReadShowingValuesFirst(prompter, [&](Prompter& held) { form.Open(dialogs(), held); }, show);
}

void FormButtons::OpenPath(const std::string& path) {
    read();
    ReadShowingValuesFirst(prompter, [&](Prompter& held) { form.OpenPath(dialogs(), path, held); }, show);
}

bool FormButtons::Write() { return Write(prompter); }

bool FormButtons::Write(Prompter& shown) {
    read();
    return form.SaveAs(dialogs(), shown);
}

bool FormButtons::AddToCard(const std::function<void(const std::string&)>& done) {
    return SaveAndAddToCard(
        form.Files(), dialogs().DriveRoot, prompter, [this](Prompter& held) { return Write(held); },
        [this] { return form.CurrentFile; }, done);
}

std::function<void(const std::string&)> CloseAndTell(QWidget& window, const WindowContext& context) {
    if (!context.tellCardAdded) return {};
    return [&window, &context](const std::string& done) {
        window.hide();
        context.tellCardAdded(done);
    };
}

bool SaveAndAddToCard(FileSystem& files, const std::string& root, Prompter& prompter,
                      const std::function<bool(Prompter&)>& save, const std::function<std::string()>& savedPath,
                      const std::function<void(const std::string&)>& tell) {
    HeldMessages held(prompter);
    if (!save(held)) return false;
    const std::string path = savedPath();
    if (path.empty()) return false;
    const CardAddResult added = tesslor::AddToCard(files, root, {path}, CardAddOptions{});
    if (!added.Succeeded()) {
        held.Inform(added.failure);
        return false;
    }
    std::string text;
    for (const std::string& line : held.Take()) text += line + "\n";
    text += CardAddedMessage(added.added.front());
    if (tell) tell(text);
    else prompter.Inform(text);
    return true;
}

}  // namespace tesslor::gui
