// The text message editor's window: its rows and buttons by display and user,
// fonts and colours through the font dialog and the pen colour window, the
// save question, saving and opening, and the rows drawn into the picture and
// into the preview.
#include <gtest/gtest.h>

#include <QFileInfo>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFocusEvent>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "GuiHarness.h"
#include "platform/DotPreviewBox.h"
#include "makers/Mongonhensyuu.h"
#include "platform/QtFonts.h"

namespace tesslor::test {
namespace {

constexpr const char* kRoot = "[User]\nUser=root\n";

// The editor's text message window, writing tmp.bmp into the test's folder.
gui::TMongonHensyuuForm& Window(Editor& e) {
    auto& w = e.windows->MongonHensyuuForm();
    w.TmpBitmapPath = e.dir.Path("tmp.bmp");
    return w;
}

void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

// The operator puts the keyboard focus into a box.
void Focus(QWidget* w) {
    QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(w, &event);
}

// Fills row i's boxes as the operator would.
void TypeRow(gui::TMongonHensyuuForm& w, int i, const char* x, const char* y, const QString& text) {
    Editor::TypeInto(w.X_Edit(i), QString::fromUtf8(x));
    Editor::TypeInto(w.Y_Edit(i), QString::fromUtf8(y));
    Editor::TypeInto(w.MojiEdit(i), text);
}

// フォント of row i with the font dialog cancelled and entry k of the pen colour
// window chosen (0 赤, 1 緑, 2 黄).
void ChooseColour(Editor& e, gui::TMongonHensyuuForm& w, int row, int k) {
    w.FontDialog1.choose = [](const QFont&) { return std::optional<QFont>(); };
    w.runPenColorForm = [&e, k](QDialog&) { e.windows->PenColorForm().PenColorRadioGroup->Button(k)->click(); };
    Click(w.FontButton(row));
}

struct Lit {
    int red = 0, green = 0, yellow = 0;
    int Total() const { return red + green + yellow; }
};

// The lit dots of the picture in columns x0 .. x1-1 and rows y0 .. y1-1.
Lit LitDots(const LedHyoujikiClass& doc, int x0, int x1, int y0 = 0, int y1 = 80) {
    Lit n;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const LedColor c = doc.DotColor(x, y);
            if (c == kLedRed) ++n.red;
            if (c == kLedGreen) ++n.green;
            if (c == kLedYellow) ++n.yellow;
        }
    return n;
}

std::vector<LedColor> Picture(const LedHyoujikiClass& doc) {
    std::vector<LedColor> dots;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 480; ++x) dots.push_back(doc.DotColor(x, y));
    return dots;
}

QColor TextColour(QLineEdit* edit) { return edit->palette().color(QPalette::Text); }

// ---- controls by display and user ----

