// What one window asks of another. A window includes this header instead of
// another window's unit, so the window units do not depend on each other's
// classes; only the main window, which opens them all, and windowcalls.cpp
// know them.
#pragma once
#include <QString>

class QWidget;
class clsDao;

// The program's one connection, owned by the main window.
clsDao& MainDao();
// The main window, for placing other windows beside it.
QWidget* MainWindow();

// The item dialog in view mode, shown modelessly beside the structure and
// planning windows.
bool ItemViewVisible();
// Shows the item: reloads the dialog when it is visible, else opens it in
// view mode and brings it to the front.
void ShowItemView(const QString& code);
void CloseItemView();

// The partner dialog, shown modally in the given mode for the partner of
// category kbn and the code. False when the user cancelled; else the code and
// category of the partner saved.
bool EditPartner(int mode, const QString& code, int kbn, QString* savedCode, int* savedKbn);
