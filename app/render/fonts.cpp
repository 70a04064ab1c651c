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

QFont DesignFont(double pointSize, bool bold) {
    InstallFontSubstitutions();
    QFont f(kDesignFamily);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

QFont DesignPixelFont(int pixelSize, bool bold) {
    InstallFontSubstitutions();
    QFont f(kDesignFamily);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