TEST(MongonWindow, ControlsRowsAndButtonsByUser) {
    Editor e;
    auto& w = Window(e);
    EXPECT_EQ(w.objectName(), QStringLiteral("MongonHensyuuForm"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("文言編集"));
    EXPECT_FALSE(w.isModal());
    for (const char* heading : {"項番", "横座標", "縦座標", "文言"}) {
        bool found = false;
        for (QLabel* l : w.findChildren<QLabel*>()) found = found || l->text() == QString::fromUtf8(heading);
        EXPECT_TRUE(found) << heading;
    }
    for (int i = 0; i < 10; ++i) {
        const QString n = QString::number(i);
        ASSERT_EQ(w.findChild<QLabel*>(QStringLiteral("LabelNo") + n), w.LabelNo(i));
        ASSERT_EQ(w.findChild<QLineEdit*>(QStringLiteral("X_Edit") + n), w.X_Edit(i));
        ASSERT_EQ(w.findChild<QLineEdit*>(QStringLiteral("Y_Edit") + n), w.Y_Edit(i));
        ASSERT_EQ(w.findChild<QLineEdit*>(QStringLiteral("MojiEdit") + n), w.MojiEdit(i));
        ASSERT_EQ(w.findChild<QPushButton*>(QStringLiteral("FontButton") + n), w.FontButton(i));
        EXPECT_EQ(w.LabelNo(i)->text(), n);
        EXPECT_EQ(w.FontButton(i)->text(), QStringLiteral("フォント"));
        EXPECT_EQ(w.X_Edit(i)->maxLength(), 3);
        EXPECT_EQ(w.MojiEdit(i)->maxLength(), 80);
        // Rows 5 to 9 are beyond any display: hidden, their font buttons disabled.
        const bool shown = i < 5;
        for (QWidget* c : std::initializer_list<QWidget*>{w.LabelNo(i), w.X_Edit(i), w.Y_Edit(i), w.MojiEdit(i),
                                                          w.FontButton(i)})
            EXPECT_EQ(c->isHidden(), !shown) << c->objectName().toStdString();
        EXPECT_EQ(w.FontButton(i)->isEnabled(), shown) << i;
        // A new row: empty, the window's font, red on black.
        EXPECT_EQ(w.X_Edit(i)->text(), QString());
        EXPECT_EQ(w.MojiEdit(i)->palette().color(QPalette::Base), QColor(Qt::black));
        EXPECT_EQ(TextColour(w.MojiEdit(i)), QColor(255, 0, 0));
        EXPECT_EQ(w.MojiEdit(i)->font().pixelSize(), 12);
    }
    EXPECT_EQ(w.MakeDataButton->text(), QStringLiteral("表示データ作成"));
    EXPECT_EQ(w.CancelButton->text(), QStringLiteral("キャンセル（閉）"));
    EXPECT_EQ(w.Image1->objectName(), QStringLiteral("Image1"));
    EXPECT_TRUE(w.Image1->isHidden());
    EXPECT_EQ(w.Image1->size(), QSize(800, 80));
    ASSERT_NE(w.findChild<gui::DotPreviewBox*>(QStringLiteral("PreviewBox")), nullptr);
    EXPECT_EQ(w.PreviewBox->size(), QSize(960, 160));
    // A customer only types, chooses fonts, draws and closes.
    for (QPushButton* b : {w.FileReadButton, w.FileWriteButton, w.FileReNameWriteButton, w.NewButton}) {
        EXPECT_TRUE(b->isHidden()) << b->objectName().toStdString();
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    }
    EXPECT_FALSE(w.MakeDataButton->isHidden());

    // The boxes take what the mask takes: a sign or digit, then two digits.
    w.show();
    QTest::keyClicks(w.X_Edit(0), "-1a5");
    EXPECT_EQ(w.X_Edit(0)->text(), QStringLiteral("-15"));
    QTest::keyClicks(w.Y_Edit(0), "1-2+34");
    EXPECT_EQ(w.Y_Edit(0)->text(), QStringLiteral("123"));
    EXPECT_TRUE(w.Form().Modified);
    // A row's text box is tall enough for a 16-dot font.
    QFont unifont(QString::fromLatin1(kMongonUnifont.Face));
    unifont.setPixelSize(16);
    EXPECT_GE(w.MojiEdit(0)->height(), QFontMetrics(unifont).height() + 4);
    w.hide();

    Editor root(kRoot);
    auto& r = Window(root);
    for (QPushButton* b : {r.FileReadButton, r.FileWriteButton, r.FileReNameWriteButton, r.NewButton}) {
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    }
    EXPECT_EQ(r.FileReadButton->text(), QStringLiteral("開く"));
    EXPECT_EQ(r.FileWriteButton->text(), QStringLiteral("上書き保存"));
    EXPECT_EQ(r.FileReNameWriteButton->text(), QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(r.NewButton->text(), QStringLiteral("新規作成"));
}

TEST(MongonWindow, TwoPanelRowsShowRowsZeroAndOneAndStillDrawHiddenRows) {
    Editor e("[Led]\nTateMaisuu=2\n[User]\nUser=root\n");
    auto& w = Window(e);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(w.MojiEdit(i)->isHidden(), i >= 2) << i;
        EXPECT_EQ(w.FontButton(i)->isEnabled(), i < 2) << i;
    }
    // A file whose row 3 holds a position: the row stays hidden but is drawn.
    MongonTable table;
    table.Rows[3].X = 0;
    table.Rows[3].Y = 0;
    table.Rows[3].Text = "■■";
    table.Rows[3].Font = WindowMongonFont();
    table.Rows[3].Font.Color = kMongonGreen;
    table.Rows[3].Font.Name = kMongonUnifont.Face;
    SetFontHeight(table.Rows[3].Font, -16);
    const std::string path = e.dir.Path("hidden.mon");
    ASSERT_TRUE(WriteMongonFile(e.files, e.prompter, path, table));
    e.chooser.script.push_back(path);
    Click(w.FileReadButton);
    EXPECT_TRUE(w.MojiEdit(3)->isHidden());
    EXPECT_EQ(w.MojiEdit(3)->text(), QStringLiteral("■■"));
    Click(w.MakeDataButton);
    const Lit lit = LitDots(e.Doc(), 0, 480);
    EXPECT_GT(lit.green, 0);
    EXPECT_EQ(lit.red + lit.yellow, 0);
    EXPECT_EQ(e.prompter.shown.back(), "Led表示データ作成完了");
}

// ---- fonts and colours ----

TEST(MongonWindow, TwoColoursAskThePenColourWindowEvenWhenTheFontIsCancelled) {
    Editor e;
    auto& w = Window(e);
    auto& pen = e.windows->PenColorForm();
    w.FontDialog1.choose = [](const QFont& preset) {
        // The dialog starts with the row's font.
        EXPECT_EQ(preset.family(), QStringLiteral("ＭＳ Ｐゴシック"));
        EXPECT_EQ(preset.pixelSize(), 12);
        return std::optional<QFont>();
    };
    // The real pen colour window, run modally and answered while it is open.
    int presetSeen = -1;
    bool wasOpen = false;
    QTimer::singleShot(0, &pen, [&] {
        wasOpen = pen.isVisible() && pen.isModal();
        presetSeen = pen.PenColorRadioGroup->ItemIndex();
        pen.PenColorRadioGroup->Button(1)->click();  // 緑
        pen.accept();
    });
    pen.PenColorRadioGroup->SetItemIndex(2);  // the pen draws yellow until the row's colour is preset
    Click(w.FontButton(2));
    EXPECT_TRUE(wasOpen);
    EXPECT_EQ(presetSeen, 0);  // the row was red
    EXPECT_EQ(w.Form().Rows[2].Font.Color, kMongonGreen);
    EXPECT_EQ(TextColour(w.MojiEdit(2)), QColor(0, 255, 0));
    EXPECT_EQ(w.Form().Rows[2].Font.Name, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(w.Form().Modified);

    // A chosen font: the face and the pixel height, at 96 pixels per inch; the
    // window is preset with the row's green this time.
    w.FontDialog1.choose = [](const QFont&) {
        QFont f(QStringLiteral("IPAGothic"));
        f.setPixelSize(20);
        f.setBold(true);
        f.setUnderline(true);
        return std::optional<QFont>(f);
    };
    std::optional<std::int32_t> seen;
    pen.PenColorRadioGroup->SetItemIndex(0);
    w.runPenColorForm = [&](QDialog&) {
        seen = ColorValueOf(pen.PenColor());
        pen.PenColorRadioGroup->Button(2)->click();  // 黄
    };
    Click(w.FontButton(2));
    EXPECT_EQ(seen, kMongonGreen);
    const MongonFont& f = w.Form().Rows[2].Font;
    EXPECT_EQ(f.Name, "IPAGothic");
    EXPECT_EQ(f.Height, -20);
    EXPECT_EQ(f.Size, 15);
    EXPECT_EQ(f.PixelsPerInch, 96);
    EXPECT_EQ(f.Style, kFontBold | kFontUnderline);
    EXPECT_EQ(f.Charset, 128);
    EXPECT_EQ(f.Color, kMongonYellow);
    EXPECT_EQ(w.MojiEdit(2)->font().pixelSize(), 20);
    EXPECT_TRUE(w.MojiEdit(2)->font().bold());
    EXPECT_EQ(TextColour(w.MojiEdit(2)), QColor(255, 255, 0));

    // A point-size font gives the size; the height follows from it.
    w.FontDialog1.choose = [](const QFont&) { return std::optional<QFont>(QFont(QStringLiteral("IPAGothic"), 12)); };
    w.runPenColorForm = [](QDialog&) {};
    Click(w.FontButton(1));
    EXPECT_EQ(w.Form().Rows[1].Font.Size, 12);
    EXPECT_EQ(w.Form().Rows[1].Font.Height, -16);

    // A face the file cannot name is refused and counts as cancelled.
    e.prompter.shown.clear();
    w.FontDialog1.choose = [](const QFont&) { return std::optional<QFont>(QFont(QStringLiteral("한글글꼴"), 12)); };
    int penRuns = 0;
    w.runPenColorForm = [&](QDialog&) { ++penRuns; };
    Click(w.FontButton(1));
    EXPECT_EQ(penRuns, 1);
    EXPECT_EQ(w.Form().Rows[1].Font.Name, "IPAGothic");
    ASSERT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_EQ(e.prompter.shown[0], MongonFaceRefusedMessage("한글글꼴"));
}

TEST(MongonWindow, OneColourAndXkForceTheirColourAndNeverAskForOne) {
    for (const auto& [config, colour] : {std::pair{"[Led]\nNanSyoku=1\n", kMongonRed},
                                         std::pair{"[Led]\nNanSyoku=-1\n", kMongonYellow}}) {
        Editor e(config);
        auto& w = Window(e);
        EXPECT_EQ(w.Form().Rows[0].Font.Color, colour) << config;
        w.runPenColorForm = [](QDialog&) { ADD_FAILURE() << "the pen colour window opened"; };
        w.FontDialog1.choose = [](const QFont&) { return std::optional<QFont>(); };
        Click(w.FontButton(0));
        EXPECT_FALSE(w.Form().Modified);
        w.FontDialog1.choose = [](const QFont&) { return std::optional<QFont>(QFont(QStringLiteral("IPAGothic"), 20)); };
        w.Form().Rows[0].Font.Color = kMongonGreen;
        Click(w.FontButton(0));
        EXPECT_EQ(w.Form().Rows[0].Font.Color, colour) << config;
        EXPECT_EQ(w.Form().Rows[0].Font.Name, "IPAGothic");
        EXPECT_TRUE(w.Form().Modified);
        const Rgb c = RgbOfColorValue(colour);
        EXPECT_EQ(TextColour(w.MojiEdit(0)), QColor(c.r, c.g, c.b));
    }
}

TEST(MongonWindow, TheRealFontDialogCancelsAndConfirms) {
    Editor e("[Led]\nNanSyoku=1\n");
    auto& w = Window(e);
    w.runPenColorForm = [](QDialog&) { ADD_FAILURE() << "the pen colour window opened"; };
    const MongonFont before = w.Form().Rows[0].Font;
    bool sawDialog = false;
    auto answer = [&](bool accept) {
        QTimer::singleShot(0, &w, [&, accept] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            sawDialog = dialog != nullptr;
            if (!dialog) return;
            if (accept) {
                QFont f = dialog->currentFont();
                f.setPointSize(24);
                f.setUnderline(true);  // the IPA fonts have no italic style to pick
                dialog->setCurrentFont(f);
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
    };
    answer(false);
    Click(w.FontButton(0));
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(w.Form().Rows[0].Font, before);
    EXPECT_FALSE(w.Form().Modified);

    sawDialog = false;
    answer(true);
    Click(w.FontButton(0));
    EXPECT_TRUE(sawDialog);
    const MongonFont& f = w.Form().Rows[0].Font;
    // The dialog opened on the font standing in for "ＭＳ Ｐゴシック"; kept, the
    // row keeps the name its file had rather than the stand-in's.
    EXPECT_EQ(f.Name, "ＭＳ Ｐゴシック");
    EXPECT_EQ(f.PixelsPerInch, 96);
    EXPECT_EQ(f.Size, 24);
    EXPECT_EQ(f.Height, -32);
    EXPECT_EQ(f.Style & kFontUnderline, kFontUnderline);
    EXPECT_EQ(f.Color, kMongonRed);
    EXPECT_TRUE(w.Form().Modified);
}

TEST(MongonWindow, PixelFontButtonsGiveTheCurrentRowItsFont) {
    Editor e;
    auto& w = Window(e);
    EXPECT_EQ(w.CurrentRow(), 0);
    EXPECT_EQ(w.CurrentRowLabel->text(), QStringLiteral("対象: 項番 0"));
    EXPECT_FALSE(w.UnifontButton->toolTip().isEmpty());
    w.Form().Rows[0].Font.Style = kFontItalic;
    Click(w.UnifontButton);
    MongonFont f = w.Form().Rows[0].Font;
    EXPECT_EQ(f.Name, "Unifont");
    EXPECT_EQ(f.PixelsPerInch, 96);
    EXPECT_EQ(f.Height, -16);
    EXPECT_EQ(f.Size, 12);
    EXPECT_EQ(f.Style, 0);
    EXPECT_EQ(f.Pitch, 0);
    EXPECT_EQ(f.Color, kMongonRed);
    EXPECT_EQ(f.Charset, 128);
    EXPECT_TRUE(w.Form().Modified);
    EXPECT_EQ(w.MojiEdit(0)->font().family(), QStringLiteral("Unifont"));
    EXPECT_EQ(w.MojiEdit(0)->font().pixelSize(), 16);

    // The row whose box last had the focus is the one that changes.
    Focus(w.Y_Edit(3));
    EXPECT_EQ(w.CurrentRowLabel->text(), QStringLiteral("対象: 項番 3"));
    Click(w.MisakiButton);
    EXPECT_EQ(w.Form().Rows[3].Font.Name, "MisakiGothic");
    EXPECT_EQ(w.Form().Rows[3].Font.Height, -8);
    EXPECT_EQ(w.Form().Rows[3].Font.Size, 6);
    EXPECT_EQ(w.Form().Rows[0].Font.Name, "Unifont");
}

TEST(MongonWindow, AMisakiRowIsShownEnlargedButWrittenAndDrawnAtItsOwnDots) {
    Editor e(kRoot);
    auto& w = Window(e);
    w.show();
    Focus(w.MojiEdit(1));
    Click(w.MisakiButton);
    TypeRow(w, 1, "0", "0", QStringLiteral("美咲■"));
    // The box shows the row at twice its dots at least, and is as tall as that.
    QLineEdit* box = w.MojiEdit(1);
    EXPECT_EQ(box->font().family(), QStringLiteral("MisakiGothic"));
    EXPECT_GE(box->font().pixelSize(), 2 * kMongonMisaki.Pixels);
    EXPECT_EQ(box->font().pixelSize() % kMongonMisaki.Pixels, 0);  // whole dots, drawn sharp
    EXPECT_TRUE(box->font().styleStrategy() & QFont::NoAntialias);
    EXPECT_FALSE(w.MojiEdit(0)->font().styleStrategy() & QFont::NoAntialias);
    EXPECT_GE(box->height(), 2 * kMongonMisaki.Pixels);
    EXPECT_GE(box->height(), QFontMetrics(box->font()).height());
    // Another font is shown as it is.
    EXPECT_EQ(w.MojiEdit(0)->font().pixelSize(), 12);

    // The file holds the row's own font: the bytes of the same rows made without the window.
    const std::string path = e.dir.Path("misaki.mon");
    e.chooser.script.push_back(path);
    Click(w.FileReNameWriteButton);
    MongonForm expected(2, 5);
    expected.Rows[1].X = "0";
    expected.Rows[1].Y = "0";
    expected.Rows[1].Text = "美咲■";
    GivePixelFont(expected.Rows[1].Font, kMongonMisaki);
    EXPECT_EQ(ReadFileBytes(path), *EncodeMongonTable(expected.CollectedTable()));

    // The preview lights the real 8 dots, none below them.
    w.UpdatePreview();
    int lit = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 480; ++x)
            if (w.PreviewDots()[y * 480 + x] != 0) {
                ++lit;
                EXPECT_LT(y, kMongonMisaki.Pixels) << x << "," << y;
            }
    EXPECT_GT(lit, 0);

    // Opened again, the row is shown enlarged once more.
    e.prompter.saveChoices = {SaveChoice::Discard};
    Click(w.NewButton);
    EXPECT_EQ(box->font().pixelSize(), 12);
    e.prompter.saveChoices = {SaveChoice::Discard};
    e.chooser.script.push_back(path);
    Click(w.FileReadButton);
    EXPECT_GE(box->font().pixelSize(), 2 * kMongonMisaki.Pixels);
    EXPECT_EQ(w.Form().Rows[1].Font.Height, -8);
    w.hide();
}

// ---- saving and opening ----

TEST(MongonWindow, NewAndOpenAskToSaveAfterEveryEditAlsoAfterASave) {
    Editor e(kRoot);
    auto& w = Window(e);
    EXPECT_FALSE(w.Form().Modified);
    // Nothing edited: no question.
    Click(w.NewButton);
    EXPECT_TRUE(e.prompter.shown.empty());

    TypeRow(w, 0, "1", "2", QStringLiteral("あいう"));
    const std::string path = e.dir.Path("a.mon");
    e.chooser.script.push_back(path);
    Click(w.FileReNameWriteButton);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"保存完了(" + path + ")"});
    EXPECT_EQ(w.Form().CurrentFile, path);
    EXPECT_EQ(e.chooser.requests.back().title, "文言ファイルSave");
    EXPECT_EQ(e.chooser.requests.back().initialDir, e.Main().Context().driveRoot());
    const std::string saved = ReadFileBytes(path);
    EXPECT_EQ(saved.size(), 5560u);

    // Saving left the flag set: 新規作成 asks; No goes on without saving.
    TypeRow(w, 1, "5", "", QStringLiteral("x"));
    e.prompter.shown.clear();
    e.prompter.saveChoices = {SaveChoice::Discard};
    Click(w.NewButton);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"保存しますか？"});
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_EQ(w.MojiEdit(0)->text(), QString());
    EXPECT_EQ(w.X_Edit(1)->text(), QString());
    EXPECT_EQ(w.Form().CurrentFile, "");
    EXPECT_TRUE(w.Form().Modified);

    // 開く asks as well (the cleared rows count as a change), then reads the file.
    e.prompter.shown.clear();
    e.prompter.saveChoices = {SaveChoice::Discard};
    e.chooser.script.push_back(path);
    Click(w.FileReadButton);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"保存しますか？"});
    EXPECT_EQ(e.chooser.requests.back().title, "文言ファイルOpen");
    EXPECT_EQ(e.chooser.requests.back().fileName, "");
    EXPECT_EQ(w.MojiEdit(0)->text(), QStringLiteral("あいう"));
    EXPECT_EQ(w.Form().CurrentFile, path);

    // Yes saves over the current file first; the dialogs now start in its folder.
    e.prompter.shown.clear();
    e.prompter.saveChoices = {SaveChoice::Save};
    Editor::TypeInto(w.MojiEdit(0), QStringLiteral("かきく"));
    e.chooser.script.push_back(std::nullopt);
    Click(w.FileReadButton);
    EXPECT_EQ(e.prompter.shown, (std::vector<std::string>{"保存しますか？", "上書き完了(" + path + ")"}));
    EXPECT_EQ(e.chooser.requests.back().initialDir, e.dir.Dir().string());
    EXPECT_NE(ReadFileBytes(path), saved);
}

