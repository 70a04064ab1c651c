// A recording platform for window tests: every call is recorded, and answers
// (questions, file names, what a modal window does) come from a script.
#pragma once
#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

#include "platform.h"

class FakePlatform : public IPlatform {
public:
    struct Call {
        QString kind;  // "info", "question", "error", "open", "save", "shell", "modal", "preview"
        QString text;  // message, dialog title, target, window class or report name
        QString extra; // caption, error kind, filter ...
    };

    FakePlatform() { SetPlatform(this); }
    ~FakePlatform() override { SetPlatform(nullptr); }

    // Script.
    std::deque<bool> answers;          // Question results, in order (default: No)
    std::deque<QString> fileNames;     // OpenFileName / SaveFileName results (default: cancel)
    // What a modal window does when shown; returns its result. Default: 0.
    std::deque<std::function<int(QWidget*)>> modal;

    std::vector<Call> calls;
    int waitDepth = 0;
    std::vector<ReportSnapshot> previews;
    std::vector<FileDialogOptions> dialogs;

    void Info(const QString& text, const QString& caption) override { calls.push_back({"info", text, caption}); }
    bool Question(const QString& text, const QString& caption, bool defaultYes) override {
        calls.push_back({"question", text, caption + (defaultYes ? "|yes" : "|no")});
        if (answers.empty()) return false;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void ErrorReport(const QString& kind, const QString& message) override {
        calls.push_back({"error", message, kind});
    }
    QString OpenFileName(const FileDialogOptions& o) override { return File("open", o); }
    QString SaveFileName(const FileDialogOptions& o) override { return File("save", o); }
    bool shellOpens = true;  // what ShellOpen answers
    bool ShellOpen(const QString& target) override {
        calls.push_back({"shell", target, {}});
        return shellOpens;
    }
    void SetWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }
    int ShowModal(QWidget* w) override {
        calls.push_back({"modal", w->metaObject()->className(), w->windowTitle()});
        if (modal.empty()) return 0;
        auto f = modal.front();
        modal.pop_front();
        return f(w);
    }
    void PreviewReport(const ReportSnapshot& r, bool wait) override {
        calls.push_back({"preview", GetReportInfo(r.id).name, wait ? "wait" : "nowait"});
        previews.push_back(r);
    }

    // Texts of the calls of one kind.
    QStringList Texts(const QString& kind) const {
        QStringList out;
        for (const auto& c : calls)
            if (c.kind == kind) out << c.text;
        return out;
    }
    void Clear() { calls.clear(); previews.clear(); dialogs.clear(); }

private:
    QString File(const QString& kind, const FileDialogOptions& o) {
        calls.push_back({kind, o.title, o.filter});
        dialogs.push_back(o);
        if (fileNames.empty()) return QString();
        QString f = fileNames.front();
        fileNames.pop_front();
        return f;
    }
};
