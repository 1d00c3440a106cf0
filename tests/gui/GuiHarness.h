#pragma once
// A whole editor run for one test: configuration and drive files in a scratch
// folder, scripted message boxes and file dialogs, every window created.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "app/Application.h"
#include "app/Magnificationunit.h"
#include "led/Pencolorunit.h"
#include "led/Demounit.h"
#include "platform/PaintBoxWidget.h"
#include "platform/RadioGroup.h"

namespace tesslor::test {

class Editor {
public:
    /// config: the configuration file's text, or nullptr for no file;
    /// drive: the drive file's text, or nullptr for none.
    explicit Editor(const char* config = nullptr, const char* drive = nullptr, bool show = true) {
        env.prompter = &prompter;
        env.chooser = &chooser;
        env.files = &files;
        env.configPath = dir.Path("tesslor.INI");
        env.driveFilePath = dir.Path("tesslorDrive.INI");
        env.recentFilesPath = dir.Path("recent.INI");
        env.picturesFolder = dir.Path("Pictures");
        if (config) WriteFileBytes(env.configPath, config);
        if (drive) WriteFileBytes(env.driveFilePath, drive);
        windows = std::make_unique<gui::EditorWindows>(env);
        if (show) {
            Main().show();
            QApplication::processEvents();
        }
    }
    ~Editor() {
        // Leave without questions: the tests close the window themselves when they test closing.
        Main().Document().HeldIn(Main().Document().FileName);
        windows.reset();
    }

    gui::TMainForm& Main() { return windows->MainForm(); }
    LedHyoujikiClass& Doc() { return Main().Document(); }

    /// The pixel of the centre of dot (x, y) at the current magnification.
    QPoint DotPixel(int x, int y) {
        const LedClass& led = Doc().Board(x / 16, y / 16).Led(x % 16, y % 16);
        return QPoint(led.X + led.Size / 2, led.Y + led.Size / 2);
    }
    void Press(Qt::MouseButton button, Qt::MouseButtons held, QPoint pos) {
        QMouseEvent e(QEvent::MouseButtonPress, pos, Main().PaintBox1->mapToGlobal(pos), button, held | button,
                      Qt::NoModifier);
        QApplication::sendEvent(Main().PaintBox1, &e);
    }
    void Move(Qt::MouseButtons held, QPoint pos) {
        QMouseEvent e(QEvent::MouseMove, pos, Main().PaintBox1->mapToGlobal(pos), Qt::NoButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(Main().PaintBox1, &e);
    }
    /// Chooses entry i of a combo box as the operator does.
    static void Choose(QComboBox* box, int i) {
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    /// Types text into a line edit as the operator does (replacing what was there).
    static void TypeInto(QLineEdit* edit, const QString& text) {
        edit->setText(text);
        emit edit->textEdited(text);
    }

    TempDir dir;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    /// Every file the editor reads or writes goes through here; a test makes a write fail.
    FailingFileSystem files;
    gui::EditorEnvironment env;
    std::unique_ptr<gui::EditorWindows> windows;
};

// The first pixel where two images differ, as text; "" when they are the same.
inline std::string FirstDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return "sizes differ";
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if (x.pixel(col, row) != y.pixel(col, row))
                return "pixel (" + std::to_string(col) + ", " + std::to_string(row) + ")";
    return "";
}

/// The box's area painted through PaintArea into an image of its size, through
/// a painter moved by the area's corner (as the benchmarks paint): with the
/// dot cache and kept image (cached) or every dot an ellipse.
inline QImage PaintBoxArea(gui::PaintBoxWidget& box, const QRect& area, bool cached) {
    box.SetDotCacheEnabled(cached);
    QImage image(area.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    p.translate(-area.topLeft());
    p.setClipRect(area);
    box.PaintArea(p, area);
    p.end();
    box.SetDotCacheEnabled(true);
    return image;
}

}  // namespace tesslor::test