// 新規作成 with unsaved rows: キャンセル (as Escape answers) and a save that
// does not happen keep the rows and their file; はい saves, いいえ drops.
TEST(MongonWindow, NewAsksWithCancelThatKeepsTheRows) {
    Editor e(kRoot);
    auto& w = Window(e);
    const std::string path = e.dir.Path("keep.mon");
    TypeRow(w, 0, "1", "2", QStringLiteral("残す"));
    e.prompter.saveChoices = {SaveChoice::Cancel, SaveChoice::Save};
    e.chooser.script = {std::nullopt};
    Click(w.NewButton);
    Click(w.NewButton);  // はい, then the save dialog cancelled
    EXPECT_EQ(w.MojiEdit(0)->text(), QStringLiteral("残す"));
    EXPECT_EQ(w.X_Edit(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(e.prompter.shown, (std::vector<std::string>{"保存しますか？", "保存しますか？"}));

    e.prompter.saveChoices = {SaveChoice::Save};
    e.chooser.script = {path};
    Click(w.NewButton);
    EXPECT_EQ(DecodeMongonTable(ReadFileBytes(path)).Rows[0].Text, "残す");
    EXPECT_EQ(w.MojiEdit(0)->text(), QString());

    TypeRow(w, 1, "3", "4", QStringLiteral("捨てる"));
    e.prompter.saveChoices = {SaveChoice::Discard};
    Click(w.NewButton);
    EXPECT_EQ(w.MojiEdit(1)->text(), QString());
    EXPECT_EQ(DecodeMongonTable(ReadFileBytes(path)).Rows[1].Text, "");
    EXPECT_TRUE(e.prompter.saveChoices.empty());
}

// The program ends with the window closed but its rows unsaved: the rows are
// shown and asked about. キャンセル keeps the program and the rows; はい saves
// through the dialog and ends it; いいえ ends it without a write.
TEST(MongonWindow, ProgramEndAsksAboutRowsOfTheHiddenWindow) {
    for (const SaveChoice answer : {SaveChoice::Cancel, SaveChoice::Save, SaveChoice::Discard}) {
        Editor e(kRoot);
        auto& w = Window(e);
        const std::string path = e.dir.Path("end.mon");
        TypeRow(w, 0, "0", "0", QStringLiteral("終わり"));
        w.hide();
        e.prompter.saveChoices = {answer};
        if (answer == SaveChoice::Save) e.chooser.script = {path};
        e.Main().close();
        const bool ended = answer != SaveChoice::Cancel;
        EXPECT_EQ(e.Main().isVisible(), !ended) << static_cast<int>(answer);
        EXPECT_EQ(e.prompter.shown.at(0), "保存しますか？");
        EXPECT_EQ(w.MojiEdit(0)->text(), QStringLiteral("終わり"));
        EXPECT_EQ(std::filesystem::exists(path), answer == SaveChoice::Save);
        if (!ended) {
            EXPECT_TRUE(w.isVisible());  // the rows asked about are in view
            w.hide();
        }
    }
}

TEST(MongonWindow, ProgramEndAsksNothingOnceTheRowsAreSaved) {
    Editor e(kRoot);
    auto& w = Window(e);
    TypeRow(w, 0, "0", "0", QStringLiteral("保存済み"));
    e.chooser.script = {e.dir.Path("saved.mon")};
    Click(w.FileReNameWriteButton);
    w.hide();
    e.prompter.shown.clear();
    e.Main().close();
    EXPECT_FALSE(e.Main().isVisible());
    EXPECT_TRUE(e.prompter.shown.empty());
}

TEST(MongonWindow, RowsWithoutAPositionAreNamedWhenDrawn) {
    Editor e;
    auto& w = Window(e);
    TypeRow(w, 0, "0", "0", QStringLiteral("描く"));
    TypeRow(w, 1, "5", "", QStringLiteral("描かない"));
    Click(w.MakeDataButton);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"Led表示データ作成完了\n項番 1 の文言は、横座標か縦座標に数が"
                                                         "入っていないため表示データに入っていません"});
    EXPECT_GT(LitDots(e.Doc(), 0, 480).Total(), 0);
}

