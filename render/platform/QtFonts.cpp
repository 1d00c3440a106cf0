#include "platform/QtFonts.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace tesslor::gui {

int LoadFontFiles(const QString& folder) {
    int loaded = 0;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf"), QStringLiteral("*.ttc")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        if (QFontDatabase::addApplicationFont(dir.filePath(file)) >= 0) ++loaded;
    return loaded;
}

void InstallFontSubstitutions() {
    // The Windows zip carries its fonts beside the program; elsewhere the
    // system's are used and the folder is not there.
    if (QCoreApplication::instance()) LoadFontFiles(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    const QStringList proportional = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック"),
                                      QStringLiteral("IPAGothic")};
    const QStringList fixed = {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportional);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), proportional);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), fixed);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), fixed);
}

QFont QFontOf(const FontSpec& font, bool smoothed) {
    QFont f(QString::fromStdString(font.face));
    // A QFont takes no pixel size below 1.
    f.setPixelSize(std::max(font.pixelSize, 1));
    f.setBold((font.style & kFontBold) != 0);
    f.setItalic((font.style & kFontItalic) != 0);
    f.setUnderline((font.style & kFontUnderline) != 0);
    f.setStrikeOut((font.style & kFontStrikeOut) != 0);
    if (font.fixedPitch) f.setFixedPitch(true);
    if (!smoothed)
        f.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    return f;
}

}  // namespace tesslor::gui
