#include "platform.h"

#include <exception>

#include "installpaths.h"
#include "notify.h"
#include "verror.h"

namespace {
IPlatform* g_platform = nullptr;
}

IPlatform& Platform() {
    if (!g_platform) std::terminate();  // installed by main() and by the test setup
    return *g_platform;
}

void SetPlatform(IPlatform* platform) {
    g_platform = platform;
    if (!platform) {
        SetDataStoreNotifier({});
        return;
    }
    SetDataStoreNotifier({[](const std::string& text) { Platform().Info(QString::fromStdString(text)); },
                          [](const std::string& kind, const std::string& message) {
                              Platform().ErrorReport(QString::fromStdString(kind), QString::fromStdString(message));
                          }});
}

void OpenHelpPage() {
    QString page = QString::fromStdString(HelpPagePath());
    if (Platform().ShellOpen(page)) return;
    Platform().Info(QStringLiteral("ﾍﾙﾌﾟのﾍﾟｰｼﾞを開けませんでした。\n") + page +
                    QStringLiteral("\nﾍﾟｰｼﾞが見つからないか、ﾍﾟｰｼﾞを開くﾌﾟﾛｸﾞﾗﾑ(ﾌﾞﾗｳｻﾞ)がありません。\n"));
}

bool RunCommand(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const VelmoError& e) {
        Platform().ErrorReport(QString::fromStdString(e.Kind()), QString::fromUtf8(e.what()));
    } catch (const std::bad_alloc&) {
        Platform().ErrorReport(QStringLiteral("EOutOfMemory"), QStringLiteral("メモリが不足しています。"));
    } catch (const std::exception& e) {
        Platform().ErrorReport(QStringLiteral("Exception"), QString::fromUtf8(e.what()));
    } catch (...) {
        Platform().ErrorReport(QStringLiteral("Exception"), QStringLiteral("不明なエラーが発生しました。"));
    }
    return false;
}