TEST(MongonWindow, OpenShowsTheRowsSavedUnderANewName) {
    Editor e(kRoot);
    auto& w = Window(e);
    TypeRow(w, 0, "-5", "", QStringLiteral("文言テスト"));
    TypeRow(w, 2, "", "70", QStringLiteral("ABC"));
    TypeRow(w, 4, "479", "64", QString());
    ChooseColour(e, w, 2, 1);
    Focus(w.MojiEdit(4));
    Click(w.MisakiButton);
    const std::array<MongonFormRow, 10> before = w.Form().Rows;

    const std::string path = e.dir.Path("rows.mon");
    e.chooser.script.push_back(path);
    Click(w.FileReNameWriteButton);
    e.prompter.saveChoices = {SaveChoice::Discard};
    Click(w.NewButton);
    EXPECT_EQ(w.MojiEdit(2)->text(), QString());
    EXPECT_EQ(TextColour(w.MojiEdit(2)), QColor(255, 0, 0));

    e.prompter.saveChoices = {SaveChoice::Discard};
    e.chooser.script.push_back(path);
    Click(w.FileReadButton);
    EXPECT_EQ(w.Form().Rows, before);
    EXPECT_EQ(w.X_Edit(0)->text(), QStringLiteral("-5"));
    EXPECT_EQ(w.Y_Edit(0)->text(), QString());  // saved as "no position", shown empty
    EXPECT_EQ(w.X_Edit(2)->text(), QString());
    EXPECT_EQ(w.Y_Edit(2)->text(), QStringLiteral("70"));
    EXPECT_EQ(w.MojiEdit(0)->text(), QStringLiteral("文言テスト"));
    EXPECT_EQ(TextColour(w.MojiEdit(2)), QColor(0, 255, 0));
    EXPECT_EQ(w.MojiEdit(4)->font().family(), QStringLiteral("MisakiGothic"));
    EXPECT_EQ(w.Form().Rows[4].Font.Height, -8);
}

