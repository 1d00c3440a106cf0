#include "platform/QtDialogs.h"

#include "platform/NativePath.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

namespace tesslor::gui {

namespace {

// The narrowest message box, wide enough for its title on every window manager.
constexpr int kMessageBoxMinWidth = 240;

QWidget* DialogParent() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) w = QApplication::activeWindow();
    return w;
}

// A box at least as wide as its title with the window manager's buttons
// beside it (a short message otherwise makes the frame cut "Tesslor" to
// "T…"), and wide enough for each line of its text on one line up to most of
// the screen: the box's own limit would wrap a sentence and leave its "。"
// alone on the next line. But never wider than Qt lets a box be (the whole
// screen up to 1024 wide, else min(screen - 480, 1000)): Qt fixes the box at
// that and whatever the text asks past it is cut off, not wrapped.
void FitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    const QScreen* screen = box.screen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1280;
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label) {
        int widest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n')))
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(std::min(widest + 4, screenWidth * 4 / 5));
    }
    const int width = std::max(kMessageBoxMinWidth, box.fontMetrics().horizontalAdvance(box.windowTitle()) * 3 / 2 + 140);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
    if (label) {
        grid->activate();
        if (const int over = grid->totalMinimumSize().width() - boxLimit; over > 0)
            label->setMinimumWidth(std::max(0, label->minimumWidth() - over));
    }
}

// yesIsSafe: Yes only goes on (saves, removes a stale entry); otherwise Yes
// loses or replaces something, and Enter must not do it unasked.
bool YesNo(const QString& title, const std::string& text, QMessageBox::Icon icon, bool yesIsSafe) {
    QMessageBox box(icon, title, QString::fromStdString(text), QMessageBox::NoButton, DialogParent());
    FitTitle(box);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yesIsSafe ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

// The dialog opens large enough for its details view, with the size, type and
// date columns as wide as their contents and the name taking the rest.
void ShowEveryColumn(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(780, 460);
    if (auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = tree->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

}  // namespace

void QtPrompter::Inform(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tesslor"), QString::fromStdString(text),
                    QMessageBox::NoButton, DialogParent());
    FitTitle(box);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

// A confirmation's Yes loses unsaved work or replaces files: いいえ is the default.
bool QtPrompter::Confirm(const std::string& text) {
    return YesNo(QStringLiteral("確認"), text, QMessageBox::Question, false);
}

bool QtPrompter::Ask(const std::string& text) { return YesNo(QStringLiteral("Tesslor"), text, QMessageBox::NoIcon, true); }

// Saving loses nothing, so はい is the default; Escape keeps the work.
SaveChoice QtPrompter::AskSave(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), QString::fromStdString(text), QMessageBox::NoButton,
                    DialogParent());
    FitTitle(box);
    QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return SaveChoice::Save;
    if (box.clickedButton() == no) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

QString QtFilterString(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const auto& f : filters) {
        QString d = QString::fromStdString(f.description);
        const QString p = QString::fromStdString(f.pattern);
        // Qt finds the patterns in the description's last parentheses: a
        // description that does not end in its own pattern ("設定データ
        // （setei.txt)") gets it appended, or the dialog lists no file.
        if (!d.endsWith(QLatin1Char('(') + p + QLatin1Char(')'))) d += QStringLiteral(" (") + p + QLatin1Char(')');
        parts << d;
    }
    return parts.join(QStringLiteral(";;"));
}

namespace {

// Qt's own Japanese texts lack the kind of a folder: the details view would
// say "Folder" between Japanese kinds of files.
class JapaneseKinds : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override {
        return info.isDir() ? QStringLiteral("ファイル フォルダー") : QFileIconProvider::type(info);
    }
};

// Shows the dialog a request describes; the chosen paths, none when cancelled.
QStringList RunFileDialog(const FileDialogRequest& request) {
    static JapaneseKinds kinds;
    QFileDialog dialog(DialogParent());
    dialog.setIconProvider(&kinds);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (!request.title.empty()) dialog.setWindowTitle(QString::fromStdString(request.title));
    if (!request.filters.empty()) dialog.setNameFilter(QtFilterString(request.filters));
    if (request.kind == FileDialogKind::Folder) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly, true);
    } else if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
    if (!request.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    QString dir = QString::fromStdString(request.initialDir);
    QString name = QString::fromStdString(request.fileName);
    if (!name.isEmpty()) {
        QFileInfo info(name);
        // A save preset with its folder (the file being saved again) starts
        // there; an open dialog starts where its window says, whatever file
        // was chosen last.
        if (dir.isEmpty() || (info.isAbsolute() && request.kind == FileDialogKind::Save)) dir = info.absolutePath();
        name = info.fileName();
    }
    dialog.setDirectory(dir.isEmpty() ? QDir::currentPath() : dir);
    if (!name.isEmpty()) dialog.selectFile(name);
    dialog.setSizeGripEnabled(true);
    ShowEveryColumn(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty()) QDir::setCurrent(QFileInfo(files.first()).absolutePath());
    return files;
}

}  // namespace

std::optional<std::string> QtFileChooser::Choose(const FileDialogRequest& request) {
    const QStringList files = RunFileDialog(request);
    if (files.isEmpty()) return std::nullopt;
    return NativePath(files.first());
}

std::optional<std::vector<std::string>> QtFileChooser::ChooseMany(const FileDialogRequest& request) {
    const QStringList files = RunFileDialog(request);
    if (files.isEmpty()) return std::nullopt;
    std::vector<std::string> paths;
    for (const QString& f : files) paths.push_back(NativePath(f));
    return paths;
}

}  // namespace tesslor::gui
