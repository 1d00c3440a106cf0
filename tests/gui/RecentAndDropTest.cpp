// ファイル → 最近使ったファイル and files dropped on the window: both open a
// file as its menu command does, after the same discard question, and the
// list keeps the last eight files across runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QPushButton>
#include <QTimer>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

#include "GuiHarness.h"
#include "app/ImageImportunit.h"

namespace tesslor {
namespace {

using test::Editor;

// Saves the picture with one red dot at (x, y) under name through 名前を付けて保存.
std::string SavePicture(Editor& e, const std::string& name, int x, int y) {
    e.Doc().ClearAll();
    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(x, y));
    e.Main().PaintBox1MouseUp(Qt::LeftButton, e.DotPixel(x, y));
    const std::string path = e.dir.Path(name);
    e.chooser.script = {path};
    e.Main().FileWriteNameClick();
    return path;
}

QStringList RecentCaptions(Editor& e) {
    QStringList captions;
    for (QAction* a : e.Main().RecentFilesMenu->actions()) captions << a->text();
    return captions;
}

bool Drop(Editor& e, const QString& path, bool* accepted = nullptr) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.Main(), &enter);
    if (accepted) *accepted = enter.isAccepted();
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&e.Main(), &drop);
    QApplication::processEvents();  // the open runs after the drop has ended
    return true;
}

TEST(CommandLineFile, OpensAPictureAndSaysSoForOtherKindsAndTheStatusBarNamesIt) {
    Editor e;
    const std::string a = SavePicture(e, "a.lee", 3, 4);
    EXPECT_EQ(e.Main().FileStatusLabel->text(), QStringLiteral("a.lee"));
    e.Main().NewFileOpenClick();
    EXPECT_EQ(e.Main().FileStatusLabel->text(), QStringLiteral("新規"));
    e.Main().OpenFromCommandLine(a);
    EXPECT_EQ(e.Doc().FileName, a);
    EXPECT_EQ(e.Doc().DotColor(3, 4), kLedRed);
    EXPECT_FALSE(e.Doc().Modified());

    const std::string notes = e.dir.Path("notes.txt");
    e.Main().OpenFromCommandLine(notes);
    EXPECT_EQ(e.prompter.LastShown(), notes + " は開けません（.lee .led .bmp .png のファイルを開けます）");
    EXPECT_EQ(e.Doc().FileName, a);

    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(9, 9));
    e.Main().PaintBox1MouseUp(Qt::LeftButton, e.DotPixel(9, 9));
    EXPECT_EQ(e.Main().FileStatusLabel->text(), QStringLiteral("a.lee (未保存)"));
}

