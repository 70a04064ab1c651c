#include "fonts.h"

#include <QStringList>

namespace {
const QString kDesignFamily = QStringLiteral("ＭＳ Ｐゴシック");
}

void InstallFontSubstitutions() {
    static const bool done = [] {
        QFont::insertSubstitutions(kDesignFamily, {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
        QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                                   {QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
        return true;
    }();
    (void)done;
}

namespace {
QFont DesignFamilyFont(bool bold) {
    InstallFontSubstitutions();
    QFont f(kDesignFamily);
    f.setBold(bold);
    return f;
}
}  // namespace

QFont DesignFont(double pointSize, bool bold) {
    QFont f = DesignFamilyFont(bold);
    f.setPointSizeF(pointSize);
    return f;
}

QFont DesignPixelFont(int pixelSize, bool bold) {
    QFont f = DesignFamilyFont(bold);
    f.setPixelSize(pixelSize);
    return f;
}
