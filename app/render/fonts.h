// The design font "ＭＳ Ｐゴシック" of the reports and windows, drawn with the
// installed IPA fonts through a font substitution.
#pragma once
#include <QFont>

// Maps "ＭＳ Ｐゴシック" (and "ＭＳ ゴシック") to the IPA Gothic fonts. Idempotent.
void InstallFontSubstitutions();
// The design font at a size in points (reports).
QFont DesignFont(double pointSize, bool bold);
// The design font at a size in pixels (windows).
QFont DesignPixelFont(int pixelSize, bool bold);