TEST(RecentFiles, OpenedAndSavedFilesAreListedNewestFirstAndOpenAgain) {
    Editor e("[User]\nUser=root\n");
    EXPECT_FALSE(e.Main().RecentFilesMenu->isEnabled());
    EXPECT_EQ(e.Main().File->actions().back(), e.Main().RecentFilesMenu->menuAction());  // the menu's end
    const std::string a = SavePicture(e, "a.lee", 3, 4);
    const std::string b = SavePicture(e, "b.lee", 10, 20);
    EXPECT_EQ(RecentCaptions(e), (QStringList{"&1 " + QString::fromStdString(b), "&2 " + QString::fromStdString(a)}));

    e.Main().NewFileOpenClick();
    EXPECT_EQ(e.Doc().DotColor(10, 20), kOff);
    e.Main().RecentFilesMenu->actions()[1]->trigger();  // a.lee
    EXPECT_EQ(e.Doc().DotColor(3, 4), kLedRed);
    EXPECT_EQ(e.Doc().FileName, a);
    EXPECT_FALSE(e.Doc().Modified());
    EXPECT_EQ(RecentCaptions(e)[0], "&1 " + QString::fromStdString(a));

    // Unsaved drawing: the discard question first; No opens nothing.
    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(50, 50));
    e.Main().PaintBox1MouseUp(Qt::LeftButton, e.DotPixel(50, 50));
    e.prompter.answers = {false};
    EXPECT_FALSE(e.Main().OpenByName(b));
    EXPECT_EQ(e.prompter.LastShown(), "作成したデータが失われてもいいですか？");
    EXPECT_EQ(e.Doc().DotColor(50, 50), kLedRed);
    EXPECT_EQ(e.Doc().FileName, a);

    // A file gone since is reported by its reader and changes nothing.
    std::filesystem::remove(b);
    e.Doc().HeldIn(e.Doc().FileName);
    const std::size_t shown = e.prompter.shown.size();
    EXPECT_FALSE(e.Main().OpenByName(b));
    EXPECT_GT(e.prompter.shown.size(), shown);
    EXPECT_EQ(e.Doc().DotColor(50, 50), kLedRed);

    // Its entry asks whether to leave the list: No keeps it (a card may only
    // be out), Yes takes it away.
    const QString bCaption = "&2 " + QString::fromStdString(b);
    ASSERT_EQ(RecentCaptions(e)[1], bCaption);
    e.prompter.answers = {false};
    e.Main().RecentFilesMenu->actions()[1]->trigger();
    EXPECT_EQ(e.prompter.LastShown(), "「" + b + "」が見つかりません。最近使ったファイルの一覧から外しますか？");
    EXPECT_EQ(RecentCaptions(e).size(), 2);
    e.prompter.answers = {true};
    e.Main().RecentFilesMenu->actions()[1]->trigger();
    EXPECT_EQ(RecentCaptions(e), QStringList{"&1 " + QString::fromStdString(a)});
    // A file that is there is never asked about.
    const std::size_t before = e.prompter.shown.size();
    e.Doc().HeldIn(e.Doc().FileName);
    e.Main().RecentFilesMenu->actions()[0]->trigger();
    EXPECT_EQ(e.prompter.shown.size(), before);
    SavePicture(e, "b.lee", 10, 20);

    // The list outlives the run.
    e.Doc().HeldIn(e.Doc().FileName);
    e.windows.reset();
    e.windows = std::make_unique<gui::EditorWindows>(e.env);
    EXPECT_EQ(RecentCaptions(e), (QStringList{"&1 " + QString::fromStdString(b), "&2 " + QString::fromStdString(a)}));
}

TEST(RecentFiles, DroppedFilesOpenOrImportAndOthersAreRefused) {
    Editor e("[User]\nUser=root\n");
    const std::string lee = SavePicture(e, "drop.lee", 7, 7);
    e.Main().NewFileOpenClick();
    ASSERT_TRUE(Drop(e, QString::fromStdString(lee)));
    EXPECT_EQ(e.Doc().DotColor(7, 7), kLedRed);
    EXPECT_EQ(e.Doc().FileName, lee);

    // A PNG is imported as a bitmap: exact colours light their dots.
    QImage png(20, 10, QImage::Format_RGB32);
    png.fill(Qt::black);
    png.setPixel(12, 3, qRgb(0, 255, 0));
    const QString pngPath = QString::fromStdString(e.dir.Path("pic.PNG"));
    ASSERT_TRUE(png.save(pngPath, "PNG"));
    ASSERT_TRUE(Drop(e, pngPath));
    EXPECT_EQ(e.Doc().DotColor(12, 3), kLedGreen);
    EXPECT_EQ(e.Doc().DotColor(7, 7), kOff);
    EXPECT_TRUE(e.Main().UndoAction->isEnabled());  // the import is one step
    e.Main().UndoAction->trigger();
    EXPECT_EQ(e.Doc().DotColor(7, 7), kLedRed);

    bool accepted = true;
    EXPECT_FALSE(Drop(e, QString::fromStdString(e.dir.Path("text.mon")), &accepted));
    EXPECT_FALSE(accepted);

    // A JPEG (or GIF, WebP, TIFF) opens 画像の読み込み with it; OK takes its dots.
    const QString jpgPath = QString::fromStdString(e.dir.Path("photo.JPG"));
    ASSERT_TRUE(png.save(jpgPath, "JPEG", 100));
    e.prompter.answers = {true};  // the picture from the PNG is not saved: it may go
    QString shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* form = e.Main().findChild<gui::TImageImportForm*>();
        if (!form || !form->isVisible()) return;
        watch.stop();
        shown = form->InfoLabel->text();
        form->OkButton->click();
    });
    watch.start(10);
    ASSERT_TRUE(Drop(e, jpgPath));
    EXPECT_TRUE(shown.startsWith(jpgPath)) << shown.toStdString();
    EXPECT_NE(e.Doc().DotColor(12, 3), kOff) << "the JPEG's bright dot (its colour blurred by the JPEG), through the window";
    EXPECT_EQ(e.Doc().DotColor(0, 0), kOff);
}

}  // namespace
}  // namespace tesslor
