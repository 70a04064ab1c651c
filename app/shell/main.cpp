// Velmo: start-up. Sets the title, creates the fifteen windows in their order
// and runs the message loop until the main window closes; the main window's
// destructor then writes its settings.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <cstdio>
#include <cstring>

#include "corever.h"
#include "fonts.h"
#include "globals.h"
#include "qtplatform.h"
#include "ufitem.h"
#include "velmo_version.h"

// The icon of the menu entry, in the sizes drawn for it (app/velmo.qrc).
// Outside any namespace: Q_INIT_RESOURCE declares the resource's global
// initialiser, needed because the resources live in the static velmo_app.
static QIcon ProgramIcon() {
    Q_INIT_RESOURCE(velmo);
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/velmo-%1.png").arg(size), QSize(size, size));
    return icon;
}

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it works without a display.
    if (argc == 2 && !std::strcmp(argv[1], "--version")) {
        std::printf("Velmo %s\n", VELMO_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kAppTitle));
    // The menu entry velmo.desktop: lets the desktop match the window to the
    // entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("velmo"));
    QApplication::setWindowIcon(ProgramIcon());
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