TEST(MongonWindow, TheMenuShowsTheWindowAndClosingKeepsEverything) {
    Editor e(kRoot);
    // tmp.bmp goes beside the program when its folder can be written.
    EXPECT_EQ(e.windows->MongonHensyuuForm().TmpBitmapPath,
              QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/tmp.bmp")).toStdString());
    EXPECT_EQ(gui::ChooseTmpBitmapPath(e.dir.Path("tesslor")), e.dir.Path("tmp.bmp"));
    // Never beside an installed program, even for a user who may write there.
    const std::string installed = gui::ChooseTmpBitmapPath("/usr/bin/tesslor");
    EXPECT_NE(installed, "/usr/bin/tmp.bmp");
    EXPECT_EQ(QFileInfo(QString::fromStdString(installed)).fileName(), QStringLiteral("tmp.bmp"));
    auto& w = Window(e);
    e.Main().MongonSakusei->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(e.Main().isVisible());  // modeless: both stay usable
    TypeRow(w, 1, "3", "4", QStringLiteral("残る"));
    const std::string path = e.dir.Path("k.mon");
    e.chooser.script.push_back(path);
    Click(w.FileReNameWriteButton);
    Click(w.CancelButton);
    EXPECT_FALSE(w.isVisible());
    e.Main().MongonSakusei->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.MojiEdit(1)->text(), QStringLiteral("残る"));
    EXPECT_EQ(w.Form().CurrentFile, path);
    EXPECT_TRUE(w.Form().Modified);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.X_Edit(1)->text(), QStringLiteral("3"));
}

