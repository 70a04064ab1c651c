// Velmo: start-up. Sets the title, creates the fifteen windows in their order
// and runs the message loop until the main window closes.
#include <QApplication>
#include <QFont>

#include "corever.h"
#include "globals.h"
#include "qtplatform.h"
#include "ufitem.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kAppTitle));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kAppTitle));
    QtPlatform platform;
    SetPlatform(&platform);
    int rc = 1;
    bool ok = RunCommand([&] {
        CreateWindows();
        frmItem->show();
        rc = app.exec();
    });
    RunCommand([] { DestroyWindows(); });
    SetPlatform(nullptr);
    return ok ? rc : 1;
}
