// The platform layer: the one way the windows show messages, ask questions,
// report errors, pick files, open help pages and addresses, show the
// hourglass, show windows modally and preview reports. The programs install
// the Qt implementation; tests install a recording fake.
#pragma once
#include <QString>
#include <functional>

#include "reportdata.h"

class QWidget;

struct FileDialogOptions {
    QString title;
    // Pairs of description and pattern: "MDBﾌｧｲﾙ|*.mdb|全てのﾌｧｲﾙ|*.*".
    QString filter;
    QString defaultExt;       // added when the name has no extension
    bool overwritePrompt = false;
    bool mustExist = false;
    QString initialPath;
};

class IPlatform {
public:
    virtual ~IPlatform() = default;
    // Information message with an OK button.
    virtual void Info(const QString& text, const QString& caption = QStringLiteral("情報")) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool Question(const QString& text, const QString& caption = QStringLiteral("情報"),
                          bool defaultYes = true) = 0;
    // The error report: a box titled "アプリケーション エラー" with the error's
    // message; the kind (an internal class name) goes to stderr only.
    virtual void ErrorReport(const QString& kind, const QString& message) = 0;
    // File dialogs; the empty text when cancelled.
    virtual QString OpenFileName(const FileDialogOptions& o) = 0;
    virtual QString SaveFileName(const FileDialogOptions& o) = 0;
    // Opens a file (help page), a URL or a "mailto:" address with the desktop;
    // false when it could not be opened (a missing file, no program for it).
    virtual bool ShellOpen(const QString& target) = 0;
    // Hourglass cursor on and off (nested calls count).
    virtual void SetWaitCursor(bool on) = 0;
    // Shows a window modally; returns its result (QDialog::Accepted = 1).
    virtual int ShowModal(QWidget* window) = 0;
    // Opens the preview of a report. With wait the call returns when the
    // preview is closed; otherwise at once, the preview staying open.
    virtual void PreviewReport(const ReportSnapshot& report, bool wait) = 0;
};

IPlatform& Platform();
// Installs the platform (not owned). Also routes the data store's messages
// and error reports to it.
void SetPlatform(IPlatform* platform);

// Hourglass cursor for the lifetime of the object.
class WaitCursor {
public:
    WaitCursor() { Platform().SetWaitCursor(true); }
    ~WaitCursor() { Platform().SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// ヘルプ of every window: opens the help page; when no program can open it
// (or it is missing) an information message says so, naming its path.
void OpenHelpPage();

// The command boundary: runs a command; an error it does not catch is shown
// through the error report and the program goes on. Returns false when the
// command ended with an error.
bool RunCommand(const std::function<void()>& command);