// ---- drawing into the picture and the preview ----

TEST(MongonWindow, RowsLightTheirColoursOnlyWithinTheDisplay) {
    Editor e;
    auto& w = Window(e);
    const QString block = QStringLiteral("■■■");
    TypeRow(w, 0, "0", "0", block);    // red
    TypeRow(w, 1, "100", "0", block);  // yellow
    TypeRow(w, 2, "200", "0", block);  // green
    TypeRow(w, 3, "500", "0", block);  // beyond the display
    TypeRow(w, 4, "", "40", block);    // no X: not drawn
    ChooseColour(e, w, 1, 2);
    ChooseColour(e, w, 2, 1);
    for (int i = 0; i < 5; ++i) {
        Focus(w.MojiEdit(i));
        Click(w.UnifontButton);
    }
    e.prompter.shown.clear();
    ASSERT_FALSE(std::filesystem::exists(w.TmpBitmapPath));
    Click(w.MakeDataButton);
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"Led表示データ作成完了\n項番 4 の文言は、横座標か縦座標に"
                                                         "数が入っていないため表示データに入っていません"});

    const Lit red = LitDots(e.Doc(), 0, 100), yellow = LitDots(e.Doc(), 100, 200),
              green = LitDots(e.Doc(), 200, 300);
    EXPECT_GT(red.red, 0);
    EXPECT_EQ(red.green + red.yellow, 0);
    EXPECT_GT(yellow.yellow, 0);
    EXPECT_EQ(yellow.red + yellow.green, 0);
    EXPECT_GT(green.green, 0);
    EXPECT_EQ(green.red + green.yellow, 0);
    EXPECT_EQ(LitDots(e.Doc(), 300, 480).Total(), 0);
    // A Unifont row at Y 0 stays in the first panel row; the row without X lit nothing below it.
    EXPECT_EQ(LitDots(e.Doc(), 0, 480, 16, 80).Total(), 0);
    // The row at X 500 is on the canvas and in tmp.bmp, not in the picture.
    bool onCanvas = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 500; x < 560; ++x) onCanvas = onCanvas || w.Canvas().GetPixel(x, y) == kRed;
    EXPECT_TRUE(onCanvas);
    EXPECT_FALSE(w.Image1->pixmap().isNull());
    QImage bmp(QString::fromStdString(w.TmpBitmapPath));
    ASSERT_FALSE(bmp.isNull());
    EXPECT_EQ(bmp.size(), QSize(800, 80));
    EXPECT_EQ(bmp.pixelColor(0, 0).rgb(), QColor(0, 0, 0).rgb());
    bool inBmp = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 500; x < 560; ++x) inBmp = inBmp || bmp.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(inBmp);

    // The preview shows exactly the dots the picture got.
    w.UpdatePreview();
    std::vector<std::uint8_t> picture;
    for (LedColor c : Picture(e.Doc())) picture.push_back(c);
    EXPECT_EQ(w.PreviewDots(), picture);
}

