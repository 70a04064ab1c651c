// Velmo1_2: converts data files of the previous layout (version 1) into the
// current layout. One window; closing it ends the program.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstring>

#include "convmain.h"
#include "fonts.h"
#include "qtplatform.h"
#include "velmo_version.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, as Velmo does, so that it works without a
    // display.
    if (argc == 2 && !std::strcmp(argv[1], "--version")) {
        std::printf("Velmo1_2 %s\n", VELMO_VERSION);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmo1_2"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmo1_2"));
    InstallFontSubstitutions();
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    QtPlatform platform;
    SetPlatform(&platform);
    int rc = 1;
    bool ok = RunCommand([&] {
        TfrmMain frmMain;
        frmMain.show();
        rc = app.exec();
    });
    SetPlatform(nullptr);
    return ok ? rc : 1;
}
