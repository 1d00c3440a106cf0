#include "OtherScreen.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <string>

#include "TestSupport.h"

namespace tesslor::test {

bool OnScreenOf(int width, int height, const char* test) {
    if (QGuiApplication::primaryScreen()->geometry().size() == QSize(width, height)) return true;
    TempDir dir;
    WriteFileBytes(dir.Path("screens.json"), "{\"screens\": [{\"name\": \"other\", \"x\": 0, \"y\": 0, \"width\": " +
                                                 std::to_string(width) + ", \"height\": " + std::to_string(height) +
                                                 ", \"dpi\": 96, \"dpr\": 1}]}");
    QProcess self;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The platform's options are split at colons: the file is named from the
    // folder the process starts in, never with a drive letter.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=screens.json"));
    self.setProcessEnvironment(env);
    self.setWorkingDirectory(QString::fromStdString(dir.Dir().string()));
    self.setProcessChannelMode(QProcess::MergedChannels);
    self.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + QString::fromUtf8(test)});
    EXPECT_TRUE(self.waitForFinished(120000));
    const std::string out = self.readAll().toStdString();
    EXPECT_EQ(self.exitCode(), 0) << out;
    EXPECT_NE(out.find("[  PASSED  ] 1 test"), std::string::npos) << out;
    return false;
}

}  // namespace tesslor::test