TEST(MongonWindow, UnsavedPictureAsksFirstAndNoKeepsItSayingNothingMade) {
    Editor e;
    auto& w = Window(e);
    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(300, 20));
    ASSERT_TRUE(e.Doc().Modified());
    const std::vector<LedColor> before = Picture(e.Doc());
    TypeRow(w, 0, "0", "0", QStringLiteral("■"));
    e.prompter.answers = {false};
    Click(w.MakeDataButton);
    EXPECT_EQ(e.prompter.shown, (std::vector<std::string>{"作成したデータが失われてもいいですか？"}));
    EXPECT_EQ(Picture(e.Doc()), before);
    EXPECT_TRUE(e.Doc().Modified());
    EXPECT_TRUE(std::filesystem::exists(w.TmpBitmapPath));

    e.prompter.answers = {true};
    Click(w.MakeDataButton);
    EXPECT_EQ(e.prompter.shown.back(), "Led表示データ作成完了");
    EXPECT_EQ(e.Doc().DotColor(300, 20), kOff);
    EXPECT_GT(LitDots(e.Doc(), 0, 16).red, 0);
    EXPECT_TRUE(e.Doc().Modified());  // the text's picture is new and unsaved
}

TEST(MongonWindow, PreviewFollowsTheRowsWithoutTouchingThePicture) {
    Editor e;
    auto& w = Window(e);
    w.show();
    const auto lit = [&] {
        int n = 0;
        for (std::uint8_t d : w.PreviewDots()) n += d != 0;
        return n;
    };
    EXPECT_EQ(lit(), 0);
    Focus(w.MojiEdit(0));
    Click(w.UnifontButton);
    TypeRow(w, 0, "10", "0", QStringLiteral("■"));
    // Redrawn shortly after the last change, by itself.
    QTRY_VERIFY_WITH_TIMEOUT(lit() > 0, 2000);
    // Red dots only, none left of X 10 or below the first panel row.
    int firstX = -1, firstY = -1;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 480; ++x) {
            const std::uint8_t d = w.PreviewDots()[y * 480 + x];
            if (d == 0) continue;
            ASSERT_EQ(d, 1) << x << "," << y;
            ASSERT_GE(x, 10);
            ASSERT_LT(y, 16);
            if (firstX < 0) firstX = x, firstY = y;
        }
    EXPECT_EQ(LitDots(e.Doc(), 0, 480).Total(), 0);
    EXPECT_FALSE(std::filesystem::exists(w.TmpBitmapPath));
    // Drawn two pixels a dot, red on black.
    const QImage shown = w.PreviewBox->grab().toImage();
    EXPECT_EQ(shown.pixelColor(2 * firstX, 2 * firstY), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(2 * firstX + 1, 2 * firstY + 1), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(2 * 2, 2 * 5), QColor(48, 48, 48));  // an unlit dot
    EXPECT_EQ(shown.pixelColor(2 * 2 + 1, 2 * 5 + 1), QColor(0, 0, 0));

    // Clearing the text clears the preview.
    Editor::TypeInto(w.MojiEdit(0), QString());
    QTRY_VERIFY_WITH_TIMEOUT(lit() == 0, 2000);
    w.hide();
}

