// Velmo: start-up. Sets the title, creates the fifteen windows in their order
// and runs the message loop until the main window closes; the main window's
// destructor then writes its settings.
#include <QApplication>
#include <QFont>

#include "corever.h"
#include "fonts.h"
#include "globals.h"
#include "qtplatform.h"
#include "ufitem.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kAppTitle));
    // The windows are designed in "ＭＳ Ｐゴシック", 12 pixels; it maps to IPA P
    // Gothic, installed with the program's packages.
    InstallFontSubstitutions();
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    QtPlatform platform;
    SetPlatform(&platform);
    int rc = 1;
    bool ok = RunCommand([&] {
        CreateWindows();
        frmItem->show();
        rc = app.exec();
    });
    // Every window writes its settings as it is destroyed; a failure there is
    // reported like any other error.
    RunCommand([] { DestroyWindows(); });
    SetPlatform(nullptr);
    return ok ? rc : 1;
}
