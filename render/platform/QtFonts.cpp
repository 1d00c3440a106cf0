#include "platform/QtFonts.h"

#include <algorithm>

#include <QString>
#include <QStringList>

namespace tesslor::gui {

void InstallFontSubstitutions() {
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