// The text editor's preview on a board of two panel rows whose unit shows
// three panels at once; odd configured sizes are kept within the picture.
TEST(DotPreview, RowsTheBoardLacksAndTheUnitsWindowShow) {
    gui::DotPreviewBox box;
    const QColor background = box.palette().color(QPalette::Window), unlit(48, 48, 48), blue(0, 0, 255);
    box.SetShape(2, 3);
    QImage shown = box.grab().toImage();
    EXPECT_EQ(shown.pixelColor(2 * 5, 2 * 31), unlit) << "row 31 exists";
    EXPECT_EQ(shown.pixelColor(2 * 5, 2 * 32 + 1), background) << "row 32 does not";
    EXPECT_EQ(shown.pixelColor(2 * 48, 2 * 10), blue) << "the unit's window ends after column 47";
    EXPECT_EQ(shown.pixelColor(2 * 20, 2 * 32), blue) << "and after row 31";
    EXPECT_EQ(shown.pixelColor(2 * 60, 2 * 10), unlit);
    box.SetShape(9, -1);  // more rows than the picture has, no window
    shown = box.grab().toImage();
    EXPECT_EQ(shown.pixelColor(2 * 5, 2 * 79), unlit);
    EXPECT_EQ(shown.pixelColor(2 * 48, 2 * 10), unlit) << "no line";
}

}  // namespace
}  // namespace tesslor::test
