#include "platform/QtFonts.h"

#include <QFont>
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

}  // namespace tesslor::gui
