// Start-up with and without a configuration file, the drive file, closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <stdexcept>

#include "GuiHarness.h"
#include "platform/IniProfile.h"

namespace tesslor::test {
namespace {

QStringList Items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

TEST(EditorStartup, DefaultsWithoutAConfigurationFile) {
    Editor e;
    auto& m = e.Main();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Tesslor 特殊な環境表示器２専用  2.0.0  (２色用）"));
    EXPECT_EQ(m.Config(), (StartupConfig{2, 5, 5, "customer"}));
    EXPECT_TRUE(m.PenColor->isVisible());
    EXPECT_FALSE(m.ReverseModeColorRadioGroup->isHidden());
    EXPECT_FALSE(m.ReverseModeColorRadioGroup->isEnabled());
    EXPECT_EQ(Items(m.WriteNoMaskComboBox).size(), 10);
    EXPECT_EQ(m.WriteNoMaskComboBox->currentText(), QStringLiteral("1"));
    // Customer mode hides the restricted controls and menu items.
    for (QWidget* w : std::initializer_list<QWidget*>{m.Label5, m.Label6, m.Label7, m.SounyuuMojiComboBox,
                                                      m.SounyuuItiComboBox, m.NiniItiMaskEdit})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    for (QAction* a : {m.DougaFaileSakusei, m.AnimeDemonstration, m.OldFileOpen, m.OldFileWrite})
        EXPECT_FALSE(a->isVisible()) << a->objectName().toStdString();
    EXPECT_FALSE(m.HyoujiSchedule->isEnabled());
    EXPECT_FALSE(m.SeteiMake->isEnabled());
    EXPECT_FALSE(m.SeteiMake2->isEnabled());
    EXPECT_FALSE(m.CO21->isEnabled());
    EXPECT_TRUE(m.N1->isEnabled());
    EXPECT_EQ(m.DriveComboBox->currentText(), QStringLiteral("C"));  // no drive file
    EXPECT_EQ(m.DriveComboBox->count(), 26);
    // The document's state after start-up.
    auto& doc = e.Doc();
    EXPECT_EQ(doc.WriteNoText(), "1");
    EXPECT_EQ(doc.DisplayModeCode(), 'A');
    EXPECT_EQ(doc.SounyuuMojiCode(), ' ');
    EXPECT_EQ(doc.SounyuuItiCode(), ' ');
    EXPECT_EQ(doc.NiniItiText(), "000");
    EXPECT_EQ(doc.ReverseColorIndex(), 0);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(m.PaintBox1->width(), 131 * 30 + 23);
    EXPECT_EQ(m.findChild<QComboBox*>("DisplayModeComboBox")->count(), 10);
    EXPECT_EQ(m.menuBar()->objectName(), QStringLiteral("MainMenu1"));
    // The window font of the design resolves to a real Japanese font.
    const QFontInfo font(m.Label1->font());
    EXPECT_TRUE(font.family().startsWith(QStringLiteral("IPA"))) << font.family().toStdString();
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_TRUE(QFontMetrics(m.Label1->font()).inFontUcs4(U'表'));
}

TEST(EditorStartup, XkSeriesRootAndEnvironmentDisplay) {
    Editor e("[Led]\nNanSyoku=-1\nTateMaisuu=9\nYokoMaisuu=3\n[User]\nUser=root\n[Kiki]\nKiki=Kankyouhyoujiki\n");
    auto& m = e.Main();
    EXPECT_EQ(m.windowTitle(),
              QStringLiteral("Tesslor 特殊な環境表示器２専用  2.0.0  (ＸＫシリーズ）　環境表示器用"));
    EXPECT_EQ(m.Config(), (StartupConfig{-1, 5, 3, "root"}));
    EXPECT_FALSE(m.PenColor->isVisible());
    EXPECT_TRUE(m.ReverseModeColorRadioGroup->isHidden());
    EXPECT_EQ(m.ReverseModeColorRadioGroup->ItemIndex(), 2);
    EXPECT_EQ(e.Doc().ReverseColorIndex(), 2);
    EXPECT_EQ(e.windows->PenColorForm().PenColorRadioGroup->ItemIndex(), 2);
    EXPECT_EQ(m.PenColorValue(), kYellow);
    EXPECT_FALSE(e.Doc().Modified());  // starting up changed nothing the operator made
    EXPECT_FALSE(m.SounyuuMojiComboBox->isHidden());
    EXPECT_TRUE(m.OldFileOpen->isVisible());
    EXPECT_TRUE(m.HyoujiSchedule->isEnabled());
    // A second showing (after a demo) adds nothing to the caption.
    m.hide();
    m.show();
    EXPECT_TRUE(m.windowTitle().endsWith(QStringLiteral("シリーズ）　環境表示器用")));
    EXPECT_EQ(m.windowTitle().count(QStringLiteral("環境表示器用")), 1);
}

TEST(EditorStartup, CustomerModesAndDeviceKindAreExact) {
    Editor one("[Led]\nNanSyoku=1\n[User]\nUser=Root\n[Kiki]\nKiki=kankyouhyoujiki\n");
    EXPECT_EQ(one.Main().Config().CustomerMode, "customer");
    EXPECT_FALSE(one.Main().HyoujiSchedule->isEnabled());
    EXPECT_FALSE(one.Main().windowTitle().contains(QStringLiteral("環境表示器用")));
    EXPECT_TRUE(one.Main().windowTitle().endsWith(QStringLiteral("  (１色用）")));
    EXPECT_FALSE(one.Main().PenColor->isVisible());

    Editor range("[User]\nUser=customer51_60\n");
    QStringList expected;
    for (int i = 1; i <= 10; ++i) expected << QString::number(i);
    for (int i = 51; i <= 60; ++i) expected << QString::number(i);
    EXPECT_EQ(Items(range.Main().WriteNoMaskComboBox), expected);
    EXPECT_TRUE(range.Main().NiniItiMaskEdit->isHidden());
}

TEST(EditorStartup, DriveSelectionFromTheDriveFile) {
    EXPECT_EQ(Editor(nullptr, "[Drive]\nDrive=E:\n").Main().DriveText(), "E");
    EXPECT_EQ(Editor(nullptr, "[drive]\ndrive=Q\n").Main().DriveText(), "Q");
    EXPECT_EQ(Editor(nullptr, "[Drive]\nDrive=e\n").Main().DriveText(), "");
    EXPECT_EQ(Editor(nullptr, "[Drive]\nDrive=\n").Main().DriveText(), "C");
    EXPECT_EQ(Editor(nullptr, "[Drive]\nDrive=9\n").Main().DriveText(), "");
}

TEST(EditorClose, NoKeepsRunningAndTheDriveIsStoredEitherWay) {
    Editor e;
    auto& m = e.Main();
    m.DriveComboBox->setCurrentIndex(4);  // E
    e.Press(Qt::LeftButton, Qt::NoButton, e.DotPixel(3, 3));
    ASSERT_TRUE(e.Doc().Modified());
    e.prompter.answers = {false};
    EXPECT_FALSE(m.close());
    EXPECT_TRUE(m.isVisible());
    EXPECT_EQ(e.prompter.shown, std::vector<std::string>{"作成したデータが失われてもいいですか？"});
    EXPECT_EQ(IniProfile(e.env.driveFilePath).ReadString("Drive", "Drive", "?"), "E");

    m.DriveComboBox->setCurrentIndex(6);  // G
    e.prompter.answers = {true};
    EXPECT_TRUE(m.close());
    EXPECT_FALSE(m.isVisible());
    EXPECT_EQ(IniProfile(e.env.driveFilePath).ReadString("Drive", "Drive", "?"), "G");
}

TEST(EditorClose, UnwritableDriveFileIsReportedAndTheProgramStillCloses) {
    Editor e;
    e.env.driveFilePath = e.dir.Path("no/such/folder/tesslorDrive.INI");
    e.windows.reset();
    e.windows = std::make_unique<gui::EditorWindows>(e.env);
    e.Main().show();
    EXPECT_TRUE(e.Main().close());
    ASSERT_EQ(e.prompter.shown.size(), 1u);
    EXPECT_NE(e.prompter.shown[0].find("no/such/folder/tesslorDrive.INI"), std::string::npos);
}

TEST(EditorHelp, VersionAndEnquiryBoxes) {
    Editor e;
    e.Main().Verssion->trigger();
    e.Main().TesslorNiTuite->trigger();
    ASSERT_EQ(e.prompter.shown.size(), 2u);
    EXPECT_EQ(e.prompter.shown[0], "Ver   2.0.0  Date 2014.09.24");
    EXPECT_EQ(e.prompter.shown[1].rfind("Tesslorについてのお問合せは、", 0), 0u);
    EXPECT_TRUE(e.prompter.shown[1].ends_with(" まで")) << e.prompter.shown[1];
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor::test {
ScriptedPrompter& ApplicationPrompter();
namespace {

// An object whose every event handler fails, as a handler with a bug would.
class Throwing : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("ハンドラーで例外が発生しました"); }
};

TEST(EditorEventLoop, AnExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    ApplicationPrompter().shown.clear();
    Throwing bad;
    QCoreApplication::postEvent(&bad, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&bad);
    EXPECT_EQ(ApplicationPrompter().shown, std::vector<std::string>{"ハンドラーで例外が発生しました"});
    // Later events are still delivered.
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QTest::qWait(20);
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace tesslor::test

namespace tesslor::test {
namespace {

// The drive file goes beside the program where a file can be made there, and
// to the user's folder where it cannot (Program Files on Windows refuses the
// file though its permissions say it may be written; here a folder not there).
TEST(EditorStartup, TheDriveFileGoesBesideTheProgramOnlyWhereAFileCanBeMade) {
    TempDir dir;
    const std::string beside = dir.Path("tesslor.drv");
    EXPECT_EQ(gui::ChooseWritablePath(dir.Path("tesslor"), beside), beside);
    const std::string nowhere = dir.Path("gone/tesslor.drv");
    const std::string chosen = gui::ChooseWritablePath(dir.Path("gone/tesslor"), nowhere);
    EXPECT_NE(chosen, nowhere);
    EXPECT_EQ(QFileInfo(QString::fromStdString(chosen)).fileName(), QStringLiteral("tesslor.drv"));
    EXPECT_TRUE(FolderContents(dir.Dir().string()).empty()) << "the probe leaves nothing behind";
}

}  // namespace
}  // namespace tesslor::test
