#include "winutil.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform.h"
#include "verror.h"

namespace {
bool g_exitWriteReported = false;
}

void ResetSettingsAtExit() { g_exitWriteReported = false; }

bool SaveSettingsAtExit(const std::function<void()>& write) {
    bool& reported = g_exitWriteReported;
    try {
        write();
        return true;
    } catch (const SettingsError& e) {
        if (!reported) {
            reported = true;
            Platform().Info(QString::fromUtf8(e.what()) + "\n" +
                            QStringLiteral("ｳｨﾝﾄﾞｳの配置と開いているﾃﾞｰﾀﾌｧｲﾙは次回の起動に引き継がれません。\n"));
        }
    }
    return false;
}

void CenterWindow(QWidget* w) {
    QWidget* p = w->parentWidget() ? w->parentWidget()->window() : nullptr;
    QRect area = p && p->isVisible() ? p->frameGeometry()
                                     : (w->screen() ? w->screen()->availableGeometry()
                                                    : QGuiApplication::primaryScreen()->availableGeometry());
    QRect g = w->frameGeometry();
    g.moveCenter(area.center());
    w->move(g.topLeft());
}

void LoadFormGeometry(QWidget* w, const QString& prefix, int designWidth, int designHeight) {
    IniFile ini = AppSettings();
    std::string p = ToStd(prefix);
    int width = ini.ReadInteger("PREFORM", p + "WIDTH", designWidth);
    int height = ini.ReadInteger("PREFORM", p + "HEIGHT", designHeight);
    if (width < 50 || width > 10000) width = designWidth;
    if (height < 50 || height > 10000) height = designHeight;
    w->resize(width, height);
    CenterWindow(w);
}

void SaveFormGeometry(QWidget* w, const QString& prefix) {
    std::string p = ToStd(prefix);
    QRect g = w->geometry();
    AppSettings().WriteStrings("PREFORM", {{p + "WIDTH", std::to_string(g.width())},
                                           {p + "HEIGHT", std::to_string(g.height())},
                                           {p + "TOP", std::to_string(w->y())},
                                           {p + "LEFT", std::to_string(w->x())}});
}
